#include "editor/layout_codec.h"

#include <gtest/gtest.h>

#include <climits>

#include "game/rules_test_support.h"

namespace {

TEST(LayoutText, NamesAndEntries) {
    EXPECT_EQ(LayoutValueName("Home", 0), "Home0");
    EXPECT_EQ(LayoutValueName("Border", 12), "Border12");
    EXPECT_EQ(LayoutValueName("Home", 9999), "Home9999");
    EXPECT_EQ(FormatLayoutEntry(14, 0), "(14,0)");
    EXPECT_EQ(FormatLayoutEntry(0, 0), "(0,0)");
    EXPECT_EQ(FormatLayoutEntry(-3, 99), "(-3,99)");
}

TEST(LayoutText, EveryFormattedEntryReadsBack) {
    for (int column : {0, 1, 14, 99, -1, INT_MAX, INT_MIN}) {
        for (int row : {0, 9, 100, -7, INT_MAX, INT_MIN}) {
            std::int32_t c = 12345;
            std::int32_t r = 12345;
            ASSERT_TRUE(ParseLayoutEntry(FormatLayoutEntry(column, row), c, r));
            EXPECT_EQ(c, column);
            EXPECT_EQ(r, row);
        }
    }
}

TEST(LayoutText, ReadsLikeTheStoredPattern) {
    const struct {
        const char* text;
        std::int32_t column;
        std::int32_t row;
    } kAccepted[] = {
        {"(3,4)", 3, 4},
        {"(3,4)abc", 3, 4},  // anything after the second number is ignored
        {"(3,4", 3, 4},
        {"( 3,\t-4)", 3, -4},  // blanks before each number, and signs
        {"(+7,+0)", 7, 0},
        {"(007,010)", 7, 10},
        {"(99999999999,1)", INT_MAX, 1},  // beyond 32 bits: off every board
        {"(-99999999999,1)", INT_MIN, 1},
        {"(1,99999999999999999999999999)", 1, INT_MAX},
    };
    for (const auto& entry : kAccepted) {
        std::int32_t c = 0;
        std::int32_t r = 0;
        EXPECT_TRUE(ParseLayoutEntry(entry.text, c, r)) << entry.text;
        EXPECT_EQ(c, entry.column) << entry.text;
        EXPECT_EQ(r, entry.row) << entry.text;
    }
}

TEST(LayoutText, RefusesEntriesWithoutTwoNumbersAndLeavesTheOutputsAlone) {
    for (const char* text : {"", "3,4", " (3,4)", "(", "()", "(3)", "(3,)", "(3 ,4)", "(,4)",
                             "(a,4)", "(3,b)", "(-,4)", "(+-3,4)", "(3;4)", "[3,4]", "(3,,4)"}) {
        std::int32_t c = -77;
        std::int32_t r = -77;
        EXPECT_FALSE(ParseLayoutEntry(text, c, r)) << '"' << text << '"';
        EXPECT_EQ(c, -77) << text;
        EXPECT_EQ(r, -77) << text;
    }
}

TEST(LayoutSquare, NamesASquareExactlyWhenItLiesOnTheBoard) {
    Board board;
    MakeBoard(board, 15, 10);
    board.ForEachSquareIndexed([&](const Square& s, std::int32_t column, std::int32_t row) {
        EXPECT_EQ(LayoutSquare(board, column, row), &s);
    });
    for (auto [column, row] :
         {std::pair{15, 0}, std::pair{0, 10}, std::pair{16, 3}, std::pair{3, 11}, std::pair{-1, 0},
          std::pair{0, -1}, std::pair{INT_MAX, INT_MAX}, std::pair{INT_MIN, 5}}) {
        EXPECT_EQ(LayoutSquare(board, column, row), nullptr) << column << "," << row;
    }
}

TEST(LayoutSquare, ALargerBoardsLayoutKeepsOnlyTheEntriesThatFit) {
    Board large;
    MakeBoard(large, 20, 15);
    std::vector<GridPoint> entries;
    large.ForEachSquareIndexed([&](const Square&, std::int32_t column, std::int32_t row) {
        if ((column + row) % 3 == 0) {
            entries.push_back({column, row});
        }
    });
    Board small;
    MakeBoard(small, 15, 10);
    int applied = 0;
    for (const GridPoint& entry : entries) {
        std::int32_t c = 0;
        std::int32_t r = 0;
        ASSERT_TRUE(ParseLayoutEntry(FormatLayoutEntry(entry.column, entry.row), c, r));
        if (Square* square = LayoutSquare(small, c, r)) {
            square->kind = Border;
            ++applied;
            EXPECT_LE(c, 14);
            EXPECT_LE(r, 9);
        }
    }
    int expected = 0;
    small.ForEachSquareIndexed([&](const Square& s, std::int32_t column, std::int32_t row) {
        const bool named = (column + row) % 3 == 0;
        expected += named;
        EXPECT_EQ(s.kind, named ? Border : Empty);
    });
    EXPECT_EQ(applied, expected);
}

}  // namespace
