#pragma once
// A sandbox for running the program's units: a temporary home, an empty configuration folder
// (the program's own registry file), no Wine prefix, drive C: mapped to a temporary folder, the
// scripted message service, and test sinks for playback whose clock stands until a test moves it
// (a title plays until then). Restores the environment when it goes.

#include "playback/clockedsinks.h"
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
    // The sink of the device opened last; nullptr before any.
    std::shared_ptr<playback::TestSink> lastSink() const;

private:
    QTemporaryDir home_;
    QList<QPair<QByteArray, std::optional<QByteArray>>> saved_;
    struct Sinks;
    std::shared_ptr<Sinks> sinks_;
    void set(const char* name, const QByteArray& value);
};
