// The board editor: while it is active the tiles and the ball are hidden, Save, Reset and
// Cancel stand where the tile buttons were, and the mouse marks Border (left button) and
// Home (right button) squares.

#include <memory>

#include "editor/edit_rules.h"
#include "render/button_geometry.h"
#include "render/tile_buttons.h"
#include "shell/localized_string.h"
#include "shell/rolvan_view.h"

void CRolvanView::OnEditGrid() {
    if (editing) {
        return;
    }
    editing = true;
    {
        CClientDC dc(this);
        OnEraseBkgnd(&dc);
        // Repainting the ball's square by its kind takes the ball image off the board.
        PaintSquare(ball.currentSquare, &dc);
    }
    RepaintKinds(kPaintedKinds);
    {
        // The tiles stay on the board; the editor only hides them.
        CClientDC dc(this);
        board.ForEachSquare([&](const Square& square) {
            if ((square.kind & kTileKinds) != 0) {
                PaintAsEmpty(&square, &dc);
            }
        });
    }
    leftButton.reset();
    centreButton.reset();
    rightButton.reset();
    CreateEditButtons();
    UpdateAccessibleState();
    BoardChangedForAccessibility();
}

namespace {

void CreateEditButton(std::unique_ptr<CButton>& slot, const ButtonRect& place, CWnd* view, UINT id,
                      unsigned captionId, const char* englishCaption) {
    // The caption is the language's at this moment; a later switch leaves it alone.
    LocalizedString caption;
    slot = std::make_unique<CButton>();
    slot->Create(caption.LoadLocalizedString(captionId, englishCaption),
                 WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                 CRect{place.left, place.top, place.right, place.bottom}, view, id);
}

}  // namespace

void CRolvanView::CreateEditButtons() {
    DestroyEditButtons();
    const TileButtonLayout layout = ComputeTileButtonLayout(clientWidth, clientHeight);
    CreateEditButton(saveGridButton, layout.windows[0], this, IDC_SAVE_GRID, IDS_SAVE_BUTTON,
                     "Save");
    CreateEditButton(resetGridButton, layout.windows[1], this, IDC_RESET_GRID, IDS_RESET_BUTTON,
                     "Reset");
    CreateEditButton(cancelGridButton, layout.windows[2], this, IDC_CANCEL_GRID, IDS_CANCEL_BUTTON,
                     "Cancel");
}

void CRolvanView::DestroyEditButtons() {
    saveGridButton.reset();
    resetGridButton.reset();
    cancelGridButton.reset();
}

Square* CRolvanView::SquareAtPoint(int x, int y) const {
    return ::SquareAtPoint(board, x, y);
}

bool CRolvanView::IsProtectedSquare(const Square* square, SquareKind kind) const {
    return square != nullptr && ::IsProtectedSquare(board, *square, kind);
}

void CRolvanView::OnLButtonDown(UINT nFlags, CPoint point) {
    if (!editing) {
        CView::OnLButtonDown(nFlags, point);
        return;
    }
    MarkSquare(point, Border);
}

void CRolvanView::OnRButtonDown(UINT nFlags, CPoint point) {
    if (!editing) {
        CView::OnRButtonDown(nFlags, point);
        return;
    }
    MarkSquare(point, Home);
}

void CRolvanView::MarkSquare(CPoint point, SquareKind mark) {
    Square* square = SquareAtPoint(point.x, point.y);
    if (square == nullptr) {
        return;
    }
    if (IsProtectedSquare(square, mark)) {
        LocalizedString text;
        LocalizedString caption;
        MessageBox(text.LoadLocalizedString(IDS_PROTECTED_SQUARE, "You can't change this square"),
                   caption.LoadLocalizedString(IDS_PROTECTED_SQUARE_CAPTION, "Don't be silly"),
                   MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    square->kind = ToggledKind(square->kind, mark);
    {
        CClientDC dc(this);
        PaintSquare(square, &dc);
    }
    changed = true;
    SquareChangedForAccessibility(*square);
}

void CRolvanView::OnResetGrid() {
    if (!editing) {
        return;
    }
    ClearHomeAndBorder(board);
    if (Square* corner = board.TopRightCorner()) {
        corner->kind = Home;
    }
    {
        CClientDC dc(this);
        OnDraw(&dc);
    }
    changed = true;
    BoardChangedForAccessibility();
}

void CRolvanView::OnSaveGrid() {
    if (!editing) {
        return;
    }
    if (changed) {
        SaveLayout();
        // The new game reads the layout back; the computer may open it at once.
        NewGame(false);
    }
    LeaveEditor();
}

void CRolvanView::OnCancelGrid() {
    if (!editing) {
        return;
    }
    if (changed) {
        LocalizedString question;
        const int answer = AfxMessageBox(
            question.LoadLocalizedString(IDS_ABANDON_CHANGES_QUESTION,
                                         "Do you really want to abandon the changes ?"),
            MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer != IDYES) {
            return;
        }
    }
    // Only the stored layout comes back: the top-right Home square is a new game's.
    ClearHomeAndBorder(board);
    LoadLayout();
    LeaveEditor();
}

// Called from inside the click of Save or Cancel, whose button goes with the others.
void CRolvanView::LeaveEditor() {
    DestroyEditButtons();
    CreateTileButtons();
    {
        CClientDC dc(this);
        PaintAllSquares(&dc);
        if (ball.currentSquare != nullptr) {
            DrawBallAtEdge(&dc, 0, ball.direction);
        }
    }
    leftButton->DrawItem(nullptr);
    centreButton->DrawItem(nullptr);
    rightButton->DrawItem(nullptr);
    changed = false;
    editing = false;
    UpdateAccessibleState();
    BoardChangedForAccessibility();
}
