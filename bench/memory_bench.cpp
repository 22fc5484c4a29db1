// The peak memory of the program holding a million entries: a playlist of 1,000,000 lines (1,000
// files, each named a thousand times) loaded and shown in the main window. Budget 400 MB.
#include "app/window/frmVeriVuzeDadeve.h"
#include "benchmain.h"
#include "platform/dosfs.h"
#include "platform/textfile.h"
#include "playlist/window/playlistbox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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

void BM_MillionEntries(benchmark::State& state) {
    QTemporaryDir dir;
    qputenv("VORLAK_DRIVES", ("C:=" + dir.path()).toUtf8());
    dosfs::reloadDrives();
    QByteArray lines;
    {
        QStringList files;
        for (int i = 0; i < 1000; ++i) {
            const QString folder = QStringLiteral("Music/Artist %1/Album %2").arg(i / 50).arg(i / 10 % 5);
            const QString name =
                QStringLiteral("%1 Track number %2.mp3").arg(i % 10 + 1, 2, 10, QLatin1Char('0')).arg(i);
            QDir(dir.path()).mkpath(folder);
            QFile(dir.path() + u'/' + folder + u'/' + name).open(QIODevice::WriteOnly);
            files.append(QStringLiteral("C:\\") + QString(folder).replace(u'/', u'\\') + u'\\' + name);
        }
        QStringList all;
        for (int i = 0; i < 1'000'000; ++i)
            all.append(files[i % files.size()]);
        lines = *textfile::encodeLines(all);
    }
    QFile out(dir.path() + QStringLiteral("/playlist.txt"));
    out.open(QIODevice::WriteOnly);
    out.write(lines);
    out.close();
    lines.clear();
    lines.squeeze();
    const long before = peakKiB();
    for (auto _ : state) {
        ProgramState s;
        frmVeriVuzeDadeve window(s);
        window.show();
        LoadTextPlaylist(s, QStringLiteral("C:\\playlist.txt"));
        window.display.RefreshList(0);
        if (window.lstListe->ListCount() != 1'000'000)
            state.SkipWithError("not every entry loaded");
        state.counters["peak_MB"] = double(peakKiB()) / 1024;
        bench::report("memory_1000000_entries", double(peakKiB()) / 1024 / 400, 1.0);
    }
    state.counters["before_MB"] = double(before) / 1024;
}

} // namespace

BENCHMARK(BM_MillionEntries)->Unit(benchmark::kMillisecond)->Iterations(1);
