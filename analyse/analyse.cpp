#include "analyse/analyse.h"

#include <cctype>
#include <iomanip>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>

#include "ai/move_search.h"
#include "ai/tile_random.h"
#include "editor/layout_codec.h"
#include "game/start_position.h"

namespace {

constexpr std::int32_t kMaxSelfPlayGames = 1000000;

const char kUsage[] =
    "usage: rolvan-analyse --size CxR [--home LIST] [--border LIST] [--moves TILES] [--level N]\n"
    "       rolvan-analyse --size CxR [--home LIST] [--border LIST] --selfplay GAMES "
    "--levels A,B [--seed S]\n"
    "LIST: entries (c,r) one after another or separated by spaces; TILES: letters L, C, R\n";

bool IsDigits(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

// A decimal number without sign, or nothing when it is malformed or above `limit`.
std::optional<std::uint32_t> ParseCount(std::string_view text, std::uint32_t limit) {
    if (!IsDigits(text)) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char c : text) {
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > limit) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

std::optional<int> ParseLevel(std::string_view text) {
    const auto value = ParseCount(text, 4);
    if (!value || *value < 1) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

bool IsBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// The stored form reads like scanf's "(%d,%d)", which skips blanks before each number
// and ignores whatever follows the second. On a command line trailing text is more
// likely a typing slip than a comment, so an entry here must close right after it.
bool IsCompleteEntry(std::string_view entry) {
    std::size_t pos = 1;
    for (int number = 0; number < 2; ++number) {
        while (pos < entry.size() && IsBlank(entry[pos])) {
            ++pos;
        }
        if (pos < entry.size() && (entry[pos] == '+' || entry[pos] == '-')) {
            ++pos;
        }
        const std::size_t digits = pos;
        while (pos < entry.size() && std::isdigit(static_cast<unsigned char>(entry[pos]))) {
            ++pos;
        }
        if (pos == digits || pos >= entry.size() || entry[pos] != (number == 0 ? ',' : ')')) {
            return false;
        }
        ++pos;
    }
    return pos == entry.size();
}

void ApplyLayout(Board& board, const std::vector<LayoutPoint>& points, SquareKind kind) {
    for (const LayoutPoint& point : points) {
        if (Square* square = LayoutSquare(board, point.column, point.row)) {
            square->kind = kind;
        }
    }
}

char MoveLetter(SquareKind tile) {
    switch (tile) {
        case LeftTile:
            return 'L';
        case CentreTile:
            return 'C';
        default:
            return 'R';
    }
}

struct Options {
    std::map<std::string, std::string> values;

    bool Has(const std::string& name) const { return values.count(name) != 0; }
    std::string_view Get(const std::string& name) const {
        const auto it = values.find(name);
        return it == values.end() ? std::string_view() : std::string_view(it->second);
    }
};

std::string ReadOptions(const std::vector<std::string>& args, Options& options, bool& help) {
    static const char* const kKnown[] = {"--size",  "--home",   "--border", "--moves",
                                         "--level", "--levels", "--seed",   "--selfplay"};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help") {
            help = true;
            return {};
        }
        if (arg.rfind("--", 0) != 0) {
            return "unexpected argument '" + arg + "'";
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        bool known = false;
        for (const char* option : kKnown) {
            known = known || name == option;
        }
        if (!known) {
            return "unknown option '" + name + "'";
        }
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
            value = args[++i];
        } else {
            return "option " + name + " needs a value";
        }
        if (!options.values.emplace(name, value).second) {
            return "option " + name + " given twice";
        }
    }
    return {};
}

std::string ReadPosition(const Options& options, PositionSetup& setup) {
    if (!options.Has("--size")) {
        return "--size CxR is required";
    }
    if (std::string problem = ParseBoardSize(options.Get("--size"), setup.columns, setup.rows);
        !problem.empty()) {
        return problem;
    }
    if (std::string problem = ParseLayoutList(options.Get("--home"), setup.homes);
        !problem.empty()) {
        return problem + " in --home";
    }
    if (std::string problem = ParseLayoutList(options.Get("--border"), setup.borders);
        !problem.empty()) {
        return problem + " in --border";
    }
    return ParseMoves(options.Get("--moves"), setup.moves);
}

std::string Analyse(const Options& options, std::ostream& out) {
    for (const char* selfPlayOnly : {"--levels", "--seed"}) {
        if (options.Has(selfPlayOnly)) {
            return std::string(selfPlayOnly) + " needs --selfplay";
        }
    }
    PositionSetup setup;
    if (std::string problem = ReadPosition(options, setup); !problem.empty()) {
        return problem;
    }
    int firstLevel = 1;
    int lastLevel = 4;
    if (options.Has("--level")) {
        const auto level = ParseLevel(options.Get("--level"));
        if (!level) {
            return "level '" + std::string(options.Get("--level")) + "' is not 1, 2, 3 or 4";
        }
        firstLevel = lastLevel = *level;
    }
    Board board;
    BallState ball;
    if (std::string problem = SetUpPosition(board, ball, setup); !problem.empty()) {
        return problem;
    }
    if (!ball.currentSquare) {
        return "the ball has no square";
    }
    // Candidates() draws no random number, so every level sees the same position.
    TileRandom random;
    for (int level = firstLevel; level <= lastLevel; ++level) {
        MoveSearch search(ball, random, level);
        out << "level " << level << ": " << CandidateNames(search.Candidates()) << '\n';
    }
    return {};
}

std::string SelfPlay(const Options& options, std::ostream& out) {
    for (const char* analysisOnly : {"--moves", "--level"}) {
        if (options.Has(analysisOnly)) {
            return std::string(analysisOnly) + " cannot be used with --selfplay";
        }
    }
    PositionSetup setup;
    if (std::string problem = ReadPosition(options, setup); !problem.empty()) {
        return problem;
    }
    const auto games = ParseCount(options.Get("--selfplay"), kMaxSelfPlayGames);
    if (!games || *games < 1) {
        return "game count '" + std::string(options.Get("--selfplay")) + "' is not 1 to " +
               std::to_string(kMaxSelfPlayGames);
    }
    if (!options.Has("--levels")) {
        return "--selfplay needs --levels A,B";
    }
    const std::string_view levels = options.Get("--levels");
    const std::size_t comma = levels.find(',');
    const auto levelA = ParseLevel(levels.substr(0, comma));
    const auto levelB =
        comma == std::string_view::npos ? std::nullopt : ParseLevel(levels.substr(comma + 1));
    if (!levelA || !levelB) {
        return "levels '" + std::string(levels) + "' are not two levels A,B from 1 to 4";
    }
    std::uint32_t seed = 1;
    if (options.Has("--seed")) {
        const auto value = ParseCount(options.Get("--seed"), 0xFFFFFFFFu);
        if (!value) {
            return "seed '" + std::string(options.Get("--seed")) + "' is not 0 to 4294967295";
        }
        seed = *value;
    }
    SelfPlayResult result;
    if (std::string problem =
            PlaySelfGames(setup, static_cast<std::int32_t>(*games), *levelA, *levelB, seed, result);
        !problem.empty()) {
        return problem;
    }
    out << "level " << *levelA << ": " << result.pointsA << " points\n";
    out << "level " << *levelB << ": " << result.pointsB << " points\n";
    out << "mean moves per game: " << std::fixed << std::setprecision(2)
        << static_cast<double>(result.moves) / static_cast<double>(*games) << '\n';
    return {};
}

}  // namespace

