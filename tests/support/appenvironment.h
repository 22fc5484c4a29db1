#pragma once
// A sandbox for running the program's units: a temporary home with an empty configuration folder
// (the program's own registry file), no Wine prefix, drive C: mapped to a temporary folder, the
// scripted message service, and playback into test sinks whose clock stands (a title plays until
// it is stopped). Restores the environment when it goes.

#include "scriptedmessages.h"
#include "tempdrive.h"

#include <QTemporaryDir>
#include <tuple>

class AppEnvironment {
public:
    AppEnvironment();
    ~AppEnvironment();

    TempDrive drive;
    ScriptedMessages messages;

    QString home() const { return home_.path(); }
    // The program's own registry file (host path).
    QString registryFile() const { return home_.path() + QStringLiteral("/config/TovrelPro/user.reg"); }
    // Writes the program's own registry file with these string values (key, name, value).
    void writeRegistry(const QList<std::tuple<QString, QString, QString>>& values) const;
    // Installs the modification below a game folder (DOS path): its marker, and, when asked, the
    // mp3 folder and a playlist holding these bytes.
    void installMod(const QString& gameDos, bool withMp3Folder, const QByteArray* playlist = nullptr) const;

private:
    QTemporaryDir home_;
    ScopedEnv homeEnv_, configEnv_, prefixEnv_;
};
