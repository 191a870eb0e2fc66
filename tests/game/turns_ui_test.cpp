#include <QApplication>
#include <QWidget>

#include "support/rolvan_fixture.h"

namespace {

bool IsTile(int kind) {
    return kind == LeftTile || kind == CentreTile || kind == RightTile;
}

// Answers every scores dialog with OK and counts them.
class TurnsTest : public RolvanTest {
protected:
    void SetUp() override {
        RolvanTest::SetUp();
        actOnDialog = [this](CDialog& dialog) {
            if (dialog.GetTemplateID() == IDD_SCORES) {
                ++scoresShown;
                DialogUser user(dialog);
                shownComputer = user.Text(IDC_COMPUTER_SCORE);
                shownHuman = user.Text(IDC_YOUR_SCORE);
                user.Click(IDOK);
            } else {
                DialogUser(dialog).Click(IDCANCEL);
            }
        };
    }

    int scoresShown = 0;
    std::string shownComputer;
    std::string shownHuman;
};

}  // namespace

TEST_F(TurnsTest, FirstGameStartsWithTheHumanToMove) {
    StartGame();
    const Board& board = view->board;
    EXPECT_EQ(board.columns, 15);
    EXPECT_EQ(board.rows, 10);
    EXPECT_EQ(view->ball.currentSquare, board.StartSquare());
    EXPECT_EQ(view->ball.direction, Direction::Right);
    EXPECT_EQ(board.BottomLeftCorner()->kind, CentreTile);
    EXPECT_EQ(board.TopRightCorner()->kind, Home);
    int tiles = 0;
    board.ForEachSquare([&](const Square& s) { tiles += IsTile(s.kind); });
    EXPECT_EQ(tiles, 1);
    // The next game is the computer's to open.
    EXPECT_FALSE(view->humanStarts);
}

TEST_F(TurnsTest, RightTileAtTheStartGivesTheComputerThePointAndItOpensNext) {
    StartGame();
    Command(ID_MOVES_BOTTOMSQUARE);
    EXPECT_EQ(scoresShown, 1);
    EXPECT_EQ(shownComputer, "1");
    EXPECT_EQ(shownHuman, "0");
    EXPECT_EQ(view->computerScore, 1);
    EXPECT_EQ(view->humanScore, 0);
    ASSERT_EQ(dialogsShown.size(), 1u);
    EXPECT_EQ(dialogsShown[0], IDD_SCORES);
    // The computer has already laid the first tile of the new game.
    const Square* start = view->board.StartSquare();
    EXPECT_TRUE(start->kind == LeftTile || start->kind == CentreTile);
    EXPECT_NE(view->ball.currentSquare, start);
    EXPECT_EQ(view->ball.currentSquare->kind, Empty);
    EXPECT_TRUE(view->humanStarts);
}

TEST_F(TurnsTest, EmptyStopAfterTheHumanBringsTheComputersMoveAtOnce) {
    StartGame();
    Command(ID_MOVES_MIDDLESQUARE);
    EXPECT_EQ(scoresShown, 0);
    Square* third = view->board.SquareAt(2, 9);
    EXPECT_EQ(view->board.StartSquare()->kind, CentreTile);
    EXPECT_TRUE(third->kind == LeftTile || third->kind == CentreTile) << third->kind;
    EXPECT_EQ(view->ball.currentSquare->kind, Empty);
}

TEST_F(TurnsTest, OpenersAlternateFromGameToGame) {
    StartGame();
    // Game 1 (human opens) ends at once; game 2 is opened by the computer.
    view->LayTile(RightTile);
    ASSERT_EQ(scoresShown, 1);
    EXPECT_TRUE(IsTile(view->board.StartSquare()->kind));
    // Play game 2 to its end by always sending the ball off the board when possible.
    while (scoresShown == 1) {
        view->LayTile(RightTile);
    }
    // Game 3 is the human's: nothing has been laid on the start square yet.
    EXPECT_EQ(view->board.StartSquare()->kind, Empty);
    EXPECT_EQ(view->ball.currentSquare, view->board.StartSquare());
    EXPECT_FALSE(view->humanStarts);
}

