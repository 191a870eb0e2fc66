// What a screen reader gets beyond names and descriptions, read through Qt's accessibility
// interfaces: one notice per roll in the player's language, sent when the program is free
// again.

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "support/rolvan_fixture.h"

namespace {

struct Language {
    UINT command;
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
};
std::vector<Sent> g_sent;

void Record(QAccessibleEvent* event) {
    QAccessibleInterface* face = event->accessibleInterface();
    if (face == nullptr)
        return;
    QAccessibleInterface* parent = face->parent();
    g_sent.push_back({event->type(), face->role(), face->text(QAccessible::Name).toStdString(),
                      parent != nullptr ? parent->role() : QAccessible::NoRole,
                      face->state().invisible != 0});
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
// before a modal window opens.
TEST_F(ScreenReaderTest, NoticesGoOutWhenTheProgramIsFreeAgain) {
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

    notices.clear();
    g_sent.clear();
    PressKey(Qt::Key_2);
    EXPECT_TRUE(shownNotices().empty());
    QApplication::processEvents();
    EXPECT_EQ(shownNotices().size(), notices.size());
}
