#include "platform/dosfs.h"
#include "platform/dosfslisting.h"
#include "tempdrive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

std::string str(const char16_t* text) {
    return QStringView(text).toString().toStdString();
}

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
        TempDrive::setDosAttrib(drive.write(QStringLiteral("C:\\Music\\upper.mp3")), "0X2");
        TempDrive::setDosAttrib(drive.write(QStringLiteral("C:\\Music\\bare.mp3")), "22");
        drive.write(QStringLiteral("C:\\Music\\x"));
        drive.write(QStringLiteral("C:\\Music\\1:\\x.mp3"));
        drive.write(QStringLiteral(u"C:\\Music\\\U0001F600.mp3"));
    }
};

} // namespace

// The existence test and the name the disk spells: any case, wildcards in the name part, hidden,
// system and folders count as missing; ".", ".." (also at the root), trailing dots and blanks and
// components of dots and blanks resolved as Windows does; a path without a drive letter ("1:" is
// none) is relative to the working folder, here C:\Music.
TEST_F(DosfsTest, ExistenceAndSpelling) {
    const struct {
        const char16_t* path;
        const char16_t* name; // "" = no file exists there
    } cases[] = {
        {u"C:\\Music\\Rock\\Song One.mp3", u"Song One.mp3"},
        {u"c:\\music\\ROCK\\song one.MP3", u"Song One.mp3"},
        {u"C:/Music/Rock/Song One.mp3", u"Song One.mp3"},
        {u"C:\\Music\\\\Rock\\.\\..\\Rock\\Song One.mp3", u"Song One.mp3"},
        {u"C:\\Music.\\Rock\\Song One.mp3", u"Song One.mp3"},
        {u"C:\\..\\Music \\a.mp3 ", u"a.mp3"},
        {u"C:\\Music\\...\\ \\. .\\a.mp3", u"a.mp3"},
        {u"C:\\Music\\Rock\\*.mp3", u"Song One.mp3"}, // first match by name, the hidden one skipped
        {u"C:\\Music\\Rock\\song t?o.mp3", u"song two.MP3"},
        {u"C:\\Music\\Rock\\x*.mp3", u""},
        {u"C:\\Music\\a.mp3", u"a.mp3"}, // the exact spelling wins over another
        {u"c:\\music\\a.mp3", u"a.mp3"},
        {u"C:\\Music\\A.mp3", u"A.MP3"},        // no exact spelling: the first in name order
        {u"C:\\Music\\Rock\\.dotted.mp3", u""}, // hidden by its name
        {u"C:\\Music\\hidden.mp3", u""},        // hidden by user.DOSATTRIB
        {u"C:\\Music\\system.mp3", u""},
        {u"C:\\Music\\archive.mp3", u"archive.mp3"},
        {u"C:\\Music\\Folder.mp3", u""}, // a folder is no file
        {u"C:\\Music\\\U0001F600.mp3", u"\U0001F600.mp3"},
        {u"C:\\Music\\x\xD83D", u""}, // a lone high surrogate at the end
        {u"x", u"x"},
        {u"1:\\x.mp3", u"x.mp3"},
        {u"\\", u""},
        {u"C:\\", u""},
        {u"C:\\Music\\missing.mp3", u""},
        {u"C:\\Nothing\\a.mp3", u""},
        {u"D:\\Music\\a.mp3", u""}, // unmapped drive
        {u"[:\\x.mp3", u""},
        {u"{:\\x.mp3", u""},
        {u"\\\\server\\share\\a.mp3", u""},
        {u"", u""},
    };
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(drive.root() + "/Music");
    for (const auto& c : cases) {
        EXPECT_EQ(dosfs::FileNameOf(c.path), QStringView(c.name).toString()) << str(c.path);
        EXPECT_EQ(dosfs::FileExists(c.path), *c.name != 0) << str(c.path);
    }
    QDir::setCurrent(cwd);
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
        {"C:\\Music\\upper.mp3", "H"},   {"C:\\Music\\bare.mp3", "A"}, // "22" lacks the 0x: no attribute set
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
    EXPECT_EQ(dosfs::resolve(u"C:\\.."), drive.root());
    EXPECT_EQ(dosfs::resolve(u"C:\\NoSuchDir\\a.mp3"), std::nullopt);
    EXPECT_EQ(dosfs::resolve(u"C:\\Music\\*.mp3"), drive.root() + "/Music/A.MP3"); // first by name
    EXPECT_EQ(dosfs::hostPathForWrite(u"C:\\music\\NEW.txt"), drive.root() + "/Music/NEW.txt");
    EXPECT_EQ(dosfs::hostPathForWrite(u"C:\\music\\A.mp3"), drive.root() + "/Music/A.MP3");
    for (const char16_t* refused : {u"C:\\nowhere\\x.txt", u"C:\\", u"C:\\*.txt", u"C:\\Music\\a?.mp3"})
        EXPECT_EQ(dosfs::hostPathForWrite(refused), std::nullopt) << str(refused);

    // The longest drive folder holding a host path names its drive, whichever comes first in the
    // table; a path without a drive letter is on the drive of the working folder.
    qputenv("VORLAK_DRIVES", ("C:=" + drive.root() + "/Music;D:=" + drive.root()).toUtf8());
    dosfs::reloadDrives();
    EXPECT_EQ(dosfs::toDos(drive.root() + "/Music/a.mp3"), "C:\\a.mp3");
    EXPECT_EQ(dosfs::toDos(drive.root() + "/Musical/x"), "D:\\Musical\\x");
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(drive.root() + "/Music/Rock");
    EXPECT_EQ(dosfs::currentDrive(), QChar(u'C'));
    EXPECT_EQ(dosfs::FileNameOf(u"\\a.mp3"), "a.mp3");
    EXPECT_EQ(dosfs::FileNameOf(u"SONG TWO.mp3"), "song two.MP3");
    EXPECT_EQ(dosfs::resolve(u"\\"), drive.root() + "/Music");
    QDir::setCurrent("/");
    EXPECT_EQ(dosfs::resolve(u"a.mp3"), std::nullopt) << "the working folder is on no drive";
    QDir::setCurrent(cwd);
}

