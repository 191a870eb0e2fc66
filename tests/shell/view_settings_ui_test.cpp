#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include "shell/platform/types.h"
#include "shell/stored_values.h"
#include "support/rolvan_fixture.h"

namespace {

const char* const kAllValueNames[] = {"WindowBackgroundColour",
                                      "GridBackgroundColour",
                                      "GridLineColour",
                                      "TileBackgroundColour",
                                      "TileBorderColour",
                                      "TileLineColour",
                                      "HomeSquareColour",
                                      "BallColour",
                                      "Level",
                                      "BallSpeed",
                                      "XGridSize",
                                      "YGridSize",
                                      "HomeCount",
                                      "BorderCount",
                                      "Home0",
                                      "Border0"};

}  // namespace

TEST_F(RolvanTest, EmptyStoreGivesEveryDefaultAndWritesNothing) {
    StartGame(800, 600, true);
    EXPECT_EQ(view->board.columns, 15);
    EXPECT_EQ(view->board.rows, 10);
    EXPECT_EQ(view->level, 2);
    EXPECT_EQ(view->ballDelay, 10);
    EXPECT_EQ(view->WindowBackgroundColour, RGB(0, 128, 128));
    EXPECT_EQ(view->GridBackgroundColour, RGB(0, 128, 64));
    EXPECT_EQ(view->GridLineColour, RGB(128, 0, 0));
    EXPECT_EQ(view->TileBackgroundColour, RGB(0, 0, 255));
    EXPECT_EQ(view->TileBorderColour, RGB(0, 255, 0));
    EXPECT_EQ(view->TileLineColour, RGB(255, 255, 0));
    EXPECT_EQ(view->HomeSquareColour, RGB(128, 0, 128));
    EXPECT_EQ(view->BallColour, RGB(255, 0, 0));
    ASSERT_NE(view->ballBrush, nullptr);
    EXPECT_EQ(view->ballBrush->Colour(), RGB(255, 0, 0));
    EXPECT_EQ(view->humanScore, 0);
    EXPECT_EQ(view->computerScore, 0);
    for (const char* name : kAllValueNames) {
        EXPECT_EQ(StoredString(name), "<missing>") << name;
    }
    EXPECT_TRUE(messageBoxes.empty());
}

TEST_F(RolvanTest, StoredValuesAreReadBackAndTheLayoutFitsTheStoredSize) {
    StoreInt("XGridSize", 20);
    StoreInt("YGridSize", 12);
    StoreInt("Level", 4);
    StoreInt("BallSpeed", 3);
    StoreString("BallColour", "65280");
    StoreString("TileLineColour", "255 and some letters");
    StoreString("HomeSquareColour", "letters only");
    StoreInt("HomeCount", 1);
    StoreString("Home0", "(19,11)");
    StartGame(800, 600, true);
    EXPECT_EQ(view->board.columns, 20);
    EXPECT_EQ(view->board.rows, 12);
    EXPECT_EQ(view->level, 4);
    EXPECT_EQ(view->ballDelay, 3);
    EXPECT_EQ(view->BallColour, RGB(0, 255, 0));
    EXPECT_EQ(view->TileLineColour, 255u);
    EXPECT_EQ(view->HomeSquareColour, 0u);
    // The layout is applied by the first game, after the board was built at its size.
    EXPECT_EQ(view->board.SquareAt(19, 11)->kind, Home);
    // Nothing is repaired in the store.
    EXPECT_EQ(StoredString("HomeSquareColour"), "letters only");
}

