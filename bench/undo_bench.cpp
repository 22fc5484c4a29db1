// Undo of a sort of 32,767 entries, with its display rebuild, against one RefreshList of the same
// list shown by file name (as in editing_bench); and the memory the history holds after 100
// alternating ascending and descending folder sorts of 1,000,000 entries against its limit of
// 256 MB, summed from what its steps hold (PlaylistHistory::memoryBytes).
#include "app/window/frmVeriVuzeDadeve.h"
#include "benchmain.h"
#include "listwindow.h"

#include <QAction>
#include <algorithm>
#include <random>

namespace {

using Window = bench::ListWindow;

void BM_RefreshList(benchmark::State& st) {
    Window w;
    for (auto _ : st)
        w.window.display.RefreshList(0);
}

void BM_UndoSort(benchmark::State& st) {
    Window w;
    for (auto _ : st) {
        st.PauseTiming();
        w.state.Entries = bench::shuffledLibrary().dosPaths;
        w.window.display.RefreshList(0);
        w.window.editing.menAscNam_Click();
        st.ResumeTiming();
        w.window.history.undo();
    }
    if (w.state.Entries != bench::shuffledLibrary().dosPaths)
        st.SkipWithError("not undone");
}

// A million entries: the library's paths over and over (each about 30 times), shuffled; the first
// sort is a random order, each later one the last reversed in groups of equal paths.
void BM_HistoryOfMillionSorts(benchmark::State& st) {
    const QStringList& paths = bench::shuffledLibrary().dosPaths;
    QStringList million;
    million.reserve(1'000'000);
    for (int i = 0; i < 1'000'000; ++i)
        million.append(paths[i % paths.size()]);
    std::shuffle(million.begin(), million.end(), std::mt19937(9));
    for (auto _ : st) {
        Window w(false);
        w.state.Entries = million;
        w.window.display.RefreshList(0);
        for (int i = 0; i < 100; ++i)
            (i % 2 ? w.window.menDesFol : w.window.menAscFol)->trigger();
        const double bytes = double(w.window.history.memoryBytes());
        st.counters["history_MB"] = bytes / (1 << 20);
        bench::report("undo_memory_1000000", bytes / double(PlaylistHistory::kMemoryLimit), 1.0);
        if (w.window.history.undoableSteps() != 100)
            st.SkipWithError("steps lost");
    }
}

} // namespace

BENCHMARK(BM_RefreshList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoSort)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryOfMillionSorts)->Unit(benchmark::kMillisecond)->Iterations(1);
VORLAK_COMPARE(undo_sort_32767, "BM_UndoSort", "BM_RefreshList", 2.0);
