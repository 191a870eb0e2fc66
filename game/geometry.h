#pragma once

#include <cstdint>

class Board;

// Where the squares, the ball and the grid go for a client area of a given size. The
// right-hand fifth of the client area is left to the tile buttons.
struct BoardGeometry {
    std::int32_t squareWidth = 0;
    std::int32_t squareHeight = 0;
    std::int32_t ballRadiusX = 0;
    std::int32_t ballRadiusY = 0;
    std::int32_t originX = 0;
    std::int32_t originY = 0;
};

constexpr std::int32_t BoardAreaWidth(std::int32_t clientWidth) {
    return clientWidth * 8 / 10;
}

// Needs a non-zero client size; the caller keeps the old geometry for a minimised window.
BoardGeometry ComputeBoardGeometry(std::int32_t clientWidth, std::int32_t clientHeight,
                                   std::int32_t columns, std::int32_t rows);

// Copies the square size and origin into the board and lays out every square.
void ApplyBoardGeometry(Board& board, const BoardGeometry& geometry);
