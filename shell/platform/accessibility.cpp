// What assistive technology reads of a view beyond its name: the state it describes, the
// grid it draws, as a table of cells, and the notices the program says after something
// happened.
//
// All of it exists only in what Qt tells the screen reader: nothing is drawn. Qt builds the
// view's object when a screen reader (or a test) first asks for it; the table builds each
// cell the first time it is asked for and keeps it until the grid changes, so without a
// screen reader nothing of this exists.

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QThread>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "shell/platform/accessible_grid.h"
#include "shell/platform/seams.h"
#include "shell/platform/widgets_qt.h"

namespace {

std::function<void(CWnd*, const std::string&)> g_noticeWatcher;
std::function<void(QAccessibleEvent*)> g_testListener;

// Where a view keeps the state it describes (see CWnd::SetAccessibleState).
constexpr char kStateProperty[] = "rolvanAccessibleState";

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

QRect ToGlobal(const QWidget* widget, const CRect& box) {
    if (widget == nullptr || box.IsRectEmpty())
        return QRect();
    return QRect(widget->mapToGlobal(QPoint(box.left, box.top)), QSize(box.Width(), box.Height()));
}

CAccessibleGrid* GridOf(const QWidget* widget) {
    if (widget == nullptr)
        return nullptr;
    WidgetBinding* binding = BindingOf(const_cast<QWidget*>(widget));
    return binding != nullptr && binding->owner != nullptr ? binding->owner->GetAccessibleGrid()
                                                           : nullptr;
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

class GridTable;

class GridCell : public VirtualInterface, public QAccessibleTableCellInterface {
public:
    GridCell(GridTable* table, QWidget* widget, int column, int row)
        : VirtualInterface(widget), m_table(table), m_column(column), m_row(row) {}

    bool isValid() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        CAccessibleGrid* grid = GridOf(m_widget);
        if (t != QAccessible::Name || grid == nullptr)
            return QString();
        return LocalText(grid->GetGridCellName(m_column, m_row));
    }
    QRect rect() const override {
        CAccessibleGrid* grid = GridOf(m_widget);
        return grid != nullptr ? ToGlobal(m_widget, grid->GetGridCellRect(m_column, m_row))
                               : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.readOnly = true;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

private:
    GridTable* m_table;
    int m_column;
    int m_row;
};

// The grid as a table. Its cells are made when asked for and kept (by their ids in Qt's
// cache) for the shape they were made for.
class GridTable : public VirtualInterface, public QAccessibleTableInterface {
public:
    explicit GridTable(QWidget* widget) : VirtualInterface(widget) {}
    ~GridTable() override { DropCells(); }

    bool isValid() const override { return m_widget && GridOf(m_widget) != nullptr; }
    // The row is looked for down the first column, the cell along that row.
    QAccessibleInterface* childAt(int x, int y) const override {
        const auto [columns, rows] = Shape();
        for (int row = 0; row < rows; ++row) {
            const QRect first = CellRect(row * columns);
            if (y < first.top() || y > first.bottom())
                continue;
            for (int index = row * columns; index < (row + 1) * columns; ++index) {
                if (CellRect(index).contains(x, y))
                    return child(index);
            }
        }
        return nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_widget.data());
    }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        const auto [columns, rows] = Shape();
        if (columns != m_columns || rows != m_rows) {
            DropCells();
            m_columns = columns;
            m_rows = rows;
        }
        if (m_cells.empty())
            m_cells.assign(static_cast<std::size_t>(columns) * rows, 0);
        QAccessible::Id& id = m_cells[index];
        if (QAccessibleInterface* cell = id != 0 ? QAccessible::accessibleInterface(id) : nullptr)
            return cell;
        auto* cell =
            new GridCell(const_cast<GridTable*>(this), m_widget, index % columns, index / columns);
        id = QAccessible::registerAccessibleInterface(cell);
        return cell;
    }
    int childCount() const override {
        const auto [columns, rows] = Shape();
        return columns * rows;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const QAccessibleTableCellInterface* cell =
            child != nullptr ? const_cast<QAccessibleInterface*>(child)->tableCellInterface()
                             : nullptr;
        if (cell == nullptr || cell->table() != this)
            return -1;
        return cell->rowIndex() * Shape().first + cell->columnIndex();
    }
    QString text(QAccessible::Text t) const override {
        // The table is the grid of the view, so it goes by the view's name.
        return t == QAccessible::Name && m_widget ? m_widget->accessibleName() : QString();
    }
    QRect rect() const override {
        const int count = childCount();
        return count > 0 ? CellRect(0).united(CellRect(count - 1)) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::Table; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.readOnly = true;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                                   : nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        const auto [columns, rows] = Shape();
        if (row < 0 || row >= rows || column < 0 || column >= columns)
            return nullptr;
        return child(row * columns + column);
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int) const override { return QString(); }
    QString rowDescription(int) const override { return QString(); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return Shape().first; }
    int rowCount() const override { return Shape().second; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { DropCells(); }

    // The cell, if it was made, now shows something else; the others stand as they are.
    void CellChanged(int column, int row) {
        if (!Holds(column, row) || m_cells.empty() || !Listening())
            return;
        const QAccessible::Id id = m_cells[static_cast<std::size_t>(row) * m_columns + column];
        if (QAccessibleInterface* cell = id != 0 ? QAccessible::accessibleInterface(id) : nullptr) {
            QAccessibleEvent renamed(cell, QAccessible::NameChanged);
            Send(renamed);
        }
    }

    // The whole grid changed, its shape perhaps too. A screen reader that keeps the cells it
    // was given hears that each of them is gone (Qt's AT-SPI bridge passes a model reset
    // over, so the reset alone would leave it holding dead cells), then that the table reads
    // anew; what it asks for next is made for the grid as it is now.
    void Reset() {
        if (Listening()) {
            for (QAccessible::Id id : m_cells) {
                if (QAccessibleInterface* cell =
                        id != 0 ? QAccessible::accessibleInterface(id) : nullptr) {
                    QAccessibleEvent gone(cell, QAccessible::ObjectDestroyed);
                    Send(gone);
                }
            }
            QAccessibleTableModelChangeEvent reset(this,
                                                   QAccessibleTableModelChangeEvent::ModelReset);
            Send(reset);
        }
        DropCells();
    }

    // Everything made for the old grid goes.
    void DropCells() const {
        for (QAccessible::Id id : m_cells) {
            if (id != 0)
                QAccessible::deleteAccessibleInterface(id);
        }
        m_cells.clear();
        m_columns = 0;
        m_rows = 0;
    }
    // Whether the cell at column, row belongs to the shape the made cells were made for.
    bool Holds(int column, int row) const {
        return column >= 0 && row >= 0 && column < m_columns && row < m_rows;
    }
    std::size_t MadeCellCountForTesting() const {
        std::size_t made = 0;
        for (QAccessible::Id id : m_cells)
            made += id != 0 ? 1 : 0;
        return made;
    }

private:
    std::pair<int, int> Shape() const {
        CAccessibleGrid* grid = GridOf(m_widget);
        if (grid == nullptr)
            return {0, 0};
        const int columns = grid->GetGridColumns();
        const int rows = grid->GetGridRows();
        return columns > 0 && rows > 0 ? std::pair{columns, rows} : std::pair{0, 0};
    }
    QRect CellRect(int index) const {
        CAccessibleGrid* grid = GridOf(m_widget);
        const int columns = Shape().first;
        if (grid == nullptr || columns == 0)
            return QRect();
        return ToGlobal(m_widget, grid->GetGridCellRect(index % columns, index / columns));
    }

    mutable std::vector<QAccessible::Id> m_cells;
    mutable int m_columns = 0;
    mutable int m_rows = 0;
};

bool GridCell::isValid() const {
    return m_table->isValid() && m_table->Holds(m_column, m_row);
}

QAccessibleInterface* GridCell::parent() const {
    return m_table;
}

QAccessibleInterface* GridCell::table() const {
    return m_table;
}

// How a notice reaches the screen reader: the one place that differs between Qt releases.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)

// Qt sends the text to the screen reader as an announcement of the view (an AT-SPI
// announcement), which it speaks as it is, after what it is saying.
class NoticeChannel {
public:
    static constexpr int kChildren = 0;

