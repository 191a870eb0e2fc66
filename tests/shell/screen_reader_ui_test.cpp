// What a screen reader gets beyond names and descriptions, read through Qt's accessibility
// interfaces: the board as a table of its squares (made only when asked for) that says what
// changed, and one notice per roll in the player's language, sent when the program is free
// again: an announcement from Qt 6.8, a notification object before.

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "shell/platform/platform_test_support.h"
#include "support/rolvan_fixture.h"

namespace {

struct Language {
    UINT command;
    const char* squareWords[6];  // LeftTile, CentreTile, RightTile, Home, Border, Empty
    const char* squareName;      // content, column, row, the ball
    const char* ballSuffix;
    const char* directions[4];  // up, right, down, left
    const char* humanLaid[3];   // by key 1, 2, 3
    const char* computerLaid;
    const char* stop;  // column, row, direction
    const char* humanPoint;
    const char* computerPoint;
    const char* yourMove;
    const char* newGame;
};

const Language kEnglish{
    ID_LANGUAGE_ENGLISH,
    {"Arcs left-top, right-bottom", "Cross", "Arcs top-right, bottom-left", "Home", "Border",
     "Empty"},
    "%s, column %d, row %d%s.",
    ", ball moving %s",
    {"up", "right", "down", "left"},
    {"You laid the arcs left-top, right-bottom. ", "You laid the cross. ",
     "You laid the arcs top-right, bottom-left. "},
    "The computer laid ",
    "Ball on column %d, row %d, moving %s.",
    "Your point: your score %d, computer score %d.",
    "The computer's point: your score %d, computer score %d.",
    "Your move.",
    "New game. Your move.",
};

const Language kGerman{
    ID_LANGUAGE_DEUTSCH,
    {"Bögen links-oben, rechts-unten", "Kreuz", "Bögen oben-rechts, unten-links", "Ziel", "Rand",
     "Leer"},
    "%s, Spalte %d, Zeile %d%s.",
    ", Ball rollt nach %s",
    {"oben", "rechts", "unten", "links"},
    {"Sie legen die Bögen links-oben, rechts-unten. ", "Sie legen das Kreuz. ",
     "Sie legen die Bögen oben-rechts, unten-links. "},
    "Der Computer legt ",
    "Ball auf Spalte %d, Zeile %d, rollt nach %s.",
    "Punkt für Sie: Eigene Punkte %d, Computer Punkte %d.",
    "Punkt für den Computer: Eigene Punkte %d, Computer Punkte %d.",
    "Sie sind am Zug.",
    "Neues Spiel. Sie sind am Zug.",
};

template <class... Values>
std::string Format(const char* format, Values... values) {
    char text[256];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// What the program sends to assistive technology, as Qt's update handler hears it. The name
// of an announcement is its text.
struct Sent {
    QAccessible::Event type;
    QAccessible::Role role;
    std::string name;
    QAccessible::Role parentRole;
    bool invisible;
    int row;
    int column;
    QAccessible::Id id;
    int modelChange;
};
std::vector<Sent> g_sent;

void Record(QAccessibleEvent* event) {
    QAccessibleInterface* face = event->accessibleInterface();
    if (face == nullptr)
        return;
    QAccessibleInterface* parent = face->parent();
    QAccessibleTableCellInterface* cell = face->tableCellInterface();
    std::string name = face->text(QAccessible::Name).toStdString();
    int modelChange = -1;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (event->type() == QAccessible::Announcement)
        name = static_cast<QAccessibleAnnouncementEvent*>(event)->message().toStdString();
#endif
    if (event->type() == QAccessible::TableModelChanged)
        modelChange = static_cast<QAccessibleTableModelChangeEvent*>(event)->modelChangeType();
    g_sent.push_back({event->type(), face->role(), name,
                      parent != nullptr ? parent->role() : QAccessible::NoRole,
                      face->state().invisible != 0, cell != nullptr ? cell->rowIndex() : -1,
                      cell != nullptr ? cell->columnIndex() : -1, QAccessible::uniqueId(face),
                      modelChange});
}

// The notices that went out, as the screen reader of this Qt is told them.
std::vector<Sent> SaidNotices() {
    std::vector<Sent> said;
    for (const Sent& sent : g_sent) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        if (sent.type == QAccessible::Announcement)
            said.push_back(sent);
#else
        if (sent.type == QAccessible::ObjectShow && sent.role == QAccessible::Notification)
            said.push_back(sent);
#endif
    }
    return said;
}

class ScreenReaderTest : public RolvanTest {
protected:
    void SetUp() override {
        RolvanTest::SetUp();
        WatchNoticeTextsForTesting([this](CWnd* window, const std::string& text) {
            if (window == view)
                notices.push_back(text);
        });
        actOnDialog = [](CDialog& dialog) { DialogUser(dialog).Click(IDOK); };
    }
    void TearDown() override {
        WatchNoticeTextsForTesting(nullptr);
        WatchGridAndNoticeEventsForTesting(nullptr);
        g_sent.clear();
        RolvanTest::TearDown();
    }

