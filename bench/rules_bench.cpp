// The cost of the computer's move and of the dry-run walk under it.
//
// ChooseMove/Worked: the worked positions of a new game on the default board.
// ChooseMove/SameWalks: one sequence of moves played on a 15 x 10 and on a 100 x 100
//   board. The walks stay well inside the smaller board, so both boards see exactly the
//   same walks and only the board's area differs.
// ChooseMove/LongWalks: a 100 x 100 board on which every walk of the position crosses 90
//   rows.
// RollBall: one dry run over a board laid out so that the walk visits every square.

#include <benchmark/benchmark.h>

#include <string>

#include "ai/move_search.h"
#include "ai/tile_random.h"
#include "analyse/analyse.h"
#include "game/ball_path.h"
#include "game/board.h"

namespace {

const char* const kWorkedBorders[] = {"", "(2,9)", "(0,8) (2,8) (1,7)", "(0,7)", "(3,9)"};

void RunChooseMove(benchmark::State& state, BallState& ball, int level) {
    TileRandom random;
    random.Seed(1);
    for (auto _ : state) {
        MoveSearch search(ball, random, level);
        benchmark::DoNotOptimize(search.ChooseMove());
    }
}

void ChooseMoveWorked(benchmark::State& state) {
    Board board;
    BallState ball;
    const std::string problem =
        SetUpPosition(board, ball, "15x10", "", kWorkedBorders[state.range(0)], "");
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    RunChooseMove(state, ball, static_cast<int>(state.range(1)));
}
BENCHMARK(ChooseMoveWorked)
    ->Name("ChooseMove/Worked")
    ->ArgNames({"position", "level"})
    ->ArgsProduct({{0, 1, 2, 3, 4}, {1, 2, 3, 4}});

// Within four squares of the top and right edges of the small board the search's trials,
// three tiles deep, could reach an edge that the large board does not have; this
// serpentine keeps four rows and four columns clear.
std::string SameWalkMoves() {
    return LongWalkMoves(15, 10, 10, 4);
}

std::string SetUpPrefix(Board& board, BallState& ball, std::int32_t size, std::size_t moves) {
    PositionSetup setup;
    setup.columns = size;
    setup.rows = size == 15 ? 10 : size;
    const std::string problem = ParseMoves(SameWalkMoves().substr(0, moves), setup.moves);
    return problem.empty() ? SetUpPosition(board, ball, setup) : problem;
}

void ChooseMoveSameWalks(benchmark::State& state) {
    const auto size = static_cast<std::int32_t>(state.range(0));
    const auto moves = static_cast<std::size_t>(state.range(1));
    const int level = static_cast<int>(state.range(2));
    Board board;
    BallState ball;
    Board small;
    BallState smallBall;
    std::string problem = SetUpPrefix(board, ball, size, moves);
    if (problem.empty()) {
        problem = SetUpPrefix(small, smallBall, 15, moves);
    }
    if (problem.empty()) {
        // Only a fair comparison while both boards give the same answer.
        TileRandom random;
        MoveSearch here(ball, random, level);
        MoveSearch there(smallBall, random, level);
        if (here.Candidates() != there.Candidates()) {
            problem = "the boards disagree, so the walks differ";
        }
    }
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    RunChooseMove(state, ball, level);
}
BENCHMARK(ChooseMoveSameWalks)
    ->Name("ChooseMove/SameWalks")
    ->ArgNames({"size", "moves", "level"})
    ->ArgsProduct({{15, 100}, {20, 45, 57}, {1, 2, 3, 4}});

class StepCounter : public SegmentAnimation {
public:
    void AnimateSegment(SquareKind, Direction) override { ++steps; }
    int steps = 0;
};

void ChooseMoveLongWalks(benchmark::State& state) {
    const std::string all = LongWalkMoves(100, 100, 98, 90);
    const auto fromEnd = static_cast<std::size_t>(state.range(0));
    PositionSetup setup;
    setup.columns = 100;
    setup.rows = 100;
    Board board;
    BallState ball;
    std::string problem = fromEnd < all.size()
                              ? ParseMoves(all.substr(0, all.size() - fromEnd), setup.moves)
                              : "too few moves";
    if (problem.empty()) {
        problem = SetUpPosition(board, ball, setup);
    }
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    // The squares the three single-tile trials cross, to show how long the walks are.
    StepCounter counter;
    for (SquareKind tile : {LeftTile, CentreTile, RightTile}) {
        BallState trial = ball;
        const SquareKind kind = ball.currentSquare->kind;
        ball.currentSquare->kind = tile;
        RollBall(trial, &counter);
        ball.currentSquare->kind = kind;
    }
    state.counters["trial_squares"] = counter.steps;
    RunChooseMove(state, ball, static_cast<int>(state.range(1)));
}
BENCHMARK(ChooseMoveLongWalks)
    ->Name("ChooseMove/LongWalks")
    ->ArgNames({"from_end", "level"})
    ->ArgsProduct({{1, 2, 51, 151}, {1, 2, 3, 4}});

// Lays tiles so that a ball entering the bottom-left square moving right runs along the
// bottom row, up one row, back along it, and so on to the top, where it leaves the board.
void LayWalkThroughEverySquare(Board& board) {
    bool rightwards = true;
    for (BoardRow* row = board.lastRow; row; row = row->prev, rightwards = !rightwards) {
        Square* entry = rightwards ? row->first : row->last;
        Square* exit = rightwards ? row->last : row->first;
        for (Square* s = row->first; s; s = s->right) {
            s->kind = CentreTile;
        }
        // Entered from below at one end, except on the bottom row, and left upwards at
        // the other end.
        if (row != board.lastRow) {
            entry->kind = rightwards ? LeftTile : RightTile;
        }
        exit->kind = rightwards ? LeftTile : RightTile;
    }
}

void RollBallPerSquare(benchmark::State& state) {
    const auto size = static_cast<std::int32_t>(state.range(0));
    Board board;
    board.columns = size;
    board.rows = size == 15 ? 10 : size;
    board.BuildBoard();
    LayWalkThroughEverySquare(board);
    const BallState start{board.lastRow->first, Direction::Right};
    BallState check = start;
    StepCounter counter;
    if (RollBall(check, &counter) != PathBorder || counter.steps != board.columns * board.rows) {
        state.SkipWithError("the walk does not cover the board");
        return;
    }
    for (auto _ : state) {
        BallState ball = start;
        benchmark::DoNotOptimize(RollBall(ball, nullptr));
        benchmark::DoNotOptimize(ball.currentSquare);
    }
    state.counters["squares"] = counter.steps;
    state.counters["per_square"] = benchmark::Counter(
        counter.steps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(RollBallPerSquare)->Name("RollBall/DryRun")->ArgNames({"size"})->Arg(15)->Arg(100);

}  // namespace
