// Saves two different lists of 32,767 entries over one file, alternately, until it is killed.
// Used by the test that kills a saving process and checks the file is always whole.
#include "platform/dosfs.h"
#include "playlist/documents.h"
#include "saveloop.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const PlaylistModel lists[] = {SaveLoopList(false), SaveLoopList(true)};
    for (unsigned n = 0;; ++n) {
        if (!SavePlaylist(lists[n % 2], QString::fromLocal8Bit(argv[1])))
            return 1;
        std::printf("%u\n", n);
        std::fflush(stdout);
    }
}
