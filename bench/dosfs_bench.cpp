// The existence test over 32,767 existing paths written in the right case, against one stat per
// path. "cold" forgets the cached attributes before every pass, "warm" keeps them; a cold pass
// must also read each file's Wine attribute, so it is compared with stat plus getxattr.
#include "benchmain.h"
#include "tempmusic.h"
#include "platform/dosfs.h"

#include <sys/stat.h>
#include <sys/xattr.h>

namespace {

constexpr int kPaths = 32767;

struct Tree : bench::TempMusic {
    Tree() {
        for (int i = 0; i < kPaths; ++i) {
            const QString folder = QStringLiteral("Music/Album %1").arg(i / 1000, 2, 10, QLatin1Char('0'));
            const QString name = QStringLiteral("Track %1.mp3").arg(i, 5, 10, QLatin1Char('0'));
            add(folder, name);
        }
    }
};

Tree& tree() {
    static Tree t;
    return t;
}

void BM_StatLoop(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(tree().statAll());
}

// What the test must at least ask the system on a first look: the file and its Wine attribute.
void BM_StatXattrLoop(benchmark::State& state) {
    auto& t = tree();
    for (auto _ : state) {
        int found = 0;
        struct stat st;
        char value[64];
        for (const QByteArray& p : t.hostPaths)
            found +=
                ::stat(p.constData(), &st) == 0 && ::getxattr(p.constData(), "user.DOSATTRIB", value, 64) < 0;
        benchmark::DoNotOptimize(found);
    }
}

void BM_FileExistsWarm(benchmark::State& state) {
    auto& t = tree();
    for (auto _ : state) {
        int found = 0;
        for (const QString& p : t.dosPaths)
            found += dosfs::FileExists(p);
        if (found != kPaths)
            state.SkipWithError("a path was not found");
    }
}

void BM_FileExistsCold(benchmark::State& state) {
    auto& t = tree();
    for (auto _ : state) {
        state.PauseTiming();
        dosfs::reloadDrives();
        state.ResumeTiming();
        int found = 0;
        for (const QString& p : t.dosPaths)
            found += dosfs::FileExists(p);
        if (found != kPaths)
            state.SkipWithError("a path was not found");
    }
}

} // namespace

BENCHMARK(BM_StatLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatXattrLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileExistsWarm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileExistsCold)->Unit(benchmark::kMillisecond);
VORLAK_COMPARE(exists_32767_warm, "BM_FileExistsWarm", "BM_StatLoop", 1.5);
// The cold test against the two calls it cannot do without, the floor of what it must do; against
// the bare stat loop for information.
VORLAK_COMPARE(exists_32767_cold, "BM_FileExistsCold", "BM_StatXattrLoop", 1.2);
VORLAK_INFORM(exists_32767_cold_vs_stat, "BM_FileExistsCold", "BM_StatLoop");