    QAccessibleInterface* Table() {
        QAccessibleInterface* board = QAccessible::queryAccessibleInterface(view->GetSafeHwnd());
        for (int i = 0; i < board->childCount(); ++i) {
            if (QAccessibleInterface* child = board->child(i);
                child != nullptr && child->role() == QAccessible::Table) {
                return child;
            }
        }
        return nullptr;
    }

    // The ball's square as column and row from 0, or -1, -1 while it has none.
    std::pair<int, int> BallPlace() {
        std::pair<int, int> place{-1, -1};
        view->board.ForEachSquareIndexed([&](const Square& square, int column, int row) {
            if (&square == view->ball.currentSquare)
                place = {column, row};
        });
        return place;
    }

    std::string DirectionWord(const Language& language, Direction direction) {
        return language.directions[static_cast<int>(direction) / 100 - 1];
    }

    std::vector<std::string> notices;
};

}  // namespace

// Every square, on boards laid at random, in both languages: its place in the table, its
// rectangle on the screen, the cell under a point, and its name saying what lies on it.
TEST_F(ScreenReaderTest, TheBoardIsATableOfItsSquaresReadCellByCell) {
    StartGame();
    EXPECT_EQ(MadeAccessibleCellsForTesting(view), 0u) << "nothing is made before it is asked";
    const SquareKind kinds[] = {LeftTile, CentreTile, RightTile, Home, Border, Empty};
    const Direction directions[] = {Direction::Up, Direction::Right, Direction::Down,
                                    Direction::Left};
    std::mt19937 random(16);
    for (const Language* language : {&kEnglish, &kGerman}) {
        Command(language->command);
        for (int round = 0; round < 3; ++round) {
            std::vector<int> laid;
            view->board.ForEachSquare([&](Square& square) {
                laid.push_back(static_cast<int>(random() % 6));
                square.kind = kinds[laid.back()];
            });
            const int ballAt = static_cast<int>(random() % laid.size());
            view->ball.currentSquare = view->board.SquareAt(ballAt % 15, ballAt / 15);
            view->ball.direction = directions[random() % 4];
            view->BoardChangedForAccessibility();

            QAccessibleInterface* table = Table();
            ASSERT_NE(table, nullptr);
            QAccessibleTableInterface* grid = table->tableInterface();
            ASSERT_EQ(grid->rowCount(), 10);
            ASSERT_EQ(grid->columnCount(), 15);
            ASSERT_EQ(table->childCount(), 150);
            QWidget* widget = view->GetSafeHwnd();
            for (int row = 0; row < 10; ++row) {
                for (int column = 0; column < 15; ++column) {
                    const int index = row * 15 + column;
                    QAccessibleInterface* cell = grid->cellAt(row, column);
                    ASSERT_NE(cell, nullptr);
                    EXPECT_EQ(cell, table->child(index));
                    EXPECT_EQ(table->indexOfChild(cell), index);
                    EXPECT_EQ(cell->parent(), table);
                    EXPECT_EQ(cell->role(), QAccessible::Cell);
                    EXPECT_EQ(cell->tableCellInterface()->rowIndex(), row);
                    EXPECT_EQ(cell->tableCellInterface()->columnIndex(), column);
                    const Square& square = *view->board.SquareAt(column, row);
                    const QRect place(widget->mapToGlobal(QPoint(square.x, square.y)),
                                      QSize(square.width, square.height));
                    EXPECT_EQ(cell->rect(), place);
                    EXPECT_EQ(table->childAt(place.center().x(), place.center().y()), cell);
                    const std::string ball =
                        index == ballAt
                            ? Format(language->ballSuffix,
                                     DirectionWord(*language, view->ball.direction).c_str())
                            : std::string();
                    const std::string name =
                        Format(language->squareName, language->squareWords[laid[index]], column + 1,
                               row + 1, ball.c_str());
                    EXPECT_EQ(cell->text(QAccessible::Name).toStdString(), name);
                }
            }
            EXPECT_EQ(MadeAccessibleCellsForTesting(view), 150u);
        }
    }
    // A new board of another size reads at its new size; the old cells are gone.
    actOnDialog = [](CDialog& dialog) {
        DialogUser(dialog).Type(IDC_XSIZE, "100");
        DialogUser(dialog).Type(IDC_YSIZE, "100");
        DialogUser(dialog).Click(IDOK);
    };
    Command(ID_GRID_SIZE);
    EXPECT_EQ(MadeAccessibleCellsForTesting(view), 0u);
    ASSERT_EQ(Table()->tableInterface()->columnCount(), 100);
    EXPECT_EQ(Table()->tableInterface()->cellAt(99, 0)->text(QAccessible::Name).toStdString(),
              "Kreuz, Spalte 1, Zeile 100.");
    EXPECT_EQ(MadeAccessibleCellsForTesting(view), 1u);
}

