#include "appenvironment.h"

#include "playback/audiosink.h"
#include "playback/clockedsinks.h"
#include "playback/modmp3.h"

#include <QDir>
#include <QFile>

AppEnvironment::AppEnvironment()
    : homeEnv_("HOME", home_.path().toUtf8()),
      configEnv_("XDG_CONFIG_HOME", (home_.path() + "/config").toUtf8()),
      prefixEnv_("WINEPREFIX", (home_.path() + "/no-prefix").toUtf8()) {
    playback::setSinkFactory(
        [] { return std::make_shared<playback::TestSink>(playback::TestSink::kUnbounded, false); });
}

AppEnvironment::~AppEnvironment() {
    StopAndClose();
    playback::setSinkFactory({});
}

void AppEnvironment::writeRegistry(const QList<std::tuple<QString, QString, QString>>& values) const {
    auto escaped = [](QString s) { return s.replace(u'\\', QStringLiteral("\\\\")).toUtf8(); };
    QByteArray text = "WINE REGISTRY Version 2\n";
    for (const auto& [key, name, value] : values)
        text += "\n[" + escaped(key) + "] 1700000000\n\"" + name.toUtf8() + "\"=\"" + escaped(value) + "\"\n";
    QDir().mkpath(QFileInfo(registryFile()).path());
    QFile f(registryFile());
    f.open(QIODevice::WriteOnly);
    f.write(text);
}

void AppEnvironment::installMod(const QString& gameDos, bool withMp3Folder,
                                const QByteArray* playlist) const {
    drive.write(gameDos + QStringLiteral("\\vorlak\\liblist.gam"), "game \"Vorlak Legends\"\r\n");
    if (withMp3Folder)
        QDir().mkpath(drive.host(gameDos + QStringLiteral("\\vorlak\\mp3")));
    if (playlist)
        drive.write(gameDos + QStringLiteral("\\vorlak\\mp3\\playlist.txt"), *playlist);
}
