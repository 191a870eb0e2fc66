#include "game/geometry.h"

#include <gtest/gtest.h>

#include "game/board.h"
#include "game/rules_test_support.h"

namespace {

TEST(Geometry, EightHundredBySixHundredOnTheDefaultBoard) {
    const BoardGeometry g = ComputeBoardGeometry(800, 600, 15, 10);
    EXPECT_EQ(BoardAreaWidth(800), 640);
    EXPECT_EQ(g.squareWidth, 37);
    EXPECT_EQ(g.squareHeight, 50);
    EXPECT_EQ(g.ballRadiusX, 7);
    EXPECT_EQ(g.ballRadiusY, 10);
    EXPECT_EQ(g.originX, 42);
    EXPECT_EQ(g.originY, 50);

    Board board;
    MakeBoard(board, 15, 10);
    ApplyBoardGeometry(board, g);
    const Square* square = board.SquareAt(3, 2);
    ASSERT_NE(square, nullptr);
    EXPECT_EQ(square->x, 153);
    EXPECT_EQ(square->y, 150);
    EXPECT_EQ(board.squareWidth, 37);
    EXPECT_EQ(board.squareHeight, 50);
    EXPECT_EQ(board.originX, 42);
    EXPECT_EQ(board.originY, 50);
}

TEST(Geometry, EverySquareTouchesItsNeighbours) {
    Board board;
    MakeBoard(board, 15, 10);
    ApplyBoardGeometry(board, ComputeBoardGeometry(800, 600, 15, 10));
    board.ForEachSquare([](const Square& s) {
        EXPECT_EQ(s.width, 37);
        EXPECT_EQ(s.height, 50);
        if (s.right) {
            EXPECT_EQ(s.right->x, s.x + s.width);
            EXPECT_EQ(s.right->y, s.y);
        }
        if (s.down) {
            EXPECT_EQ(s.down->y, s.y + s.height);
            EXPECT_EQ(s.down->x, s.x);
        }
    });
    EXPECT_EQ(board.SquareAt(14, 9)->x + 37, 42 + 15 * 37);
}

TEST(Geometry, MultipliesBeforeDividingAndTruncates) {
    // 799 / 10 * 8 would give 632; the product first gives 639.
    EXPECT_EQ(BoardAreaWidth(799), 639);
    EXPECT_EQ(BoardAreaWidth(9), 7);
    const BoardGeometry g = ComputeBoardGeometry(799, 599, 15, 10);
    EXPECT_EQ(g.squareWidth, 37);   // 639 / 17 = 37.6
    EXPECT_EQ(g.squareHeight, 49);  // 599 / 12 = 49.9
    EXPECT_EQ(g.ballRadiusX, 7);    // 37 / 5 = 7.4
    EXPECT_EQ(g.ballRadiusY, 9);    // 49 / 5 = 9.8
    EXPECT_EQ(g.originX, 42);       // (639 - 555) / 2
    EXPECT_EQ(g.originY, 54);       // (599 - 490) / 2 = 54.5
}

TEST(Geometry, WidthAndHeightComeFromTheirOwnDimension) {
    const BoardGeometry g = ComputeBoardGeometry(1000, 300, 15, 10);
    EXPECT_EQ(g.squareWidth, 47);  // 800 / 17
    EXPECT_EQ(g.squareHeight, 25);
    EXPECT_EQ(g.originX, 47);  // (800 - 705) / 2
    EXPECT_EQ(g.originY, 25);
}

TEST(Geometry, LargeBoardsAndTinyWindowsGiveSmallButSaneSquares) {
    const BoardGeometry big = ComputeBoardGeometry(800, 600, 100, 100);
    EXPECT_EQ(big.squareWidth, 6);   // 640 / 102
    EXPECT_EQ(big.squareHeight, 5);  // 600 / 102
    EXPECT_EQ(big.ballRadiusX, 1);
    EXPECT_EQ(big.ballRadiusY, 1);
    EXPECT_EQ(big.originX, 20);
    EXPECT_EQ(big.originY, 50);

    const BoardGeometry tiny = ComputeBoardGeometry(5, 3, 15, 10);
    EXPECT_EQ(tiny.squareWidth, 0);
    EXPECT_EQ(tiny.squareHeight, 0);
    EXPECT_EQ(tiny.ballRadiusX, 0);
    EXPECT_EQ(tiny.originX, 2);
    EXPECT_EQ(tiny.originY, 1);
}

TEST(Geometry, ALaterLayoutReplacesAnEarlierOne) {
    Board board;
    MakeBoard(board, 4, 3);
    ApplyBoardGeometry(board, ComputeBoardGeometry(800, 600, 4, 3));
    ApplyBoardGeometry(board, ComputeBoardGeometry(400, 300, 4, 3));
    const Square* last = board.SquareAt(3, 2);
    // 320 / 6 = 53 wide, 300 / 5 = 60 high, origin ((320 - 212) / 2, (300 - 180) / 2)
    EXPECT_EQ(last->x, 54 + 3 * 53);
    EXPECT_EQ(last->y, 60 + 2 * 60);
    EXPECT_EQ(last->width, 53);
    EXPECT_EQ(last->height, 60);
}

}  // namespace
