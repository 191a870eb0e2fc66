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

// No loop guard is needed: every tile maps entry edges one to one onto exit edges and
// tiles are only laid where the ball stands, so a walk retraces no earlier state and
// must reach a square without a tile or the edge.
PathResult RollBall(BallState& ball, SegmentAnimation* animation) {
    if (!ball.currentSquare) {
        return PathUnknownKind;
    }
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
    }
}