// A hand-edited store: garbage, huge and negative values everywhere. The program starts,
// plays and stores again.
TEST_F(RolvanTest, CorruptedStoreStartsPlaysAndStoresAgain) {
    StoreString("XGridSize", "garbage");
    StoreString("YGridSize", "99999999999");
    StoreInt("Level", -3);
    StoreInt("BallSpeed", 1000000);
    StoreInt("HomeCount", 2147483647);
    StoreInt("BorderCount", -2147483647);
    StoreString("Home0", "(((");
    StoreString("Home1", "(3,-4)");
    StoreString("Home2", "(99999999999,1)");
    for (const char* name : {"WindowBackgroundColour", "GridBackgroundColour", "BallColour"}) {
        StoreString(name, "-99999999999999999999");
    }
    StartGame(800, 600, true);
    EXPECT_EQ(view->board.columns, 15);
    EXPECT_EQ(view->board.rows, 10);
    EXPECT_EQ(view->level, 2);
    EXPECT_EQ(view->ballDelay, 19);
    ASSERT_FALSE(messageBoxes.empty());
    EXPECT_EQ(messageBoxes[0].text, "Could not read entry");
    EXPECT_EQ(messageBoxes[0].caption, "(((");
    EXPECT_FALSE(messageBoxes[0].hasOwner);

    view->ballDelay = 0;
    view->LayTile(CentreTile);
    Command(ID_LEVEL_THREE);
    EXPECT_EQ(StoredInt("Level"), 3);
    view->SaveLayout();
    EXPECT_EQ(StoredInt("HomeCount"), 1);
    EXPECT_EQ(StoredString("Home0"), "(14,0)");
    EXPECT_EQ(StoredInt("BorderCount"), 0);
}

TEST_F(RolvanTest, NegativeAndTinyGridSizesStartWithoutACrash) {
    StoreInt("XGridSize", 1);
    StoreInt("YGridSize", -5);
    StartGame();
    EXPECT_EQ(view->board.columns, 1);
    EXPECT_EQ(view->board.rows, 1);
    // One column has no start square: there is no ball and no move can be made.
    EXPECT_EQ(view->ball.currentSquare, nullptr);
    PressKey(Qt::Key_2);
    Command(ID_MOVES_TOPSQUARE);
    view->RedrawAll();
    EXPECT_EQ(view->board.TopRightCorner()->kind, CentreTile);
}

TEST_F(RolvanTest, SavedLayoutHasTheExactStoredForms) {
    StartGame();
    view->SaveLayout();
    EXPECT_EQ(StoredInt("HomeCount"), 1);
    EXPECT_EQ(StoredString("Home0"), "(14,0)");
    EXPECT_EQ(StoredInt("BorderCount"), 0);
    EXPECT_EQ(StoredString("Border0"), "<missing>");
}

TEST_F(RolvanTest, LevelCommandsStoreEveryTimeAndCarryTheRadioMark) {
    StartGame();
    EXPECT_EQ(StoredInt("Level"), -12345);
    Command(ID_LEVEL_TWO);
    EXPECT_EQ(StoredInt("Level"), 2);
    Command(ID_LEVEL_FOUR);
    EXPECT_EQ(view->level, 4);
    EXPECT_EQ(StoredInt("Level"), 4);
    for (UINT id : {ID_LEVEL_ONE, ID_LEVEL_TWO, ID_LEVEL_THREE, ID_LEVEL_FOUR}) {
        const UINT state = MenuState(id);
        EXPECT_EQ((state & MF_CHECKED) != 0, id == ID_LEVEL_FOUR) << id;
        EXPECT_TRUE(state & MFT_RADIOCHECK || !(state & MF_CHECKED)) << id;
        EXPECT_FALSE(state & MF_GRAYED) << id;
    }
}

