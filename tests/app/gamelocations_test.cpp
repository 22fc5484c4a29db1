#include "app/gamelocations.h"
#include "appenvironment.h"
#include "platform/dosfs.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString kNoLocation =
    QStringLiteral("Couldn't find the HL/ CS/ Steam location\r\n       This program exits now");
const QString kNoVorlak = QStringLiteral("   Couldn't find Vorlak\r\nThis program exits now");

} // namespace

// Which playlist is chosen, which empty playlists are made, and when the program ends.
TEST(FindDefaultPlaylist, ChoosesCreatesOrEnds) {
    const QString steam = QStringLiteral("C:\\Steam"), hl = QStringLiteral("C:\\HL"),
                  cs = QStringLiteral("C:\\CS");
    const QByteArray line = "C:\\a.mp3\r\n";
    enum Install { None, Marker, MarkerAndFolder, Playlist };
    const struct {
        const char* what;
        Install steam, hl, cs;
        QString steamAt, hlAt, csAt; // the locations read from the registry
        QString result;              // "" = the program ends
        QString message;
    } cases[] = {
        {"nothing known", None, None, None, {}, {}, {}, {}, kNoLocation},
        {"known but nothing installed", None, None, None, steam, hl, cs, {}, kNoVorlak},
        {"only Half-Life, playlist there",
         None,
         Playlist,
         None,
         {},
         hl,
         {},
         hl + "\\vorlak\\mp3\\playlist.txt",
         {}},
        {"only Half-Life, playlist made",
         None,
         MarkerAndFolder,
         None,
         {},
         hl,
         {},
         hl + "\\vorlak\\mp3\\playlist.txt",
         {}},
        {"Half-Life wins over Steam",
         Playlist,
         Playlist,
         None,
         steam,
         hl,
         {},
         hl + "\\vorlak\\mp3\\playlist.txt",
         {}},
        {"Counterstrike wins over Steam",
         Playlist,
         None,
         Playlist,
         steam,
         {},
         cs,
         cs + "\\vorlak\\mp3\\playlist.txt",
         {}},
        {"Half-Life wins over Counterstrike",
         None,
         MarkerAndFolder,
         Playlist,
         {},
         hl,
         cs,
         hl + "\\vorlak\\mp3\\playlist.txt",
         {}},
        {"Steam alone", Playlist, None, None, steam, hl, cs, steam + "\\vorlak\\mp3\\playlist.txt", {}},
    };
    for (const auto& c : cases) {
        AppEnvironment env;
        const std::pair<QString, Install> installs[] = {{steam, c.steam}, {hl, c.hl}, {cs, c.cs}};
        for (const auto& [base, install] : installs)
            if (install != None)
                env.installMod(base, install != Marker, install == Playlist ? &line : nullptr);
        if (!c.message.isEmpty())
            env.messages.expectMsgBox(c.message, vbOKOnly, QStringLiteral("Error"));
        QString result;
        bool ended = false;
        try {
            result = FindDefaultPlaylist({c.steamAt, c.hlAt, c.csAt});
        } catch (const EndProgram&) {
            ended = true;
        }
        EXPECT_EQ(ended, c.result.isEmpty()) << c.what;
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(env.messages.problems(), QStringList()) << c.what;
        // An installed modification without playlist gets an empty one; nothing else is made.
        for (const auto& [base, install] : installs) {
            const QString playlist = env.drive.host(base + "\\vorlak\\mp3\\playlist.txt");
            EXPECT_EQ(QFile::exists(playlist), install == Playlist || install == MarkerAndFolder) << c.what;
            if (install == MarkerAndFolder) {
                EXPECT_EQ(QFile(playlist).size(), 0) << c.what;
            }
        }
    }
}

// A marker without its mp3 folder: making the playlist fails, with no message and no result.
TEST(FindDefaultPlaylist, MissingMp3FolderFails) {
    AppEnvironment env;
    env.installMod(QStringLiteral("C:\\HL"), false);
    EXPECT_THROW(FindDefaultPlaylist({{}, QStringLiteral("C:\\HL"), {}}), std::exception);
    EXPECT_TRUE(env.messages.calls().isEmpty());
    EXPECT_FALSE(QDir(env.drive.host(QStringLiteral("C:\\HL\\vorlak\\mp3"))).exists());
}

// An empty location stands for the root of the current drive.
TEST(FindDefaultPlaylist, EmptyLocationIsTheCurrentDriveRoot) {
    AppEnvironment env;
    const QByteArray line = "C:\\a.mp3\r\n";
    env.installMod(QStringLiteral("C:"), true, &line);
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(env.drive.root());
    EXPECT_EQ(FindDefaultPlaylist({QStringLiteral("C:\\Steam"), {}, {}}),
              QStringLiteral("\\vorlak\\mp3\\playlist.txt"));
    QDir::setCurrent(cwd);
}

// Steam for Linux: the Half-Life folder of the first Steam library that has one, as a DOS path;
// libraries listed in libraryfolders.vdf count too.
TEST(SteamForLinux, FindsHalfLifeInTheLibraries) {
    AppEnvironment env;
    EXPECT_EQ(FindSteamForLinuxHalfLife(), QString());
    const QString library = env.drive.root() + QStringLiteral("/Games/SteamLibrary");
    QDir().mkpath(library + QStringLiteral("/steamapps/common/Half-Life"));
    QDir().mkpath(env.home() + QStringLiteral("/.local/share/Steam/steamapps"));
    QFile vdf(env.home() + QStringLiteral("/.local/share/Steam/steamapps/libraryfolders.vdf"));
    ASSERT_TRUE(vdf.open(QIODevice::WriteOnly));
    vdf.write("\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + env.home().toUtf8() +
              "/.local/share/Steam\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + library.toUtf8() +
              "\"\n\t}\n}\n");
    vdf.close();
    EXPECT_EQ(FindSteamForLinuxHalfLife(),
              QStringLiteral("C:\\Games\\SteamLibrary\\steamapps\\common\\Half-Life"));
    // Read from the registry only when all three values are empty.
    EXPECT_EQ(ReadInstallLocations().halfLife,
              QStringLiteral("C:\\Games\\SteamLibrary\\steamapps\\common\\Half-Life"));
    env.writeRegistry({{QStringLiteral("Software\\Valve\\Steam"), QStringLiteral("ModInstallPath"),
                        QStringLiteral("D:\\S")}});
    const InstallLocations read = ReadInstallLocations();
    EXPECT_EQ(read.steam, QStringLiteral("D:\\S"));
    EXPECT_EQ(read.halfLife, QString());
}
