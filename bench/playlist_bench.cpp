// Loading a 32,767-line playlist of existing files and showing it, in the views "All" and
// "Filenames", against one stat per path.
#include "app/window/frmVeriVuzeDadeve.h"
#include "benchmain.h"
#include "tempmusic.h"
#include "platform/dosfs.h"
#include "playlist/window/playlistbox.h"

#include <QAction>

namespace {

bench::TempMusic& library() {
    static bench::TempMusic l(32767);
    return l;
}

void BM_StatLoop(benchmark::State& state) {
    const bench::TempMusic& files = library(); // made before the timing
    for (auto _ : state)
        benchmark::DoNotOptimize(files.statAll());
}

// Each pass starts with cold caches, as the program's first load does.
void loadAndShow(benchmark::State& state, QAction* (*view)(frmVeriVuzeDadeve&)) {
    const QString list = library().writePlaylist(32767);
    ProgramState s;
    frmVeriVuzeDadeve window(s);
    window.show();
    view(window)->trigger();
    for (auto _ : state) {
        state.PauseTiming();
        s.Entries.clear();
        window.lstListe->clear();
        dosfs::reloadDrives();
        state.ResumeTiming();
        LoadTextPlaylist(s, list);
        window.display.RefreshList(0);
        if (window.lstListe->ListCount() != 32767)
            state.SkipWithError("not every entry loaded");
    }
}

void BM_LoadAndShowAll(benchmark::State& state) {
    loadAndShow(state, [](frmVeriVuzeDadeve& w) { return w.menFold; });
}
void BM_LoadAndShowFilenames(benchmark::State& state) {
    loadAndShow(state, [](frmVeriVuzeDadeve& w) { return w.menNoFold; });
}

} // namespace

BENCHMARK(BM_StatLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndShowAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndShowFilenames)->Unit(benchmark::kMillisecond);
VORLAK_COMPARE(load_show_all_32767, "BM_LoadAndShowAll", "BM_StatLoop", 2.0);
VORLAK_COMPARE(load_show_filenames_32767, "BM_LoadAndShowFilenames", "BM_StatLoop", 2.5);
