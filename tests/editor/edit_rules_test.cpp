#include "editor/edit_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "game/geometry.h"
#include "game/rules_test_support.h"

namespace {

// 800 x 600 on 15 x 10: squares of 37 x 50 from (42, 50) to (597, 550).
TEST(SquareAtPoint, CornersInsideOutsideAndTheBoundaryLines) {
    Board board;
    MakeBoard(board, 15, 10);
    ApplyBoardGeometry(board, ComputeBoardGeometry(800, 600, 15, 10));
    const struct {
        int x, y;
        GridPoint hit;
    } cases[] = {{42, 50, {0, 0}},
                 {78, 99, {0, 0}},
                 {79, 50, {1, 0}},
                 {42, 100, {0, 1}},
                 {596, 549, {14, 9}},
                 {300, 300, {6, 5}},
                 {41, 300, {}},
                 {300, 49, {}},
                 {597, 300, {}},
                 {300, 550, {}},
                 {597, 550, {}},
                 {-1, -1, {}},
                 {2000000000, 2000000000, {}}};
    for (const auto& c : cases) {
        EXPECT_EQ(Where(board, SquareAtPoint(board, c.x, c.y)), c.hit) << c.x << "," << c.y;
    }
    // Squares of no width on a narrow window are never hit, and the walk still ends.
    ApplyBoardGeometry(board, ComputeBoardGeometry(10, 600, 15, 10));
    for (int x = -2; x < 12; ++x) {
        EXPECT_EQ(SquareAtPoint(board, x, 300), nullptr) << x;
    }
}

using Squares = std::set<std::pair<int, int>>;

Squares ProtectedSquares(const Board& board, SquareKind mark) {
    Squares found;
    board.ForEachSquareIndexed([&](const Square& s, std::int32_t column, std::int32_t row) {
        if (IsProtectedSquare(board, s, mark)) {
            found.insert({column, row});
        }
    });
    return found;
}

// On small boards the squares that do not exist simply drop out of the rule.
TEST(IsProtectedSquare, TheStartSquaresAndTheirHomeNeighboursOnEveryBoardSize) {
    const struct {
        int columns, rows;
        Squares border, home;
    } cases[] = {
        {15, 10, {{0, 9}, {1, 9}}, {{0, 9}, {1, 9}, {2, 9}, {1, 8}, {2, 8}}},
        {1, 1, {{0, 0}}, {{0, 0}}},
        {1, 2, {{0, 1}}, {{0, 1}}},
        {2, 1, {{0, 0}, {1, 0}}, {{0, 0}, {1, 0}}},
        {2, 2, {{0, 1}, {1, 1}}, {{0, 1}, {1, 1}, {1, 0}}},
        {3, 1, {{0, 0}, {1, 0}}, {{0, 0}, {1, 0}, {2, 0}}},
    };
    for (const auto& c : cases) {
        Board board;
        MakeBoard(board, c.columns, c.rows);
        EXPECT_EQ(ProtectedSquares(board, Border), c.border) << c.columns << "x" << c.rows;
        EXPECT_EQ(ProtectedSquares(board, Home), c.home) << c.columns << "x" << c.rows;
    }
}

}  // namespace
