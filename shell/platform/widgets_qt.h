#pragma once

// The Qt widgets behind the framework's windows. Each forwards the events the program
// relies on to its CWnd and tells it when Qt destroys the widget first.

#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include "shell/platform/wnd.h"

class CButton;
class CDialog;
class CFrameWnd;
class QKeyEvent;
class QMouseEvent;

// Reaches the private side of CWnd and its subclasses for the widgets.
struct WndBridge {
    static void WidgetDestroyed(CWnd* wnd) { wnd->WidgetDestroyed(); }
    static void Paint(CWnd* wnd, const QRegion& region) { wnd->DispatchPaint(region); }
    static void Resized(CWnd* wnd, int width, int height);
    // Whether the window's image or pictures were made for another ratio than its screen's.
    static bool OffTheScreensRatio(const CWnd* wnd);
    // Each returns whether the handler asked for the default processing.
    static bool KeyDown(CWnd* wnd, QKeyEvent* event);
    static bool ButtonDown(CWnd* wnd, QMouseEvent* event);
    static void Command(CWnd* target, int id, UINT code);
    static void CloseRequested(CFrameWnd* frame, bool& accepted);
    static void Cancel(CDialog* dialog);
    static void Attach(CWnd* wnd, QWidget* widget, CWnd* parent, int id, bool ownsWidget) {
        wnd->AttachWidget(widget, parent, id, ownsWidget);
    }
};

// Whether Qt tells a widget with this event that its device pixel ratio may have changed.
bool SaysDeviceRatioChanged(const QEvent* event);
// Makes the pictures of the windows in widget's top-level window anew where their screen's
// ratio changed, once Qt has finished telling the window's widgets.
void QueueDeviceRatioCheck(QWidget* widget);
// Follows changes of every screen's scale from now on (once per application; each frame
// window asks for it).
void FollowScreenScales();

// What every widget of the layer knows about its window. busy counts the events the
// widget is handling, so that a handler that destroys the window (a button whose click
// ends the editor) does not delete the widget under Qt's feet.
class WidgetBinding {
public:
    virtual ~WidgetBinding() = default;
    CWnd* owner = nullptr;
    int busy = 0;
};

template <class Base>
class BoundWidget : public Base, public WidgetBinding {
public:
    template <class... Args>
    explicit BoundWidget(CWnd* wnd, Args&&... args) : Base(std::forward<Args>(args)...) {
        owner = wnd;
    }
    ~BoundWidget() override {
        if (owner != nullptr)
            WndBridge::WidgetDestroyed(owner);
    }

protected:
    // Handling an event may end the widget: the deferred delete that DestroyWindow asked
    // for is itself an event, and a click may destroy its own button. Past that point the
    // widget's memory is gone, so it is not touched again.
    bool event(QEvent* e) override {
        const QPointer<QObject> alive(this);
        ++busy;
        if (SaysDeviceRatioChanged(e))
            QueueDeviceRatioCheck(this);
        const bool handled = Base::event(e);
        if (alive)
            --busy;
        return handled;
    }
};

// A window that the program paints itself: the view.
class SurfaceWidget : public BoundWidget<QWidget> {
public:
    SurfaceWidget(CWnd* wnd, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class FrameWidget : public BoundWidget<QMainWindow> {
public:
    explicit FrameWidget(CFrameWnd* frame);
    QWidget* MenuHolder() const { return m_menuHolder; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* m_menuHolder;
};

// A push button of a CButton or of a dialog template. Clicks (and, with BS_NOTIFY,
// double-clicks) go to notifyTarget as commands with the button's ID.
class ButtonWidget : public BoundWidget<QPushButton> {
public:
    ButtonWidget(CWnd* wnd, QWidget* parent, CWnd* notifyTarget, int id, DWORD style);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    CWnd* m_notifyTarget;
    int m_id;
    DWORD m_style;
};

class DialogWidget : public BoundWidget<QDialog> {
public:
    DialogWidget(CDialog* dialog, QWidget* parent);

    // Escape and the close box.
    void reject() override;
};

// Lets assistive technology read the views: the tables of their grids and their notices.
void InstallAccessibleViews();

// The widget of a window, when it is one of the layer's.
WidgetBinding* BindingOf(QWidget* widget);
// The CWnd of the window a widget stands in (walking up to the first bound widget).
CWnd* WndOf(QWidget* widget);
// The top-level widget that modal UI opened for wnd should belong to, or null.
QWidget* OwnerWidget(CWnd* wnd);

// Colour conversions between the classic COLORREF and Qt.
QColor ToQColor(COLORREF colour);
COLORREF FromQColor(const QColor& colour);
// The program's icon by resource ID, null for an ID without one: every size, or the
// classic 32 x 32 for a screen of the given device pixel ratio.
QIcon ProgramIcon(unsigned id);
QPixmap IconPixmap(unsigned id, qreal devicePixelRatio = 1.0);
QString LocalText(LPCTSTR text);
