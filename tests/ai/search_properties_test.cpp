// Properties of the search over many thousands of positions from random games: the
// position comes back exactly as it was, no trial kind is left behind, the choice is one
// the level's rule allows (checked against the model in search_model.h), and every walk
// of the games ends, crossing each tile line at most once.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "ai/move_search.h"
#include "ai/search_model.h"
#include "ai/tile_random.h"
#include "analyse/analyse.h"
#include "game/rules_test_support.h"

namespace {

// Watches the walks of the games. A walk that crosses a tile line twice could go on
// forever, so the watcher stops it by throwing rather than let the test hang.
class WalkWatcher : public SegmentAnimation {
public:
    WalkWatcher(const Board& board, const BallState& ball) : ball_(ball) {
        board.ForEachSquare([&](const Square& s) {
            const int index = static_cast<int>(index_.size());
            index_.emplace(&s, index);
        });
        lines_.assign(index_.size() * 16, 0);
    }

    void StartWalk() {
        for (int key : touched_) {
            lines_[static_cast<std::size_t>(key)] = 0;
        }
        touched_.clear();
        steps_ = 0;
    }

    void AnimateSegment(SquareKind tile, Direction incoming) override {
        ++steps_;
        longest = std::max(longest, steps_);
        if (tile != LeftTile && tile != CentreTile && tile != RightTile) {
            ADD_FAILURE() << "animated with kind " << tile;
        }
        // A line is named by the two edges it joins: the ball comes in through the edge
        // opposite its heading and goes out through the edge its new heading names.
        const int in = (static_cast<int>(incoming) / 100 + 1) % 4;
        const int out = static_cast<int>(ExitDirection(tile, incoming)) / 100 - 1;
        const int key =
            index_.at(ball_.currentSquare) * 16 + std::min(in, out) * 4 + std::max(in, out);
        if (lines_[static_cast<std::size_t>(key)]++ != 0) {
            ADD_FAILURE() << "a walk crossed one tile line twice";
            throw std::runtime_error("walk repeats itself");
        }
        touched_.push_back(key);
    }

    int longest = 0;

private:
    const BallState& ball_;
    std::unordered_map<const Square*, int> index_;
    std::vector<int> lines_;
    std::vector<int> touched_;
    int steps_ = 0;
};

// Random games on random boards: the side to move lays a random tile, most of the time
// one that keeps the game going, so that games last long.
class RandomPlay {
public:
    explicit RandomPlay(std::uint32_t seed) : rng_(seed) {}

    void NewBoard(std::int32_t columns, std::int32_t rows, double homeShare, double borderShare) {
        setup_ = {};
        setup_.columns = columns;
        setup_.rows = rows;
        std::uniform_real_distribution<double> share(0.0, 1.0);
        for (std::int32_t r = 0; r < rows; ++r) {
            for (std::int32_t c = 0; c < columns; ++c) {
                const double roll = share(rng_);
                if (roll < homeShare) {
                    setup_.homes.push_back({c, r});
                } else if (roll < homeShare + borderShare) {
                    setup_.borders.push_back({c, r});
                }
            }
        }
        // A few squares named in both lists, to be Border in the end.
        for (std::size_t i = 0; i < setup_.homes.size(); i += 5) {
            setup_.borders.push_back(setup_.homes[i]);
        }
        ASSERT_EQ(SetUpPosition(board, ball, setup_), "");
        watcher_ = std::make_unique<WalkWatcher>(board, ball);
    }

    void NewGame() { StartGame(board, ball, setup_); }

    // Lays a tile and rolls the ball; a new game starts when this one ends.
    void Move(double keepGoing) {
        std::vector<SquareKind> goingOn;
        for (SquareKind tile : {LeftTile, CentreTile, RightTile}) {
            BallState trial = ball;
            const SquareKind kind = ball.currentSquare->kind;
            ball.currentSquare->kind = tile;
            if (RollBall(trial, nullptr) == PathEmpty) {
                goingOn.push_back(tile);
            }
            ball.currentSquare->kind = kind;
        }
        std::uniform_real_distribution<double> share(0.0, 1.0);
        std::uniform_int_distribution<int> pick(0, 2);
        SquareKind tile = SquareKind(LeftTile << pick(rng_));
        if (!goingOn.empty() && share(rng_) < keepGoing) {
            tile = goingOn[static_cast<std::size_t>(pick(rng_)) % goingOn.size()];
        }
        Lay(tile);
    }

    void Lay(SquareKind tile) {
        ball.currentSquare->kind = tile;
        watcher_->StartWalk();
        const PathResult outcome = RollBall(ball, watcher_.get());
        ASSERT_NE(outcome, PathUnknownKind);
        if (outcome != PathEmpty) {
            ++gamesEnded;
            NewGame();
        }
    }

    int LongestWalk() const { return watcher_ ? watcher_->longest : 0; }
    std::mt19937& Rng() { return rng_; }

