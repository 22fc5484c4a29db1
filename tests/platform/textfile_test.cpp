#include "platform/textfile.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QStringList readAll(const QByteArray& data, qsizetype* endProbe = nullptr) {
    QByteArray copy = data;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    textfile::LineReader reader(buffer);
    QStringList lines;
    QString line;
    while (reader.next(line))
        lines.append(line);
    if (endProbe)
        *endProbe = reader.atEnd();
    return lines;
}

} // namespace

TEST(LineReader, LineEnds) {
    const struct {
        QByteArray data;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\nb\r\n", {"a\nb"}},   // a lone LF belongs to the line
        {"a\r\n\r\n", {"a", ""}}, // an empty last line counts
        {"\r\n", {""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"caf\xe9\r\n", {QStringLiteral("caf\u00e9")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readAll(c.data), c.lines) << c.data.toStdString();
}

// CR LF split across the reader's buffer boundary still counts as one line end.
TEST(LineReader, LineEndAcrossBufferBoundary) {
    for (qsizetype len : {65535, 65536, 65537, 200000}) {
        QByteArray data(len - 1, 'x');
        data += "\r\nend";
        const QStringList lines = readAll(data);
        ASSERT_EQ(lines.size(), 2) << len;
        EXPECT_EQ(lines[0].size(), len - 1);
        EXPECT_EQ(lines[1], QStringLiteral("end"));
    }
}

TEST(TextFile, EncodeAndReplace) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    const QStringList lines = {QStringLiteral("C:\\caf\u00e9.mp3"), QStringLiteral("D:\\b.mp3")};
    ASSERT_TRUE(textfile::replaceFile(path, textfile::encodeLines(lines)));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("C:\\caf\xe9.mp3\r\nD:\\b.mp3\r\n"));
    f.close();
    EXPECT_TRUE(textfile::encodeLines({}).isEmpty());

    // A file without write permission is refused, also for root, and stays as it was.
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    EXPECT_FALSE(textfile::replaceFile(path, "new"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("C:\\caf\xe9.mp3\r\nD:\\b.mp3\r\n"));
    // A missing folder fails.
    EXPECT_FALSE(textfile::replaceFile(dir.filePath(QStringLiteral("no/such/list.txt")), "x"));
}
