// What a screen reader gets beyond names and descriptions, read through Qt's accessibility
// interfaces: the board as a table of its squares (made only when asked for), and one
// notice per roll in the player's language, sent when the program is free again.

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

// What the program sends to assistive technology, as Qt's update handler hears it.
struct Sent {
    QAccessible::Event type;
    QAccessible::Role role;
    std::string name;
    QAccessible::Role parentRole;
    bool invisible;
    int row;
    int column;
};
std::vector<Sent> g_sent;

void Record(QAccessibleEvent* event) {
    QAccessibleInterface* face = event->accessibleInterface();
    if (face == nullptr)
        return;
    QAccessibleInterface* parent = face->parent();
    QAccessibleTableCellInterface* cell = face->tableCellInterface();
    g_sent.push_back({event->type(), face->role(), face->text(QAccessible::Name).toStdString(),
                      parent != nullptr ? parent->role() : QAccessible::NoRole,
                      face->state().invisible != 0, cell != nullptr ? cell->rowIndex() : -1,
                      cell != nullptr ? cell->columnIndex() : -1});
}

class ScreenReaderTest : public RolvanTest {
protected:
    void SetUp() override {
        RolvanTest::SetUp();
        WatchAccessibleNoticesForTesting([this](CWnd* window, const std::string& text) {
            if (window == view)
                notices.push_back(text);
        });
        actOnDialog = [](CDialog& dialog) { DialogUser(dialog).Click(IDOK); };
    }
    void TearDown() override {
        WatchAccessibleNoticesForTesting(nullptr);
        ListenToAccessibilityForTesting(nullptr);
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

// Notices reach assistive technology as notifications of a status bar that nobody sees,
// once the handler of the key has ended (the program answers no questions before) or just
// before a modal window opens; a move renames only the cells it changed.
TEST_F(ScreenReaderTest, NoticesGoOutWhenTheProgramIsFreeAndMovesRenameTheirCells) {
    StartGame();
    ListenToAccessibilityForTesting(Record);
    const auto shownNotices = [] {
        std::vector<Sent> shown;
        for (const Sent& sent : g_sent) {
            if (sent.type == QAccessible::ObjectShow && sent.role == QAccessible::Notification)
                shown.push_back(sent);
        }
        return shown;
    };

    // Off the board at once: the point is told before the scores show.
    std::size_t shownDuringScores = 0;
    actOnDialog = [&](CDialog& dialog) {
        shownDuringScores = shownNotices().size();
        DialogUser(dialog).Click(IDOK);
    };
    PressKey(Qt::Key_3);
    EXPECT_EQ(shownDuringScores, 1u);
    ASSERT_EQ(shownNotices().size(), 1u) << "the computer's opening waits for the event loop";
    QApplication::processEvents();
    const std::vector<Sent> opening = shownNotices();
    ASSERT_EQ(opening.size(), 2u);
    EXPECT_EQ(opening[0].name, notices[0]);
    EXPECT_EQ(opening[1].name, notices[1]);
    for (const Sent& sent : opening) {
        EXPECT_EQ(sent.parentRole, QAccessible::StatusBar);
        EXPECT_TRUE(sent.invisible);
    }

    // Every cell read, as flat review does; one move renames the cells it changed.
    QAccessibleInterface* table = Table();
    for (int i = 0; i < table->childCount(); ++i)
        table->child(i)->text(QAccessible::Name);
    const std::pair<int, int> laid = BallPlace();
    g_sent.clear();
    notices.clear();
    PressKey(Qt::Key_2);
    // Unless the move ended a game (a new game renames everything by dropping every cell):
    // the player's tile square, the computer's (where the player's roll stopped), the stop.
    if (view->humanScore + view->computerScore == 1) {
        std::set<std::pair<int, int>> renamed;
        for (const Sent& sent : g_sent) {
            if (sent.type == QAccessible::NameChanged && sent.role == QAccessible::Cell)
                renamed.insert({sent.column, sent.row});
        }
        EXPECT_EQ(renamed.count(laid), 1u);
        EXPECT_EQ(renamed.count(BallPlace()), 1u);
        EXPECT_LE(renamed.size(), 3u);
    }
    EXPECT_TRUE(shownNotices().empty());
    QApplication::processEvents();
    EXPECT_EQ(shownNotices().size(), notices.size());
}
