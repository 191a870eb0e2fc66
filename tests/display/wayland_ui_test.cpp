// The game as a native Wayland client of a real compositor. tests/display/weston.sh starts a
// headless weston that logs every request it receives, and runs these tests against it;
// the compositor's log, not the game's, shows when a picture really arrived.

#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QWidget>
#include <QWindow>

#include <time.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "display/display_test_support.h"
#include "support/rolvan_fixture.h"

namespace {

// libwayland stamps each line of its log with the calendar clock in microseconds, cut to 32
// bits and printed as milliseconds with three decimals: "[1248686.505] wl_surface@7.commit()"
// (or "wl_surface#7.commit()").
std::uint32_t LogClock() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::uint32_t>(now.tv_sec * 1000000LL + now.tv_nsec / 1000);
}

// Midnight of today in the log's clock. libwayland 1.26 stamps its lines with the local
// time of day instead: "[17:49:42.864630] wl_surface#7.commit()".
std::uint32_t LogMidnight() {
    const std::time_t now = std::time(nullptr);
    std::tm day{};
    localtime_r(&now, &day);
    day.tm_hour = day.tm_min = day.tm_sec = 0;
    return static_cast<std::uint32_t>(static_cast<long long>(std::mktime(&day)) * 1000000LL);
}

// The time a log line was written, in LogClock's terms, and where its request begins.
bool StampOf(const std::string& line, std::uint32_t* time, int* end) {
    unsigned hours = 0, minutes = 0, seconds = 0, micro = 0;
    *end = 0;
    if (std::sscanf(line.c_str(), "[%u:%u:%u.%u] %n", &hours, &minutes, &seconds, &micro, end) ==
            4 &&
        *end != 0) {
        *time = LogMidnight() + ((hours * 60u + minutes) * 60u + seconds) * 1000000u + micro;
        return true;
    }
    unsigned milliseconds = 0;
    if (std::sscanf(line.c_str(), "[%u.%u] %n", &milliseconds, &micro, end) == 2 && *end != 0) {
        *time = milliseconds * 1000u + micro;
        return true;
    }
    return false;
}

// An object in the log is its interface and number: "wl_surface@7" from libwayland 1.21 (Debian
// 12), "wl_surface#7" from 1.23 on. Both are read, and named here with "@".
std::string ObjectBefore(const std::string& request, std::size_t end) {
    std::size_t start = end;
    while (start > 0 &&
           (std::isalnum(static_cast<unsigned char>(request[start - 1])) ||
            request[start - 1] == '_' || request[start - 1] == '@' || request[start - 1] == '#'))
        --start;
    std::string object = request.substr(start, end - start);
    const std::size_t mark = object.find('#');
    if (mark != std::string::npos)
        object[mark] = '@';
    return object;
}

// The surface given a window's role in a get_xdg_surface request, else "".
std::string WindowSurfaceOf(const std::string& request) {
    if (request.find(".get_xdg_surface(") == std::string::npos)
        return "";
    for (const char mark : {'@', '#'}) {
        const std::size_t surface = request.find(std::string("wl_surface") + mark);
        if (surface == std::string::npos)
            continue;
        std::size_t end = surface + 11;
        while (end < request.size() && std::isdigit(static_cast<unsigned char>(request[end])))
            ++end;
        return ObjectBefore(request, end);
    }
    return "";
}

// The times at which the compositor received commits of a window's surface (one that has an
// xdg_surface: the shell's own panel and background have none) from `from` to `to`.
std::vector<std::uint32_t> WindowCommitsBetween(const std::string& log, std::uint32_t from,
                                                std::uint32_t to) {
    std::vector<std::uint32_t> times;
    std::set<std::string> windowSurfaces;
    std::ifstream in(log);
    std::string line;
    while (std::getline(in, line)) {
        std::uint32_t time = 0;
        int end = 0;
        if (!StampOf(line, &time, &end))
            continue;
        const std::string request = line.substr(static_cast<std::size_t>(end));
        const std::string window = WindowSurfaceOf(request);
        if (!window.empty()) {
            windowSurfaces.insert(window);
            continue;
        }
        const std::size_t commit = request.find(".commit()");
        if (commit == std::string::npos || windowSurfaces.count(ObjectBefore(request, commit)) == 0)
            continue;
        // Differences on the wrapping clock.
        if (time - from <= to - from)
            times.push_back(time);
    }
    return times;
}

// Commits that arrive closer than 3 ms together make one picture on the screen.
int DistinctFrames(const std::vector<std::uint32_t>& commits) {
    int frames = 0;
    for (std::size_t i = 0; i < commits.size(); ++i) {
        if (i == 0 || commits[i] - commits[i - 1] >= 3000)
            ++frames;
    }
    return frames;
}

