#include "editor/layout_storage.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "game/start_position.h"

namespace {

// An in-memory "Settings" section whose writes can be made to fail.
class FakeStore : public LayoutStore {
public:
    std::map<std::string, std::string> values;
    std::set<std::string> failingNames;

    int ReadInt(const std::string& name, int defaultValue) override {
        auto it = values.find(name);
        return it == values.end() ? defaultValue : std::stoi(it->second);
    }
    bool WriteInt(const std::string& name, int value) override {
        return WriteString(name, std::to_string(value));
    }
    std::string ReadString(const std::string& name, const std::string& defaultValue) override {
        auto it = values.find(name);
        return it == values.end() ? defaultValue : it->second;
    }
    bool WriteString(const std::string& name, const std::string& text) override {
        if (failingNames.count(name)) {
            return false;
        }
        values[name] = text;
        return true;
    }
    void DeleteValue(const std::string& name) override { values.erase(name); }
};

struct Shown {
    unsigned id;
    std::string text;
    std::string caption;
    bool ownedByView;
};

class RecordingMessages : public LayoutMessages {
public:
    std::vector<Shown> shown;
    void ShowLayoutMessage(unsigned stringId, const char* englishText, const std::string& caption,
                           bool ownedByView) override {
        shown.push_back({stringId, englishText, caption, ownedByView});
    }
};

class LayoutStorageTest : public ::testing::Test {
protected:
    void MakeBoard(int columns, int rows) {
        board.FreeRows();
        board.columns = columns;
        board.rows = rows;
        board.BuildBoard();
        SetUpStartPosition(board, ball);
    }
    void SetUp() override { MakeBoard(15, 10); }

    Board board;
    BallState ball;
    FakeStore store;
    RecordingMessages messages;
};

}  // namespace

TEST_F(LayoutStorageTest, NewGameBoardStoresOnlyTheCornerHome) {
    SaveLayout(board, store, messages);
    EXPECT_EQ(store.values, (std::map<std::string, std::string>{
                                {"HomeCount", "1"}, {"Home0", "(14,0)"}, {"BorderCount", "0"}}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LayoutStorageTest, SaveNumbersEntriesInReadingOrderAndReplacesTheOldLayout) {
    store.values = {{"HomeCount", "3"},   {"Home0", "(1,1)"},   {"Home1", "(2,2)"},
                    {"Home2", "(3,3)"},   {"BorderCount", "1"}, {"Border0", "(4,4)"},
                    {"Unrelated", "kept"}};
    board.SquareAt(5, 3)->kind = Border;
    board.SquareAt(2, 3)->kind = Border;
    board.SquareAt(0, 0)->kind = Home;
    SaveLayout(board, store, messages);
    EXPECT_EQ(store.values, (std::map<std::string, std::string>{{"HomeCount", "2"},
                                                                {"Home0", "(0,0)"},
                                                                {"Home1", "(14,0)"},
                                                                {"BorderCount", "2"},
                                                                {"Border0", "(2,3)"},
                                                                {"Border1", "(5,3)"},
                                                                {"Unrelated", "kept"}}));
}

TEST_F(LayoutStorageTest, LoadAppliesHomeThenBorderAndSkipsWhatIsOffTheBoard) {
    store.values = {{"HomeCount", "4"},   {"Home0", "(3,4)"},    {"Home1", "(14,9)"},
                    {"Home2", "(15,0)"},  {"Home3", "(0,10)"},   {"BorderCount", "3"},
                    {"Border0", "(3,4)"}, {"Border1", "(-1,2)"}, {"Border2", "(5,5)xyz"}};
    LoadLayout(board, store, messages);
    EXPECT_EQ(board.SquareAt(3, 4)->kind, Border);  // named in both lists
    EXPECT_EQ(board.SquareAt(14, 9)->kind, Home);
    EXPECT_EQ(board.SquareAt(5, 5)->kind, Border);  // trailing letters are ignored
    EXPECT_EQ(board.SquareAt(14, 0)->kind, Home);
    EXPECT_TRUE(messages.shown.empty());
    int special = 0;
    board.ForEachSquare([&](const Square& s) { special += s.kind == Home || s.kind == Border; });
    EXPECT_EQ(special, 4);
}

TEST_F(LayoutStorageTest, LayoutFromALargerBoardAppliesWhatFits) {
    MakeBoard(20, 15);
    board.SquareAt(19, 14)->kind = Border;
    board.SquareAt(14, 9)->kind = Border;
    board.SquareAt(15, 3)->kind = Home;
    SaveLayout(board, store, messages);
    MakeBoard(15, 10);
    LoadLayout(board, store, messages);
    EXPECT_EQ(board.SquareAt(14, 9)->kind, Border);
    // Of the stored (19,0), (15,3), (14,9) and (19,14) only (14,9) fits; the new game
    // placed the Home corner.
    int special = 0;
    board.ForEachSquare([&](const Square& s) { special += s.kind == Home || s.kind == Border; });
    EXPECT_EQ(special, 2);
}

TEST_F(LayoutStorageTest, MalformedEntriesAreReportedWithoutOwnerAndSkipped) {
    store.values = {{"HomeCount", "5"}, {"Home0", "3,4"},   {"Home1", "(3;4)"},  {"Home2", "(a,1)"},
                    {"Home3", ""},      {"Home4", "(2,2)"}, {"BorderCount", "2"}};
    LoadLayout(board, store, messages);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].id, 61208u);
    EXPECT_EQ(messages.shown[0].text, "Could not read entry");
    EXPECT_EQ(messages.shown[0].caption, "3,4");
    EXPECT_FALSE(messages.shown[0].ownedByView);
    EXPECT_EQ(messages.shown[1].caption, "(3;4)");
    EXPECT_EQ(messages.shown[2].caption, "(a,1)");
    EXPECT_EQ(board.SquareAt(2, 2)->kind, Home);  // the rest still applies
}

