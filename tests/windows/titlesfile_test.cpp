// Finding titles.txt through the game's install locations; a file that cannot be opened. Reading
// it is tested with the credits window, its line ends with the shared reader.
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
    const QList<std::tuple<QString, QString, QString>> both = {{cs, name, "C:\\CS"}, {hl, name, "C:\\HL"}};
    const struct {
        QList<std::tuple<QString, QString, QString>> registry;
        QStringList files; // game folders holding the file; "" the drive root
        const char* hidden;
        QString expected;
    } cases[] = {
        {both, {"C:\\CS", "C:\\HL"}, nullptr, "C:\\HL\\vorlak\\titles.txt"},
        {both, {"C:\\CS"}, nullptr, "C:\\CS\\vorlak\\titles.txt"},
        {both, {"C:\\CS", "C:\\HL"}, "C:\\HL", "C:\\CS\\vorlak\\titles.txt"},
        {{{"Software\\Valve\\Steam", "ModInstallPath", "C:\\ST"}}, {"C:\\ST"}, nullptr, ""},
        {{}, {""}, nullptr, "\\vorlak\\titles.txt"},
        {{{cs, name, "C:\\CS"}}, {}, nullptr, ""},
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
        EXPECT_EQ(credits::FindTitlesFile(), c.expected) << c.files.join(u',').toStdString();
    }
}

// A file that cannot be opened reads as at its end (the credits window reads it through to its end,
// past it, and after closing it).
TEST(TitlesFile, MissingFileIsAtItsEnd) {
    AppEnvironment env;
    credits::TitlesFile missing;
    EXPECT_FALSE(missing.open(QStringLiteral("C:\\nowhere\\titles.txt")));
    EXPECT_TRUE(missing.atEnd());
    EXPECT_THROW(missing.readLine(), RuntimeError);
}
