// The engine with the test sink: the samples that reach the output, the length, the modes and the
// position as the sink's clock moves, and damaged or vanishing files.

#include "playback/engine.h"
#include "playback/mci.h"
#include "playback/modmp3.h"
#include "playbacktesting.h"
#include "tempdrive.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray mci(const QByteArray& command) {
    char reply[64];
    EXPECT_EQ(mciSendString(command.constData(), reply, sizeof reply), 0u) << command.constData();
    return reply;
}

} // namespace

// Every shape of file reaches the sink exactly as mpg123 decodes it (encoder delay and padding
// left out); the length is what was delivered, also without a Xing header (where the headers'
// estimate is off by seconds).
TEST(PlaybackEngine, DeliversTheReferenceDecodeAndItsExactLength) {
    const struct {
        const char* mp3;
        playback::AudioFormat format;
    } cases[] = {
        {"pb-cbr-s44.mp3", {44100, 2}}, {"pb-vbr-s44.mp3", {44100, 2}}, {"pb-vbr-s44-noxing.mp3", {44100, 2}},
        {"pb-cbr-m22.mp3", {22050, 1}}, {"pb-vbr-m22.mp3", {22050, 1}}, {"pb-cbr-s48.mp3", {48000, 2}},
        {"pb-vbr-s48.mp3", {48000, 2}}, {"pb-vbr-m44.mp3", {44100, 1}},
    };
    TempDrive drive;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mp3);
        TestSinks sinks(200);
        drive.copyFixture(c.mp3, "C:\\t.mp3");
        mci("open C:\\t.mp3 type mpegvideo alias t");
        mci("play t");
        // The clock drains the small buffer, so the decoder hands its chunks over in parts.
        const auto sink = sinks.last();
        ASSERT_TRUE(sink && playUntil(*sink, [&] { return sink->waitForDrain(0); }));
        const Samples got = sink->recorded();
        EXPECT_EQ(sink->format(), c.format);
        EXPECT_TRUE(got == decode(fixture(c.mp3))) << "samples differ from mpg123 -s";
        ASSERT_TRUE(eventually([] { return playback::mciDevice("t")->lengthIsExact(); }));
        const qint64 frames = qint64(got.size()) / c.format.channels,
                     lengthMs = mci("status t length").toLongLong();
        EXPECT_LE(std::abs(lengthMs * c.format.rate - frames * 1000), c.format.rate) << "length " << lengthMs;
        mci("close t");
    }
}

// The position is what the sink has been given minus what it still holds: it follows the sink's
// clock, stands while paused, stays where a stop left it and goes on from there with the right
// samples. After the end the mode is "stopped" and play starts over.
TEST(PlaybackEngine, PositionAndModeFollowTheSinkClock) {
    TempDrive drive;
    drive.copyFixture("pb-cbr-s48.mp3", "C:\\t.mp3"); // 3 s, 96 samples per millisecond
    const Samples reference = decode(fixture("pb-cbr-s48.mp3"));
    TestSinks sinks;
    OpenAndPlay("C:\\t.mp3");
    const auto sink = sinks.last();
    ASSERT_TRUE(sink && sink->waitForDrain(10000)); // the decoder has handed over the whole title
    const auto position = [] { return mci("status MP3Play position").toLongLong(); };
    sink->advance(250);
    EXPECT_EQ(position(), 250);
    PausePlayback();
    sink->advance(300);
    EXPECT_EQ(mci("status MP3Play mode"), "paused");
    EXPECT_FALSE(IsPlaying());
    EXPECT_EQ(position(), 250);
    mci("play MP3Play");
    sink->advance(200);
    EXPECT_EQ(position(), 450);

    mci("stop MP3Play");
    sink->advance(300);
    EXPECT_EQ(mci("status MP3Play mode"), "stopped");
    EXPECT_EQ(position(), 450);
    mci("play MP3Play");
    ASSERT_TRUE(eventually([&] { return sink->segmentStarts().size() == 2; }));
    ASSERT_TRUE(sink->waitForDrain(10000));
    EXPECT_EQ(position(), 450);
    const Samples got = sink->recorded();
    EXPECT_TRUE(std::equal(got.begin() + sink->segmentStarts().back() * 2, got.end(),
                           reference.begin() + 450 * 96, reference.end()))
        << "play after stop does not go on from the stop position";

    sink->advance(3000);
    ASSERT_TRUE(eventually([] { return !IsPlaying(); }));
    EXPECT_EQ(mci("status MP3Play mode"), "stopped");
    EXPECT_EQ(position(), qint64(reference.size()) / 96);
    mci("play MP3Play");
    EXPECT_TRUE(IsPlaying());
    EXPECT_EQ(position(), 0);

    StopAndClose();
    EXPECT_FALSE(IsPlaying());
    EXPECT_EQ(LengthText(), "0:00");
    EXPECT_THROW(PositionSeconds(), PlaybackQueryError);
}

// Damaged and truncated files, and files removed or cut short while playing, end early or at their
// end, without hanging.
TEST(PlaybackEngine, DamagedOrVanishingFilesEndCleanly) {
    TempDrive drive;
    enum Event { None, Remove, Truncate };
    const struct {
        const char* fixture;
        int copies; // a long file is copies of a file without header, end to end
        Event event;
        qint64 minEndMs, maxEndMs;
    } cases[] = {
        {"pb-truncated.mp3", 1, None, 0, 200},               // 3000 bytes of a 4 s title
        {"pb-damaged.mp3", 1, None, 1000, 4000},             // damaged from 1.3 s on
        {"pb-vbr-s44.mp3", 1, Remove, 4000, 4000},           // still open, so it plays to its end
        {"pb-vbr-s44-noxing.mp3", 30, Truncate, 1000, 8000}, // 2 minutes cut while playing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        TestSinks sinks(200);
        QFile source(fixture(c.fixture));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        const QString host = drive.write("C:\\t.mp3", source.readAll().repeated(c.copies));
        mci("open C:\\t.mp3 alias t");
        mci("play t");
        const auto sink = sinks.last();
        ASSERT_TRUE(sink && eventually([&] {
                        return sink->framesWritten() > 0 || mci("status t mode") != "playing";
                    }));
        ASSERT_TRUE(c.event != Remove || QFile::remove(host));
        ASSERT_TRUE(c.event != Truncate || QFile::resize(host, 20000));
        EXPECT_TRUE(playUntil(*sink, [] { return mci("status t mode") == "stopped"; }));
        const qint64 endMs = mci("status t position").toLongLong();
        EXPECT_GE(endMs, c.minEndMs);
        EXPECT_LE(endMs, c.maxEndMs);
        mci("close t");
    }
}
