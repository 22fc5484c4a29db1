#include "platform/textfile.h"
#include "tempdrive.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

// CR LF, a lone CR or a lone LF ends a line (an LF right after a CR belongs to it), the last line
// may lack its end; a CR LF split across the reader's buffer still counts once.
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
        {"a\nb\r\n", {"a", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\n\n", {"a", ""}},
        {"\n", {""}},
        {big + "\nend", {QString::fromLatin1(big), "end"}},
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
    const QStringList lines = {QStringLiteral("C:\\\u20ac.mp3"), QStringLiteral("D:\\b.mp3")};
    // A character the code page lacks is never written as "?"; a "?" of the text stays one.
    EXPECT_EQ(textfile::encodeLines({QStringLiteral(u"C:\\\u65e5.mp3")}), std::nullopt);
    EXPECT_EQ(textfile::encodeLines({QStringLiteral("a?"), QString()}), QByteArray("a?\r\n\r\n"));
    ASSERT_TRUE(textfile::replaceFile(path, *textfile::encodeLines(lines)));
    EXPECT_EQ(contents(path), "C:\\\x80.mp3\r\nD:\\b.mp3\r\n");

    // A file without write permission is refused, also for root, and stays as it was.
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    EXPECT_FALSE(textfile::replaceFile(path, "new"));
    EXPECT_EQ(contents(path), "C:\\\x80.mp3\r\nD:\\b.mp3\r\n");
}

namespace {

// Runs replaceFile as the unprivileged user nobody when the tests run as root, who may create
// files in any folder; in a child process, so that the tests keep their rights.
bool replaceAsUser(const QString& path, const QByteArray& data) {
    if (::geteuid() != 0)
        return textfile::replaceFile(path, data);
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && textfile::replaceFile(path, data) ? 0 : 1);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

// The replaced file keeps its permission bits and Wine's DOS attributes; a link is followed to its
// file and stays a link; in a folder that takes no new file the file is written in place.
TEST(TextFile, ReplaceKeepsModeAttributesAndLinks) {
    const struct {
        const char* what;
        mode_t mode;
        bool throughLink;
        bool folderWritable;
    } cases[] = {
        {"mode 0606", 0606, false, true},
        {"through a link", 0644, true, true},
        {"folder not writable", 0600, false, false},
        {"folder not writable, through a link", 0660, true, false},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("lists")),
                      file = folder + QStringLiteral("/list.txt"),
                      link = folder + QStringLiteral("/link.txt");
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
        writeFile(file, "old\r\n");
        const QByteArray nativeFile = QFile::encodeName(file);
        ASSERT_EQ(::chown(nativeFile.constData(), 65534, 65534) == 0 || ::geteuid() != 0, true);
        ASSERT_EQ(::chmod(nativeFile.constData(), c.mode), 0);
        ASSERT_EQ(::setxattr(nativeFile.constData(), "user.DOSATTRIB", "0x22", 4, 0), 0);
        if (c.throughLink) {
            ASSERT_TRUE(QFile::link(QStringLiteral("list.txt"), link));
        }
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), c.folderWritable ? 0777 : 0555), 0);

        EXPECT_TRUE(replaceAsUser(c.throughLink ? link : file, "new\r\n")) << c.what;
        EXPECT_EQ(contents(file), "new\r\n") << c.what;
        struct stat st {};
        ASSERT_EQ(::stat(nativeFile.constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.mode) << c.what;
        char value[16] = {};
        EXPECT_EQ(::getxattr(nativeFile.constData(), "user.DOSATTRIB", value, sizeof value), 4) << c.what;
        EXPECT_STREQ(value, "0x22") << c.what;
        EXPECT_EQ(QFileInfo(link).isSymLink(), c.throughLink) << c.what;
        ::chmod(QFile::encodeName(folder).constData(), 0755);
    }
}
