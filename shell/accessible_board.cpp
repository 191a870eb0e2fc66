// What assistive technology hears of the game: the board's name and its state after every
// move and every game, the tile buttons by their Moves menu texts and what each tile does,
// all in the current language.

#include <initializer_list>
#include <string>

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
        int column = 0;
        int row = 0;
        board.ForEachSquareIndexed([&](const Square& square, int c, int r) {
            if (&square == ball.currentSquare) {
                column = c + 1;
                row = r + 1;
            }
        });
        state = Localized(IDS_BOARD_STATE,
                          "Ball on column %1, row %2, moving %3. Your score %4, computer score %5.",
                          {std::to_string(column), std::to_string(row), MovingWord(ball.direction),
                           human, computer});
    }
    SetAccessibleDescription(state.c_str());
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
}
