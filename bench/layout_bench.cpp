// One resize of the main window with 32,767 entries in the playlist, against one RefreshList of
// them: a resize places the controls and must not rebuild the list. The repaint that the event
// loop does after either is left out of both.
#include "app/window/frmVeriVuzeDadeve.h"
#include "benchmain.h"
#include "playlist/window/playlistbox.h"

#include <QCoreApplication>

namespace {

constexpr int kEntries = 32767;

struct ShownList {
    ProgramState state;
    frmVeriVuzeDadeve window{state};
    ShownList() {
        for (int i = 0; i < kEntries; ++i)
            state.Entries.append(QStringLiteral("C:\\Music\\Artist %1\\Album %2\\%3 Track number %4.mp3")
                                     .arg(i / 300, 3, 10, QLatin1Char('0'))
                                     .arg(i / 12 % 25)
                                     .arg(i % 12 + 1, 2, 10, QLatin1Char('0'))
                                     .arg(i));
        window.show();
        window.display.RefreshList(0);
        QCoreApplication::processEvents();
    }
};

// Never destroyed: its widgets may not outlive the application object.
ShownList& shown() {
    static ShownList* s = new ShownList;
    return *s;
}

// Each pass changes the size, which runs Form_Resize once from the event loop.
void BM_FormResize(benchmark::State& state) {
    ShownList& s = shown();
    const QSize sizes[] = {s.window.size(), s.window.size() + QSize(150, 90)};
    int pass = 0;
    int listWidth = s.window.lstListe->width();
    for (auto _ : state) {
        const QSize size = sizes[++pass % 2];
        s.window.resize(size);
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (s.window.size() != size || s.window.lstListe->width() == listWidth)
            state.SkipWithError("the window or the list did not take the new size");
        listWidth = s.window.lstListe->width();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (s.window.lstListe->ListCount() != kEntries)
        state.SkipWithError("the list lost rows");
}

void BM_RefreshList(benchmark::State& state) {
    ShownList& s = shown();
    for (auto _ : state) {
        s.window.display.RefreshList(0);
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_FormResize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshList)->Unit(benchmark::kMillisecond);
VORLAK_COMPARE(resize_32767, "BM_FormResize", "BM_RefreshList", 0.2);