TEST_F(LayoutStorageTest, LayoutOverridesTheFixedSquaresOfANewGame) {
    store.values = {{"BorderCount", "2"}, {"Border0", "(0,9)"}, {"Border1", "(1,9)"}};
    LoadLayout(board, store, messages);
    EXPECT_EQ(board.BottomLeftCorner()->kind, Border);
    EXPECT_EQ(board.StartSquare()->kind, Border);
}

TEST_F(LayoutStorageTest, FailedWritesAreEachReportedAndNeverStopTheSave) {
    board.SquareAt(3, 2)->kind = Border;
    store.failingNames = {"Home0", "Border0", "BorderCount"};
    SaveLayout(board, store, messages);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].id, 61206u);
    EXPECT_EQ(messages.shown[0].text, "Couldn't save the home square");
    EXPECT_EQ(messages.shown[0].caption, "(14,0)");
    EXPECT_TRUE(messages.shown[0].ownedByView);
    EXPECT_EQ(messages.shown[1].id, 61204u);
    EXPECT_EQ(messages.shown[1].text, "Couldn't save the border square");
    EXPECT_EQ(messages.shown[1].caption, "(3,2)");
    EXPECT_EQ(messages.shown[2].id, 61205u);
    EXPECT_EQ(messages.shown[2].text, "Couldn't save the border square count");
    EXPECT_EQ(messages.shown[2].caption, "1");
    // The home count was still written although its entry was not.
    EXPECT_EQ(store.values["HomeCount"], "1");
    EXPECT_EQ(store.values.count("Home0"), 0u);
}

TEST_F(LayoutStorageTest, HugeStoredCountsNeitherHangNorOverflow) {
    store.values = {{"HomeCount", "2147483647"}, {"Home0", "(2,2)"}, {"BorderCount", "-7"}};
    LoadLayout(board, store, messages);
    EXPECT_EQ(board.SquareAt(2, 2)->kind, Home);
    ClearStoredLayout(store);
    EXPECT_EQ(store.values,
              (std::map<std::string, std::string>{{"HomeCount", "0"}, {"BorderCount", "0"}}));
}
