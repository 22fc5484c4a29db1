// Saves two different lists of 32,767 entries over one file, alternately, until it is killed.
// Used by the test that kills a saving process and checks the file is always whole.
#include "platform/dosfs.h"
#include "platform/messages.h"
#include "playlist/documents.h"
#include "saveloop.h"

#include <QCoreApplication>
#include <cstdio>

namespace {
class Silent final : public MessageService {
public:
    int msgBox(const QString&, int, const QString&) override { return vbOK; }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    QString showOpenDialog(const QString&, const QString&, const QString&) override { return {}; }
    QString showSaveDialog(const QString&, const QString&, const QString&) override { return {}; }
};
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    Silent silent;
    setMessages(&silent);
    const PlaylistModel lists[] = {SaveLoopList(false), SaveLoopList(true)};
    for (unsigned n = 0;; ++n) {
        if (!SavePlaylist(lists[n % 2], QString::fromLocal8Bit(argv[1])))
            return 1;
        std::printf("%u\n", n);
        std::fflush(stdout);
    }
}
