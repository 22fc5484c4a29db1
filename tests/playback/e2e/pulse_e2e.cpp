// End to end through the PulseAudio server that pulse_e2e.sh starts: a title played through the
// PulseAudio sink is recorded from the server's null sink with parec and compared with the decode,
// and the position follows the sound. NoServer runs once the script has stopped the server.

#include "playback/engine.h"
#include "playback/mci.h"
#include "playback/modmp3.h"
#include "playbacktesting.h"
#include "tempdrive.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

qint64 firstLoud(const Samples& s) {
    const auto it = std::find_if(s.begin(), s.end(), [](qint16 x) { return std::abs(x) > 200; });
    return (it - s.begin()) & ~1; // a whole frame of stereo
}

} // namespace

TEST(PulseE2e, PlaysTheDecodeThroughTheServer) {
    TempDrive drive;
    drive.copyFixture("pb-cbr-s44.mp3", "C:\\a.mp3");
    qputenv("VORLAK_AUDIO", "pulse");
    QTemporaryDir scratch;
    const QString capture = scratch.filePath("capture.raw");
    QProcess parec;
    parec.setStandardOutputFile(capture);
    parec.start("parec", {"--device=capture.monitor", "--format=s16le", "--rate=44100", "--channels=2",
                          "--raw", "--latency-msec=50"});
    // The recording may start late: play only once it runs.
    ASSERT_TRUE(eventually([&] { return QFile(capture).size() >= 44100; })) << "parec records nothing";
    OpenAndPlay("C:\\a.mp3");
    ASSERT_TRUE(IsPlaying());
    ASSERT_TRUE(eventually([] { return !IsPlaying(); }, 30000));
    EXPECT_EQ(PositionText(), LengthText());
    StopAndClose();
    QThread::msleep(500);
    parec.terminate();
    parec.waitForFinished();

    QFile captured(capture);
    ASSERT_TRUE(captured.open(QIODevice::ReadOnly));
    const Samples got = samplesOf(captured.readAll()), ref = decode(fixture("pb-cbr-s44.mp3"));
    // The server's null sink may start a stream up to 2 s late: the first loud samples give a rough
    // offset. Starting a stream rewinds the sink, and what the monitor recorded as silence before is
    // not recorded again, so up to 100 ms of the start may be missing.
    const qint64 lag = bestLag(ref, got, firstLoud(got) - firstLoud(ref), 8192, 2);
    EXPECT_GE(qint64(got.size()), qint64(ref.size()) + lag) << "the end is missing";
    EXPECT_GE(correlation(ref, got, lag, 8820), 0.999) << "lag " << lag;
}

// The position never runs ahead of the time the title has had to play, stands while paused, and
// goes on from where a stop left it.
TEST(PulseE2e, PositionFollowsTheSound) {
    TempDrive drive;
    drive.copyFixture("pb-vbr-s48.mp3", "C:\\a.mp3");
    qputenv("VORLAK_AUDIO", "pulse");
    const auto position = [] {
        char reply[32];
        mciSendString("status MP3Play position", reply, sizeof reply);
        return QByteArray(reply).toLongLong();
    };
    QElapsedTimer clock;
    clock.start();
    OpenAndPlay("C:\\a.mp3");
    // The server's null sink may take up to 2 s to start a new stream.
    qint64 ms = 0, elapsed = 0;
    eventually([&] {
        ms = position();
        elapsed = clock.elapsed();
        return ms >= 1000 || ms > elapsed;
    });
    ASSERT_TRUE(ms >= 1000 && ms <= elapsed) << ms << " ms after " << elapsed << " ms";
    PausePlayback();
    QThread::msleep(100); // the cork reaches the server
    const qint64 paused = position();
    QThread::msleep(500);
    EXPECT_FALSE(IsPlaying());
    EXPECT_EQ(position(), paused);
    mciSendString("play MP3Play", nullptr, 0);
    QThread::msleep(500);
    mciSendString("stop MP3Play", nullptr, 0);
    const qint64 stopped = position();
    EXPECT_TRUE(stopped > paused && stopped <= paused + 600) << paused << " ms, then " << stopped << " ms";
    mciSendString("play MP3Play", nullptr, 0);
    QThread::msleep(50);
    EXPECT_GE(position(), stopped);
    EXPECT_TRUE(eventually([] { return !IsPlaying(); }, 30000));
    EXPECT_EQ(PositionText(), LengthText());
    StopAndClose();
}

// Auto mode plays through the null sink and says so once on stderr; pulse mode gives up.
TEST(NoServer, FallsBackToTheNullSink) {
    TempDrive drive;
    drive.copyFixture("pb-cbr-s44.mp3", "C:\\a.mp3");
    qputenv("VORLAK_AUDIO", "auto");
    testing::internal::CaptureStderr();
    QElapsedTimer clock;
    clock.start();
    OpenAndPlay("C:\\a.mp3");
    EXPECT_TRUE(eventually([] { return PositionSeconds() >= 1; }));
    EXPECT_GE(clock.elapsed(), 500) << "the null sink runs ahead of the clock";
    EXPECT_EQ(playback::mciDevice("MP3Play")->sinkName(), "null");
    StopAndClose();
    const QString err = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_EQ(err.count(u'\n'), 1) << qPrintable(err);

    qputenv("VORLAK_AUDIO", "pulse");
    OpenAndPlay("C:\\a.mp3");
    EXPECT_TRUE(eventually([] { return !IsPlaying(); }, 1000));
    StopAndClose();
}
