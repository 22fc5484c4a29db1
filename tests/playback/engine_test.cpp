// The engine end to end with the test sink: the samples that reach the output, the length, the
// modes and the position as the sink's clock moves, and files that are damaged or go away.

#include "playback/engine.h"
#include "playback/mci.h"
#include "playbacktesting.h"
#include "tempdrive.h"

#include <QFile>
#include <gtest/gtest.h>
#include <thread>

using playback::Player;

namespace {

QByteArray mci(const QByteArray& command, MCIERROR* code = nullptr) {
    char reply[64];
    const MCIERROR rc = mciSendString(command.constData(), reply, sizeof reply);
    if (code)
        *code = rc;
    else
        EXPECT_EQ(rc, 0u) << command.constData();
    return reply;
}

qint64 msOf(qint64 frames, int rate) {
    return (frames * 1000 + rate / 2) / rate;
}

} // namespace

// Every shape of file reaches the sink exactly as mpg123 decodes it, lines up with ffmpeg's
// independent decode, and reports as its length exactly what was delivered, within 60 ms of the
// source WAV (also without a Xing header, where the header estimate is off by seconds).
TEST(PlaybackEngine, DeliversTheReferenceDecodeAndItsExactLength) {
    const struct {
        const char* mp3;
        const char* wav;
    } cases[] = {
        {"pb-cbr-s44.mp3", "pb-s44.wav"},        {"pb-vbr-s44.mp3", "pb-s44.wav"},
        {"pb-vbr-s44-noxing.mp3", "pb-s44.wav"}, {"pb-cbr-m22.mp3", "pb-m22.wav"},
        {"pb-vbr-m22.mp3", "pb-m22.wav"},        {"pb-cbr-s48.mp3", "pb-s48.wav"},
        {"pb-vbr-s48.mp3", "pb-s48.wav"},        {"pb-vbr-m44.mp3", "pb-m44.wav"},
    };
    TempDrive drive;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mp3);
        TestSinks sinks;
        drive.copyFixture(QString::fromLatin1(c.mp3), QStringLiteral("C:\\t.mp3"));
        mci("open C:\\t.mp3 type mpegvideo alias t");
        mci("play t");
        ASSERT_TRUE(sinks.last()->waitForDrain(20000));
        const std::vector<qint16> got = sinks.last()->recorded();
        const auto format = sinks.last()->format();

        const std::vector<qint16> mpg123 = samplesOf(runProgram("mpg123", {"-q", "-s", fixture(c.mp3)}));
        ASSERT_EQ(got.size(), mpg123.size());
        EXPECT_TRUE(got == mpg123) << "samples differ from mpg123 -s";

        const std::vector<qint16> ffmpeg =
            samplesOf(runProgram("ffmpeg", {"-v", "error", "-i", fixture(c.mp3), "-f", "s16le", "-"}));
        const qint64 lag = bestLag(got, ffmpeg, 1200 * format.channels, format.channels, 20000);
        EXPECT_GE(correlation(got, ffmpeg, lag), 0.999) << "lag " << lag;

        int wavRate = 0, wavChannels = 0;
        const qint64 wav = wavFrames(fixture(c.wav), &wavRate, &wavChannels);
        EXPECT_EQ(format, (playback::AudioFormat{wavRate, wavChannels}));
        const qint64 frames = qint64(got.size()) / format.channels;
        ASSERT_TRUE(eventually([] { return playback::mciDevice("t")->lengthIsExact(); }));
        const qint64 lengthMs = mci("status t length").toLongLong();
        EXPECT_LE(std::abs(lengthMs * format.rate - frames * 1000), format.rate) << "length " << lengthMs;
        EXPECT_LE(std::abs(frames - wav) * 1000, 60 * format.rate) << "WAV frames " << wav;
        mci("close t");
    }
}

