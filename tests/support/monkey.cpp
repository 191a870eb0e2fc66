#include "support/monkey.h"

#include <QMenu>

#include <ctime>
#include <iterator>
#include <set>

#include "ai/move_search.h"
#include "editor/layout_codec.h"
#include "game/scores_dialog.h"
#include "render/tile_buttons.h"
#include "shell/platform/menu_qt.h"
#include "shell/platform/platform_test_support.h"
#include "shell/stored_values.h"

// The program seeds the computer's draws from the calendar clock at every new game. The
// test program is linked with --wrap=time, so a monkey holds that clock while it runs.
namespace {
std::time_t g_clock = 0;
bool g_clockHeld = false;
}  // namespace

extern "C" std::time_t __real_time(std::time_t* t);
extern "C" std::time_t __wrap_time(std::time_t* t) {
    const std::time_t now = g_clockHeld ? g_clock : __real_time(nullptr);
    if (t != nullptr)
        *t = now;
    return now;
}

namespace {

// In the order of kColourSettings.
constexpr COLORREF CRolvanView::*kColourFields[] = {
    &CRolvanView::WindowBackgroundColour, &CRolvanView::GridBackgroundColour,
    &CRolvanView::GridLineColour,         &CRolvanView::TileBackgroundColour,
    &CRolvanView::TileBorderColour,       &CRolvanView::TileLineColour,
    &CRolvanView::HomeSquareColour,       &CRolvanView::BallColour};
constexpr unsigned kColourCommands[] = {ID_COLOURS_WINDOWBACKGROUND, ID_COLOURS_GRIDBACKGROUND,
                                        ID_COLOURS_GRIDLINES,        ID_COLOURS_TILEBACKGROUND,
                                        ID_COLOURS_TILEBORDER,       ID_COLOURS_TILELINES,
                                        ID_COLOURS_HOMESQUARE,       ID_COLOURS_BALLCOLOUR};
constexpr unsigned kLevels[] = {ID_LEVEL_ONE, ID_LEVEL_TWO, ID_LEVEL_THREE, ID_LEVEL_FOUR};
constexpr unsigned kMoves[] = {ID_MOVES_TOPSQUARE, ID_MOVES_MIDDLESQUARE, ID_MOVES_BOTTOMSQUARE};
constexpr unsigned kOnlyWhileEditing[] = {ID_EDIT_SAVEGRID, ID_EDIT_CANCEL, ID_EDIT_RESETGRID};
constexpr unsigned kAlways[] = {ID_APP_EXIT, ID_LANGUAGE_ENGLISH, ID_LANGUAGE_DEUTSCH,
                                ID_APP_ABOUT};
const char* const kGridTexts[] = {"1", "2",  "15",  "100",         "0",  "101", "1000",
                                  "",  "-5", "abc", "99999999999", " 7", "12x"};

template <class Table>
bool In(const Table& table, unsigned id) {
    return std::find(std::begin(table), std::end(table), id) != std::end(table);
}

// Every item of the menu bar with the menus above it, as the user opens them.
using MenuItem = std::pair<std::vector<QMenu*>, QAction*>;
void MenuItems(QWidget* menu, std::vector<MenuItem>& items, std::vector<QMenu*> path = {}) {
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu()) {
            path.push_back(sub);
            MenuItems(sub, items, path);
            path.pop_back();
        } else if (!action->isSeparator()) {
            items.emplace_back(path, action);
        }
    }
}

void ClickAt(QWidget* widget, QPoint at, Qt::MouseButton button) {
    SendMouse(widget, QEvent::MouseButtonPress, at, button);
    SendMouse(widget, QEvent::MouseButtonRelease, at, button);
}

}  // namespace

Monkey::Monkey(std::uint64_t seed, Play play) : m_random(seed), m_play(play) {
    g_clockHeld = true;
    g_clock = static_cast<std::time_t>(1000000000 + seed % 1000000000);
    ModalScript script;
    script.messageBox = [this](const MessageBoxRequest& request) {
        return AnswerMessageBox(request);
    };
    script.dialog = [this](CDialog& dialog) { AnswerDialog(dialog); };
    script.colour = [this](COLORREF initial) -> std::optional<COLORREF> {
        for (std::size_t i = 0; i < std::size(kColourCommands); ++i) {
            if (kColourCommands[i] == m_command && initial != (view->*kColourFields[i] & 0xFFFFFF))
                Fail("the picker opened on another colour");
        }
        if (m_play != Play::Settings && Below(3) == 0)
            return std::nullopt;
        return static_cast<COLORREF>(m_random());
    };
    m_script = std::make_unique<ScopedModalScript>(std::move(script));
}

