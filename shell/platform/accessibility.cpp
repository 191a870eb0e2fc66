// What assistive technology reads of a view beyond its name and description: the notices
// the program says after something happened.
//
// They hang below the view's own accessible object and exist only in what Qt tells the
// screen reader: nothing is drawn. Qt builds the view's object when a screen reader (or a
// test) first asks for it, so without a screen reader nothing of this exists.

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "shell/platform/seams.h"
#include "shell/platform/widgets_qt.h"

namespace {

std::function<void(CWnd*, const std::string&)> g_noticeWatcher;
std::function<void(QAccessibleEvent*)> g_testListener;

// Whether assistive technology takes events from the program.
bool Listening() {
    return g_testListener || QAccessible::isActive();
}

void Send(QAccessibleEvent& event) {
    if (g_testListener) {
        g_testListener(&event);
    } else {
        QAccessible::updateAccessibility(&event);
    }
}

// An object that belongs to the view's widget without being a widget itself.
class VirtualInterface : public QAccessibleInterface {
public:
    explicit VirtualInterface(QWidget* widget) : m_widget(widget) {}

    bool isValid() const override { return !m_widget.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return m_widget ? m_widget->window()->windowHandle() : nullptr;
    }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    QPointer<QWidget> m_widget;
};

class NoticeBar;

// One notice: its text is its name.
class Notice : public VirtualInterface {
public:
    Notice(NoticeBar* bar, QWidget* widget, QString text)
        : VirtualInterface(widget), m_bar(bar), m_text(std::move(text)) {}

    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? m_text : QString();
    }
    QRect rect() const override { return QRect(); }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = true;
        state.readOnly = true;
        return state;
    }

private:
    NoticeBar* m_bar;
    QString m_text;
};

// A status bar that nobody sees, holding the latest notices. A screen reader speaks a
// notice of a status bar without naming its role, and flat review passes over both, since
// neither is visible. Each notice is an object of its own, so that a screen reader that
// asks for one late still hears its own text.
class NoticeBar : public VirtualInterface {
public:
    explicit NoticeBar(QWidget* widget) : VirtualInterface(widget) {}
    ~NoticeBar() override {
        for (QAccessible::Id id : m_notices)
            QAccessible::deleteAccessibleInterface(id);
    }

    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_widget.data());
    }
    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < childCount()
                   ? QAccessible::accessibleInterface(m_notices[index])
                   : nullptr;
    }
    int childCount() const override { return static_cast<int>(m_notices.size()); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (std::size_t i = 0; i < m_notices.size(); ++i) {
            if (QAccessible::accessibleInterface(m_notices[i]) == child)
                return static_cast<int>(i);
        }
        return -1;
    }
    QString text(QAccessible::Text) const override { return QString(); }
    QRect rect() const override { return QRect(); }
    QAccessible::Role role() const override { return QAccessible::StatusBar; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = true;
        return state;
    }

    void Say(const QString& text) {
        // A screen reader has long asked for the notices it was told of before these.
        constexpr std::size_t kKept = 8;
        while (m_notices.size() >= kKept) {
            if (QAccessibleInterface* old = QAccessible::accessibleInterface(m_notices.front())) {
                QAccessibleEvent gone(old, QAccessible::ObjectDestroyed);
                Send(gone);
            }
            QAccessible::deleteAccessibleInterface(m_notices.front());
            m_notices.pop_front();
        }
        auto* notice = new Notice(this, m_widget, text);
        m_notices.push_back(QAccessible::registerAccessibleInterface(notice));
        QAccessibleEvent created(notice, QAccessible::ObjectCreated);
        Send(created);
        QAccessibleEvent shown(notice, QAccessible::ObjectShow);
        Send(shown);
    }

private:
    std::deque<QAccessible::Id> m_notices;
};

QAccessibleInterface* Notice::parent() const {
    return m_bar;
}

class ViewInterface;

// The view interfaces that exist, by widget.
std::unordered_map<const QWidget*, ViewInterface*>& MadeViews() {
    static std::unordered_map<const QWidget*, ViewInterface*> views;
    return views;
}

