// The costs of what the player sees: a full redraw of a large window, one step of the
// rolling ball, the pace of a roll at the default speed, and the resize path that lays
// everything out and builds every picture again. Runs the real view on Qt's offscreen
// platform, on a settings store of its own.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

#include <chrono>
#include <memory>

#include "render/ball_motion.h"
#include "shell/platform/seams.h"
#include "shell/rolvan_app.h"
#include "shell/rolvan_view.h"

namespace {

// The running game, made once per board size and window size.
class Game {
public:
    Game(int columns, int rows, int clientWidth, int clientHeight) {
        m_app = std::make_unique<CRolvanApp>();
        m_app->SetRegistryKey("quendel");
        m_app->WriteProfileInt("Settings", "XGridSize", columns);
        m_app->WriteProfileInt("Settings", "YGridSize", rows);
        m_app->InitInstance();
        auto* frame = dynamic_cast<CFrameWnd*>(m_app->m_pMainWnd);
        view = dynamic_cast<CRolvanView*>(frame->GetActiveView());
        QWidget* window = frame->GetSafeHwnd();
        QWidget* client = view->GetSafeHwnd();
        for (int attempt = 0; attempt < 3 && client->size() != QSize(clientWidth, clientHeight);
             ++attempt) {
            const QSize extra = window->size() - client->size();
            window->resize(clientWidth + extra.width(), clientHeight + extra.height());
            QApplication::processEvents();
        }
        view->ballDelay = 0;
    }
    ~Game() {
        view = nullptr;
        m_app.reset();
    }

    CRolvanView* view = nullptr;

private:
    std::unique_ptr<CRolvanApp> m_app;
};

// The label names the device pixel ratio: run with QT_SCALE_FACTOR=2 to see the cost of
// drawing at twice the resolution (four times the device pixels).
bool SizedAs(benchmark::State& state, CRolvanView& view, int width, int height) {
    if (view.clientWidth == width && view.clientHeight == height) {
        CClientDC dc(&view);
        state.SetLabel("device pixel ratio " +
                       QString::number(dc.GetDevicePixelRatio()).toStdString());
        return true;
    }
    state.SkipWithError("the window did not take the requested size");
    return false;
}

void RedrawAll(benchmark::State& state, int columns, int rows) {
    Game game(columns, rows, 1920, 1080);
    if (!SizedAs(state, *game.view, 1920, 1080)) {
        return;
    }
    for (auto _ : state) {
        game.view->RedrawAll();
    }
}

void BM_RedrawAll_1920x1080_100x100(benchmark::State& state) {
    RedrawAll(state, 100, 100);
}
BENCHMARK(BM_RedrawAll_1920x1080_100x100)->Unit(benchmark::kMillisecond);

void BM_RedrawAll_1920x1080_15x10(benchmark::State& state) {
    RedrawAll(state, 15, 10);
}
BENCHMARK(BM_RedrawAll_1920x1080_15x10)->Unit(benchmark::kMillisecond);

void BM_RedrawAll_800x600_15x10(benchmark::State& state) {
    Game game(15, 10, 800, 600);
    if (!SizedAs(state, *game.view, 800, 600)) {
        return;
    }
    for (auto _ : state) {
        game.view->RedrawAll();
    }
}
BENCHMARK(BM_RedrawAll_800x600_15x10)->Unit(benchmark::kMillisecond);

// One step: two squares copied, one sprite through its mask, the touched box shown. The
// counter is the time per step.
void AnimationSteps(benchmark::State& state, SquareKind tile, Direction direction) {
    Game game(15, 10, 800, 600);
    CRolvanView& view = *game.view;
    Square* square = view.board.SquareAt(5, 5);
    square->kind = tile;
    view.ball.currentSquare = square;
    view.ball.direction = direction;
    const std::int32_t steps =
        tile == CentreTile ? StraightStepCount(*square, direction) : ArcStepCount(*square) + 1;
    for (auto _ : state) {
        view.AnimateSegment(tile, direction);
    }
    state.counters["per_step"] = benchmark::Counter(
        static_cast<double>(steps),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_StraightStep_Delay0(benchmark::State& state) {
    AnimationSteps(state, CentreTile, Direction::Right);
}
BENCHMARK(BM_StraightStep_Delay0)->Unit(benchmark::kMicrosecond);

void BM_ArcStep_Delay0(benchmark::State& state) {
    AnimationSteps(state, LeftTile, Direction::Up);
}
BENCHMARK(BM_ArcStep_Delay0)->Unit(benchmark::kMicrosecond);

// A crossing of a 37-pixel square at a real speed: its 38 steps against 38 x ballDelay.
// The counter is the measured time over that product.
void BM_StraightCrossing_AtDelay(benchmark::State& state) {
    Game game(15, 10, 800, 600);
    CRolvanView& view = *game.view;
    Square* square = view.board.SquareAt(5, 5);
    square->kind = CentreTile;
    view.ball.currentSquare = square;
    view.ball.direction = Direction::Right;
    view.ballDelay = static_cast<int>(state.range(0));
    const std::int32_t steps = StraightStepCount(*square, Direction::Right);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        view.AnimateStraight(Direction::Right);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double nominal = static_cast<double>(state.iterations()) * steps * view.ballDelay / 1000;
    state.counters["vs_steps_x_delay"] = seconds / nominal;
}
BENCHMARK(BM_StraightCrossing_AtDelay)
    ->Arg(10)
    ->Arg(1)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// What a size change costs: geometry, the three buttons made anew, the sprite and the
// six pictures.
void ResizePath(benchmark::State& state, int columns, int rows) {
    Game game(columns, rows, 1920, 1080);
    if (!SizedAs(state, *game.view, 1920, 1080)) {
        return;
    }
    for (auto _ : state) {
        game.view->OnSize(SIZE_RESTORED, 1920, 1080);
    }
}

void BM_OnSize_1920x1080_15x10(benchmark::State& state) {
    ResizePath(state, 15, 10);
}
BENCHMARK(BM_OnSize_1920x1080_15x10)->Unit(benchmark::kMicrosecond);

void BM_OnSize_1920x1080_100x100(benchmark::State& state) {
    ResizePath(state, 100, 100);
}
BENCHMARK(BM_OnSize_1920x1080_100x100)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // A settings store of this run's own, so the benchmark neither reads nor changes the
    // player's.
    QTemporaryDir configHome;
    if (configHome.isValid()) {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    }
    QTemporaryDir runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeDir.isValid()) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    }
    QApplication application(argc, argv);
    // Any dialog or message box a roll might bring up ends at once, as by Escape.
    ScopedModalScript noDialogs{ModalScript{}};
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
