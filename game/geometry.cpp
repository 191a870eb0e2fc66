#include "game/geometry.h"

#include "game/board.h"

BoardGeometry ComputeBoardGeometry(std::int32_t clientWidth, std::int32_t clientHeight,
                                   std::int32_t columns, std::int32_t rows) {
    BoardGeometry g;
    const std::int32_t areaWidth = BoardAreaWidth(clientWidth);
    // The stored grid size is kept within 1..100 when read, so the divisors are positive;
    // the guard only keeps a corrupted board from dividing by zero.
    const std::int32_t across = columns + 2 > 0 ? columns + 2 : 1;
    const std::int32_t down = rows + 2 > 0 ? rows + 2 : 1;
    g.squareHeight = clientHeight / down;
    g.squareWidth = areaWidth / across;
    g.ballRadiusX = g.squareWidth / 5;
    g.ballRadiusY = g.squareHeight / 5;
    g.originX = (areaWidth - columns * g.squareWidth) / 2;
    g.originY = (clientHeight - rows * g.squareHeight) / 2;
    return g;
}

void ApplyBoardGeometry(Board& board, const BoardGeometry& geometry) {
    board.squareWidth = geometry.squareWidth;
    board.squareHeight = geometry.squareHeight;
    board.originX = geometry.originX;
    board.originY = geometry.originY;
    board.LayoutSquares();
}
