#include "platform/dosfs.h"
#include "tempdrive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct DosfsTest : ::testing::Test {
    TempDrive drive;
    void SetUp() override {
        drive.write(QStringLiteral("C:\\Music\\Rock\\Song One.mp3"));
        drive.write(QStringLiteral("C:\\Music\\Rock\\song two.MP3"));
        drive.write(QStringLiteral("C:\\Music\\Rock\\.dotted.mp3"));
        drive.write(QStringLiteral("C:\\Music\\a.mp3"));
        drive.write(QStringLiteral("C:\\Music\\A.MP3"));
        QDir().mkpath(drive.host(QStringLiteral("C:\\Music\\Folder.mp3")));
        TempDrive::setDosAttrib(drive.write(QStringLiteral("C:\\Music\\hidden.mp3")), "0x2");
        TempDrive::setDosAttrib(drive.write(QStringLiteral("C:\\Music\\system.mp3")), "0x4");
        TempDrive::setDosAttrib(drive.write(QStringLiteral("C:\\Music\\archive.mp3")), "0x20");
    }
};

} // namespace

// The existence test and the name the disk spells: any case, wildcards in the name part, hidden,
// system and folders count as missing, "." and ".." and trailing dots resolved as Windows does.
TEST_F(DosfsTest, ExistenceAndSpelling) {
    const struct {
        const char* path;
        const char* name; // "" = no file exists there
    } cases[] = {
        {"C:\\Music\\Rock\\Song One.mp3", "Song One.mp3"},
        {"c:\\music\\ROCK\\song one.MP3", "Song One.mp3"},
        {"C:/Music/Rock/Song One.mp3", "Song One.mp3"},
        {"C:\\Music\\\\Rock\\.\\..\\Rock\\Song One.mp3", "Song One.mp3"},
        {"C:\\Music.\\Rock\\Song One.mp3", "Song One.mp3"},
        {"C:\\Music\\Rock\\SONG TWO.mp3", "song two.MP3"},
        {"C:\\Music\\Rock\\*.mp3", "Song One.mp3"}, // first match by name, the hidden one skipped
        {"C:\\Music\\Rock\\song t?o.mp3", "song two.MP3"},
        {"C:\\Music\\Rock\\*two*", "song two.MP3"},
        {"C:\\Music\\Rock\\x*.mp3", ""},
        {"C:\\Music\\a.mp3", "a.mp3"}, // the exact spelling wins over another
        {"C:\\Music\\A.MP3", "A.MP3"},
        {"C:\\Music\\A.mp3", "A.MP3"},        // no exact spelling: the first in name order
        {"C:\\Music\\Rock\\.dotted.mp3", ""}, // hidden by its name
        {"C:\\Music\\hidden.mp3", ""},        // hidden by user.DOSATTRIB
        {"C:\\Music\\system.mp3", ""},
        {"C:\\Music\\archive.mp3", "archive.mp3"},
        {"C:\\Music\\Folder.mp3", ""}, // a folder is no file
        {"C:\\Music", ""},
        {"C:\\", ""},
        {"C:\\Music\\missing.mp3", ""},
        {"C:\\Nothing\\a.mp3", ""},
        {"D:\\Music\\a.mp3", ""}, // unmapped drive
        {"\\\\server\\share\\a.mp3", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        const QString path = QString::fromUtf8(c.path);
        EXPECT_EQ(dosfs::FileNameOf(path), QString::fromUtf8(c.name)) << c.path;
        EXPECT_EQ(dosfs::FileExists(path), *c.name != 0) << c.path;
    }
}

TEST_F(DosfsTest, Attributes) {
    QFile::setPermissions(drive.host(QStringLiteral("C:\\Music\\a.mp3")), QFileDevice::ReadOwner);
    const struct {
        const char* path;
        bool readOnly, hidden, system, archive, directory;
    } cases[] = {
        {"C:\\Music\\a.mp3", true, false, false, true, false},
        {"C:\\music\\rock\\.DOTTED.mp3", false, true, false, true, false},
        {"C:\\Music\\hidden.mp3", false, true, false, false, false},
        {"C:\\Music\\system.mp3", false, false, true, false, false},
        {"C:\\Music\\archive.mp3", false, false, false, true, false},
        {"C:\\Music\\Rock", false, false, false, false, true},
    };
    for (const auto& c : cases) {
        const auto a = dosfs::attributes(QString::fromUtf8(c.path));
        ASSERT_TRUE(a.has_value()) << c.path;
        EXPECT_EQ(a->readOnly, c.readOnly) << c.path;
        EXPECT_EQ(a->hidden, c.hidden) << c.path;
        EXPECT_EQ(a->system, c.system) << c.path;
        EXPECT_EQ(a->archive, c.archive) << c.path;
        EXPECT_EQ(a->directory, c.directory) << c.path;
    }
    EXPECT_FALSE(dosfs::attributes(QStringLiteral("C:\\Music\\gone.mp3")).has_value());
}

// A cached attribute does not outlive a change of the file's user.DOSATTRIB.
TEST_F(DosfsTest, AttributeChangeIsSeen) {
    const QString path = QStringLiteral("C:\\Music\\Rock\\Song One.mp3");
    ASSERT_TRUE(dosfs::FileExists(path));
    TempDrive::setDosAttrib(drive.host(path), "0x2");
    EXPECT_FALSE(dosfs::FileExists(path));
    TempDrive::setDosAttrib(drive.host(path), "0x0");
    EXPECT_TRUE(dosfs::FileExists(path));
}

// Files added to or removed from a folder are seen at once, also through the case-insensitive search.
TEST_F(DosfsTest, FolderChangesAreSeen) {
    const QString path = QStringLiteral("C:\\MUSIC\\new.mp3");
    EXPECT_FALSE(dosfs::FileExists(path));
    drive.write(QStringLiteral("C:\\Music\\NEW.mp3"));
    EXPECT_EQ(dosfs::FileNameOf(path), QStringLiteral("NEW.mp3"));
    QFile::remove(drive.host(QStringLiteral("C:\\Music\\NEW.mp3")));
    EXPECT_FALSE(dosfs::FileExists(path));
}

TEST_F(DosfsTest, HostAndDosPaths) {
    EXPECT_EQ(dosfs::toDos(drive.root() + QStringLiteral("/Music/Rock/Song One.mp3")),
              QStringLiteral("C:\\Music\\Rock\\Song One.mp3"));
    EXPECT_EQ(dosfs::toDos(drive.root()), QStringLiteral("C:\\"));
    EXPECT_EQ(dosfs::toDos(QStringLiteral("/somewhere/else")), QString());
    EXPECT_EQ(dosfs::resolve(QStringLiteral("c:\\MUSIC\\rock\\song one.mp3")),
              drive.root() + QStringLiteral("/Music/Rock/Song One.mp3"));
    EXPECT_EQ(dosfs::resolve(QStringLiteral("C:\\")), drive.root());
    EXPECT_EQ(dosfs::hostPathForWrite(QStringLiteral("C:\\music\\NEW.txt")),
              drive.root() + QStringLiteral("/Music/NEW.txt"));
    EXPECT_EQ(dosfs::hostPathForWrite(QStringLiteral("C:\\music\\A.mp3")),
              drive.root() + QStringLiteral("/Music/A.MP3"));
    EXPECT_EQ(dosfs::hostPathForWrite(QStringLiteral("C:\\nowhere\\x.txt")), std::nullopt);
}

// The longest drive folder holding a host path names its drive; a drive inside another works.
TEST(Dosfs, NestedDrivesAndRootRelativePaths) {
    QTemporaryDir outer;
    QDir().mkpath(outer.path() + QStringLiteral("/inner"));
    QFile(outer.path() + QStringLiteral("/inner/x.mp3")).open(QIODevice::WriteOnly);
    qputenv("VORLAK_DRIVES", ("C:=" + outer.path() + ";D:=" + outer.path() + "/inner").toUtf8());
    dosfs::reloadDrives();
    EXPECT_EQ(dosfs::toDos(outer.path() + QStringLiteral("/inner/x.mp3")), QStringLiteral("D:\\x.mp3"));
    EXPECT_EQ(dosfs::toDos(outer.path() + QStringLiteral("/other")), QStringLiteral("C:\\other"));
    // A path from the root of the current drive: the drive of the working folder.
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(outer.path() + QStringLiteral("/inner"));
    EXPECT_EQ(dosfs::currentDrive(), QChar(u'D'));
    EXPECT_TRUE(dosfs::FileExists(QStringLiteral("\\x.mp3")));
    EXPECT_TRUE(dosfs::FileExists(QStringLiteral("x.mp3")));
    QDir::setCurrent(cwd);
    qunsetenv("VORLAK_DRIVES");
    dosfs::reloadDrives();
}

// The drive table of a Wine prefix: its dosdevices links; without a prefix, Z: is "/".
TEST(Dosfs, DriveTableFromWinePrefix) {
    QTemporaryDir prefix;
    QDir(prefix.path()).mkpath(QStringLiteral("dosdevices"));
    QDir(prefix.path()).mkpath(QStringLiteral("drive_c"));
    QFile::link(QStringLiteral("../drive_c"), prefix.path() + QStringLiteral("/dosdevices/c:"));
    QFile::link(QStringLiteral("/"), prefix.path() + QStringLiteral("/dosdevices/z:"));
    QFile::link(QStringLiteral("/dev/null"), prefix.path() + QStringLiteral("/dosdevices/c::"));
    qunsetenv("VORLAK_DRIVES");
    qputenv("WINEPREFIX", prefix.path().toUtf8());
    dosfs::reloadDrives();
    ASSERT_EQ(dosfs::drives().size(), 2);
    EXPECT_EQ(dosfs::drives()[0].letter, QChar(u'C'));
    EXPECT_EQ(dosfs::drives()[0].hostRoot, QDir(prefix.path() + QStringLiteral("/drive_c")).canonicalPath());
    EXPECT_EQ(dosfs::drives()[1].hostRoot, QStringLiteral("/"));
    EXPECT_EQ(dosfs::toDos(QStringLiteral("/etc/hosts")), QStringLiteral("Z:\\etc\\hosts"));

    qputenv("WINEPREFIX", (prefix.path() + "/none").toUtf8());
    dosfs::reloadDrives();
    ASSERT_EQ(dosfs::drives().size(), 1);
    EXPECT_EQ(dosfs::drives()[0].letter, QChar(u'Z'));
    qunsetenv("WINEPREFIX");
    dosfs::reloadDrives();
}

TEST_F(DosfsTest, Listings) {
    drive.write(QStringLiteral("C:\\Music\\notes.txt"));
    QDir().mkpath(drive.host(QStringLiteral("C:\\Music\\.secret")));
    EXPECT_EQ(dosfs::listFolders(QStringLiteral("c:\\music")),
              QStringList({QStringLiteral("Folder.mp3"), QStringLiteral("Rock")}));
    EXPECT_EQ(dosfs::listFiles(QStringLiteral("C:\\Music"), u"*.mp3"),
              QStringList({QStringLiteral("A.MP3"), QStringLiteral("a.mp3"), QStringLiteral("archive.mp3")}));
    EXPECT_EQ(dosfs::listFiles(QStringLiteral("C:\\Music"), u"*.*").size(), 4);
    EXPECT_TRUE(dosfs::listFiles(QStringLiteral("C:\\None"), u"*.mp3").isEmpty());
    const auto drives = dosfs::listDrives();
    ASSERT_EQ(drives.size(), 1);
    EXPECT_EQ(drives[0].letter, QChar(u'C'));
}