    explicit NoticeChannel(QWidget* widget) : m_widget(widget) {}
    QAccessibleInterface* Interface() const { return nullptr; }
    void Say(const QString& text) {
        QAccessibleAnnouncementEvent announcement(m_widget, text);
        announcement.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
        Send(announcement);
    }

private:
    QWidget* m_widget;
};

#else

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

// Before Qt 6.8 Qt has no announcements: a notice is a notification object of the status
// bar above, shown as it is made.
class NoticeChannel {
public:
    static constexpr int kChildren = 1;

    explicit NoticeChannel(QWidget* widget) : m_widget(widget) {}
    ~NoticeChannel() {
        if (m_barId != 0)
            QAccessible::deleteAccessibleInterface(m_barId);
    }
    NoticeChannel(const NoticeChannel&) = delete;
    NoticeChannel& operator=(const NoticeChannel&) = delete;

    QAccessibleInterface* Interface() const { return Bar(); }
    void Say(const QString& text) { Bar()->Say(text); }

private:
    NoticeBar* Bar() const {
        if (m_barId != 0) {
            if (auto* bar = static_cast<NoticeBar*>(QAccessible::accessibleInterface(m_barId)))
                return bar;
        }
        auto* bar = new NoticeBar(m_widget);
        m_barId = QAccessible::registerAccessibleInterface(bar);
        return bar;
    }

