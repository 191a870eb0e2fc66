// Message boxes and the colour picker through the seam: scripted answers, the answers
// of unscripted boxes, and the real Qt dialogs answered from the event loop.

#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform_test_support.h"
#include "shell/platform/afxwin.h"
#include "shell/platform/seams.h"

namespace {

class ModalGuard {
public:
    // Ends whatever modal window is still open after a while, rather than hanging.
    ModalGuard() {
        QTimer::singleShot(10000, &m_context, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
    }
    QObject* Context() { return &m_context; }

private:
    QObject m_context;
};

}  // namespace

TEST(MessageBoxSeamTest, TheScriptSeesTextCaptionIconAndButtonsAndGivesTheAnswer) {
    std::vector<MessageBoxRequest> seen;
    ScopedModalScript script({[&seen](const MessageBoxRequest& box) {
                                  seen.push_back(box);
                                  return seen.size() == 1 ? IDYES : IDNO;
                              },
                              nullptr, nullptr});
    EXPECT_EQ(AfxMessageBox("Do you really want to set the scores to zero ?",
                            MB_YESNOCANCEL | MB_ICONEXCLAMATION),
              IDYES);
    CWnd owner;
    EXPECT_EQ(owner.MessageBox("Do you really want to abandon the changes ?", nullptr,
                               MB_YESNOCANCEL | MB_ICONQUESTION),
              IDNO);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, "Do you really want to set the scores to zero ?");
    EXPECT_EQ(seen[0].caption, "Rolvan");
    EXPECT_EQ(seen[0].buttons, MB_YESNOCANCEL);
    EXPECT_EQ(seen[0].icon, MB_ICONEXCLAMATION);
    EXPECT_FALSE(seen[0].hasOwner);
    EXPECT_EQ(seen[1].icon, MB_ICONQUESTION);
    EXPECT_EQ(seen[1].caption, "Rolvan");
}

TEST(MessageBoxSeamTest, AnOwnedBoxKeepsItsCaptionAndABoxWithoutIconShowsTheExclamationMark) {
    std::vector<MessageBoxRequest> seen;
    ScopedModalScript script({[&seen](const MessageBoxRequest& box) {
                                  seen.push_back(box);
                                  return IDOK;
                              },
                              nullptr, nullptr});
    CWinApp app;
    auto* frame = new CFrameWnd;
    app.m_pMainWnd = frame;
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, nullptr, new CDocument));
    frame->ActivateFrame();
    EXPECT_EQ(frame->MessageBox("You can't change this square", "Don't be silly",
                                MB_OK | MB_ICONEXCLAMATION),
              IDOK);
    AfxMessageBox("DEBUG - something", MB_YESNOCANCEL);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].caption, "Don't be silly");
    EXPECT_TRUE(seen[0].hasOwner);
    EXPECT_EQ(seen[1].icon, MB_ICONEXCLAMATION);
    EXPECT_TRUE(seen[1].hasOwner);
}

TEST(MessageBoxSeamTest, WithoutAnAnswerInTheScriptABoxEndsAsEscapeWould) {
    ScopedModalScript script({});
    EXPECT_EQ(AfxMessageBox("question", MB_YESNOCANCEL | MB_ICONQUESTION), IDCANCEL);
    EXPECT_EQ(AfxMessageBox("note", MB_OK | MB_ICONEXCLAMATION), IDOK);
    EXPECT_EQ(AfxMessageBox("choice", MB_YESNO), IDNO);
}

TEST(MessageBoxSeamTest, ScriptsNestAndTheOuterComesBack) {
    ScopedModalScript outer({[](const MessageBoxRequest&) { return IDYES; }, nullptr, nullptr});
    {
        ScopedModalScript inner({[](const MessageBoxRequest&) { return IDNO; }, nullptr, nullptr});
        EXPECT_EQ(AfxMessageBox("?", MB_YESNOCANCEL), IDNO);
    }
    EXPECT_EQ(AfxMessageBox("?", MB_YESNOCANCEL), IDYES);
}

