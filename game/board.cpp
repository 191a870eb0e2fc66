#include "game/board.h"

void Board::AppendSquare(BoardRow* row) {
    auto* square = new Square;
    square->kind = Empty;
    square->row = row;
    if (!row->first) {
        row->first = square;
    }
    if (row->last) {
        row->last->right = square;
        square->left = row->last;
    }
    row->last = square;
}

void Board::AppendRow() {
    auto* row = new BoardRow;
    row->board = this;
    for (std::int32_t i = 0; i < columns; ++i) {
        AppendSquare(row);
    }
    if (!firstRow) {
        firstRow = row;
    }
    if (lastRow) {
        lastRow->next = row;
        row->prev = lastRow;
        for (Square *above = lastRow->first, *below = row->first; above && below;
             above = above->right, below = below->right) {
            above->down = below;
            below->up = above;
        }
    }
    lastRow = row;
}

void Board::BuildBoard() {
    if (columns == 0 || rows <= 0) {
        return;
    }
    for (std::int32_t i = 0; i < rows; ++i) {
        AppendRow();
    }
}

void Board::FreeRows() {
    BoardRow* row = firstRow;
    while (row) {
        Square* square = row->first;
        while (square) {
            Square* right = square->right;
            delete square;
            square = right;
        }
        BoardRow* next = row->next;
        delete row;
        row = next;
    }
    firstRow = nullptr;
    lastRow = nullptr;
}

void Board::LayoutSquares() {
    ForEachSquareIndexed([this](Square& square, std::int32_t column, std::int32_t row) {
        square.x = originX + column * squareWidth;
        square.y = originY + row * squareHeight;
        square.width = squareWidth;
        square.height = squareHeight;
    });
}

Square* Board::StartSquare() const {
    Square* corner = BottomLeftCorner();
    return corner ? corner->right : nullptr;
}

Square* Board::SquareAt(std::int32_t column, std::int32_t row) const {
    if (column < 0 || row < 0) {
        return nullptr;
    }
    BoardRow* r = firstRow;
    for (std::int32_t i = 0; r && i < row; ++i) {
        r = r->next;
    }
    if (!r) {
        return nullptr;
    }
    Square* s = r->first;
    for (std::int32_t i = 0; s && i < column; ++i) {
        s = s->right;
    }
    return s;
}

Square* Neighbour(const Square& square, Direction direction) {
    switch (direction) {
        case Direction::Up:
            return square.up;
        case Direction::Right:
            return square.right;
        case Direction::Down:
            return square.down;
        case Direction::Left:
            return square.left;
        case Direction::None:
            break;
    }
    return nullptr;
}

Direction Opposite(Direction direction) {
    switch (direction) {
        case Direction::Up:
            return Direction::Down;
        case Direction::Right:
            return Direction::Left;
        case Direction::Down:
            return Direction::Up;
        case Direction::Left:
            return Direction::Right;
        case Direction::None:
            break;
    }
    return Direction::None;
}