std::string ParseBoardSize(std::string_view text, std::int32_t& columns, std::int32_t& rows) {
    const std::size_t x = text.find_first_of("xX");
    std::string shown = "'";
    shown.append(text).append("'");
    if (x == std::string_view::npos) {
        return "malformed size " + shown + " (expected CxR, e.g. 15x10)";
    }
    const std::string_view across = text.substr(0, x);
    const std::string_view down = text.substr(x + 1);
    if (!IsDigits(across) || !IsDigits(down)) {
        return "malformed size " + shown + " (expected CxR, e.g. 15x10)";
    }
    const auto c = ParseCount(across, kMaxBoardSize);
    const auto r = ParseCount(down, kMaxBoardSize);
    if (!c || !r || *c < 1 || *r < 1) {
        return "size " + shown + " is outside 1..100";
    }
    columns = static_cast<std::int32_t>(*c);
    rows = static_cast<std::int32_t>(*r);
    return {};
}

std::string ParseLayoutList(std::string_view text, std::vector<LayoutPoint>& points) {
    points.clear();
    std::size_t pos = 0;
    for (;;) {
        while (pos < text.size() && IsBlank(text[pos])) {
            ++pos;
        }
        if (pos == text.size()) {
            return {};
        }
        const std::size_t close = text.find(')', pos);
        const std::string_view entry = text.substr(
            pos, close == std::string_view::npos ? std::string_view::npos : close - pos + 1);
        LayoutPoint point;
        if (entry[0] != '(' || !IsCompleteEntry(entry) ||
            !ParseLayoutEntry(entry, point.column, point.row)) {
            return "malformed entry '" + std::string(entry) + "'";
        }
        points.push_back(point);
        pos = close + 1;
    }
}

