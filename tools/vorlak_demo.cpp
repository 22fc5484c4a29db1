// Helper of scripts/demo-game: asks whether the program would find a game, turns a host folder
// into the DOS path the program uses, and points the program at a game folder through its own
// registry file.
//   vorlak_demo check          exit 0 when a game location is known, 1 otherwise
//   vorlak_demo dos HOSTPATH   prints the DOS path of HOSTPATH
//   vorlak_demo register DIR   makes DIR the Half-Life location
#include "app/gamelocations.h"
#include "platform/dosfs.h"
#include "platform/registry.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == u"check") {
        const InstallLocations l = ReadInstallLocations();
        return l.steam.isEmpty() && l.halfLife.isEmpty() && l.counterstrike.isEmpty() ? 1 : 0;
    }
    if (args.size() == 2 && (args[0] == u"dos" || args[0] == u"register")) {
        QString dos = dosfs::toDos(args[1]);
        if (dos.isEmpty()) {
            std::fprintf(stderr, "no drive holds %s\n", qPrintable(args[1]));
            return 1;
        }
        if (args[0] == u"dos") {
            std::printf("%s\n", qPrintable(dos));
            return 0;
        }
        if (dos.endsWith(u'\\'))
            dos.chop(1);
        RegWrite(HKEY_CURRENT_USER, kHalfLifeInstall.key, kHalfLifeInstall.name, dos);
        return kHalfLifeInstall.read() == dos ? 0 : 1;
    }
    std::fprintf(stderr, "usage: vorlak_demo check | dos HOSTPATH | register DIR\n");
    return 2;
}
