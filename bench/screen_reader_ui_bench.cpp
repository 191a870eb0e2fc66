// What a screen reader costs a move on the largest board: the time from the key to the end
// of the roll and the computer's reply, on a 100 x 100 board at delay 0, with nobody
// reading the board, and with every square of the board's table made, as a flat review
// leaves it; and what telling it that the whole board changed costs then.
//
// On Qt's offscreen platform no screen reader can listen, so there the program is told that
// one does and its events end in a listener that drops them. tools/screen_reader.sh runs
// the same benchmark on a virtual display under the real Orca, where the events go out over
// D-Bus and Orca answers them; the label says which of the two it was.

#include <benchmark/benchmark.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <chrono>
#include <memory>
#include <vector>

#include "bench/ui_bench_support.h"
#include "shell/platform/seams.h"

namespace {

// Every cell of the board's table, asked for by name as flat review asks.
int ReadTable(CRolvanView& view) {
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(view.GetSafeHwnd());
    int read = 0;
    for (int i = 0; i < board->childCount(); ++i) {
        QAccessibleInterface* child = board->child(i);
        if (child == nullptr || child->role() != QAccessible::Table)
            continue;
        for (int cell = 0; cell < child->childCount(); ++cell)
            read += child->child(cell)->text(QAccessible::Name).isEmpty() ? 0 : 1;
    }
    return read;
}

// From the start position the player lays the cross; the ball rolls one square and the
// computer replies. Out of the timing, the squares and the ball are put back and the
// computer's draws seeded alike, so every move is the same move; the table, once read,
// stays made, as after one flat review.
void Moves(benchmark::State& state, bool tableRead) {
    BenchGame game(100, 100, 1280, 1000);
    CRolvanView& view = *game.view;
    const bool screenReader = QAccessible::isActive();
    if (!screenReader && tableRead)
        WatchGridAndNoticeEventsForTesting([](QAccessibleEvent*) {});
    if (tableRead && ReadTable(view) != 100 * 100)
        state.SkipWithError("the table does not hold every square");
    std::vector<SquareKind> kinds;
    view.board.ForEachSquare([&](const Square& square) { kinds.push_back(square.kind); });
    const BallState start = view.ball;
    double handled = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::size_t next = 0;
        view.board.ForEachSquare([&](Square& square) { square.kind = kinds[next++]; });
        view.ball = start;
        view.random.Seed(1);
        QApplication::processEvents();
        state.ResumeTiming();

        const auto begin = std::chrono::steady_clock::now();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_2, Qt::NoModifier);
        QApplication::sendEvent(view.GetSafeHwnd(), &press);
        handled += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();

        state.PauseTiming();
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_2, Qt::NoModifier);
        QApplication::sendEvent(view.GetSafeHwnd(), &release);
        // The notices go out and a screen reader's questions are answered here.
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["key_to_end_ms"] =
        benchmark::Counter(handled * 1000 / static_cast<double>(state.iterations()));
    state.SetLabel(screenReader ? "AT-SPI bridge on"
                                : (tableRead ? "events to a listener that drops them"
                                             : "no assistive technology"));
    WatchGridAndNoticeEventsForTesting(nullptr);
}

void BM_Move_100x100(benchmark::State& state) {
    Moves(state, false);
}
BENCHMARK(BM_Move_100x100)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_Move_100x100_TableRead(benchmark::State& state) {
    Moves(state, true);
}
BENCHMARK(BM_Move_100x100_TableRead)->Unit(benchmark::kMillisecond)->Iterations(200);

// A new game, the editor or a new size on the largest board, after a flat review made every
// cell: each cell is said gone to the screen reader, then the table's reset. With nobody
// listening (argument 0) the cells are only deleted.
void BM_BoardReset_100x100_TableRead(benchmark::State& state) {
    BenchGame game(100, 100, 1280, 1000);
    CRolvanView& view = *game.view;
    const bool screenReader = QAccessible::isActive();
    if (!screenReader && state.range(0) == 1)
        WatchGridAndNoticeEventsForTesting([](QAccessibleEvent*) {});
    for (auto _ : state) {
        state.PauseTiming();
        if (ReadTable(view) != 100 * 100)
            state.SkipWithError("the table does not hold every square");
        QApplication::processEvents();
        state.ResumeTiming();
        view.BoardChangedForAccessibility();
    }
    state.SetLabel(screenReader ? "AT-SPI bridge on"
                                : (state.range(0) == 1 ? "events to a listener that drops them"
                                                       : "nobody listening"));
    WatchGridAndNoticeEventsForTesting(nullptr);
}
BENCHMARK(BM_BoardReset_100x100_TableRead)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    return RunUiBenchmarks(argc, argv);
}
