#include "game/start_position.h"

void SetUpStartPosition(Board& board, BallState& ball) {
    board.ForEachSquare([](Square& square) { square.kind = Empty; });
    if (Square* corner = board.TopRightCorner()) {
        corner->kind = Home;
    }
    if (Square* corner = board.BottomLeftCorner()) {
        corner->kind = CentreTile;
    }
    ball.direction = Direction::Right;
    ball.currentSquare = board.StartSquare();
}
