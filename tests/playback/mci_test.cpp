// The command service: parsing, the answers and error codes, reply buffers, error texts, and the
// choice of output when no sound server answers.

#include "playback/engine.h"
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

QByteArray errorText(MCIERROR code) {
    char text[128];
    mciGetErrorString(code, text, sizeof text);
    return text;
}

} // namespace

TEST(MciService, RefusesBadCommandsWithTheirCodes) {
    TempDrive drive;
    TestSinks sinks;
    drive.copyFixture("pb-cbr-s44.mp3", "C:\\Music\\a.mp3");
    for (const char* name : {"pb-empty.mp3", "pb-text.mp3", "pb-wave.mp3", "pb-random.mp3"})
        drive.copyFixture(name, QStringLiteral("C:\\Bad\\") + name);
    QDir(drive.root()).mkpath("Folder.mp3");
    ASSERT_EQ(send("open C:\\Music\\a.mp3 type MPEGVideo alias dev"), 0u);
    const struct {
        const char* command;
        MCIERROR code;
    } cases[] = {
        {"", MCIERR_UNRECOGNIZED_COMMAND},
        {"   ", MCIERR_UNRECOGNIZED_COMMAND},
        {"rewind dev", MCIERR_UNRECOGNIZED_COMMAND},
        {"status", MCIERR_MISSING_DEVICE_NAME},
        {"status other mode", MCIERR_INVALID_DEVICE_NAME},
        {"play other", MCIERR_INVALID_DEVICE_NAME},
        {"status dev", MCIERR_MISSING_PARAMETER},
        {"status dev volume", MCIERR_UNSUPPORTED_FUNCTION},
        {"set dev time format frames", MCIERR_BAD_TIME_FORMAT},
        {"set dev speed 2", MCIERR_UNRECOGNIZED_KEYWORD},
        {"play dev wait", MCIERR_UNRECOGNIZED_KEYWORD},
        {"open C:\\Music\\b.mp3 type MPEGVideo alias x", MCIERR_FILE_NOT_FOUND},
        {"open C:\\Music\\*.mp3 type MPEGVideo alias x", MCIERR_FILE_NOT_FOUND},
        {"open C:\\Folder.mp3 type MPEGVideo alias x", MCIERR_FILE_NOT_FOUND},
        {"open Q:\\a.mp3 type MPEGVideo alias x", MCIERR_FILE_NOT_FOUND},
        {"open \"C:\\Music\\a.mp3 type MPEGVideo alias x", MCIERR_NO_CLOSING_QUOTE},
        {"open C:\\Music\\a.mp3 type waveaudio alias x", MCIERR_CANNOT_LOAD_DRIVER},
        {"open type MPEGVideo alias x", MCIERR_MISSING_PARAMETER},
        {"open C:\\Bad\\pb-empty.mp3 type MPEGVideo alias x", MCIERR_INVALID_FILE},
        {"open C:\\Bad\\pb-text.mp3 type MPEGVideo alias x", MCIERR_INVALID_FILE},
        {"open C:\\Bad\\pb-wave.mp3 type MPEGVideo alias x", MCIERR_INVALID_FILE},
        {"open C:\\Bad\\pb-random.mp3 type MPEGVideo alias x", MCIERR_INVALID_FILE},
        {"open C:\\Music\\a.mp3 type MPEGVideo alias DEV", MCIERR_DUPLICATE_ALIAS},
    };
    for (const auto& c : cases) {
        QByteArray reply;
        EXPECT_EQ(send(c.command, &reply), c.code) << c.command;
        EXPECT_EQ(reply, "") << c.command; // a failed command leaves an empty reply
    }
    EXPECT_EQ(send("status x mode"), MCIERR_INVALID_DEVICE_NAME) << "a refused open left a device";
    EXPECT_EQ(send("close dev"), 0u);
    EXPECT_EQ(send("close dev"), MCIERR_INVALID_DEVICE_NAME);
}

// Every nonzero code has a readable text of at most 127 characters, cut to the buffer given.
TEST(MciService, ErrorTextsAreReadableAndFitTheBuffer) {
    for (MCIERROR code = 1; code < 400; ++code) {
        const QByteArray text = errorText(code);
        EXPECT_GT(text.size(), 10) << code;
        EXPECT_LE(text.size(), 127) << code;
    }
    EXPECT_EQ(errorText(MCIERR_DUPLICATE_ALIAS),
              "The alias is already used by an open device. Close that device first.");
    char small[6];
    mciGetErrorString(MCIERR_FILE_NOT_FOUND, small, sizeof small);
    EXPECT_STREQ(small, "The f");
}

// The file name may hold blanks, and even the keywords, unquoted or quoted; keywords and
// aliases are matched without regard to case; replies are cut to the buffer.
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
        EXPECT_EQ(send("set MP3Play Time Format milliseconds"), 0u);
        EXPECT_EQ(send("status MP3Play length", &reply), 0u);
        EXPECT_EQ(reply, "4000");
        ASSERT_TRUE(sinks.last()->waitForDrain(10000));
        EXPECT_EQ(sinks.last()->framesWritten(), 176400);
        EXPECT_EQ(send("close MP3Play"), 0u);
    }

    ASSERT_EQ(send("open C:\\My Music\\type x alias y.mp3 type MPEGVideo alias a"), 0u);
    char reply[4] = "xyz";
    EXPECT_EQ(mciSendString("status a mode", reply, sizeof reply), 0u);
    EXPECT_STREQ(reply, "sto");
    EXPECT_EQ(mciSendString("status a length", reply, 0), 0u);
    EXPECT_STREQ(reply, "sto") << "a reply length of 0 writes nothing";
    EXPECT_EQ(send("close a"), 0u);
}

// Without a sound server, auto mode plays through the null sink (and says so once on stderr);
// pulse mode gives up on the title.
TEST(MciService, FallsBackToTheNullSinkWhenNoServerAnswers) {
    TempDrive drive;
    drive.copyFixture("pb-cbr-s44.mp3", "C:\\a.mp3");
    struct Restore {
        const char* name;
        bool had = qEnvironmentVariableIsSet(name);
        QByteArray value = qgetenv(name);
        ~Restore() { had ? qputenv(name, value) : qunsetenv(name); }
    } server{"PULSE_SERVER"}, audio{"VORLAK_AUDIO"};
    qputenv("PULSE_SERVER", "unix:" + drive.root().toUtf8() + "/no-such-socket");

    qputenv("VORLAK_AUDIO", "auto");
    testing::internal::CaptureStderr();
    ASSERT_EQ(send("open C:\\a.mp3 type MPEGVideo alias a"), 0u);
    ASSERT_EQ(send("play a"), 0u);
    QByteArray position;
    EXPECT_TRUE(
        eventually([&] { return send("status a position", &position) == 0 && position.toInt() >= 100; }));
    playback::Player* player = playback::mciDevice("a");
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->sinkName(), "null");
    QByteArray mode;
    send("status a mode", &mode);
    EXPECT_EQ(mode, "playing");
    send("close a");
    const QString err = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_EQ(err.count(u'\n'), 1) << qPrintable(err);
    EXPECT_TRUE(err.contains("null")) << qPrintable(err);

    qputenv("VORLAK_AUDIO", "pulse");
    testing::internal::CaptureStderr();
    ASSERT_EQ(send("open C:\\a.mp3 type MPEGVideo alias a"), 0u);
    ASSERT_EQ(send("play a"), 0u);
    EXPECT_TRUE(eventually([&] { return send("status a mode", &mode) == 0 && mode == "stopped"; }));
    send("close a");
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
}