TEST_F(RolvanTest, EditorStateSwitchesTheEnabledCommands) {
    StartGame();
    const UINT offWhileEditing[] = {ID_MOVES_TOPSQUARE,
                                    ID_MOVES_MIDDLESQUARE,
                                    ID_MOVES_BOTTOMSQUARE,
                                    ID_COLOURS_WINDOWBACKGROUND,
                                    ID_COLOURS_GRIDBACKGROUND,
                                    ID_COLOURS_GRIDLINES,
                                    ID_COLOURS_TILEBACKGROUND,
                                    ID_COLOURS_TILEBORDER,
                                    ID_COLOURS_TILELINES,
                                    ID_COLOURS_BALLCOLOUR,
                                    ID_COLOURS_HOMESQUARE,
                                    ID_FILE_SHOWSCORES,
                                    ID_FILE_RESETSCORES,
                                    ID_BALL_SPEED,
                                    ID_EDIT_EDITGRID,
                                    ID_GRID_SIZE,
                                    ID_LEVEL_ONE,
                                    ID_LEVEL_TWO,
                                    ID_LEVEL_THREE,
                                    ID_LEVEL_FOUR};
    const UINT onlyWhileEditing[] = {ID_EDIT_SAVEGRID, ID_EDIT_CANCEL, ID_EDIT_RESETGRID};
    const UINT always[] = {ID_APP_EXIT, ID_LANGUAGE_ENGLISH, ID_LANGUAGE_DEUTSCH, ID_APP_ABOUT};
    for (bool editing : {false, true}) {
        view->editing = editing;
        for (UINT id : offWhileEditing) {
            EXPECT_EQ((MenuState(id) & MF_GRAYED) != 0, editing) << id;
        }
        for (UINT id : onlyWhileEditing) {
            EXPECT_EQ((MenuState(id) & MF_GRAYED) != 0, !editing) << id;
        }
        for (UINT id : always) {
            EXPECT_FALSE(MenuState(id) & MF_GRAYED) << id;
        }
        // The level keeps its mark while the item is disabled.
        EXPECT_TRUE(MenuState(ID_LEVEL_TWO) & MF_CHECKED);
        EXPECT_TRUE(MenuState(ID_LANGUAGE_ENGLISH) & MF_CHECKED);
        EXPECT_FALSE(MenuState(ID_LANGUAGE_DEUTSCH) & MF_CHECKED);
    }
    // A disabled move command does nothing.
    const std::vector<int> before = BoardKinds(view->board);
    Command(ID_MOVES_MIDDLESQUARE);
    EXPECT_EQ(BoardKinds(view->board), before);
}

TEST_F(RolvanTest, UnwritableStoreReportsLayoutFailuresAndKeepsPlaying) {
    StartGame();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString blocker = dir.filePath("not-a-folder");
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QByteArray path = QFile::encodeName(blocker + "/Rolvan.conf");
    SetProfileFileForTesting(path.constData());

    Command(ID_LEVEL_ONE);
    EXPECT_EQ(view->level, 1);
    view->SaveLayout();
    SetProfileFileForTesting(nullptr);

    ASSERT_EQ(messageBoxes.size(), 2u);
    EXPECT_EQ(messageBoxes[0].text, "Couldn't save the home square");
    EXPECT_EQ(messageBoxes[0].caption, "(14,0)");
    EXPECT_EQ(messageBoxes[0].icon, MB_ICONEXCLAMATION);
    EXPECT_TRUE(messageBoxes[0].hasOwner);
    EXPECT_EQ(messageBoxes[1].text, "Couldn't save the home square count");
    EXPECT_EQ(messageBoxes[1].caption, "1");
}

TEST_F(RolvanTest, MainWindowIsCalledRolvanAndHelpDoesNothing) {
    StartGame();
    EXPECT_EQ(frame->GetSafeHwnd()->windowTitle().toStdString(), "rolvan");
    const std::vector<int> before = BoardKinds(view->board);
    Command(ID_HELP);
    PressKey(Qt::Key_F1);
    view->NewGame(false);
    EXPECT_EQ(frame->GetSafeHwnd()->windowTitle().toStdString(), "rolvan");
    EXPECT_TRUE(messageBoxes.empty());
    EXPECT_TRUE(dialogsShown.empty());
}

TEST_F(RolvanTest, ExitClosesTheWindowWithoutAQuestion) {
    StartGame();
    Command(ID_APP_EXIT);
    QApplication::processEvents();
    EXPECT_FALSE(frame->GetSafeHwnd() && frame->GetSafeHwnd()->isVisible());
    EXPECT_TRUE(messageBoxes.empty());
}
