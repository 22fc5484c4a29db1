#include "app/gamelocations.h"
#include "appenvironment.h"

#include <QDir>
#include <QFileInfo>
#include <cstring>
#include <gtest/gtest.h>

// Which playlist is chosen, which empty playlists are made, and when the program ends. Installs
// and known locations are given for Steam, Half-Life and Counterstrike in this order: "-" nothing,
// "M" the marker only, "F" the marker and the mp3 folder, "P" a playlist too.
TEST(FindDefaultPlaylist, ChoosesCreatesOrEnds) {
    const QString bases[] = {"C:\\Steam", "C:\\HL", "C:\\CS"};
    const QByteArray line = "C:\\a.mp3\r\n";
    const struct {
        const char* what;
        const char* installed;
        const char* known; // locations read from the registry, of "SHC"
        char result;       // S, H or C; E: ends, nothing known; V: ends, no Vorlak; X: fails
    } cases[] = {
        {"nothing known", "---", "", 'E'},
        {"known but nothing installed", "---", "SHC", 'V'},
        {"only Half-Life, playlist there", "-P-", "H", 'H'},
        {"only Half-Life, playlist made", "-F-", "H", 'H'},
        {"Half-Life wins over Steam", "PP-", "SH", 'H'},
        {"Counterstrike wins over Steam", "P-P", "SC", 'C'},
        {"made for Half-Life, wins over Counterstrike", "-FP", "HC", 'H'},
        {"Steam alone", "P--", "SHC", 'S'},
        {"marker without mp3 folder", "-M-", "H", 'X'},
    };
    for (const auto& c : cases) {
        AppEnvironment env;
        QString at[3];
        for (int i = 0; i < 3; ++i) {
            if (c.installed[i] != '-')
                env.installMod(bases[i], c.installed[i] != 'M', c.installed[i] == 'P' ? &line : nullptr);
            if (std::strchr(c.known, "SHC"[i]))
                at[i] = bases[i];
        }
        if (c.result == 'E')
            env.messages.expectMsgBox(
                "Couldn't find the HL/ CS/ Steam location\r\n       This program exits now", vbOKOnly,
                "Error");
        if (c.result == 'V')
            env.messages.expectMsgBox("   Couldn't find Vorlak\r\nThis program exits now", vbOKOnly, "Error");
        char outcome = 'X';
        try {
            const QString result = FindDefaultPlaylist({at[0], at[1], at[2]});
            for (int i = 0; i < 3; ++i)
                if (result == bases[i] + "\\vorlak\\mp3\\playlist.txt")
                    outcome = "SHC"[i];
        } catch (const EndProgram&) {
            outcome = c.known[0] ? 'V' : 'E';
        } catch (const std::exception&) {
        }
        EXPECT_EQ(outcome, c.result) << c.what;
        EXPECT_EQ(env.messages.problems(), QStringList()) << c.what;
        // An installed modification with its mp3 folder gets an empty playlist; nothing else is made.
        for (int i = 0; i < 3; ++i) {
            const QFileInfo playlist(env.drive.host(bases[i] + "\\vorlak\\mp3\\playlist.txt"));
            EXPECT_EQ(playlist.exists(), c.installed[i] == 'P' || c.installed[i] == 'F') << c.what;
            EXPECT_TRUE(c.installed[i] != 'F' || playlist.size() == 0) << c.what;
        }
    }
}

// Steam for Linux: the Half-Life folder of the first Steam library that has one, as a DOS path;
// libraries listed in libraryfolders.vdf count too.
TEST(SteamForLinux, FindsHalfLifeInTheLibraries) {
    AppEnvironment env;
    EXPECT_EQ(FindSteamForLinuxHalfLife(), QString());
    const QString library = env.drive.root() + "/Games/SteamLibrary";
    QDir().mkpath(library + "/steamapps/common/Half-Life");
    writeFile(env.home() + "/.local/share/Steam/steamapps/libraryfolders.vdf",
              "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + env.home().toUtf8() +
                  "/.local/share/Steam\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + library.toUtf8() +
                  "\"\n\t}\n}\n");
    EXPECT_EQ(FindSteamForLinuxHalfLife(), "C:\\Games\\SteamLibrary\\steamapps\\common\\Half-Life");
    // Read from the registry only when all three values are empty.
    EXPECT_EQ(ReadInstallLocations().halfLife, "C:\\Games\\SteamLibrary\\steamapps\\common\\Half-Life");
    env.writeRegistry({{"Software\\Valve\\Steam", "ModInstallPath", "D:\\S"}});
    const InstallLocations read = ReadInstallLocations();
    EXPECT_EQ(read.steam, "D:\\S");
    EXPECT_EQ(read.halfLife, QString());
}
