#include "game/ball_path.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/rules_test_support.h"
#include "game/start_position.h"

namespace {

struct Segment {
    GridPoint where;
    SquareKind tile;
    Direction incoming;
    friend bool operator==(const Segment&, const Segment&) = default;
};

void PrintTo(const Segment& s, std::ostream* os) {
    PrintTo(s.where, os);
    *os << " tile " << s.tile << " in " << static_cast<int>(s.incoming);
}

// Records each segment with the square the ball stands on while it is drawn.
class SegmentRecorder : public SegmentAnimation {
public:
    SegmentRecorder(const Board& board, const BallState& ball) : board_(board), ball_(ball) {}
    void AnimateSegment(SquareKind tile, Direction incoming) override {
        segments.push_back({Where(board_, ball_.currentSquare), tile, incoming});
    }
    std::vector<Segment> segments;

private:
    const Board& board_;
    const BallState& ball_;
};

struct ExitRow {
    SquareKind tile;
    Direction incoming;
    Direction outgoing;
};

// The exit table row by row, with the neighbour each outgoing direction leads to.
const ExitRow kExitTable[] = {
    {LeftTile, Direction::Up, Direction::Right},
    {LeftTile, Direction::Right, Direction::Up},
    {LeftTile, Direction::Down, Direction::Left},
    {LeftTile, Direction::Left, Direction::Down},
    {CentreTile, Direction::Up, Direction::Up},
    {CentreTile, Direction::Right, Direction::Right},
    {CentreTile, Direction::Down, Direction::Down},
    {CentreTile, Direction::Left, Direction::Left},
    {RightTile, Direction::Up, Direction::Left},
    {RightTile, Direction::Right, Direction::Down},
    {RightTile, Direction::Down, Direction::Right},
    {RightTile, Direction::Left, Direction::Up},
};

GridPoint Beside(GridPoint p, Direction d) {
    switch (d) {
        case Direction::Up:
            return {p.column, p.row - 1};
        case Direction::Right:
            return {p.column + 1, p.row};
        case Direction::Down:
            return {p.column, p.row + 1};
        default:
            return {p.column - 1, p.row};
    }
}

TEST(ExitTable, EveryTileAndItsTrialKindTurnTheBallAsTheTableSays) {
    for (const ExitRow& row : kExitTable) {
        for (SquareKind kind : {row.tile, SquareKind(row.tile << kTrialShift)}) {
            SCOPED_TRACE(testing::Message()
                         << "kind " << kind << " incoming " << static_cast<int>(row.incoming));
            EXPECT_EQ(ExitDirection(kind, row.incoming), row.outgoing);

            // One step on a 3 x 3 board from the centre: the ball must arrive on the
            // neighbour the outgoing direction names and stop there.
            Board board;
            MakeBoard(board, 3, 3);
            Square* centre = board.SquareAt(1, 1);
            centre->kind = kind;
            BallState ball{centre, row.incoming};
            SegmentRecorder recorder(board, ball);
            EXPECT_EQ(RollBall(ball, &recorder), PathEmpty);
            EXPECT_EQ(Where(board, ball.currentSquare), Beside({1, 1}, row.outgoing));
            EXPECT_EQ(ball.direction, row.outgoing);
            EXPECT_EQ(recorder.segments, (std::vector<Segment>{{{1, 1}, row.tile, row.incoming}}));
            EXPECT_EQ(centre->kind, kind);
        }
    }
}

TEST(ExitTable, NoTileNoDirectionGivesNoExit) {
    for (SquareKind kind : {Home, Border, Empty, SquareKind(0), SquareKind(3)}) {
        EXPECT_EQ(ExitDirection(kind, Direction::Right), Direction::None) << kind;
    }
    EXPECT_EQ(ExitDirection(LeftTile, Direction::None), Direction::None);
    EXPECT_EQ(ExitDirection(RightTile, Direction(250)), Direction::None);
}

class StartOfGame : public testing::Test {
protected:
    void SetUp() override {
        MakeBoard(board, 15, 10);
        SetUpStartPosition(board, ball);
    }
    PathResult Lay(SquareKind tile) {
        ball.currentSquare->kind = tile;
        return RollBall(ball, nullptr);
    }
    Board board;
    BallState ball;
};

TEST_F(StartOfGame, CentreTileRollsOnToTheThirdSquare) {
    EXPECT_EQ(Lay(CentreTile), PathEmpty);
    EXPECT_EQ(Where(board, ball.currentSquare), (GridPoint{2, 9}));
    EXPECT_EQ(ball.direction, Direction::Right);
}

TEST_F(StartOfGame, LeftTileTurnsUpAndRightTileLeavesTheBoard) {
    EXPECT_EQ(Lay(LeftTile), PathEmpty);
    EXPECT_EQ(Where(board, ball.currentSquare), (GridPoint{1, 8}));
    EXPECT_EQ(ball.direction, Direction::Up);

    SetUpStartPosition(board, ball);
    EXPECT_EQ(Lay(RightTile), PathBorder);
    EXPECT_EQ(ball.currentSquare, nullptr);
    EXPECT_EQ(ball.direction, Direction::Down);
}

TEST_F(StartOfGame, EachWalkStartsWithTheDirectionThePreviousOneEndedWith) {
    ASSERT_EQ(Lay(CentreTile), PathEmpty);
    ASSERT_EQ(Lay(LeftTile), PathEmpty);  // on (2,9), entered moving right: turns up
    EXPECT_EQ(Where(board, ball.currentSquare), (GridPoint{2, 8}));
    EXPECT_EQ(ball.direction, Direction::Up);
    ASSERT_EQ(Lay(RightTile), PathEmpty);  // entered moving up: turns left
    EXPECT_EQ(Where(board, ball.currentSquare), (GridPoint{1, 8}));
    EXPECT_EQ(ball.direction, Direction::Left);
    // Turning down into (1,9) runs through its centre tile and off the bottom edge.
    EXPECT_EQ(Lay(LeftTile), PathBorder);
    EXPECT_EQ(ball.currentSquare, nullptr);
}

TEST_F(StartOfGame, TheCornerTileSendsTheBallOffTheBoardFromAboveAndFromTheRight) {
    Square* above = board.SquareAt(0, 8);
    above->kind = CentreTile;
    BallState fromAbove{above, Direction::Down};
    EXPECT_EQ(RollBall(fromAbove, nullptr), PathBorder);
    EXPECT_EQ(fromAbove.currentSquare, nullptr);
    EXPECT_EQ(fromAbove.direction, Direction::Down);

    SetUpStartPosition(board, ball);
    ball.direction = Direction::Left;
    EXPECT_EQ(Lay(CentreTile), PathBorder);
    EXPECT_EQ(ball.currentSquare, nullptr);
    EXPECT_EQ(ball.direction, Direction::Left);
}

TEST(RollBall, StopsOnHomeBorderAndEmptyWithTheBallOnThatSquare) {
    for (SquareKind stop : {Home, Border, Empty}) {
        Board board;
        MakeBoard(board, 4, 1);
        board.SquareAt(0, 0)->kind = CentreTile;
        board.SquareAt(1, 0)->kind = TrialCentre;
        board.SquareAt(2, 0)->kind = stop;
        BallState ball{board.SquareAt(0, 0), Direction::Right};
        EXPECT_EQ(RollBall(ball, nullptr), PathResult(stop));
        EXPECT_EQ(Where(board, ball.currentSquare), (GridPoint{2, 0}));
        EXPECT_EQ(ball.direction, Direction::Right);
    }
}

TEST(RollBall, AStopSquareUnderTheBallEndsTheWalkAtOnce) {
    Board board;
    MakeBoard(board, 3, 3);
    for (SquareKind stop : {Home, Border, Empty}) {
        board.SquareAt(1, 1)->kind = stop;
        BallState ball{board.SquareAt(1, 1), Direction::Up};
        SegmentRecorder recorder(board, ball);
        EXPECT_EQ(RollBall(ball, &recorder), PathResult(stop));
        EXPECT_EQ(Where(board, ball.currentSquare), (GridPoint{1, 1}));
        EXPECT_EQ(ball.direction, Direction::Up);
        EXPECT_TRUE(recorder.segments.empty());
    }
}

TEST(RollBall, LeavesTheBoardOverEachEdge) {
    const struct {
        GridPoint from;
        Direction direction;
    } kEdges[] = {{{1, 0}, Direction::Up},
                  {{2, 1}, Direction::Right},
                  {{1, 2}, Direction::Down},
                  {{0, 1}, Direction::Left}};
    for (const auto& edge : kEdges) {
        Board board;
        MakeBoard(board, 3, 3);
        Square* from = board.SquareAt(edge.from.column, edge.from.row);
        from->kind = CentreTile;
        BallState ball{from, edge.direction};
        EXPECT_EQ(RollBall(ball, nullptr), PathBorder);
        EXPECT_EQ(ball.currentSquare, nullptr);
        EXPECT_EQ(ball.direction, edge.direction);
    }
}

// Guards against the endless walk the monkey found: the editor took a tile out of the
// ball's track in mid-game, and the tiles laid afterwards closed a loop through the ball's
// square, so the computer's search rolled for ever. A ball caught in a loop goes round
// once and is lost as if it had left the board, whichever tile of the loop it starts on.
TEST(RollBall, ALoopOfTilesEndsAfterOneRoundAsIfOffTheBoard) {
    const struct {
        GridPoint at;
        SquareKind tile;
        Direction incoming;
    } kLoop[] = {{{1, 0}, LeftTile, Direction::Up},
                 {{2, 0}, RightTile, Direction::Right},
                 {{2, 1}, LeftTile, Direction::Down},
                 {{1, 1}, RightTile, Direction::Left}};
    for (const auto& start : kLoop) {
        for (bool trial : {false, true}) {
            Board board;
            MakeBoard(board, 4, 3);
            for (const auto& square : kLoop) {
                board.SquareAt(square.at.column, square.at.row)->kind =
                    SquareKind(trial ? square.tile << kTrialShift : square.tile);
            }
            const std::vector<int> kinds = Kinds(board);
            BallState ball{board.SquareAt(start.at.column, start.at.row), start.incoming};
            SegmentRecorder recorder(board, ball);
            EXPECT_EQ(RollBall(ball, &recorder), PathBorder);
            EXPECT_EQ(ball.currentSquare, nullptr);
            EXPECT_EQ(ball.direction, start.incoming);
            ASSERT_EQ(recorder.segments.size(), 4u);
            EXPECT_EQ(recorder.segments[0].where, start.at);
            EXPECT_EQ(Kinds(board), kinds);
        }
    }
}

TEST(RollBall, UnknownKindsAndAMissingBallGiveNoResult) {
    for (SquareKind odd :
         {SquareKind(0), SquareKind(3), SquareKind(65), SquareKind(512), SquareKind(-1)}) {
        Board board;
        MakeBoard(board, 3, 1);
        board.SquareAt(0, 0)->kind = CentreTile;
        board.SquareAt(1, 0)->kind = odd;
        BallState ball{board.SquareAt(0, 0), Direction::Right};
        EXPECT_EQ(RollBall(ball, nullptr), PathUnknownKind) << odd;
        EXPECT_EQ(Where(board, ball.currentSquare), (GridPoint{1, 0}));
        EXPECT_EQ(board.SquareAt(1, 0)->kind, odd);
    }
    BallState nowhere;
    EXPECT_EQ(RollBall(nowhere, nullptr), PathUnknownKind);

    Board board;
    MakeBoard(board, 3, 1);
    board.SquareAt(1, 0)->kind = LeftTile;
    BallState still{board.SquareAt(1, 0), Direction::None};
    EXPECT_EQ(RollBall(still, nullptr), PathUnknownKind);
    EXPECT_EQ(Where(board, still.currentSquare), (GridPoint{1, 0}));
}

// Two walks that cross one square twice, once along each of its lines. Each board is
// laid out by hand; the walk starts on (0,r) moving right.
struct Crossing {
    const char* name;
    std::vector<std::pair<GridPoint, SquareKind>> tiles;
    std::vector<Segment> walk;
    GridPoint stop;
    Direction stopDirection;
};

void PrintTo(const Crossing& c, std::ostream* os) {
    *os << c.name;
}

class DoubleCrossing : public testing::TestWithParam<Crossing> {};

TEST_P(DoubleCrossing, CrossesTheSquareOnceAlongEachLine) {
    const Crossing& crossing = GetParam();
    for (int trial = 0; trial < 2; ++trial) {
        Board board;
        MakeBoard(board, 4, 4);
        for (const auto& [where, tile] : crossing.tiles) {
            board.SquareAt(where.column, where.row)->kind =
                SquareKind(trial ? tile << kTrialShift : tile);
        }
        const std::vector<int> before = Kinds(board);
        const GridPoint start = crossing.tiles.front().first;
        BallState ball{board.SquareAt(start.column, start.row), Direction::Right};
        SegmentRecorder recorder(board, ball);
        EXPECT_EQ(RollBall(ball, &recorder), PathEmpty);
        // The animation is told the tile, never the trial kind.
        EXPECT_EQ(recorder.segments, crossing.walk);
        EXPECT_EQ(Where(board, ball.currentSquare), crossing.stop);
        EXPECT_EQ(ball.direction, crossing.stopDirection);
        EXPECT_EQ(Kinds(board), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Walks, DoubleCrossing,
                         testing::Values(Crossing{"Centre",
                                                  {{{0, 1}, CentreTile},
                                                   {{1, 1}, CentreTile},
                                                   {{2, 1}, LeftTile},
                                                   {{2, 0}, RightTile},
                                                   {{1, 0}, LeftTile}},
                                                  {{{0, 1}, CentreTile, Direction::Right},
                                                   {{1, 1}, CentreTile, Direction::Right},
                                                   {{2, 1}, LeftTile, Direction::Right},
                                                   {{2, 0}, RightTile, Direction::Up},
                                                   {{1, 0}, LeftTile, Direction::Left},
                                                   {{1, 1}, CentreTile, Direction::Down}},
                                                  {1, 2},
                                                  Direction::Down},
                                         Crossing{"Left",
                                                  {{{0, 2}, CentreTile},
                                                   {{1, 2}, LeftTile},
                                                   {{1, 1}, LeftTile},
                                                   {{2, 1}, RightTile},
                                                   {{2, 2}, LeftTile}},
                                                  {{{0, 2}, CentreTile, Direction::Right},
                                                   {{1, 2}, LeftTile, Direction::Right},
                                                   {{1, 1}, LeftTile, Direction::Up},
                                                   {{2, 1}, RightTile, Direction::Right},
                                                   {{2, 2}, LeftTile, Direction::Down},
                                                   {{1, 2}, LeftTile, Direction::Left}},
                                                  {1, 3},
                                                  Direction::Down},
                                         Crossing{"Right",
                                                  {{{0, 1}, CentreTile},
                                                   {{1, 1}, RightTile},
                                                   {{1, 2}, RightTile},
                                                   {{2, 2}, LeftTile},
                                                   {{2, 1}, RightTile}},
                                                  {{{0, 1}, CentreTile, Direction::Right},
                                                   {{1, 1}, RightTile, Direction::Right},
                                                   {{1, 2}, RightTile, Direction::Down},
                                                   {{2, 2}, LeftTile, Direction::Right},
                                                   {{2, 1}, RightTile, Direction::Up},
                                                   {{1, 1}, RightTile, Direction::Left}},
                                                  {1, 0},
                                                  Direction::Up}),
                         [](const testing::TestParamInfo<Crossing>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
