// The command service: parsing, error codes, error texts and reply buffers.

#include "playback/mci.h"
#include "playbacktesting.h"
#include "tempdrive.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

MCIERROR send(const char* command, QByteArray* reply = nullptr) {
    char buffer[128] = "left over";
    const MCIERROR rc = mciSendString(command, buffer, sizeof buffer);
    if (reply)
        *reply = buffer;
    return rc;
}

} // namespace

// The codes of commands in sequence; every reply but a status one is empty. Blanks and tabs
// separate words; keywords are taken from the end, only the last of each counts; a device opened
// without an alias is named by its file name in lower case.
TEST(MciService, AnswersCommandsWithTheirCodes) {
    TempDrive drive;
    TestSinks sinks;
    drive.copyFixture("pb-cbr-s44.mp3", "C:\\Music\\a.mp3");
    for (const char* name : {"pb-empty.mp3", "pb-wave.mp3", "pb-random.mp3"})
        drive.copyFixture(name, QStringLiteral("C:\\Bad\\") + name);
    QDir(drive.root()).mkpath("Folder.mp3");
    ASSERT_EQ(send("open C:\\Music\\a.mp3 type MPEGVideo alias dev"), 0u);
    const struct {
        const char* command;
        MCIERROR code;
    } cases[] = {
        {"  ", MCIERR_UNRECOGNIZED_COMMAND},
        {"rewind dev", MCIERR_UNRECOGNIZED_COMMAND},
        {"status", MCIERR_MISSING_DEVICE_NAME},
        {"play other", MCIERR_INVALID_DEVICE_NAME},
        {"status dev", MCIERR_MISSING_PARAMETER},
        {"status dev volume", MCIERR_UNSUPPORTED_FUNCTION},
        {"set dev", MCIERR_MISSING_PARAMETER},
        {"set dev audio all off", MCIERR_UNRECOGNIZED_KEYWORD},
        {"set dev time format frames", MCIERR_BAD_TIME_FORMAT},
        {"set dev time format milliseconds", 0},
        {"SET\tDEV TIME   FORMAT MS", 0},
        {"play dev wait", MCIERR_UNRECOGNIZED_KEYWORD},
        {"play\tdev", 0},
        {"open C:\\Music\\b.mp3 type MPEGVideo alias x", MCIERR_FILE_NOT_FOUND},
        {"open C:\\Folder.mp3 type MPEGVideo alias x", MCIERR_FILE_NOT_FOUND},
        {"open \"\" type MPEGVideo alias x", MCIERR_FILE_NOT_FOUND},
        {"open C:\\Music\\*.mp3 type MPEGVideo alias x", MCIERR_FILE_NOT_FOUND},
        {"open C:\\Music\\?.mp3 type MPEGVideo alias x", MCIERR_FILE_NOT_FOUND},
        {"open C:\\Music\\a.mp3 type x type MPEGVideo alias x", MCIERR_FILE_NOT_FOUND},
        {"open \"C:\\Music\\a.mp3 type MPEGVideo alias x", MCIERR_NO_CLOSING_QUOTE},
        {"open \" type MPEGVideo alias x", MCIERR_NO_CLOSING_QUOTE},
        {"open C:\\Music\\a.mp3 type waveaudio alias x", MCIERR_CANNOT_LOAD_DRIVER},
        {"open type MPEGVideo alias x", MCIERR_MISSING_PARAMETER},
        {"open C:\\Bad\\pb-empty.mp3 type MPEGVideo alias x", MCIERR_INVALID_FILE},
        {"open C:\\Bad\\pb-wave.mp3 type MPEGVideo alias x", MCIERR_INVALID_FILE},
        {"open C:\\Bad\\pb-random.mp3 type MPEGVideo alias x", MCIERR_INVALID_FILE},
        {"open C:\\Music\\a.mp3 type MPEGVideo alias DEV", MCIERR_DUPLICATE_ALIAS},
        {"open C:\\Music\\a.mp3\ttype MPEGVideo", 0},
        {"open c:\\music\\A.MP3", MCIERR_DUPLICATE_ALIAS},
        {"close C:\\MUSIC\\a.mp3", 0},
        {"status x mode", MCIERR_INVALID_DEVICE_NAME}, // a refused open leaves no device
    };
    for (const auto& c : cases) {
        QByteArray reply;
        EXPECT_EQ(send(c.command, &reply), c.code) << c.command;
        EXPECT_EQ(reply, "") << c.command;
    }
    QByteArray reply;
    EXPECT_EQ(send("status dev\tmode", &reply), 0u);
    EXPECT_EQ(reply, "playing");
    EXPECT_EQ(mciSendString("status dev mode", nullptr, 128), 0u);
    EXPECT_EQ(send(nullptr, &reply), MCIERR_UNRECOGNIZED_COMMAND);
    EXPECT_EQ(reply, "");
    EXPECT_EQ(send("close dev"), 0u);
    EXPECT_EQ(send("close dev"), MCIERR_INVALID_DEVICE_NAME);
}

// The file name may hold blanks, even the keywords, unquoted or quoted; keywords and aliases go
// without regard to case; replies are cut to the buffer.
TEST(MciService, OpensPathsWithBlanksAndCutsReplies) {
    TempDrive drive;
    TestSinks sinks;
    drive.copyFixture("pb with blanks.mp3", "C:\\My Music\\type x alias y.mp3");
    for (const char* command : {"open C:\\My Music\\type x alias y.mp3 Type MPEGVideo Alias MP3Play",
                                "OPEN c:\\my music\\TYPE X ALIAS Y.MP3 ALIAS mp3play TYPE mpegvideo",
                                "open \"C:\\My Music\\type x alias y.mp3\" alias MP3Play"}) {
        SCOPED_TRACE(command);
        ASSERT_EQ(send(command), 0u);
        EXPECT_EQ(send("Play Mp3Play"), 0u);
        QByteArray reply;
        EXPECT_EQ(send("STATUS mp3play MODE", &reply), 0u);
        EXPECT_EQ(reply, "playing");
        EXPECT_EQ(send("close MP3Play"), 0u);
    }
    ASSERT_EQ(send("open C:\\My Music\\type x alias y.mp3 alias a"), 0u);
    char reply[4] = "xyz";
    EXPECT_EQ(mciSendString("status a mode", reply, sizeof reply), 0u);
    EXPECT_STREQ(reply, "sto");
    EXPECT_EQ(mciSendString("status a length", reply, 0), 0u);
    EXPECT_STREQ(reply, "sto") << "a reply length of 0 writes nothing";
    EXPECT_EQ(send("close a"), 0u);
}
