#include "platform/registry.h"
#include "tempdrive.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QString read(const QString& key, const QString& name) {
    return RegRead(HKEY_CURRENT_USER, key, name);
}

// A Wine prefix holding a copy of a real user.reg and an empty configuration folder.
struct Registry : ::testing::Test {
    QTemporaryDir prefix, config;
    ScopedEnv prefixEnv{"WINEPREFIX", QFile::encodeName(prefix.path())};
    ScopedEnv configEnv{"XDG_CONFIG_HOME", QFile::encodeName(config.path())};
    const QByteArray wine = contents(QStringLiteral(WINE_USER_REG));
    void SetUp() override { writeFile(registry::winePrefixFile(), wine); }
};

} // namespace

TEST_F(Registry, DefaultFiles) {
    const ScopedEnv home("HOME", "/home/u");
    qunsetenv("WINEPREFIX");
    qputenv("XDG_CONFIG_HOME", "relative/ignored");
    EXPECT_EQ(registry::ownFile(), "/home/u/.config/TovrelPro/user.reg");
    EXPECT_EQ(registry::winePrefixFile(), "/home/u/.wine/user.reg");
}

TEST_F(Registry, ReadsValuesAsTheAnsiQueryHandsThemOver) {
    const struct {
        QString key, name, expected;
    } cases[] = {
        {R"(Software\Valve\Half-Life)", "InstallPath", R"(C:\Games\hl)"},
        {R"(software\VALVE\half-life)", "INSTALLPATH", R"(C:\Games\hl)"},
        {R"(Software\Valve\Counterstrike)", "InstallPath", R"(C:\Spiele\Müller\cs)"},
        {R"(Software\Valve\Probe)", "Quote", R"(C:\a "quoted" dir\\\\server\share\)"},
        {R"(Software\Valve\Probe)", "Unicode", R"(D:\???\Ærø €)"},
        {R"(Software\Valve\Probe)", "Dword", "*"},
        {R"(Software\Valve\Probe)", R"(Name With "Q" and \ bs)", "x"},
        {R"(Software\Valve\Probe\Sub Key [br])", "Tab", "a\tb"},
        {R"(Software\Valve\Probe2)", "Ctl", "l1\nl2\rx\x01y"},
        {R"(Software\Valve\Probe2)", "Emoji", "x??y"},
        {R"(Software\Valve\Probe2)", "HexFollow", "Müde éa ü1 ÿF Caféb"},
        {R"(Software\Valve\Probe2)", "OddLen", "A"},
        {R"(Control Panel\Desktop\WindowMetrics)", "CaptionFont", "õÿÿÿ"},
        {"Control Panel\\International\\🌎🌏🌍", "Currencies", "USD"},
        {R"(Software\Valve\Half-Life)", "Missing", ""},
        {R"(Software\Valve\Nowhere)", "InstallPath", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(read(c.key, c.name), c.expected) << c.key.toStdString() << " " << c.name.toStdString();
    EXPECT_EQ(RegRead(0x80000002L, R"(Software\Valve\Half-Life)", "InstallPath"), "");
}

TEST_F(Registry, ValueFormsAndEscapes) {
    const struct {
        QByteArray line;
        QString name, expected;
    } cases[] = {
        {R"("v"="\101\1010\x41\x00411")", "v", "AA0AA1"},
        {R"("v"="\q\[\]\"\\")", "v", R"(q[]"\)"},
        {R"("v"="\a\b\e\f\v")", "v", "\a\b\x1b\f\v"},
        {R"("v"="\x263a\xe9\777\x")", "v", "?é?x"},
        {"\"v\"=\"M\xc3\xbcller\"", "v", "Müller"},
        {R"("v"=str(7):"a\0b\0")", "v", "a"},
        {"\"v\"=hex(1):41,00,\\\n  42,00,00,00", "v", "AB"},
        {"\"v\"=hex:41,42,\\\r\n  43\r", "v", "ABC"},
        {"\"v\"=hex:41,\\\n\"w\"=\"2\"", "w", "2"},
        {"\"v\"=\"1\"\n\"V\"=\"2\"", "v", "2"}, // the last definition counts
        {"\"v\"=\"" + QByteArray(254, 'a') + '"', "v", QString(254, u'a')},
        {"\"v\"=\"" + QByteArray(255, 'a') + '"', "v", ""}, // 256 bytes with the NUL
        {"\"v\"=hex:" + QByteArray("41,").repeated(255).chopped(1), "v", QString(255, u'A')},
    };
    for (const auto& c : cases) {
        writeFile(registry::ownFile(), "WINE REGISTRY Version 2\n[T] 1\n" + c.line + '\n');
        EXPECT_EQ(read("T", c.name), c.expected) << c.line.toStdString();
    }
}

TEST_F(Registry, OwnFileComesFirst) {
    writeFile(registry::ownFile(), "WINE REGISTRY Version 2\n[Software\\\\Valve\\\\Half-Life] 1\n"
                                   "\"InstallPath\"=\"E:\\\\own\"\n");
    EXPECT_EQ(read(R"(Software\Valve\Half-Life)", "InstallPath"), R"(E:\own)");
    EXPECT_EQ(read(R"(Software\Valve\Counterstrike)", "InstallPath"), R"(C:\Spiele\Müller\cs)");
    writeFile(registry::ownFile(), "not a registry file");
    EXPECT_EQ(read(R"(Software\Valve\Half-Life)", "InstallPath"), R"(C:\Games\hl)");
}

// Writes create the file and missing keys as Wine writes them, and read back as written.
TEST_F(Registry, WriteThenRead) {
    const QString key = R"(Software\TovrelPro\RAZ)";
    RegWrite(HKEY_CURRENT_USER, key, "Old", "1");
    RegWrite(HKEY_CURRENT_USER, key, "Opend", "1");
    RegWrite(HKEY_CURRENT_USER, key, "Old", "0");
    RegWrite(HKEY_CURRENT_USER, key, "Path", "C:\\Müller \"q\"\\\t€");
    RegWrite(HKEY_CURRENT_USER, R"(Software\[x])", "", "y");
    EXPECT_EQ(QStringList({read(key, "Old"), read(key, "Opend"), read(key, "Path")}),
              QStringList({"0", "1", "C:\\Müller \"q\"\\\t€"}));

    // The time stamps of new keys change from run to run; the rest of the file does not.
    QString text = QString::fromLatin1(contents(registry::ownFile()));
    EXPECT_EQ(text.replace(QRegularExpression(R"(\] \d+\n#time=[0-9a-f]+\n)"), "] T\n#time=T\n"),
              R"(WINE REGISTRY Version 2

[Software\\TovrelPro\\RAZ] T
#time=T
"Old"="0"
"Opend"="1"
"Path"="C:\\M\xfcller \"q\"\\\t\x20ac"

[Software\\\[x\]] T
#time=T
@="y"
)");
}

// A write replaces the value's own lines, keeping the name as the file spells it, or adds a line at
// the end of its section; every other byte of the file stays.
TEST_F(Registry, WriteChangesOnlyTheValuesLines) {
    const QByteArray hl = R"("InstallPath"="C:\\Games\\hl")";
    const qsizetype caption = wine.indexOf("\"CaptionFont\"");
    const struct {
        QString key, name, value;
        QByteArray from, to;
    } cases[] = {
        {R"(software\valve\half-life)", "installpath", R"(D:\x)", hl, R"("InstallPath"="D:\\x")"},
        {R"(control panel\desktop\WindowMetrics)", "CaptionFont", "x",
         wine.mid(caption, wine.indexOf("\n\"", caption) - caption), R"("CaptionFont"="x")"},
        {R"(Software\Valve\Probe)", "", "dflt", R"(@="default value")", R"(@="dflt")"},
        {R"(Software\Valve\Half-Life)", "N\"\\", QStringLiteral(u"a\"b\\c\t\u0001\u00017\u00e9\u00e9a\u20ac"),
         hl, hl + R"(
"N\"\\"="a\"b\\c\t\1\0017\xe9\x00e9a\x20ac")"},
        // A text the code page cannot hold is not stored at all, never as "?".
        {R"(Software\Valve\Half-Life)", "InstallPath", QStringLiteral(u"C:\\\u65e5"), hl, hl},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(wine.count(c.from), 1) << c.from.toStdString();
        writeFile(registry::ownFile(), wine);
        RegWrite(HKEY_CURRENT_USER, c.key, c.name, c.value);
        EXPECT_EQ(contents(registry::ownFile()), QByteArray(wine).replace(c.from, c.to))
            << c.name.toStdString();
    }

    // A last line without its line end gets one before the new line follows it.
    writeFile(registry::ownFile(), "WINE REGISTRY Version 2\n[A] 1\n\"v\"=\"1\"");
    RegWrite(HKEY_CURRENT_USER, "A", "w", "2");
    EXPECT_EQ(contents(registry::ownFile()), "WINE REGISTRY Version 2\n[A] 1\n\"v\"=\"1\"\n\"w\"=\"2\"\n");
}

// A settings file written by hand without the header line is read; the first write adds the
// header and keeps every other line. Another format's file is neither read nor written.
TEST_F(Registry, FileWithoutHeader) {
    const QByteArray header = "WINE REGISTRY Version 2\n";
    const QByteArray raz = "[Software\\\\TovrelPro\\\\RAZ]\n\"Old\"=\"1\"\n";
    const struct {
        QByteArray content;
        QString old;      // the value read before the write
        QByteArray after; // the file after writing Opend = 1
    } cases[] = {
        {raz, "1", header + raz + "\"Opend\"=\"1\"\n"},
        {"\n# mine\n" + raz + "\"Opend\"=\"0\"", "1", header + "\n# mine\n" + raz + "\"Opend\"=\"1\"\n"},
        {"\r\n" + raz, "1", header + "\r\n" + raz + "\"Opend\"=\"1\"\n"},
        {";\n", "", header + ";\n\n[Software\\\\TovrelPro\\\\RAZ] "},
        {"REGEDIT4\n" + raz, "", "REGEDIT4\n" + raz},
    };
    for (const auto& c : cases) {
        writeFile(registry::ownFile(), c.content);
        EXPECT_EQ(read(R"(Software\TovrelPro\RAZ)", "Old"), c.old) << c.content.toStdString();
        RegWrite(HKEY_CURRENT_USER, R"(Software\TovrelPro\RAZ)", "Opend", "1");
        const QByteArray after = contents(registry::ownFile());
        EXPECT_TRUE(after.startsWith(c.after)) << after.toStdString();
        EXPECT_EQ(read(R"(Software\TovrelPro\RAZ)", "Opend"), c.after.startsWith("REGEDIT") ? "" : "1");
    }
}

TEST_F(Registry, WriteTouchesNothingButTheOwnFile) {
    RegWrite(HKEY_CURRENT_USER, R"(Software\Valve\Half-Life)", "InstallPath", R"(D:\own)");
    EXPECT_EQ(contents(registry::winePrefixFile()), wine);
    EXPECT_EQ(QDir(prefix.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"user.reg"});
    RegWrite(0x80000002L, "Other", "v", "1");
    EXPECT_EQ(read("Other", "v"), "");

    // An own file that is read-only or in another format stays as it is.
    const QByteArray native = QFile::encodeName(registry::ownFile());
    for (const auto& [content, mode] : {std::pair<QByteArray, mode_t>{wine, 0444}, {"REGEDIT4\n", 0644}}) {
        writeFile(registry::ownFile(), content);
        ASSERT_EQ(::chmod(native.constData(), mode), 0);
        RegWrite(HKEY_CURRENT_USER, "New", "v", "1");
        EXPECT_EQ(contents(registry::ownFile()), content);
        ASSERT_EQ(::chmod(native.constData(), 0644), 0);
    }
}

TEST_F(Registry, BadInputReadsWhatItCan) {
    // Cut anywhere in a value's line, the file loses that value and keeps the ones before it.
    const qsizetype start = wine.indexOf(R"("InstallPath"="C:\\Games\\hl")");
    const qsizetype end = wine.indexOf('\n', start);
    for (qsizetype cut = start; cut <= end + 1; ++cut) {
        writeFile(registry::winePrefixFile(), wine.left(cut));
        EXPECT_EQ(read(R"(Software\Valve\Half-Life)", "InstallPath"), cut >= end ? R"(C:\Games\hl)" : "")
            << cut;
        EXPECT_EQ(read(R"(Software\Valve\Counterstrike)", "InstallPath"), R"(C:\Spiele\Müller\cs)") << cut;
    }

    const QByteArray good = "[Software\\\\A] 1\n\"v\"=\"1\"\n";
    const struct {
        QByteArray content;
        QString expected;
    } cases[] = {
        {"REGEDIT4\n" + good, ""},
        {"WINE REGISTRY Version 2\r\n[Software\\\\A] 1\r\n\"v\"=\"1\"\r\n", "1"},
        {"WINE REGISTRY Version 2\n\"v\"=\"0\"\n" + good + "[Software\\\\A\n\"v\"=\"2\"\n", "1"},
    };
    for (const auto& c : cases) {
        writeFile(registry::winePrefixFile(), c.content);
        EXPECT_EQ(read(R"(Software\A)", "v"), c.expected) << c.content.left(40).toStdString();
    }
}
