// The sorts, mixing, the double-entry search and the moves on 32,767 entries, each with its
// display rebuild, against one RefreshList of the same list shown by file name (the view whose
// rebuild looks up every entry's file once, as the name key does); and sorting 1,000,000 entries
// by name against one stat per path plus a plain stable sort of the paths.
#include "app/window/frmVeriVuzeDadeve.h"
#include "benchmain.h"
#include "listwindow.h"
#include "platform/dosfs.h"
#include "platform/messages.h"
#include "playlist/window/playlistbox.h"

#include <QAction>
#include <QFile>
#include <algorithm>
#include <random>
#include <sys/stat.h>

namespace {

using Window = bench::ListWindow;

void BM_RefreshList(benchmark::State& st) {
    Window w;
    for (auto _ : st)
        w.window.display.RefreshList(0);
}

// Runs command on the shuffled list, restored before each run outside the timing.
void timed(benchmark::State& st, void (*command)(frmVeriVuzeDadeve&), qsizetype row = 0) {
    Window w;
    for (auto _ : st) {
        st.PauseTiming();
        w.state.Entries = bench::shuffledLibrary().dosPaths;
        w.window.display.RefreshList(row);
        st.ResumeTiming();
        command(w.window);
    }
    if (w.state.EntryCount() < 32766)
        st.SkipWithError("entries lost");
}

void BM_SortNamesAscending(benchmark::State& st) {
    timed(st, [](frmVeriVuzeDadeve& w) { w.editing.menAscNam_Click(); });
}
void BM_SortNamesDescending(benchmark::State& st) {
    timed(st, [](frmVeriVuzeDadeve& w) { w.editing.menDesNam_Click(); });
}
void BM_SortFolder(benchmark::State& st) {
    timed(st, [](frmVeriVuzeDadeve& w) { w.editing.menAscFol_Click(); });
}
void BM_DoublesNone(benchmark::State& st) {
    timed(st, [](frmVeriVuzeDadeve& w) { w.editing.cmdFilter_Click(); });
}
void BM_Mix(benchmark::State& st) {
    timed(st, [](frmVeriVuzeDadeve& w) { w.editing.cmdMix_Click(); });
}
void BM_TopOnLast(benchmark::State& st) {
    timed(
        st, [](frmVeriVuzeDadeve& w) { w.editing.cmdHoch2_Click(); }, 32766);
}
void BM_DeleteFirst(benchmark::State& st) {
    timed(st, [](frmVeriVuzeDadeve& w) { w.editing.cmdLoesch_Click(); });
}

// A million entries: the library's paths over and over, shuffled.
QStringList million() {
    const bench::TempMusic& l = bench::shuffledLibrary();
    QStringList list;
    list.reserve(1'000'000);
    for (int i = 0; i < 1'000'000; ++i)
        list.append(l.dosPaths[i % l.dosPaths.size()]);
    std::shuffle(list.begin(), list.end(), std::mt19937(9));
    return list;
}

// Shown with full paths, so that the rebuild adds no lookups of its own to the comparison.
void BM_SortNamesMillion(benchmark::State& st) {
    Window w(false);
    const QStringList list = million();
    for (auto _ : st) {
        st.PauseTiming();
        w.state.Entries = list;
        st.ResumeTiming();
        w.window.editing.menAscNam_Click();
    }
    if (w.window.lstListe->ListCount() != 1'000'000)
        st.SkipWithError("rows lost");
}

void BM_StatAndStableSortMillion(benchmark::State& st) {
    const QStringList list = million();
    std::vector<QByteArray> hosts;
    hosts.reserve(list.size());
    for (const QString& p : list)
        hosts.push_back(QFile::encodeName(*dosfs::resolve(p)));
    for (auto _ : st) {
        st.PauseTiming();
        QStringList copy = list;
        copy.detach();
        st.ResumeTiming();
        int found = 0;
        struct stat s;
        for (const QByteArray& h : hosts)
            found += ::stat(h.constData(), &s) == 0;
        std::stable_sort(copy.begin(), copy.end());
        benchmark::DoNotOptimize(found);
        benchmark::DoNotOptimize(copy.data());
    }
}

} // namespace

BENCHMARK(BM_RefreshList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNamesAscending)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNamesDescending)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortFolder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoublesNone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TopOnLast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteFirst)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNamesMillion)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_StatAndStableSortMillion)->Unit(benchmark::kMillisecond)->Iterations(2);
VORLAK_COMPARE(sort_names_ascending_32767, "BM_SortNamesAscending", "BM_RefreshList", 2.0);
VORLAK_COMPARE(sort_names_descending_32767, "BM_SortNamesDescending", "BM_RefreshList", 2.0);
VORLAK_COMPARE(sort_folder_32767, "BM_SortFolder", "BM_RefreshList", 2.0);
VORLAK_COMPARE(doubles_none_32767, "BM_DoublesNone", "BM_RefreshList", 2.0);
VORLAK_COMPARE(mix_32767, "BM_Mix", "BM_RefreshList", 2.0);
VORLAK_COMPARE(top_on_last_32767, "BM_TopOnLast", "BM_RefreshList", 2.0);
VORLAK_COMPARE(delete_first_32767, "BM_DeleteFirst", "BM_RefreshList", 2.0);
VORLAK_COMPARE(sort_names_1000000, "BM_SortNamesMillion/iterations:2",
               "BM_StatAndStableSortMillion/iterations:2", 2.0);
