// Dialogs from templates: placement in dialog units, data exchange with validation that
// keeps the dialog open, buttons that report double-clicks, the slider, and the way a
// script ends a dialog exactly as a user would.

#include <QDialog>
#include <QFont>
#include <QFontMetrics>
#include <QSlider>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform_test_support.h"
#include "shell/platform/afxwin.h"
#include "shell/platform/seams.h"

namespace {

class SizeDialog : public CDialog {
public:
    SizeDialog(int columns, int rows, UINT templateId = IDD_GRIDSIZE)
        : CDialog(templateId), x(columns), y(rows) {}
    int x;
    int y;

    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Text(pDX, IDC_XSIZE, x);
        DDV_MinMaxInt(pDX, x, 1, 100);
        DDX_Text(pDX, IDC_YSIZE, y);
        DDV_MinMaxInt(pDX, y, 1, 100);
    }
    void OnDefault() {
        x = 15;
        y = 10;
        UpdateData(FALSE);
    }
    void OnDefaultDoubleClicked() {
        x = 15;
        y = 10;
        EndDialog(IDC_DEFAULT);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SizeDialog, CDialog)
    ON_BN_CLICKED(IDC_DEFAULT, OnDefault)
    ON_BN_DOUBLECLICKED(IDC_DEFAULT, OnDefaultDoubleClicked)
END_MESSAGE_MAP()

class SpeedDialog : public CDialog {
public:
    explicit SpeedDialog(int ballSpeed, UINT templateId = IDD_BALLSPEED)
        : CDialog(templateId), speed(ballSpeed) {}
    int speed;
    int scrolls = 0;
    CSliderCtrl slider;

    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_SPEED_SLIDER, slider); }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        slider.SetRange(0, 19, TRUE);
        slider.SetPos(19 - speed);
        slider.SetTicFreq(1);
        return TRUE;
    }
    void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override {
        CDialog::OnHScroll(nSBCode, nPos, pScrollBar);
        EXPECT_EQ(pScrollBar, &slider);
        ++scrolls;
        speed = 19 - slider.GetPos();
    }
};

class ScoresDialog : public CDialog {
public:
    ScoresDialog(int computerScore, int humanScore)
        : CDialog(IDD_SCORES), computer(computerScore), human(humanScore) {}
    int computer;
    int human;
    int resetClicks = 0;

    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_COMPUTER_SCORE, computer);
        DDX_Text(pDX, IDC_YOUR_SCORE, human);
    }
    void OnReset() {
        ++resetClicks;
        computer = 0;
        human = 0;
        UpdateData(FALSE);
    }
    void OnResetDoubleClicked() {
        computer = 0;
        human = 0;
        EndDialog(IDC_RESET);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ScoresDialog, CDialog)
    ON_BN_CLICKED(IDC_RESET, OnReset)
    ON_BN_DOUBLECLICKED(IDC_RESET, OnResetDoubleClicked)
END_MESSAGE_MAP()

// Runs a dialog under a script; message boxes are recorded and answered with OK.
struct ScriptedRun {
    std::vector<MessageBoxRequest> boxes;
    int Run(CDialog& dialog, std::function<void(CDialog&)> act) {
        ScopedModalScript script({[this](const MessageBoxRequest& box) {
                                      boxes.push_back(box);
                                      return IDOK;
                                  },
                                  std::move(act), nullptr});
        return dialog.DoModal();
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const MessageBoxRequest& box : boxes)
            texts.push_back(box.text);
        return texts;
    }
};

}  // namespace

