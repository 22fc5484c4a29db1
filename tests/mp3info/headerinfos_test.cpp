#include "mp3info/headerinfos.h"
#include "tempdrive.h"

#include <QProcess>
#include <gtest/gtest.h>
#include <tuple>

namespace {

// length bytes of 0 with the given bytes written at their offsets.
QByteArray content(qsizetype length, std::initializer_list<std::pair<qsizetype, QByteArray>> parts) {
    QByteArray data(length, '\0');
    for (const auto& [offset, bytes] : parts)
        data.replace(offset, bytes.size(), bytes);
    return data;
}
QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

// Header position, version, layer, bit rate, frequency, channel mode, CRC, frame size.
using Decoded = std::tuple<qint64, int, int, int, int, int, bool, int>;
Decoded analysed(const QByteArray& data) {
    HeaderInfos h;
    EXPECT_EQ(h.GetFileInfos(data), 0);
    // Texts and estimates are set for an accepted header only.
    EXPECT_EQ(h.VersionText().isEmpty() || h.LayerText().isEmpty() || h.ChannelModeText().isEmpty() ||
                  h.EmphasisText().isEmpty(),
              h.FrameSize() == 0);
    return {h.HeaderPosition(), h.Version(),     h.Layer(),        h.Bitrate(),
            h.Frequency(),      h.ChannelMode(), h.CRCProtected(), h.FrameSize()};
}

} // namespace

