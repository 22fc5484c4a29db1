#include "platform/textfile.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

// CR LF or a lone CR ends a line, a lone LF does not, the last line may lack its end; a CR LF split
// across the reader's buffer still counts once.
TEST(LineReader, LineEnds) {
    const QByteArray big(65535, 'x');
    const struct {
        QByteArray data;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\nb\r\n", {"a\nb"}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"\x80\r\n", {QStringLiteral("\u20ac")}},
        {big + "\r\nend", {QString::fromLatin1(big), "end"}},
        {"a\r\n" + big.left(65532) + "\r\nend\r", {"a", QString::fromLatin1(big.left(65532)), "end"}},
        {"a\r\n" + big.left(65534) + "\r\nend", {"a", QString::fromLatin1(big.left(65534)), "end"}},
    };
    for (const auto& c : cases) {
        QBuffer buffer;
        buffer.setData(c.data);
        buffer.open(QIODevice::ReadOnly);
        textfile::LineReader reader(buffer);
        QStringList lines;
        for (QString line; reader.next(line);)
            lines.append(line);
        EXPECT_EQ(lines, c.lines) << c.data.left(20).toStdString() << " (" << c.data.size() << " bytes)";
    }
}

TEST(TextFile, EncodeAndReplace) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    const auto contents = [&path] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QStringList lines = {QStringLiteral("C:\\\u20ac.mp3"), QStringLiteral("D:\\b.mp3")};
    ASSERT_TRUE(textfile::replaceFile(path, textfile::encodeLines(lines)));
    EXPECT_EQ(contents(), "C:\\\x80.mp3\r\nD:\\b.mp3\r\n");

    // A file without write permission is refused, also for root, and stays as it was.
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    EXPECT_FALSE(textfile::replaceFile(path, "new"));
    EXPECT_EQ(contents(), "C:\\\x80.mp3\r\nD:\\b.mp3\r\n");
}