Monkey::~Monkey() {
    Quit();
    m_script.reset();
    SetSystemLocaleForTesting(nullptr);
    AfxSetPlatformLanguage(LANG_ENGLISH);
    g_clockHeld = false;
}

void Monkey::Fail(const std::string& what) {
    m_failures += what + "; ";
}

std::string Monkey::Start() {
    lastAction = "start";
    SetSystemLocaleForTesting(Below(2) ? "de_DE" : "en_US");
    app = std::make_unique<CRolvanApp>();
    if (!app->InitInstance())
        return "the program did not start";
    frame = dynamic_cast<CFrameWnd*>(app->m_pMainWnd);
    view = frame ? dynamic_cast<CRolvanView*>(frame->GetActiveView()) : nullptr;
    if (view == nullptr)
        return "no view";
    m_speed = view->ballDelay;
    view->ballDelay = 0;
    m_computer = m_human = 0;
    frame->GetSafeHwnd()->resize(300 + Below(900), 250 + Below(700));
    ProcessEvents();
    return Check();
}

void Monkey::Quit() {
    view = nullptr;
    frame = nullptr;
    app.reset();
    ProcessEvents();
}

bool Monkey::Command(unsigned id) {
    std::vector<MenuItem> items;
    MenuItems(frame->GetMenu()->m_hMenu, items);
    for (auto& [path, action] : items) {
        if (CommandIdOf(action) != id)
            continue;
        for (QMenu* menu : path)
            emit menu->aboutToShow();
        if (!action->isEnabled())
            return false;
        m_command = id;
        NoteMove(id);
        action->trigger();
        return true;
    }
    return false;
}

int Monkey::TileSquares() const {
    int tiles = 0;
    view->board.ForEachSquare([&](const Square& s) { tiles += (s.kind & kTileKinds) != 0; });
    return tiles;
}

int Monkey::AnswerMessageBox(const MessageBoxRequest& request) {
    messageBoxes.push_back(request);
    // The close box gives the answer of Escape, which is one of these.
    static const std::vector<int> kAnswers[] = {
        {IDOK}, {IDOK, IDCANCEL}, {IDOK}, {IDYES, IDNO, IDCANCEL}, {IDYES, IDNO}};
    const std::vector<int>& answers = kAnswers[request.buttons < 5 ? request.buttons : 0];
    int answer = answers[Below(static_cast<int>(answers.size()))];
    if (m_play == Play::Settings && request.buttons != MB_OK)
        answer = IDYES;
    if (m_command == ID_FILE_RESETSCORES && request.buttons == MB_YESNOCANCEL && answer == IDYES)
        m_computer = m_human = 0;
    return answer;
}

void Monkey::EndDialog(DialogUser& user, int okWeight) {
    const int action = Below(4 + okWeight);
    action == 0   ? user.Click(IDCANCEL)
    : action == 1 ? user.CloseBox()
    : action == 2 ? user.PressEscape()
    : action == 3 ? user.PressEnter()
                  : user.Click(IDOK);
}

