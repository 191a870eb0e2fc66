#include "game/ball_path.h"

namespace {

// The tile a square's kind stands for, or 0 when it holds no tile.
SquareKind TileOf(SquareKind kind) {
    switch (kind) {
        case LeftTile:
        case TrialLeft:
            return LeftTile;
        case CentreTile:
        case TrialCentre:
            return CentreTile;
        case RightTile:
        case TrialRight:
            return RightTile;
        default:
            return SquareKind(0);
    }
}

}  // namespace

Direction ExitDirection(SquareKind tile, Direction incoming) {
    switch (TileOf(tile)) {
        case CentreTile:
            return incoming;
        case LeftTile:
            switch (incoming) {
                case Direction::Up:
                    return Direction::Right;
                case Direction::Right:
                    return Direction::Up;
                case Direction::Down:
                    return Direction::Left;
                case Direction::Left:
                    return Direction::Down;
                case Direction::None:
                    break;
            }
            break;
        case RightTile:
            switch (incoming) {
                case Direction::Up:
                    return Direction::Left;
                case Direction::Right:
                    return Direction::Down;
                case Direction::Down:
                    return Direction::Right;
                case Direction::Left:
                    return Direction::Up;
                case Direction::None:
                    break;
            }
            break;
        default:
            break;
    }
    return Direction::None;
}

// Every tile maps entry edges one to one onto exit edges, so a walk that never ends must
// come back to the square it set out from, going the same way. Tiles laid only where the
// ball stands never close such a loop, but the editor can take a tile out of the ball's
// track in the middle of a game, and the tiles laid afterwards can. A ball caught in a
// loop is lost as if it had left the board.
PathResult RollBall(BallState& ball, SegmentAnimation* animation) {
    if (!ball.currentSquare) {
        return PathUnknownKind;
    }
    const BallState start = ball;
    for (;;) {
        Square* square = ball.currentSquare;
        switch (square->kind) {
            case Home:
                return PathHome;
            case Border:
                return PathBorder;
            case Empty:
                return PathEmpty;
            default:
                break;
        }
        const SquareKind tile = TileOf(square->kind);
        const Direction outgoing = ExitDirection(tile, ball.direction);
        if (outgoing == Direction::None) {
            return PathUnknownKind;
        }
        const Direction incoming = ball.direction;
        ball.direction = outgoing;
        if (animation) {
            animation->AnimateSegment(tile, incoming);
        }
        ball.currentSquare = Neighbour(*square, outgoing);
        if (!ball.currentSquare) {
            return PathBorder;
        }
        if (ball.currentSquare == start.currentSquare && ball.direction == start.direction) {
            ball.currentSquare = nullptr;
            return PathBorder;
        }
    }
}
