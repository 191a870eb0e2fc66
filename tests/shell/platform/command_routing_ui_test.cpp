// Commands travel view, document, frame, application; update handlers set what the menu
// shows; the document template builds the main window the way the program starts.

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform_test_support.h"
#include "shell/platform/afxwin.h"
#include "shell/platform/seams.h"

namespace {

std::vector<std::string> g_log;

// Commands that the test classes handle: every class takes kEveryone, and each next one
// further down the route lacks one more handler.
constexpr UINT kEveryone = 40001;
constexpr UINT kNotTheView = 40002;
constexpr UINT kFrameAndApp = 40003;
constexpr UINT kAppOnly = 40004;
constexpr UINT kNobody = 40005;

class RoutingDoc : public CDocument {
public:
    void OnEveryone() { g_log.push_back("document"); }
    void OnNotTheView() { g_log.push_back("document"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RoutingDoc, CDocument)
    ON_COMMAND(kEveryone, OnEveryone)
    ON_COMMAND(kNotTheView, OnNotTheView)
END_MESSAGE_MAP()

class RoutingView : public CView {
public:
    int level = 2;
    bool editing = false;
    void OnDraw(CDC*) override {}

    void OnEveryone() { g_log.push_back("view"); }
    void OnLevel(UINT id) {
        level = static_cast<int>(id - ID_LEVEL_ONE) + 1;
        g_log.push_back("level " + std::to_string(level));
    }
    void OnLevelOne() { OnLevel(ID_LEVEL_ONE); }
    void OnLevelTwo() { OnLevel(ID_LEVEL_TWO); }
    void OnGridBackground() { g_log.push_back("grid background"); }
    void OnUpdateLevel(CCmdUI* pCmdUI) {
        pCmdUI->Enable(!editing);
        pCmdUI->SetRadio(static_cast<int>(pCmdUI->m_nID - ID_LEVEL_ONE) + 1 == level);
    }
    void OnUpdateNotEditing(CCmdUI* pCmdUI) { pCmdUI->Enable(!editing); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RoutingView, CView)
    ON_COMMAND(kEveryone, OnEveryone)
    ON_COMMAND(ID_LEVEL_ONE, OnLevelOne)
    ON_COMMAND(ID_LEVEL_TWO, OnLevelTwo)
    ON_COMMAND(ID_COLOURS_GRIDBACKGROUND, OnGridBackground)
    ON_UPDATE_COMMAND_UI(ID_LEVEL_ONE, OnUpdateLevel)
    ON_UPDATE_COMMAND_UI(ID_LEVEL_TWO, OnUpdateLevel)
    ON_UPDATE_COMMAND_UI(ID_COLOURS_GRIDBACKGROUND, OnUpdateNotEditing)
END_MESSAGE_MAP()

class RoutingFrame : public CFrameWnd {
public:
    bool keepTitle = true;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        if (keepTitle)
            cs.style &= ~FWS_ADDTOTITLE;
        return CFrameWnd::PreCreateWindow(cs);
    }
    void OnEveryone() { g_log.push_back("frame"); }
    void OnFrameAndApp() { g_log.push_back("frame"); }
    void OnNotTheView() { g_log.push_back("frame"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RoutingFrame, CFrameWnd)
    ON_COMMAND(kEveryone, OnEveryone)
    ON_COMMAND(kNotTheView, OnNotTheView)
    ON_COMMAND(kFrameAndApp, OnFrameAndApp)
END_MESSAGE_MAP()

class RoutingApp : public CWinApp {
public:
    void OnAny() { g_log.push_back("application"); }
    void OnAbout() { g_log.push_back("about"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RoutingApp, CWinApp)
    ON_COMMAND(kEveryone, OnAny)
    ON_COMMAND(kNotTheView, OnAny)
    ON_COMMAND(kFrameAndApp, OnAny)
    ON_COMMAND(kAppOnly, OnAny)
    ON_COMMAND(ID_APP_ABOUT, OnAbout)
END_MESSAGE_MAP()

class CommandRoutingTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.clear();
        app.SetRegistryKey("quendel");
        app.LoadStdProfileSettings(0);
        app.AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(RoutingDoc),
                                                  RUNTIME_CLASS(RoutingFrame),
                                                  RUNTIME_CLASS(RoutingView)));
        CCommandLineInfo commandLine;
        app.ParseCommandLine(commandLine);
        ASSERT_TRUE(app.ProcessShellCommand(commandLine));
        frame = dynamic_cast<RoutingFrame*>(app.m_pMainWnd);
        ASSERT_NE(frame, nullptr);
        view = dynamic_cast<RoutingView*>(frame->GetActiveView());
        ASSERT_NE(view, nullptr);
    }

    // The item's action in the menu bar, at a path of positions.
    QAction* ActionAt(std::initializer_list<int> path) {
        QWidget* menu = frame->GetMenu()->m_hMenu;
        QAction* action = nullptr;
        for (int position : path) {
            action = menu->actions().at(position);
            menu = action->menu();
        }
        return action;
    }

    RoutingApp app;
    RoutingFrame* frame = nullptr;
    RoutingView* view = nullptr;
};

std::vector<std::string> Log(std::initializer_list<const char*> entries) {
    return std::vector<std::string>(entries.begin(), entries.end());
}

}  // namespace

TEST_F(CommandRoutingTest, ACommandReachesTheFirstHandlerOnTheRouteViewDocumentFrameApplication) {
    const struct {
        UINT id;
        std::vector<std::string> expected;
    } cases[] = {
        {kEveryone, Log({"view"})},
        {kNotTheView, Log({"document"})},
        {kFrameAndApp, Log({"frame"})},
        {kAppOnly, Log({"application"})},
        {kNobody, Log({})},
    };
    for (const auto& routed : cases) {
        g_log.clear();
        frame->SendMessage(WM_COMMAND, routed.id);
        EXPECT_EQ(g_log, routed.expected) << routed.id;
    }
}

TEST_F(CommandRoutingTest, TheTemplateBuildsDocumentFrameAndViewAndShowsTheFrame) {
    EXPECT_NE(dynamic_cast<RoutingDoc*>(view->GetDocument()), nullptr);
    EXPECT_EQ(frame->GetActiveDocument(), view->GetDocument());
    EXPECT_EQ(view->GetParentFrame(), frame);
    auto* mainWindow = qobject_cast<QMainWindow*>(frame->m_hWnd);
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_TRUE(mainWindow->isVisible());
    EXPECT_EQ(mainWindow->centralWidget(), view->m_hWnd);
    EXPECT_EQ(mainWindow->windowTitle().toStdString(), "rolvan");
    EXPECT_FALSE(mainWindow->windowIcon().isNull());
    EXPECT_EQ(frame->GetMenu()->m_hMenu, frame->m_hMenuDefault);
    EXPECT_EQ(view->m_hWnd->focusPolicy(), Qt::StrongFocus);
}

TEST_F(CommandRoutingTest, AMenuItemDeliversItsIdThroughTheMenuBar) {
    // Settings > Level > Two.
    QAction* two = ActionAt({3, 0, 1});
    ASSERT_EQ(two->data().toUInt(), ID_LEVEL_TWO);
    g_log.clear();
    two->trigger();
    EXPECT_EQ(g_log, Log({"level 2"}));

    // Help > About rolvan... is the application's.
    g_log.clear();
    ActionAt({5, 0})->trigger();
    EXPECT_EQ(g_log, Log({"about"}));
}

TEST_F(CommandRoutingTest, AnItemInTwoSubmenusIsOneCommandFromEitherPlace) {
    QAction* inColours = ActionAt({3, 1, 2});
    QAction* inGrid = ActionAt({3, 3, 1});
    ASSERT_EQ(inColours->data().toUInt(), ID_COLOURS_GRIDBACKGROUND);
    ASSERT_EQ(inGrid->data().toUInt(), ID_COLOURS_GRIDBACKGROUND);
    g_log.clear();
    inColours->trigger();
    inGrid->trigger();
    EXPECT_EQ(g_log, Log({"grid background", "grid background"}));

    view->editing = true;
    frame->UpdateMenuStates();
    EXPECT_FALSE(inColours->isEnabled());
    EXPECT_FALSE(inGrid->isEnabled());
}

TEST_F(CommandRoutingTest, UpdateHandlersSetEnabledAndRadioStatesThatReadBackById) {
    frame->UpdateMenuStates();
    CMenu* menu = frame->GetMenu();
    EXPECT_EQ(menu->GetMenuState(ID_LEVEL_TWO, MF_BYCOMMAND), MF_CHECKED | MFT_RADIOCHECK);
    EXPECT_EQ(menu->GetMenuState(ID_LEVEL_ONE, MF_BYCOMMAND), 0u);
    // Without an update handler an item is enabled exactly when someone handles it.
    EXPECT_EQ(menu->GetMenuState(ID_APP_ABOUT, MF_BYCOMMAND), 0u);
    EXPECT_EQ(menu->GetMenuState(ID_FILE_SHOWSCORES, MF_BYCOMMAND), MF_GRAYED);

    view->level = 1;
    view->editing = true;
    frame->UpdateMenuStates();
    EXPECT_EQ(menu->GetMenuState(ID_LEVEL_ONE, MF_BYCOMMAND),
              MF_GRAYED | MF_CHECKED | MFT_RADIOCHECK);
    EXPECT_EQ(menu->GetMenuState(ID_LEVEL_TWO, MF_BYCOMMAND), MF_GRAYED);

    // The mark is a radio bullet: a checked item of an exclusive group, not a tick.
    QAction* one = ActionAt({3, 0, 0});
    ASSERT_NE(one->actionGroup(), nullptr);
    EXPECT_TRUE(one->actionGroup()->isExclusive());
    EXPECT_TRUE(one->isChecked());
}

TEST_F(CommandRoutingTest, OpeningOneMenuRunsTheUpdateHandlersOfItsOwnItems) {
    view->editing = true;
    QMenu* level = ActionAt({3, 0})->menu();
    emit level->aboutToShow();
    EXPECT_FALSE(ActionAt({3, 0, 1})->isEnabled());
    // The Colours menu was not opened, so its item keeps its last state.
    EXPECT_TRUE(ActionAt({3, 1, 2})->isEnabled());
}

TEST_F(CommandRoutingTest, ADisabledCommandSentAsAMenuCommandDoesNotRun) {
    view->editing = true;
    g_log.clear();
    frame->SendMessage(WM_COMMAND, ID_LEVEL_ONE);
    EXPECT_TRUE(g_log.empty());
    view->editing = false;
    frame->SendMessage(WM_COMMAND, ID_LEVEL_ONE);
    EXPECT_EQ(g_log, Log({"level 1"}));
}

TEST_F(CommandRoutingTest, ReplacingTheMenuBarKeepsTheDefaultMenuAndRoutesFromTheNewOne) {
    // The language switch: load the German bar, destroy the old one unless it is the
    // default, show the new one and let go of it.
    CMenu german;
    ASSERT_TRUE(german.LoadMenu(IDR_MAINFRAME_GERMAN));
    CMenu* old = frame->GetMenu();
    ASSERT_EQ(old->m_hMenu, frame->m_hMenuDefault);
    frame->SetMenu(&german);
    QPointer<QWidget> germanBar = german.Detach();
    EXPECT_EQ(frame->GetMenu()->m_hMenu, germanBar.data());
    EXPECT_EQ(ActionAt({0})->text().toStdString(), "&Datei");

    g_log.clear();
    ActionAt({3, 0, 1})->trigger();
    EXPECT_EQ(g_log, Log({"level 2"}));

    CMenu english;
    ASSERT_TRUE(english.LoadMenu(IDR_MAINFRAME));
    frame->GetMenu()->DestroyMenu();
    frame->SetMenu(&english);
    QPointer<QWidget> englishCopy = english.Detach();
    ProcessEvents();
    EXPECT_TRUE(germanBar.isNull());
    EXPECT_NE(englishCopy.data(), frame->m_hMenuDefault);
    EXPECT_NE(frame->m_hMenuDefault, nullptr);
    EXPECT_EQ(frame->GetMenu()->m_hMenu, englishCopy.data());
}

TEST_F(CommandRoutingTest, ExitClosesTheMainWindowWithoutAQuestion) {
    ScopedModalScript script({[](const MessageBoxRequest&) {
                                  ADD_FAILURE() << "no question expected";
                                  return IDCANCEL;
                              },
                              nullptr, nullptr});
    frame->SendMessage(WM_COMMAND, ID_APP_EXIT);
    EXPECT_FALSE(frame->IsWindowVisible());
}

TEST_F(CommandRoutingTest, ExitFromInsideTheMessageLoopEndsRun) {
    QObject context;
    QTimer::singleShot(0, &context, [this] { frame->SendMessage(WM_COMMAND, ID_APP_EXIT); });
    // Should the loop not end, the test fails rather than hangs.
    bool stuck = false;
    QTimer::singleShot(10000, &context, [&stuck] {
        stuck = true;
        QCoreApplication::exit(1);
    });
    EXPECT_EQ(app.Run(), 0);
    EXPECT_FALSE(stuck);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(CommandRoutingTest, TheCloseBoxEndsRunTheSameWay) {
    QObject context;
    QTimer::singleShot(0, &context, [this] { frame->m_hWnd->close(); });
    QTimer::singleShot(10000, &context, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST(FrameCaptionTest, TheCaptionNamesTheDocumentOnlyWithAddToTitle) {
    RoutingApp app;
    auto* frame = new RoutingFrame;
    frame->keepTitle = false;
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, nullptr, new RoutingDoc));
    EXPECT_EQ(frame->m_hWnd->windowTitle().toStdString(), "Untitled - rolvan");
    delete frame;
}

TEST(FrameCaptionTest, AFrameWhoseOnCreateFailsIsNotCreated) {
    struct Refusing : RoutingFrame {
        int OnCreate(LPCREATESTRUCT) override { return -1; }
    };
    Refusing frame;
    EXPECT_FALSE(frame.LoadFrame(IDR_MAINFRAME, RUNTIME_CLASS(RoutingView), nullptr));
    EXPECT_EQ(frame.m_hWnd, nullptr);
    EXPECT_EQ(frame.GetActiveView(), nullptr);
}
