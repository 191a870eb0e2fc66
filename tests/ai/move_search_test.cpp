#include "ai/move_search.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ai/tile_random.h"
#include "analyse/analyse.h"
#include "game/rules_test_support.h"

namespace {

// A position on a 15 x 10 board in a new game, given as the analysis tool takes it.
struct Position {
    Board board;
    BallState ball;
    explicit Position(std::string_view borders, std::string_view homes = "",
                      std::string_view moves = "") {
        const std::string problem = SetUpPosition(board, ball, "15x10", homes, borders, moves);
        EXPECT_EQ(problem, "");
    }
};

int Candidates(Position& p, int level) {
    TileRandom random;
    MoveSearch search(p.ball, random, level);
    const PositionSnapshot before = Snapshot(p.board, p.ball);
    const int candidates = search.Candidates();
    EXPECT_EQ(Snapshot(p.board, p.ball), before);
    return candidates;
}

constexpr int L = TrialLeft;
constexpr int C = TrialCentre;
constexpr int R = TrialRight;

struct Worked {
    const char* name;
    const char* borders;
    const char* homes;
    const char* moves;
    int byLevel[4];
};

void PrintTo(const Worked& w, std::ostream* os) {
    *os << w.name;
}

class WorkedPosition : public testing::TestWithParam<Worked> {};

TEST_P(WorkedPosition, EachLevelKeepsTheTilesItsRuleAllows) {
    const Worked& w = GetParam();
    for (int level = 1; level <= 4; ++level) {
        Position p(w.borders, w.homes, w.moves);
        EXPECT_EQ(CandidateNames(Candidates(p, level)), CandidateNames(w.byLevel[level - 1]))
            << "level " << level;
    }
}

TEST_P(WorkedPosition, ChooseMoveLaysOneOfThemAndDrawsOnlyWhenThereIsAChoice) {
    const Worked& w = GetParam();
    for (int level = 1; level <= 4; ++level) {
        Position p(w.borders, w.homes, w.moves);
        const PositionSnapshot before = Snapshot(p.board, p.ball);
        TileRandom random;
        random.Seed(12345);
        MoveSearch search(p.ball, random, level);
        const SquareKind tile = search.ChooseMove();
        EXPECT_EQ(Snapshot(p.board, p.ball), before);
        const int expected = w.byLevel[level - 1];
        EXPECT_TRUE(tile == LeftTile || tile == CentreTile || tile == RightTile) << tile;
        EXPECT_TRUE(expected & (tile << kTrialShift)) << "level " << level << " laid " << tile;
        const bool forced = expected == L || expected == C || expected == R;
        EXPECT_EQ(random.State() == 12345u, forced) << "level " << level;
    }
}

// The worked positions of a new game with the computer to open (rows counted from the
// top, so the ball stands on (1,9) moving right), and positions built to single out one
// rule each.
INSTANTIATE_TEST_SUITE_P(
    Positions, WorkedPosition,
    testing::Values(
        Worked{"NoLayout", "", "", "", {L | C, L | C, L | C, L | C}},
        Worked{"BorderOnTheThirdSquare", "(2,9)", "", "", {L, L, L, L}},
        Worked{"HumanForcedAfterLeft", "(0,8)(2,8)(1,7)", "", "", {L | C, L, L, L}},
        Worked{"ComputerForcedAfterLeftThenRight", "(0,7)", "", "", {L | C, L | C, C, C}},
        Worked{"LevelFourForcesWithLeft", "(3,9)", "", "", {L | C, L | C, L | C, L}},
        // Every tile gives the point away: the centre tile, at every level.
        Worked{"EveryTileLoses", "(1,8) (2,9)", "", "", {C, C, C, C}},
        // Left and Centre both score: Left first. Centre and Right both score: Centre.
        Worked{"LeftScoresBeforeCentre", "", "(1,8) (2,9)", "", {L, L, L, L}},
        Worked{"CentreScoresBeforeRight", "", "(1,7) (0,8)", "L", {C, C, C, C}},
        Worked{"AllThreeScore", "", "(2,8) (1,7) (0,8)", "L", {L, L, L, L}},
        Worked{"OnlyRightScores", "", "(0,8)", "L", {R, R, R, R}},
        // A Home square named by the Border list as well ends as Border.
        Worked{"BorderOverridesHome", "(2,9)", "(2,9)", "", {L, L, L, L}},
        // Both tiles let the human score, so level 2 removes both and falls back to
        // the centre tile although the centre tile runs into a Border square.
        Worked{"AllRemovedFallsBackToCentre", "(1,7)", "(3,8) (0,7)", "L", {L | R, C, C, C}},
        Worked{"HomeReachableFromBothStops", "", "(2,8)", "", {L | C, C, C, C}},
        // Both Left and Centre force the human: the first in tile order.
        Worked{"TwoTilesForceAtLevelTwo", "(0,8)(1,7)(2,8)(3,9)", "", "", {L | C, L, L, L}},
        Worked{"TwoTilesForceAtLevelFour", "(0,8) (1,7) (3,9)", "", "", {L | C, L | C, L | C, L}},
        // Centre and Right both force at level 4 and Left does not: Centre.
        Worked{"CentreForcesFirstAtLevelFour",
               "(0,5) (1,6) (3,5)",
               "",
               "L",
               {L | C | R, L | C | R, L | C | R, C}},
        // Three open tiles in the middle of the board.
        Worked{"ThreeOpenTiles", "", "", "L", {L | C | R, L | C | R, L | C | R, L | C | R}},
        // The ball's start square was named Home by the layout: the tile replaces it.
        Worked{"BallOnAHomeSquare", "", "(1,9)", "", {L | C, L | C, L | C, L | C}}),
    [](const testing::TestParamInfo<Worked>& info) { return std::string(info.param.name); });

TEST(MoveSearch, LevelsOutsideOneToFourPlayAsLevelTwo) {
    for (int level : {0, 5, -1, 1000}) {
        Position forcing("(0,8)(2,8)(1,7)");
        EXPECT_EQ(Candidates(forcing, level), L) << level;  // level 1 would leave L | C
        Position deeper("(0,7)");
        EXPECT_EQ(Candidates(deeper, level), L | C) << level;  // level 3 would take C
    }
}

TEST(MoveSearch, SingleMoveChecksLeaveBoardAndBall) {
    TileRandom random;
    Position loses("(1,8) (2,9)");
    PositionSnapshot before = Snapshot(loses.board, loses.ball);
    MoveSearch search(loses.ball, random, 2);
    EXPECT_TRUE(search.AllTilesHitBorder());
    EXPECT_EQ(search.FindHomeTile(), 0);
    EXPECT_EQ(Snapshot(loses.board, loses.ball), before);

    Position scores("", "(2,9)");
    before = Snapshot(scores.board, scores.ball);
    MoveSearch other(scores.ball, random, 2);
    EXPECT_EQ(other.FindHomeTile(), C);
    EXPECT_FALSE(other.AllTilesHitBorder());
    EXPECT_EQ(Snapshot(scores.board, scores.ball), before);
}

TEST(MoveSearch, LevelSearchesLeaveBoardAndBall) {
    TileRandom random;
    using Level = MoveSearch::Decision (MoveSearch::*)(MoveSearch::CandidateSet&);
    const Level levels[] = {&MoveSearch::SearchLevel1, &MoveSearch::SearchLevel2,
                            &MoveSearch::SearchLevel3, &MoveSearch::SearchLevel4};
    for (Level level : levels) {
        Position p("(3,9)", "", "");
        const PositionSnapshot before = Snapshot(p.board, p.ball);
        MoveSearch search(p.ball, random, 4);
        MoveSearch::CandidateSet k = 0;
        (search.*level)(k);
        EXPECT_EQ(Snapshot(p.board, p.ball), before);
        search.ClearTrialKinds();
        EXPECT_EQ(Snapshot(p.board, p.ball), before);
    }
}

TEST(MoveSearch, DecideCandidates) {
    TileRandom random;
    BallState ball;
    MoveSearch search(ball, random, 2);
    MoveSearch::CandidateSet k = 0;
    EXPECT_EQ(search.DecideCandidates(k), MoveSearch::Decided);
    EXPECT_EQ(k, C);
    for (int single : {L, C, R}) {
        k = single;
        EXPECT_EQ(search.DecideCandidates(k), MoveSearch::Decided);
        EXPECT_EQ(k, single);
    }
    for (int several : {L | C, L | R, C | R, L | C | R}) {
        k = several;
        EXPECT_EQ(search.DecideCandidates(k), MoveSearch::Undecided);
        EXPECT_EQ(k, several);
    }
}

TEST(MoveSearch, ConvertTmpToMoveReportsAnythingButATrialKind) {
    TileRandom random;
    BallState ball;
    std::vector<std::string> reports;
    const std::function<void(const char*)> report = [&](const char* text) {
        reports.emplace_back(text);
    };
    MoveSearch search(ball, random, 2, &report);
    EXPECT_EQ(search.ConvertTmpToMove(L), LeftTile);
    EXPECT_EQ(search.ConvertTmpToMove(C), CentreTile);
    EXPECT_EQ(search.ConvertTmpToMove(R), RightTile);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(search.ConvertTmpToMove(L | C), CentreTile);
    EXPECT_EQ(search.ConvertTmpToMove(0), CentreTile);
    EXPECT_EQ(reports,
              (std::vector<std::string>{"DEBUG - ConvertTmpToMove - we should not be here !!!",
                                        "DEBUG - ConvertTmpToMove - we should not be here !!!"}));

    MoveSearch silent(ball, random, 2);
    EXPECT_EQ(silent.ConvertTmpToMove(LeftTile), CentreTile);
}

TEST(TileRandom, FollowsTheClassicSequence) {
    TileRandom random;
    random.Seed(1);
    for (int expected : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358}) {
        EXPECT_EQ(random.Next(), expected);
    }
    random.Seed(0);
    EXPECT_EQ(random.Next(), 38);  // 2531011 >> 16
    // The state wraps at 32 bits; only bits 16 to 30 are returned.
    random.Seed(0xFFFFFFFFu);
    EXPECT_EQ(random.State(), 0xFFFFFFFFu);
    EXPECT_EQ(random.Next(), static_cast<int>(((0xFFFFFFFFull * 214013 + 2531011) >> 16) & 0x7FFF));
}

