// The board editor and the grid size, driven through the real view: mouse clicks on the
// board, clicks on the editor's own buttons, menu commands and the scripted dialogs.

#include <QLineEdit>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>

#include "render/render_ui_test_support.h"
#include "shell/platform/platform_test_support.h"
#include "support/rolvan_fixture.h"

namespace {

using Squares = std::set<std::pair<int, int>>;
constexpr Qt::MouseButton L = Qt::LeftButton;
constexpr Qt::MouseButton R = Qt::RightButton;

class EditorTest : public RolvanTest {
protected:
    void ClickAt(int x, int y, Qt::MouseButton button) {
        SendMouse(view->GetSafeHwnd(), QEvent::MouseButtonPress, QPoint(x, y), button);
        SendMouse(view->GetSafeHwnd(), QEvent::MouseButtonRelease, QPoint(x, y), button);
    }
    void Click(int column, int row, Qt::MouseButton button) {
        const Square* s = view->board.SquareAt(column, row);
        ClickAt(s->x + s->width / 2, s->y + s->height / 2, button);
    }
    void Press(std::unique_ptr<CButton>& button) {
        ClickWidget(button->GetSafeHwnd());
        ProcessEvents();
    }
    int Kind(int column, int row) { return view->board.SquareAt(column, row)->kind; }
    Squares Where(SquareKind kind) {
        Squares found;
        view->board.ForEachSquareIndexed([&](const Square& s, int column, int row) {
            if (s.kind == kind)
                found.insert({column, row});
        });
        return found;
    }
    // The editor's buttons as "caption top,bottom" each, or "" when they are absent.
    std::string EditButtons() {
        std::string shown;
        for (auto* slot :
             {&view->saveGridButton, &view->resetGridButton, &view->cancelGridButton}) {
            if (!*slot)
                continue;
            CString caption;
            (*slot)->GetWindowText(caption);
            const CRect r = (*slot)->GetWindowRectInParent();
            shown += caption.str() + " " + std::to_string((*slot)->GetDlgCtrlID()) + " " +
                     std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                     std::to_string(r.right) + "," + std::to_string(r.bottom) + "; ";
        }
        return shown;
    }
    bool TileButtons() { return view->leftButton && view->centreButton && view->rightButton; }
    // The grid size dialog answered with the two numbers and OK; scores dialogs with OK.
    void ChooseGridSize(int x, int y) {
        actOnDialog = [x, y](CDialog& dialog) {
            DialogUser user(dialog);
            if (dialog.GetTemplateID() == IDD_GRIDSIZE) {
                user.Type(IDC_XSIZE, std::to_string(x).c_str());
                user.Type(IDC_YSIZE, std::to_string(y).c_str());
            }
            user.Click(IDOK);
        };
        Command(ID_GRID_SIZE);
    }
};

TEST_F(EditorTest, EnteringSwapsTheButtonsAndHidesTilesAndBallUntilSaveLeavesUnchanged) {
    StartGame();
    UseDistinctColours(*view);
    view->LayTile(CentreTile);
    const std::vector<int> kinds = BoardKinds(view->board);
    const Square* ball = view->ball.currentSquare;
    Command(ID_EDIT_EDITGRID);
    EXPECT_TRUE(view->editing && !view->changed && !view->leftButton && !view->rightButton);
    EXPECT_EQ(
        EditButtons(),
        "Save 7000 640,60,760,180; Reset 7001 640,240,760,360; Cancel 7002 640,420,760,540; ");
    EXPECT_EQ(CountColour(*view, kBall) + CountColour(*view, kTileLine), 0);

    // A language switch, allowed while editing, reaches the captions only when a resize
    // makes the buttons again.
    Command(ID_LANGUAGE_DEUTSCH);
    EXPECT_EQ(EditButtons().substr(0, 5), "Save ");
    SetClientSize(1000, 700);
    EXPECT_TRUE(view->editing && !TileButtons());
    EXPECT_EQ(EditButtons(),
              "Speichern 7000 800,70,950,210; Löschen 7001 800,280,950,420; "
              "Abbruch 7002 800,490,950,630; ");
    EXPECT_EQ(CountColour(*view, kBall) + CountColour(*view, kTileLine), 0);

    // Nothing changed: Save stores nothing and the game goes on where it was.
    Press(view->saveGridButton);
    EXPECT_TRUE(!view->editing && TileButtons() && EditButtons().empty());
    EXPECT_EQ(BoardKinds(view->board), kinds);
    EXPECT_EQ(view->ball.currentSquare, ball);
    EXPECT_EQ(StoredInt("HomeCount"), -12345);
    EXPECT_GT(CountColour(*view, kTileLine), 0);
    EXPECT_EQ(WholeBallsIn(*view, {0, 0, 1000, 700}).size(), 1u);
}

TEST_F(EditorTest, ClicksToggleTheirKindAndRefuseProtectedSquares) {
    StoreInt("HomeCount", 1);
    StoreString("Home0", "(5,5)");
    StartGame();
    view->board.SquareAt(6, 6)->kind = RightTile;
    Command(ID_EDIT_EDITGRID);
    const struct {
        int column, row;
        Qt::MouseButton button;
        int kind;
    } steps[] = {{0, 9, L, CentreTile}, {2, 9, R, Empty},  {5, 5, L, Border}, {5, 5, R, Home},
                 {5, 5, R, Empty},      {6, 6, L, Border}, {6, 6, L, Empty},  {2, 9, L, Border}};
    for (const auto& s : steps) {
        Click(s.column, s.row, s.button);
        EXPECT_EQ(Kind(s.column, s.row), s.kind) << s.column << "," << s.row;
        // The first two are refused and leave the flag clear.
        EXPECT_EQ(view->changed, &s > &steps[1]);
    }
    ASSERT_EQ(messageBoxes.size(), 2u);
    const MessageBoxRequest& refusal = messageBoxes[1];
    EXPECT_EQ(refusal.text + "|" + refusal.caption, "You can't change this square|Don't be silly");
    EXPECT_TRUE(refusal.icon == MB_ICONEXCLAMATION && refusal.buttons == MB_OK && refusal.hasOwner);
    Command(ID_LANGUAGE_DEUTSCH);
    Click(1, 9, L);
    EXPECT_EQ(messageBoxes.back().text + "|" + messageBoxes.back().caption,
              "Dieses Quadrat ist nicht ändbar.|Keine gute Idee");
}

TEST_F(EditorTest, ResetThenSaveByTheButtonsStoresOnlyTheCornerHomeAndStartsAGame) {
    StoreInt("HomeCount", 2);
    StoreString("Home0", "(3,3)");
    StoreString("Home1", "(4,4)");
    StoreInt("BorderCount", 1);
    StoreString("Border0", "(5,5)");
    StartGame();
    view->board.SquareAt(8, 2)->kind = LeftTile;
    Command(ID_EDIT_EDITGRID);
    Press(view->resetGridButton);
    EXPECT_TRUE(view->editing && view->changed);
    EXPECT_EQ(Where(Home), (Squares{{14, 0}}));
    EXPECT_EQ(Where(Border), Squares{});

    // Save destroys its own button from inside its click, and a new game starts in it.
    Press(view->saveGridButton);
    EXPECT_EQ(StoredInt("HomeCount"), 1);
    EXPECT_EQ(StoredString("Home0"), "(14,0)");
    EXPECT_EQ(StoredInt("BorderCount"), 0);
    EXPECT_EQ(StoredString("Home1") + StoredString("Border0"), "<missing><missing>");
    EXPECT_TRUE(!view->editing && !view->changed && TileButtons());
    EXPECT_EQ(Kind(8, 2), Empty);
}

// Guards against a save into a store that takes no write counting on from entries it never
// stored, and the new game showing them: Qt kept the values it could not write.
TEST_F(EditorTest, ASaveTheStoreRefusesCountsFromTheStoreAndTheNewGameShowsWhatItHolds) {
    StartGame();
    const std::filesystem::path store =
        std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "quendel" / "Rolvan.conf";
    std::filesystem::remove(store);
    std::filesystem::create_directories(store);
    Command(ID_EDIT_EDITGRID);
    Click(3, 3, R);
    Click(5, 2, R);
    Click(4, 4, L);
    Click(6, 6, L);
    Command(ID_EDIT_SAVEGRID);
    std::vector<std::string> shown;
    for (const MessageBoxRequest& box : messageBoxes)
        shown.push_back(box.text + " " + box.caption);
    const char* home = "Couldn't save the home square";
    const char* border = "Couldn't save the border square";
    std::vector<std::string> expected;
    for (const auto& [text, entry] : {std::pair{home, "(14,0)"},
                                      {home, "(5,2)"},
                                      {home, "(3,3)"},
                                      {border, "(4,4)"},
                                      {border, "(6,6)"}}) {
        expected.push_back(std::string(text) + " " + entry);
        expected.push_back(std::string(text) + " count 1");
    }
    EXPECT_EQ(shown, expected);
    EXPECT_FALSE(view->editing);
    EXPECT_EQ(Where(Home), (Squares{{14, 0}}));
    EXPECT_EQ(Where(Border), Squares{});
    std::filesystem::remove(store);
}

TEST_F(EditorTest, CancelAsksOnlyAfterAChangeAndPutsBackOnlyTheStoredLayout) {
    StartGame();
    const struct {
        bool stored, change;
        int answer;
        bool stays;
    } cases[] = {{false, false, IDNO, false},
                 {true, false, IDNO, false},
                 {true, true, IDNO, true},
                 {true, true, IDCANCEL, true},
                 {true, true, IDYES, false}};
    for (const auto& c : cases) {
        StoreInt("HomeCount", c.stored ? 1 : 0);
        StoreString("Home0", "(7,3)");
        Command(ID_EDIT_EDITGRID);
        view->board.SquareAt(4, 4)->kind = Border;
        if (c.change)
            Click(9, 2, R);
        const std::vector<int> kinds = BoardKinds(view->board);
        answerMessageBox = [&c](const MessageBoxRequest&) { return c.answer; };
        messageBoxes.clear();
        Command(ID_EDIT_CANCEL);
        ASSERT_EQ(messageBoxes.size(), c.change ? 1u : 0u);
        EXPECT_EQ(view->editing, c.stays);
        if (c.stays) {
            EXPECT_TRUE(BoardKinds(view->board) == kinds && view->changed);
        } else {
            // Not even the top-right Home of the game stays: that is a new game's.
            EXPECT_EQ(Where(Home), (c.stored ? Squares{{7, 3}} : Squares{}));
            EXPECT_TRUE(Where(Border).empty() && TileButtons());
        }
    }
    const MessageBoxRequest& question = messageBoxes[0];
    EXPECT_EQ(question.text + "|" + question.caption,
              "Do you really want to abandon the changes ?|Rolvan");
    EXPECT_TRUE(question.buttons == MB_YESNOCANCEL && question.icon == MB_ICONQUESTION);
}

TEST_F(EditorTest, ClosingTheWindowWhileEditingAsksAndStoresNothing) {
    StartGame();
    Command(ID_EDIT_EDITGRID);
    Click(5, 5, L);
    frame->SendMessage(WM_CLOSE);
    app.reset();
    EXPECT_TRUE(messageBoxes.empty());
    app = std::make_unique<CRolvanApp>();
    app->SetRegistryKey("quendel");
    EXPECT_EQ(StoredInt("HomeCount"), -12345);
}

TEST_F(EditorTest, GridSizeRefusesAnythingButNumbersFromOneToAHundred) {
    StartGame();
    const std::string range = "Please enter an integer between 1 and 100.";
    const std::string integer = "Please enter an integer.";
    const struct {
        const char *x, *y;
        const std::string& message;
        int field;
    } cases[] = {{"0", "10", range, IDC_XSIZE},
                 {"101", "10", range, IDC_XSIZE},
                 {"", "10", integer, IDC_XSIZE},
                 {"15", "0", range, IDC_YSIZE},
                 {"15", "", integer, IDC_YSIZE}};
    actOnDialog = [&](CDialog& dialog) {
        DialogUser user(dialog);
        for (const auto& c : cases) {
            messageBoxes.clear();
            user.Type(IDC_XSIZE, c.x);
            user.Type(IDC_YSIZE, c.y);
            user.Click(IDOK);
            ASSERT_TRUE(user.IsOpen() && messageBoxes.size() == 1u);
            EXPECT_EQ(messageBoxes[0].text, c.message);
            EXPECT_EQ(dialog.GetFocusedControlID(), c.field);
            const auto* edit = qobject_cast<QLineEdit*>(dialog.GetDlgItem(c.field)->m_hWnd);
            EXPECT_EQ(edit->selectedText(), edit->text());
        }
    };
    Command(ID_GRID_SIZE);
    EXPECT_EQ(view->board.columns, 15);
    EXPECT_EQ(StoredInt("XGridSize"), -12345);
}

TEST_F(EditorTest, AcceptingTheSizeRebuildsStoresAndStartsAGameAndTheScoresStay) {
    StartGame();
    view->humanScore = 3;
    view->computerScore = 4;
    const struct {
        std::function<void(DialogUser&)> act;
        int x, y;
        bool newGame;
    } cases[] = {
        {[](DialogUser& u) { u.Type(IDC_XSIZE, "30"), u.Type(IDC_YSIZE, "20"), u.Click(IDOK); }, 30,
         20, true},
        {[](DialogUser& u) { u.PressEnter(); }, 30, 20, true},
        {[](DialogUser& u) {
             u.Click(IDC_DEFAULT);
             EXPECT_TRUE(u.IsOpen() && u.Text(IDC_XSIZE) == "15" && u.Text(IDC_YSIZE) == "10");
             u.Click(IDCANCEL);
         },
         30, 20, false},
        {[](DialogUser& u) { u.Type(IDC_XSIZE, "77"), u.DoubleClick(IDC_DEFAULT); }, 15, 10, true},
    };
    for (const auto& c : cases) {
        view->board.SquareAt(4, 0)->kind = Border;
        actOnDialog = [&](CDialog& dialog) {
            if (dialog.GetTemplateID() != IDD_GRIDSIZE)
                return;
            DialogUser user(dialog);
            EXPECT_EQ(user.Text(IDC_XSIZE), std::to_string(view->board.columns));
            c.act(user);
        };
        Command(ID_GRID_SIZE);
        EXPECT_EQ(std::pair(view->board.columns, view->board.rows), std::pair(c.x, c.y));
        EXPECT_EQ(std::pair(StoredInt("XGridSize"), StoredInt("YGridSize")), std::pair(c.x, c.y));
        EXPECT_EQ(Kind(4, 0) == Border, !c.newGame);
        EXPECT_EQ(view->board.squareWidth, 640 / (c.x + 2));
        EXPECT_EQ(view->board.squareHeight, 600 / (c.y + 2));
        EXPECT_EQ(std::pair(view->humanScore, view->computerScore), std::pair(3, 4));
    }
    Command(ID_LANGUAGE_DEUTSCH);
    actOnDialog = nullptr;
    Command(ID_GRID_SIZE);
    EXPECT_EQ(dialogsShown.back(), IDD_GRIDSIZE_GERMAN);
}

TEST_F(EditorTest, ALayoutSavedOnALargerBoardAppliesWhatFitsAndComesBackWithTheSize) {
    StoreInt("XGridSize", 20);
    StoreInt("YGridSize", 15);
    StartGame();
    Command(ID_EDIT_EDITGRID);
    Click(17, 2, R);
    Click(14, 9, R);
    Click(3, 3, L);
    Click(5, 12, L);
    Command(ID_EDIT_SAVEGRID);
    ChooseGridSize(15, 10);
    EXPECT_EQ(Where(Home), (Squares{{14, 0}, {14, 9}}));
    EXPECT_EQ(Where(Border), (Squares{{3, 3}}));
    ChooseGridSize(20, 15);
    EXPECT_EQ(Where(Home), (Squares{{19, 0}, {17, 2}, {14, 9}}));
    EXPECT_EQ(Where(Border), (Squares{{3, 3}, {5, 12}}));
}

// Sizes with no start square, no third square or no row above them, the extremes and a
// few drawn at random: play, click every square with both buttons, Reset, Save, Cancel.
TEST_F(EditorTest, SmallAndLargeBoardsPlayAndEditWithoutFault) {
    StartGame();
    std::vector<std::pair<int, int>> sizes = {{1, 1}, {2, 1},   {1, 2},   {2, 2},    {3, 1},
                                              {3, 2}, {1, 100}, {100, 1}, {100, 100}};
    std::mt19937 random(8);
    for (int i = 0; i < 6; ++i) {
        sizes.push_back(
            {1 + static_cast<int>(random() % 100), 1 + static_cast<int>(random() % 100)});
    }
    answerMessageBox = [](const MessageBoxRequest& box) {
        return box.buttons == MB_YESNOCANCEL ? IDYES : IDOK;
    };
    for (const auto& [x, y] : sizes) {
        SCOPED_TRACE(std::to_string(x) + "x" + std::to_string(y));
        ChooseGridSize(x, y);
        ASSERT_EQ(BoardKinds(view->board).size(), static_cast<std::size_t>(x * y));
        for (int key : {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_2})
            PressKey(key);
        Command(ID_EDIT_EDITGRID);
        for (int row = 0; row < y; ++row) {
            for (int column = 0; column < x; ++column) {
                Click(column, row, L);
                Click(column, row, R);
            }
        }
        Command(ID_EDIT_RESETGRID);
        Command(ID_EDIT_SAVEGRID);
        Command(ID_EDIT_EDITGRID);
        Click(x - 1, 0, L);
        Command(ID_EDIT_CANCEL);
        for (int key : {Qt::Key_3, Qt::Key_1, Qt::Key_2})
            PressKey(key);
        EXPECT_TRUE(!view->editing && TileButtons());
        // Only a board of one column leaves the ball without a square.
        bool ballOnBoard = false;
        view->board.ForEachSquare(
            [&](const Square& s) { ballOnBoard |= &s == view->ball.currentSquare; });
        EXPECT_EQ(ballOnBoard, x > 1);
    }
}

}  // namespace