ViewInterface* MadeView(const QWidget* widget) {
    const auto found = MadeViews().find(widget);
    return found != MadeViews().end() ? found->second : nullptr;
}

// The view: its child widgets (the buttons), and after them the notices.
class ViewInterface : public QAccessibleWidget {
public:
    explicit ViewInterface(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Client), m_key(widget) {
        MadeViews()[m_key] = this;
    }
    ~ViewInterface() override {
        MadeViews().erase(m_key);
        if (m_barId != 0)
            QAccessible::deleteAccessibleInterface(m_barId);
    }

    int childCount() const override { return QAccessibleWidget::childCount() + 1; }
    QAccessibleInterface* child(int index) const override {
        const int widgets = QAccessibleWidget::childCount();
        if (index < widgets)
            return QAccessibleWidget::child(index);
        return index == widgets ? Bar() : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr)
            return -1;
        if (m_barId != 0 && child == QAccessible::accessibleInterface(m_barId))
            return QAccessibleWidget::childCount();
        return QAccessibleWidget::indexOfChild(child);
    }

    // While a handler runs (the ball rolls, the computer thinks) the program answers no
    // question of a screen reader, and one that waits too long for an answer drops what it
    // was told. So a notice goes out when the program is free again: when the handler has
    // returned, or just before a modal window, whose loop answers at once.
    void Say(const QString& text) {
        m_pending.push_back(text);
        if (m_flushQueued)
            return;
        m_flushQueued = true;
        const QWidget* key = m_key;
        QMetaObject::invokeMethod(
            widget(),
            [key] {
                if (ViewInterface* view = MadeView(key))
                    view->Flush();
            },
            Qt::QueuedConnection);
    }
    void Flush() {
        m_flushQueued = false;
        std::vector<QString> pending;
        pending.swap(m_pending);
        for (const QString& text : pending)
            Bar()->Say(text);
    }

private:
    NoticeBar* Bar() const {
        if (m_barId != 0) {
            if (auto* bar = static_cast<NoticeBar*>(QAccessible::accessibleInterface(m_barId)))
                return bar;
        }
        auto* bar = new NoticeBar(widget());
        m_barId = QAccessible::registerAccessibleInterface(bar);
        return bar;
    }

    const QWidget* m_key;
    std::vector<QString> m_pending;
    bool m_flushQueued = false;
    mutable QAccessible::Id m_barId = 0;
};

}  // namespace

void FlushAccessibleNotices() {
    // Copied first: saying a notice may make interfaces, never views, but stays safe.
    std::vector<ViewInterface*> views;
    for (const auto& [widget, view] : MadeViews())
        views.push_back(view);
    for (ViewInterface* view : views)
        view->Flush();
}

namespace {

QAccessibleInterface* ViewFactory(const QString&, QObject* object) {
    if (auto* widget = dynamic_cast<SurfaceWidget*>(object))
        return new ViewInterface(widget);
    return nullptr;
}

}  // namespace

void InstallAccessibleViews() {
    static const bool installed = [] {
        QAccessible::installFactory(ViewFactory);
        return true;
    }();
    (void)installed;
}

void WatchAccessibleNoticesForTesting(
    std::function<void(CWnd* window, const std::string& text)> watcher) {
    g_noticeWatcher = std::move(watcher);
}

void ListenToAccessibilityForTesting(std::function<void(QAccessibleEvent*)> listener) {
    g_testListener = std::move(listener);
}

BOOL CWnd::IsAccessibilityActive() {
    return Listening() || g_noticeWatcher ? TRUE : FALSE;
}

void CWnd::AnnounceAccessible(LPCTSTR text) {
    if (g_noticeWatcher)
        g_noticeWatcher(this, text != nullptr ? text : "");
    if (m_hWnd == nullptr || text == nullptr || *text == '\0' || !Listening())
        return;
    if (auto* view = dynamic_cast<ViewInterface*>(QAccessible::queryAccessibleInterface(m_hWnd)))
        view->Say(LocalText(text));
}
