// The costs of the settings store: one value written, a layout of n squares saved as the
// editor's Save does (each square reads the count, writes its entry and the count), and
// the first reading of a stored layout of n entries after the file has changed. Every
// write replaces the file through a new one that is flushed to the disk, which the
// writes take most of their time waiting for.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>

#include <fstream>

#include <string>

#include "bench/ui_bench_support.h"
#include "editor/layout_storage.h"
#include "editor/profile_layout_store.h"
#include "shell/platform/seams.h"
#include "shell/stored_values.h"

namespace {

class NoMessages : public LayoutMessages {
public:
    void ShowLayoutMessage(unsigned, const char*, const std::string&, bool) override {}
};

// A store of its own, holding the twelve settings as a player's does.
class Store {
public:
    Store() {
        path = dir.filePath("Rolvan.conf").toStdString();
        SetProfileFileForTesting(path.c_str());
        app.SetRegistryKey("quendel");
        for (const ColourSetting& colour : kColourSettings) {
            app.WriteProfileString(kSettingsSection, colour.name,
                                   FormatColourText(colour.defaultValue).c_str());
        }
        for (const char* name : {"Level", "BallSpeed", "XGridSize", "YGridSize"}) {
            app.WriteProfileInt(kSettingsSection, name, 10);
        }
    }
    ~Store() { SetProfileFileForTesting(nullptr); }

    // Gives the file a new time, as another program's write does, so that the next reading
    // takes it in whole; not timed.
    void Touch(benchmark::State& state) {
        state.PauseTiming();
        const timespec times[2] = {{0, UTIME_OMIT}, {1000000 + ++touches, 0}};
        ::utimensat(AT_FDCWD, path.c_str(), times, 0);
        state.ResumeTiming();
    }

    // A 100 x 100 board whose first n squares in reading order are Home squares.
    static void MarkHomes(Board& board, int n) {
        board.columns = 100;
        board.rows = 100;
        board.BuildBoard();
        int marked = 0;
        board.ForEachSquare([&](Square& square) {
            if (marked++ < n) {
                square.kind = Home;
            }
        });
    }

    QTemporaryDir dir;
    std::string path;
    CRolvanApp app;
    ProfileLayoutStore layout;
    NoMessages messages;
    long long touches = 0;
};

void BM_WriteOneValue(benchmark::State& state) {
    Store store;
    int level = 0;
    for (auto _ : state) {
        store.app.WriteProfileInt(kSettingsSection, "Level", 1 + level++ % 4);
    }
}
BENCHMARK(BM_WriteOneValue)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_SaveLayout(benchmark::State& state) {
    Store store;
    Board board;
    Store::MarkHomes(board, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        SaveLayout(board, store.layout, store.messages);
    }
    state.counters["per_square"] = benchmark::Counter(
        static_cast<double>(state.range(0)),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SaveLayout)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The first reading of a stored layout after another program's write.
void BM_LoadLayoutAfterAChange(benchmark::State& state) {
    Store store;
    const int n = static_cast<int>(state.range(0));
    {
        std::ofstream file(store.path, std::ios::app);
        file << "HomeCount=" << n << "\n";
        for (int i = 0; i < n; ++i) {
            file << "Home" << i << "=\"(" << i % 100 << "," << i / 100 << ")\"\n";
        }
    }
    Board board;
    Store::MarkHomes(board, 0);
    for (auto _ : state) {
        store.Touch(state);
        LoadLayout(board, store.layout, store.messages);
    }
}
BENCHMARK(BM_LoadLayoutAfterAChange)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A file just under the largest size the store reads, of short lines, read once after it
// has changed.
void BM_ReadAFileJustUnderTheLargestSize(benchmark::State& state) {
    Store store;
    {
        std::string text = "[Settings]\n";
        for (long long i = 0; text.size() < (16 << 20) - 4096; ++i)
            text += "k" + std::to_string(i) + "=1\n";
        std::ofstream(store.path, std::ios::app) << text;
    }
    for (auto _ : state) {
        store.Touch(state);
        benchmark::DoNotOptimize(store.app.GetProfileInt(kSettingsSection, "Level", 2));
    }
}
BENCHMARK(BM_ReadAFileJustUnderTheLargestSize)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunUiBenchmarks(argc, argv);
}
