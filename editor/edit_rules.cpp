#include "editor/edit_rules.h"

Square* SquareAtPoint(const Board& board, std::int32_t x, std::int32_t y) {
    const std::int32_t w = board.squareWidth;
    const std::int32_t h = board.squareHeight;
    if (y < board.originY || y > board.originY + h * board.rows) {
        return nullptr;
    }
    // Walking by the links rather than dividing: a point on the far boundary line runs
    // past the last row or square, and squares of no size are never hit.
    std::int32_t b = y - board.originY;
    BoardRow* row = board.firstRow;
    while (row && b >= h) {
        b -= h;
        row = row->next;
    }
    if (!row) {
        return nullptr;
    }
    if (x < board.originX || x > board.originX + w * board.columns) {
        return nullptr;
    }
    std::int32_t e = x - board.originX;
    Square* square = row->first;
    while (square && e >= w) {
        e -= w;
        square = square->right;
    }
    return square;
}

bool IsProtectedSquare(const Board& board, const Square& square, SquareKind mark) {
    const Square* corner = board.BottomLeftCorner();
    const Square* start = board.StartSquare();
    if (&square == corner || &square == start) {
        return true;
    }
    if (mark != Home || !start) {
        return false;
    }
    const Square* third = start->right;
    return &square == third || &square == start->up || (third && &square == third->up);
}

SquareKind ToggledKind(SquareKind current, SquareKind mark) {
    return current == mark ? Empty : mark;
}

void ClearHomeAndBorder(Board& board) {
    board.ForEachSquare([](Square& square) {
        if (square.kind == Home || square.kind == Border) {
            square.kind = Empty;
        }
    });
}
