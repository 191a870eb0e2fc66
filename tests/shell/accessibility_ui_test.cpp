// What assistive technology hears, read through Qt's accessibility interfaces: the board's
// name and state after moves and games, the buttons' names and descriptions, in both
// languages. A new name is announced; the board's state is read when asked for and never
// announced as a change, since the notices tell what changed.

#include <QAccessible>
#include <QAccessibleInterface>
#include <QWidget>

#include <string>
#include <vector>

#include "render/tile_buttons.h"
#include "support/rolvan_fixture.h"

namespace {

// Every accessibility event Qt sends, whoever sends it (Qt's own widgets too).
std::vector<std::pair<QAccessible::Event, QObject*>> g_events;
void RecordEvent(QAccessibleEvent* event) {
    g_events.emplace_back(event->type(), event->object());
}

class AccessibilityTest : public RolvanTest {
protected:
    void SetUp() override {
        RolvanTest::SetUp();
        WatchNameAndDescriptionChangesForTesting([this](CWnd* window, const std::string& text) {
            if (window == view)
                announced.push_back(text);
        });
    }
    void TearDown() override {
        WatchNameAndDescriptionChangesForTesting(nullptr);
        RolvanTest::TearDown();
    }

    static std::string Text(QWidget* widget, QAccessible::Text which) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        return face != nullptr ? face->text(which).toStdString() : std::string();
    }
    std::string Board(QAccessible::Text which) { return Text(view->GetSafeHwnd(), which); }

    std::vector<std::string> announced;
};

}  // namespace

TEST_F(AccessibilityTest, TheBoardSaysWhereTheBallIsAndTheScoreAfterEveryMoveAndGame) {
    StartGame();
    EXPECT_EQ(Board(QAccessible::Name), "Board");
    EXPECT_EQ(Board(QAccessible::Description),
              "Ball on column 2, row 10, moving right. Your score 0, computer score 0.");

    // Down off the board: the point is the computer's; the state reads so while the scores
    // show, and where the computer's opening left the ball after.
    std::string duringScores;
    actOnDialog = [&](CDialog& dialog) {
        duringScores = Board(QAccessible::Description);
        DialogUser(dialog).Click(IDOK);
    };
    announced.clear();
    g_events.clear();
    const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(RecordEvent);
    Command(ID_MOVES_BOTTOMSQUARE);
    QAccessible::installUpdateHandler(previous);
    EXPECT_EQ(duringScores, "The ball has left the board. Your score 0, computer score 1.");
    EXPECT_EQ(Board(QAccessible::Description).rfind("Ball on column ", 0), 0u);
    EXPECT_NE(Board(QAccessible::Description).find("computer score 1."), std::string::npos);
    // Neither the name, unchanged, nor the state is announced: a screen reader would speak a
    // description change of the focused board before the notices, with the state it reads by
    // then.
    EXPECT_TRUE(announced.empty());
    for (const auto& [type, object] : g_events) {
        if (object == view->GetSafeHwnd()) {
            EXPECT_NE(type, QAccessible::DescriptionChanged);
            EXPECT_NE(type, QAccessible::NameChanged);
        }
    }

    Command(ID_LANGUAGE_DEUTSCH);
    EXPECT_EQ(Board(QAccessible::Name), "Spielbrett");
    EXPECT_EQ(announced, std::vector<std::string>{"Spielbrett"});
    EXPECT_EQ(Board(QAccessible::Description).rfind("Ball auf Spalte ", 0), 0u);
    EXPECT_NE(Board(QAccessible::Description).find("Eigene Punkte 0, Computer Punkte 1."),
              std::string::npos);

    Command(ID_EDIT_EDITGRID);
    EXPECT_EQ(Board(QAccessible::Description).rfind("Das Brett wird bearbeitet", 0), 0u);
    Command(ID_EDIT_CANCEL);
    EXPECT_EQ(Board(QAccessible::Description).rfind("Ball auf Spalte ", 0), 0u);
}

TEST_F(AccessibilityTest, ButtonsCarryTheirNamesAndWhatTheyDo) {
    StartGame();
    const struct {
        const char* english;
        const char* german;
        const char* germanStart;
    } tiles[] = {
        {"Top Square", "Oberes Quadrat", "Legt das Quadrat, dessen Bögen die linke"},
        {"Middle Square", "Mittleres Quadrat", "Legt das Quadrat mit dem geraden Kreuz"},
        {"Bottom Square", "Unterstes Quadrat", "Legt das Quadrat, dessen Bögen die obere"}};
    auto buttons = [this] {
        return std::vector<QWidget*>{view->leftButton->GetSafeHwnd(),
                                     view->centreButton->GetSafeHwnd(),
                                     view->rightButton->GetSafeHwnd()};
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Text(buttons()[i], QAccessible::Name), tiles[i].english);
        EXPECT_EQ(Text(buttons()[i], QAccessible::Description).rfind("Lays the tile ", 0), 0u);
    }
    Command(ID_LANGUAGE_DEUTSCH);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Text(buttons()[i], QAccessible::Name), tiles[i].german);
        EXPECT_EQ(Text(buttons()[i], QAccessible::Description).rfind(tiles[i].germanStart, 0), 0u);
    }
    Command(ID_EDIT_EDITGRID);
    EXPECT_EQ(Text(view->saveGridButton->GetSafeHwnd(), QAccessible::Name), "Speichern");
    EXPECT_EQ(Text(view->cancelGridButton->GetSafeHwnd(), QAccessible::Name), "Abbruch");
}