void Monkey::AnswerScores(CDialog& dialog) {
    auto& scores = static_cast<CScoresDlg&>(dialog);
    DialogUser user(dialog);
    if (user.Text(IDC_COMPUTER_SCORE) != std::to_string(scores.computerValue) ||
        user.Text(IDC_YOUR_SCORE) != std::to_string(scores.humanValue)) {
        Fail("the scores dialog shows other scores");
    }
    if (m_command != ID_FILE_SHOWSCORES || m_gameEnds > 0) {
        // A game ended. The human's move that ended it added one tile in this step, the
        // computer's reply two; any later end in the step is the computer's opening move.
        const int laid = TileSquares() - m_tilesBefore;
        const bool humanMoved = m_humanMove && m_gameEnds == 0 && laid == 1;
        if (m_humanMove && m_gameEnds == 0 && laid != 1 && laid != 2)
            Fail("a move laid " + std::to_string(laid) + " tiles");
        const Square* at = view->ball.currentSquare;
        if (at != nullptr && at->kind != Home && at->kind != Border)
            Fail("a game ended with the ball on kind " + std::to_string(at->kind));
        // Home scores for the side that moved; a Border or the edge for the other.
        ++((at != nullptr && at->kind == Home) == humanMoved ? m_human : m_computer);
        ++m_gameEnds;
        ++games;
    }
    if (scores.computerValue != m_computer || scores.humanValue != m_human) {
        Fail("scores " + std::to_string(scores.computerValue) + ":" +
             std::to_string(scores.humanValue) + " where the rules give " +
             std::to_string(m_computer) + ":" + std::to_string(m_human));
    }
    const int action = Below(8);
    if (action == 0)
        user.DoubleClick(IDC_RESET);
    else if (action == 1)
        user.Click(IDC_RESET);
    if (action != 0)
        EndDialog(user, 3);
    if (dialog.HasEnded() && dialog.GetEndCode() != IDCANCEL) {
        m_computer = scores.computerValue;
        m_human = scores.humanValue;
    }
}

void Monkey::AnswerDialog(CDialog& dialog) {
    DialogUser user(dialog);
    const unsigned kind = dialog.GetTemplateID() % LANGUAGE_OFFSET_GERMAN;
    if (kind == IDD_SCORES)
        return AnswerScores(dialog);
    if (kind == IDD_GRIDSIZE) {
        for (int tries = 1 + Below(4); tries > 0 && user.IsOpen(); --tries) {
            for (int id : {IDC_XSIZE, IDC_YSIZE}) {
                const char* text = kGridTexts[Below(static_cast<int>(std::size(kGridTexts)))];
                if (Below(2) == 0)
                    user.Type(id, Below(3) ? std::to_string(1 + Below(100)).c_str() : text);
                else if (Below(3) == 0)
                    dialog.SetDlgItemText(id, text);  // as a paste past the digits-only rule
            }
            const int action = Below(10);
            action == 0   ? user.Click(IDC_DEFAULT)
            : action == 1 ? user.DoubleClick(IDC_DEFAULT)
                          : EndDialog(user, 4);
        }
        return;
    }
    if (kind == IDD_BALLSPEED) {
        user.MoveSlider(IDC_SPEED_SLIDER, Below(26) - 3);
        const UINT keys[] = {VK_HOME, VK_END, VK_PRIOR, VK_NEXT, VK_LEFT, VK_RIGHT};
        if (Below(3) == 0)
            user.PressKey(IDC_SPEED_SLIDER, keys[Below(6)]);
    }
    m_play == Play::Settings ? user.Click(IDOK) : EndDialog(user, 1);
    m_speedAccepted = kind == IDD_BALLSPEED && dialog.HasEnded() && dialog.GetEndCode() == IDOK;
}

void Monkey::NoteMove(unsigned id) {
    if (In(kMoves, id))
        m_humanMove = !view->editing && view->ball.currentSquare != nullptr;
}

void Monkey::Move() {
    const int tile = Below(3);
    const int way = Below(3);
    lastAction = "move " + std::to_string(tile) + " by " + std::to_string(way);
    NoteMove(kMoves[tile]);
    if (way == 0) {
        PressKey(view->GetSafeHwnd(), Qt::Key_1 + tile,
                 Below(2) ? Qt::KeypadModifier : Qt::NoModifier);
    } else if (way == 1) {
        CButton* buttons[] = {view->leftButton.get(), view->centreButton.get(),
                              view->rightButton.get()};
        if (buttons[tile] != nullptr)
            ClickWidget(buttons[tile]->GetSafeHwnd());
    } else {
        Command(kMoves[tile]);
    }
}

