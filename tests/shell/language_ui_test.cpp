// The two languages: the start-up choice, the menu bars the Language commands put up and
// take down, and which resources dialogs and messages come from afterwards.

#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "shell/main_frame.h"
#include "support/rolvan_fixture.h"

namespace {

class LanguageTest : public RolvanTest {
protected:
    CMainFrame* MainFrame() { return dynamic_cast<CMainFrame*>(frame); }
    HMENU ShownMenu() { return frame->GetMenu() ? frame->GetMenu()->GetSafeHmenu() : nullptr; }
    std::string FirstMenuTitle() {
        CString title;
        frame->GetMenu()->GetMenuString(0, title, MF_BYPOSITION);
        return title.str();
    }
};

}  // namespace

TEST_F(LanguageTest, AGermanSystemStartsWithTheGermanMenuBar) {
    SetSystemLocaleForTesting(nullptr);
    const char* saved = std::getenv("LANG");
    const std::string savedLang = saved ? saved : "";
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    setenv("LANG", "de_AT.UTF-8", 1);
    StartGame();
    if (saved)
        setenv("LANG", savedLang.c_str(), 1);
    else
        unsetenv("LANG");

    EXPECT_EQ(app->m_nLanguageOffset, LANGUAGE_OFFSET_GERMAN);
    EXPECT_EQ(FirstMenuTitle(), "&Datei");
    // The window was made with the English menu, which stays the frame's default.
    ASSERT_NE(frame->m_hMenuDefault, nullptr);
    EXPECT_NE(ShownMenu(), frame->m_hMenuDefault);
    EXPECT_EQ(frame->GetSafeHwnd()->windowTitle().toStdString(), "rolvan");
}

TEST_F(LanguageTest, SwitchingLoadsFreshMenusAndDestroysAllButTheDefault) {
    StartGame();
    EXPECT_EQ(FirstMenuTitle(), "&File");
    const QPointer<QWidget> defaultMenu = frame->m_hMenuDefault;
    ASSERT_EQ(ShownMenu(), defaultMenu.data());

    // The current language loads nothing.
    Command(ID_LANGUAGE_ENGLISH);
    EXPECT_EQ(ShownMenu(), defaultMenu.data());

    Command(ID_LANGUAGE_DEUTSCH);
    const QPointer<QWidget> german = ShownMenu();
    EXPECT_EQ(FirstMenuTitle(), "&Datei");
    Command(ID_LANGUAGE_DEUTSCH);
    EXPECT_EQ(ShownMenu(), german.data());

    Command(ID_LANGUAGE_ENGLISH);
    const QPointer<QWidget> english = ShownMenu();
    EXPECT_EQ(FirstMenuTitle(), "&File");
    EXPECT_NE(english.data(), defaultMenu.data()) << "a fresh copy of menu 128";

    Command(ID_LANGUAGE_DEUTSCH);
    EXPECT_EQ(FirstMenuTitle(), "&Datei");
    EXPECT_NE(ShownMenu(), german.data());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(german.isNull());
    EXPECT_TRUE(english.isNull());
    EXPECT_FALSE(defaultMenu.isNull());
    EXPECT_EQ(frame->m_hMenuDefault, defaultMenu.data());
}

TEST_F(LanguageTest, TheBulletFollowsTheLanguageAndBothItemsStayEnabledWhileEditing) {
    StartGame();
    for (const bool editing : {false, true}) {
        view->editing = editing;
        Command(ID_LANGUAGE_DEUTSCH);
        EXPECT_TRUE(MenuState(ID_LANGUAGE_DEUTSCH) & MF_CHECKED);
        EXPECT_FALSE(MenuState(ID_LANGUAGE_ENGLISH) & MF_CHECKED);
        Command(ID_LANGUAGE_ENGLISH);
        EXPECT_TRUE(MenuState(ID_LANGUAGE_ENGLISH) & MF_CHECKED);
        EXPECT_FALSE(MenuState(ID_LANGUAGE_DEUTSCH) & MF_CHECKED);
        EXPECT_FALSE(MenuState(ID_LANGUAGE_ENGLISH) & MF_GRAYED);
        EXPECT_FALSE(MenuState(ID_LANGUAGE_DEUTSCH) & MF_GRAYED);
    }
}

TEST_F(LanguageTest, AMenuThatCannotBeLoadedLeavesTheBarAsItIs) {
    StartGame();
    Command(ID_LANGUAGE_DEUTSCH);
    const HMENU shown = ShownMenu();
    app->m_nLanguageOffset = 500;
    MainFrame()->ReplaceMenuBar();
    EXPECT_EQ(ShownMenu(), shown);
    EXPECT_EQ(FirstMenuTitle(), "&Datei");
}

