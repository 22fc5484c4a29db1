// The "MP3-Tag" view of a 32,767-entry playlist built (BuildRows, and the first RefreshList in that
// view on a real main window), against one loop that opens each file, reads its last 128 bytes and
// closes it; a move in that view, whose rebuild reads no file that did not change, against a
// rebuild in the "All" view; and GetFileInfos on 1,000 MP3 files against one loop that reads the
// first 8 KiB of each.
#include "app/window/frmVeriVuzeDadeve.h"
#include "benchmain.h"
#include "tempmusic.h"
#include "mp3info/headerinfos.h"
#include "platform/dosfs.h"
#include "playlist/listrows.h"
#include "playlist/window/playlistbox.h"

#include <QAction>
#include <QFile>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kEntries = 32767;
constexpr int kAnalysed = 1000;

using Files = bench::TempMusic;

// Small files, three of four with an ID3v1 block (the others show their file names).
Files& playlist() {
    static Files files = [] {
        Files f;
        for (int i = 0; i < kEntries; ++i) {
            QByteArray content(600, '\x55');
            if (i % 4 != 3) {
                QByteArray block = "TAG" +
                                   QStringLiteral("Title %1").arg(i).toLatin1().leftJustified(30, '\0') +
                                   QByteArrayLiteral("Some Interpret").leftJustified(30, ' ');
                content += block.leftJustified(128, '\0');
            }
            f.add(QStringLiteral("Music/Album %1").arg(i / 1000, 2, 10, QLatin1Char('0')),
                  QStringLiteral("Track %1.mp3").arg(i, 5, 10, QLatin1Char('0')), content);
        }
        return f;
    }();
    files.map();
    return files;
}

// Copies of encoder output, half of them with an ID3v2 tag before the audio.
Files& mp3s() {
    static Files files = [] {
        Files f;
        QFile plain(QStringLiteral(VORLAK_FIXTURES_DIR "/plain-stereo.mp3"));
        QFile tagged(QStringLiteral(VORLAK_FIXTURES_DIR "/id3v2-stereo.mp3"));
        if (!plain.open(QIODevice::ReadOnly) || !tagged.open(QIODevice::ReadOnly))
            std::abort();
        const QByteArray contents[] = {plain.readAll(), tagged.readAll()};
        for (int i = 0; i < kAnalysed; ++i)
            f.add(QStringLiteral("Analysed"), QStringLiteral("Song %1.mp3").arg(i), contents[i % 2]);
        return f;
    }();
    files.map();
    return files;
}

void BM_ReadLast128Loop(benchmark::State& state) {
    const auto& paths = playlist().hostPaths;
    char block[128];
    for (auto _ : state) {
        long sum = 0;
        for (const QByteArray& p : paths) {
            const int fd = ::open(p.constData(), O_RDONLY | O_CLOEXEC);
            if (fd < 0)
                std::abort();
            if (::lseek(fd, -128, SEEK_END) >= 0 && ::read(fd, block, sizeof block) == sizeof block)
                sum += block[0];
            ::close(fd);
        }
        benchmark::DoNotOptimize(sum);
    }
}

void BM_TagRowsBuildRows(benchmark::State& state) {
    const QStringList& entries = playlist().dosPaths;
    for (auto _ : state) {
        const QStringList rows = BuildRows(entries, ViewMode::Tag);
        if (rows.size() != kEntries || rows[0] != u"Some Interpret - Title 0" ||
            rows[3] != u"Track 00003.mp3")
            state.SkipWithError("wrong rows");
    }
}

// The first rebuild in the "MP3-Tag" view, which reads every file: switching to it from "All".
void BM_TagRowsRefreshList(benchmark::State& state) {
    ProgramState programState;
    programState.Entries = playlist().dosPaths;
    frmVeriVuzeDadeve window(programState);
    window.show();
    window.display.RefreshList(0);
    for (auto _ : state) {
        state.PauseTiming();
        window.menFold->trigger();
        state.ResumeTiming();
        window.menTag->trigger();
    }
    if (window.lstListe->List(0) != u"Some Interpret - Title 0")
        state.SkipWithError("wrong rows");
}

// A window showing the list, the row before the last selected.
struct ShownList {
    ProgramState state;
    frmVeriVuzeDadeve window{state};
    explicit ShownList(QAction* (*view)(frmVeriVuzeDadeve&)) {
        state.Entries = playlist().dosPaths;
        window.show();
        view(window)->trigger();
        window.display.RefreshList(kEntries - 2);
    }
};

void BM_RefreshListAll(benchmark::State& state) {
    ShownList shown([](frmVeriVuzeDadeve& w) { return w.menFold; });
    for (auto _ : state)
        shown.window.display.RefreshList(1);
}

// The selected entry one place up, and the rebuild that follows, in the "MP3-Tag" view: the
// files did not change since the last rebuild.
void BM_MoveInTagView(benchmark::State& state) {
    ShownList shown([](frmVeriVuzeDadeve& w) { return w.menTag; });
    for (auto _ : state)
        shown.window.editing.cmdHoch_Click();
    const qsizetype moved = kEntries - 2 - qsizetype(state.iterations());
    if (shown.window.lstListe->ListIndex() != moved ||
        shown.window.lstListe->List(moved) != u"Some Interpret - Title 32765")
        state.SkipWithError("the entry did not move");
}

void BM_Read8KiBLoop(benchmark::State& state) {
    const auto& paths = mp3s().hostPaths;
    std::vector<char> buffer(8192);
    for (auto _ : state) {
        long sum = 0;
        for (const QByteArray& p : paths) {
            const int fd = ::open(p.constData(), O_RDONLY | O_CLOEXEC);
            if (fd < 0)
                std::abort();
            if (::read(fd, buffer.data(), buffer.size()) > 0)
                sum += buffer[0];
            ::close(fd);
        }
        benchmark::DoNotOptimize(sum);
    }
}

void BM_GetFileInfos(benchmark::State& state) {
    const QStringList& paths = mp3s().dosPaths;
    for (auto _ : state) {
        qint64 seconds = 0;
        for (const QString& p : paths) {
            HeaderInfos infos;
            infos.setFilePath(p);
            infos.GetFileInfos();
            seconds += infos.Seconds();
        }
        if (seconds == 0)
            state.SkipWithError("no header found");
    }
}

} // namespace

BENCHMARK(BM_ReadLast128Loop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TagRowsBuildRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TagRowsRefreshList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshListAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveInTagView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read8KiBLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetFileInfos)->Unit(benchmark::kMillisecond);
VORLAK_COMPARE(tag_rows_32767_buildrows, "BM_TagRowsBuildRows", "BM_ReadLast128Loop", 2.0);
VORLAK_COMPARE(tag_rows_32767_refreshlist, "BM_TagRowsRefreshList", "BM_ReadLast128Loop", 2.0);
VORLAK_COMPARE(getfileinfos_1000, "BM_GetFileInfos", "BM_Read8KiBLoop", 2.0);
VORLAK_COMPARE(move_in_tag_view_32767, "BM_MoveInTagView", "BM_RefreshListAll", 2.0);
