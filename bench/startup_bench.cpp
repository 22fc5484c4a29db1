// The program started on a 32,767-entry playlist until its main window is shown, against a bare
// QMainWindow program started the same way under the same X server (start_time.sh, medians of
// alternate starts). Not a first start; no sound.
#include "benchmain.h"
#include "tempmusic.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

void BM_StartToWindow(benchmark::State& state) {
    bench::TempMusic files(32767);
    // The X session maps no drive, so Z: is "/".
    QStringList lines;
    for (const QByteArray& host : files.hostPaths)
        lines.append(QStringLiteral("Z:") + QFile::decodeName(host).replace(u'/', u'\\'));
    const QString playlist = files.dir.path() + QStringLiteral("/start.txt");
    if (!textfile::replaceFile(playlist, *textfile::encodeLines(lines)))
        return state.SkipWithError("no playlist");
    for (auto _ : state) {
        QProcess run;
        run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        run.start(QStringLiteral("bash"), {QStringLiteral(VORLAK_BENCH_DIR "/start_time.sh"),
                                          QStringLiteral(VORLAK_PROGRAM), QStringLiteral(VORLAK_BARE_WINDOW),
                                          playlist});
        if (!run.waitForFinished(600000) || run.exitCode() != 0)
            return state.SkipWithError("the starts could not be measured");
        const auto m = QRegularExpression(QStringLiteral(R"(program_ms=([\d.]+) bare_ms=([\d.]+))"))
                           .match(QString::fromUtf8(run.readAllStandardOutput()));
        if (!m.hasMatch() || m.captured(2).toDouble() <= 0)
            return state.SkipWithError("no figures");
        const double program = m.captured(1).toDouble(), bare = m.captured(2).toDouble();
        state.counters["program_ms"] = program;
        state.counters["bare_ms"] = bare;
        bench::report("start_to_window_32767", program / bare, 2.0);
    }
}

} // namespace

BENCHMARK(BM_StartToWindow)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
