#include "mp3info/mp3tag.h"
#include "tempdrive.h"

#include <QFile>
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

QByteArray fixtureBytes(const char* name) {
    QFile file(fixture(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// Fields and "MP3-Tag" row, read by a path in other case: NUL and space padding go, leading spaces
// and other blanks stay, an ID3v1.1 track byte goes with the NUL before it, the genre is its raw byte,
// bytes are Windows-1252, only "TAG" in capitals counts; lame's tags read back exactly.
TEST(MP3Tag, ReadsTheLastBlock) {
    const QByteArray audio(300, '\x55');
    const std::tuple<const char*, QByteArray, const char*> cases[] = {
        {"Padded.mp3", block("TAG", "Song", "Band" + QByteArray(26, ' '), "  Lead", "1999", "x  y\t  ", 17),
         "Song|Band|  Lead|1999|x  y\t|\x11|Band - Song"},
        {"Track.mp3", block("TAG", "T", "", {}, {}, QByteArray("28 bytes of comment.........\0\x07", 30)),
         "T||||28 bytes of comment.........||T"},
        {"NoTitle.mp3", block("TAG", QByteArray("\0Hidden", 7), "I", "A", "2000", "C", ' '),
         "|I|A|2000|C||NoTitle.mp3"},
        {"CodePage.mp3", audio + block("TAG", "Caf\xe9", "\x80 \x9f"),
         "Caf\u00e9|\u20ac \u0178|||||\u20ac \u0178 - Caf\u00e9"},
        {"LowerCase.mp3", audio + block("tag", "Song", "Band"), "||||||LowerCase.mp3"},
        {"Short.mp3", block("TAG", "Song", "Band").chopped(1), "||||||Short.mp3"},
        {"tag-full.mp3", fixtureBytes("tag-full.mp3"),
         "Title of thirty characters ok!|Interpret, thirty chars long..|Album|1999|"
         "Comment with exactly 30 chars!|\x11|"
         "Interpret, thirty chars long.. - Title of thirty characters ok!"},
        {"tag-track.mp3", fixtureBytes("tag-track.mp3"),
         "Track|Someone|||Short comment|\u00ff|Someone - Track"},
        {"Gone.mp3", {}, "||||||"},
    };
    TempDrive drive;
    for (const auto& [name, data, expected] : cases) {
        if (!data.isEmpty())
            drive.write(QStringLiteral("C:\\Tags\\") + name, data);
        const QString path = QStringLiteral("c:\\TAGS\\") + QString(name).toLower();
        const MP3TagInfo t = ReadMP3Tag(path);
        EXPECT_EQ(QStringList({t.Title, t.Interpret, t.Album, t.Year, t.Comment, t.Genre, TagRowText(path)})
                      .join('|'),
                  QString(expected))
            << name;
    }
}
