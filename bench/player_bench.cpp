// The whole program playing: its CPU time while a title plays for 60 s under Xvfb, through a
// PulseAudio null sink, with the time display on (its timers tick and the labels and bar change
// every second), against 2% of the wall time. The run is made by player_cpu.sh.
#include "benchmain.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

void BM_PlayingUi60s(benchmark::State& state) {
    for (auto _ : state) {
        QProcess run;
        run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        run.start(QStringLiteral("bash"),
                  {QStringLiteral(VORLAK_BENCH_DIR "/player_cpu.sh"), QStringLiteral(VORLAK_PROGRAM),
                   QStringLiteral(VORLAK_FIXTURES_DIR)});
        if (!run.waitForFinished(300000) || run.exitCode() != 0)
            return state.SkipWithError("the program could not be measured");
        const QString out = QString::fromUtf8(run.readAllStandardOutput());
        const auto m =
            QRegularExpression(QStringLiteral(R"(cpu_seconds=([\d.]+) wall_seconds=([\d.]+))")).match(out);
        if (!m.hasMatch())
            return state.SkipWithError("no figures");
        const double cpu = m.captured(1).toDouble(), wall = m.captured(2).toDouble();
        state.counters["cpu_percent"] = 100 * cpu / wall;
        bench::report("cpu_playing_ui_60s", cpu / wall / 0.02, 1.0);
    }
}

} // namespace

BENCHMARK(BM_PlayingUi60s)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