// The editor shows tiles as empty squares and no ball; so does the table.
TEST_F(ScreenReaderTest, TheEditorHidesTilesAndBallFromTheTableAsFromTheEye) {
    StartGame();
    PressKey(Qt::Key_2);
    QAccessibleTableInterface* grid = Table()->tableInterface();
    const auto ball = BallPlace();
    const auto name = [&](int column, int row) {
        return grid->cellAt(row, column)->text(QAccessible::Name).toStdString();
    };
    EXPECT_EQ(name(1, 9), "Cross, column 2, row 10.");
    EXPECT_NE(name(ball.first, ball.second).find(", ball moving "), std::string::npos);
    Command(ID_EDIT_EDITGRID);
    EXPECT_EQ(name(0, 9), "Empty, column 1, row 10.");
    EXPECT_EQ(name(1, 9), "Empty, column 2, row 10.");
    EXPECT_EQ(name(14, 0), "Home, column 15, row 1.");
    EXPECT_EQ(name(ball.first, ball.second).find("ball"), std::string::npos);
    Command(ID_EDIT_CANCEL);
    EXPECT_EQ(name(0, 9), "Cross, column 1, row 10.");
}

// Random games in both languages, key by key: the player's roll is told first with the
// tile of the key, every roll once, each point with the scores as they stand, and the last
// notice of a key leaves the ball where it is, the player to move.
TEST_F(ScreenReaderTest, EveryRollIsToldOnceInThePlayersLanguage) {
    StartGame();
    std::mt19937 random(1603);
    for (const Language* language : {&kEnglish, &kGerman}) {
        Command(language->command);
        for (int move = 0; move < 40; ++move) {
            const int key = 1 + static_cast<int>(random() % 3);
            const int human = view->humanScore;
            const int computer = view->computerScore;
            notices.clear();
            PressKey(Qt::Key_0 + key);
            ASSERT_FALSE(notices.empty());
            EXPECT_TRUE(StartsWith(notices.front(), language->humanLaid[key - 1]))
                << notices.front();
            // The point texts up to their colon, where the scores follow.
            const std::string humanPoint(language->humanPoint,
                                         std::string(language->humanPoint).find(':') + 1);
            const std::string computerPoint(language->computerPoint,
                                            std::string(language->computerPoint).find(':') + 1);
            int humanPoints = 0;
            int computerPoints = 0;
            const std::string* lastPoint = nullptr;
            for (const std::string& notice : notices) {
                if (notice == language->newGame)
                    continue;
                EXPECT_EQ(Occurrences(notice, language->humanLaid[key - 1]) +
                              Occurrences(notice, language->computerLaid),
                          1)
                    << notice;
                humanPoints += Occurrences(notice, humanPoint);
                computerPoints += Occurrences(notice, computerPoint);
                if (Occurrences(notice, humanPoint) + Occurrences(notice, computerPoint) > 0)
                    lastPoint = &notice;
            }
            EXPECT_EQ(view->humanScore - human, humanPoints);
            EXPECT_EQ(view->computerScore - computer, computerPoints);
            if (lastPoint != nullptr) {
                // The scores said at the last game's end; the dialog after it kept them.
                const std::string scores =
                    Format(language->humanPoint, view->humanScore, view->computerScore)
                        .substr(humanPoint.size());
                EXPECT_TRUE(EndsWith(*lastPoint, scores)) << *lastPoint;
            }
            const std::string& final = notices.back();
            EXPECT_TRUE(EndsWith(final, language->yourMove)) << final;
            if (final != language->newGame) {
                const auto [column, row] = BallPlace();
                const std::string stop =
                    Format(language->stop, column + 1, row + 1,
                           DirectionWord(*language, view->ball.direction).c_str());
                EXPECT_NE(final.find(stop), std::string::npos) << final << " / " << stop;
            }
        }
    }
}

