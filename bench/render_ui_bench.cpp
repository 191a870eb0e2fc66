// The costs of what the player sees: a full redraw of a large window, one step of the
// rolling ball, the pace of a roll at the default speed, and the resize path that lays
// everything out and builds every picture again. Runs the real view on Qt's offscreen
// platform, on a settings store of its own.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QString>
#include <QWidget>

#include <chrono>
#include <memory>

#include "bench/ui_bench_support.h"
#include "render/ball_motion.h"

namespace {

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
    BenchGame game(columns, rows, 1920, 1080);
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
    BenchGame game(15, 10, 800, 600);
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
    BenchGame game(15, 10, 800, 600);
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
    BenchGame game(15, 10, 800, 600);
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
    BenchGame game(columns, rows, 1920, 1080);
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
    return RunUiBenchmarks(argc, argv);
}
