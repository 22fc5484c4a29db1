#include "appenvironment.h"

#include "platform/dosfs.h"
#include "playback/audiosink.h"
#include "playback/modmp3.h"

#include <QDir>
#include <QFile>
#include <mutex>

struct AppEnvironment::Sinks {
    std::mutex mutex;
    std::shared_ptr<playback::TestSink> last;
};

AppEnvironment::AppEnvironment() : sinks_(std::make_shared<Sinks>()) {
    playback::setSinkFactory([sinks = sinks_] {
        auto sink = std::make_shared<playback::TestSink>(playback::TestSink::kUnbounded, false);
        std::lock_guard lock(sinks->mutex);
        sinks->last = sink;
        return sink;
    });
    set("HOME", home_.path().toUtf8());
    set("XDG_CONFIG_HOME", (home_.path() + QStringLiteral("/config")).toUtf8());
    set("WINEPREFIX", (home_.path() + QStringLiteral("/no-prefix")).toUtf8());
}

AppEnvironment::~AppEnvironment() {
    StopAndClose();
    playback::setSinkFactory({});
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        if (it->second)
            qputenv(it->first.constData(), *it->second);
        else
            qunsetenv(it->first.constData());
    }
}

void AppEnvironment::set(const char* name, const QByteArray& value) {
    saved_.append({name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt});
    qputenv(name, value);
}

QString AppEnvironment::registryFile() const {
    return home_.path() + QStringLiteral("/config/TovrelPro/user.reg");
}

void AppEnvironment::writeRegistry(const QList<std::tuple<QString, QString, QString>>& values) const {
    QByteArray text = "WINE REGISTRY Version 2\n";
    for (const auto& [key, name, value] : values) {
        text += "\n[" + QString(key).replace(u'\\', QStringLiteral("\\\\")).toUtf8() + "] 1700000000\n";
        text += "\"" + name.toUtf8() + "\"=\"" +
                QString(value).replace(u'\\', QStringLiteral("\\\\")).toUtf8() + "\"\n";
    }
    QDir().mkpath(home_.path() + QStringLiteral("/config/TovrelPro"));
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

std::shared_ptr<playback::TestSink> AppEnvironment::lastSink() const {
    std::lock_guard lock(sinks_->mutex);
    return sinks_->last;
}
