// The modMP3 routines: rounding and time texts, and opening files.

#include "playback/mci.h"
#include "playback/modmp3.h"
#include "playbacktesting.h"
#include "scriptedmessages.h"
#include "tempdrive.h"

#include <gtest/gtest.h>

TEST(ModMp3, RoundsHalvesToEvenAndWritesTimeTexts) {
    const struct {
        double ms;
        const char* text;
    } cases[] = {
        {59499, "0:59"}, {59500, "01:00"},    {60500, "01:00"},   {58500, "0:58"},
        {13500, "0:14"}, {12501, "0:13"},     {7000, "0:07"},     {65000, "01:05"},
        {499, "0:00"},   {6330000, "105:30"}, {5999499, "99:59"}, {5999500, "100:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mp3time::timeText(mp3time::roundedSeconds(c.ms)), c.text) << c.ms;
}

// A missing, hidden or system file is passed over without a word; a file the service refuses and
// a second open on the alias in use show the service's text; a path with blanks plays.
TEST(ModMp3, OpenAndPlayTestsExistenceAndReportsRefusals) {
    TempDrive drive;
    TestSinks sinks;
    ScriptedMessages messages;
    TempDrive::setDosAttrib(drive.copyFixture("pb-cbr-s44.mp3", "C:\\hidden.mp3"), "0x2");
    TempDrive::setDosAttrib(drive.copyFixture("pb-cbr-s44.mp3", "C:\\system.mp3"), "0x4");
    drive.copyFixture("pb-empty.mp3", "C:\\empty.mp3");
    drive.copyFixture("pb with blanks.mp3", "C:\\My Music\\a b.mp3");
    for (const char* path : {"C:\\missing.mp3", "C:\\hidden.mp3", "C:\\system.mp3"})
        OpenAndPlay(path);
    EXPECT_EQ(sinks.last(), nullptr);

    char text[128];
    mciGetErrorString(MCIERR_INVALID_FILE, text, sizeof text);
    messages.expectMsgBox(text, vbCritical, AppTitle);
    OpenAndPlay("C:\\empty.mp3");
    EXPECT_FALSE(IsPlaying());

    OpenAndPlay("C:\\My Music\\a b.mp3");
    EXPECT_TRUE(IsPlaying());
    EXPECT_EQ(LengthText(), "0:04");
    EXPECT_EQ(LengthSeconds(), 4);
    mciGetErrorString(MCIERR_DUPLICATE_ALIAS, text, sizeof text);
    messages.expectMsgBox(text, vbCritical, AppTitle);
    OpenAndPlay("C:\\My Music\\a b.mp3");
    EXPECT_TRUE(IsPlaying()) << "the first device stops playing";
    EXPECT_TRUE(messages.problems().isEmpty()) << qPrintable(messages.problems().join('\n'));
    StopAndClose();
}

// Linux has no short path form: the open command carries the whole path however long, so a path
// longer than 255 characters plays, and the device is always open under MP3Play, never under an
// alias cut off with the command.
TEST(ModMp3, LongPathsPlayUnderTheWholeAlias) {
    TempDrive drive;
    TestSinks sinks;
    ScriptedMessages messages;
    for (const int length : {200, 221, 222, 226, 240, 255, 300, 1000}) {
        QString path = QStringLiteral("C:\\");
        while (length - path.size() > 80)
            path += QString(60, u'd') + u'\\';
        path += QString(length - path.size() - 4, u'n') + QStringLiteral(".mp3");
        ASSERT_EQ(path.size(), length);
        drive.copyFixture("pb-cbr-s44.mp3", path);
        OpenAndPlay(path);
        EXPECT_TRUE(IsPlaying()) << length;
        EXPECT_NE(playback::mciDevice("MP3Play"), nullptr) << length;
        StopAndClose();
        EXPECT_EQ(playback::mciDevice("MP3Play"), nullptr) << length;
    }
    EXPECT_TRUE(messages.problems().isEmpty()) << qPrintable(messages.problems().join('\n'));
}
