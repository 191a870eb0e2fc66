#pragma once

#include "game/ball_path.h"
#include "game/board.h"

// Clears the board for a new game: every square Empty, the top-right corner Home, the
// bottom-left corner a CentreTile, and the ball on the square to its right, moving right,
// as if it had just rolled out of the corner's tile. On a board of one column there is
// no start square and the ball has no square.
void SetUpStartPosition(Board& board, BallState& ball);
