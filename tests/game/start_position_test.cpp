#include "game/start_position.h"

#include <gtest/gtest.h>

#include "game/rules_test_support.h"

namespace {

TEST(StartPosition, ClearsTheBoardAndPlacesTheFixedSquaresAndTheBall) {
    Board board;
    MakeBoard(board, 15, 10);
    // Left over from a game in progress, including a stray trial kind.
    board.SquareAt(5, 5)->kind = LeftTile;
    board.SquareAt(3, 2)->kind = Border;
    board.SquareAt(7, 7)->kind = TrialRight;
    board.SquareAt(0, 0)->kind = Home;
    BallState ball{board.SquareAt(5, 5), Direction::Down};

    SetUpStartPosition(board, ball);

    board.ForEachSquareIndexed([](const Square& s, std::int32_t column, std::int32_t row) {
        const SquareKind expected = column == 14 && row == 0  ? Home
                                    : column == 0 && row == 9 ? CentreTile
                                                              : Empty;
        EXPECT_EQ(s.kind, expected) << "(" << column << "," << row << ")";
    });
    EXPECT_EQ(Where(board, ball.currentSquare), (GridPoint{1, 9}));
    EXPECT_EQ(ball.direction, Direction::Right);
}

TEST(StartPosition, OneRowBoardsStartOnTheSecondSquare) {
    Board board;
    MakeBoard(board, 5, 1);
    BallState ball;
    SetUpStartPosition(board, ball);
    EXPECT_EQ(Kinds(board), (std::vector<int>{CentreTile, Empty, Empty, Empty, Home}));
    EXPECT_EQ(Where(board, ball.currentSquare), (GridPoint{1, 0}));

    // Two squares: the start square is also the Home corner.
    MakeBoard(board, 2, 1);
    SetUpStartPosition(board, ball);
    EXPECT_EQ(Kinds(board), (std::vector<int>{CentreTile, Home}));
    EXPECT_EQ(Where(board, ball.currentSquare), (GridPoint{1, 0}));
}

TEST(StartPosition, OneColumnLeavesTheBallWithoutASquare) {
    Board board;
    MakeBoard(board, 1, 4);
    BallState ball{nullptr, Direction::None};
    SetUpStartPosition(board, ball);
    EXPECT_EQ(ball.currentSquare, nullptr);
    EXPECT_EQ(ball.direction, Direction::Right);
    EXPECT_EQ(Kinds(board), (std::vector<int>{Home, Empty, Empty, CentreTile}));

    // The single square is both corners; the fixed tile is placed last.
    MakeBoard(board, 1, 1);
    SetUpStartPosition(board, ball);
    EXPECT_EQ(Kinds(board), (std::vector<int>{CentreTile}));
    EXPECT_EQ(ball.currentSquare, nullptr);
}

TEST(StartPosition, ABoardWithoutRowsIsLeftAlone) {
    Board board;
    BallState ball;
    SetUpStartPosition(board, ball);
    EXPECT_EQ(ball.currentSquare, nullptr);
}

}  // namespace
