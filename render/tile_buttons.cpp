#include "render/tile_buttons.h"

#include "render/button_geometry.h"
#include "render/draw_strokes.h"
#include "shell/rolvan_view.h"

TileButton::TileButton(std::int32_t pictureWidth, std::int32_t pictureHeight,
                       CRolvanView* ownerView, SquareKind tile, const char* orphanMessage)
    : height(pictureHeight),
      width(pictureWidth),
      halfHeight(pictureHeight / 2),
      halfWidth(pictureWidth / 2),
      penWidth(TileButtonPenWidth(pictureWidth, pictureHeight)),
      view(ownerView),
      m_tile(tile),
      m_orphanMessage(orphanMessage) {}

TileButton::~TileButton() {
    DestroyWindow();
}

void TileButton::DrawItem(LPDRAWITEMSTRUCT /*lpDrawItemStruct*/) {
    if (view == nullptr) {
        MessageBox(m_orphanMessage, nullptr, MB_OK);
        return;
    }
    CClientDC dc(this);
    CBrush background(view->TileBackgroundColour);
    CPen linePen(PS_SOLID, penWidth, view->TileLineColour);
    CPen borderPen(PS_SOLID, penWidth, view->TileBorderColour);
    CBrush* oldBrush = dc.SelectObject(&background);
    CPen* oldPen = dc.SelectObject(&borderPen);

    dc.Rectangle(0, 0, width + 1, height + 1);

    dc.SelectObject(&linePen);
    DrawTileStrokes(dc, ButtonPictureStrokes(m_tile, width, height, penWidth));

    // The frame goes on last, over the ends of the lines.
    dc.SelectObject(&borderPen);
    dc.MoveTo(0, 0);
    dc.LineTo(width, 0);
    dc.LineTo(width, height);
    dc.LineTo(0, height);
    dc.LineTo(0, 0);

    if (oldBrush != nullptr) {
        dc.SelectObject(oldBrush);
    }
    if (oldPen != nullptr) {
        dc.SelectObject(oldPen);
    }
}

LeftButton::LeftButton(std::int32_t pictureWidth, std::int32_t pictureHeight,
                       CRolvanView* ownerView)
    : TileButton(pictureWidth, pictureHeight, ownerView, LeftTile,
                 "DEBUG - We appear to have an orphaned left button !!!") {}

CentreButton::CentreButton(std::int32_t pictureWidth, std::int32_t pictureHeight,
                           CRolvanView* ownerView)
    : TileButton(pictureWidth, pictureHeight, ownerView, CentreTile,
                 "DEBUG - We appear to have an orphaned centre button !!!") {}

RightButton::RightButton(std::int32_t pictureWidth, std::int32_t pictureHeight,
                         CRolvanView* ownerView)
    : TileButton(pictureWidth, pictureHeight, ownerView, RightTile,
                 "DEBUG - We appear to have an orphaned right button !!!") {}

namespace {

template <class Button>
void Recreate(std::unique_ptr<Button>& slot, const TileButtonLayout& layout,
              const ButtonRect& window, CRolvanView* view, UINT id) {
    slot.reset();
    slot = std::make_unique<Button>(layout.pictureWidth, layout.pictureHeight, view);
    const CRect rect{window.left, window.top, window.right, window.bottom};
    slot->Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect, view, id);
}

}  // namespace

void CRolvanView::CreateTileButtons() {
    const TileButtonLayout layout = ComputeTileButtonLayout(clientWidth, clientHeight);
    Recreate(leftButton, layout, layout.windows[0], this, ID_MOVES_TOPSQUARE);
    Recreate(centreButton, layout, layout.windows[1], this, ID_MOVES_MIDDLESQUARE);
    Recreate(rightButton, layout, layout.windows[2], this, ID_MOVES_BOTTOMSQUARE);
    DescribeTileButtons();
}
