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
// a second open on the alias in use show the service's text; a path with blanks plays, whole and
// under the alias MP3Play however long it is (Linux has no short path form).
TEST(ModMp3, OpenAndPlayTestsExistenceAndReportsRefusals) {
    TempDrive drive;
    TestSinks sinks;
    ScriptedMessages messages;
    TempDrive::setDosAttrib(drive.copyFixture("pb-cbr-s44.mp3", "C:\\hidden.mp3"), "0x2");
    TempDrive::setDosAttrib(drive.copyFixture("pb-cbr-s44.mp3", "C:\\system.mp3"), "0x4");
    drive.copyFixture("pb-empty.mp3", "C:\\empty.mp3");
    const QString path = "C:\\My Music\\" + QString(200, u'd') + "\\" + QString(100, u'n') + " b.mp3";
    drive.copyFixture("pb with blanks.mp3", path);
    for (const char* skipped : {"C:\\missing.mp3", "C:\\hidden.mp3", "C:\\system.mp3"})
        OpenAndPlay(skipped);
    EXPECT_EQ(sinks.last(), nullptr);

    char text[128];
    mciGetErrorString(MCIERR_INVALID_FILE, text, sizeof text);
    messages.expectMsgBox(text, vbCritical, AppTitle);
    OpenAndPlay("C:\\empty.mp3");
    EXPECT_FALSE(IsPlaying());

    OpenAndPlay(path);
    EXPECT_TRUE(IsPlaying());
    EXPECT_EQ(LengthText(), "0:04");
    EXPECT_EQ(LengthSeconds(), 4);
    mciGetErrorString(MCIERR_DUPLICATE_ALIAS, text, sizeof text);
    messages.expectMsgBox(text, vbCritical, AppTitle);
    OpenAndPlay(path);
    EXPECT_TRUE(IsPlaying()) << "the first device stops playing";
    EXPECT_TRUE(messages.problems().isEmpty()) << qPrintable(messages.problems().join('\n'));
    StopAndClose();
    EXPECT_EQ(playback::mciDevice("MP3Play"), nullptr);
}
