// What assistive technology hears of the game: the board's name and its state after every
// move and every game, what each roll did, every square of the board, the tile buttons by
// their Moves menu texts and what each tile does, all in the current language.

#include <initializer_list>
#include <string>
#include <utility>

#include "render/tile_buttons.h"
#include "res/resource_tables.h"
#include "shell/localized_string.h"
#include "shell/rolvan_app.h"
#include "shell/rolvan_view.h"

namespace {

// The localized text with %1, %2, ... replaced by the values in order.
std::string Localized(unsigned id, const char* english, std::initializer_list<std::string> values) {
    LocalizedString holder;
    std::string text = holder.LoadLocalizedString(id, english);
    int number = 1;
    for (const std::string& value : values) {
        std::string mark = "%";
        mark += std::to_string(number++);
        if (const std::size_t at = text.find(mark); at != std::string::npos) {
            text.replace(at, mark.size(), value);
        }
    }
    return text;
}

// The item's text in the current language's menu bar, without its accelerator mark.
std::string MenuText(unsigned commandId) {
    const MenuTemplate* menu = FindMenuTemplate(IDR_MAINFRAME + LanguageOffset());
    if (menu == nullptr) {
        return {};
    }
    for (int i = 0; i < menu->count; ++i) {
        const MenuEntry& entry = menu->entries[i];
        if (entry.kind == MenuEntryKind::Item && entry.id == commandId) {
            std::string text = entry.text;
            std::erase(text, '&');
            return text;
        }
    }
    return {};
}

std::string MovingWord(Direction direction) {
    switch (direction) {
        case Direction::Up:
            return Localized(IDS_MOVING_UP, "up", {});
        case Direction::Right:
            return Localized(IDS_MOVING_RIGHT, "right", {});
        case Direction::Down:
            return Localized(IDS_MOVING_DOWN, "down", {});
        case Direction::Left:
            return Localized(IDS_MOVING_LEFT, "left", {});
        case Direction::None:
            break;
    }
    return {};
}

// Column and row from 0 at the top left, counted along the links: as cheap on a large board
// as on a small one.
std::pair<int, int> PlaceOf(const Square& square) {
    int column = 0;
    for (const Square* s = square.left; s != nullptr; s = s->left) {
        ++column;
    }
    int row = 0;
    for (const Square* s = square.up; s != nullptr; s = s->up) {
        ++row;
    }
    return {column, row};
}

// What a square shows, as its name in the board's table says it.
std::string ContentWords(SquareKind kind) {
    switch (kind) {
        case LeftTile:
            return Localized(IDS_SQUARE_LEFT_TILE, "Arcs left-top, right-bottom", {});
        case CentreTile:
            return Localized(IDS_SQUARE_CENTRE_TILE, "Cross", {});
        case RightTile:
            return Localized(IDS_SQUARE_RIGHT_TILE, "Arcs top-right, bottom-left", {});
        case Home:
            return Localized(IDS_SQUARE_HOME, "Home", {});
        case Border:
            return Localized(IDS_SQUARE_BORDER, "Border", {});
        default:
            return Localized(IDS_SQUARE_EMPTY, "Empty", {});
    }
}

// The tile as the object of "You laid ...".
std::string LaidWords(SquareKind tile) {
    switch (tile) {
        case LeftTile:
            return Localized(IDS_LEFT_TILE_LAID, "the arcs left-top, right-bottom", {});
        case RightTile:
            return Localized(IDS_RIGHT_TILE_LAID, "the arcs top-right, bottom-left", {});
        default:
            return Localized(IDS_CENTRE_TILE_LAID, "the cross", {});
    }
}

std::string Number(int value) {
    return std::to_string(value);
}

// Where a roll left the ball, counted from 1 for the listener.
std::string WhereTheBallWent(const BallState& ball, int result) {
    if (ball.currentSquare == nullptr) {
        return Localized(IDS_BALL_LEAVES, "The ball leaves the board.", {});
    }
    const auto [column, row] = PlaceOf(*ball.currentSquare);
    const std::string columnText = Number(column + 1);
    const std::string rowText = Number(row + 1);
    switch (result) {
        case PathHome:
            return Localized(IDS_BALL_HOME,
                             "The ball reaches the Home square on column %1, row %2.",
                             {columnText, rowText});
        case PathBorder:
            return Localized(IDS_BALL_BORDER,
                             "The ball runs onto the Border square on column %1, row %2.",
                             {columnText, rowText});
        default:
            return Localized(IDS_BALL_STOPS, "Ball on column %1, row %2, moving %3.",
                             {columnText, rowText, MovingWord(ball.direction)});
    }
}

void Describe(CWnd* button, unsigned commandId, unsigned descriptionId, const char* english) {
    if (button == nullptr) {
        return;
    }
    button->SetAccessibleName(MenuText(commandId).c_str());
    button->SetAccessibleDescription(Localized(descriptionId, english, {}).c_str());
}

}  // namespace

