#include "shell/platform/app.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

#include "res/resource.h"
#include "shell/platform/desktop_session.h"
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

// Whether the game has been asked to end. Before the event loop runs (a message box at
// start-up runs one of its own) quitting does nothing: start-up would go on and open the
// next window. So every modal window from then on returns at once, and the main window is
// never shown.
bool g_ending = false;

// Closes the game as its Exit command does. A menu or a modal window (a message box, a
// dialog, the colour picker) runs an event loop of its own inside the handler that opened
// it: each is cancelled first, so that its handler goes on as if the player had cancelled.
// Quitting ends every loop, so a window that a handler opens after that returns at once.
// A roll handles no events, so this comes after its end.
void EndTheGame() {
    g_ending = true;
    for (int i = 0; i < 100 && QApplication::activePopupWidget() != nullptr; ++i)
        QApplication::activePopupWidget()->close();
    for (int i = 0; i < 100; ++i) {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr)
            break;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
    if (CWinApp* app = AfxGetApp())
        app->OnAppExit();
    QCoreApplication::quit();
}

// The socket the signal handler writes to; -1 while none is installed.
volatile sig_atomic_t g_endSignalSocket = -1;

extern "C" void OnEndSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // A full socket already holds a request to end.
    [[maybe_unused]] const ssize_t written = ::write(g_endSignalSocket, &byte, 1);
    errno = saved;
}

// A session manager's logout (SIGTERM), a closed terminal (SIGHUP) and Ctrl+C (SIGINT) end
// the game through its normal close path, so that it ends with status 0 and leaves nothing
// behind. A signal handler may do next to nothing, so it only writes a byte to a socket
// pair, whose other end the event loop watches. A signal the program was started ignoring
// stays ignored.
class EndSignals {
public:
    EndSignals() {
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, m_sockets) != 0)
            return;
        m_notifier = std::make_unique<QSocketNotifier>(m_sockets[1], QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] {
            char bytes[64];
            while (::read(m_sockets[1], bytes, sizeof bytes) > 0) {
            }
            EndTheGame();
        });
        g_endSignalSocket = m_sockets[0];
        struct sigaction action = {};
        action.sa_handler = OnEndSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (size_t i = 0; i < std::size(kSignals); ++i) {
            struct sigaction previous = {};
            m_installed[i] = ::sigaction(kSignals[i], nullptr, &previous) == 0 &&
                             previous.sa_handler != SIG_IGN &&
                             ::sigaction(kSignals[i], &action, &m_previous[i]) == 0;
        }
    }
    ~EndSignals() {
        for (size_t i = 0; i < std::size(kSignals); ++i) {
            if (m_installed[i])
                ::sigaction(kSignals[i], &m_previous[i], nullptr);
        }
        g_endSignalSocket = -1;
        m_notifier.reset();
        for (int socket : m_sockets) {
            if (socket >= 0)
                ::close(socket);
        }
    }
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

private:
    static constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
    int m_sockets[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
    bool m_installed[std::size(kSignals)] = {};
    struct sigaction m_previous[std::size(kSignals)] = {};
};
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

bool EndingTheGame() {
    return g_ending;
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
        ChoosePlatformForDesktop();
        application = std::make_unique<QApplication>(argc, argv);
        ChooseWindowFrames();
    }
    static const bool exitWatched = std::atexit(GuiGone) == 0;  // once per process
    (void)exitWatched;
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return 1;
    QCoreApplication::setApplicationName(QString::fromUtf8(app->m_pszAppName.GetString()));
    g_ending = false;
    const EndSignals endSignals;
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
