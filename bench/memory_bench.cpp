// The peak memory of the program holding a million entries: a playlist of 1,000,000 lines (1,000
// files, each named a thousand times) loaded and shown in the main window, measured for the whole
// process that does it (million_loader), which does nothing else. Budget 400 MB; goal 150 MB.
#include "benchmain.h"
#include "tempmusic.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

void BM_MillionEntries(benchmark::State& state) {
    // 1,000 files, each named a thousand times; the drive mapping goes to the loader with the
    // environment.
    bench::TempMusic files(1000);
    const QString playlist = files.writePlaylist(1'000'000);
    for (auto _ : state) {
        QProcess load;
        load.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        load.start(QStringLiteral(VORLAK_MILLION_LOADER), {playlist});
        if (!load.waitForFinished(300000) || load.exitCode() != 0)
            return state.SkipWithError("the loader failed");
        const auto m = QRegularExpression(QStringLiteral(R"(rows=(\d+) peak_kib=(\d+))"))
                           .match(QString::fromUtf8(load.readAllStandardOutput()));
        if (!m.hasMatch() || m.captured(1).toLongLong() != 1'000'000)
            return state.SkipWithError("not every entry shown");
        const double peakMB = m.captured(2).toDouble() / 1024;
        state.counters["peak_MB"] = peakMB;
        bench::report("memory_1000000_entries", peakMB / 400, 0.375);
    }
}

} // namespace

BENCHMARK(BM_MillionEntries)->Unit(benchmark::kMillisecond)->Iterations(1);