TEST(DialogTest, ControlsArePlacedInDialogUnitsOfTheDialogFont) {
    SizeDialog dialog(15, 10);
    ScriptedRun().Run(dialog, [](CDialog& open) {
        QFont font(QStringLiteral("MS Sans Serif"));
        font.setPointSize(10);
        const QFontMetrics metrics(font);
        const int baseX = (metrics.horizontalAdvance(QStringLiteral(
                               "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                               26 +
                           1) /
                          2;
        const int baseY = metrics.height();
        DialogUser user(open);
        EXPECT_EQ(user.ClientSize(), (CSize{186 * baseX / 4, 96 * baseY / 8}));
        EXPECT_EQ(user.ControlRect(IDC_XSIZE),
                  (CRect{80 * baseX / 4, 23 * baseY / 8, 80 * baseX / 4 + 30 * baseX / 4,
                         23 * baseY / 8 + 15 * baseY / 8}));
        EXPECT_EQ(user.Title(), "Grid Size");
        EXPECT_EQ(user.Text(IDC_XSIZE_LABEL), "Horizontal (X)");
        EXPECT_TRUE(user.IsDefaultButton(IDOK));
        EXPECT_FALSE(user.IsDefaultButton(IDCANCEL));
        // The first tab stop in template order has the focus.
        EXPECT_EQ(open.GetFocusedControlID(), IDOK);
        // The values are shown when the dialog opens.
        EXPECT_EQ(user.Text(IDC_XSIZE), "15");
        EXPECT_EQ(user.Text(IDC_YSIZE), "10");
    });
}

TEST(DialogTest, TheGermanTemplateGivesTheGermanDialog) {
    SizeDialog dialog(15, 10, IDD_GRIDSIZE_GERMAN);
    ScriptedRun().Run(dialog, [](CDialog& open) {
        DialogUser user(open);
        EXPECT_EQ(user.Title(), "Gittergröße");
        EXPECT_EQ(user.Text(IDCANCEL), "Abbruch");
        EXPECT_EQ(user.Text(IDC_YSIZE_LABEL), "Senkrecht (Y)");
    });
}

TEST(DialogTest, AValueOutOfRangeIsRefusedAndTheDialogStaysOpenOnThatField) {
    SizeDialog dialog(15, 10);
    ScriptedRun run;
    const int result = run.Run(dialog, [](CDialog& open) {
        DialogUser user(open);
        user.Type(IDC_XSIZE, "0");
        user.Click(IDOK);
        EXPECT_TRUE(user.IsOpen());
        EXPECT_EQ(open.GetFocusedControlID(), IDC_XSIZE);

        user.Type(IDC_XSIZE, "20");
        user.Type(IDC_YSIZE, "101");
        user.PressEnter();
        EXPECT_TRUE(user.IsOpen());
        EXPECT_EQ(open.GetFocusedControlID(), IDC_YSIZE);

        user.Type(IDC_YSIZE, "100");
        user.Click(IDOK);
        EXPECT_FALSE(user.IsOpen());
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.x, 20);
    EXPECT_EQ(dialog.y, 100);
    EXPECT_EQ(run.Texts(),
              (std::vector<std::string>{"Please enter an integer between 1 and 100.",
                                        "Please enter an integer between 1 and 100."}));
    ASSERT_FALSE(run.boxes.empty());
    EXPECT_EQ(run.boxes[0].caption, "Rolvan");
    EXPECT_EQ(run.boxes[0].buttons, MB_OK);
    EXPECT_EQ(run.boxes[0].icon, MB_ICONEXCLAMATION);
}

TEST(DialogTest, AnEmptyOrHugeFieldIsNoIntegerAndStopsTheExchange) {
    SizeDialog dialog(15, 10);
    ScriptedRun run;
    const int result = run.Run(dialog, [](CDialog& open) {
        DialogUser user(open);
        user.Type(IDC_XSIZE, "");
        user.Type(IDC_YSIZE, "0");
        user.Click(IDOK);
        user.Type(IDC_XSIZE, "99999999999");
        user.Click(IDOK);
        EXPECT_TRUE(user.IsOpen());
        EXPECT_EQ(open.GetFocusedControlID(), IDC_XSIZE);
        user.Click(IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    // One message per refused OK: the first failure ends the exchange.
    EXPECT_EQ(run.Texts(),
              (std::vector<std::string>{"Please enter an integer.", "Please enter an integer."}));
    EXPECT_EQ(dialog.x, 15);
}

TEST(DialogTest, AnEditForDigitsOnlyDropsEverythingElse) {
    SizeDialog dialog(15, 10);
    ScriptedRun().Run(dialog, [](CDialog& open) {
        DialogUser user(open);
        user.Type(IDC_XSIZE, "1a-2 ");
        EXPECT_EQ(user.Text(IDC_XSIZE), "12");
    });
}

TEST(DialogTest, ADoubleClickEndsWithItsOwnCodeAndReadsNoField) {
    SizeDialog dialog(40, 30);
    ScriptedRun run;
    const int result = run.Run(dialog, [](CDialog& open) {
        DialogUser user(open);
        user.Type(IDC_XSIZE, "");
        user.DoubleClick(IDC_DEFAULT);
    });
    EXPECT_EQ(result, IDC_DEFAULT);
    EXPECT_EQ(dialog.x, 15);
    EXPECT_EQ(dialog.y, 10);
    EXPECT_TRUE(run.boxes.empty());
}

TEST(DialogTest, ASingleClickOnADoubleClickButtonOnlyClicks) {
    SizeDialog dialog(40, 30);
    const int result = ScriptedRun().Run(dialog, [](CDialog& open) {
        DialogUser user(open);
        user.Click(IDC_DEFAULT);
        EXPECT_TRUE(user.IsOpen());
        EXPECT_EQ(user.Text(IDC_XSIZE), "15");
        EXPECT_EQ(user.Text(IDC_YSIZE), "10");
        user.Click(IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST(DialogTest, EscapeTheCloseBoxAndAnUnfinishedScriptAllCancel) {
    const std::function<void(CDialog&)> endings[] = {
        [](CDialog& open) { DialogUser(open).PressEscape(); },
        [](CDialog& open) { DialogUser(open).CloseBox(); },
        [](CDialog&) {},
    };
    for (const auto& ending : endings) {
        SizeDialog dialog(15, 10);
        EXPECT_EQ(ScriptedRun().Run(dialog, ending), IDCANCEL);
    }
}

TEST(DialogTest, ReadOnlyScoresCannotBeTypedAndResetReportsItsDoubleClick) {
    ScoresDialog dialog(3, 4);
    const int result = ScriptedRun().Run(dialog, [](CDialog& open) {
        DialogUser user(open);
        EXPECT_EQ(user.Text(IDC_COMPUTER_SCORE), "3");
        EXPECT_EQ(user.Text(IDC_YOUR_SCORE), "4");
        user.Type(IDC_COMPUTER_SCORE, "99");
        EXPECT_EQ(user.Text(IDC_COMPUTER_SCORE), "3");
        user.DoubleClick(IDC_RESET);
    });
    EXPECT_EQ(result, IDC_RESET);
    // The first half of the double-click is a click of its own, the second half is not.
    EXPECT_EQ(dialog.resetClicks, 1);
    EXPECT_EQ(dialog.computer, 0);
}

TEST(DialogTest, TheSliderNotifiesUserMovesOnlyAndIsBoundToItsControl) {
    SpeedDialog dialog(4);
    const int result = ScriptedRun().Run(dialog, [&dialog](CDialog& open) {
        DialogUser user(open);
        EXPECT_EQ(user.Title(), "Graphics Speed");
        EXPECT_EQ(dialog.scrolls, 0);
        EXPECT_EQ(user.SliderPos(IDC_SPEED_SLIDER), 15);
        EXPECT_EQ(dialog.slider.GetRangeMax(), 19);
        auto* slider = qobject_cast<QSlider*>(dialog.slider.m_hWnd);
        ASSERT_NE(slider, nullptr);
        EXPECT_EQ(slider->tickPosition(), QSlider::TicksAbove);
        EXPECT_EQ(slider->tickInterval(), 1);

        user.MoveSlider(IDC_SPEED_SLIDER, 0);
        EXPECT_EQ(dialog.scrolls, 1);
        EXPECT_EQ(dialog.speed, 19);
        user.Click(IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.speed, 19);
    // The control went with the dialog.
    EXPECT_EQ(dialog.slider.m_hWnd, nullptr);
}

TEST(DialogTest, ASliderPositionOutsideTheRangeShowsAtTheNearerEnd) {
    SpeedDialog dialog(-5, IDD_BALLSPEED_GERMAN);
    ScriptedRun().Run(dialog, [&dialog](CDialog& open) {
        EXPECT_EQ(DialogUser(open).Title(), "Grafikgeschwindigkeit");
        EXPECT_EQ(dialog.slider.GetPos(), 19);
        EXPECT_EQ(dialog.scrolls, 0);
    });
    EXPECT_EQ(dialog.speed, -5);
}

TEST(DialogTest, AMissingTemplateOpensNothing) {
    CDialog dialog(4711);
    bool opened = false;
    EXPECT_EQ(ScriptedRun().Run(dialog, [&opened](CDialog&) { opened = true; }), -1);
    EXPECT_FALSE(opened);
}

TEST(DialogTest, TheAboutBoxShowsItsIconAndClosesWithEnter) {
    CDialog about(IDD_ABOUTBOX);
    const int result = ScriptedRun().Run(about, [](CDialog& open) {
        DialogUser user(open);
        EXPECT_EQ(user.Title(), "About rolvan");
        user.PressEnter();
    });
    EXPECT_EQ(result, IDOK);
}

// The real Qt dialog, driven from the event loop while its modal loop runs.
TEST(RealDialogTest, ValidationShowsARealMessageBoxAndTheDialogStaysOpen) {
    SizeDialog dialog(15, 10);
    std::string message;
    bool stayedOpen = false;
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        CDialog* open = OpenDialog();
        ASSERT_EQ(open, &dialog);
        DialogUser user(*open);
        user.Type(IDC_YSIZE, "0");
        // The box that OK brings up runs its own loop; answer it from there.
        QTimer::singleShot(0, &guard, [&] { AnswerOpenMessageBox(IDOK, &message); });
        user.Click(IDOK);
        stayedOpen = user.IsOpen();
        user.Type(IDC_YSIZE, "7");
        user.Click(IDOK);
    });
    // Should anything be left open, end it rather than wait.
    QTimer::singleShot(10000, &guard, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(message, "Please enter an integer between 1 and 100.");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(dialog.y, 7);
}
