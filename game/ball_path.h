#pragma once

#include <cstdint>

#include "game/board.h"

// Where the ball stands and the way it entered that square.
struct BallState {
    Square* currentSquare = nullptr;
    Direction direction = Direction::None;
};

// How a roll ended. Reaching a Border square and leaving the board are the same result.
enum PathResult : std::int32_t {
    PathUnknownKind = 0,
    PathHome = Home,
    PathBorder = Border,
    PathEmpty = Empty,
};

// Draws the ball across the current square. The walk calls it once per square crossed,
// before it moves on, so the square being crossed is still the current square.
class SegmentAnimation {
public:
    virtual ~SegmentAnimation() = default;
    virtual void AnimateSegment(SquareKind tile, Direction incoming) = 0;
};

// The direction in which a tile sends a ball that came in travelling `incoming`.
// Trial kinds behave like their tiles.
Direction ExitDirection(SquareKind tile, Direction incoming);

// Rolls the ball along the tiles from its square until it reaches a square without a
// tile or leaves the board. A ball that comes back to its square going the same way is
// caught in a loop of tiles and ends as PathBorder with no square, like one that left. With no
// animation it is a dry run: nothing is drawn and nothing allocated. Only the ball state changes,
// never a square's kind.
PathResult RollBall(BallState& ball, SegmentAnimation* animation);