    QWidget* m_widget;
    mutable QAccessible::Id m_barId = 0;
};

#endif

class ViewInterface;

// The view interfaces that exist, by widget, so that a change of the grid reaches the table
// without making one.
std::unordered_map<const QWidget*, ViewInterface*>& MadeViews() {
    static std::unordered_map<const QWidget*, ViewInterface*> views;
    return views;
}

ViewInterface* MadeView(const QWidget* widget) {
    const auto found = MadeViews().find(widget);
    return found != MadeViews().end() ? found->second : nullptr;
}

// The view: its child widgets (the buttons), and before them the table of its grid, if it
// has one, and after them what holds the notices, if anything does. Its description is the
// state it is in (the board), read when asked for and announced by no event of its own:
// what changed is told otherwise (the notices), and a screen reader speaks a description
// change of the focused window out of turn, with the state as it is by the time it reads
// it. Qt before 6.8 sent no such event either.
class ViewInterface : public QAccessibleWidget {
public:
    explicit ViewInterface(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Client), m_key(widget), m_notices(widget) {
        MadeViews()[m_key] = this;
    }
    ~ViewInterface() override {
        MadeViews().erase(m_key);
        if (m_tableId != 0)
            QAccessible::deleteAccessibleInterface(m_tableId);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description) {
            const QVariant state = widget()->property(kStateProperty);
            if (state.isValid())
                return state.toString();
        }
        return QAccessibleWidget::text(t);
    }

