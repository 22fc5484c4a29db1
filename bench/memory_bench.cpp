// The peak memory of the program holding a million entries: a playlist of 1,000,000 lines (1,000
// files, each named a thousand times) loaded and shown in the main window. Budget 400 MB.
#include "app/window/frmVeriVuzeDadeve.h"
#include "benchmain.h"
#include "tempmusic.h"
#include "platform/dosfs.h"
#include "platform/textfile.h"
#include "playlist/window/playlistbox.h"

#include <QFile>

namespace {

long peakKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

void BM_MillionEntries(benchmark::State& state) {
    // 1,000 files, each named a thousand times.
    bench::TempMusic files(1000);
    const QString playlist = files.writePlaylist(1'000'000);
    const long before = peakKiB();
    for (auto _ : state) {
        ProgramState s;
        frmVeriVuzeDadeve window(s);
        window.show();
        LoadTextPlaylist(s, playlist);
        window.display.RefreshList(0);
        if (window.lstListe->ListCount() != 1'000'000)
            state.SkipWithError("not every entry loaded");
        state.counters["peak_MB"] = double(peakKiB()) / 1024;
        bench::report("memory_1000000_entries", double(peakKiB()) / 1024 / 400, 1.0);
    }
    state.counters["before_MB"] = double(before) / 1024;
}

} // namespace

BENCHMARK(BM_MillionEntries)->Unit(benchmark::kMillisecond)->Iterations(1);
