#include "shell/platform/app.h"

#include <QApplication>

#include <cstdlib>

#include "res/resource.h"
#include "shell/platform/document.h"
#include "shell/platform/modal_qt.h"
#include "shell/platform/profile_store.h"
#include "shell/platform/widgets_qt.h"
#include "shell/platform/wnd.h"

namespace {
CWinApp* g_application = nullptr;

// Whether the process has begun to exit. Qt ends the process with exit() when it loses the
// display ("The X11 connection broke"), from inside the event loop. The exit handlers run
// in reverse order of registration: Qt's own statics go before the static application
// object, whose windows can then no longer be destroyed. The handler that sets this is
// registered once the GUI has started, so it runs before the application object goes.
bool g_guiGone = false;

void GuiGone() {
    g_guiGone = true;
}
}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName) {
    if (lpszAppName != nullptr) {
        m_pszAppName = lpszAppName;
    } else {
        m_pszAppName.LoadString(AFX_IDS_APP_TITLE);
    }
    m_pszProfileName = m_pszAppName;
    g_application = this;
    StartColourPickerRun();
}

CWinApp::~CWinApp() {
    // Windows can only go while Qt is still there. After the QApplication has gone, or once
    // the process exits with the GUI in place, they are left to the system.
    if (m_pMainWnd != nullptr && QCoreApplication::instance() != nullptr && !g_guiGone) {
        delete m_pMainWnd;
        m_pMainWnd = nullptr;
    }
    if (g_application == this)
        g_application = nullptr;
}

CWinApp* AfxGetApp() {
    return g_application;
}

int CWinApp::Run() {
    int exitCode = 0;
    if (m_pMainWnd != nullptr && m_pMainWnd->IsWindowVisible())
        exitCode = QApplication::exec();
    const int instanceCode = ExitInstance();
    delete m_pMainWnd;
    m_pMainWnd = nullptr;
    return exitCode != 0 ? exitCode : instanceCode;
}

int CWinApp::ExitInstance() {
    return 0;
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
    m_pszRegistryKey = lpszRegistryKey;
}

void CWinApp::SetAppID(LPCTSTR lpszAppID) {
    m_pszAppID = lpszAppID;
    QGuiApplication::setDesktopFileName(QString::fromUtf8(m_pszAppID.GetString()));
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
    if (pTemplate != nullptr)
        m_templates.emplace_back(pTemplate);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    rCmdInfo.m_nShellCommand = CCommandLineInfo::FileNew;
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    if (rCmdInfo.m_nShellCommand != CCommandLineInfo::FileNew)
        return TRUE;
    if (m_templates.empty())
        return FALSE;
    return m_templates.front()->OpenDocumentFile(nullptr) != nullptr;
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

int AfxWinMain(int argc, char* argv[]) {
    std::unique_ptr<QApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        application = std::make_unique<QApplication>(argc, argv);
    }
    static const bool exitWatched = std::atexit(GuiGone) == 0;  // once per process
    (void)exitWatched;
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return 1;
    QCoreApplication::setApplicationName(QString::fromUtf8(app->m_pszAppName.GetString()));
    int exitCode;
    if (!app->InitInstance()) {
        exitCode = app->ExitInstance();
        delete app->m_pMainWnd;
        app->m_pMainWnd = nullptr;
        if (exitCode == 0)
            exitCode = 1;
    } else {
        exitCode = app->Run();
    }
    return exitCode;
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType) {
    // Over whatever modal window is open (a dialog validating its fields), else over the
    // main window.
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr && AfxGetApp() != nullptr)
        owner = OwnerWidget(AfxGetApp()->m_pMainWnd);
    if (owner != nullptr && !owner->isVisible())
        owner = nullptr;
    return ShowMessageBox(owner, lpszText, nullptr, nType);
}
