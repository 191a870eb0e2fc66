#pragma once

// Helpers shared by the rules tests: positions by coordinates, and snapshots of the
// whole position that a dry run or a search must leave as it found it.

#include <cstdint>
#include <ostream>
#include <vector>

#include "game/ball_path.h"
#include "game/board.h"

inline void PrintTo(Direction direction, std::ostream* os) {
    *os << static_cast<int>(direction);
}

struct GridPoint {
    std::int32_t column = -1;
    std::int32_t row = -1;
    friend bool operator==(const GridPoint&, const GridPoint&) = default;
};

inline void PrintTo(const GridPoint& point, std::ostream* os) {
    *os << "(" << point.column << "," << point.row << ")";
}

inline void MakeBoard(Board& board, std::int32_t columns, std::int32_t rows) {
    board.FreeRows();
    board.columns = columns;
    board.rows = rows;
    board.BuildBoard();
}

// Where a square lies, counted along the rows; (-1,-1) for no square.
inline GridPoint Where(const Board& board, const Square* square) {
    GridPoint found;
    board.ForEachSquareIndexed([&](const Square& s, std::int32_t column, std::int32_t row) {
        if (&s == square) {
            found = {column, row};
        }
    });
    return found;
}

inline std::vector<int> Kinds(const Board& board) {
    std::vector<int> kinds;
    kinds.reserve(static_cast<std::size_t>(board.columns) * static_cast<std::size_t>(board.rows));
    board.ForEachSquare([&](const Square& s) { kinds.push_back(s.kind); });
    return kinds;
}

inline bool HasTrialKind(const Board& board) {
    bool found = false;
    board.ForEachSquare([&](const Square& s) { found = found || (s.kind & kTrialKinds) != 0; });
    return found;
}

struct PositionSnapshot {
    std::vector<int> kinds;
    Square* ball = nullptr;
    Direction direction = Direction::None;
    friend bool operator==(const PositionSnapshot&, const PositionSnapshot&) = default;
};

inline PositionSnapshot Snapshot(const Board& board, const BallState& ball) {
    return {Kinds(board), ball.currentSquare, ball.direction};
}

inline void PrintTo(const PositionSnapshot& snapshot, std::ostream* os) {
    *os << "ball " << snapshot.ball << " direction " << static_cast<int>(snapshot.direction)
        << ", kinds";
    for (int kind : snapshot.kinds) {
        *os << ' ' << kind;
    }
}