TEST(Dosfs, WildcardMatch) {
    const struct {
        const char16_t *pattern, *name;
        bool matches;
    } cases[] = {
        {u"*.*", u"README", true}, {u"*.mp3", u"X.MP3", true}, {u"a?c", u"ABC", true}, {u"a", u"ab", false},
        {u"?", u"ab", false},      {u"a*b", u"abXb", true},    {u"a*", u"a", true},    {u"a**", u"a", true},
        {u"a*?", u"a", false},     {u"", u"", true},           {u"", u"a", false},     {u"*x", u"abc", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dosfs::wildcardMatch(c.pattern, c.name), c.matches) << str(c.pattern) << " " << str(c.name);
}

namespace {
QString driveTable() {
    dosfs::reloadDrives();
    QString text;
    for (const dosfs::Drive& d : dosfs::drives())
        text += d.letter + ('=' + d.hostRoot + ';');
    return text;
}
} // namespace

// VORLAK_DRIVES: items without a letter before "=" are left out; an empty folder is "/", named so
// in the drive box; any letter counts, also one outside A..Z; without any drive the current drive
// is C:.
TEST(Dosfs, DriveTableFromTheEnvironment) {
    TempDrive drive;
    drive.write(QStringLiteral("C:\\a.mp3"));
    qputenv("VORLAK_DRIVES", "=/tmp;x/tmp;1=/tmp;D=");
    EXPECT_EQ(driveTable(), "D=/;");
    EXPECT_EQ(dosfs::driveEntries().value(0).text, "d: [/]"); // as the drive box shows it
    qputenv("VORLAK_DRIVES", "=x");
    EXPECT_EQ(driveTable(), "");
    EXPECT_EQ(dosfs::currentDrive(), QChar(u'C'));
    qputenv("VORLAK_DRIVES", ("b=/r/;\u00e4=" + drive.root()).toUtf8());
    EXPECT_EQ(driveTable(), "B=/r;\u00c4=" + drive.root() + ";");
    EXPECT_TRUE(dosfs::FileExists(u"\u00e4:\\a.mp3"));
}

// The drive table of a Wine prefix: its dosdevices links "x:" to folders (Wine's raw device
// links "x::", other names and links to no folder are left out); without a prefix, Z: is "/".
TEST(Dosfs, DriveTableFromWinePrefix) {
    QTemporaryDir prefix;
    QDir(prefix.path()).mkpath("dosdevices");
    QDir(prefix.path()).mkpath("drive_c");
    for (const auto& [target, name] : {std::pair{"../drive_c", "c:"},
                                       {"/", "z:"},
                                       {"/dev/null", "d:"},
                                       {"/no/such", "e:"},
                                       {"/", "c::"},
                                       {"/", "com1"},
                                       {"/", "1:"}})
        QFile::link(target, prefix.path() + "/dosdevices/" + name);
    {
        const ScopedEnv noMapping("VORLAK_DRIVES", std::nullopt),
            winePrefix("WINEPREFIX", prefix.path().toUtf8());
        EXPECT_EQ(driveTable(), "C=" + QDir(prefix.path() + "/drive_c").canonicalPath() + ";Z=/;");
        EXPECT_EQ(dosfs::toDos("/etc/hosts"), "Z:\\etc\\hosts");
        qputenv("WINEPREFIX", (prefix.path() + "/none").toUtf8());
        EXPECT_EQ(driveTable(), "Z=/;");
    }
    dosfs::reloadDrives();
}
