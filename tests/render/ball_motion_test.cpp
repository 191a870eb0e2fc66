// The ball's centre at rest and at every step of its crossings, on squares of even and odd
// width.

#include "render/ball_motion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "game/ball_path.h"
#include "game/rules_test_support.h"

inline void PrintTo(const PixelPoint& point, std::ostream* os) {
    *os << "(" << point.x << "," << point.y << ")";
}

namespace {

constexpr Direction kDirections[] = {Direction::Up, Direction::Right, Direction::Down,
                                     Direction::Left};

Square At(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    Square square;
    square.x = x;
    square.y = y;
    square.width = width;
    square.height = height;
    return square;
}

std::vector<PixelPoint> ArcCentres(const Square& square, SquareKind tile, Direction incoming) {
    std::vector<PixelPoint> centres;
    for (std::int32_t i = 0; i < ArcStepCount(square); ++i) {
        centres.push_back(ArcStepCentre(square, tile, incoming, i));
    }
    return centres;
}

// The vertical distances for k = n down to 0 on a 37 x 50 square: the ball starts five
// pixels inside the entry edge because the truncations of n and m do not cancel.
const std::vector<std::int32_t> kOddRises = {5,  10, 12, 14, 16, 18, 19, 20, 21, 22,
                                             23, 23, 24, 24, 25, 25, 25, 25, 25};

TEST(BallAtRest, EntryAndExitMidpointsForEachDirection) {
    const Square s = At(153, 150, 37, 50);
    struct Case {
        Direction direction;
        PixelPoint entry;
        PixelPoint exit;
    };
    const Case cases[] = {
        {Direction::Up, {171, 200}, {171, 150}},
        {Direction::Right, {153, 175}, {190, 175}},
        {Direction::Down, {171, 150}, {171, 200}},
        {Direction::Left, {190, 175}, {153, 175}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.direction));
        PixelPoint centre;
        ASSERT_TRUE(BallCentreAtEdge(s, 0, c.direction, &centre));
        EXPECT_EQ(centre, c.entry);
        ASSERT_TRUE(BallCentreAtEdge(s, 1, c.direction, &centre));
        EXPECT_EQ(centre, c.exit);
    }
    PixelPoint untouched{-7, -7};
    EXPECT_FALSE(BallCentreAtEdge(s, 0, Direction::None, &untouched));
    EXPECT_EQ(untouched, (PixelPoint{-7, -7}));
}

TEST(BallAtRest, CameFromIsTheNeighbourOnTheEntrySide) {
    Board board;
    MakeBoard(board, 3, 3);
    const Square& middle = *board.SquareAt(1, 1);
    EXPECT_EQ(CameFrom(middle, Direction::Up), board.SquareAt(1, 2));
    EXPECT_EQ(CameFrom(middle, Direction::Right), board.SquareAt(0, 1));
    EXPECT_EQ(CameFrom(middle, Direction::Down), board.SquareAt(1, 0));
    EXPECT_EQ(CameFrom(middle, Direction::Left), board.SquareAt(2, 1));
    EXPECT_EQ(CameFrom(middle, Direction::None), nullptr);
    EXPECT_EQ(CameFrom(*board.SquareAt(0, 0), Direction::Right), nullptr);
}

TEST(StraightCrossing, OnePixelPerStepFromEntryToExitMidpoint) {
    const Square s = At(153, 150, 37, 50);
    for (Direction d : kDirections) {
        SCOPED_TRACE(static_cast<int>(d));
        const bool across = d == Direction::Right || d == Direction::Left;
        const std::int32_t steps = StraightStepCount(s, d);
        EXPECT_EQ(steps, across ? 38 : 51);

        PixelPoint entry;
        PixelPoint exit;
        BallCentreAtEdge(s, 0, d, &entry);
        BallCentreAtEdge(s, 1, d, &exit);
        EXPECT_EQ(StraightStepCentre(s, d, 0), entry);
        EXPECT_EQ(StraightStepCentre(s, d, steps - 1), exit);
        for (std::int32_t i = 1; i < steps; ++i) {
            const PixelPoint a = StraightStepCentre(s, d, i - 1);
            const PixelPoint b = StraightStepCentre(s, d, i);
            EXPECT_EQ(std::abs(b.x - a.x) + std::abs(b.y - a.y), 1) << "step " << i;
        }
    }
}

TEST(ArcRise, TheTruncatedRootsOfTheText) {
    // 36 x 50: n = 18, m = 450.
    EXPECT_EQ(ArcRise(36, 50, 18), 0);
    EXPECT_EQ(ArcRise(36, 50, 17), 8);
    EXPECT_EQ(ArcRise(36, 50, 1), 24);
    EXPECT_EQ(ArcRise(36, 50, 0), 25);
    // 37 x 50: n = 18, m = 462.
    std::vector<std::int32_t> rises;
    for (std::int32_t k = 18; k >= 0; --k) {
        rises.push_back(ArcRise(37, 50, k));
    }
    EXPECT_EQ(rises, kOddRises);
}

TEST(ArcRise, BigSquaresDoNotOverflowAndNarrowOnesHaveNoArc) {
    // m² is about 1.7e11 here, far past 32 bits.
    EXPECT_EQ(ArcRise(1600, 1040, 0), 520);
    EXPECT_EQ(ArcRise(1600, 1040, 800), 0);
    EXPECT_EQ(ArcStepCount(At(0, 0, 1, 50)), 0);
    EXPECT_EQ(ArcStepCount(At(0, 0, 0, 50)), 0);
    EXPECT_EQ(ArcStepCount(At(0, 0, -3, 50)), 0);
    EXPECT_EQ(ArcRise(1, 50, 0), 0);
    EXPECT_EQ(ArcStepCount(At(0, 0, 2, 50)), 2);
    EXPECT_EQ(ArcStepCount(At(0, 0, 37, 50)), 19);
}