TEST_F(TurnsTest, HomeAfterTheHumansMoveIsTheHumansPoint) {
    StoreInt("HomeCount", 1);
    StoreString("Home0", "(2,9)");
    StartGame();
    std::vector<std::string> shown;
    actOnDialog = [&](CDialog& dialog) {
        DialogUser user(dialog);
        shown.push_back(user.Text(IDC_COMPUTER_SCORE) + ":" + user.Text(IDC_YOUR_SCORE));
        user.Click(IDOK);
    };
    view->LayTile(CentreTile);
    // The human's point, then the computer opens the next game and its centre tile
    // reaches the same Home square at once.
    EXPECT_EQ(shown, (std::vector<std::string>{"0:1", "1:1"}));
    EXPECT_EQ(view->humanScore, 1);
    EXPECT_EQ(view->computerScore, 1);
    EXPECT_EQ(view->ball.currentSquare, view->board.StartSquare());
}

TEST_F(TurnsTest, HomeAfterTheComputersMoveIsTheComputersPoint) {
    // The computer opens game 2 and takes a tile that reaches Home at once.
    StoreInt("HomeCount", 1);
    StoreString("Home0", "(1,8)");
    StartGame();
    view->LayTile(RightTile);  // off the board: the computer's point
    EXPECT_EQ(view->computerScore, 2);
    EXPECT_EQ(scoresShown, 2);
    // Game 3 is the human's.
    EXPECT_EQ(view->ball.currentSquare, view->board.StartSquare());
}

// Border above the start square and on the third square of the bottom row: every
// opening tile ends the game. The computer's opening move ends its game, and the next
// one must be the human's instead of starting games without end.
TEST_F(TurnsTest, EveryOpeningTileScoringStillAlternatesOpeners) {
    StoreInt("BorderCount", 2);
    StoreString("Border0", "(1,8)");
    StoreString("Border1", "(2,9)");
    StartGame();
    view->LayTile(CentreTile);
    EXPECT_EQ(scoresShown, 2);
    EXPECT_EQ(view->computerScore, 1);
    EXPECT_EQ(view->humanScore, 1);
    EXPECT_EQ(view->ball.currentSquare, view->board.StartSquare());
    EXPECT_EQ(view->board.StartSquare()->kind, Empty);
    EXPECT_FALSE(view->humanStarts);
    view->LayTile(LeftTile);
    EXPECT_EQ(scoresShown, 4);
    EXPECT_EQ(view->computerScore, 2);
    EXPECT_EQ(view->humanScore, 2);
}

TEST_F(TurnsTest, PaintingWhileTheBallIsOffTheBoardDrawsTheSquares) {
    StartGame();
    bool checked = false;
    actOnDialog = [&](CDialog& dialog) {
        EXPECT_EQ(view->ball.currentSquare, nullptr);
        view->RedrawAll();
        view->GetSafeHwnd()->repaint();
        checked = true;
        DialogUser(dialog).Click(IDOK);
    };
    view->LayTile(RightTile);
    EXPECT_TRUE(checked);
}

TEST_F(TurnsTest, KeysOneTwoThreeLayTilesOnBothKeyboards) {
    StartGame();
    PressKey(Qt::Key_2);
    EXPECT_EQ(view->board.StartSquare()->kind, CentreTile);
    EXPECT_EQ(scoresShown, 0);
}

TEST_F(TurnsTest, KeypadTwoLaysTheCentreTile) {
    StartGame();
    PressKey(Qt::Key_2, true);
    EXPECT_EQ(view->board.StartSquare()->kind, CentreTile);
}

