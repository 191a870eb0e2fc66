#pragma once

// The lines drawn on the pictures of the three tiles: the square pictures of the board and
// the larger pictures of the tile buttons. Both follow the lines the ball rolls along, so
// they share the ellipses; the buttons stop their strokes a pen's half-width short of the
// edge. Kept apart from the drawing so the numbers can be checked without a window.

#include <array>
#include <cstdint>

#include "game/board.h"

// An arc is the part of the ellipse inscribed in (left, top)-(right, bottom) that runs
// counter-clockwise on the screen from the ray through the start point to the ray through
// the end point; a line runs from the start point to the end point.
struct TileStroke {
    bool arc = false;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t xStart = 0;
    std::int32_t yStart = 0;
    std::int32_t xEnd = 0;
    std::int32_t yEnd = 0;
    friend bool operator==(const TileStroke&, const TileStroke&) = default;
};

// Every tile has two strokes, drawn in this order. `valid` is false for kinds without
// lines (Home, Border, Empty, trial kinds).
struct TileStrokes {
    bool valid = false;
    std::array<TileStroke, 2> strokes{};
};

// The lines on a square picture of width x height.
TileStrokes SquarePictureStrokes(SquareKind tile, std::int32_t width, std::int32_t height);

// The lines on a tile button's picture of width x height, drawn with a pen `penWidth`
// wide.
TileStrokes ButtonPictureStrokes(SquareKind tile, std::int32_t width, std::int32_t height,
                                 std::int32_t penWidth);