    Board board;
    BallState ball;
    int gamesEnded = 0;

private:
    std::mt19937 rng_;
    PositionSetup setup_;
    std::unique_ptr<WalkWatcher> watcher_;
};

struct CheckStats {
    int positions = 0;
    int undecided = 0;
    int levelFourTookTheInitiative = 0;
};

// Runs Candidates and ChooseMove at every level on the current position and checks that
// the position comes back untouched each time.
void CheckPosition(RandomPlay& play, bool withModel, CheckStats& stats) {
    Board& board = play.board;
    BallState& ball = play.ball;
    const PositionSnapshot before = Snapshot(board, ball);
    ASSERT_FALSE(HasTrialKind(board));
    const ModelPosition model = withModel ? ModelOf(board, ball) : ModelPosition{};
    int byLevel[5] = {};
    for (int level = 1; level <= 4; ++level) {
        TileRandom random;
        random.Seed(static_cast<std::uint32_t>(play.Rng()()));
        MoveSearch search(ball, random, level);
        const int candidates = search.Candidates();
        ASSERT_EQ(Snapshot(board, ball), before) << "Candidates at level " << level;
        byLevel[level] = candidates;
        ASSERT_TRUE(candidates != 0 && (candidates & ~kTrialKinds) == 0) << candidates;
        if (withModel) {
            ASSERT_EQ(CandidateNames(candidates), CandidateNames(ModelCandidates(model, level)))
                << "level " << level << " at position " << stats.positions;
        }

        const std::uint32_t seedState = random.State();
        const SquareKind tile = search.ChooseMove();
        ASSERT_EQ(Snapshot(board, ball), before) << "ChooseMove at level " << level;
        ASSERT_FALSE(HasTrialKind(board));
        ASSERT_TRUE(candidates & (tile << kTrialShift)) << "laid " << tile;
        const bool forced = (candidates & (candidates - 1)) == 0;
        ASSERT_EQ(random.State() == seedState, forced);
        stats.undecided += !forced;
    }
    stats.levelFourTookTheInitiative += byLevel[4] != byLevel[3];
    ++stats.positions;
}

TEST(SearchProperties, SmallBoardsAgreeWithTheModelAndComeBackUnchanged) {
    RandomPlay play(7);
    CheckStats stats;
    std::uniform_int_distribution<int> columns(2, 12);
    std::uniform_int_distribution<int> rows(1, 10);
    std::uniform_real_distribution<double> share(0.0, 0.15);
    while (stats.positions < 20000) {
        play.NewBoard(columns(play.Rng()), rows(play.Rng()), share(play.Rng()) / 2,
                      share(play.Rng()));
        if (!play.ball.currentSquare) {
            continue;
        }
        for (int move = 0; move < 60 && stats.positions < 20000; ++move) {
            CheckPosition(play, true, stats);
            if (HasFatalFailure()) {
                return;
            }
            play.Move(0.8);
            if (HasFatalFailure()) {
                return;
            }
        }
    }
    // The run must reach the rules it claims to check.
    EXPECT_GT(stats.undecided, 500);
    EXPECT_GT(stats.levelFourTookTheInitiative, 20);
    EXPECT_GT(play.gamesEnded, 200);
}

TEST(SearchProperties, LongPathsOnLargeBoardsComeBackUnchanged) {
    RandomPlay play(2024);
    CheckStats stats;
    // A serpentine whose sweep makes every walk cross 90 rows, then random play over it.
    play.NewBoard(100, 100, 0.0, 0.0);
    const std::string moves = LongWalkMoves(100, 100, 98, 90);
    ASSERT_GT(moves.size(), 9000u);
    for (std::size_t i = 0; i < moves.size(); ++i) {
        if (i % 50 == 0 || i + 200 > moves.size()) {
            CheckPosition(play, i % 1000 == 0, stats);
            if (HasFatalFailure()) {
                return;
            }
        }
        play.Lay(moves[i] == 'L' ? LeftTile : moves[i] == 'C' ? CentreTile : RightTile);
        ASSERT_EQ(play.gamesEnded, 0) << "move " << i;
    }
    EXPECT_GE(play.LongestWalk(), 90);
    for (int move = 0; move < 1000; ++move) {
        if (move % 5 == 0) {
            CheckPosition(play, false, stats);
            if (HasFatalFailure()) {
                return;
            }
        }
        play.Move(0.99);
        if (HasFatalFailure()) {
            return;
        }
    }
    // Long random games on sparse layouts.
    for (int board = 0; board < 2; ++board) {
        play.NewBoard(100, 100, 0.002, board == 0 ? 0.0 : 0.01);
        for (int move = 0; move < 2000; ++move) {
            if (move % 5 == 0) {
                CheckPosition(play, move % 500 == 0, stats);
                if (HasFatalFailure()) {
                    return;
                }
            }
            play.Move(0.995);
            if (HasFatalFailure()) {
                return;
            }
        }
    }
    EXPECT_GT(stats.positions, 1300);
}

TEST(SearchProperties, OneRowBoardsComeBackUnchanged) {
    RandomPlay play(99);
    CheckStats stats;
    for (int columns = 2; columns <= 30; ++columns) {
        play.NewBoard(columns, 1, 0.05, 0.05);
        for (int move = 0; move < 40; ++move) {
            CheckPosition(play, true, stats);
            if (HasFatalFailure()) {
                return;
            }
            play.Move(0.9);
            if (HasFatalFailure()) {
                return;
            }
        }
    }
}

}  // namespace
