#pragma once
// Listings for the drive, folder and file boxes: the drives as the boxes show them, and the
// sub-folders and matching files of a DOS folder, read straight from the disk each time.

#include <QList>
#include <QString>
#include <QStringList>

namespace dosfs {

struct DriveEntry {
    QChar letter; // upper case
    QString text; // as the drive box shows it: "c: [drive_c]", "z: [/]"
};

// Every drive of the table. The label in brackets is the first line of .windows-label in the
// drive's root (Wine leaves one for labelled volumes), else the name of the drive's host folder.
QList<DriveEntry> driveEntries();

// Why a drive cannot be read (its host folder is gone or cannot be listed), as a sentence for the
// user; "" when it can be read or when no drive has that letter.
QString driveReadFailure(QChar letter);

// The sub-folders of a folder, hidden and system ones left out, sorted without regard to case.
// A folder that cannot be read lists as empty.
QStringList readSubfolders(QStringView dosFolder);

// The ordinary files of a folder whose names match pattern ("*.mp3") without regard to case and
// do not start with ".", sorted without regard to case. Wine's hidden and system marks are not
// read (that would take one lookup per file); the existence test refuses such files later. A
// folder that cannot be read lists as empty.
QStringList readMatchingFiles(QStringView dosFolder, QStringView pattern);

} // namespace dosfs