void Monkey::Click(bool onButton) {
    const Qt::MouseButton button =
        Below(6) ? (Below(2) ? Qt::LeftButton : Qt::RightButton) : Qt::MiddleButton;
    QWidget* target = view->GetSafeHwnd();
    const Board& board = view->board;
    QPoint at(Below(target->width() + 1), Below(target->height() + 1));
    if (!onButton && Below(4) == 0) {
        // On the lines between squares and on the board's edges.
        at = QPoint(board.originX + Below(board.columns + 1) * board.squareWidth,
                    board.originY + Below(board.rows + 1) * board.squareHeight);
    }
    if (onButton) {
        CButton* buttons[] = {view->leftButton.get(),      view->centreButton.get(),
                              view->rightButton.get(),     view->saveGridButton.get(),
                              view->resetGridButton.get(), view->cancelGridButton.get()};
        const int which = Below(6);
        if (buttons[which] == nullptr)
            return;
        target = buttons[which]->GetSafeHwnd();
        at = target->rect().center();
        if (which < 3 && button == Qt::LeftButton)
            NoteMove(kMoves[which]);
    }
    lastAction = std::string(onButton ? "button click " : "click ") + std::to_string(at.x()) + "," +
                 std::to_string(at.y()) + " button " + std::to_string(button);
    ClickAt(target, at, button);
    if (onButton && Below(4) == 0) {
        SendMouse(target, QEvent::MouseButtonDblClick, at, button);
        SendMouse(target, QEvent::MouseButtonRelease, at, button);
    }
}

void Monkey::Act() {
    if (m_play == Play::Moves) {
        return Below(10) ? Move() : void(Command(kLevels[Below(4)]));
    }
    if (m_play == Play::Settings) {
        const int choice = Below(4);
        lastAction = "settings " + std::to_string(choice);
        if (choice < 3) {
            Command(choice == 0   ? kLevels[Below(4)]
                    : choice == 1 ? ID_BALL_SPEED
                                  : kColourCommands[4 * colourHalf + Below(4)]);
            return LogWrites(m_command);
        }
        Command(ID_EDIT_EDITGRID);
        for (int clicks = Below(8); clicks > 0; --clicks) {
            const Square* s =
                view->board.SquareAt(Below(view->board.columns), Below(view->board.rows));
            ClickAt(view->GetSafeHwnd(), QPoint(s->x + s->width / 2, s->y + s->height / 2),
                    Below(2) ? Qt::LeftButton : Qt::RightButton);
        }
        // What Save stores is the board as it stands before the new game.
        if (view->changed)
            LogWrites(ID_EDIT_SAVEGRID);
        Command(ID_EDIT_SAVEGRID);
        return;
    }
    const int roll = Below(100);
    if (roll < 35) {
        std::vector<MenuItem> items;
        MenuItems(frame->GetMenu()->m_hMenu, items);
        unsigned id = CommandIdOf(items[Below(static_cast<int>(items.size()))].second);
        // Exit starts the program anew, which is worth doing now and then, not all the time.
        if (id == ID_APP_EXIT && Below(5))
            id = ID_EDIT_EDITGRID;
        lastAction = "command " + std::to_string(id);
        if (Below(10) == 0) {
            // Not through the menu: a disabled command must not run either.
            m_command = id;
            NoteMove(id);
            frame->SendMessage(WM_COMMAND, id);
        } else {
            Command(id);
        }
    } else if (roll < 50) {
        static const int kKeys[] = {Qt::Key_0,      Qt::Key_4,      Qt::Key_A,  Qt::Key_Space,
                                    Qt::Key_Return, Qt::Key_Escape, Qt::Key_F1, Qt::Key_Left};
        const int key = kKeys[Below(static_cast<int>(std::size(kKeys)))];
        lastAction = "key " + std::to_string(key);
        Below(3) ? Move() : void(PressKey(view->GetSafeHwnd(), key));
    } else if (roll < 62) {
        Below(2) ? Move() : Click(true);
    } else if (roll < 90) {
        Click(false);
    } else {
        static const QSize kSizes[] = {{0, 0}, {1, 1}, {1, 400}, {400, 1}, {2, 3}, {30, 20}};
        const QSize size = Below(3) ? QSize(40 + Below(1400), 40 + Below(1000)) : kSizes[Below(6)];
        lastAction = "resize " + std::to_string(size.width()) + "x" + std::to_string(size.height());
        // The frame keeps its menu bar; the view alone can be given no room at all.
        (Below(2) ? frame->GetSafeHwnd() : view->GetSafeHwnd())->resize(size);
    }
}

