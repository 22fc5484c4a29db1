#include "app/gamelocations.h"
#include "app/window/frmVeriVuzeDadeve.h"
#include "app/mpris.h"
#include "app/qtmessages.h"
#include "app/termination.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

// Answers --help and --version on standard output before anything else happens: no window, no
// display connection, no file. Returns the exit code then; nothing for any other command line.
std::optional<int> answerInformationOption(int argc, char** argv) {
    if (argc != 2)
        return std::nullopt;
    const char* option = argv[1];
    if (std::strcmp(option, "--version") == 0) {
        std::printf("vorlak %s\n", VORLAK_VERSION);
        return 0;
    }
    if (std::strcmp(option, "--help") == 0 || std::strcmp(option, "-h") == 0) {
        std::printf("Usage: vorlak [PLAYLIST]\n"
                    "Edits and plays the background-music playlist of Vorlak Legends.\n"
                    "\n"
                    "PLAYLIST  a text playlist (its name ending in .txt), as a host path or a DOS path\n"
                    "          such as C:\\Lists\\list.txt; without it the program works on the\n"
                    "          modification's playlist.txt, found through the game's registry values.\n"
                    "          An M3U playlist (.m3u or .m3u8) of another player is read in place of\n"
                    "          the modification's playlist, which stays the file that Save writes.\n"
                    "\n"
                    "  --help     show this help and exit\n"
                    "  --version  show the version and exit\n");
        return 0;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> answered = answerInformationOption(argc, argv))
        return *answered;
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(VORLAK_VERSION));
    QtMessages messages;
    setMessages(&messages);
    ProgramState state;
    frmVeriVuzeDadeve window(state);
    messages.setOwner(&window);
    termination::closeOnTermination(window);
    try {
        window.startup.Form_Load(app.arguments().mid(1));
    } catch (const EndProgram& end) {
        return end.exitCode;
    }
    (new Mpris(window, window.player))->registerOnSessionBus();
    return app.exec();
}
