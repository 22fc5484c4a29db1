#include "platform/registry.h"
#include "platform/winereg.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QString read(const QString& key, const QString& name) {
    return RegRead(HKEY_CURRENT_USER, key, name);
}

// A Wine prefix holding a copy of a real user.reg, an empty configuration folder, and the
// environment restored afterwards.
class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"WINEPREFIX", "XDG_CONFIG_HOME", "HOME"})
            saved_.push_back({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
        qputenv("WINEPREFIX", QFile::encodeName(prefix_.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path()));
        wine_ = readBytes(QStringLiteral(WINE_USER_REG));
        ASSERT_FALSE(wine_.isEmpty());
        writeBytes(registry::winePrefixFile(), wine_);
    }
    void TearDown() override {
        for (const Saved& s : saved_)
            s.isSet ? qputenv(s.name, s.value) : qunsetenv(s.name);
    }

    struct Saved {
        const char* name;
        bool isSet;
        QByteArray value;
    };
    std::vector<Saved> saved_;
    QTemporaryDir prefix_, config_;
    QByteArray wine_;
};

} // namespace

TEST_F(Registry, FilesFollowTheEnvironment) {
    EXPECT_EQ(registry::ownFile(), config_.path() + "/TovrelPro/user.reg");
    EXPECT_EQ(registry::winePrefixFile(), prefix_.path() + "/user.reg");
    qputenv("HOME", "/home/u");
    qunsetenv("WINEPREFIX");
    qputenv("XDG_CONFIG_HOME", "relative/ignored");
    EXPECT_EQ(registry::ownFile(), "/home/u/.config/TovrelPro/user.reg");
    EXPECT_EQ(registry::winePrefixFile(), "/home/u/.wine/user.reg");
}

// Every section and value line of the real file is read, with escaped key names resolved.
TEST_F(Registry, ParsesAWholeWineFile) {
    const winereg::File file = winereg::parse(wine_);
    ASSERT_TRUE(file.valid);
    EXPECT_EQ(file.lines.join(), wine_);
    qsizetype headers = 0, values = 0, parsed = 0;
    for (const QByteArray& line : file.lines) {
        headers += line.startsWith('[');
        values += line.startsWith('"') || line.startsWith('@');
    }
    for (const winereg::Section& section : file.sections)
        parsed += section.values.size();
    EXPECT_EQ(file.sections.size(), headers);
    EXPECT_EQ(parsed, values);
    EXPECT_TRUE(std::any_of(file.sections.begin(), file.sections.end(), [](const winereg::Section& s) {
        return s.key == QStringLiteral(u"Control Panel\\International\\\U0001F30E\U0001F30F\U0001F30D");
    }));
}

