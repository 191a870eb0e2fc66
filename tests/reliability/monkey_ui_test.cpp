// The monkey through the real program. A short run is part of the suite; the long runs
// come from tools/reliability.sh through ROLVAN_MONKEY_STEPS and ROLVAN_MONKEY_GAMES, and
// ROLVAN_MONKEY_SEED replays the run of a seed.

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <QWidget>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>

#include "res/resource.h"
#include "support/monkey.h"

namespace {

long long FromEnvironment(const char* name, long long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtoll(value, nullptr, 10) : fallback;
}

std::uint64_t Seed(const char* what) {
    const auto seed = static_cast<std::uint64_t>(
        FromEnvironment("ROLVAN_MONKEY_SEED", std::random_device{}() & 0x7FFFFFFF));
    std::cout << what << ": seed " << seed << " (ROLVAN_MONKEY_SEED=" << seed << " replays it)"
              << std::endl;
    return seed;
}

// Each run on an empty store of its own, whatever ran before in the process.
class MonkeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        SetProfileFileForTesting(folder.filePath("Rolvan.conf").toUtf8().constData());
    }
    void TearDown() override { SetProfileFileForTesting(nullptr); }
    QTemporaryDir folder;
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST_F(MonkeyTest, EveryStepKeepsTheRulesTheStoreAndTheCommandsInStep) {
    const std::uint64_t seed = Seed("monkey");
    const long long steps = FromEnvironment("ROLVAN_MONKEY_STEPS", 2000);
    const auto start = std::chrono::steady_clock::now();
    Monkey monkey(seed, Monkey::Play::Everything);
    ASSERT_EQ(monkey.Start(), "") << "seed " << seed;
    for (long long i = 1; i <= steps; ++i) {
        const std::string failed = monkey.Step();
        ASSERT_EQ(failed, "") << "seed " << seed << ", step " << i << ", " << monkey.lastAction;
    }
    std::cout << "monkey: " << steps << " steps, " << monkey.games << " games, "
              << monkey.messageBoxes.size() << " message boxes in " << SecondsSince(start) << " s"
              << std::endl;
}

TEST_F(MonkeyTest, WholeGamesAtFullSpeedScoreByTheRules) {
    const std::uint64_t seed = Seed("games");
    const long long games = FromEnvironment("ROLVAN_MONKEY_GAMES", 100);
    const auto start = std::chrono::steady_clock::now();
    Monkey monkey(seed, Monkey::Play::Moves);
    ASSERT_EQ(monkey.Start(), "");
    while (monkey.games < games) {
        const long before = monkey.games;
        ASSERT_EQ(monkey.PlayGame(2000), "") << "seed " << seed << ", game " << before + 1;
        // Every walk ends, so no game goes on for ever.
        ASSERT_GT(monkey.games, before) << "seed " << seed;
    }
    std::cout << "games: " << monkey.games << " games in " << monkey.steps << " moves, "
              << SecondsSince(start) << " s" << std::endl;
}

// The session that tools/valgrind.sh watches: a start, three games, every dialog and
// the colour picker, the editor, a grid size change, and Exit.
TEST_F(MonkeyTest, ASessionOfGamesEveryDialogTheEditorAndAGridSize) {
    Monkey monkey(11, Monkey::Play::Everything);
    ASSERT_EQ(monkey.Start(), "");
    for (int game = 0; game < 3; ++game)
        ASSERT_EQ(monkey.PlayGame(2000), "");
    EXPECT_GE(monkey.games, 3);
    for (unsigned id : {ID_FILE_SHOWSCORES, ID_FILE_RESETSCORES, ID_BALL_SPEED, ID_APP_ABOUT,
                        ID_COLOURS_WINDOWBACKGROUND, ID_COLOURS_GRIDBACKGROUND,
                        ID_COLOURS_GRIDLINES, ID_COLOURS_TILEBACKGROUND, ID_COLOURS_TILEBORDER,
                        ID_COLOURS_TILELINES, ID_COLOURS_HOMESQUARE, ID_COLOURS_BALLCOLOUR,
                        ID_LANGUAGE_DEUTSCH, ID_BALL_SPEED, ID_APP_ABOUT, ID_LANGUAGE_ENGLISH}) {
        ASSERT_EQ(monkey.Run(id), "");
    }
    const int columns = monkey.view->board.columns;
    const int rows = monkey.view->board.rows;
    for (int tries = 0;
         tries < 20 && monkey.view->board.columns == columns && monkey.view->board.rows == rows;
         ++tries) {
        ASSERT_EQ(monkey.Run(ID_GRID_SIZE), "");
    }
    EXPECT_TRUE(monkey.view->board.columns != columns || monkey.view->board.rows != rows);
    ASSERT_EQ(monkey.SaveLayout(), "");
    ASSERT_EQ(monkey.Run(ID_EDIT_EDITGRID), "");
    ASSERT_EQ(monkey.Run(ID_EDIT_RESETGRID), "");
    ASSERT_EQ(monkey.Run(ID_EDIT_CANCEL), "");
    if (monkey.view->editing) {
        ASSERT_EQ(monkey.Run(ID_EDIT_SAVEGRID), "");
    }
    ASSERT_EQ(monkey.Run(ID_APP_EXIT), "");
    EXPECT_FALSE(monkey.frame->GetSafeHwnd()->isVisible());
    monkey.Quit();
}

}  // namespace
