#include "shell/platform/wnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBackingStore>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QRegion>
#include <QScreen>
#include <QTimer>

#include <functional>
#include <iterator>
#include <string>

#include "shell/platform/app.h"
#include "shell/platform/dc.h"
#include "shell/platform/device_pixels.h"
#include "shell/platform/display_server.h"
#include "shell/platform/frame.h"
#include "shell/platform/modal_qt.h"
#include "shell/platform/seams.h"
#include "shell/platform/widgets_qt.h"

namespace {

QRect ToQRect(const CRect& box) {
    return QRect(box.left, box.top, box.Width(), box.Height());
}

CRect ToCRect(const QRect& rect) {
    return CRect{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

// X11 and Wayland number the keys by XKB keycode, whatever the layout: the digit row of
// the main keyboard is 10 to 19, the keys "1" to "9" and "0".
constexpr quint32 kDigitRowFirst = 10;
constexpr quint32 kDigitRowLast = 19;

const char* g_keyPlatformForTesting = nullptr;

// Whether native scan codes are XKB keycodes. On the framebuffer platforms (linuxfb,
// eglfs) they are the kernel's raw codes instead, where 10 to 12 are "9", "0" and "-".
bool ScanCodesAreXkbKeycodes() {
    const QString platform = g_keyPlatformForTesting != nullptr
                                 ? QString::fromUtf8(g_keyPlatformForTesting)
                                 : QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

UINT VirtualKey(const QKeyEvent* event) {
    const int key = event->key();
    // The classic platform gives the digit row the digits' codes on every layout, with or
    // without Shift, so the key counts, not what it types: a French or Belgian keyboard
    // types & é " there without Shift. The keypad's digits carry the keypad flag.
    const quint32 keycode = event->nativeScanCode();
    if (!(event->modifiers() & Qt::KeypadModifier) && keycode >= kDigitRowFirst &&
        keycode <= kDigitRowLast && ScanCodesAreXkbKeycodes())
        return keycode == kDigitRowLast ? 0x30 : 0x31 + (keycode - kDigitRowFirst);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        const UINT digit = static_cast<UINT>(key - Qt::Key_0);
        return (event->modifiers() & Qt::KeypadModifier) ? VK_NUMPAD0 + digit : 0x30 + digit;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 0x41 + static_cast<UINT>(key - Qt::Key_A);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + static_cast<UINT>(key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Backspace:
            return VK_BACK;
        case Qt::Key_Tab:
            return VK_TAB;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return VK_RETURN;
        case Qt::Key_Shift:
            return VK_SHIFT;
        case Qt::Key_Control:
            return VK_CONTROL;
        case Qt::Key_Alt:
            return VK_MENU;
        case Qt::Key_Escape:
            return VK_ESCAPE;
        case Qt::Key_Space:
            return VK_SPACE;
        case Qt::Key_PageUp:
            return VK_PRIOR;
        case Qt::Key_PageDown:
            return VK_NEXT;
        case Qt::Key_End:
            return VK_END;
        case Qt::Key_Home:
            return VK_HOME;
        case Qt::Key_Left:
            return VK_LEFT;
        case Qt::Key_Up:
            return VK_UP;
        case Qt::Key_Right:
            return VK_RIGHT;
        case Qt::Key_Down:
            return VK_DOWN;
        case Qt::Key_Insert:
            return VK_INSERT;
        case Qt::Key_Delete:
            return VK_DELETE;
        case Qt::Key_Asterisk:
            return VK_MULTIPLY;
        case Qt::Key_Plus:
            return VK_ADD;
        case Qt::Key_Minus:
            return VK_SUBTRACT;
        case Qt::Key_Slash:
            return VK_DIVIDE;
        default:
            return 0;
    }
}

UINT MouseFlags(const QMouseEvent* event) {
    UINT flags = 0;
    if (event->buttons() & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (event->buttons() & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (event->modifiers() & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (event->modifiers() & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

}  // namespace

// --- helpers shared by the layer

WidgetBinding* BindingOf(QWidget* widget) {
    return dynamic_cast<WidgetBinding*>(widget);
}

CWnd* WndOf(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (WidgetBinding* binding = BindingOf(w); binding && binding->owner)
            return binding->owner;
    }
    return nullptr;
}

QWidget* OwnerWidget(CWnd* wnd) {
    if (wnd == nullptr || wnd->m_hWnd == nullptr)
        return nullptr;
    return wnd->m_hWnd->window();
}

QColor ToQColor(COLORREF colour) {
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

COLORREF FromQColor(const QColor& colour) {
    return RGB(colour.red(), colour.green(), colour.blue());
}

QString LocalText(LPCTSTR text) {
    return text ? QString::fromUtf8(text) : QString();
}

// --- WndBridge

void WndBridge::Resized(CWnd* wnd, int width, int height) {
    wnd->m_picturesOffRatio = false;
    wnd->ResizeSurface(width, height);
    wnd->OnSize(SIZE_RESTORED, width, height);
}

bool WndBridge::KeyDown(CWnd* wnd, QKeyEvent* event) {
    wnd->m_defaultRequested = false;
    const UINT flags = event->isAutoRepeat() ? 0x4000 : 0;
    wnd->OnKeyDown(VirtualKey(event), 1, flags);
    return wnd->m_defaultRequested;
}

bool WndBridge::ButtonDown(CWnd* wnd, QMouseEvent* event) {
    wnd->m_defaultRequested = false;
    const QPoint position = event->position().toPoint();
    const CPoint point{position.x(), position.y()};
    if (event->button() == Qt::LeftButton) {
        wnd->OnLButtonDown(MouseFlags(event), point);
    } else if (event->button() == Qt::RightButton) {
        wnd->OnRButtonDown(MouseFlags(event), point);
    } else {
        return true;
    }
    return wnd->m_defaultRequested;
}

void WndBridge::Command(CWnd* target, int id, UINT code) {
    if (target != nullptr)
        target->OnCommand(static_cast<UINT>(id), static_cast<int>(code));
}

// --- SurfaceWidget

SurfaceWidget::SurfaceWidget(CWnd* wnd, QWidget* parent) : BoundWidget<QWidget>(wnd, parent) {
    // Every pixel comes from the backing image, so Qt need not clear anything first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void SurfaceWidget::paintEvent(QPaintEvent* event) {
    if (owner != nullptr)
        WndBridge::Paint(owner, event->region());
}

void SurfaceWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (owner != nullptr)
        WndBridge::Resized(owner, width(), height());
    update();
}

void SurfaceWidget::keyPressEvent(QKeyEvent* event) {
    if (owner == nullptr || WndBridge::KeyDown(owner, event)) {
        QWidget::keyPressEvent(event);
    }
}

void SurfaceWidget::mousePressEvent(QMouseEvent* event) {
    if (owner == nullptr || WndBridge::ButtonDown(owner, event)) {
        QWidget::mousePressEvent(event);
    }
}

// The classic view window reports the second press of a double-click as a double-click
// message of its own, which the program does not handle; Qt delivers that press as a
// double-click event too, so it is dropped here.
void SurfaceWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

// --- CWnd

CWnd::CWnd() : m_surface(std::make_unique<QImage>()) {}

CWnd::~CWnd() {
    if (m_ownsWidget) {
        DestroyWindow();
    } else if (m_hWnd != nullptr) {
        if (WidgetBinding* binding = BindingOf(m_hWnd); binding && binding->owner == this) {
            binding->owner = nullptr;
        }
    }
}

void CWnd::AttachWidget(HWND widget, CWnd* parent, int id, bool ownsWidget) {
    m_hWnd = widget;
    m_pParentWnd = parent;
    m_nID = id;
    m_ownsWidget = ownsWidget;
}

void CWnd::WidgetDestroyed() {
    m_hWnd = nullptr;
    m_ownsWidget = false;
    *m_surface = QImage();
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr)
        return FALSE;
    QWidget* widget = m_hWnd;
    WidgetBinding* binding = BindingOf(widget);
    if (binding != nullptr && binding->owner == this)
        binding->owner = nullptr;
    const bool owned = m_ownsWidget;
    m_hWnd = nullptr;
    m_ownsWidget = false;
    *m_surface = QImage();
    if (owned) {
        if (binding != nullptr && binding->busy > 0) {
            widget->hide();
            widget->deleteLater();
        } else {
            delete widget;
        }
    }
    return TRUE;
}

BOOL CWnd::ShowWindow(int nCmdShow) {
    if (m_hWnd == nullptr)
        return FALSE;
    const BOOL wasVisible = m_hWnd->isVisible();
    m_hWnd->setVisible(nCmdShow != SW_HIDE);
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const {
    return m_hWnd != nullptr && m_hWnd->isVisible();
}

void CWnd::SetWindowText(LPCTSTR text) {
    if (m_hWnd == nullptr)
        return;
    const QString value = LocalText(text);
    if (auto* edit = qobject_cast<QLineEdit*>(m_hWnd)) {
        edit->setText(value);
    } else if (auto* label = qobject_cast<QLabel*>(m_hWnd)) {
        label->setText(value);
    } else if (auto* button = qobject_cast<QAbstractButton*>(m_hWnd)) {
        button->setText(value);
    } else {
        m_hWnd->setWindowTitle(value);
    }
}

namespace {

std::function<void(CWnd*, const std::string&)> g_announcementWatcher;

// Qt sends the change event to assistive technology itself when the text is set; a test
// hears of it here.
void Announced(CWnd* wnd, const QString& text) {
    if (g_announcementWatcher)
        g_announcementWatcher(wnd, text.toStdString());
}

}  // namespace

void WatchNameAndDescriptionChangesForTesting(
    std::function<void(CWnd* window, const std::string& text)> watcher) {
    g_announcementWatcher = std::move(watcher);
}

void CWnd::SetAccessibleName(LPCTSTR name) {
    const QString text = LocalText(name);
    if (m_hWnd == nullptr || m_hWnd->accessibleName() == text)
        return;
    m_hWnd->setAccessibleName(text);
    Announced(this, text);
}

void CWnd::SetAccessibleDescription(LPCTSTR description) {
    const QString text = LocalText(description);
    if (m_hWnd == nullptr || m_hWnd->accessibleDescription() == text)
        return;
    m_hWnd->setAccessibleDescription(text);
    Announced(this, text);
}

void CWnd::GetWindowText(CString& text) const {
    QString value;
    if (m_hWnd == nullptr) {
    } else if (auto* edit = qobject_cast<QLineEdit*>(m_hWnd)) {
        value = edit->text();
    } else if (auto* label = qobject_cast<QLabel*>(m_hWnd)) {
        value = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(m_hWnd)) {
        value = button->text();
    } else {
        value = m_hWnd->windowTitle();
    }
    text = CString(value.toStdString());
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
    if (m_hWnd == nullptr)
        return FALSE;
    const BOOL wasDisabled = !m_hWnd->isEnabled();
    m_hWnd->setEnabled(bEnable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
    return m_hWnd != nullptr && m_hWnd->isEnabled();
}

CWnd* CWnd::SetFocus() {
    if (m_hWnd != nullptr)
        m_hWnd->setFocus(Qt::OtherFocusReason);
    return this;
}

void CWnd::MoveWindow(const CRect& rect, BOOL bRepaint) {
    if (m_hWnd == nullptr)
        return;
    m_hWnd->setGeometry(ToQRect(rect));
    if (bRepaint)
        m_hWnd->update();
}

void CWnd::GetClientRect(LPRECT lpRect) const {
    if (lpRect == nullptr)
        return;
    *lpRect = CRect{};
    if (m_hWnd != nullptr)
        *lpRect = CRect{0, 0, m_hWnd->width(), m_hWnd->height()};
}

CRect CWnd::GetWindowRectInParent() const {
    return m_hWnd != nullptr ? ToCRect(m_hWnd->geometry()) : CRect{};
}

CFrameWnd* CWnd::GetParentFrame() const {
    for (CWnd* wnd = m_pParentWnd; wnd != nullptr; wnd = wnd->m_pParentWnd) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(wnd))
            return frame;
    }
    return nullptr;
}

void CWnd::Invalidate(BOOL bErase) {
    (void)bErase;
    if (m_hWnd != nullptr)
        m_hWnd->update();
}

void CWnd::UpdateWindow() {
    if (m_hWnd != nullptr && m_hWnd->isVisible())
        m_hWnd->repaint();
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
    return ShowMessageBox(OwnerWidget(this), lpszText, lpszCaption, nType);
}

LPARAM CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (message) {
        case WM_COMMAND:
            return OnCommand(static_cast<UINT>(wParam & 0xFFFF), static_cast<int>(wParam >> 16));
        case WM_CLOSE:
            if (m_hWnd != nullptr)
                m_hWnd->close();
            return 0;
        default:
            return 0;
    }
}

QImage* CWnd::SurfaceImage() {
    return m_surface.get();
}

double CWnd::ScreenRatio() const {
    return PictureRatio(m_hWnd != nullptr ? m_hWnd->devicePixelRatioF() : 1.0);
}

bool CWnd::SurfaceFits(int width, int height) const {
    return LogicalWidth(*m_surface) == width && LogicalHeight(*m_surface) == height &&
           m_surface->devicePixelRatio() == ScreenRatio();
}

// The image has the window's device size, so what is painted on it reaches the screen
// pixel for pixel. What it held is kept (scaled, after a change of screen) until painted
// over.
void CWnd::ResizeSurface(int width, int height) {
    if (width <= 0 || height <= 0) {
        *m_surface = QImage();
        return;
    }
    if (SurfaceFits(width, height))
        return;
    QImage resized = MakePicture(width, height, ScreenRatio());
    resized.fill(m_hWnd != nullptr ? m_hWnd->palette().color(QPalette::Button) : QColor(Qt::black));
    if (!m_surface->isNull()) {
        QPainter painter(&resized);
        painter.drawImage(QPointF(0, 0), *m_surface);
    }
    *m_surface = std::move(resized);
}

void CWnd::SurfaceTouched(const CRect& box) {
    if (m_hWnd == nullptr || box.IsRectEmpty())
        return;
    const QRect rect = ToQRect(box) & m_hWnd->rect();
    if (rect.isEmpty())
        return;
    if (m_inPaint) {
        // Painted from inside the paint cycle: the copy at its end shows it, unless it
        // lies outside the region being painted.
        m_touchedDuringPaint = ToCRect(ToQRect(m_touchedDuringPaint).united(rect));
        return;
    }
    m_flushing = true;
    m_flushBox = box;
    m_hWnd->repaint(rect);
    m_flushing = false;
    SendRequestsToDisplayServer();
}

namespace {

const char kDroppingBuffers[] = "rolvanDroppingBuffers";

// Qt's Wayland backing store takes any buffer it holds free whose size in pixels fits,
// whatever scale it was made for. A window that keeps its size in pixels through a change
// of scale (a tiled window: half as large at twice the scale) would then now and again be
// painted into a buffer of the old scale, and show the old picture with the new one shrunk
// into a quarter of it. Asking the backing store once for another size makes it let go of
// every buffer it holds free; then every widget of the window is painted again, as the
// buffer taken next may hold nothing of it. A buffer of the old scale is free only once the
// compositor has a newer picture, a frame or two after the change, so this is done a few times.
void UpdateEveryWidget(QWidget* top) {
    top->update();
    for (QWidget* child : top->findChildren<QWidget*>())
        child->update();
}

void DropBuffersOfAnOldScale(QWidget* top) {
    QBackingStore* store = top->backingStore();
    if (store == nullptr || !top->isVisible() || store->size().isEmpty())
        return;
    const QSize size = store->size();
    store->resize(size + QSize(1, 1));
    store->beginPaint(QRegion());
    store->endPaint();
    store->resize(size);
    UpdateEveryWidget(top);
}

void DropBuffersOfAnOldScaleSoon(QWidget* top) {
    if (!OnWaylandDisplay() || top->property(kDroppingBuffers).toBool())
        return;
    top->setProperty(kDroppingBuffers, true);
    constexpr int kAfterMs[] = {50, 150, 400, 1000, 2500};
    const QPointer<QWidget> guarded(top);
    for (const int ms : kAfterMs) {
        QTimer::singleShot(ms, top, [guarded, last = ms == kAfterMs[std::size(kAfterMs) - 1]] {
            if (guarded == nullptr)
                return;
            DropBuffersOfAnOldScale(guarded);
            if (last)
                guarded->setProperty(kDroppingBuffers, false);
        });
    }
}

}  // namespace

void CWnd::DispatchPaint(const QRegion& region) {
    if (m_hWnd == nullptr)
        return;
    if (!SurfaceFits(m_hWnd->width(), m_hWnd->height())) {
        const bool ratioChanged =
            !m_surface->isNull() && m_surface->devicePixelRatio() != ScreenRatio();
        ResizeSurface(m_hWnd->width(), m_hWnd->height());
        // The window now stands on a screen of another ratio (it was moved there, or the
        // screen changed). The pictures made for the old one still paint, scaled, until the
        // size message makes them again; that waits until after this paint, as a view's
        // size message makes its child buttons anew.
        if (ratioChanged) {
            m_picturesOffRatio = true;
            QueueDeviceRatioCheck(m_hWnd);
        }
    }
    if (m_surface->isNull())
        return;

    // A flush shows pixels already in the image; only what Qt asks for beyond them (an
    // expose that arrived meanwhile) runs the paint cycle.
    QRegion cycle = region;
    if (m_flushing)
        cycle -= ToQRect(m_flushBox);
    m_inPaint = true;
    m_touchedDuringPaint = CRect{};
    for (const QRect& rect : cycle) {
        CDC dc(m_surface.get(), ToCRect(rect));
        PaintCycle(&dc);
    }
    m_inPaint = false;

    QPainter painter(m_hWnd);
    // Qt took a buffer of an old scale for this picture: it shows wrong, so those go.
    if (painter.paintEngine() != nullptr && painter.paintEngine()->paintDevice() != nullptr &&
        painter.paintEngine()->paintDevice()->devicePixelRatioF() != m_hWnd->devicePixelRatioF())
        DropBuffersOfAnOldScaleSoon(m_hWnd->window());
    if (m_surface->devicePixelRatio() == 1.0) {
        for (const QRect& rect : region)
            painter.drawImage(rect.topLeft(), *m_surface, rect);
    } else {
        // The image has the widget's device size: drawn whole at the origin it lands
        // device pixel on device pixel, and the clip keeps it to the region.
        painter.setClipRegion(region);
        painter.drawImage(QPointF(0, 0), *m_surface);
    }
    painter.end();
    // Repainting the whole window next time takes in everything touched, so this ends.
    const QRect touched = ToQRect(m_touchedDuringPaint);
    if (!touched.isEmpty() && !(QRegion(touched) - region).isEmpty())
        m_hWnd->update();
}

void DropBackingStoreBuffersForTesting(QWidget* window) {
    DropBuffersOfAnOldScale(window);
}

void SetKeyPlatformForTesting(const char* platform) {
    g_keyPlatformForTesting = platform;
}

// --- Following the screen's ratio

bool WndBridge::OffTheScreensRatio(const CWnd* wnd) {
    return wnd->m_hWnd != nullptr && !wnd->m_surface->isNull() &&
           (wnd->m_picturesOffRatio || wnd->m_surface->devicePixelRatio() != wnd->ScreenRatio());
}

namespace {

const char kRatioCheckQueued[] = "rolvanRatioCheckQueued";
const char kFollowsScreens[] = "rolvanFollowsScreens";

// Makes the pictures of every window under top that were made for another ratio anew,
// through the size message, and repaints all of top, Qt's own widgets with it: where Qt
// changes a window's ratio without repainting it (a changed Xft.dpi on X11), they would
// otherwise keep their old pixels. A view's size message makes its buttons anew, so each
// widget is held by a guarded pointer.
void FollowDeviceRatio(QWidget* top) {
    top->setProperty(kRatioCheckQueued, false);
    QList<QPointer<QWidget>> widgets{top};
    for (QWidget* child : top->findChildren<QWidget*>())
        widgets.append(child);
    for (const QPointer<QWidget>& widget : widgets) {
        if (widget == nullptr)
            continue;
        WidgetBinding* binding = BindingOf(widget);
        if (binding != nullptr && binding->owner != nullptr &&
            WndBridge::OffTheScreensRatio(binding->owner)) {
            DropBuffersOfAnOldScaleSoon(top);
            WndBridge::Resized(binding->owner, widget->width(), widget->height());
        }
    }
    UpdateEveryWidget(top);
}

}  // namespace

// Qt tells a window's widgets of a new ratio one by one, while it walks the window's
// children; the pictures are made anew once it has finished, before the window is painted.
void QueueDeviceRatioCheck(QWidget* widget) {
    QWidget* top = widget != nullptr ? widget->window() : nullptr;
    if (top == nullptr || top->property(kRatioCheckQueued).toBool())
        return;
    top->setProperty(kRatioCheckQueued, true);
    QMetaObject::invokeMethod(
        top, [top] { FollowDeviceRatio(top); }, Qt::QueuedConnection);
}

bool SaysDeviceRatioChanged(const QEvent* event) {
    switch (event->type()) {
        case QEvent::ScreenChangeInternal:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        case QEvent::DevicePixelRatioChange:
#endif
            return true;
        default:
            return false;
    }
}

// A screen's scale can change under the windows on it (a laptop docked to another monitor,
// a changed display setting) without Qt telling the widgets; the screen itself says that
// its resolution or geometry changed.
void FollowScreenScales() {
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (application == nullptr || application->property(kFollowsScreens).toBool())
        return;
    application->setProperty(kFollowsScreens, true);
    auto watch = [application](QScreen* screen) {
        auto checkAll = [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->isVisible())
                    QueueDeviceRatioCheck(top);
        };
        QObject::connect(screen, &QScreen::logicalDotsPerInchChanged, application, checkAll);
        QObject::connect(screen, &QScreen::physicalDotsPerInchChanged, application, checkAll);
        QObject::connect(screen, &QScreen::geometryChanged, application, checkAll);
    };
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    QObject::connect(application, &QGuiApplication::screenAdded, application, watch);
}

void CWnd::PaintCycle(CDC* pDC) {
    (void)pDC;
}

BOOL CWnd::OnCommand(UINT nID, int nCode) {
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

void CWnd::OnSize(UINT nType, int cx, int cy) {
    (void)nType, (void)cx, (void)cy;
    Default();
}

BOOL CWnd::OnEraseBkgnd(CDC* pDC) {
    (void)pDC;
    return FALSE;
}

void CWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    (void)nChar, (void)nRepCnt, (void)nFlags;
    Default();
}

void CWnd::OnLButtonDown(UINT nFlags, CPoint point) {
    (void)nFlags, (void)point;
    Default();
}

void CWnd::OnRButtonDown(UINT nFlags, CPoint point) {
    (void)nFlags, (void)point;
    Default();
}

void CWnd::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
    (void)nSBCode, (void)nPos, (void)pScrollBar;
    Default();
}

void CWnd::WinHelp(DWORD dwData, UINT nCmd) {
    (void)dwData, (void)nCmd;
}

void CWnd::Default() {
    m_defaultRequested = true;
}
