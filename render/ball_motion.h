#pragma once

// Where the ball's centre stands at each step of its roll across one square, and where it
// rests on an edge. Pure arithmetic on the square's rectangle, so the step tables can be
// checked without a window; the view draws the sprite at these points.

#include <cstdint>

#include "game/board.h"

struct PixelPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// The midpoint of the edge by which a ball travelling in `direction` enters the square
// (fraction 0) or leaves it (fraction 1). Absent for Direction::None.
bool BallCentreAtEdge(const Square& square, int fraction, Direction direction, PixelPoint* centre);

// The neighbour a ball travelling in `direction` came from: the one on the side it entered
// by. Absent on the board's edge.
Square* CameFrom(const Square& square, Direction direction);

// A straight crossing moves one pixel per step from the entry midpoint to the exit
// midpoint, both included: width + 1 steps across, height + 1 steps up or down.
std::int32_t StraightStepCount(const Square& square, Direction direction);
PixelPoint StraightStepCentre(const Square& square, Direction direction, std::int32_t step);

// An arc follows a quarter of the ellipse around one corner of the square, with half-axes
// width / 2 and height / 2, one pixel across per step: width / 2 + 1 steps. A square
// narrower than 2 pixels has no arc (0 steps); the ball then only shows at the exit.
std::int32_t ArcStepCount(const Square& square);

// The vertical distance between the ball's centre and the ellipse's corner when the
// horizontal distance is k: the truncated square root of (m² - o²) / n² with n = w / 2,
// m = w·h / 4 and o = k·h / 2. Taken in double precision, since m² outgrows 32 bits on
// large squares. Needs w of at least 2.
std::int32_t ArcRise(std::int32_t width, std::int32_t height, std::int32_t k);

// The centre at `step` (0 to ArcStepCount - 1) of the arc that a tile (LeftTile or
// RightTile) gives a ball coming in travelling `incoming`.
PixelPoint ArcStepCentre(const Square& square, SquareKind tile, Direction incoming,
                         std::int32_t step);
