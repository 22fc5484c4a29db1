#pragma once
// DOS paths ("C:\Music\a.mp3") over host folders. Each drive letter maps to a host folder. The
// table is VORLAK_DRIVES="C:=/dir;D:=/other" when set; else the links dosdevices/x: of the prefix
// $WINEPREFIX names; else of the game's prefix (setGamePrefix) or, when that has no dosdevices,
// of ~/.wine; else Z: is "/". Components match without regard to case (an exact-case spelling
// wins); "*" and "?" in the last component are wildcards.

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace dosfs {

struct Drive {
    QChar letter;     // upper case
    QString hostRoot; // absolute, no trailing slash except for "/"
    friend bool operator==(const Drive&, const Drive&) = default;
};

// The drive table, read from the environment on first use.
const QList<Drive>& drives();
// Reads the drive table again (after the environment changed) and forgets cached folder listings
// and attributes.
void reloadDrives();
// The Wine prefix the game runs in, "" for none: the Proton prefix of the Steam library the game
// was found in, as Steam Play runs it there. It gives the drive table when neither VORLAK_DRIVES
// nor WINEPREFIX is set and it has a dosdevices folder, before ~/.wine. A different prefix
// reloads the drive table as reloadDrives() does.
void setGamePrefix(const QString& prefix);

// A file exists at P: an ordinary file matches P that is neither hidden nor system.
bool FileExists(QStringView dosPath);
// The same for a path held as code-page bytes, as entries and text playlists hold it.
bool FileExists(QByteArrayView codePagePath);

// The last component of the first file matching dosPath as the disk spells it; "" when no file
// exists at dosPath (meaning as in FileExists).
QString FileNameOf(QStringView dosPath);

// The host path of the existing file or folder dosPath names (first match for wildcards).
std::optional<QString> resolve(QStringView dosPath);

// The encoded host path of a DOS path that needs no normalising ("X:\dir\name": no "." or ".."
// parts, doubled or forward slashes, trailing dots or blanks, or wildcards), spelled as written,
// into native (reused by the caller), without looking at the disk; false for every other path.
// Readers open it first and fall back to resolve() when that fails, which costs one system call
// in the common case.
bool hostPathAsWritten(QStringView dosPath, std::string& native);

// The host path to create or replace dosPath at: the folder must exist (matched without regard to
// case); the name is the spelling of an existing entry when one matches, else as written.
std::optional<QString> hostPathForWrite(QStringView dosPath);

// The DOS path of a host path, through the drive whose folder is its longest prefix; "" when no
// drive holds it.
QString toDos(const QString& hostPath);

// Letter of the drive holding the working folder (the "current drive"), else of the first drive.
QChar currentDrive();

struct Attributes {
    bool readOnly = false; // no write bit in the mode
    bool hidden = false;   // name starts with "." or user.DOSATTRIB has 0x2
    bool system = false;   // user.DOSATTRIB has 0x4
    bool archive = false;  // user.DOSATTRIB has 0x20; without the attribute set for ordinary files
    bool directory = false;
};
std::optional<Attributes> attributes(QStringView dosPath);

// True when path holds "*" or "?".
bool hasWildcards(QStringView path);

// Case-insensitive wildcard match of a name against a pattern with "*" and "?".
bool wildcardMatch(QStringView pattern, QStringView name);

} // namespace dosfs