void Monkey::Begin() {
    ++steps;
    g_clock += Below(3);
    m_failures.clear();
    m_command = 0;
    m_humanMove = false;
    m_gameEnds = 0;
    m_tilesBefore = TileSquares();
}

std::string Monkey::Finish(bool startAgain) {
    ProcessEvents();
    if (startAgain && !frame->GetSafeHwnd()->isVisible()) {
        // Exit: the next start must find everything as this run stored it.
        Quit();
        if (std::string failed = Start(); !failed.empty())
            Fail("after a new start: " + failed);
    }
    if (view->ballDelay != 0 || m_speedAccepted) {
        m_speedAccepted = false;
        m_speed = view->ballDelay;
        view->ballDelay = 0;
    }
    return m_failures + Check();
}

std::string Monkey::Step() {
    Begin();
    Act();
    return Finish(true);
}

std::string Monkey::Run(unsigned id) {
    Begin();
    lastAction = "command " + std::to_string(id);
    return Command(id) ? Finish(false) : lastAction + " is disabled; ";
}

std::string Monkey::PlayGame(int maxMoves) {
    const long before = games;
    std::string failures;
    for (int i = 0; i < maxMoves && games == before && failures.empty(); ++i) {
        Begin();
        Move();
        failures = Finish(false);
    }
    return failures;
}

std::string Monkey::SaveLayout() {
    std::string failures = Run(ID_EDIT_EDITGRID);
    failures += Run(ID_EDIT_RESETGRID);
    return failures + Run(ID_EDIT_SAVEGRID);
}

void Monkey::LogWrites(unsigned command) {
    if (!wrote)
        return;
    for (std::size_t i = 0; i < std::size(kColourCommands); ++i) {
        if (kColourCommands[i] == command)
            wrote(kColourSettings[i].name, FormatColourText(view->*kColourFields[i]));
    }
    if (command == ID_BALL_SPEED)
        wrote("BallSpeed", std::to_string(view->ballDelay));
    if (In(kLevels, command))
        wrote("Level", std::to_string(view->level));
    if (command == ID_EDIT_SAVEGRID) {
        view->board.ForEachSquareIndexed([&](const Square& s, int column, int row) {
            if (s.kind == Home || s.kind == Border)
                wrote(s.kind == Home ? "Home" : "Border", FormatLayoutEntry(column, row));
        });
    }
}

// The stored layout is what the board had when it was saved: each entry reads back to
// its own text, the entries come in reading order, and the board shows them again.
std::string Monkey::CheckStoredLayout() {
    std::string failures;
    std::set<std::pair<int, int>> stored[2];
    for (int list = 0; list < 2; ++list) {
        const char* word = list == 0 ? "Home" : "Border";
        const int count = LayoutCountFromStore(static_cast<int>(
            app->GetProfileInt(kSettingsSection, (std::string(word) + "Count").c_str(), 0)));
        std::pair<int, int> previous{-1, -1};
        for (int i = 0; i <= count; ++i) {
            const std::string name = LayoutValueName(word, i);
            const std::string text =
                app->GetProfileString(kSettingsSection, name.c_str(), "").str();
            std::int32_t column = 0;
            std::int32_t row = 0;
            if (i == count ? !text.empty()
                           : !ParseLayoutEntry(text, column, row) ||
                                 FormatLayoutEntry(column, row) != text ||
                                 std::pair(row, column) <= previous) {
                failures += name + " holds \"" + text + "\"; ";
            } else if (i < count) {
                previous = {row, column};
                stored[list].insert({column, row});
            }
        }
    }
    // The new game's Home corner comes on top of the layout, and an entry that names the
    // start square (saved on another size) takes the first tile like any other start.
    const Square* corner = view->board.TopRightCorner();
    const Square* start = view->board.StartSquare();
    view->board.ForEachSquareIndexed([&](const Square& s, int column, int row) {
        const bool border = stored[1].count({column, row}) > 0;
        const bool home = !border && stored[0].count({column, row});
        if ((&s != start || (s.kind & kTileKinds) == 0) &&
            ((s.kind == Border) != border || (&s != corner && (s.kind == Home) != home))) {
            failures += "square " + std::to_string(column) + "," + std::to_string(row) + " is " +
                        std::to_string(s.kind) + " against the stored layout; ";
        }
    });
    return failures;
}