    int childCount() const override {
        return TableSlots() + QAccessibleWidget::childCount() + NoticeChannel::kChildren;
    }
    QAccessibleInterface* child(int index) const override {
        const int table = TableSlots();
        const int widgets = QAccessibleWidget::childCount();
        if (index < table)
            return index == 0 ? Table() : nullptr;
        if (index < table + widgets)
            return QAccessibleWidget::child(index - table);
        return index < childCount() ? m_notices.Interface() : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr)
            return -1;
        const int table = TableSlots();
        if (table == 1 && m_tableId != 0 && child == QAccessible::accessibleInterface(m_tableId))
            return 0;
        if (NoticeChannel::kChildren == 1 && child == m_notices.Interface())
            return table + QAccessibleWidget::childCount();
        const int index = QAccessibleWidget::indexOfChild(child);
        return index >= 0 ? index + table : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        if (QAccessibleInterface* widget = QAccessibleWidget::childAt(x, y))
            return widget;
        if (TableSlots() == 1) {
            GridTable* table = Table();
            if (table->rect().contains(x, y))
                return table;
        }
        return nullptr;
    }

    GridTable* MadeTable() const {
        return m_tableId != 0 ? static_cast<GridTable*>(QAccessible::accessibleInterface(m_tableId))
                              : nullptr;
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
    // Whether anything was said.
    bool Flush() {
        m_flushQueued = false;
        std::vector<QString> pending;
        pending.swap(m_pending);
        for (const QString& text : pending)
            m_notices.Say(text);
        return !pending.empty();
    }

private:
    int TableSlots() const { return GridOf(widget()) != nullptr ? 1 : 0; }
    GridTable* Table() const {
        if (GridTable* table = MadeTable())
            return table;
        auto* table = new GridTable(widget());
        m_tableId = QAccessible::registerAccessibleInterface(table);
        return table;
    }
    const QWidget* m_key;
    std::vector<QString> m_pending;
    bool m_flushQueued = false;
    mutable QAccessible::Id m_tableId = 0;
    NoticeChannel m_notices;
};

}  // namespace

void FlushAccessibleNotices() {
    // Copied first: saying a notice may make interfaces, never views, but stays safe.
    std::vector<ViewInterface*> views;
    for (const auto& [widget, view] : MadeViews())
        views.push_back(view);
    bool said = false;
    for (ViewInterface* view : views)
        said = view->Flush() || said;
    // A screen reader handles the events of a window that opens before what it was told just
    // before (Orca 48 takes window and focus events first), so the scores dialog would be
    // read before the point that ended the game. It gets a moment to take the notice, while
    // the program answers its questions and takes no input.
    if (said && QAccessible::isActive() && !g_testListener) {
        constexpr int kNoticeLeadMs = 300;
        const QDeadlineTimer lead(kNoticeLeadMs);
        while (!lead.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            QThread::msleep(10);
        }
    }
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

void WatchNoticeTextsForTesting(
    std::function<void(CWnd* window, const std::string& text)> watcher) {
    g_noticeWatcher = std::move(watcher);
}

std::size_t MadeAccessibleCellsForTesting(CWnd* window) {
    ViewInterface* view = window != nullptr ? MadeView(window->m_hWnd) : nullptr;
    GridTable* table = view != nullptr ? view->MadeTable() : nullptr;
    return table != nullptr ? table->MadeCellCountForTesting() : 0;
}

void WatchGridAndNoticeEventsForTesting(std::function<void(QAccessibleEvent*)> listener) {
    g_testListener = std::move(listener);
}

BOOL CWnd::IsAccessibilityActive() {
    return Listening() || g_noticeWatcher ? TRUE : FALSE;
}

void CWnd::SetAccessibleGrid(CAccessibleGrid* grid) {
    m_accessibleGrid = grid;
    AccessibleGridChanged();
}

void CWnd::SetAccessibleState(LPCTSTR state) {
    if (m_hWnd == nullptr)
        return;
    if (dynamic_cast<SurfaceWidget*>(m_hWnd) == nullptr) {
        SetAccessibleDescription(state);
        return;
    }
    m_hWnd->setProperty(kStateProperty, LocalText(state));
}

void CWnd::AccessibleGridChanged(int column, int row) {
    ViewInterface* view = m_hWnd != nullptr ? MadeView(m_hWnd) : nullptr;
    GridTable* table = view != nullptr ? view->MadeTable() : nullptr;
    if (table == nullptr)
        return;
    if (column < 0 || row < 0) {
        table->Reset();
    } else {
        table->CellChanged(column, row);
    }
}

void CWnd::AnnounceAccessible(LPCTSTR text) {
    if (g_noticeWatcher)
        g_noticeWatcher(this, text != nullptr ? text : "");
    if (m_hWnd == nullptr || text == nullptr || *text == '\0' || !Listening())
        return;
    if (auto* view = dynamic_cast<ViewInterface*>(QAccessible::queryAccessibleInterface(m_hWnd)))
        view->Say(LocalText(text));
}
