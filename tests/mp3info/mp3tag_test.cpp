#include "mp3info/mp3tag.h"
#include "tempdrive.h"

#include <gtest/gtest.h>

namespace {

// A 128-byte ID3v1 block from its raw fields, each padded with NUL to its width.
QByteArray block(const char* marker, QByteArray title, QByteArray interpret, QByteArray album = {},
                 QByteArray year = {}, QByteArray comment = {}, char genre = 0) {
    QByteArray b(marker);
    for (auto [field, width] :
         {std::pair{&title, 30}, {&interpret, 30}, {&album, 30}, {&year, 4}, {&comment, 30}})
        b += field->leftJustified(width, '\0', true);
    return b + genre;
}

std::vector<QString> fields(const MP3TagInfo& t) {
    return {t.Title, t.Interpret, t.Album, t.Year, t.Comment, t.Genre};
}

} // namespace

// NUL and space padding go, leading spaces and other blanks stay, an ID3v1.1 track byte goes with the NUL
// before it, the genre is its raw byte, bytes are Windows-1252, and only "TAG" in capitals counts.
TEST(MP3Tag, FieldsOfTheBlock) {
    const struct {
        const char* name;
        QByteArray block;
        std::vector<QString> expected;
    } cases[] = {
        {"padding",
         block("TAG", "Song", "Band" + QByteArray(26, ' '), "  Lead", "1999", "x  y\t  ", 17),
         {"Song", "Band", "  Lead", "1999", "x  y\t", QString(QChar(17))}},
        {"ID3v1.1 track",
         block("TAG", "T", "I", {}, {}, QByteArray("28 bytes of comment........\0", 29) + '\x07'),
         {"T", "I", "", "", "28 bytes of comment........", ""}},
        {"first byte NUL",
         block("TAG", QByteArray("\0Hidden", 7), "I", "A", "2000", "C", ' '),
         {"", "I", "A", "2000", "C", ""}},
        {"code page", block("TAG", "Caf\xe9", "\x80 \x9f"), {"Caf\u00e9", "\u20ac \u0178", "", "", "", ""}},
        {"lower-case marker", block("tag", "Song", "Band"), {"", "", "", "", "", ""}},
        {"short block", block("TAG", "Song", "Band").chopped(1), {"", "", "", "", "", ""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fields(MP3TagFromBlock(c.block)), c.expected) << c.name;
}

// Tags lame wrote read back exactly, from the last 128 bytes of the file only.
TEST(MP3Tag, ReadsTagsLameWrote) {
    TempDrive drive;
    const struct {
        const char* fixture;
        std::vector<QString> expected;
    } cases[] = {
        {"tag-full.mp3",
         {"Title of thirty characters ok!", "Interpret, thirty chars long..", "Album", "1999",
          "Comment with exactly 30 chars!", QString(QChar(17))}},
        {"tag-track.mp3", {"Track", "Someone", "", "", "Short comment", QString(QChar(0xFF))}},
        {"tag-both.mp3", {"Both tags", "Someone", "Album", "", "", QString(QChar(0xFF))}},
        {"plain-stereo.mp3", {"", "", "", "", "", ""}},
    };
    for (const auto& c : cases) {
        drive.copyFixture(c.fixture, QStringLiteral("C:\\") + c.fixture);
        EXPECT_EQ(fields(ReadMP3Tag(QStringLiteral("c:\\") + c.fixture)), c.expected) << c.fixture;
    }
}
