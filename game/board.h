#pragma once

#include <cstdint>

// What a square holds. Every value is a single bit so that sets of kinds can be
// tested with one AND (the painting masks, the search's candidate sets).
enum SquareKind : std::int16_t {
    LeftTile = 1,
    CentreTile = 2,
    RightTile = 4,
    Home = 8,
    Border = 16,
    Empty = 32,
    // Written only by the move search, for the length of one search. Each is its
    // tile shifted left by six bits; the walk treats it exactly like the tile.
    TrialLeft = 64,
    TrialCentre = 128,
    TrialRight = 256,
};

constexpr int kTrialShift = 6;
constexpr int kTileKinds = LeftTile | CentreTile | RightTile;
constexpr int kTrialKinds = TrialLeft | TrialCentre | TrialRight;
constexpr int kPaintedKinds = LeftTile | CentreTile | RightTile | Home | Border | Empty;

// The way the ball travels. The value also names the link it follows when it leaves a
// square straight on.
enum class Direction : std::int32_t {
    None = 0,
    Up = 100,
    Right = 200,
    Down = 300,
    Left = 400,
};

class Board;
struct BoardRow;
struct Square;

// The square next to `square` in the way of travel: the link a ball follows when it
// leaves straight on. Absent on the board's edge.
Square* Neighbour(const Square& square, Direction direction);
Direction Opposite(Direction direction);

struct Square {
    SquareKind kind = Empty;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    BoardRow* row = nullptr;
    Square* up = nullptr;
    Square* down = nullptr;
    Square* left = nullptr;
    Square* right = nullptr;
};

struct BoardRow {
    Board* board = nullptr;
    BoardRow* next = nullptr;
    BoardRow* prev = nullptr;
    Square* first = nullptr;  // owns the row's squares, chained through `right`
    Square* last = nullptr;
};

// The grid: a doubly linked list of rows, each a doubly linked list of squares, with
// the vertical links added. The game walks it by its links only; an absent link is
// the edge of the board.
class Board {
public:
    Board() = default;
    ~Board() { FreeRows(); }
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    std::int32_t columns = 0;
    std::int32_t rows = 0;
    std::int32_t squareHeight = 0;
    std::int32_t squareWidth = 0;
    std::int32_t originX = 0;
    std::int32_t originY = 0;
    BoardRow* firstRow = nullptr;  // owns the rows, chained through `next`
    BoardRow* lastRow = nullptr;

    void BuildBoard();
    void AppendRow();
    void AppendSquare(BoardRow* row);
    void FreeRows();
    void LayoutSquares();

    // The fixed squares of every game. Absent on boards too small to have them.
    Square* BottomLeftCorner() const { return lastRow ? lastRow->first : nullptr; }
    Square* StartSquare() const;
    Square* TopRightCorner() const { return firstRow ? firstRow->last : nullptr; }

    // The square in column `column` of row `row`, both from 0 at the top left, found by
    // walking the links; absent when either is outside the board.
    Square* SquareAt(std::int32_t column, std::int32_t row) const;

    // Visits every square in reading order: rows from the top, squares from the left.
    template <class Visit>
    void ForEachSquare(Visit&& visit) const {
        for (BoardRow* r = firstRow; r; r = r->next) {
            for (Square* s = r->first; s; s = s->right) {
                visit(*s);
            }
        }
    }

    // The same, with the square's column and row counted from 0 at the top left.
    template <class Visit>
    void ForEachSquareIndexed(Visit&& visit) const {
        std::int32_t rowIndex = 0;
        for (BoardRow* r = firstRow; r; r = r->next, ++rowIndex) {
            std::int32_t column = 0;
            for (Square* s = r->first; s; s = s->right, ++column) {
                visit(*s, column, rowIndex);
            }
        }
    }
};
