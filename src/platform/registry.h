#pragma once
// RegRead / RegWrite over registry files in Wine's text format ("WINE REGISTRY Version 2").
// Reads look in the program's own file ($XDG_CONFIG_HOME/TovrelPro/user.reg, default ~/.config)
// first, then in the Wine prefix's user.reg ($WINEPREFIX, else ~/.wine), which is only read.
// Writes go to the program's own file only, replaced atomically.

#include <QString>

constexpr long HKEY_CURRENT_USER = 0x80000001L;

// The program's own key: its settings "Old" and "Opend", and the address "VorlakSite".
inline const QString kProgramKey = QStringLiteral("Software\\TovrelPro\\RAZ");

// The value's data as the Windows function hands it to an 8-bit program, up to its first NUL;
// "" for every failure (missing key or value, data longer than 255 bytes, another root).
QString RegRead(long root, const QString& key, const QString& valueName);

// Stores value as a string value; creates missing keys; never reports a failure.
void RegWrite(long root, const QString& key, const QString& valueName, const QString& value);

namespace registry {
// The two files in use (host paths), from the environment at the time of the call.
QString ownFile();
QString winePrefixFile();
} // namespace registry
