#pragma once
// A temporary folder mapped as DOS drives through VORLAK_DRIVES, with helpers to lay out files.
// The environment and the drive table are restored when it goes.

#include "printers.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TempDrive {
public:
    // Maps letter (and any extra "X:=/path" items) to a fresh temporary folder.
    explicit TempDrive(QChar letter = u'C', const QString& extra = {});
    ~TempDrive();
    TempDrive(const TempDrive&) = delete;
    TempDrive& operator=(const TempDrive&) = delete;

    QString root() const { return dir_.path(); }
    // Host path of a DOS path below this drive ("C:\a\b.mp3" -> <root>/a/b.mp3), spelled as given.
    QString host(const QString& dosPath) const;
    // Writes a file (folders made as needed) at the DOS path; returns the host path.
    QString write(const QString& dosPath, const QByteArray& content = {}) const;
    // Copies a fixture MP3 to the DOS path; returns the host path.
    QString copyFixture(const QString& fixtureName, const QString& dosPath) const;
    // Sets Wine's user.DOSATTRIB of a file ("0x2" hidden, "0x4" system, ...).
    static void setDosAttrib(const QString& hostPath, const QByteArray& value);

private:
    QTemporaryDir dir_;
    QChar letter_;
    QByteArray oldDrives_;
    bool hadDrives_;
};

// Folder of the generated MP3 fixtures.
QString fixturesDir();
QString fixture(const QString& name);
