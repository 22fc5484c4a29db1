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
        {"C:\\Music\\Rock\\*.mp3", "Song One.mp3"}, // first match by name, the hidden one skipped
        {"C:\\Music\\Rock\\song t?o.mp3", "song two.MP3"},
        {"C:\\Music\\Rock\\x*.mp3", ""},
        {"C:\\Music\\a.mp3", "a.mp3"}, // the exact spelling wins over another
        {"c:\\music\\a.mp3", "a.mp3"},
        {"C:\\Music\\A.mp3", "A.MP3"},        // no exact spelling: the first in name order
        {"C:\\Music\\Rock\\.dotted.mp3", ""}, // hidden by its name
        {"C:\\Music\\hidden.mp3", ""},        // hidden by user.DOSATTRIB
        {"C:\\Music\\system.mp3", ""},
        {"C:\\Music\\archive.mp3", "archive.mp3"},
        {"C:\\Music\\Folder.mp3", ""}, // a folder is no file
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
        const char* flags; // Read-only, Hidden, System, Archive, Directory
    } cases[] = {
        {"C:\\Music\\a.mp3", "RA"},      {"C:\\music\\rock\\.DOTTED.mp3", "HA"},
        {"C:\\Music\\hidden.mp3", "H"},  {"C:\\Music\\system.mp3", "S"},
        {"C:\\Music\\archive.mp3", "A"}, {"C:\\Music\\Rock", "D"},
    };
    for (const auto& c : cases) {
        const auto a = dosfs::attributes(QString::fromUtf8(c.path));
        ASSERT_TRUE(a.has_value()) << c.path;
        const std::string flags = std::string(a->readOnly ? "R" : "") + (a->hidden ? "H" : "") +
                                  (a->system ? "S" : "") + (a->archive ? "A" : "") +
                                  (a->directory ? "D" : "");
        EXPECT_EQ(flags, c.flags) << c.path;
    }
    EXPECT_FALSE(dosfs::attributes(u"C:\\Music\\gone.mp3").has_value());
}

// Cached listings and attributes do not hide a file added to a folder or a changed user.DOSATTRIB.
TEST_F(DosfsTest, ChangesAreSeen) {
    EXPECT_FALSE(dosfs::FileExists(u"C:\\MUSIC\\new.mp3"));
    drive.write(QStringLiteral("C:\\Music\\NEW.mp3"));
    EXPECT_EQ(dosfs::FileNameOf(u"C:\\MUSIC\\new.mp3"), "NEW.mp3");
    TempDrive::setDosAttrib(drive.host(QStringLiteral("C:\\Music\\NEW.mp3")), "0x2");
    EXPECT_FALSE(dosfs::FileExists(u"C:\\MUSIC\\new.mp3"));
}

TEST_F(DosfsTest, HostAndDosPaths) {
    EXPECT_EQ(dosfs::toDos(drive.root() + "/Music/Rock/Song One.mp3"), "C:\\Music\\Rock\\Song One.mp3");
    EXPECT_EQ(dosfs::toDos(drive.root()), "C:\\");
    EXPECT_EQ(dosfs::toDos("/somewhere/else"), "");
    EXPECT_EQ(dosfs::resolve(u"c:\\MUSIC\\rock\\song one.mp3"), drive.root() + "/Music/Rock/Song One.mp3");
    EXPECT_EQ(dosfs::resolve(u"C:\\"), drive.root());
    EXPECT_EQ(dosfs::hostPathForWrite(u"C:\\music\\NEW.txt"), drive.root() + "/Music/NEW.txt");
    EXPECT_EQ(dosfs::hostPathForWrite(u"C:\\music\\A.mp3"), drive.root() + "/Music/A.MP3");
    EXPECT_EQ(dosfs::hostPathForWrite(u"C:\\nowhere\\x.txt"), std::nullopt);

    // The longest drive folder holding a host path names its drive; a path without a drive letter is
    // on the drive of the working folder.
    qputenv("VORLAK_DRIVES", ("C:=" + drive.root() + ";D:=" + drive.root() + "/Music").toUtf8());
    dosfs::reloadDrives();
    EXPECT_EQ(dosfs::toDos(drive.root() + "/Music/a.mp3"), "D:\\a.mp3");
    EXPECT_EQ(dosfs::toDos(drive.root() + "/Musical/x"), "C:\\Musical\\x");
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(drive.root() + "/Music/Rock");
    EXPECT_EQ(dosfs::currentDrive(), QChar(u'D'));
    EXPECT_EQ(dosfs::FileNameOf(u"\\a.mp3"), "a.mp3");
    EXPECT_EQ(dosfs::FileNameOf(u"SONG TWO.mp3"), "song two.MP3");
    QDir::setCurrent(cwd);
}

// The drive table of a Wine prefix: its dosdevices links to folders; without a prefix, Z: is "/".
TEST(Dosfs, DriveTableFromWinePrefix) {
    QTemporaryDir prefix;
    QDir(prefix.path()).mkpath("dosdevices");
    QDir(prefix.path()).mkpath("drive_c");
    for (const auto& [target, name] : {std::pair{"../drive_c", "c:"}, {"/", "z:"}, {"/dev/null", "d:"}})
        QFile::link(target, prefix.path() + "/dosdevices/" + name);
    const auto table = [](const QString& winePrefix) {
        qunsetenv("VORLAK_DRIVES");
        qputenv("WINEPREFIX", winePrefix.toUtf8());
        dosfs::reloadDrives();
        QString text;
        for (const dosfs::Drive& d : dosfs::drives())
            text += d.letter + ('=' + d.hostRoot + ';');
        return text;
    };
    EXPECT_EQ(table(prefix.path()), "C=" + QDir(prefix.path() + "/drive_c").canonicalPath() + ";Z=/;");
    EXPECT_EQ(dosfs::toDos("/etc/hosts"), "Z:\\etc\\hosts");
    EXPECT_EQ(table(prefix.path() + "/none"), "Z=/;");
    qunsetenv("WINEPREFIX");
    dosfs::reloadDrives();
}
