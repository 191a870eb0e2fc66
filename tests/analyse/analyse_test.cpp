#include "analyse/analyse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "game/rules_test_support.h"

namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

ToolRun Analyse(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    ToolRun run;
    run.status = RunAnalyse(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::string Levels(const char* one, const char* two, const char* three, const char* four) {
    return std::string("level 1: ") + one + "\nlevel 2: " + two + "\nlevel 3: " + three +
           "\nlevel 4: " + four + "\n";
}

TEST(Analyse, PrintsTheTilesEachLevelMayLay) {
    const struct {
        std::vector<std::string> args;
        std::string expected;
    } kCases[] = {
        {{"--size", "15x10"}, Levels("Left Centre", "Left Centre", "Left Centre", "Left Centre")},
        {{"--size", "15x10", "--border", "(2,9)"}, Levels("Left", "Left", "Left", "Left")},
        {{"--size", "15x10", "--border", "(0,8)(2,8)(1,7)"},
         Levels("Left Centre", "Left", "Left", "Left")},
        {{"--size", "15x10", "--border", "(0,8) (2,8)  (1,7)"},
         Levels("Left Centre", "Left", "Left", "Left")},
        {{"--size", "15x10", "--border", "(0,7)"},
         Levels("Left Centre", "Left Centre", "Centre", "Centre")},
        {{"--size=15x10", "--border=(3,9)"},
         Levels("Left Centre", "Left Centre", "Left Centre", "Left")},
        {{"--size", "15x10", "--moves", "L"},
         Levels("Left Centre Right", "Left Centre Right", "Left Centre Right",
                "Left Centre Right")},
        // After LLR the ball waits on (2,9) moving down: only the right tile goes on.
        {{"--size", "15x10", "--moves", "LLR", "--level", "3"}, "level 3: Right\n"},
        {{"--level", "4", "--border", "(3,9)", "--size", "15X10"}, "level 4: Left\n"},
        // Home first, then Border: a square in both lists is a Border square.
        {{"--size", "15x10", "--home", "(2,9)", "--level", "1"}, "level 1: Centre\n"},
        {{"--size", "15x10", "--home", "(2,9)", "--border", "(2,9)", "--level", "1"},
         "level 1: Left\n"},
        // Entries off the board are skipped, as when a larger board's layout is loaded.
        {{"--size", "15x10", "--border", "(15,9) (2,10) (-1,9) (99999999999,9)", "--level", "1"},
         "level 1: Left Centre\n"},
        {{"--size", "5x1"}, Levels("Centre", "Centre", "Centre", "Centre")},
        {{"--size", "15x10", "--home", "", "--moves", ""},
         Levels("Left Centre", "Left Centre", "Left Centre", "Left Centre")},
    };
    for (const auto& c : kCases) {
        const ToolRun run = Analyse(c.args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.expected) << testing::PrintToString(c.args);
        EXPECT_EQ(run.err, "");
    }
}

TEST(Analyse, BadInputGivesOneLineOnErrorAndNothingElse) {
    const struct {
        std::vector<std::string> args;
        const char* mentions;
    } kCases[] = {
        {{}, "no options"},
        {{"--size", "15x10", "--colour", "red"}, "unknown option '--colour'"},
        {{"--size", "15x10", "-v"}, "unexpected argument '-v'"},
        {{"15x10"}, "unexpected argument"},
        {{"--size"}, "--size needs a value"},
        {{"--size", "--level", "2"}, "--size needs a value"},
        {{"--size", "15x10", "--size", "10x10"}, "given twice"},
        {{"--border", "(2,9)"}, "--size CxR is required"},
        {{"--size", "15"}, "malformed size '15'"},
        {{"--size", "15x"}, "malformed size"},
        {{"--size", "x10"}, "malformed size"},
        {{"--size", "15x10x2"}, "malformed size"},
        {{"--size", "-1x10"}, "malformed size"},
        {{"--size", "+15x10"}, "malformed size"},
        {{"--size", " 15x10"}, "malformed size"},
        {{"--size", "0x10"}, "outside 1..100"},
        {{"--size", "15x0"}, "outside 1..100"},
        {{"--size", "101x10"}, "outside 1..100"},
        {{"--size", "15x99999999999999999999"}, "outside 1..100"},
        {{"--size", "15x10", "--home", "(1,2"}, "malformed entry '(1,2' in --home"},
        {{"--size", "15x10", "--border", "1,2"}, "malformed entry '1,2' in --border"},
        {{"--size", "15x10", "--border", "(a,b)"}, "malformed entry '(a,b)'"},
        {{"--size", "15x10", "--border", "(1,2)x"}, "malformed entry 'x'"},
        {{"--size", "15x10", "--border", "(1,2x)"}, "malformed entry '(1,2x)'"},
        {{"--size", "15x10", "--border", "(1,2),(3,4)"}, "malformed entry"},
        {{"--size", "15x10", "--border", "(1 ,2)"}, "malformed entry"},
        {{"--size", "15x10", "--moves", "LX"}, "move 'X' is not L, C or R"},
        {{"--size", "15x10", "--moves", "l"}, "move 'l' is not L, C or R"},
        {{"--size", "15x10", "--moves", "L C"}, "move ' '"},
        {{"--size", "15x10", "--moves", "R"}, "move 1 (R) ends the game off the board"},
        {{"--size", "15x10", "--moves", "RC"}, "move 1 (R) ends the game"},
        {{"--size", "15x10", "--moves", "CC", "--border", "(3,9)"},
         "move 2 (C) ends the game on a Border square"},
        {{"--size", "15x10", "--moves", "C", "--home", "(2,9)"},
         "move 1 (C) ends the game on a Home square"},
        {{"--size", "1x5"}, "the ball has no square"},
        {{"--size", "1x5", "--moves", "C"}, "the ball has no square"},
        {{"--size", "15x10", "--level", "0"}, "level '0'"},
        {{"--size", "15x10", "--level", "5"}, "level '5'"},
        {{"--size", "15x10", "--level", "two"}, "level 'two'"},
        {{"--size", "15x10", "--levels", "1,2"}, "--levels needs --selfplay"},
        {{"--size", "15x10", "--seed", "3"}, "--seed needs --selfplay"},
        {{"--size", "15x10", "--selfplay", "3"}, "--selfplay needs --levels"},
        {{"--size", "15x10", "--selfplay", "0", "--levels", "1,2"}, "game count '0'"},
        {{"--size", "15x10", "--selfplay", "x", "--levels", "1,2"}, "game count 'x'"},
        {{"--size", "15x10", "--selfplay", "-3", "--levels", "1,2"}, "game count '-3'"},
        {{"--size", "15x10", "--selfplay", "9999999", "--levels", "1,2"}, "game count"},
        {{"--size", "15x10", "--selfplay", "3", "--levels", "1"}, "levels '1'"},
        {{"--size", "15x10", "--selfplay", "3", "--levels", "1,5"}, "levels '1,5'"},
        {{"--size", "15x10", "--selfplay", "3", "--levels", "1,2,3"}, "levels '1,2,3'"},
        {{"--size", "15x10", "--selfplay", "3", "--levels", ",2"}, "levels ',2'"},
        {{"--size", "15x10", "--selfplay", "3", "--levels", "1,2", "--seed", "-1"}, "seed '-1'"},
        {{"--size", "15x10", "--selfplay", "3", "--levels", "1,2", "--seed", "4294967296"},
         "seed '4294967296'"},
        {{"--size", "15x10", "--selfplay", "3", "--levels", "1,2", "--moves", "L"},
         "--moves cannot be used with --selfplay"},
        {{"--size", "15x10", "--selfplay", "3", "--levels", "1,2", "--level", "2"},
         "--level cannot be used with --selfplay"},
        {{"--size", "1x3", "--selfplay", "3", "--levels", "1,2"}, "the ball has no square"},
        {{"--size", "15x10", "--moves", "L\nX"}, "move '?'"},
    };
    for (const auto& c : kCases) {
        const ToolRun run = Analyse(c.args);
        const std::string shown = testing::PrintToString(c.args);
        EXPECT_EQ(run.status, 2) << shown;
        EXPECT_EQ(run.out, "") << shown;
        EXPECT_EQ(run.err.rfind("rolvan-analyse: ", 0), 0u) << shown << ": " << run.err;
        EXPECT_NE(run.err.find(c.mentions), std::string::npos) << shown << ": " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << shown;
        EXPECT_EQ(run.err.back(), '\n') << shown;
    }
}

TEST(Analyse, HelpGoesToStandardOutput) {
    const ToolRun run = Analyse({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("usage: rolvan-analyse --size CxR"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

TEST(Analyse, SelfPlayWhereEveryOpeningMoveScores) {
    // Two squares in one row: every tile sends the ball off the board at once, so each
    // game is one move and the point goes to the side that did not open.
    ToolRun run = Analyse({"--size", "2x1", "--selfplay", "4", "--levels", "1,2"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "level 1: 2 points\nlevel 2: 2 points\nmean moves per game: 1.00\n");

    // Side A opens games 1, 3 and 5 and loses them; B opens and loses 2 and 4.
    run = Analyse({"--size", "15x10", "--border", "(1,8) (2,9)", "--selfplay", "5", "--levels",
                   "3,1", "--seed", "9"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "level 3: 2 points\nlevel 1: 3 points\nmean moves per game: 1.00\n");
}

TEST(Analyse, SelfPlayRepeatsForOneSeedAndGivesOnePointPerGame) {
    const std::vector<std::string> args = {"--size",   "15x10", "--selfplay", "30",
                                           "--levels", "4,1",   "--seed",     "5"};
    const ToolRun first = Analyse(args);
    const ToolRun second = Analyse(args);
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, second.out);

    PositionSetup setup;
    ASSERT_EQ(ParseBoardSize("15x10", setup.columns, setup.rows), "");
    SelfPlayResult result;
    ASSERT_EQ(PlaySelfGames(setup, 30, 4, 1, 5, result), "");
    EXPECT_EQ(result.pointsA + result.pointsB, 30);
    EXPECT_GE(result.moves, 30);
    std::ostringstream expected;
    expected << "level 4: " << result.pointsA << " points\nlevel 1: " << result.pointsB
             << " points\nmean moves per game: ";
    EXPECT_EQ(first.out.rfind(expected.str(), 0), 0u) << first.out;
    // The stronger level wins most games against the weakest.
    EXPECT_GT(result.pointsA, result.pointsB);
}

TEST(Analyse, SelfPlayWithTheDefaultSeedMatchesSeedOne) {
    const ToolRun implicit = Analyse({"--size", "6x4", "--selfplay", "20", "--levels", "2,2"});
    const ToolRun explicitSeed =
        Analyse({"--size", "6x4", "--selfplay", "20", "--levels", "2,2", "--seed", "1"});
    EXPECT_EQ(implicit.status, 0) << implicit.err;
    EXPECT_EQ(implicit.out, explicitSeed.out);
}

TEST(PositionSetUp, LaysTheMovesAsDryRuns) {
    Board board;
    BallState ball;
    ASSERT_EQ(SetUpPosition(board, ball, "15x10", "", "", "LLR"), "");
    EXPECT_EQ(board.SquareAt(1, 9)->kind, LeftTile);
    EXPECT_EQ(board.SquareAt(1, 8)->kind, LeftTile);
    EXPECT_EQ(board.SquareAt(2, 8)->kind, RightTile);
    EXPECT_EQ(Where(board, ball.currentSquare), (GridPoint{2, 9}));
    EXPECT_EQ(ball.direction, Direction::Down);

    // Setting up again on the same board starts from scratch, at the new size.
    ASSERT_EQ(SetUpPosition(board, ball, "4x3", "(0,0)", "(3,2)", "C"), "");
    EXPECT_EQ(Kinds(board), (std::vector<int>{Home, Empty, Empty, Home,    //
                                              Empty, Empty, Empty, Empty,  //
                                              CentreTile, CentreTile, Empty, Border}));
    EXPECT_EQ(Where(board, ball.currentSquare), (GridPoint{2, 2}));
}

TEST(PositionSetUp, OneColumnHasNoBallAndOneRowPlays) {
    Board board;
    BallState ball;
    EXPECT_EQ(SetUpPosition(board, ball, "1x7", "", "", ""), "");
    EXPECT_EQ(ball.currentSquare, nullptr);
    EXPECT_EQ(SetUpPosition(board, ball, "1x7", "", "", "L"), "the ball has no square");

    EXPECT_EQ(SetUpPosition(board, ball, "6x1", "", "", "CC"), "");
    EXPECT_EQ(Where(board, ball.currentSquare), (GridPoint{3, 0}));
    EXPECT_EQ(SetUpPosition(board, ball, "6x1", "", "", "CCCC"),
              "move 4 (C) ends the game on a Home square");
}

TEST(PositionSetUp, RefusesSizesItCannotBuild) {
    Board board;
    BallState ball;
    PositionSetup setup;
    setup.columns = 0;
    setup.rows = 10;
    EXPECT_NE(SetUpPosition(board, ball, setup), "");
    setup.columns = 101;
    EXPECT_NE(SetUpPosition(board, ball, setup), "");
    setup.columns = 15;
    setup.rows = -2;
    EXPECT_NE(SetUpPosition(board, ball, setup), "");
}

TEST(PositionSetUp, ListsAndNames) {
    std::vector<LayoutPoint> points;
    EXPECT_EQ(ParseLayoutList(" (1,2)(3,4)\t( -5, +6) ", points), "");
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[2].column, -5);
    EXPECT_EQ(points[2].row, 6);
    EXPECT_EQ(ParseLayoutList("", points), "");
    EXPECT_TRUE(points.empty());

    EXPECT_EQ(CandidateNames(TrialLeft | TrialRight), "Left Right");
    EXPECT_EQ(CandidateNames(TrialCentre), "Centre");
    EXPECT_EQ(CandidateNames(0), "");
}

}  // namespace