std::string ParseMoves(std::string_view text, std::vector<SquareKind>& moves) {
    moves.clear();
    for (char letter : text) {
        switch (letter) {
            case 'L':
                moves.push_back(LeftTile);
                break;
            case 'C':
                moves.push_back(CentreTile);
                break;
            case 'R':
                moves.push_back(RightTile);
                break;
            default:
                return "move '" + std::string(1, letter) + "' is not L, C or R";
        }
    }
    return {};
}

void StartGame(Board& board, BallState& ball, const PositionSetup& setup) {
    SetUpStartPosition(board, ball);
    ApplyLayout(board, setup.homes, Home);
    ApplyLayout(board, setup.borders, Border);
}

std::string SetUpPosition(Board& board, BallState& ball, const PositionSetup& setup) {
    if (setup.columns < 1 || setup.columns > kMaxBoardSize || setup.rows < 1 ||
        setup.rows > kMaxBoardSize) {
        return "size " + std::to_string(setup.columns) + "x" + std::to_string(setup.rows) +
               " is outside 1..100";
    }
    board.FreeRows();
    board.columns = setup.columns;
    board.rows = setup.rows;
    board.BuildBoard();
    StartGame(board, ball, setup);
    for (std::size_t i = 0; i < setup.moves.size(); ++i) {
        const std::string move = "move " + std::to_string(i + 1) + " (" +
                                 std::string(1, MoveLetter(setup.moves[i])) + ")";
        if (!ball.currentSquare) {
            return i == 0 ? "the ball has no square" : move + ": the ball has left the board";
        }
        ball.currentSquare->kind = setup.moves[i];
        switch (RollBall(ball, nullptr)) {
            case PathEmpty:
                break;
            case PathHome:
                return move + " ends the game on a Home square";
            case PathBorder:
                return move + (ball.currentSquare ? " ends the game on a Border square"
                                                  : " ends the game off the board");
            default:
                return move + " ends on a square the rules do not know";
        }
    }
    return {};
}

std::string SetUpPosition(Board& board, BallState& ball, std::string_view size,
                          std::string_view homes, std::string_view borders,
                          std::string_view moves) {
    PositionSetup setup;
    if (std::string problem = ParseBoardSize(size, setup.columns, setup.rows); !problem.empty()) {
        return problem;
    }
    if (std::string problem = ParseLayoutList(homes, setup.homes); !problem.empty()) {
        return problem;
    }
    if (std::string problem = ParseLayoutList(borders, setup.borders); !problem.empty()) {
        return problem;
    }
    if (std::string problem = ParseMoves(moves, setup.moves); !problem.empty()) {
        return problem;
    }
    return SetUpPosition(board, ball, setup);
}