// Notices reach assistive technology once the handler of the key has ended (the program
// answers no questions before) or just before a modal window opens: from Qt 6.8 as
// announcements of the board, before as notifications of a status bar that nobody sees.
// A move renames only the cells it changed.
TEST_F(ScreenReaderTest, NoticesGoOutWhenTheProgramIsFreeAndMovesRenameTheirCells) {
    StartGame();
    WatchGridAndNoticeEventsForTesting(Record);

    // Off the board at once: the point is told before the scores show.
    std::size_t shownDuringScores = 0;
    actOnDialog = [&](CDialog& dialog) {
        shownDuringScores = SaidNotices().size();
        DialogUser(dialog).Click(IDOK);
    };
    PressKey(Qt::Key_3);
    EXPECT_EQ(shownDuringScores, 1u);
    ASSERT_EQ(SaidNotices().size(), 1u) << "the computer's opening waits for the event loop";
    QApplication::processEvents();
    const std::vector<Sent> opening = SaidNotices();
    ASSERT_EQ(opening.size(), 2u);
    EXPECT_EQ(opening[0].name, notices[0]);
    EXPECT_EQ(opening[1].name, notices[1]);
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(view->GetSafeHwnd());
    bool holdsNotices = false;
    for (int i = 0; i < board->childCount(); ++i)
        holdsNotices = holdsNotices || board->child(i)->role() == QAccessible::StatusBar;
    for (const Sent& sent : opening) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        EXPECT_EQ(sent.role, QAccessible::Client) << "the board says it";
        EXPECT_FALSE(holdsNotices) << "no notification objects where Qt announces";
#else
        EXPECT_EQ(sent.parentRole, QAccessible::StatusBar);
        EXPECT_TRUE(sent.invisible);
        EXPECT_TRUE(holdsNotices);
#endif
    }

    // Every cell read, as flat review does; one move renames the cells it changed.
    QAccessibleInterface* table = Table();
    for (int i = 0; i < table->childCount(); ++i)
        table->child(i)->text(QAccessible::Name);
    const std::pair<int, int> laid = BallPlace();
    g_sent.clear();
    notices.clear();
    PressKey(Qt::Key_2);
    // Unless the move ended a game (a new game resets the table):
    // the player's tile square, the computer's (where the player's roll stopped), the stop.
    if (view->humanScore + view->computerScore == 1) {
        std::set<std::pair<int, int>> renamed;
        for (const Sent& sent : g_sent) {
            if (sent.type == QAccessible::NameChanged && sent.role == QAccessible::Cell)
                renamed.insert({sent.column, sent.row});
            EXPECT_NE(sent.type, QAccessible::TableModelChanged);
        }
        EXPECT_EQ(renamed.count(laid), 1u);
        EXPECT_EQ(renamed.count(BallPlace()), 1u);
        EXPECT_LE(renamed.size(), 3u);
    }
    EXPECT_TRUE(SaidNotices().empty());
    QApplication::processEvents();
    EXPECT_EQ(SaidNotices().size(), notices.size());
}