// Where the search finds a header and what it decodes: byte-aligned and half-byte sync, the ends
// of a short buffer and of the 8192-byte window, and the frame size of each layer and channel
// mode. Without an accepted header the last rejected candidate's fields stay.
TEST(HeaderInfos, SearchAndDecode) {
    const Decoded none{0, 0, 0, 0, 0, 0, false, 0};
    const struct {
        const char* name;
        QByteArray data;
        Decoded expected;
    } cases[] = {
        {"first bytes", content(4, {{0, hex("FFFB9000")}}), {0, 3, 1, 128000, 44100, 0, false, 417}},
        {"half-byte sync", content(6, {{0, hex("0FFFE3104000")}}), {0, 0, 1, 8000, 11025, 1, false, 26}},
        {"CRC", content(64, {{10, hex("FFFA9000")}}), {10, 3, 1, 128000, 44100, 0, true, 417}},
        {"short buffer", content(100, {{90, hex("FFFB9000")}}), {90, 3, 1, 128000, 44100, 0, false, 417}},
        {"window end", content(9000, {{8188, hex("FFFB9000")}}), {8188, 3, 1, 128000, 44100, 0, false, 417}},
        {"past window end", content(9000, {{8189, hex("FFFB9000")}}), none},
        {"cut at the end", content(100, {{97, hex("FFFB90")}}), none},
        {"half-byte cut", content(100, {{96, hex("0FFFE310")}}), none},
        {"rejected only", content(200, {{20, hex("FFFB9C00")}}), {20, 3, 1, 128000, 99999, 0, false, 0}},
        {"MPEG 1 joint", content(4, {{0, hex("FFFB9040")}}), {0, 3, 1, 128000, 44100, 1, false, 417}},
        {"MPEG 1 mono", content(4, {{0, hex("FFFB90C0")}}), {0, 3, 1, 128000, 44100, 3, false, 417}},
        {"MPEG 2 stereo", content(4, {{0, hex("FFF34004")}}), {0, 2, 1, 32000, 22050, 0, false, 208}},
        {"MPEG 2 dual", content(4, {{0, hex("FFF34084")}}), {0, 2, 1, 32000, 22050, 2, false, 208}},
        {"MPEG 2 joint", content(4, {{0, hex("FFF34044")}}), {0, 2, 1, 32000, 22050, 1, false, 104}},
        {"MPEG 2 mono", content(4, {{0, hex("FFF340C4")}}), {0, 2, 1, 32000, 22050, 3, false, 104}},
        {"MPEG 2.5 joint", content(4, {{0, hex("FFE34044")}}), {0, 0, 1, 32000, 11025, 1, false, 104}},
        {"MPEG 2.5 mono", content(4, {{0, hex("FFE340C4")}}), {0, 0, 1, 32000, 11025, 3, false, 208}},
        {"Layer I", content(4, {{0, hex("FFFF9000")}}), {0, 3, 3, 288000, 44100, 0, false, 313}},
        {"Layer I padded", content(4, {{0, hex("FFFF9200")}}), {0, 3, 3, 288000, 44100, 0, false, 317}},
        {"Layer II padded", content(4, {{0, hex("FFFDA204")}}), {0, 3, 2, 192000, 44100, 0, false, 626}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(analysed(c.data), c.expected) << c.name;
}

// A rejected candidate (bit-rate index 0 or 15, layer 0, version 1, sampling index 3) moves the
// search 5 bytes on, past the valid header 4 bytes after it.
TEST(HeaderInfos, RejectedCandidateSkipsFive) {
    for (const char* rejected : {"FFFB0000", "FFFBF000", "FFF99000", "FFEB9000", "FFFB9C00"})
        EXPECT_EQ(analysed(content(64, {{0, hex(rejected)}, {4, hex("FFFB9000")}, {8, hex("FFF340C4")}})),
                  Decoded(8, 2, 1, 32000, 22050, 3, false, 104))
            << rejected;
}

// The ID3v2 size bytes are used unmasked; the audio base moves the search window, the header
// position and the file size. A size past the end of the file finds nothing.
TEST(HeaderInfos, ID3v2TagMovesTheSearch) {
    const struct {
        QByteArray sizeBytes;
        qsizetype length, base, header;
        bool found;
    } cases[] = {{hex("00000201"), 1000, 267, 267, true},
                 {hex("00000281"), 1000, 395, 395, true},
                 {hex("00000201"), 9000, 267, 8400, true},
                 {hex("00000201"), 9000, 267, 8456, false},
                 {hex("0000407F"), 600, 0x207F + 10, 100, false}};
    for (const auto& c : cases) {
        HeaderInfos h;
        h.GetFileInfos(content(
            c.length, {{0, QByteArray("ID3\x03\0\0", 6) + c.sizeBytes}, {c.header, hex("FFFB9000")}}));
        EXPECT_TRUE(h.ID3V2());
        EXPECT_EQ(h.FileSize(), QString::number(c.length - c.base));
        EXPECT_EQ(h.HeaderPosition(), c.found ? c.header : 0) << c.header;
        EXPECT_EQ(h.Bitrate(), c.found ? 128000 : 0) << c.header;
    }
}

// The worked example, its MPEG 2 joint-stereo variant, the divisors of each sampling rate, and
// frame counts that round halves to even.
TEST(HeaderInfos, FramesAndSeconds) {
    const struct {
        QByteArray header;
        qsizetype length;
        int frameSize;
        qint64 frames, seconds;
        const char* texts;
    } cases[] = {
        {hex("FFFB9000"), 4'000'000, 417, 9592, 249, "MPEG-1.0 Layer III Stereo None"},
        {hex("FFF38041"), 4'000'000, 208, 19231, 500, "MPEG-2.0 Layer III Joint Stereo (Stereo) 50/15 ms"},
        {hex("FFF38042"), 520, 208, 2, 0, "MPEG-2.0 Layer III Joint Stereo (Stereo) reserved"},
        {hex("FFE38043"), 728, 208, 4, 0, "MPEG-2.5 Layer III Joint Stereo (Stereo) CIT J.17"},
        {hex("FFFD8880"), 1'000'000, 576, 1736, 62, "MPEG-1.0 Layer II Dual Channel (Stereo) None"},
        {hex("FFFF14C0"), 100'000, 32, 3125, 96, "MPEG-1.0 Layer I Single Channel (Mono) None"},
    };
    for (const auto& c : cases) {
        HeaderInfos h;
        h.GetFileInfos(content(c.length, {{0, c.header}}));
        EXPECT_EQ(std::tuple(h.FrameSize(), h.Frames(), h.Seconds()),
                  std::tuple(c.frameSize, c.frames, c.seconds))
            << c.texts;
        EXPECT_EQ(
            QStringList({h.VersionText(), h.LayerText(), h.ChannelModeText(), h.EmphasisText()}).join(' '),
            c.texts);
    }
}

// By DOS path: the ID3v1 marker; a new path resets the results; -1 for a missing file or a folder.
TEST(HeaderInfos, ReadsFilesByTheirDosPath) {
    TempDrive drive;
    drive.write("C:\\Music\\Tagged.mp3",
                content(4'000'000, {{0, hex("FFFB9000")}, {4'000'000 - 128, "TAG"}}));
    drive.write("C:\\Music\\lower.mp3", content(200, {{0, hex("FFF340C4")}, {72, "tag"}}));
    drive.write("C:\\Music\\short.mp3", "TAG");
    HeaderInfos h;
    h.setFilePath("c:\\MUSIC\\tagged.MP3");
    EXPECT_EQ(h.GetFileInfos(), 0);
    EXPECT_EQ(std::tuple(h.ID3V1(), h.FileSize(), h.Seconds()), std::tuple(true, QString("4000000"), 249));
    for (const char* untagged : {"C:\\Music\\lower.mp3", "C:\\Music\\short.mp3"}) {
        HeaderInfos other;
        other.setFilePath(untagged);
        EXPECT_EQ(other.GetFileInfos(), 0);
        EXPECT_FALSE(other.ID3V1()) << untagged;
    }
    for (const char* missing : {"C:\\Music\\gone.mp3", "C:\\Music", "X:\\a.mp3", ""}) {
        h.setFilePath(missing);
        EXPECT_EQ(h.GetFileInfos(), -1) << missing;
        EXPECT_EQ(std::tuple(h.FileSize(), h.Bitrate(), h.Seconds()), std::tuple(QString("0"), 0, 0))
            << missing;
    }
}

// Encoder output (scripts/fixtures/mp3info.sh): the first header agrees with ffprobe's report
// (layer, bit rate, sampling rate and so the MPEG version, channel count) and with the options
// the encoder was given (channel mode, CRC, emphasis).
TEST(HeaderInfos, AgreesWithFfprobeOnEncoderOutput) {
    const struct {
        const char* fixture;
        int channelMode;
        bool crc;
        int emphasis;
    } cases[] = {
        {"hdr-m1-stereo-44100", 0, false, 0},  {"hdr-m1-joint-48000", 1, true, 0},
        {"hdr-m1-mono-32000", 3, false, 1},    {"hdr-m1-dual-44100", 2, false, 0},
        {"hdr-m2-mono-22050", 3, false, 0},    {"hdr-m2-joint-24000", 1, true, 1},
        {"hdr-m2-stereo-16000", 0, false, 3},  {"hdr-m2-dual-22050", 2, false, 0},
        {"hdr-m25-joint-11025", 1, false, 0},  {"hdr-m25-mono-8000", 3, true, 0},
        {"hdr-m25-stereo-12000", 0, false, 0}, {"hdr-m25-dual-12000", 2, false, 0},
        {"l2-stereo-44100", 0, false, 0},      {"l2-mono-48000", 3, false, 0},
        {"l2-stereo-22050", 0, false, 0},
    };
    const QHash<QString, int> versionOfRate = {{"44100", 3}, {"48000", 3}, {"32000", 3},
                                               {"22050", 2}, {"24000", 2}, {"16000", 2},
                                               {"11025", 0}, {"12000", 0}, {"8000", 0}};
    const QHash<QString, int> layerOfCodec = {{"mp3", 1}, {"mp2", 2}, {"mp1", 3}};
    TempDrive drive;
    for (const auto& c : cases) {
        const QString name = QString::fromLatin1(c.fixture) + ".mp3";
        QProcess probe;
        probe.start("ffprobe", {"-v", "error", "-select_streams", "a:0", "-show_entries",
                                "stream=codec_name,sample_rate,channels,bit_rate", "-of", "default=nw=1",
                                fixture(name)});
        ASSERT_TRUE(probe.waitForFinished(30000) && probe.exitCode() == 0) << c.fixture;
        QHash<QString, QString> report;
        for (const QString& line :
             QString::fromUtf8(probe.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
            report.insert(line.section('=', 0, 0), line.section('=', 1));

        drive.copyFixture(name, "C:\\" + name);
        HeaderInfos h;
        h.setFilePath("C:\\" + name);
        ASSERT_EQ(h.GetFileInfos(), 0);
        EXPECT_EQ(std::tuple(int(h.Version()), int(h.Layer()), QString::number(h.Bitrate()),
                             QString::number(h.Frequency()), QString(h.ChannelMode() == 3 ? "1" : "2")),
                  std::tuple(versionOfRate.value(report["sample_rate"], -1),
                             layerOfCodec.value(report["codec_name"], -1), report["bit_rate"],
                             report["sample_rate"], report["channels"]))
            << c.fixture;
        EXPECT_EQ(std::tuple(int(h.ChannelMode()), h.CRCProtected(), int(h.Emphasis()), h.HeaderPosition()),
                  std::tuple(c.channelMode, c.crc, c.emphasis, 0))
            << c.fixture;
    }
}