std::string LongWalkMoves(std::int32_t columns, std::int32_t rows, std::int32_t width,
                          std::int32_t height) {
    std::string moves;
    if (width < 2 || height < 1 || width + 2 > columns || height + 2 > rows ||
        columns > kMaxBoardSize || rows > kMaxBoardSize) {
        return moves;
    }
    Board board;
    BallState ball;
    PositionSetup setup;
    setup.columns = columns;
    setup.rows = rows;
    SetUpPosition(board, ball, setup);

    // Turns the ball from the way it came onto `out` and rolls it; false once a move
    // would end the game, which is then not made.
    auto turn = [&](Direction out) {
        SquareKind tile = CentreTile;
        if (ExitDirection(LeftTile, ball.direction) == out) {
            tile = LeftTile;
        } else if (ExitDirection(RightTile, ball.direction) == out) {
            tile = RightTile;
        } else if (ball.direction != out) {
            return false;
        }
        const BallState before = ball;
        const SquareKind kind = ball.currentSquare->kind;
        ball.currentSquare->kind = tile;
        if (RollBall(ball, nullptr) != PathEmpty) {
            before.currentSquare->kind = kind;
            ball = before;
            return false;
        }
        moves += MoveLetter(tile);
        return true;
    };

    const std::int32_t left = 1;
    const std::int32_t right = width;
    if (!turn(Direction::Up)) {
        return moves;
    }
    // The serpentine, one row after another upwards: the ball comes up into each row at
    // one end and runs along it to the other.
    bool rightwards = true;
    for (std::int32_t row = 0; row < height; ++row, rightwards = !rightwards) {
        const Direction along = rightwards ? Direction::Right : Direction::Left;
        for (std::int32_t step = 0; step < right - left; ++step) {
            if (!turn(along)) {
                return moves;
            }
        }
        if (!turn(Direction::Up)) {
            return moves;
        }
    }
    // The sweep: the centre tiles inside the serpentine still have their upright line
    // free, so each walk runs the serpentine's full height.
    const Direction sweep = rightwards ? Direction::Right : Direction::Left;
    const std::int32_t step = rightwards ? 1 : -1;
    std::int32_t column = rightwards ? left : right;
    bool downwards = true;
    while (column + step > left && column + step < right) {
        if (!turn(sweep)) {
            return moves;
        }
        column += step;
        if (!turn(downwards ? Direction::Down : Direction::Up)) {
            return moves;
        }
        downwards = !downwards;
    }
    return moves;
}

std::string CandidateNames(int candidates) {
    std::string names;
    for (const auto& [trial, name] :
         {std::pair{int{TrialLeft}, "Left"}, std::pair{int{TrialCentre}, "Centre"},
          std::pair{int{TrialRight}, "Right"}}) {
        if (candidates & trial) {
            names += names.empty() ? "" : " ";
            names += name;
        }
    }
    return names;
}

std::string PlaySelfGames(const PositionSetup& setup, std::int32_t games, int levelA, int levelB,
                          std::uint32_t seed, SelfPlayResult& result) {
    result = {};
    PositionSetup start = setup;
    start.moves.clear();
    Board board;
    BallState ball;
    if (std::string problem = SetUpPosition(board, ball, start); !problem.empty()) {
        return problem;
    }
    if (!ball.currentSquare) {
        return "the ball has no square";
    }
    TileRandom random;
    random.Seed(seed);
    for (std::int32_t game = 0; game < games; ++game) {
        StartGame(board, ball, start);
        // The opener follows the game number, not the end of the last game, so a layout
        // on which every opening move scores still alternates.
        bool aMoves = game % 2 == 0;
        // Every move that keeps the game going fills an Empty square, so a game ends.
        for (;;) {
            MoveSearch search(ball, random, aMoves ? levelA : levelB);
            ball.currentSquare->kind = search.ChooseMove();
            ++result.moves;
            const PathResult outcome = RollBall(ball, nullptr);
            if (outcome == PathHome) {
                ++(aMoves ? result.pointsA : result.pointsB);
                break;
            }
            if (outcome == PathBorder) {
                ++(aMoves ? result.pointsB : result.pointsA);
                break;
            }
            if (outcome != PathEmpty) {
                break;
            }
            aMoves = !aMoves;
        }
    }
    return {};
}

int RunAnalyse(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options options;
    bool help = false;
    std::string problem = ReadOptions(args, options, help);
    if (help) {
        out << kUsage;
        return 0;
    }
    if (problem.empty() && args.empty()) {
        problem = "no options given (try --help)";
    }
    // Output is held back until the whole run has succeeded, so that bad input leaves
    // standard output empty.
    std::ostringstream text;
    if (problem.empty()) {
        problem = options.Has("--selfplay") ? SelfPlay(options, text) : Analyse(options, text);
    }
    if (!problem.empty()) {
        // The problem quotes the user's text, which must not break the one-line report.
        for (char& c : problem) {
            if (std::iscntrl(static_cast<unsigned char>(c))) {
                c = '?';
            }
        }
        err << "rolvan-analyse: " << problem << '\n';
        return 2;
    }
    out << text.str();
    return 0;
}