// What a screen reader holds of the table after each kind of change: an editor click renames
// that one cell and keeps every other; a new game, leaving the editor and a new size tell it
// that each cell it was given is gone and that the table reads anew, and then every cell
// reads the board as it is, at its size. No cell it was given lives on after a reset.
TEST_F(ScreenReaderTest, TheTableSaysWhatChangedAndHoldsNoDeadCell) {
    StartGame();
    WatchGridAndNoticeEventsForTesting(Record);
    const auto readAll = [this] {
        QAccessibleInterface* table = Table();
        std::vector<QAccessible::Id> ids;
        for (int i = 0; i < table->childCount(); ++i) {
            QAccessibleInterface* cell = table->child(i);
            EXPECT_TRUE(cell->isValid());
            cell->text(QAccessible::Name);
            ids.push_back(QAccessible::uniqueId(cell));
        }
        return ids;
    };
    const auto cellName = [this](int column, int row) {
        return Table()
            ->tableInterface()
            ->cellAt(row, column)
            ->text(QAccessible::Name)
            .toStdString();
    };
    // A reset: every cell given before is said gone before the table's reset, and is dead.
    const auto expectReset = [](const std::vector<QAccessible::Id>& given) {
        std::set<QAccessible::Id> gone;
        int resets = 0;
        for (const Sent& sent : g_sent) {
            if (sent.type == QAccessible::ObjectDestroyed && sent.role == QAccessible::Cell) {
                EXPECT_EQ(resets, 0) << "a cell said gone after the reset";
                gone.insert(sent.id);
            }
            if (sent.type == QAccessible::TableModelChanged) {
                EXPECT_EQ(sent.modelChange, QAccessibleTableModelChangeEvent::ModelReset);
                EXPECT_EQ(sent.role, QAccessible::Table);
                ++resets;
            }
        }
        EXPECT_EQ(gone, std::set<QAccessible::Id>(given.begin(), given.end()));
        EXPECT_GE(resets, 1) << "a game that ends at its opening resets once more";
        for (QAccessible::Id id : given)
            EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
    };
    const auto click = [this](int column, int row, Qt::MouseButton button) {
        const Square& square = *view->board.SquareAt(column, row);
        const QPoint at(square.x + square.width / 2, square.y + square.height / 2);
        SendMouse(view->GetSafeHwnd(), QEvent::MouseButtonPress, at, button);
        SendMouse(view->GetSafeHwnd(), QEvent::MouseButtonRelease, at, button);
    };

    // The editor: a click on a square renames it alone; the cells stay the same objects.
    Command(ID_EDIT_EDITGRID);
    std::vector<QAccessible::Id> given = readAll();
    g_sent.clear();
    click(4, 3, Qt::LeftButton);
    ASSERT_EQ(g_sent.size(), 1u);
    EXPECT_EQ(g_sent[0].type, QAccessible::NameChanged);
    EXPECT_EQ(g_sent[0].id, given[3 * 15 + 4]);
    EXPECT_EQ(g_sent[0].name, "Border, column 5, row 4.");
    EXPECT_EQ(readAll(), given);
    click(4, 3, Qt::RightButton);
    EXPECT_EQ(cellName(4, 3), "Home, column 5, row 4.");

    // Saving it starts a new game with that square.
    g_sent.clear();
    Command(ID_EDIT_SAVEGRID);
    expectReset(given);
    EXPECT_EQ(cellName(4, 3), "Home, column 5, row 4.");

    // A game's end starts a new game.
    const int points = view->humanScore + view->computerScore;
    for (int move = 0; move < 200 && view->humanScore + view->computerScore == points; ++move) {
        given = readAll();
        g_sent.clear();
        PressKey(Qt::Key_3);
    }
    ASSERT_NE(view->humanScore + view->computerScore, points);
    expectReset(given);
    EXPECT_EQ(readAll().size(), 150u);

    // A size change: the table reads at the new size, every cell of it alive.
    given = readAll();
    actOnDialog = [](CDialog& dialog) {
        DialogUser(dialog).Type(IDC_XSIZE, "7");
        DialogUser(dialog).Type(IDC_YSIZE, "5");
        DialogUser(dialog).Click(IDOK);
    };
    g_sent.clear();
    Command(ID_GRID_SIZE);
    expectReset(given);
    EXPECT_EQ(Table()->tableInterface()->columnCount(), 7);
    EXPECT_EQ(Table()->tableInterface()->rowCount(), 5);
    EXPECT_EQ(readAll().size(), 35u);
    EXPECT_EQ(cellName(6, 0), "Home, column 7, row 1.");
    EXPECT_EQ(Table()->tableInterface()->cellAt(5, 0), nullptr);
}
