#include "render/ball_motion.h"

#include <cmath>

bool BallCentreAtEdge(const Square& square, int fraction, Direction direction, PixelPoint* centre) {
    const std::int32_t x = square.x;
    const std::int32_t y = square.y;
    const std::int32_t w = square.width;
    const std::int32_t h = square.height;
    switch (direction) {
        case Direction::Up:
            *centre = {x + w / 2, y + (1 - fraction) * h};
            return true;
        case Direction::Right:
            *centre = {x + fraction * w, y + h / 2};
            return true;
        case Direction::Down:
            *centre = {x + w / 2, y + fraction * h};
            return true;
        case Direction::Left:
            *centre = {x + (1 - fraction) * w, y + h / 2};
            return true;
        case Direction::None:
            break;
    }
    return false;
}

Square* CameFrom(const Square& square, Direction direction) {
    return Neighbour(square, Opposite(direction));
}

std::int32_t StraightStepCount(const Square& square, Direction direction) {
    switch (direction) {
        case Direction::Right:
        case Direction::Left:
            return square.width >= 0 ? square.width + 1 : 0;
        case Direction::Up:
        case Direction::Down:
            return square.height >= 0 ? square.height + 1 : 0;
        case Direction::None:
            break;
    }
    return 0;
}

PixelPoint StraightStepCentre(const Square& square, Direction direction, std::int32_t step) {
    const std::int32_t x = square.x;
    const std::int32_t y = square.y;
    const std::int32_t w = square.width;
    const std::int32_t h = square.height;
    switch (direction) {
        case Direction::Right:
            return {x + step, y + h / 2};
        case Direction::Left:
            return {x + w - step, y + h / 2};
        case Direction::Up:
            return {x + w / 2, y + h - step};
        case Direction::Down:
            return {x + w / 2, y + step};
        case Direction::None:
            break;
    }
    return {x, y};
}

std::int32_t ArcStepCount(const Square& square) {
    const std::int32_t n = square.width / 2;
    return n >= 1 ? n + 1 : 0;
}

std::int32_t ArcRise(std::int32_t width, std::int32_t height, std::int32_t k) {
    const std::int32_t n = width / 2;
    if (n < 1) {
        return 0;
    }
    // The products are taken in 64 bits: the same values as the 32-bit arithmetic on any
    // square a window can hold, and no overflow on the absurd ones.
    const std::int64_t m = std::int64_t{width} * height / 4;
    const std::int64_t o = std::int64_t{k} * height / 2;
    const double nn = static_cast<double>(n) * n;
    const double squared = (static_cast<double>(m) * m - static_cast<double>(o) * o) / nn;
    if (!(squared > 0)) {
        return 0;
    }
    return static_cast<std::int32_t>(std::sqrt(squared));
}

namespace {

// How one of the eight arcs runs: where x starts and which way it moves, whether k counts
// down from n or up from 0, and whether y is measured from the top or the bottom edge.
struct ArcShape {
    bool valid = false;
    bool xFromRight = false;    // x starts at x + w (- n) rather than at x (+ n)
    bool xTowardsLeft = false;  // x decreases step by step
    bool kFromN = false;        // k = n - i rather than i
    bool yFromBottom = false;   // y = y + h - r rather than y + r
};

ArcShape ShapeOf(SquareKind tile, Direction incoming) {
    // One row per tile and entry: {valid, xFromRight, xTowardsLeft, kFromN, yFromBottom}.
    if (tile == LeftTile) {
        switch (incoming) {
            case Direction::Up:
                return {true, true, false, true, true};
            case Direction::Right:
                return {true, false, false, false, false};
            case Direction::Down:
                return {true, false, true, true, false};
            case Direction::Left:
                return {true, true, true, false, true};
            case Direction::None:
                break;
        }
    } else if (tile == RightTile) {
        switch (incoming) {
            case Direction::Up:
                return {true, false, true, true, true};
            case Direction::Right:
                return {true, false, false, false, true};
            case Direction::Down:
                return {true, true, false, true, false};
            case Direction::Left:
                return {true, true, true, false, false};
            case Direction::None:
                break;
        }
    }
    return {};
}

}  // namespace

PixelPoint ArcStepCentre(const Square& square, SquareKind tile, Direction incoming,
                         std::int32_t step) {
    const ArcShape shape = ShapeOf(tile, incoming);
    if (!shape.valid) {
        return {square.x, square.y};
    }
    const std::int32_t w = square.width;
    const std::int32_t h = square.height;
    const std::int32_t n = w / 2;
    const std::int32_t k = shape.kFromN ? n - step : step;
    const std::int32_t r = ArcRise(w, h, k);

    std::int32_t cx = 0;
    if (shape.xFromRight) {
        // x + w - n + i going right, x + w - i going left.
        cx = shape.xTowardsLeft ? square.x + w - step : square.x + w - n + step;
    } else {
        // x + i going right, x + n - i going left.
        cx = shape.xTowardsLeft ? square.x + n - step : square.x + step;
    }
    const std::int32_t cy = shape.yFromBottom ? square.y + h - r : square.y + r;
    return {cx, cy};
}