// The mode and the position follow the sink's clock: the position is what the sink has been
// given minus what it still holds, it stands while paused, a stop keeps it and play goes on from
// there with the right samples, and after the end the mode is no longer "playing".
TEST(PlaybackEngine, ModeAndPositionFollowTheSinkClock) {
    TempDrive drive;
    drive.copyFixture("pb-cbr-s48.mp3", "C:\\t.mp3"); // 48 frames per millisecond
    TestSinks sinks(500);
    mci("open C:\\t.mp3 alias t");
    EXPECT_EQ(mci("status t mode"), "stopped");
    mci("play t");
    auto sink = sinks.last();
    const auto full = [&](qint64 heardMs) {
        return eventually([&] { return sink->framesWritten() >= (heardMs + 500) * 48; });
    };
    ASSERT_TRUE(full(0));
    EXPECT_EQ(mci("status t mode"), "playing");
    EXPECT_EQ(mci("status t position"), "0");
    for (int ms = 250; ms <= 1000; ms += 250) {
        sink->advance(250);
        EXPECT_EQ(mci("status t position").toLongLong(), ms);
        ASSERT_TRUE(full(ms));
    }

    mci("pause t");
    sink->advance(300);
    EXPECT_EQ(mci("status t mode"), "paused");
    EXPECT_EQ(mci("status t position"), "1000");
    mci("play t");
    sink->advance(200);
    EXPECT_EQ(mci("status t mode"), "playing");
    EXPECT_EQ(mci("status t position"), "1200");

    mci("stop t");
    sink->advance(300);
    EXPECT_EQ(mci("status t mode"), "stopped");
    EXPECT_EQ(mci("status t position"), "1200");
    mci("play t");
    ASSERT_TRUE(eventually([&] { return sink->segmentStarts().size() == 2; }));
    const qint64 before = sink->segmentStarts().back(); // the first segment began at the first play
    ASSERT_TRUE(eventually([&] { return sink->framesWritten() >= before + 500 * 48; }));
    EXPECT_EQ(mci("status t position"), "1200");
    const std::vector<qint16> reference =
        samplesOf(runProgram("mpg123", {"-q", "-s", fixture("pb-cbr-s48.mp3")}));
    const std::vector<qint16> got = sink->recorded();
    const size_t resumed = size_t(before) * 2, at = 1200 * 48 * 2;
    ASSERT_GE(got.size(), resumed + 4800);
    EXPECT_TRUE(std::equal(got.begin() + qint64(resumed), got.begin() + qint64(resumed) + 4800,
                           reference.begin() + qint64(at)))
        << "play after stop does not go on from the stop position";

    // Play to the end, letting the decoder refill the sink after every step of the clock.
    const qint64 remaining = qint64(reference.size()) / 2 - 1200 * 48;
    for (qint64 heard = 0; heard < remaining; heard += 250 * 48) {
        sink->advance(250);
        const qint64 due = std::min(remaining, heard + 250 * 48 + 500 * 48);
        ASSERT_TRUE(eventually([&] { return sink->framesWritten() - before >= due; }));
    }
    sink->advance(250);
    ASSERT_TRUE(eventually([&] { return mci("status t mode") != "playing"; }, 2000));
    EXPECT_EQ(mci("status t mode"), "stopped");
    EXPECT_EQ(mci("status t position"), mci("status t length"));
    EXPECT_EQ(msOf(qint64(reference.size()) / 2, 48000), mci("status t length").toLongLong());

    mci("play t"); // after the end: from the start again
    EXPECT_EQ(mci("status t mode"), "playing");
    EXPECT_EQ(mci("status t position"), "0");
    mci("close t");
}

// Damaged and truncated files, and files removed or cut short while playing, end (early or at
// their end) without hanging; nothing is played after the end of what was readable.
TEST(PlaybackEngine, DamagedOrVanishingFilesEndCleanly) {
    TempDrive drive;
    enum Event { None, Remove, Truncate };
    const struct {
        const char* fixture;
        int copies; // a long file is copies of a file without header, end to end
        Event event;
        qint64 minEndMs, maxEndMs; // where playback ends
    } cases[] = {
        {"pb-truncated.mp3", 1, None, 0, 200},               // 3000 bytes of a 4 s title
        {"pb-damaged.mp3", 1, None, 1000, 4000},             // ends at the damage after 1.3 s at the latest
        {"pb-vbr-s44.mp3", 1, Remove, 4000, 4000},           // still open, so it plays on to its end
        {"pb-vbr-s44-noxing.mp3", 30, Truncate, 1000, 8000}, // 2 minutes cut while playing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        TestSinks sinks(200);
        QFile source(fixture(c.fixture));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        const QString host = drive.write("C:\\t.mp3", source.readAll().repeated(c.copies));
        mci("open C:\\t.mp3 type MPEGVideo alias t");
        mci("play t");
        auto sink = sinks.last();
        ASSERT_TRUE(
            eventually([&] { return sink->framesWritten() > 0 || mci("status t mode") != "playing"; }));
        if (c.event == Remove) {
            ASSERT_TRUE(QFile::remove(host));
        } else if (c.event == Truncate) {
            ASSERT_TRUE(QFile::resize(host, 20000));
        }
        for (int i = 0; i < 200 && mci("status t mode") == "playing"; ++i) {
            sink->advance(100);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        EXPECT_EQ(mci("status t mode"), "stopped");
        const qint64 endMs = mci("status t position").toLongLong();
        EXPECT_GE(endMs, c.minEndMs);
        EXPECT_LE(endMs, c.maxEndMs);
        mci("close t");
    }
}
