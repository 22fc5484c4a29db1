#pragma once
// A sandbox for running the program's units: a temporary home, an empty configuration folder
// (the program's own registry file), no Wine prefix, drive C: mapped to a temporary folder, and
// the scripted message service. Restores the environment when it goes.

#include "scriptedmessages.h"
#include "tempdrive.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QTemporaryDir>

class AppEnvironment {
public:
    AppEnvironment();
    ~AppEnvironment();

    TempDrive drive{u'C'};
    ScriptedMessages messages;

    QString home() const { return home_.path(); }
    // The program's own registry file (host path).
    QString registryFile() const;
    // Writes the program's own registry file with these string values (key, name, value).
    void writeRegistry(const QList<std::tuple<QString, QString, QString>>& values) const;
    // Installs the modification below a game folder (DOS path): its marker, and, when asked, the
    // mp3 folder and a playlist with these lines.
    void installMod(const QString& gameDos, bool withMp3Folder, const QByteArray* playlist = nullptr) const;

private:
    QTemporaryDir home_;
    QList<QPair<QByteArray, std::optional<QByteArray>>> saved_;
    void set(const char* name, const QByteArray& value);
};
