#pragma once

// The three buttons to the right of the board, each showing one tile in the tile
// colours of its view. A click lays that tile: the button's control ID is the Moves
// command of the same tile.

#include <cstdint>

#include "game/board.h"
#include "shell/platform/button.h"

class CRolvanView;

class TileButton : public CButton {
public:
    ~TileButton() override;

    // The picture is the same in every state, so the record is not read; it is drawn on a
    // surface of the button's own client area.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // The picture's size is worked out apart from the window's and may be a pixel off it.
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t halfHeight = 0;
    std::int32_t halfWidth = 0;
    std::int32_t penWidth = 1;
    // Not owned. A button without one only complains when asked to draw.
    CRolvanView* view = nullptr;

protected:
    TileButton(std::int32_t pictureWidth, std::int32_t pictureHeight, CRolvanView* ownerView,
               SquareKind tile, const char* orphanMessage);

private:
    SquareKind m_tile;
    const char* m_orphanMessage;
};

class LeftButton : public TileButton {
public:
    LeftButton(std::int32_t pictureWidth, std::int32_t pictureHeight, CRolvanView* ownerView);
};

class CentreButton : public TileButton {
public:
    CentreButton(std::int32_t pictureWidth, std::int32_t pictureHeight, CRolvanView* ownerView);
};

class RightButton : public TileButton {
public:
    RightButton(std::int32_t pictureWidth, std::int32_t pictureHeight, CRolvanView* ownerView);
};
