// The program holding a playlist, in a process of its own, for the memory benchmark: loads the text
// playlist given as a DOS path into a shown main window (offscreen) and prints the rows shown and
// the process's peak resident memory, "rows=N peak_kib=K".
#include "app/window/frmVeriVuzeDadeve.h"
#include "playlist/window/playlistbox.h"

#include <QApplication>
#include <QFile>
#include <cstdio>

namespace {

long peakKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    ProgramState state;
    frmVeriVuzeDadeve window(state);
    window.show();
    LoadTextPlaylist(state, QString::fromLocal8Bit(argv[1]));
    window.display.RefreshList(0);
    QApplication::processEvents(); // the box lays out and paints its rows
    std::printf("rows=%lld peak_kib=%ld\n", static_cast<long long>(window.lstListe->ListCount()), peakKiB());
    return 0;
}
