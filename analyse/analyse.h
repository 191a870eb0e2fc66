#pragma once

// rolvan-analyse: the game's own rules and move search run on a position described on
// the command line, for people who tune the levels or check a layout. The position
// helpers are shared with the tests and the benchmarks, so all three build positions
// the same way.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "game/ball_path.h"
#include "game/board.h"

struct LayoutPoint {
    std::int32_t column = 0;
    std::int32_t row = 0;
};

// A position as the command line gives it: the board size, the stored layout, and the
// tiles laid since the game began.
struct PositionSetup {
    std::int32_t columns = 0;
    std::int32_t rows = 0;
    std::vector<LayoutPoint> homes;
    std::vector<LayoutPoint> borders;
    std::vector<SquareKind> moves;
};

constexpr std::int32_t kMaxBoardSize = 100;

// The parsers and set-up steps return an empty string on success, otherwise the
// problem in a few words for the user.

// "CxR", both 1 to 100.
std::string ParseBoardSize(std::string_view text, std::int32_t& columns, std::int32_t& rows);
// Layout entries "(c,r)" written one after another or separated by spaces.
std::string ParseLayoutList(std::string_view text, std::vector<LayoutPoint>& points);
// Letters L, C and R, one tile each.
std::string ParseMoves(std::string_view text, std::vector<SquareKind>& moves);

// Starts a game on an already built board the way the game does: the fixed squares and
// the ball, then the Home entries and after them the Border entries, so that a square
// named in both ends as Border. Entries outside the board are skipped, as when a layout
// stored for a larger board is loaded.
void StartGame(Board& board, BallState& ball, const PositionSetup& setup);

// Builds the board afresh, starts a game and lays the moves one after another on the
// ball's square, each rolled as a dry run. A move must leave the game going.
std::string SetUpPosition(Board& board, BallState& ball, const PositionSetup& setup);

// The same from the texts of --size, --home, --border and --moves.
std::string SetUpPosition(Board& board, BallState& ball, std::string_view size,
                          std::string_view homes, std::string_view borders, std::string_view moves);

// Moves that make long walks, for tests and benchmarks. On a fresh board of `columns` x
// `rows` the ball first lays a serpentine of tiles over `width` columns (from column 1)
// and the `height` rows above the bottom row, then sweeps along the serpentine's columns,
// up one and down the next, so that every walk of the sweep crosses all its rows. The
// moves stop before any that would end the game. Needs width + 2 <= columns and
// height + 2 <= rows; gives no moves otherwise.
std::string LongWalkMoves(std::int32_t columns, std::int32_t rows, std::int32_t width,
                          std::int32_t height);

// The tiles of a candidate set in tile order, e.g. "Left Centre".
std::string CandidateNames(int candidates);

struct SelfPlayResult {
    std::int64_t pointsA = 0;
    std::int64_t pointsB = 0;
    std::int64_t moves = 0;
};

// Plays `games` games between level A and level B, A opening the first game and the
// openers alternating, every move chosen by the move search with one generator seeded
// once.
std::string PlaySelfGames(const PositionSetup& setup, std::int32_t games, int levelA, int levelB,
                          std::uint32_t seed, SelfPlayResult& result);

// The tool itself, without the program name in `args`. Returns the exit status: 0, or 2
// for bad input, which is reported in one line on `err` with nothing on `out`.
int RunAnalyse(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
