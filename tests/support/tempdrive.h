#pragma once
// A temporary folder mapped as drive C: through VORLAK_DRIVES, with helpers to lay out files.
// The environment and the drive table are restored when it goes.

#include "printers.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <optional>

// Sets (or, given std::nullopt, unsets) an environment variable for its lifetime.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<QByteArray> value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<QByteArray> old_;
};

class TempDrive {
public:
    TempDrive();
    ~TempDrive();

    QString root() const { return dir_.path(); }
    // Host path of a DOS path below this drive ("C:\a\b.mp3" -> <root>/a/b.mp3), spelled as given.
    QString host(const QString& dosPath) const;
    // Writes a file (folders made as needed) at the DOS path; returns the host path.
    QString write(const QString& dosPath, const QByteArray& content = {}) const;
    // Copies a generated MP3 fixture to the DOS path; returns the host path.
    QString copyFixture(const QString& fixtureName, const QString& dosPath) const;
    // Sets Wine's user.DOSATTRIB of a file ("0x2" hidden, "0x4" system, ...).
    static void setDosAttrib(const QString& hostPath, const QByteArray& value);

private:
    QTemporaryDir dir_;
    std::optional<ScopedEnv> drives_;
};

// A generated MP3 fixture.
QString fixture(const QString& name);

// Writes a host file, making its folders; returns its path.
QString writeFile(const QString& hostPath, const QByteArray& content = {});
// The bytes of a host file, or "<missing>" when it cannot be read.
QByteArray contents(const QString& hostPath);
