// The eight colour commands. Each opens the picker on the colour's current value and, once
// a colour is chosen, rebuilds only the pictures that use it, repaints only the squares
// whose picture changed, puts back the ball where that repaint covered it, and stores
// the value. Choosing the colour that is already set goes through all of it as well.

#include <memory>

#include "render/tile_buttons.h"
#include "shell/rolvan_view.h"

namespace {

// Cancel leaves the colour, the screen and the store as they were.
template <class OwnSteps>
void ChangeColour(CRolvanView& view, COLORREF CRolvanView::*colour, const char* valueName,
                  OwnSteps ownSteps) {
    CColorDialog picker(view.*colour, 0, view.GetParentFrame());
    if (picker.DoModal() != IDOK) {
        return;
    }
    view.*colour = picker.GetColor();
    ownSteps();
    view.StoreColour(view.*colour, valueName);
}

// The resting ball lies half on currentSquare (Empty) and half on the tile it came from,
// so every repaint of Empty or tile squares wipes part of it.
void RedrawBall(CRolvanView& view) {
    CClientDC dc(&view);
    view.DrawBallAtEdge(&dc, 0, view.ball.direction);
}

}  // namespace

// The background shows between and around everything, so the whole window is repainted:
// background, squares and ball on one client surface, then the three tile buttons, which
// is the full redraw.
void CRolvanView::OnWindowBackgroundColour() {
    ChangeColour(*this, &CRolvanView::WindowBackgroundColour, "WindowBackgroundColour", [this] {
        BuildBorderImage();
        RedrawAll();
    });
}

void CRolvanView::OnGridBackgroundColour() {
    ChangeColour(*this, &CRolvanView::GridBackgroundColour, "GridBackgroundColour", [this] {
        BuildEmptyImage();
        BuildBallSprite();
        RepaintKinds(Empty);
        RedrawBall(*this);
    });
}

// Tile squares keep their own outline, TileBorderColour.
void CRolvanView::OnGridLineColour() {
    ChangeColour(*this, &CRolvanView::GridLineColour, "GridLineColour", [this] {
        BuildHomeImage();
        BuildEmptyImage();
        BuildBorderImage();
        RepaintKinds(Home | Border | Empty);
        RedrawBall(*this);
    });
}

void CRolvanView::OnTileBackgroundColour() {
    ChangeColour(*this, &CRolvanView::TileBackgroundColour, "TileBackgroundColour", [this] {
        CreateTileButtons();
        BuildLeftTileImage();
        BuildCentreTileImage();
        BuildRightTileImage();
        BuildBallSprite();
        RepaintKinds(kTileKinds);
        RedrawBall(*this);
    });
}

namespace {

void RepaintTilesAndButtons(CRolvanView& view) {
    view.BuildLeftTileImage();
    view.BuildCentreTileImage();
    view.BuildRightTileImage();
    view.CreateTileButtons();
    view.RepaintKinds(kTileKinds);
    RedrawBall(view);
}

}  // namespace

void CRolvanView::OnTileBorderColour() {
    ChangeColour(*this, &CRolvanView::TileBorderColour, "TileBorderColour",
                 [this] { RepaintTilesAndButtons(*this); });
}

void CRolvanView::OnTileLineColour() {
    ChangeColour(*this, &CRolvanView::TileLineColour, "TileLineColour",
                 [this] { RepaintTilesAndButtons(*this); });
}

// The ball never lies over a Home square at rest, so it needs no redrawing here.
void CRolvanView::OnHomeSquareColour() {
    ChangeColour(*this, &CRolvanView::HomeSquareColour, "HomeSquareColour", [this] {
        BuildHomeImage();
        RepaintKinds(Home);
    });
}

// No square picture uses the ball colour: the ball is painted again over itself.
void CRolvanView::OnBallColour() {
    ChangeColour(*this, &CRolvanView::BallColour, "BallColour", [this] {
        ballBrush.reset();
        ballBrush = std::make_unique<CBrush>(BallColour);
        BuildBallSprite();
        RedrawBall(*this);
    });
}
