#pragma once

// Where the three tile buttons stand in the right-hand strip of the client area, and the
// size of the picture each draws. The picture's size is worked out apart from the
// window's rectangle and may be a pixel off it; the picture keeps its own size.

#include <array>
#include <cstdint>

struct ButtonRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const ButtonRect&, const ButtonRect&) = default;
};

struct TileButtonLayout {
    // Top (LeftTile), middle (CentreTile), bottom (RightTile).
    std::array<ButtonRect, 3> windows{};
    std::int32_t pictureWidth = 0;
    std::int32_t pictureHeight = 0;
};

TileButtonLayout ComputeTileButtonLayout(std::int32_t clientWidth, std::int32_t clientHeight);

// The pen of a picture: a seventh of its smaller side, at least 1.
std::int32_t TileButtonPenWidth(std::int32_t width, std::int32_t height);