TEST_F(TurnsTest, KeysOneAndThreeLayTheArcTiles) {
    StartGame();
    PressKey(Qt::Key_3);  // off the board
    EXPECT_EQ(view->computerScore, 1);
    view->NewGame(false);  // the human's turn again, on a fresh board
    PressKey(Qt::Key_1, true);
    EXPECT_EQ(view->board.StartSquare()->kind, LeftTile);
}

// Keys as X11 and Wayland deliver them on layouts whose digit row types other characters:
// the digit row lays the tiles by the key's place, with or without Shift. The framebuffer
// platforms deliver the kernel's raw codes instead, where 10 to 12 are "9", "0" and "-".
TEST_F(TurnsTest, DigitRowKeysLayTilesOnEveryLayout) {
    struct LayoutKey {
        const char* what;
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        unsigned keycode;
        int laid;  // Empty: the key does nothing
        const char* platform = "xcb";
    };
    const LayoutKey keys[] = {
        {"linuxfb 9", Qt::Key_9, Qt::NoModifier, 10, Empty, "linuxfb"},
        {"linuxfb 0", Qt::Key_0, Qt::NoModifier, 11, Empty, "linuxfb"},
        {"eglfs -", Qt::Key_Minus, Qt::NoModifier, 12, Empty, "eglfs"},
        {"linuxfb 1", Qt::Key_1, Qt::NoModifier, 2, LeftTile, "linuxfb"},
        {"linuxfb 3", Qt::Key_3, Qt::NoModifier, 4, RightTile, "linuxfb"},
        {"Wayland French 2", Qt::Key_Eacute, Qt::NoModifier, 11, CentreTile, "wayland"},
        {"French 1", Qt::Key_Ampersand, Qt::NoModifier, 10, LeftTile},
        {"French 2", Qt::Key_Eacute, Qt::NoModifier, 11, CentreTile},
        {"French 3", Qt::Key_QuoteDbl, Qt::NoModifier, 12, RightTile},
        {"French Shift+2", Qt::Key_2, Qt::ShiftModifier, 11, CentreTile},
        {"Belgian Shift+3", Qt::Key_3, Qt::ShiftModifier, 12, RightTile},
        {"US 2", Qt::Key_2, Qt::NoModifier, 11, CentreTile},
        {"US Shift+1", Qt::Key_Exclam, Qt::ShiftModifier, 10, LeftTile},
        {"German Shift+2", Qt::Key_QuoteDbl, Qt::ShiftModifier, 11, CentreTile},
        {"keypad 1", Qt::Key_1, Qt::KeypadModifier, 87, LeftTile},
        {"keypad 3", Qt::Key_3, Qt::KeypadModifier, 89, RightTile},
        {"French 4", Qt::Key_Apostrophe, Qt::NoModifier, 13, Empty},
        {"US 4", Qt::Key_4, Qt::NoModifier, 13, Empty},
        {"French A, where US has Q", Qt::Key_A, Qt::NoModifier, 24, Empty},
        {"keypad 1 without Num Lock", Qt::Key_End, Qt::KeypadModifier, 87, Empty},
        {"keypad 0", Qt::Key_0, Qt::KeypadModifier, 90, Empty},
    };
    StartGame();
    for (const LayoutKey& key : keys) {
        SCOPED_TRACE(key.what);
        SetKeyPlatformForTesting(key.platform);
        Square& square = BallOnAnInnerSquare();
        const std::vector<int> before = BoardKinds(view->board);
        PressKey(key.qtKey, key.modifiers, key.keycode);
        if (key.laid == Empty) {
            EXPECT_EQ(BoardKinds(view->board), before);
        } else {
            EXPECT_EQ(square.kind, key.laid);
        }
        // In the editor no key lays anything.
        BallOnAnInnerSquare();
        view->editing = true;
        const std::vector<int> editing = BoardKinds(view->board);
        PressKey(key.qtKey, key.modifiers, key.keycode);
        EXPECT_EQ(BoardKinds(view->board), editing);
        view->editing = false;
    }
    EXPECT_EQ(scoresShown, 0);
}

