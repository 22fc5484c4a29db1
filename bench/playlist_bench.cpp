// Loading a 32,767-line playlist of existing files and showing it, in the views "All" and
// "Filenames", against one stat per path.
#include "app/window/frmVeriVuzeDadeve.h"
#include "benchmain.h"
#include "tempmusic.h"
#include "platform/dosfs.h"
#include "platform/textfile.h"
#include "playlist/window/playlistbox.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {

struct Library : bench::TempMusic {
    explicit Library(int files) {
        for (int i = 0; i < files; ++i) {
            const QString folder = QStringLiteral("Music/Artist %1/Album %2")
                                       .arg(i / 300, 3, 10, QLatin1Char('0'))
                                       .arg(i / 12 % 25);
            const QString name =
                QStringLiteral("%1 Track number %2.mp3").arg(i % 12 + 1, 2, 10, QLatin1Char('0')).arg(i);
            add(folder, name);
        }
    }
    // A playlist file of count lines naming the library's files in turn.
    QString playlist(int count) const {
        QStringList lines;
        for (int i = 0; i < count; ++i)
            lines.append(dosPaths[i % dosPaths.size()]);
        textfile::replaceFile(dir.path() + QStringLiteral("/playlist.txt"), *textfile::encodeLines(lines));
        return QStringLiteral("C:\\playlist.txt");
    }
};

Library& library() {
    static Library l(32767);
    return l;
}

void BM_StatLoop(benchmark::State& state) {
    auto& l = library();
    for (auto _ : state) {
        int found = 0;
        struct stat st;
        for (const QByteArray& p : l.hostPaths)
            found += ::stat(p.constData(), &st) == 0;
        benchmark::DoNotOptimize(found);
    }
}

// Each pass starts with cold caches, as the program's first load does.
void loadAndShow(benchmark::State& state, QAction* (*view)(frmVeriVuzeDadeve&)) {
    const QString list = library().playlist(32767);
    ProgramState s;
    frmVeriVuzeDadeve window(s);
    window.show();
    view(window)->trigger();
    for (auto _ : state) {
        state.PauseTiming();
        s.Entries.clear();
        window.lstListe->clear();
        dosfs::reloadDrives();
        state.ResumeTiming();
        LoadTextPlaylist(s, list);
        window.display.RefreshList(0);
        if (window.lstListe->ListCount() != 32767)
            state.SkipWithError("not every entry loaded");
    }
}

void BM_LoadAndShowAll(benchmark::State& state) {
    loadAndShow(state, [](frmVeriVuzeDadeve& w) { return w.menFold; });
}
void BM_LoadAndShowFilenames(benchmark::State& state) {
    loadAndShow(state, [](frmVeriVuzeDadeve& w) { return w.menNoFold; });
}

} // namespace

BENCHMARK(BM_StatLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndShowAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndShowFilenames)->Unit(benchmark::kMillisecond);
VORLAK_COMPARE(load_show_all_32767, "BM_LoadAndShowAll", "BM_StatLoop", 3.0);
VORLAK_COMPARE(load_show_filenames_32767, "BM_LoadAndShowFilenames", "BM_StatLoop", 4.0);