std::string Monkey::Check() {
    std::string failures;
    auto expect = [&](bool holds, const std::string& what) {
        if (!holds)
            failures += what + "; ";
    };
    CRolvanView& v = *view;
    const Board& board = v.board;
    bool ballOnBoard = false;
    board.ForEachSquare([&](const Square& s) {
        ballOnBoard |= &s == v.ball.currentSquare;
        expect((s.kind & kPaintedKinds) != 0 && (s.kind & (s.kind - 1)) == 0,
               "a square holds " + std::to_string(s.kind));
    });
    expect(board.columns >= kMinGridSize && board.columns <= kMaxGridSize &&
               board.rows >= kMinGridSize && board.rows <= kMaxGridSize,
           "the board is " + std::to_string(board.columns) + "x" + std::to_string(board.rows));
    const Square* at = v.ball.currentSquare;
    expect(at == nullptr || ballOnBoard, "the ball stands on no square of the board");
    // While playing, the ball waits on an Empty square, or on the start square of a game
    // that has just begun; only a board of one column has no square for it.
    expect(
        v.editing || (at == nullptr ? board.StartSquare() == nullptr
                                    : at->kind == Empty || (at == board.StartSquare() &&
                                                            v.ball.direction == Direction::Right)),
        "the ball stands on kind " + std::to_string(at ? at->kind : -1));
    expect(v.humanScore == m_human && v.computerScore == m_computer,
           "the scores changed outside the rules");

    // What the next start would read is what the view holds.
    if (store != Store::Unchecked) {
        auto stored = [&](const char* name, int fallback) {
            return static_cast<int>(app->GetProfileInt(kSettingsSection, name, fallback));
        };
        expect(GridSizeFromStore(stored("XGridSize", kDefaultColumns)) == board.columns &&
                   GridSizeFromStore(stored("YGridSize", kDefaultRows)) == board.rows &&
                   LevelFromStore(stored("Level", kDefaultLevel)) == v.level &&
                   BallSpeedFromStore(stored("BallSpeed", kDefaultBallSpeed)) == m_speed,
               "a stored setting differs from the view");
        for (std::size_t i = 0; i < std::size(kColourSettings); ++i) {
            const ColourSetting& setting = kColourSettings[i];
            const std::string text =
                app->GetProfileString(kSettingsSection, setting.name,
                                      FormatColourText(setting.defaultValue).c_str())
                    .str();
            expect(ParseColourText(text) == v.*kColourFields[i],
                   std::string(setting.name) + " is stored as \"" + text + "\"");
        }
        if (store == Store::Own && !v.editing)
            failures += CheckStoredLayout();
    }

    // The commands, their marks and the buttons follow the editing flag.
    frame->UpdateMenuStates();
    CMenu* menu = frame->GetMenu();
    std::vector<MenuItem> items;
    MenuItems(menu->m_hMenu, items);
    for (auto& [path, action] : items) {
        const unsigned id = CommandIdOf(action);
        const bool greyed = menu->GetMenuState(id, MF_BYCOMMAND) & MF_GRAYED;
        expect(greyed == (!In(kAlways, id) && In(kOnlyWhileEditing, id) != v.editing),
               "command " + std::to_string(id) + " in the wrong state");
    }
    for (int level = 1; level <= 4; ++level) {
        expect(((menu->GetMenuState(kLevels[level - 1], MF_BYCOMMAND) & MF_CHECKED) != 0) ==
                   (v.level == level),
               "the level mark is wrong");
    }
    expect(((menu->GetMenuState(ID_LANGUAGE_ENGLISH, MF_BYCOMMAND) & MF_CHECKED) != 0) ==
               (LanguageOffset() == 0),
           "the language mark is wrong");
    const bool tileButtons = v.leftButton && v.centreButton && v.rightButton;
    const bool editButtons = v.saveGridButton && v.resetGridButton && v.cancelGridButton;
    expect(tileButtons != v.editing && editButtons == v.editing,
           "the buttons do not follow the editor");
    const QWidget* client = v.GetSafeHwnd();
    expect(client->width() <= 0 || client->height() <= 0 ||
               (v.clientWidth == client->width() && v.clientHeight == client->height()),
           "the layout is not for the window's size");
    return failures;
}
