#include "app/gamelocations.h"

#include "platform/dosfs.h"
#include "platform/failure.h"
#include "platform/messages.h"
#include "platform/registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace {

const QString kMarker = QStringLiteral("\\vorlak\\liblist.gam");
const QString kPlaylist = QStringLiteral("\\vorlak\\mp3\\playlist.txt");
// Where Steam Play keeps the Windows world of Half-Life (Steam's app 70) in its library.
const QString kProtonPrefix = QStringLiteral("/steamapps/compatdata/70/pfx");

// Steam library folders: the two places Steam for Linux lives, then the folders its
// libraryfolders.vdf lists.
QStringList steamLibraries() {
    const QString home = QDir::homePath();
    QStringList libraries = {home + QStringLiteral("/.local/share/Steam"),
                             home + QStringLiteral("/.steam/steam")};
    static const QRegularExpression pathLine(QStringLiteral(R"re("path"\s+"((?:[^"\\]|\\.)*)")re"),
                                             QRegularExpression::CaseInsensitiveOption);
    for (const QString& root : QStringList(libraries)) {
        QFile vdf(root + QStringLiteral("/steamapps/libraryfolders.vdf"));
        if (!vdf.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(vdf.readAll());
        for (auto it = pathLine.globalMatch(text); it.hasNext();)
            libraries.append(it.next().captured(1).replace(QStringLiteral("\\\\"), QStringLiteral("\\")));
    }
    return libraries;
}

} // namespace

QString FindSteamForLinuxHalfLife() {
    QSet<QString> seen;
    for (const QString& library : steamLibraries()) {
        const QFileInfo game(library + QStringLiteral("/steamapps/common/Half-Life"));
        const QString canonical = game.canonicalFilePath();
        if (canonical.isEmpty() || !game.isDir() || seen.contains(canonical))
            continue;
        seen.insert(canonical);
        dosfs::setGamePrefix(library + kProtonPrefix);
        QString dos = dosfs::toDos(game.absoluteFilePath());
        if (dos.isEmpty())
            dos = dosfs::toDos(canonical);
        if (!dos.isEmpty())
            return dos.endsWith(u'\\') ? dos.chopped(1) : dos;
    }
    dosfs::setGamePrefix({});
    return {};
}

QString InstallValue::read() const {
    return RegRead(HKEY_CURRENT_USER, key, name);
}

InstallLocations ReadInstallLocations() {
    InstallLocations l;
    l.steam = kSteamInstall.read();
    l.halfLife = kHalfLifeInstall.read();
    l.counterstrike = kCounterstrikeInstall.read();
    if (l.steam.isEmpty() && l.halfLife.isEmpty() && l.counterstrike.isEmpty())
        l.halfLife = FindSteamForLinuxHalfLife();
    return l;
}

QString FindDefaultPlaylist(const InstallLocations& locations) {
    if (locations.steam.isEmpty() && locations.halfLife.isEmpty() && locations.counterstrike.isEmpty()) {
        MsgBox(QStringLiteral("Couldn't find the HL/ CS/ Steam location") + vbCrLf +
                   QStringLiteral("       This program exits now"),
               vbOKOnly, QStringLiteral("Error"));
        throw EndProgram{};
    }
    // Later locations win, so Half-Life is preferred over Counterstrike over Steam.
    const QString order[] = {locations.steam, locations.counterstrike, locations.halfLife};
    for (const QString& base : order) {
        if (dosfs::FileExists(base + kMarker) && !dosfs::FileExists(base + kPlaylist)) {
            const auto host = dosfs::hostPathForWrite(base + kPlaylist);
            // An existing hidden or system file there cannot be replaced, as on Windows.
            QFile empty(host.value_or(QString()));
            if (!host || QFileInfo::exists(*host) || !empty.open(QIODevice::WriteOnly))
                throw RuntimeError(QStringLiteral("Path not found"));
        }
    }
    QString result;
    int missing = 0;
    for (const QString& base : order) {
        if (dosfs::FileExists(base + kPlaylist))
            result = base + kPlaylist;
        else
            ++missing;
    }
    if (missing == 3) {
        MsgBox(QStringLiteral("   Couldn't find Vorlak") + vbCrLf + QStringLiteral("This program exits now"),
               vbOKOnly, QStringLiteral("Error"));
        throw EndProgram{};
    }
    return result;
}
