// The view's layout and painting: the geometry that follows the client size, the
// background, the board in play and in the editor, and the full redraw outside the
// paint cycle.

#include "game/geometry.h"
#include "render/tile_buttons.h"
#include "shell/rolvan_view.h"

void CRolvanView::OnSize(UINT nType, int cx, int cy) {
    CView::OnSize(nType, cx, cy);
    ResizeBoard(cx, cy);
}

// A minimised window reports a zero size; everything stays as it was for the next real
// size. Negative sizes never come from the platform and are treated alike.
void CRolvanView::ResizeBoard(int cx, int cy) {
    if (cx <= 0 || cy <= 0) {
        return;
    }
    clientWidth = cx;
    clientHeight = cy;
    const BoardGeometry geometry = ComputeBoardGeometry(cx, cy, board.columns, board.rows);
    ballRadiusX = geometry.ballRadiusX;
    ballRadiusY = geometry.ballRadiusY;
    // While editing, the right-hand strip holds the editor's buttons instead; they are
    // made again as well, with the captions of the language of this moment.
    if (editing) {
        CreateEditButtons();
    } else {
        CreateTileButtons();
    }
    ApplyBoardGeometry(board, geometry);
    BuildAllImages();
    // The first size comes when the window is shown: from then on the board has a name.
    UpdateAccessibleState();
}

void CRolvanView::BuildAllImages() {
    BuildBallSprite();
    BuildLeftTileImage();
    BuildCentreTileImage();
    BuildRightTileImage();
    BuildEmptyImage();
    BuildHomeImage();
    BuildBorderImage();
}

BOOL CRolvanView::OnEraseBkgnd(CDC* pDC) {
    CBrush background(WindowBackgroundColour);
    CBrush* oldBrush = pDC->SelectObject(&background);
    CRect box;
    pDC->GetClipBox(&box);
    pDC->PatBlt(box.left, box.top, box.Width(), box.Height(), PATCOPY);
    if (oldBrush != nullptr) {
        pDC->SelectObject(oldBrush);
    }
    return TRUE;
}

void CRolvanView::OnDraw(CDC* pDC) {
    if (editing) {
        // The tiles stay on the board; the editor only hides them.
        board.ForEachSquare([&](const Square& square) {
            if ((square.kind & kTileKinds) == 0) {
                PaintSquare(&square, pDC);
            } else {
                PaintAsEmpty(&square, pDC);
            }
        });
        return;
    }
    PaintAllSquares(pDC);
    // After a roll off the board there is no square to stand on until the next game; the
    // board is shown without the ball meanwhile.
    if (ball.currentSquare != nullptr) {
        DrawBallAtEdge(pDC, 0, ball.direction);
    }
}

void CRolvanView::RedrawAll() {
    {
        CClientDC dc(this);
        OnEraseBkgnd(&dc);
        OnDraw(&dc);
    }
    if (leftButton) {
        leftButton->DrawItem(nullptr);
    }
    if (centreButton) {
        centreButton->DrawItem(nullptr);
    }
    if (rightButton) {
        rightButton->DrawItem(nullptr);
    }
}
