// The modMP3 routines over the real service with the test sink: the commands they send, the
// rounding and time texts, and their failure rules.

#include "playback/mci.h"
#include "playback/modmp3.h"
#include "playbacktesting.h"
#include "scriptedmessages.h"
#include "tempdrive.h"

#include <gtest/gtest.h>

TEST(ModMp3, RoundsHalvesToEvenAndWritesTimeTexts) {
    const struct {
        double ms;
        double seconds;
        const char* text;
    } cases[] = {
        {59499, 59, "0:59"},       {59500, 60, "01:00"},     {60500, 60, "01:00"},
        {58500, 58, "0:58"},       {12500, 12, "0:12"},      {13500, 14, "0:14"},
        {12501, 13, "0:13"},       {7000, 7, "0:07"},        {65000, 65, "01:05"},
        {600000, 600, "10:00"},    {0, 0, "0:00"},           {499, 0, "0:00"},
        {6330000, 6330, "105:30"}, {5999499, 5999, "99:59"}, {5999500, 6000, "100:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(mp3time::roundedSeconds(c.ms), c.seconds) << c.ms;
        EXPECT_EQ(mp3time::timeText(mp3time::roundedSeconds(c.ms)), c.text) << c.ms;
    }
}

// Position replies are read strictly (a failure otherwise), length replies leniently.
TEST(ModMp3, ReadsRepliesStrictlyOrLeniently) {
    const struct {
        const char* reply;
        bool strictOk;
        double lenient;
    } cases[] = {
        {"1234", true, 1234}, {" 1234 ", true, 1234}, {"-5", true, -5},  {"1.5", true, 1.5},
        {"1e3", true, 1000},  {"", false, 0},         {"abc", false, 0}, {"12abc", false, 12},
        {"0x10", false, 0},   {"inf", false, 0},      {"nan", false, 0}, {"1 2", false, 1},
    };
    for (const auto& c : cases) {
        double value = -1;
        EXPECT_EQ(mp3time::strictNumber(c.reply, &value), c.strictOk) << c.reply;
        if (c.strictOk) {
            EXPECT_EQ(value, c.lenient) << c.reply;
        }
        EXPECT_EQ(mp3time::leadingNumber(c.reply), c.lenient) << c.reply;
    }
}

TEST(ModMp3, WithNoDeviceQueriesGiveNothingOrFail) {
    StopAndClose();
    StopAndClose(); // harmless twice
    EXPECT_FALSE(IsPlaying());
    EXPECT_EQ(LengthText(), "0:00");
    EXPECT_EQ(LengthSeconds(), 0);
    EXPECT_THROW(PositionSeconds(), PlaybackQueryError);
    EXPECT_THROW(PositionText(), PlaybackQueryError);
}

// A missing, hidden or system file is passed over without a word; a file the service refuses
// and a second open on the alias in use show the service's text; a path with blanks plays.
TEST(ModMp3, OpenAndPlayTestsExistenceAndReportsRefusals) {
    TempDrive drive;
    TestSinks sinks;
    ScriptedMessages messages;
    TempDrive::setDosAttrib(drive.copyFixture("pb-cbr-s44.mp3", "C:\\hidden.mp3"), "0x2");
    TempDrive::setDosAttrib(drive.copyFixture("pb-cbr-s44.mp3", "C:\\system.mp3"), "0x4");
    drive.copyFixture("pb-empty.mp3", "C:\\empty.mp3");
    drive.copyFixture("pb with blanks.mp3", "C:\\My Music\\a b.mp3");

    for (const char* path : {"C:\\missing.mp3", "C:\\hidden.mp3", "C:\\system.mp3"}) {
        OpenAndPlay(path);
        EXPECT_FALSE(IsPlaying()) << path;
        EXPECT_EQ(sinks.count(), 0) << path;
    }
    EXPECT_TRUE(messages.calls().isEmpty());

    char text[128];
    mciGetErrorString(MCIERR_INVALID_FILE, text, sizeof text);
    messages.expectMsgBox(text, vbCritical, AppTitle);
    OpenAndPlay("C:\\empty.mp3");
    EXPECT_FALSE(IsPlaying());
    EXPECT_EQ(LengthText(), "0:00");

    OpenAndPlay("C:\\My Music\\a b.mp3");
    EXPECT_TRUE(IsPlaying());
    EXPECT_EQ(LengthText(), "0:04");
    EXPECT_EQ(LengthSeconds(), 4);
    EXPECT_EQ(PositionText(), "0:00");

    mciGetErrorString(MCIERR_DUPLICATE_ALIAS, text, sizeof text);
    messages.expectMsgBox(text, vbCritical, AppTitle);
    OpenAndPlay("C:\\My Music\\a b.mp3");
    EXPECT_EQ(sinks.count(), 1) << "a second device was opened";
    EXPECT_TRUE(IsPlaying()) << "the first device stops playing";
    EXPECT_TRUE(messages.problems().isEmpty()) << qPrintable(messages.problems().join('\n'));
    StopAndClose();
}

// Through the real reply path: position in whole seconds with halves to even, IsPlaying false
// while paused and after the end, although the device is still open.
TEST(ModMp3, FollowsThePlayingTitle) {
    TempDrive drive;
    TestSinks sinks;
    drive.copyFixture("pb-cbr-s48.mp3", "C:\\a.mp3"); // 3 s
    OpenAndPlay("C:\\a.mp3");
    auto sink = sinks.last();
    ASSERT_TRUE(sink->waitForDrain(10000));
    const struct {
        int advanceMs;
        double seconds;
        const char* text;
    } steps[] = {{500, 0, "0:00"}, {1000, 2, "0:02"}, {1000, 2, "0:02"}, {1, 3, "0:03"}};
    for (const auto& s : steps) {
        sink->advance(s.advanceMs);
        EXPECT_EQ(PositionSeconds(), s.seconds);
        EXPECT_EQ(PositionText(), s.text);
        EXPECT_TRUE(IsPlaying());
    }
    PausePlayback();
    EXPECT_FALSE(IsPlaying());
    sink->advance(1000);
    EXPECT_EQ(PositionText(), "0:03");
    mciSendString("play MP3Play", nullptr, 0);
    EXPECT_TRUE(IsPlaying());
    sink->advance(1000);
    EXPECT_TRUE(eventually([] { return !IsPlaying(); }));
    EXPECT_EQ(PositionText(), "0:03");
    EXPECT_EQ(LengthText(), "0:03");
    StopAndClose();
    EXPECT_THROW(PositionSeconds(), PlaybackQueryError);
}
