#pragma once

// The board editor's rules, apart from the window: which square a click hits, which
// squares it may not change, and what a click makes of a square.

#include <cstdint>

#include "game/board.h"

// The square under a client point, or none. The grid's right and bottom boundary lines
// belong to no square, nor does anything outside the grid.
Square* SquareAtPoint(const Board& board, std::int32_t x, std::int32_t y);

// Whether the editor refuses to give `square` the kind `mark` (Home or Border). Every game
// starts with its tile in the bottom-left corner and the ball on the square to its right,
// so neither may become anything else; and a Home square next to the start, or above the
// start or the square after it, would end most games with the first move. On a board too
// small to have some of these squares they simply drop out of the rule.
bool IsProtectedSquare(const Board& board, const Square& square, SquareKind mark);

// A click with the button of `mark` takes a square of that kind back to Empty and makes
// any other square, a laid tile included, a square of that kind.
SquareKind ToggledKind(SquareKind current, SquareKind mark);

// Every Home and Border square becomes Empty; tiles stay.
void ClearHomeAndBorder(Board& board);