TEST_F(TurnsTest, OtherKeysAndKeysInTheEditorDoNothing) {
    StartGame();
    const std::vector<int> before = BoardKinds(view->board);
    PressKey(Qt::Key_A);
    PressKey(Qt::Key_4);
    PressKey(Qt::Key_0, true);
    EXPECT_EQ(BoardKinds(view->board), before);
    view->editing = true;
    PressKey(Qt::Key_2);
    PressKey(Qt::Key_1, true);
    EXPECT_EQ(BoardKinds(view->board), before);
}

TEST_F(TurnsTest, ScoresDialogOkKeepsCancelDiscards) {
    StartGame();
    view->computerScore = 3;
    view->humanScore = 5;
    actOnDialog = [](CDialog& dialog) {
        DialogUser user(dialog);
        EXPECT_EQ(user.Title(), "Current Scores");
        EXPECT_EQ(user.Text(IDC_COMPUTER_SCORE), "3");
        EXPECT_EQ(user.Text(IDC_YOUR_SCORE), "5");
        user.Click(IDC_RESET);
        EXPECT_TRUE(user.IsOpen());
        EXPECT_EQ(user.Text(IDC_COMPUTER_SCORE), "0");
        EXPECT_EQ(user.Text(IDC_YOUR_SCORE), "0");
        user.Click(IDCANCEL);
    };
    Command(ID_FILE_SHOWSCORES);
    EXPECT_EQ(view->computerScore, 3);
    EXPECT_EQ(view->humanScore, 5);

    actOnDialog = [](CDialog& dialog) {
        DialogUser user(dialog);
        user.Click(IDC_RESET);
        user.Click(IDOK);
    };
    Command(ID_FILE_SHOWSCORES);
    EXPECT_EQ(view->computerScore, 0);
    EXPECT_EQ(view->humanScore, 0);
}

TEST_F(TurnsTest, DoubleClickOnResetClearsAndCloses) {
    StartGame();
    view->computerScore = 7;
    view->humanScore = 2;
    int endCode = 0;
    actOnDialog = [&](CDialog& dialog) {
        DialogUser(dialog).DoubleClick(IDC_RESET);
        EXPECT_FALSE(DialogUser(dialog).IsOpen());
        endCode = dialog.GetEndCode();
    };
    Command(ID_FILE_SHOWSCORES);
    EXPECT_EQ(endCode, 1000);
    EXPECT_EQ(view->computerScore, 0);
    EXPECT_EQ(view->humanScore, 0);
}

TEST_F(TurnsTest, ShowScoresStartsNoGame) {
    StartGame();
    view->LayTile(CentreTile);
    const std::vector<int> before = BoardKinds(view->board);
    actOnDialog = [](CDialog& dialog) { DialogUser(dialog).Click(IDOK); };
    Command(ID_FILE_SHOWSCORES);
    EXPECT_EQ(BoardKinds(view->board), before);
}

TEST_F(TurnsTest, ResetScoresAsksAndOnlyYesClears) {
    StartGame();
    for (int answer : {IDNO, IDCANCEL, IDYES}) {
        view->computerScore = 4;
        view->humanScore = 9;
        answerMessageBox = [answer](const MessageBoxRequest&) { return answer; };
        Command(ID_FILE_RESETSCORES);
        const bool cleared = view->computerScore == 0 && view->humanScore == 0;
        EXPECT_EQ(cleared, answer == IDYES) << answer;
    }
    ASSERT_EQ(messageBoxes.size(), 3u);
    EXPECT_EQ(messageBoxes[0].text, "Do you really want to set the scores to zero ?");
    EXPECT_EQ(messageBoxes[0].caption, "Rolvan");
    EXPECT_EQ(messageBoxes[0].buttons, MB_YESNOCANCEL);
    EXPECT_EQ(messageBoxes[0].icon, MB_ICONEXCLAMATION);
}