// The log as libwayland 1.21, 1.23 and 1.26 write it: only the commits of the window's
// surface count, not those of the shell's panel, and only within the time asked for.
TEST(CompositorLog, WindowCommitsAreReadInEverySpellingOfTheLog) {
    const std::string lines[] = {
        "[1000.000] wl_compositor@4.create_surface(new id wl_surface@7)",
        "[1000.100] wl_surface@7.commit()",  // the panel's: no window
        "[1001.000] xdg_wm_base@9.get_xdg_surface(new id xdg_surface@12, wl_surface@11)",
        "[1002.000] wl_surface@11.commit()",
        "[1002.001] wl_surface@7.commit()",
        "[1002.002] wl_surface@11.commit()",
        "[1012.000] wl_surface@11.commit()",
        "[1030.000] wl_surface@11.commit()",  // after the time asked for
        "[1012.500] wl_surface@110.commit()",
        "garbage wl_surface@11.commit()",
    };
    for (const bool timeOfDay : {false, true}) {
        for (const char mark : {'@', '#'}) {
            SCOPED_TRACE(std::string(1, mark) + (timeOfDay ? " time of day" : ""));
            const std::string path = testing::TempDir() + "compositor-log-" + mark + ".txt";
            {
                std::ofstream out(path);
                for (std::string line : lines) {
                    for (char& c : line)
                        if (c == '@')
                            c = mark;
                    unsigned milliseconds = 0, micro = 0;
                    if (timeOfDay &&
                        std::sscanf(line.c_str(), "[%u.%u]", &milliseconds, &micro) == 2) {
                        char stamp[32];
                        std::snprintf(stamp, sizeof stamp, "[00:00:%02u.%06u]", milliseconds / 1000,
                                      milliseconds % 1000 * 1000 + micro);
                        line = stamp + line.substr(line.find(']') + 1);
                    }
                    out << line << '\n';
                }
            }
            const std::uint32_t base = timeOfDay ? LogMidnight() : 0;
            const std::vector<std::uint32_t> commits =
                WindowCommitsBetween(path, base + 1001500, base + 1020000);
            EXPECT_EQ(commits,
                      (std::vector<std::uint32_t>{base + 1002000, base + 1002002, base + 1012000}));
            EXPECT_EQ(DistinctFrames(commits), 2);
            std::remove(path.c_str());
        }
    }
}

// Counts the view's paints: each shows one step of the ball, or a tile, on the window.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) : m_widget(widget) { widget->installEventFilter(this); }
    ~PaintCounter() override { m_widget->removeEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(object, event);
    }

private:
    QWidget* m_widget;
};

class OnWayland : public RolvanTest {
protected:
    void SetUp() override {
        RolvanTest::SetUp();
        if (QGuiApplication::platformName() != QLatin1String("wayland") ||
            std::getenv("ROLVAN_COMPOSITOR_LOG") == nullptr)
            GTEST_SKIP() << "needs a compositor's log: run through tests/display/weston.sh";
        log = std::getenv("ROLVAN_COMPOSITOR_LOG");
        // The compositor gives the window its size; it is shown once it has its first frame.
        ASSERT_TRUE(app->InitInstance());
        frame = dynamic_cast<CFrameWnd*>(app->m_pMainWnd);
        ASSERT_NE(frame, nullptr);
        view = dynamic_cast<CRolvanView*>(frame->GetActiveView());
        ASSERT_NE(view, nullptr);
        QWidget* window = frame->GetSafeHwnd();
        ASSERT_TRUE(RunEventsUntil(
            [window] { return window->windowHandle() && window->windowHandle()->isExposed(); },
            30000));
        RunEventsFor(300);
    }

    std::string log;
};

// ROLVAN_BALL_DELAY sets another speed, to see the figures at 5 or 1 ms a step; the
// compositor and the screen cannot tell such steps apart anyway, so only 10 ms and slower
// are held to a frame per step.
TEST_F(OnWayland, EveryStepOfARollReachesTheCompositorAsAFrameOfItsOwn) {
    const char* delaySetting = std::getenv("ROLVAN_BALL_DELAY");
    view->ballDelay = delaySetting != nullptr ? std::atoi(delaySetting) : 10;

    // The human's centre tile rolls the ball across a square onto an empty one; the
    // computer answers with a tile and a roll of its own, in the same handler. Each paint
    // of the window is a step, or one of the two tiles.
    PaintCounter counter(view->GetSafeHwnd());
    QElapsedTimer move;
    const std::uint32_t from = LogClock();
    move.start();
    PressKey(Qt::Key_2);
    const qint64 moveTime = move.elapsed();
    const std::uint32_t to = LogClock();
    ASSERT_EQ(view->board.StartSquare()->kind, CentreTile);
    const int steps = counter.paints - 2;
    ASSERT_GT(steps, 40);

    // What was still on its way when the move ended arrives meanwhile.
    RunEventsFor(100);
    const std::vector<std::uint32_t> commits = WindowCommitsBetween(log, from, to + 30000);
    const int frames = DistinctFrames(commits);
    std::cout << "ballDelay " << view->ballDelay << " ms: " << counter.paints << " pictures ("
              << steps << " steps and 2 tiles) in " << moveTime << " ms; the compositor got "
              << commits.size() << " commits, " << frames << " distinct frames\n";
    if (view->ballDelay >= 10) {
        EXPECT_GE(frames * 10, steps * 9);
    }
}

// Qt's own Wayland backing store, made to let go of its buffers as after a change of scale,
// shows the whole window again in the buffer it takes next.
TEST_F(OnWayland, TheWindowIsWholeAgainAfterItsBackingStoreDroppedItsBuffers) {
    QWidget* window = frame->GetSafeHwnd();
    const QImage before = BackingStorePicture(window);
    DropBackingStoreBuffersForTesting(window);
    RunEventsFor(300);
    EXPECT_EQ(BackingStorePicture(window), before);
}

}  // namespace
