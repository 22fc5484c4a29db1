// Finding titles.txt through the game's install locations, and reading it line by line.
#include "appenvironment.h"
#include "platform/failure.h"
#include "windows/titlesfile.h"

#include <gtest/gtest.h>

// Half-Life's titles.txt wins over Counterstrike's; a location without the file (or with it
// hidden) does not count; an unset location looks at the root of the current drive.
TEST(TitlesFile, FindsTheFileOfTheGameLocations) {
    const QString cs = QStringLiteral("Software\\Valve\\Counterstrike");
    const QString hl = QStringLiteral("Software\\Valve\\Half-Life");
    const QString name = QStringLiteral("InstallPath");
    const struct {
        const char* what;
        QList<std::tuple<QString, QString, QString>> registry;
        QStringList files;
        const char* hidden;
        QString expected;
    } cases[] = {
        {"both",
         {{cs, name, "C:\\CS"}, {hl, name, "C:\\HL"}},
         {"C:\\CS", "C:\\HL"},
         nullptr,
         "C:\\HL\\vorlak\\titles.txt"},
        {"only CS has it",
         {{cs, name, "C:\\CS"}, {hl, name, "C:\\HL"}},
         {"C:\\CS"},
         nullptr,
         "C:\\CS\\vorlak\\titles.txt"},
        {"HL's hidden",
         {{cs, name, "C:\\CS"}, {hl, name, "C:\\HL"}},
         {"C:\\CS", "C:\\HL"},
         "C:\\HL",
         "C:\\CS\\vorlak\\titles.txt"},
        {"HL only", {{hl, name, "C:\\HL"}}, {"C:\\HL"}, nullptr, "C:\\HL\\vorlak\\titles.txt"},
        {"Steam does not count",
         {{QStringLiteral("Software\\Valve\\Steam"), "ModInstallPath", "C:\\ST"}},
         {"C:\\ST"},
         nullptr,
         ""},
        {"unset: drive root", {}, {""}, nullptr, "\\vorlak\\titles.txt"},
        {"nothing", {{cs, name, "C:\\CS"}}, {}, nullptr, ""},
    };
    for (const auto& c : cases) {
        AppEnvironment env;
        env.writeRegistry(c.registry);
        for (const QString& game : c.files) {
            const QString host =
                env.drive.write((game.isEmpty() ? "C:" : game) + "\\vorlak\\titles.txt", "Credits\r\n");
            if (c.hidden && game == QString::fromLatin1(c.hidden))
                TempDrive::setDosAttrib(host, "0x2");
        }
        EXPECT_EQ(credits::FindTitlesFile(), c.expected) << c.what;
    }
}

// CR LF, a lone CR and a lone LF each end a line; the last line may lack its end; the bytes are
// Windows-1252. Reading past the end fails.
TEST(TitlesFile, ReadsLinesWithEveryLineEnd) {
    const struct {
        QByteArray data;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\n\r\nb\r\r\n", {"a", "", "b", ""}},
        {"\n\n", {"", ""}},
        {"Caf\xe9 \x80\x99\r\n", {QStringLiteral("Caf\u00e9 \u20ac\u2122")}},
    };
    for (const auto& c : cases) {
        AppEnvironment env;
        env.drive.write(QStringLiteral("C:\\titles.txt"), c.data);
        credits::TitlesFile file;
        ASSERT_TRUE(file.open(QStringLiteral("c:\\TITLES.TXT")));
        QStringList lines;
        while (!file.atEnd())
            lines.append(file.readLine());
        EXPECT_EQ(lines, c.lines) << c.data.toStdString();
        EXPECT_THROW(file.readLine(), RuntimeError);
        file.close();
        EXPECT_TRUE(file.atEnd());
    }
    credits::TitlesFile missing;
    EXPECT_FALSE(missing.open(QStringLiteral("C:\\nowhere\\titles.txt")));
    EXPECT_TRUE(missing.atEnd());
}