struct ArcCase {
    SquareKind tile;
    Direction incoming;
};

const ArcCase kArcs[] = {
    {LeftTile, Direction::Up},    {LeftTile, Direction::Right}, {LeftTile, Direction::Down},
    {LeftTile, Direction::Left},  {RightTile, Direction::Up},   {RightTile, Direction::Right},
    {RightTile, Direction::Down}, {RightTile, Direction::Left},
};

// On an even square every arc starts exactly on the entry midpoint, ends exactly on the
// exit midpoint of the tile's turn, and every centre lies on the ellipse around the
// corner between the two edges.
TEST(ArcCrossing, EvenSquareRunsFromEntryMidpointToExitMidpointAlongTheEllipse) {
    const Square s = At(100, 200, 36, 50);
    for (const ArcCase& arc : kArcs) {
        SCOPED_TRACE(::testing::Message()
                     << "tile " << arc.tile << " incoming " << static_cast<int>(arc.incoming));
        const Direction outgoing = ExitDirection(arc.tile, arc.incoming);
        const std::vector<PixelPoint> centres = ArcCentres(s, arc.tile, arc.incoming);
        ASSERT_EQ(centres.size(), 19u);
        PixelPoint entry;
        PixelPoint exit;
        BallCentreAtEdge(s, 0, arc.incoming, &entry);
        BallCentreAtEdge(s, 1, outgoing, &exit);
        EXPECT_EQ(centres.front(), entry);
        EXPECT_EQ(centres.back(), exit);

        // The corner shared by the entry and the exit edge.
        const bool right = arc.incoming == Direction::Left || outgoing == Direction::Right;
        const bool bottom = arc.incoming == Direction::Up || outgoing == Direction::Down;
        const double cornerX = right ? s.x + s.width : s.x;
        const double cornerY = bottom ? s.y + s.height : s.y;
        for (std::size_t i = 0; i < centres.size(); ++i) {
            const double u = (centres[i].x - cornerX) / 18.0;
            const double v = (centres[i].y - cornerY) / 25.0;
            EXPECT_NEAR(u * u + v * v, 1.0, 0.09) << "step " << i;
            if (i > 0) {
                EXPECT_EQ(std::abs(centres[i].x - centres[i - 1].x), 1) << "step " << i;
            }
        }
    }
}

TEST(ArcCrossing, OddSquareFollowsTheRisesOfTheText) {
    const Square s = At(153, 150, 37, 50);
    // Rolling up into a LeftTile: x from x + w - n, k from n down to 0, y above the
    // bottom-right corner.
    std::vector<PixelPoint> expected;
    for (std::int32_t i = 0; i < 19; ++i) {
        expected.push_back({153 + 19 + i, 200 - kOddRises[i]});
    }
    EXPECT_EQ(ArcCentres(s, LeftTile, Direction::Up), expected);

    // Rolling right into a RightTile: x from x, k from 0 up to n, y above the bottom-left
    // corner, so the rises come in the other order.
    expected.clear();
    for (std::int32_t i = 0; i < 19; ++i) {
        expected.push_back({153 + i, 200 - kOddRises[18 - i]});
    }
    EXPECT_EQ(ArcCentres(s, RightTile, Direction::Right), expected);

    // Rolling down into a LeftTile: x from x + n leftwards, y below the top-left corner.
    expected.clear();
    for (std::int32_t i = 0; i < 19; ++i) {
        expected.push_back({153 + 18 - i, 150 + kOddRises[i]});
    }
    EXPECT_EQ(ArcCentres(s, LeftTile, Direction::Down), expected);

    // Rolling left into a RightTile: x from x + w leftwards, y below the top-right corner.
    expected.clear();
    for (std::int32_t i = 0; i < 19; ++i) {
        expected.push_back({153 + 37 - i, 150 + kOddRises[18 - i]});
    }
    EXPECT_EQ(ArcCentres(s, RightTile, Direction::Left), expected);
}

TEST(ArcCrossing, OddSquareEndsOnOneMidpointAndNearTheOther) {
    const Square s = At(153, 150, 37, 50);
    for (const ArcCase& arc : kArcs) {
        SCOPED_TRACE(::testing::Message()
                     << "tile " << arc.tile << " incoming " << static_cast<int>(arc.incoming));
        const std::vector<PixelPoint> centres = ArcCentres(s, arc.tile, arc.incoming);
        PixelPoint entry;
        PixelPoint exit;
        BallCentreAtEdge(s, 0, arc.incoming, &entry);
        BallCentreAtEdge(s, 1, ExitDirection(arc.tile, arc.incoming), &exit);
        // The end where k is 0 lies exactly on its midpoint; the end where k is n lies a few
        // pixels inside the square, which is why the exit is drawn once more after an arc.
        const int offEntry =
            std::abs(centres.front().x - entry.x) + std::abs(centres.front().y - entry.y);
        const int offExit =
            std::abs(centres.back().x - exit.x) + std::abs(centres.back().y - exit.y);
        EXPECT_EQ(std::min(offEntry, offExit), 0);
        EXPECT_LE(std::max(offEntry, offExit), 6);
        for (const PixelPoint& c : centres) {
            EXPECT_GE(c.x, s.x);
            EXPECT_LE(c.x, s.x + s.width);
            EXPECT_GE(c.y, s.y);
            EXPECT_LE(c.y, s.y + s.height);
        }
    }
}

}  // namespace