TEST(RealMessageBoxTest, TheRealBoxAnswersWithTheClickedButton) {
    ModalGuard guard;
    const struct { int answer; } answers[] = {{IDYES}, {IDNO}, {IDCANCEL}};
    for (const auto& expected : answers) {
        std::string text;
        QString title;
        QTimer::singleShot(0, guard.Context(), [&] {
            title = QApplication::activeModalWidget()->windowTitle();
            AnswerOpenMessageBox(expected.answer, &text);
        });
        EXPECT_EQ(
            AfxMessageBox("Wollen Sie wirklich abbrechen ?", MB_YESNOCANCEL | MB_ICONQUESTION),
            expected.answer);
        EXPECT_EQ(text, "Wollen Sie wirklich abbrechen ?");
        EXPECT_EQ(title.toStdString(), "Rolvan");
    }
}

TEST(RealMessageBoxTest, EscapeCancelsAQuestionAndConfirmsANote) {
    ModalGuard guard;
    const struct {
        UINT type;
        int answer;
    } cases[] = {{MB_YESNOCANCEL | MB_ICONQUESTION, IDCANCEL}, {MB_OK | MB_ICONEXCLAMATION, IDOK}};
    for (const auto& expected : cases) {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, guard.Context(), [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            icon = box->icon();
            PressKey(box, Qt::Key_Escape);
        });
        EXPECT_EQ(AfxMessageBox("text", expected.type), expected.answer);
        EXPECT_EQ(icon, expected.answer == IDOK ? QMessageBox::Warning : QMessageBox::Question);
    }
}

TEST(ColorDialogSeamTest, TheScriptGetsTheInitialColourAndAnswersOkOrCancel) {
    std::vector<COLORREF> initial;
    std::optional<COLORREF> answer = RGB(1, 2, 3);
    ScopedModalScript script({nullptr, nullptr, [&](COLORREF colour) {
                                  initial.push_back(colour);
                                  return answer;
                              }});
    CColorDialog chosen(RGB(0, 128, 128));
    EXPECT_EQ(chosen.DoModal(), IDOK);
    EXPECT_EQ(chosen.GetColor(), RGB(1, 2, 3));

    answer.reset();
    CColorDialog cancelled(RGB(255, 0, 0));
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetColor(), RGB(255, 0, 0));
    EXPECT_EQ(initial, (std::vector<COLORREF>{RGB(0, 128, 128), RGB(255, 0, 0)}));
}

TEST(RealColorDialogTest, TheRealPickerIsQtsOwnWithWhiteCustomColoursKeptForTheRun) {
    CWinApp run;  // whatever pickers of earlier runs in this process left
    ModalGuard guard;
    COLORREF initial = 0;
    bool ownDialog = false;
    QTimer::singleShot(0, guard.Context(), [&] {
        auto* picker = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(picker, nullptr);
        ownDialog = picker->testOption(QColorDialog::DontUseNativeDialog);
        AnswerOpenColorDialog(RGB(10, 20, 30), &initial);
    });
    CColorDialog dialog(RGB(0, 0, 255));
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetColor(), RGB(10, 20, 30));
    EXPECT_EQ(initial, RGB(0, 0, 255));
    EXPECT_TRUE(ownDialog);
    for (int i = 0; i < QColorDialog::customCount(); ++i) {
        EXPECT_EQ(QColorDialog::customColor(i), QColor(Qt::white)) << i;
    }

    // A custom colour set in one picker is there in the next.
    QColorDialog::setCustomColor(3, QColor(1, 2, 3));
    QTimer::singleShot(0, guard.Context(), [&] { AnswerOpenColorDialog(std::nullopt); });
    CColorDialog second(RGB(0, 0, 0));
    EXPECT_EQ(second.DoModal(), IDCANCEL);
    EXPECT_EQ(QColorDialog::customColor(3), QColor(1, 2, 3));
}