TEST(PickRandomTile, DrawsAgainUntilTheNumberNamesACandidate) {
    BallState ball;
    TileRandom random;
    MoveSearch search(ball, random, 1);
    // Seed 1 draws 41, 18467, 6334: 2, 2, 1 after mod 3.
    random.Seed(1);
    EXPECT_EQ(search.PickRandomTile(L | C | R), RightTile);
    random.Seed(1);
    EXPECT_EQ(search.PickRandomTile(L | C), CentreTile);
    TileRandom three;
    three.Seed(1);
    three.Next();
    three.Next();
    three.Next();
    EXPECT_EQ(random.State(), three.State());
    random.Seed(1);
    EXPECT_EQ(search.PickRandomTile(L | R), RightTile);
}

TEST(PickRandomTile, AnEmptySetDoesNotSpinForever) {
    BallState ball;
    TileRandom random;
    MoveSearch search(ball, random, 1);
    EXPECT_EQ(search.PickRandomTile(0), CentreTile);
}

// Over a seeded run each remaining candidate is laid about equally often.
TEST(ChooseMove, DrawsEvenlyAmongTwoOrThreeCandidates) {
    const struct {
        const char* moves;
        int candidates;
    } kCases[] = {{"", L | C}, {"L", L | C | R}};
    for (const auto& c : kCases) {
        Position p("", "", c.moves);
        TileRandom random;
        random.Seed(20240601);
        int counts[3] = {0, 0, 0};
        constexpr int kRuns = 30000;
        for (int i = 0; i < kRuns; ++i) {
            MoveSearch search(p.ball, random, 1);
            const SquareKind tile = search.ChooseMove();
            ++counts[tile == LeftTile ? 0 : tile == CentreTile ? 1 : 2];
        }
        const int shares = __builtin_popcount(static_cast<unsigned>(c.candidates));
        for (int n = 0; n < 3; ++n) {
            if (c.candidates & (L << n)) {
                EXPECT_NEAR(counts[n], kRuns / shares, kRuns / 50) << c.moves << " tile " << n;
            } else {
                EXPECT_EQ(counts[n], 0) << c.moves << " tile " << n;
            }
        }
    }
}

TEST(ChooseMove, RestoresAKindThatWasNotEmptyUnderTheBall) {
    Position p("(2,8)", "(1,9)");
    TileRandom random;
    for (int level = 1; level <= 4; ++level) {
        MoveSearch search(p.ball, random, level);
        search.ChooseMove();
        EXPECT_EQ(p.ball.currentSquare->kind, Home);
        EXPECT_EQ(Where(p.board, p.ball.currentSquare), (GridPoint{1, 9}));
        EXPECT_EQ(p.board.SquareAt(2, 8)->kind, Border);
    }
}

}  // namespace
