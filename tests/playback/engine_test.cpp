// The engine with the test sink: the samples that reach the output, the length, the modes and the
// position as the sink's clock moves, titles that follow each other, and damaged or vanishing files.

#include "playback/engine.h"
#include "playback/mci.h"
#include "playback/modmp3.h"
#include "playbacktesting.h"
#include "tempdrive.h"

#include <QFile>
#include <gtest/gtest.h>
#include <thread>

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
        {"pb-vbr-m22.mp3", {22050, 1}}, {"pb-cbr-s48.mp3", {48000, 2}},  {"pb-vbr-m44.mp3", {44100, 1}},
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
    EXPECT_THROW(PositionSeconds(), PlaybackQueryError);
}

// Titles one after the other, as the automatic advance plays them: a title is reported ended at its
// end while its last samples are still queued. The next title opened at once in the same format is
// queued behind them in the same output, sample for sample, and its position counts from when it is
// heard; in another format it waits until they have been heard and plays through an output of its
// own. A stop while they play silences them; a close that no open follows lets them play out and
// closes the output.
TEST(PlaybackEngine, NextTitleIsQueuedBehindTheEndOfTheTitleBefore) {
    enum Then { OpenAtOnce, StopInTheEnd, OpenWhenHeard };
    const struct {
        const char *first, *second;
        Then then;
        bool sameOutput;
    } cases[] = {
        {"follow-a.mp3", "follow-b.mp3", OpenAtOnce, true},
        {"pb-cbr-s44.mp3", "pb-cbr-m22.mp3", OpenAtOnce, false},
        {"follow-a.mp3", "follow-b.mp3", StopInTheEnd, true},
        {"follow-a.mp3", "follow-b.mp3", OpenWhenHeard, false},
    };
    TempDrive drive;
    for (const auto& c : cases) {
        static const char* const ways[] = {"open at once", "stop in the end", "open when heard"};
        SCOPED_TRACE(std::string(c.first) + " then " + c.second + ", " + ways[c.then]);
        drive.copyFixture(c.first, "C:\\a.mp3");
        drive.copyFixture(c.second, "C:\\b.mp3");
        const Samples a = decode(fixture(c.first)), b = decode(fixture(c.second));
        // The keeper waits in real time for as long as the queue lasts: a long latency leaves the
        // test all the time it needs to open the next title.
        TestSinks sinks(playback::TestSink::kUnbounded, c.then == OpenWhenHeard ? 100 : 1000);
        mci("open C:\\a.mp3 alias a");
        mci("play a");
        const auto first = sinks.last();
        ASSERT_TRUE(first && playUntil(*first, [] { return mci("status a mode") == "stopped"; }));
        const int rate = first->format().rate, channels = first->format().channels;
        const qint64 aFrames = qint64(a.size()) / channels;
        const qint64 queued = first->segmentFrames() - first->heardFrames();
        EXPECT_GT(queued, 0) << "the end was reported only once heard";
        EXPECT_EQ(mci("status a position").toLongLong(), (aFrames * 1000 + rate / 2) / rate);
        mci("close a");
        if (c.then == OpenWhenHeard) { // the keeper has let the end play out and closed the output
            ASSERT_TRUE(playUntil(*first, [&] { return first.use_count() == 2; }));
        }
        mci("open C:\\b.mp3 alias b");
        mci("play b");
        const auto second = sinks.last();
        EXPECT_EQ(second == first, c.sameOutput);
        const qint64 queuedMs = (queued * 1000 + rate - 1) / rate;
        if (c.then == OpenAtOnce && c.sameOutput) {
            ASSERT_TRUE(
                eventually([&] { return first->framesWritten() == qint64(a.size() + b.size()) / channels; }));
            first->advance(queuedMs + 500);
            EXPECT_LE(std::abs(mci("status b position").toLongLong() - 500), 1);
        } else if (c.then == OpenAtOnce) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            EXPECT_EQ(second->framesWritten(), 0)
                << "the next title began before the end of the one before was heard";
            first->advance(queuedMs);
        } else if (c.then == StopInTheEnd) {
            ASSERT_TRUE(eventually([&] { return first->framesWritten() > aFrames; }));
            const qint64 heard = first->heardFrames();
            mci("stop b");
            first->advance(1000);
            EXPECT_EQ(first->heardFrames(), heard) << "the stop did not silence the end of the title before";
            mci("play b");
        }
        ASSERT_TRUE(second && playUntil(*second, [] { return mci("status b mode") == "stopped"; }));
        const Samples got = second->recorded();
        if (c.then == StopInTheEnd) {
            EXPECT_TRUE(Samples(got.begin() + second->segmentStarts().back() * channels, got.end()) == b);
        } else if (c.sameOutput) {
            Samples both = a;
            both.insert(both.end(), b.begin(), b.end());
            EXPECT_TRUE(got == both) << "the joint lost, doubled or moved samples";
            EXPECT_EQ(second->segmentStarts().size(), 1u) << "the end of the title before was flushed";
        } else {
            EXPECT_TRUE(first->recorded() == a);
            EXPECT_TRUE(got == b);
        }
        mci("close b");
    }
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