// Each dialog and message is built in the language current when it appears; the layout
// storage messages have no German text and stay English.
TEST_F(LanguageTest, DialogsAndMessagesComeFromTheCurrentLanguage) {
    StartGame();
    std::vector<std::string> titles;
    actOnDialog = [&titles](CDialog& dialog) {
        titles.push_back(DialogUser(dialog).Title());
        DialogUser(dialog).Click(IDCANCEL);
    };
    const struct {
        UINT language;
        std::vector<UINT> templates;
        std::vector<std::string> titles;
        const char* resetQuestion;
    } languages[] = {
        {ID_LANGUAGE_DEUTSCH,
         {IDD_SCORES_GERMAN, IDD_BALLSPEED_GERMAN, IDD_ABOUTBOX_GERMAN},
         {"Aktueller Stand", "Grafikgeschwindigkeit", "Über Rolvan"},
         "Wollen Sie wirklich die Punkte löschen ?"},
        {ID_LANGUAGE_ENGLISH,
         {IDD_SCORES, IDD_BALLSPEED, IDD_ABOUTBOX},
         {"Current Scores", "Graphics Speed", "About rolvan"},
         "Do you really want to set the scores to zero ?"},
    };
    StoreInt("HomeCount", 1);
    StoreString("Home0", "3,4");
    for (const auto& language : languages) {
        Command(language.language);
        dialogsShown.clear();
        titles.clear();
        messageBoxes.clear();
        Command(ID_FILE_SHOWSCORES);
        Command(ID_BALL_SPEED);
        Command(ID_APP_ABOUT);
        Command(ID_FILE_RESETSCORES);
        view->NewGame(false);
        EXPECT_EQ(dialogsShown, language.templates);
        EXPECT_EQ(titles, language.titles);
        ASSERT_EQ(messageBoxes.size(), 2u);
        EXPECT_EQ(messageBoxes[0].text, language.resetQuestion);
        EXPECT_EQ(messageBoxes[0].caption, "Rolvan");
        EXPECT_EQ(messageBoxes[1].text, "Could not read entry");
        EXPECT_EQ(messageBoxes[1].caption, "3,4");
    }
}

// The real boxes: Qt's own buttons and the colour picker's labels speak the program's
// language, and the frame offers the close box alone.
TEST_F(LanguageTest, QtsOwnTextsFollowTheLanguage) {
    StartGame();
    UseRealModalWindows();
    const struct {
        UINT language;
        std::vector<std::string> buttons;
        const char* pickerLabel;
        const char* pickerCancel;
    } languages[] = {
        {ID_LANGUAGE_DEUTSCH, {"&Ja", "&Nein", "Abbrechen"}, "Farb&ton:", "Abbrechen"},
        {ID_LANGUAGE_ENGLISH, {"&Yes", "&No", "Cancel"}, "Hu&e:", "Cancel"},
    };
    view->humanScore = 3;
    for (const auto& language : languages) {
        Command(language.language);
        ModalWindowLook look;
        RunFromEventLoop(0, [&look] {
            look = LookAtModalWindow();
            AnswerOpenMessageBox(IDNO);
        });
        Command(ID_FILE_RESETSCORES);
        EXPECT_TRUE(look.open);
        EXPECT_EQ(look.title, "Rolvan");
        EXPECT_EQ(look.buttons, language.buttons);
        EXPECT_TRUE(look.closeBoxOnly);
        EXPECT_EQ(view->humanScore, 3);

        RunFromEventLoop(0, [&look] {
            look = LookAtModalWindow();
            AnswerOpenColorDialog(std::nullopt);
        });
        Command(ID_COLOURS_BALLCOLOUR);
        EXPECT_NE(std::find(look.labels.begin(), look.labels.end(), language.pickerLabel),
                  look.labels.end());
        EXPECT_NE(std::find(look.buttons.begin(), look.buttons.end(), language.pickerCancel),
                  look.buttons.end());
        EXPECT_TRUE(look.closeBoxOnly);
    }
}

TEST_F(LanguageTest, WithoutQtsTranslationTheButtonsStayEnglishAndNothingIsSaid) {
    QTemporaryDir noTranslations;
    SetTranslationsFolderForTesting(noTranslations.path().toUtf8().constData());
    StartGame();
    Command(ID_LANGUAGE_DEUTSCH);
    UseRealModalWindows();
    ModalWindowLook look;
    RunFromEventLoop(0, [&look] {
        look = LookAtModalWindow();
        AnswerOpenMessageBox(IDCANCEL);
    });
    Command(ID_FILE_RESETSCORES);
    SetTranslationsFolderForTesting(nullptr);
    EXPECT_EQ(look.buttons, (std::vector<std::string>{"&Yes", "&No", "Cancel"}));
    EXPECT_EQ(FirstMenuTitle(), "&Datei");
}
