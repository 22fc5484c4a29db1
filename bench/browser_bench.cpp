// The file browser panel on a folder of 20,000 MP3 files and 5,000 others: listing it into the
// file box against a bare readdir loop with the same filter and a sort, and adding all of its
// files against a loop of stat and getxattr (the existence test reads Wine's hidden flag) plus one
// rebuild of the playlist box.
#include "app/window/frmVeriVuzeDadeve.h"
#include "benchmain.h"
#include "platform/dosfs.h"
#include "playlist/window/browserboxes.h"
#include "playlist/window/playlistbox.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace {

constexpr int kMp3Files = 20000;
constexpr int kOtherFiles = 5000;

struct Folder {
    QTemporaryDir dir;
    std::vector<QByteArray> mp3HostPaths;
    Folder() {
        qputenv("VORLAK_DRIVES", ("C:=" + dir.path()).toUtf8());
        dosfs::reloadDrives();
        const char* extensions[] = {".mp3", ".MP3", ".Mp3"};
        for (int i = 0; i < kMp3Files; ++i) {
            const QString host = dir.path() + QStringLiteral("/Track %1 of the collection%2")
                                                  .arg(i * 7919 % kMp3Files, 5, 10, QLatin1Char('0'))
                                                  .arg(QLatin1String(extensions[i % 3]));
            QFile(host).open(QIODevice::WriteOnly);
            mp3HostPaths.push_back(QFile::encodeName(host));
        }
        for (int i = 0; i < kOtherFiles; ++i)
            QFile(dir.path() + QStringLiteral("/Cover %1.%2").arg(i).arg(i % 2 ? "jpg" : "txt"))
                .open(QIODevice::WriteOnly);
    }
};

Folder& folder() {
    static Folder f;
    return f;
}

// What any program must do to list the folder: read it, keep the names ending in ".mp3" in any
// case, sort them without regard to case.
void BM_ReaddirFilterSort(benchmark::State& state) {
    const QByteArray path = QFile::encodeName(folder().dir.path());
    for (auto _ : state) {
        std::vector<std::string> names;
        DIR* dir = ::opendir(path.constData());
        while (const dirent* e = ::readdir(dir)) {
            const std::size_t n = std::strlen(e->d_name);
            if (n >= 4 && ::strcasecmp(e->d_name + n - 4, ".mp3") == 0)
                names.emplace_back(e->d_name, n);
        }
        ::closedir(dir);
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            return ::strcasecmp(a.c_str(), b.c_str()) < 0;
        });
        if (names.size() != kMp3Files)
            state.SkipWithError("wrong count");
        benchmark::DoNotOptimize(names.data());
    }
}

void BM_ListIntoFileBox(benchmark::State& state) {
    folder();
    ProgramState s;
    frmVeriVuzeDadeve window(s);
    window.show();
    FileListBox& files = *window.File1;
    for (auto _ : state) {
        files.setPath(QStringLiteral("C:\\"));
        QCoreApplication::processEvents(); // the box lays out and paints its rows
        if (files.ListCount() != kMp3Files)
            state.SkipWithError("wrong count");
    }
}

// The floor of adding: every file's existence looked up once (its status and Wine's attribute
// that may hide it), and the box rebuilt once.
void BM_StatXattrAndRefresh(benchmark::State& state) {
    auto& f = folder();
    ProgramState s;
    frmVeriVuzeDadeve window(s);
    window.show();
    window.File1->setPath(QStringLiteral("C:\\"));
    for (qsizetype i = 0; i < window.File1->ListCount(); ++i)
        s.Entries.append(QStringLiteral("C:\\") + window.File1->List(i));
    for (auto _ : state) {
        state.PauseTiming();
        window.lstListe->clear();
        state.ResumeTiming();
        int found = 0;
        struct stat st;
        char attribute[64];
        for (const QByteArray& p : f.mp3HostPaths) {
            found += ::stat(p.constData(), &st) == 0;
            benchmark::DoNotOptimize(::getxattr(p.constData(), "user.DOSATTRIB", attribute, sizeof attribute));
        }
        window.display.RefreshList(0);
        if (found != kMp3Files)
            state.SkipWithError("missing files");
    }
}

// Add all into an empty playlist, with the program's caches cold each time.
void BM_AddAll(benchmark::State& state) {
    folder();
    ProgramState s;
    frmVeriVuzeDadeve window(s);
    window.show();
    window.Dir1->setPath(QStringLiteral("C:\\"));
    for (auto _ : state) {
        state.PauseTiming();
        s.Entries.clear();
        window.lstListe->clear();
        dosfs::reloadDrives();
        state.ResumeTiming();
        window.adds.cmdAdd2_Click();
        if (s.EntryCount() != kMp3Files)
            state.SkipWithError("not every file added");
    }
}

} // namespace

BENCHMARK(BM_ReaddirFilterSort)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListIntoFileBox)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatXattrAndRefresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddAll)->Unit(benchmark::kMillisecond);
VORLAK_COMPARE(filebox_list_20000, "BM_ListIntoFileBox", "BM_ReaddirFilterSort", 2.0);
VORLAK_COMPARE(add_all_20000, "BM_AddAll", "BM_StatXattrAndRefresh", 1.5);
