#pragma once
// Finding the game and the modification's playlist below it.

#include <QString>
#include <stdexcept>

// A registry value where one of the game's installers leaves its install folder.
struct InstallValue {
    QString key;
    QString name;
    // The folder it holds (HKEY_CURRENT_USER), "" when it is not set.
    QString read() const;
};
inline const InstallValue kSteamInstall{QStringLiteral("Software\\Valve\\Steam"),
                                        QStringLiteral("ModInstallPath")};
inline const InstallValue kHalfLifeInstall{QStringLiteral("Software\\Valve\\Half-Life"),
                                           QStringLiteral("InstallPath")};
inline const InstallValue kCounterstrikeInstall{QStringLiteral("Software\\Valve\\Counterstrike"),
                                                QStringLiteral("InstallPath")};

// The three install locations of the game (DOS paths without trailing backslash, "" when unknown).
struct InstallLocations {
    QString steam, halfLife, counterstrike;
};

// The locations from the registry values the game's installers write. When all three are empty,
// the Half-Life folder of Steam for Linux (steamapps/common/Half-Life in each Steam library) as a
// DOS path stands in for the Half-Life location, and may choose the drive table (below).
InstallLocations ReadInstallLocations();

// The first steamapps/common/Half-Life folder in the Steam libraries of the user, as a DOS path;
// "" when there is none or no drive holds it. The library is found on the host first; its Proton
// prefix (steamapps/compatdata/70/pfx), where Steam Play runs the game, becomes the game prefix of
// the drive table (dosfs::setGamePrefix), and the DOS path is made through the table that results,
// so that it is the path the game resolves. Without a Half-Life folder the game prefix is cleared.
QString FindSteamForLinuxHalfLife();

// Raised when the program must end at once (after its message): no window, no exit processing,
// nothing written.
struct EndProgram {
    int exitCode = 1;
};

// The modification's playlist below the locations: creates a missing empty playlist where the
// modification is installed, then prefers Half-Life over Counterstrike over Steam. Shows the
// exit message and raises EndProgram when no location is known or no playlist exists; raises
// RuntimeError when creating a playlist fails.
QString FindDefaultPlaylist(const InstallLocations& locations);
