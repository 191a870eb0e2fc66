#include "shell/platform/button.h"

#include <QMouseEvent>
#include <QPaintEvent>

#include "shell/platform/dc.h"
#include "shell/platform/dialog.h"
#include "shell/platform/view.h"
#include "shell/platform/widgets_qt.h"

// --- ButtonWidget

ButtonWidget::ButtonWidget(CWnd* wnd, QWidget* parent, CWnd* notifyTarget, int id, DWORD style)
    : BoundWidget<QPushButton>(wnd, parent),
      m_notifyTarget(notifyTarget),
      m_id(id),
      m_style(style) {
    if ((style & BS_TYPEMASK) == BS_OWNERDRAW)
        setAttribute(Qt::WA_OpaquePaintEvent);
    // Clicks reach the parent after the button has finished with the mouse release.
    connect(this, &QPushButton::clicked, this,
            [this] { WndBridge::Command(m_notifyTarget, m_id, BN_CLICKED); });
}

void ButtonWidget::paintEvent(QPaintEvent* event) {
    if ((m_style & BS_TYPEMASK) == BS_OWNERDRAW && owner != nullptr) {
        WndBridge::Paint(owner, event->region());
    } else {
        QPushButton::paintEvent(event);
    }
}

void ButtonWidget::resizeEvent(QResizeEvent* event) {
    QPushButton::resizeEvent(event);
    if ((m_style & BS_TYPEMASK) == BS_OWNERDRAW && owner != nullptr) {
        WndBridge::Resized(owner, width(), height());
    }
}

// Owner-drawn buttons report their double-clicks whether or not they ask to, as the
// classic buttons do: a double-click on a tile button lays one tile, not two.
void ButtonWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const bool notifies = (m_style & BS_NOTIFY) || (m_style & BS_TYPEMASK) == BS_OWNERDRAW;
    if (!notifies || event->button() != Qt::LeftButton) {
        QPushButton::mouseDoubleClickEvent(event);
        return;
    }
    // The double-click is its own notification; the button stays up, so its release
    // clicks nothing.
    setDown(false);
    event->accept();
    WndBridge::Command(m_notifyTarget, m_id, BN_DOUBLECLICKED);
}

// --- CButton

CButton::CButton() = default;

CButton::~CButton() {
    DestroyWindow();
}

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const CRect& rect, CWnd* pParentWnd,
                     UINT nID) {
    if (m_hWnd != nullptr || pParentWnd == nullptr || pParentWnd->m_hWnd == nullptr)
        return FALSE;
    m_style = dwStyle;
    auto* widget =
        new ButtonWidget(this, pParentWnd->m_hWnd, pParentWnd, static_cast<int>(nID), dwStyle);
    AttachWidget(widget, pParentWnd, static_cast<int>(nID), true);
    widget->setText(LocalText(lpszCaption));
    if ((dwStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        widget->setDefault(true);
    // Buttons on the view leave the keyboard to the view, so the move keys keep working
    // after a click.
    if (dynamic_cast<CView*>(pParentWnd) != nullptr)
        widget->setFocusPolicy(Qt::NoFocus);
    widget->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    ResizeSurface(rect.Width(), rect.Height());
    if (dwStyle & WS_VISIBLE)
        widget->show();
    return TRUE;
}

void CButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    (void)lpDrawItemStruct;
}

void CButton::PaintCycle(CDC* pDC) {
    if ((m_style & BS_TYPEMASK) != BS_OWNERDRAW)
        return;
    DRAWITEMSTRUCT item;
    item.CtlID = static_cast<UINT>(m_nID);
    item.hwndItem = this;
    item.hDC = pDC;
    GetClientRect(&item.rcItem);
    if (m_hWnd != nullptr) {
        auto* button = static_cast<QPushButton*>(m_hWnd);
        if (button->isDown())
            item.itemState |= ODS_SELECTED;
        if (button->hasFocus())
            item.itemState |= ODS_FOCUS;
    }
    DrawItem(&item);
}
