#include "shell/platform/frame.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

#include "shell/platform/app.h"
#include "shell/platform/document.h"
#include "shell/platform/menu_qt.h"
#include "shell/platform/modal_qt.h"
#include "shell/platform/view.h"
#include "shell/platform/widgets_qt.h"

namespace {

QMenuBar* ShownMenuBar(HWND frameWidget) {
    auto* widget = dynamic_cast<FrameWidget*>(frameWidget);
    if (widget == nullptr)
        return nullptr;
    return widget->MenuHolder()->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
}

}  // namespace

// --- FrameWidget

FrameWidget::FrameWidget(CFrameWnd* frame) : BoundWidget<QMainWindow>(frame, nullptr) {
    // QMainWindow deletes a menu bar that it is given and later replaced, but a replaced
    // menu lives on until the program destroys it, so the bars sit in a holder instead.
    m_menuHolder = new QWidget(this);
    auto* layout = new QVBoxLayout(m_menuHolder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setMenuWidget(m_menuHolder);
    FollowScreenScales();
}

void FrameWidget::closeEvent(QCloseEvent* event) {
    bool accepted = true;
    if (auto* frame = dynamic_cast<CFrameWnd*>(owner))
        WndBridge::CloseRequested(frame, accepted);
    event->setAccepted(accepted);
}

void WndBridge::CloseRequested(CFrameWnd* frame, bool& accepted) {
    frame->m_closeAccepted = false;
    frame->OnClose();
    accepted = frame->m_closeAccepted;
}

// --- CFrameWnd

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() {
    // The view goes first: it may still look at its document while it is destroyed.
    delete m_pView;
    m_pView = nullptr;
    delete m_pDocument;
    m_pDocument = nullptr;
    m_currentMenu.Detach();
    // A default menu on the window goes with the window; one taken off it goes here.
    if (m_hMenuDefault != nullptr && m_hMenuDefault->parent() == nullptr)
        delete m_hMenuDefault;
    DestroyWindow();
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    (void)cs;
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, const CRuntimeClass* pViewClass, CDocument* pDocument) {
    if (m_hWnd != nullptr)
        return FALSE;
    CREATESTRUCT cs;
    cs.style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;
    if (!PreCreateWindow(cs))
        return FALSE;

    auto* widget = new FrameWidget(this);
    AttachWidget(widget, nullptr, 0, true);

    // The caption is the first field of the document string; with FWS_ADDTOTITLE the
    // document's name would stand before it.
    CString documentString;
    documentString.LoadString(nIDResource);
    QString caption = LocalText(documentString).section(QLatin1Char('\n'), 0, 0);
    if (cs.style & FWS_ADDTOTITLE)
        caption = QStringLiteral("Untitled - ") + caption;
    widget->setWindowTitle(caption);
    widget->setWindowIcon(ProgramIcon(nIDResource));

    CMenu menu;
    if (menu.LoadMenu(nIDResource)) {
        m_hMenuDefault = menu.Detach();
        QObject::connect(m_hMenuDefault, &QObject::destroyed, widget,
                         [this] { m_hMenuDefault = nullptr; });
        ShowMenu(m_hMenuDefault);
    }

    // Roughly the classic default window size: most of the screen.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        widget->resize(available.width() * 3 / 4, available.height() * 3 / 4);
    } else {
        widget->resize(640, 480);
    }

    m_pViewClass = pViewClass;
    m_pNewDocument = pDocument;
    const int created = OnCreate(&cs);
    m_pViewClass = nullptr;
    m_pNewDocument = nullptr;
    if (created == -1) {
        delete m_pView;
        m_pView = nullptr;
        DestroyWindow();
        return FALSE;
    }
    m_pDocument = pDocument;
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    (void)lpCreateStruct;
    if (m_pViewClass == nullptr || m_pView != nullptr)
        return 0;
    CObject* object = m_pViewClass->CreateObject();
    auto* view = dynamic_cast<CView*>(object);
    if (view == nullptr) {
        delete object;
        return -1;
    }
    if (!view->Create(this, m_pNewDocument)) {
        delete view;
        return -1;
    }
    m_pView = view;
    return 0;
}

void CFrameWnd::OnClose() {
    m_closeAccepted = true;
    if (m_hWnd != nullptr)
        m_hWnd->hide();
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this)
        QCoreApplication::quit();
}

CDocument* CFrameWnd::GetActiveDocument() const {
    return m_pView != nullptr ? m_pView->GetDocument() : m_pDocument;
}

CMenu* CFrameWnd::GetMenu() {
    QMenuBar* shown = ShownMenuBar(m_hWnd);
    if (shown == nullptr)
        return nullptr;
    m_currentMenu.Borrow(shown);
    return &m_currentMenu;
}

BOOL CFrameWnd::SetMenu(CMenu* pMenu) {
    if (m_hWnd == nullptr)
        return FALSE;
    ShowMenu(pMenu != nullptr ? pMenu->m_hMenu : nullptr);
    return TRUE;
}

void CFrameWnd::ShowMenu(HMENU hMenu) {
    auto* widget = dynamic_cast<FrameWidget*>(m_hWnd);
    if (widget == nullptr)
        return;
    QMenuBar* current = ShownMenuBar(m_hWnd);
    if (current == hMenu && hMenu != nullptr)
        return;
    if (current != nullptr) {
        QObject::disconnect(current, &QMenuBar::triggered, widget, nullptr);
        widget->MenuHolder()->layout()->removeWidget(current);
        current->hide();
        current->setParent(nullptr);
    }
    auto* bar = qobject_cast<QMenuBar*>(hMenu);
    if (bar == nullptr)
        return;
    widget->MenuHolder()->layout()->addWidget(bar);
    bar->show();
    // Only the bar's signal: a submenu's triggered reaches its parent menus as well.
    QObject::connect(bar, &QMenuBar::triggered, widget,
                     [this](QAction* action) { ExecuteMenuCommand(CommandIdOf(action)); });
}

void CFrameWnd::UpdateMenuStates() {
    QMenuBar* shown = ShownMenuBar(m_hWnd);
    if (shown == nullptr)
        return;
    for (QMenu* menu : shown->findChildren<QMenu*>())
        emit menu->aboutToShow();
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (m_pView != nullptr && m_pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::ExecuteMenuCommand(UINT nID) {
    if (nID == 0)
        return FALSE;
    // As the classic frame does: a command whose item is disabled does not run, even when
    // it arrives some other way than through the open menu.
    CCmdUI state;
    state.m_nID = nID;
    OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
    if (!state.m_bEnabled)
        return TRUE;
    return OnCmdMsg(nID, CN_COMMAND, nullptr, nullptr);
}

BOOL CFrameWnd::OnCommand(UINT nID, int nCode) {
    if (nCode == CN_COMMAND)
        return ExecuteMenuCommand(nID);
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (m_hWnd == nullptr)
        return;
    if (nCmdShow == SW_HIDE) {
        m_hWnd->hide();
        return;
    }
    if (EndingTheGame())
        return;
    m_hWnd->show();
    m_hWnd->activateWindow();
    if (m_pView != nullptr && m_pView->m_hWnd != nullptr)
        m_pView->m_hWnd->setFocus();
}
