// The ball speed dialog and the About box, through the real view and the modal seam.

#include <QWidget>

#include "shell/ball_speed_dialog.h"
#include "shell/stored_values.h"
#include "support/rolvan_fixture.h"

namespace {

class SmallDialogsTest : public RolvanTest {
protected:
    // Runs Ball Speed with the dialog worked by `act`; what the dialog showed on opening is
    // kept in opened.
    void RunSpeedDialog(std::function<void(CBallSpeedDlg&, DialogUser&)> act) {
        actOnDialog = [this, act](CDialog& dialog) {
            auto& speed = dynamic_cast<CBallSpeedDlg&>(dialog);
            DialogUser user(dialog);
            opened = {user.SliderPos(IDC_SPEED_SLIDER), speed.m_slider.GetRangeMin(),
                      speed.m_slider.GetRangeMax(), dialog.GetFocusedControlID()};
            act(speed, user);
        };
        Command(ID_BALL_SPEED);
    }
    struct Opened {
        int position = -1;
        int minimum = -1;
        int maximum = -1;
        int focus = -1;
    } opened;
};

}  // namespace

TEST_F(SmallDialogsTest, TheSliderOpensAtTheSpeedAndOkStoresWhereItWasLeft) {
    StartGame(800, 600, true);
    ASSERT_EQ(view->ballDelay, 10);
    // Where the user leaves the slider, and the speed that gives.
    const struct {
        std::function<void(DialogUser&)> move;
        int stored;
    } cases[] = {
        {[](DialogUser& user) { user.MoveSlider(IDC_SPEED_SLIDER, 0); }, 19},
        {[](DialogUser& user) { user.MoveSlider(IDC_SPEED_SLIDER, 19); }, 0},
        {[](DialogUser&) {}, 0},  // untouched: the same value again
        {[](DialogUser& user) { user.PressKey(IDC_SPEED_SLIDER, VK_HOME); }, 19},
        {[](DialogUser& user) { user.PressKey(IDC_SPEED_SLIDER, VK_END); }, 0},
        {[](DialogUser& user) { user.PressKey(IDC_SPEED_SLIDER, VK_LEFT); }, 1},
        {[](DialogUser& user) { user.PressKey(IDC_SPEED_SLIDER, VK_PRIOR); }, 0},
        {[](DialogUser& user) { user.PressKey(IDC_SPEED_SLIDER, VK_NEXT); }, 3},
    };
    int expectedPosition = 9;
    for (const auto& c : cases) {
        app->WriteProfileString(kSettingsSection, "BallSpeed", nullptr);
        RunSpeedDialog([&c](CBallSpeedDlg&, DialogUser& user) {
            c.move(user);
            user.Click(IDOK);
        });
        EXPECT_EQ(opened.position, expectedPosition);
        EXPECT_EQ(opened.minimum, 0);
        EXPECT_EQ(opened.maximum, 19);
        EXPECT_EQ(opened.focus, IDOK);
        EXPECT_EQ(view->ballDelay, c.stored);
        EXPECT_EQ(StoredInt("BallSpeed"), c.stored);
        expectedPosition = 19 - c.stored;
    }
}

TEST_F(SmallDialogsTest, CancelEscapeAndTheCloseBoxChangeAndStoreNothing) {
    StartGame(800, 600, true);
    const std::function<void(DialogUser&)> ways[] = {
        [](DialogUser& user) { user.Click(IDCANCEL); },
        [](DialogUser& user) { user.PressEscape(); },
        [](DialogUser& user) { user.CloseBox(); },
    };
    for (const auto& leave : ways) {
        int speedInDialog = -1;
        RunSpeedDialog([&](CBallSpeedDlg& dialog, DialogUser& user) {
            user.MoveSlider(IDC_SPEED_SLIDER, 2);
            speedInDialog = dialog.m_nSpeed;
            leave(user);
        });
        EXPECT_EQ(speedInDialog, 17);
        EXPECT_EQ(view->ballDelay, 10);
        EXPECT_EQ(StoredInt("BallSpeed"), -12345);
    }
}

TEST_F(SmallDialogsTest, SpeedIsGreyedWhileEditingAndAboutNever) {
    StartGame();
    for (const bool editing : {false, true}) {
        view->editing = editing;
        EXPECT_EQ((MenuState(ID_BALL_SPEED) & MF_GRAYED) != 0, editing);
        EXPECT_FALSE(MenuState(ID_APP_ABOUT) & MF_GRAYED);
    }
    dialogsShown.clear();
    Command(ID_BALL_SPEED);
    Command(ID_APP_ABOUT);
    EXPECT_EQ(dialogsShown, std::vector<UINT>{IDD_ABOUTBOX});
}

TEST_F(SmallDialogsTest, TheAboutBoxShowsIconNameAndVersionOverTheMainWindow) {
    StartGame();
    ModalWindowLook look;
    bool ownedByMainWindow = false;
    actOnDialog = [&](CDialog& dialog) {
        look = LookAtModalWindow(&dialog);
        ownedByMainWindow = dialog.GetSafeHwnd()->parentWidget() == frame->GetSafeHwnd();
        EXPECT_TRUE(DialogUser(dialog).IsDefaultButton(IDOK));
        DialogUser(dialog).PressEnter();
    };
    Command(ID_APP_ABOUT);
    EXPECT_EQ(look.title, "About rolvan");
    EXPECT_TRUE(look.showsIcon);
    EXPECT_EQ(look.labels, std::vector<std::string>{"Rolvan Version 2.2"});
    EXPECT_EQ(look.buttons, std::vector<std::string>{"OK"});
    EXPECT_TRUE(look.closeBoxOnly);
    EXPECT_TRUE(ownedByMainWindow);
}