TEST_F(Registry, ReadsValuesAsTheAnsiQueryHandsThemOver) {
    const struct {
        QString key, name, expected;
    } cases[] = {
        {R"(Software\Valve\Half-Life)", "InstallPath", R"(C:\Games\hl)"},
        {R"(Software\Valve\Counterstrike)", "InstallPath", R"(C:\Spiele\Müller\cs)"},
        {R"(software\VALVE\half-life)", "INSTALLPATH", R"(C:\Games\hl)"},
        {R"(Software\Valve\Probe)", "Quote", R"(C:\a "quoted" dir\\\\server\share\)"},
        {R"(Software\Valve\Probe)", "Unicode", R"(D:\???\Ærø €)"},
        {R"(Software\Valve\Probe)", "Dword", "*"},
        {R"(Software\Valve\Probe)", "Multi", "one"},
        {R"(Software\Valve\Probe)", "Expand", R"(%USERPROFILE%\Music)"},
        {R"(Software\Valve\Probe)", "Bin", ""},
        {R"(Software\Valve\Probe)", "", "default value"},
        {R"(Software\Valve\Probe)", R"(Name With "Q" and \ bs)", "x"},
        {R"(Software\Valve\Probe\Sub Key [br])", "Tab", "a\tb"},
        {R"(Software\Valve\Probe2)", "Ctl", "l1\nl2\rx\x01y"},
        {R"(Software\Valve\Probe2)", "Emoji", "x??y"},
        {R"(Software\Valve\Probe2)", "HexFollow", "Müde éa ü1 ÿF Caféb"},
        {R"(Software\Valve\Probe2)", "NoTerm", "AB"},
        {R"(Software\Valve\Probe2)", "OddLen", "A"},
        {R"(Software\Valve\Probe2)", "Qword", "\x01"},
        {R"(Control Panel\Desktop\WindowMetrics)", "CaptionFont", "õÿÿÿ"},
        {R"(Software\Valve\Half-Life)", "Missing", ""},
        {R"(Software\Valve\Nowhere)", "InstallPath", ""},
        {R"(Software\Valve)", "InstallPath", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(read(c.key, c.name), c.expected) << c.key.toStdString() << " " << c.name.toStdString();
    EXPECT_EQ(RegRead(0x80000002L, R"(Software\Valve\Half-Life)", "InstallPath"), "");
}

TEST_F(Registry, ValueFormsAndEscapes) {
    const auto hexBytes = [](int count) { return QByteArray("41,").repeated(count).chopped(1); };
    const struct {
        QByteArray line;
        QString name, expected;
    } cases[] = {
        {R"("v"="\101\1010\x41\x00411")", "v", "AA0AA1"},
        {R"("v"="\q\[\]\"\\")", "v", R"(q[]"\)"},
        {R"("v"="\a\b\e\f\v")", "v", "\a\b\x1b\f\v"},
        {R"("v"="\x263a\xe9\777\x")", "v", "?é?x"},
        {"\"v\"=\"M\xc3\xbcller\"", "v", "Müller"},
        {R"("v"=str:"s")", "v", "s"},
        {R"("v"=str(2):"e")", "v", "e"},
        {R"("v"=str(7):"a\0b\0")", "v", "a"},
        {R"("v"=dword:2a)", "v", "*"},
        {R"("v"=dword:00004142)", "v", "BA"},
        {"\"v\"=hex(1):41,00,\\\n  42,00,00,00", "v", "AB"},
        {"\"v\"=hex:41,42,\\\r\n  43\r", "v", "ABC"},
        {R"("v"=hex(2):e9,00,00,00)", "v", "é"},
        {"\"v\"=hex:41,\\\n\"w\"=\"2\"", "w", "2"},
        {R"(@="d")", "", "d"},
        {"\"v\"=\"1\"\n\"V\"=\"2\"", "v", "2"},
        {R"("v"="unterminated)", "v", ""},
        {R"("v"=zzz)", "v", ""},
        {R"("v"=hex:41,zz)", "v", ""},
        {"\"v\"=\"" + QByteArray(254, 'a') + '"', "v", QString(254, u'a')},
        {"\"v\"=\"" + QByteArray(255, 'a') + '"', "v", ""},
        {"\"v\"=hex:" + hexBytes(255), "v", QString(255, u'A')},
        {"\"v\"=hex:" + hexBytes(256), "v", ""},
    };
    for (const auto& c : cases) {
        writeBytes(registry::ownFile(), "WINE REGISTRY Version 2\n[T] 1\n" + c.line + '\n');
        EXPECT_EQ(read("T", c.name), c.expected) << c.line.toStdString();
    }
}

TEST_F(Registry, OwnFileComesFirst) {
    writeBytes(registry::ownFile(), "WINE REGISTRY Version 2\n[Software\\\\Valve\\\\Half-Life] 1\n"
                                    "\"InstallPath\"=\"E:\\\\own\"\n");
    EXPECT_EQ(read(R"(Software\Valve\Half-Life)", "InstallPath"), R"(E:\own)");
    EXPECT_EQ(read(R"(Software\Valve\Counterstrike)", "InstallPath"), R"(C:\Spiele\Müller\cs)");
    writeBytes(registry::ownFile(), "not a registry file");
    EXPECT_EQ(read(R"(Software\Valve\Half-Life)", "InstallPath"), R"(C:\Games\hl)");
}

TEST_F(Registry, WriteThenReadInANewProcess) {
    const QString key = R"(Software\TovrelPro\RAZ)";
    RegWrite(HKEY_CURRENT_USER, key, "Old", "1");
    RegWrite(HKEY_CURRENT_USER, key, "Opend", "1");
    RegWrite(HKEY_CURRENT_USER, key, "Old", "0");
    RegWrite(HKEY_CURRENT_USER, key, "Path", "C:\\Müller \"q\"\\\t€日");
    const struct {
        QString name, expected;
    } cases[] = {{"Old", "0"}, {"Opend", "1"}, {"Path", "C:\\Müller \"q\"\\\t€?"}};
    for (const auto& c : cases) {
        QProcess probe;
        probe.start(QStringLiteral(REGISTRY_PROBE), {key, c.name});
        ASSERT_TRUE(probe.waitForFinished());
        EXPECT_EQ(probe.exitCode(), 0);
        EXPECT_EQ(QString::fromUtf8(probe.readAllStandardOutput()), c.expected) << c.name.toStdString();
    }
}

// A write replaces the value's own lines or adds one line at the end of its section; every other
// byte of the file stays.
TEST_F(Registry, WriteChangesOnlyTheValuesLines) {
    const qsizetype caption = wine_.indexOf("\"CaptionFont\"");
    const QByteArray captionLines = wine_.mid(caption, wine_.indexOf("\n\"", caption) + 1 - caption);
    const QByteArray qword = "\"Qword\"=hex(b):01,00,00,00,00,00,00,00\n";
    const QByteArray unicode = R"("Unicode"="D:\\\x65e5\x672c\x8a9e\\\xc6r\xf8 \x20ac")"
                               "\n";
    const struct {
        QString key, name, value;
        QByteArray from, to;
    } cases[] = {
        {R"(Software\Valve\Half-Life)", "installpath", R"(D:\x)", R"("InstallPath"="C:\\Games\\hl")",
         R"("InstallPath"="D:\\x")"},
        {R"(control panel\desktop\WindowMetrics)", "CaptionFont", "x", captionLines,
         "\"CaptionFont\"=\"x\"\n"},
        {R"(Software\Valve\Probe)", "", "dflt", "@=\"default value\"", "@=\"dflt\""},
        {R"(Software\Valve\Probe)", "Added", "1", unicode, unicode + "\"Added\"=\"1\"\n"},
        {R"(Software\Valve\Probe2)", "N\"\\",
         "a\"b\\c\t\x01\x01"
         "7éé"
         "a€日",
         qword,
         qword + R"("N\"\\"="a\"b\\c\t\1\0017\xe9\x00e9a\x20ac?")"
                 "\n"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(wine_.count(c.from), 1) << c.from.toStdString();
        writeBytes(registry::ownFile(), wine_);
        RegWrite(HKEY_CURRENT_USER, c.key, c.name, c.value);
        EXPECT_EQ(readBytes(registry::ownFile()), QByteArray(wine_).replace(c.from, c.to))
            << c.name.toStdString();
    }

    // A last line without its line end gets one before the new line follows it.
    writeBytes(registry::ownFile(), "WINE REGISTRY Version 2\n[A] 1\n\"v\"=\"1\"");
    RegWrite(HKEY_CURRENT_USER, "A", "w", "2");
    EXPECT_EQ(readBytes(registry::ownFile()), "WINE REGISTRY Version 2\n[A] 1\n\"v\"=\"1\"\n\"w\"=\"2\"\n");
}

TEST_F(Registry, WriteAddsKeysWithWinesTimeStamps) {
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    RegWrite(HKEY_CURRENT_USER, R"(Software\TovrelPro\RAZ)", "Old", "0");
    RegWrite(HKEY_CURRENT_USER, R"(Software\TovrelPro\RAZ)", "Opend", "1");
    RegWrite(HKEY_CURRENT_USER, R"(Software\[x])", "", "y");
    const qint64 after = QDateTime::currentSecsSinceEpoch();

    QString text = QString::fromLatin1(readBytes(registry::ownFile()));
    const QRegularExpression stamp(R"(\] (\d+)\n#time=([0-9a-f]+)\n)");
    int stamps = 0;
    for (const QRegularExpressionMatch& m : stamp.globalMatch(text)) {
        const qint64 seconds = m.captured(1).toLongLong();
        EXPECT_TRUE(seconds >= before && seconds <= after) << seconds;
        EXPECT_EQ(m.captured(2).toULongLong(nullptr, 16) / 10000000 - 11644473600ULL, quint64(seconds));
        ++stamps;
    }
    EXPECT_EQ(stamps, 2);
    text.replace(stamp, "] T\n#time=T\n");
    EXPECT_EQ(text, R"(WINE REGISTRY Version 2

[Software\\TovrelPro\\RAZ] T
#time=T
"Old"="0"
"Opend"="1"

[Software\\\[x\]] T
#time=T
@="y"
)");
    EXPECT_EQ(read(R"(Software\[x])", ""), "y");
}

TEST_F(Registry, WriteTouchesNothingButTheOwnFile) {
    RegWrite(HKEY_CURRENT_USER, R"(Software\Valve\Half-Life)", "InstallPath", R"(D:\own)");
    EXPECT_EQ(read(R"(Software\Valve\Half-Life)", "InstallPath"), R"(D:\own)");
    EXPECT_EQ(readBytes(registry::winePrefixFile()), wine_);
    EXPECT_EQ(QDir(prefix_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"user.reg"});

    RegWrite(0x80000002L, "Other", "v", "1");
    EXPECT_EQ(read("Other", "v"), "");

    // A read-only own file, or one that is not in Wine's format, stays as it is.
    const QByteArray native = QFile::encodeName(registry::ownFile());
    for (const QByteArray& content : {readBytes(registry::ownFile()), QByteArray("REGEDIT4\n")}) {
        for (mode_t mode : {0444, 0644}) {
            writeBytes(registry::ownFile(), content);
            ASSERT_EQ(::chmod(native.constData(), mode), 0);
            const bool writable = mode == 0644 && content.startsWith("WINE");
            RegWrite(HKEY_CURRENT_USER, "New", "v", "1");
            EXPECT_EQ(readBytes(registry::ownFile()) == content, !writable) << content.toStdString() << mode;
            ASSERT_EQ(::chmod(native.constData(), 0644), 0);
        }
    }
}

TEST_F(Registry, BadInputReadsWhatItCan) {
    // Cut anywhere in a value's line, the file loses that value and keeps the ones before it.
    const qsizetype start = wine_.indexOf(R"("InstallPath"="C:\\Games\\hl")");
    const qsizetype end = wine_.indexOf('\n', start);
    for (qsizetype cut = start; cut <= end + 1; ++cut) {
        writeBytes(registry::winePrefixFile(), wine_.left(cut));
        EXPECT_EQ(read(R"(Software\Valve\Half-Life)", "InstallPath"), cut >= end ? R"(C:\Games\hl)" : "")
            << cut;
        EXPECT_EQ(read(R"(Software\Valve\Counterstrike)", "InstallPath"), R"(C:\Spiele\Müller\cs)") << cut;
    }

    std::mt19937 random(7);
    QByteArray garbage(8192, '\0');
    for (char& c : garbage)
        c = char(random());
    const QByteArray good = "[Software\\\\A] 1\n\"v\"=\"1\"\n";
    const struct {
        QByteArray content;
        QString expected;
    } cases[] = {
        {"REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\A]\n\"v\"=\"1\"\n", ""},
        {"WINE REGISTRY Version 1\n" + good, ""},
        {garbage, ""},
        {"WINE REGISTRY Version 2\n" + garbage + '\n' + good, "1"},
        {"WINE REGISTRY Version 2\r\n[Software\\\\A] 1\r\n\"v\"=\"1\"\r\n", "1"},
        {"WINE REGISTRY Version 2\n\"v\"=\"0\"\n" + good + "[Software\\\\A\n\"v\"=\"2\"\n", "1"},
    };
    for (const auto& c : cases) {
        writeBytes(registry::winePrefixFile(), c.content);
        EXPECT_EQ(read(R"(Software\A)", "v"), c.expected) << c.content.left(40).toStdString();
    }
}
