// End to end through a real PulseAudio server (started by pulse_e2e.sh): "play" plays a file with
// the modMP3 routines through the PulseAudio sink while parec records the server's null sink, and
// checks that the recording is the file's decode; "controls" pauses, stops and resumes; "fallback" checks
// that with no server the engine plays through the null sink.

#include "playback/engine.h"
#include "playback/mci.h"
#include "playback/modmp3.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

namespace {

using Samples = std::vector<qint16>;

int fail(const char* what) {
    std::fprintf(stderr, "FAILED: %s\n", what);
    return 1;
}

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

Samples samplesOf(const QByteArray& raw) {
    Samples s(size_t(raw.size()) / 2);
    std::memcpy(s.data(), raw.constData(), s.size() * 2);
    return s;
}

// Correlation of the left channels of a (from frame a0) and b (from frame b0) over n frames.
double correlation(const Samples& a, qint64 a0, const Samples& b, qint64 b0, qint64 n) {
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    for (qint64 i = 0; i < n; ++i) {
        const double x = a[size_t(2 * (a0 + i))], y = b[size_t(2 * (b0 + i))];
        sa += x, sb += y, saa += x * x, sbb += y * y, sab += x * y;
    }
    const double cov = sab - sa * sb / double(n), va = saa - sa * sa / double(n),
                 vb = sbb - sb * sb / double(n);
    return va > 0 && vb > 0 ? cov / std::sqrt(va * vb) : 0;
}

qint64 firstLoud(const Samples& s) {
    for (size_t i = 0; i < s.size(); ++i)
        if (std::abs(s[i]) > 200)
            return qint64(i / 2);
    return -1;
}

// Plays fixture (44100 Hz stereo) as C:\<name> and compares the capture with mpg123's decode.
int play(const QString& fixture) {
    const QFileInfo info(fixture);
    qputenv("VORLAK_DRIVES", ("C:=" + info.absolutePath()).toUtf8());
    qputenv("VORLAK_AUDIO", "pulse");

    QProcess reference;
    reference.start("mpg123", {"-q", "-s", fixture});
    if (!reference.waitForFinished(30000) || reference.exitCode() != 0)
        return fail("mpg123 -s");
    const Samples ref = samplesOf(reference.readAllStandardOutput());

    QTemporaryDir scratch;
    const QString capture = scratch.filePath("capture.raw");
    QProcess recorder;
    recorder.setStandardOutputFile(capture);
    recorder.start("parec", {"--device=capture.monitor", "--format=s16le", "--rate=44100", "--channels=2",
                             "--raw", "--latency-msec=50"});
    if (!recorder.waitForStarted(5000))
        return fail("parec does not start");
    // The recording may start late: play only once it runs.
    for (int i = 0; i < 500 && QFileInfo(capture).size() < 44100; ++i)
        sleepMs(20);
    if (QFileInfo(capture).size() < 44100)
        return fail("parec records nothing");

    OpenAndPlay("C:\\" + info.fileName());
    playback::Player* player = playback::mciDevice("MP3Play");
    if (!player)
        return fail("the device did not open");
    // The output is chosen when playback starts; the null sink of the server may start late.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (IsPlaying() && std::chrono::steady_clock::now() < deadline)
        sleepMs(20);
    const QString sink = player->sinkName();
    const QString position = PositionText(), length = LengthText();
    if (IsPlaying())
        return fail("still playing after 30 s");
    StopAndClose();
    sleepMs(800);
    recorder.terminate();
    recorder.waitForFinished(5000);
    QFile captured(capture);
    if (!captured.open(QIODevice::ReadOnly))
        return fail("no capture");
    const Samples got = samplesOf(captured.readAll());
    std::printf("sink %s, position %s of %s, captured %zu frames, reference %zu frames\n", qPrintable(sink),
                qPrintable(position), qPrintable(length), got.size() / 2, ref.size() / 2);
    if (sink != "pulse")
        return fail("did not play through PulseAudio");
    if (position != length)
        return fail("the position at the end is not the length");

    // Line the capture up with the reference: near the first loud sample, then by correlation.
    const qint64 refStart = firstLoud(ref), gotStart = firstLoud(got);
    if (refStart < 0 || gotStart < 0)
        return fail("the capture is silent");
    const qint64 window = 44100, from = refStart + 22050;
    if (qint64(ref.size()) / 2 < from + window)
        return fail("the reference is too short");
    qint64 bestLag = 0;
    double best = -2;
    for (qint64 lag = gotStart - refStart - 4096; lag <= gotStart - refStart + 4096; ++lag) {
        if (from + lag < 0 || from + lag + window > qint64(got.size()) / 2)
            continue;
        const double c = correlation(ref, from, got, from + lag, window);
        if (c > best)
            best = c, bestLag = lag;
    }
    // When a stream starts, the server rewinds its sink to mix it in at once; audio the monitor
    // had already recorded as silence is not recorded again, so the first few milliseconds may be
    // missing from the capture (never from the stream).
    const qint64 missing = std::max<qint64>(0, gotStart - bestLag - refStart);
    const qint64 refFrom = std::max<qint64>(missing, -bestLag);
    const qint64 overlap =
        std::min<qint64>(qint64(ref.size()) / 2, qint64(got.size()) / 2 - bestLag) - refFrom;
    std::printf("offset %lld frames (%.3f s), first %lld frames not recorded\n", (long long)bestLag,
                double(bestLag) / 44100, (long long)missing);
    if (missing > 4410)
        return fail("more than 100 ms of the start are missing from the capture");
    if (refFrom + overlap < qint64(ref.size()) / 2)
        return fail("the end of the title is missing from the capture");
    const double whole = correlation(ref, refFrom, got, refFrom + bestLag, overlap);
    std::printf("correlation %.6f over %lld frames\n", whole, (long long)overlap);
    if (whole < 0.999)
        return fail("the capture does not match the decode");
    return 0;
}

// Pause, resume, stop and play again through the server. The position never runs ahead of the
// time the title has had to play, stands while paused, and goes on from where it stopped.
int controls(const QString& fixture) {
    const QFileInfo info(fixture);
    qputenv("VORLAK_DRIVES", ("C:=" + info.absolutePath()).toUtf8());
    qputenv("VORLAK_AUDIO", "pulse");
    char reply[32];
    const auto positionMs = [&] {
        mciSendString("status MP3Play position", reply, sizeof reply);
        return QByteArray(reply).toLongLong();
    };
    const auto t0 = std::chrono::steady_clock::now();
    const auto elapsedMs = [&] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0)
            .count();
    };
    OpenAndPlay("C:\\" + info.fileName());
    if (!IsPlaying())
        return fail("not playing");
    // The server's null sink may take up to 2 s to start on a new stream.
    while (positionMs() < 1000 && elapsedMs() < 5000) {
        if (positionMs() > elapsedMs())
            return fail("the position runs ahead of the sound");
        sleepMs(10);
    }
    if (positionMs() < 1000)
        return fail("the position does not move");
    PausePlayback();
    sleepMs(100); // the cork takes effect on the server
    const qint64 paused = positionMs();
    sleepMs(500);
    std::printf("paused at %lld ms, %lld ms after 0.5 s\n", (long long)paused, (long long)positionMs());
    if (IsPlaying() || positionMs() != paused)
        return fail("the position moves while paused");
    mciSendString("play MP3Play", nullptr, 0);
    sleepMs(500);
    mciSendString("stop MP3Play", nullptr, 0);
    const qint64 stopped = positionMs();
    std::printf("stopped at %lld ms\n", (long long)stopped);
    if (stopped <= paused || stopped > paused + 600)
        return fail("the position after resuming is wrong");
    mciSendString("play MP3Play", nullptr, 0);
    sleepMs(50);
    if (positionMs() < stopped)
        return fail("play after stop does not go on from the stop position");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (IsPlaying() && std::chrono::steady_clock::now() < deadline)
        sleepMs(20);
    std::printf("ended at %s of %s\n", qPrintable(PositionText()), qPrintable(LengthText()));
    if (IsPlaying() || PositionText() != LengthText())
        return fail("does not play to the end");
    StopAndClose();
    return 0;
}

// With no server the open and play succeed and the title plays through the null sink.
int fallback(const QString& fixture) {
    const QFileInfo info(fixture);
    qputenv("VORLAK_DRIVES", ("C:=" + info.absolutePath()).toUtf8());
    qputenv("VORLAK_AUDIO", "auto");
    OpenAndPlay("C:\\" + info.fileName());
    playback::Player* player = playback::mciDevice("MP3Play");
    if (!player)
        return fail("the device did not open");
    sleepMs(1200);
    const double seconds = PositionSeconds();
    std::printf("sink %s, playing %d, position %.0f s\n", qPrintable(player->sinkName()), int(IsPlaying()),
                seconds);
    if (player->sinkName() != "null" || !IsPlaying() || seconds < 1)
        return fail("no fallback to the null sink");
    StopAndClose();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return fail("usage: playback_e2e play|controls|fallback FILE.mp3");
    const QString mode = argv[1], file = argv[2];
    const int rc = mode == "play" ? play(file) : mode == "controls" ? controls(file) : fallback(file);
    if (rc == 0)
        std::printf("%s: passed\n", argv[1]);
    return rc;
}
