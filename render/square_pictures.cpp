// The six square pictures and the painting of squares from them. All shape drawing
// happens here, on resize and colour changes; painting a square is one block copy.

#include "render/draw_strokes.h"
#include "shell/rolvan_view.h"

namespace {

// The rectangle primitive puts a 1-pixel outline on the picture's outermost pixels, so two
// squares side by side show a grid line two pixels wide, one from each.
void BuildPicture(CRolvanView& view, SquareImage& slot, COLORREF fill, COLORREF outline,
                  SquareKind tile) {
    const int w = view.board.squareWidth;
    const int h = view.board.squareHeight;

    slot.surface = std::make_unique<CDC>();
    slot.surface->CreateCompatibleDC(nullptr);
    CDC& picture = *slot.surface;

    CBrush fillBrush(fill);
    CPen outlinePen(PS_SOLID, 1, outline);
    CPen linePen(PS_SOLID, 1, view.TileLineColour);
    CBrush* oldBrush = picture.SelectObject(&fillBrush);
    CPen* oldPen = picture.SelectObject(&outlinePen);

    slot.bitmap = std::make_unique<CBitmap>();
    {
        CClientDC window(&view);
        slot.bitmap->CreateCompatibleBitmap(&window, w, h);
    }
    picture.SelectObject(slot.bitmap.get());

    picture.Rectangle(0, 0, w, h);
    const TileStrokes lines = SquarePictureStrokes(tile, w, h);
    if (lines.valid) {
        picture.SelectObject(&linePen);
        DrawTileStrokes(picture, lines);
    }
    if (oldBrush != nullptr) {
        picture.SelectObject(oldBrush);
    }
    if (oldPen != nullptr) {
        picture.SelectObject(oldPen);
    }
}

// Home, Border and Empty have no lines; SquareKind(0) asks for none.
constexpr SquareKind kNoLines = SquareKind(0);

}  // namespace

void CRolvanView::BuildLeftTileImage() {
    BuildPicture(*this, squareImages.leftTileImage, TileBackgroundColour, TileBorderColour,
                 LeftTile);
}

void CRolvanView::BuildCentreTileImage() {
    BuildPicture(*this, squareImages.centreTileImage, TileBackgroundColour, TileBorderColour,
                 CentreTile);
}

void CRolvanView::BuildRightTileImage() {
    BuildPicture(*this, squareImages.rightTileImage, TileBackgroundColour, TileBorderColour,
                 RightTile);
}

void CRolvanView::BuildEmptyImage() {
    BuildPicture(*this, squareImages.emptyImage, GridBackgroundColour, GridLineColour, kNoLines);
}

void CRolvanView::BuildHomeImage() {
    BuildPicture(*this, squareImages.homeImage, HomeSquareColour, GridLineColour, kNoLines);
}

void CRolvanView::BuildBorderImage() {
    BuildPicture(*this, squareImages.borderImage, WindowBackgroundColour, GridLineColour, kNoLines);
}

// Trial kinds, unknown kinds and pictures not built yet paint nothing: whatever was on
// the screen there stays.
void CRolvanView::PaintSquare(const Square* square, CDC* pDC) {
    if (square == nullptr || pDC == nullptr) {
        return;
    }
    const SquareImage* picture = squareImages.ForKind(square->kind);
    if (picture == nullptr || !picture->surface) {
        return;
    }
    pDC->BitBlt(square->x, square->y, square->width, square->height, picture->surface.get(), 0, 0,
                SRCCOPY);
}

void CRolvanView::PaintAsEmpty(const Square* square, CDC* pDC) {
    const SquareImage& empty = squareImages.emptyImage;
    if (square == nullptr || pDC == nullptr || !empty.surface) {
        return;
    }
    pDC->BitBlt(square->x, square->y, square->width, square->height, empty.surface.get(), 0, 0,
                SRCCOPY);
}

void CRolvanView::PaintAllSquares(CDC* pDC) {
    board.ForEachSquare([&](const Square& square) { PaintSquare(&square, pDC); });
}

void CRolvanView::RepaintKinds(int kindMask) {
    CClientDC dc(this);
    board.ForEachSquare([&](const Square& square) {
        if ((square.kind & kPaintedKinds) != 0 && (square.kind & kindMask) != 0) {
            PaintSquare(&square, &dc);
        }
    });
}
