#include "game/board.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "game/rules_test_support.h"

namespace {

// The squares as the row lists hold them, gathered through `next` and `right` only, so
// that the vertical links and the back links are checked against something they did
// not build.
std::vector<std::vector<Square*>> RowsOf(const Board& board) {
    std::vector<std::vector<Square*>> rows;
    for (BoardRow* r = board.firstRow; r; r = r->next) {
        rows.emplace_back();
        for (Square* s = r->first; s; s = s->right) {
            rows.back().push_back(s);
        }
    }
    return rows;
}

class BoardShape : public testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(BoardShape, EveryLinkLeadsToTheNeighbourAndIsAnsweredByItsOpposite) {
    const auto [columns, rows] = GetParam();
    Board board;
    MakeBoard(board, columns, rows);

    const auto grid = RowsOf(board);
    ASSERT_EQ(grid.size(), static_cast<std::size_t>(rows));
    int links = 0;
    BoardRow* row = board.firstRow;
    BoardRow* above = nullptr;
    for (int r = 0; r < rows; ++r, above = row, row = row->next) {
        ASSERT_EQ(grid[r].size(), static_cast<std::size_t>(columns)) << "row " << r;
        EXPECT_EQ(row->board, &board);
        EXPECT_EQ(row->prev, above);
        EXPECT_EQ(row->first, grid[r].front());
        EXPECT_EQ(row->last, grid[r].back());
        for (int c = 0; c < columns; ++c) {
            const Square* s = grid[r][c];
            SCOPED_TRACE(testing::Message() << "square (" << c << "," << r << ")");
            EXPECT_EQ(s->kind, Empty);
            EXPECT_EQ(s->row, row);
            EXPECT_EQ(s->up, r > 0 ? grid[r - 1][c] : nullptr);
            EXPECT_EQ(s->down, r + 1 < rows ? grid[r + 1][c] : nullptr);
            EXPECT_EQ(s->left, c > 0 ? grid[r][c - 1] : nullptr);
            EXPECT_EQ(s->right, c + 1 < columns ? grid[r][c + 1] : nullptr);
            if (s->up) {
                EXPECT_EQ(s->up->down, s);
            }
            if (s->down) {
                EXPECT_EQ(s->down->up, s);
            }
            if (s->left) {
                EXPECT_EQ(s->left->right, s);
            }
            if (s->right) {
                EXPECT_EQ(s->right->left, s);
            }
            links += (s->up != nullptr) + (s->down != nullptr) + (s->left != nullptr) +
                     (s->right != nullptr);
        }
    }
    // Every neighbouring pair is linked both ways and nothing else is.
    EXPECT_EQ(links, 2 * ((columns - 1) * rows + columns * (rows - 1)));
    EXPECT_EQ(board.lastRow, above);
    EXPECT_EQ(board.lastRow->next, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Shapes, BoardShape,
                         testing::Values(std::tuple{15, 10}, std::tuple{1, 1}, std::tuple{7, 1},
                                         std::tuple{1, 6}, std::tuple{2, 2}, std::tuple{100, 100}),
                         [](const testing::TestParamInfo<std::tuple<int, int>>& info) {
                             return std::to_string(std::get<0>(info.param)) + "x" +
                                    std::to_string(std::get<1>(info.param));
                         });

TEST(Board, OneRowHasNoVerticalLinksAndOneColumnNoHorizontalOnes) {
    Board wide;
    MakeBoard(wide, 9, 1);
    wide.ForEachSquare([](const Square& s) {
        EXPECT_EQ(s.up, nullptr);
        EXPECT_EQ(s.down, nullptr);
    });
    Board tall;
    MakeBoard(tall, 1, 9);
    tall.ForEachSquare([](const Square& s) {
        EXPECT_EQ(s.left, nullptr);
        EXPECT_EQ(s.right, nullptr);
    });
}

TEST(Board, BuildsNothingWithoutColumnsOrRows) {
    for (auto [columns, rows] : {std::pair{0, 10}, std::pair{15, 0}, std::pair{15, -3}}) {
        Board board;
        MakeBoard(board, columns, rows);
        EXPECT_EQ(board.firstRow, nullptr);
        EXPECT_EQ(board.lastRow, nullptr);
        EXPECT_EQ(board.StartSquare(), nullptr);
        EXPECT_EQ(board.SquareAt(0, 0), nullptr);
    }
}

TEST(Board, FreeRowsKeepsTheSizeAndAllowsBuildingAgain) {
    Board board;
    MakeBoard(board, 15, 10);
    board.squareWidth = 37;
    board.FreeRows();
    EXPECT_EQ(board.firstRow, nullptr);
    EXPECT_EQ(board.lastRow, nullptr);
    EXPECT_EQ(board.columns, 15);
    EXPECT_EQ(board.rows, 10);
    EXPECT_EQ(board.squareWidth, 37);
    board.FreeRows();  // a second free of an empty board is harmless

    board.columns = 4;
    board.rows = 3;
    board.BuildBoard();
    EXPECT_EQ(RowsOf(board).size(), 3u);
    EXPECT_EQ(Kinds(board).size(), 12u);
}

TEST(Board, FixedSquaresSitAtTheCorners) {
    Board board;
    MakeBoard(board, 15, 10);
    EXPECT_EQ(Where(board, board.BottomLeftCorner()), (GridPoint{0, 9}));
    EXPECT_EQ(Where(board, board.StartSquare()), (GridPoint{1, 9}));
    EXPECT_EQ(Where(board, board.TopRightCorner()), (GridPoint{14, 0}));

    Board column;
    MakeBoard(column, 1, 5);
    EXPECT_EQ(Where(column, column.BottomLeftCorner()), (GridPoint{0, 4}));
    EXPECT_EQ(column.StartSquare(), nullptr);
    EXPECT_EQ(Where(column, column.TopRightCorner()), (GridPoint{0, 0}));

    Board single;
    MakeBoard(single, 1, 1);
    EXPECT_EQ(single.BottomLeftCorner(), single.TopRightCorner());
    EXPECT_EQ(single.StartSquare(), nullptr);

    Board empty;
    EXPECT_EQ(empty.BottomLeftCorner(), nullptr);
    EXPECT_EQ(empty.StartSquare(), nullptr);
    EXPECT_EQ(empty.TopRightCorner(), nullptr);
}

TEST(Board, SquareAtFindsEverySquareAndNothingOutside) {
    Board board;
    MakeBoard(board, 6, 4);
    board.ForEachSquareIndexed([&](Square& s, std::int32_t column, std::int32_t row) {
        EXPECT_EQ(board.SquareAt(column, row), &s);
    });
    EXPECT_EQ(board.SquareAt(-1, 0), nullptr);
    EXPECT_EQ(board.SquareAt(0, -1), nullptr);
    EXPECT_EQ(board.SquareAt(6, 0), nullptr);
    EXPECT_EQ(board.SquareAt(0, 4), nullptr);
    EXPECT_EQ(board.SquareAt(2147483647, 2147483647), nullptr);
    EXPECT_EQ(board.SquareAt(-2147483647 - 1, 0), nullptr);
}

TEST(Board, SweepsInReadingOrder) {
    Board board;
    MakeBoard(board, 3, 2);
    const auto grid = RowsOf(board);
    std::vector<const Square*> seen;
    std::vector<GridPoint> points;
    board.ForEachSquare([&](const Square& s) { seen.push_back(&s); });
    board.ForEachSquareIndexed([&](const Square&, std::int32_t column, std::int32_t row) {
        points.push_back({column, row});
    });
    const std::vector<const Square*> expected = {grid[0][0], grid[0][1], grid[0][2],
                                                 grid[1][0], grid[1][1], grid[1][2]};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(points, (std::vector<GridPoint>{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}}));
}

}  // namespace
