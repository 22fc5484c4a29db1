#include "mp3info/headerinfos.h"
#include "mp3info/mp3tag.h"
#include "tempdrive.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

// length bytes of 0 with hex-coded bytes written at their offsets.
QByteArray content(qsizetype length, std::initializer_list<std::pair<qsizetype, const char*>> parts) {
    QByteArray data(length, '\0');
    for (const auto& [offset, hex] : parts) {
        const QByteArray bytes = QByteArray::fromHex(hex); // blanks skipped
        data.replace(offset, bytes.size(), bytes);
    }
    return data;
}

// Header position, version, layer, bit rate, frequency, channel mode, CRC, frame size.
using Decoded = std::tuple<qint64, int, int, int, int, int, bool, int>;
Decoded analysed(const QByteArray& data) {
    HeaderInfos h;
    EXPECT_EQ(h.GetFileInfos(data), 0);
    EXPECT_EQ(h.ID3V2(), data.startsWith("ID3"));
    return {h.HeaderPosition(), h.Version(),     h.Layer(),        h.Bitrate(),
            h.Frequency(),      h.ChannelMode(), h.CRCProtected(), h.FrameSize()};
}

// "ID3" tag header with the size bytes 00 00 02 01: audio base 257 + 10.
constexpr const char* kId3Base267 = "49443303000000000201";

} // namespace

// Where the search finds a header and what it decodes. A rejected candidate (bit-rate index 0 or 15,
// layer 0, version 1, sampling index 3) moves the search 5 bytes on: through five in a row, past the
// Layer I header at 24, onto the MPEG 2.5 mono one at 25 (halved once). Without an accepted header
// the last rejected one's fields stay. A header inside an ID3v2 tag is a decoy; the 8192-byte window
// starts after the tag.
TEST(HeaderInfos, SearchAndDecode) {
    const Decoded none{0, 0, 0, 0, 0, 0, false, 0};
    const auto mpeg1At = [](qint64 at) { return Decoded{at, 3, 1, 128000, 44100, 0, false, 417}; };
    const std::tuple<const char*, QByteArray, Decoded> cases[] = {
        {"FF FB 90 00", content(4, {{0, "FFFB9000"}}), mpeg1At(0)},
        {"half-byte sync", content(6, {{0, "0FFFE3104000"}}), {0, 0, 1, 8000, 11025, 1, false, 26}},
        {"short buffer, cut", content(100, {{97, "FFFB90"}}), none},
        {"half-byte cut", content(100, {{96, "0FFFE310"}}), none},
        {"rejected only", content(200, {{20, "FFFB9C00"}}), {20, 3, 1, 128000, 99999, 0, false, 0}},
        {"five rejected",
         content(29, {{0, "FFFB0000 00 FFFBF000 00 FFF99000 00 FFEB9000 00 FFFB9C00 FFFFE240C0"}}),
         {25, 0, 1, 32000, 11025, 3, true, 208}},
        {"ID3v2 267", content(1000, {{0, kId3Base267}, {263, "FFF340C4"}, {267, "FFFB9000"}}), mpeg1At(267)},
        {"unmasked", content(1000, {{0, "49443303000000000281"}, {267, "FFF340C4"}, {395, "FFFB9000"}}),
         mpeg1At(395)},
        {"ID3v2 window end", content(9000, {{0, kId3Base267}, {8455, "FFFB9000"}}), mpeg1At(8455)},
        {"past ID3v2 window end", content(9000, {{0, kId3Base267}, {8456, "FFFB9000"}}), none},
        {"ID3v2 past the end", content(600, {{0, "4944330300000000407F"}, {100, "FFFB9000"}}), none},
        {"MPEG 1 joint", content(4, {{0, "FFFB9040"}}), {0, 3, 1, 128000, 44100, 1, false, 417}},
        {"MPEG 2 mono", content(4, {{0, "FFF340C4"}}), {0, 2, 1, 32000, 22050, 3, false, 104}},
        {"Layer I padded", content(4, {{0, "FFFF9200"}}), {0, 3, 3, 288000, 44100, 0, false, 317}},
        {"Layer II padded", content(4, {{0, "FFFDA204"}}), {0, 3, 2, 192000, 44100, 0, false, 626}},
    };
    for (const auto& [name, data, expected] : cases)
        EXPECT_EQ(analysed(data), expected) << name;
}

// The worked example, its MPEG 2 joint-stereo variant, the divisors of each sampling rate, frame
// counts and seconds that round halves to even, and the texts.
TEST(HeaderInfos, FramesAndSeconds) {
    const std::tuple<const char*, qsizetype, std::tuple<int, qint64, qint64>, const char*> cases[] = {
        {"FFFB9000", 4'000'000, {417, 9592, 249}, "MPEG-1.0, Layer III, Stereo, None"},
        {"FFF38041", 4'000'000, {208, 19231, 500}, "MPEG-2.0, Layer III, Joint Stereo (Stereo), 50/15 ms"},
        {"FFF38042", 520, {208, 2, 0}, "MPEG-2.0, Layer III, Joint Stereo (Stereo), reserved"},
        {"FFE38043", 728, {208, 4, 0}, "MPEG-2.5, Layer III, Joint Stereo (Stereo), CIT J.17"},
        {"FFFD8880", 1'000'000, {576, 1736, 62}, "MPEG-1.0, Layer II, Dual Channel (Stereo), None"},
        {"FFFF14C0", 100'000, {32, 3125, 96}, "MPEG-1.0, Layer I, Single Channel (Mono), None"},
    };
    for (const auto& [header, length, estimates, texts] : cases) {
        HeaderInfos h;
        h.GetFileInfos(content(length, {{0, header}}));
        EXPECT_EQ(std::tuple(h.FrameSize(), h.Frames(), h.Seconds()), estimates) << texts;
        EXPECT_EQ(QStringList({h.VersionText(), h.LayerText(), h.ChannelModeText(), h.EmphasisText()}),
                  QString(texts).split(", "));
    }
}

// "*" and "?" in a path match other files, whose data must not be shown: the analysis and the tag
// reader answer as for a file that cannot be read. The same file by its own name reads whole.
TEST(HeaderInfos, WildcardsReadNothing) {
    TempDrive drive;
    drive.copyFixture(QStringLiteral("tag-full.mp3"), QStringLiteral("C:\\Music\\Song.mp3"));
    const std::pair<const char*, bool> cases[] = {
        {"C:\\Music\\Song.mp3", true},  {"c:\\music\\SONG.MP3", true}, {"C:\\Music\\*.mp3", false},
        {"C:\\Music\\S?ng.mp3", false}, {"C:\\Music\\*", false},       {"C:\\Mus*\\Song.mp3", false},
    };
    for (const auto& [path, readable] : cases) {
        HeaderInfos h;
        h.setFilePath(QString::fromUtf8(path));
        EXPECT_EQ(h.GetFileInfos(), readable ? 0 : -1) << path;
        EXPECT_EQ(h.FileSize() != QStringLiteral("0"), readable) << path;
        EXPECT_EQ(ReadMP3Tag(QString::fromUtf8(path)).Title.isEmpty(), !readable) << path;
    }
}