void CRolvanView::UpdateAccessibleState() {
    SetAccessibleName(Localized(IDS_BOARD_NAME, "Board", {}).c_str());
    const std::string human = std::to_string(humanScore);
    const std::string computer = std::to_string(computerScore);
    std::string state;
    if (editing) {
        state = Localized(IDS_BOARD_EDITING,
                          "Editing the board: the left mouse button marks a Border square, the "
                          "right one a Home square.",
                          {});
    } else if (ball.currentSquare == nullptr) {
        state = Localized(IDS_BOARD_BALL_GONE,
                          "The ball has left the board. Your score %1, computer score %2.",
                          {human, computer});
    } else {
        // Counted from 1 for the listener, as the squares appear from the top left.
        const auto [column, row] = PlaceOf(*ball.currentSquare);
        state = Localized(
            IDS_BOARD_STATE,
            "Ball on column %1, row %2, moving %3. Your score %4, computer score %5.",
            {Number(column + 1), Number(row + 1), MovingWord(ball.direction), human, computer});
    }
    SetAccessibleState(state.c_str());
}

void CRolvanView::DescribeTileButtons() {
    Describe(leftButton.get(), ID_MOVES_TOPSQUARE, IDS_LEFT_TILE_DESCRIPTION,
             "Lays the tile whose arcs join the left side to the top side and the right side to "
             "the bottom side.");
    Describe(centreButton.get(), ID_MOVES_MIDDLESQUARE, IDS_CENTRE_TILE_DESCRIPTION,
             "Lays the tile with the straight cross: the ball keeps its way.");
    Describe(rightButton.get(), ID_MOVES_BOTTOMSQUARE, IDS_RIGHT_TILE_DESCRIPTION,
             "Lays the tile whose arcs join the top side to the right side and the bottom side "
             "to the left side.");
}

void CRolvanView::OnLanguageChanged() {
    UpdateAccessibleState();
    DescribeTileButtons();
    BoardChangedForAccessibility();
}

void CRolvanView::AnnounceRoll(const Square& laidOn, bool humanMoved, int result) {
    const bool opening = std::exchange(computerOpening, false);
    if (!IsAccessibilityActive()) {
        return;
    }
    // Of the board's squares only the tile's and the one the ball stopped on read otherwise.
    const auto [laidColumn, laidRow] = PlaceOf(laidOn);
    AccessibleGridChanged(laidColumn, laidRow);
    if (ball.currentSquare != nullptr) {
        const auto [column, row] = PlaceOf(*ball.currentSquare);
        AccessibleGridChanged(column, row);
    }

    std::string text;
    if (opening) {
        text = Localized(IDS_COMPUTER_OPENS, "New game: the computer opens.", {});
        text += ' ';
    }
    text += humanMoved
                ? Localized(IDS_HUMAN_LAID, "You laid %1.", {LaidWords(laidOn.kind)})
                : Localized(IDS_COMPUTER_LAID, "The computer laid %1.", {LaidWords(laidOn.kind)});
    text += ' ';
    text += WhereTheBallWent(ball, result);
    text += ' ';
    if (result == PathHome || result == PathBorder) {
        // The point goes to the mover on Home, to the other side on a Border or off the board.
        const std::string human = Number(humanScore);
        const std::string computer = Number(computerScore);
        text += humanMoved == (result == PathHome)
                    ? Localized(IDS_HUMAN_SCORES, "Your point: your score %1, computer score %2.",
                                {human, computer})
                    : Localized(IDS_COMPUTER_SCORES,
                                "The computer's point: your score %1, computer score %2.",
                                {human, computer});
    } else {
        text += humanMoved ? Localized(IDS_COMPUTERS_MOVE, "The computer's move.", {})
                           : Localized(IDS_YOUR_MOVE, "Your move.", {});
    }
    AnnounceAccessible(text.c_str());
}

void CRolvanView::AnnounceNewGame() {
    if (IsAccessibilityActive()) {
        const std::string text = Localized(IDS_NEW_GAME, "New game.", {}) + " " +
                                 Localized(IDS_YOUR_MOVE, "Your move.", {});
        AnnounceAccessible(text.c_str());
    }
}

void CRolvanView::BoardChangedForAccessibility() {
    AccessibleGridChanged();
}

void CRolvanView::SquareChangedForAccessibility(const Square& square) {
    if (IsAccessibilityActive()) {
        const auto [column, row] = PlaceOf(square);
        AccessibleGridChanged(column, row);
    }
}

int CRolvanView::GetGridColumns() const {
    return board.firstRow != nullptr ? board.columns : 0;
}

int CRolvanView::GetGridRows() const {
    return board.firstRow != nullptr ? board.rows : 0;
}

CString CRolvanView::GetGridCellName(int column, int row) const {
    const Square* square = board.SquareAt(column, row);
    if (square == nullptr) {
        return {};
    }
    // The editor shows every tile as an empty square and no ball.
    const bool hidden = editing && (square->kind & kTileKinds) != 0;
    const std::string withBall =
        square == ball.currentSquare && !editing
            ? Localized(IDS_SQUARE_BALL, ", ball moving %1", {MovingWord(ball.direction)})
            : std::string();
    return Localized(IDS_SQUARE_NAME, "%3, column %1, row %2%4.",
                     {Number(column + 1), Number(row + 1),
                      ContentWords(hidden ? Empty : square->kind), withBall});
}

CRect CRolvanView::GetGridCellRect(int column, int row) const {
    const Square* square = board.SquareAt(column, row);
    if (square == nullptr) {
        return {};
    }
    return CRect{square->x, square->y, square->x + square->width, square->y + square->height};
}
