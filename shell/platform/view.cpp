#include "shell/platform/view.h"

#include "shell/platform/dc.h"
#include "shell/platform/document.h"
#include "shell/platform/frame.h"
#include "shell/platform/widgets_qt.h"

namespace {
// The classic ID of the view inside its frame.
constexpr int AFX_IDW_PANE_FIRST = 0xE900;
}  // namespace

CView::CView() = default;

CView::~CView() {
    DestroyWindow();
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    (void)cs;
    return TRUE;
}

BOOL CView::Create(CFrameWnd* pFrame, CDocument* pDocument) {
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr)
        return FALSE;
    CREATESTRUCT cs;
    cs.style = WS_CHILD | WS_VISIBLE | WS_BORDER;
    if (!PreCreateWindow(cs))
        return FALSE;
    InstallAccessibleViews();
    auto* mainWindow = static_cast<QMainWindow*>(pFrame->m_hWnd);
    auto* widget = new SurfaceWidget(this, mainWindow);
    AttachWidget(widget, pFrame, AFX_IDW_PANE_FIRST, true);
    m_pDocument = pDocument;
    mainWindow->setCentralWidget(widget);
    return TRUE;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CView::OnCommand(UINT nID, int nCode) {
    if (CFrameWnd* frame = GetParentFrame())
        return frame->OnCmdMsg(nID, nCode, nullptr, nullptr);
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

void CView::PaintCycle(CDC* pDC) {
    OnEraseBkgnd(pDC);
    OnDraw(pDC);
}
