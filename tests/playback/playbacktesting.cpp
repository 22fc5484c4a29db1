#include "playbacktesting.h"

#include <QFile>
#include <QProcess>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

struct TestSinks::Shared {
    std::mutex mutex;
    std::vector<std::shared_ptr<playback::TestSink>> sinks;
};

TestSinks::TestSinks(qint64 capacityMs) : shared_(std::make_shared<Shared>()) {
    playback::setSinkFactory([shared = shared_, capacityMs] {
        auto sink = std::make_shared<playback::TestSink>(capacityMs);
        std::lock_guard lock(shared->mutex);
        shared->sinks.push_back(sink);
        return sink;
    });
}

TestSinks::~TestSinks() {
    playback::setSinkFactory({});
}

std::shared_ptr<playback::TestSink> TestSinks::last() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->sinks.empty() ? nullptr : shared_->sinks.back();
}

int TestSinks::count() const {
    std::lock_guard lock(shared_->mutex);
    return int(shared_->sinks.size());
}

QByteArray runProgram(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << qPrintable(program) << " failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    return p.readAllStandardOutput();
}

std::vector<qint16> samplesOf(const QByteArray& raw) {
    std::vector<qint16> s(size_t(raw.size()) / 2);
    std::memcpy(s.data(), raw.constData(), s.size() * 2);
    return s;
}

qint64 wavFrames(const QString& path, int* rate, int* channels) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray all = f.readAll();
    auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(all.constData() + at); };
    auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(all.constData() + at); };
    int ch = 0, r = 0;
    for (qsizetype at = 12; at + 8 <= all.size(); at += 8 + u32(at + 4) + (u32(at + 4) & 1)) {
        const QByteArray id = all.mid(at, 4);
        if (id == "fmt ") {
            ch = u16(at + 10);
            r = int(u32(at + 12));
        } else if (id == "data" && ch > 0) {
            if (rate)
                *rate = r;
            if (channels)
                *channels = ch;
            return qint64(u32(at + 4)) / (2 * ch);
        }
    }
    return -1;
}

double correlation(const std::vector<qint16>& a, const std::vector<qint16>& b, qint64 lag) {
    const qint64 begin = std::max<qint64>(0, -lag);
    const qint64 end = std::min<qint64>(qint64(a.size()), qint64(b.size()) - lag);
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    const double n = double(end - begin);
    if (n <= 1)
        return 0;
    for (qint64 i = begin; i < end; ++i) {
        const double x = a[size_t(i)], y = b[size_t(i + lag)];
        sa += x;
        sb += y;
        saa += x * x;
        sbb += y * y;
        sab += x * y;
    }
    const double cov = sab - sa * sb / n, va = saa - sa * sa / n, vb = sbb - sb * sb / n;
    return va > 0 && vb > 0 ? cov / std::sqrt(va * vb) : 0;
}

qint64 bestLag(const std::vector<qint16>& a, const std::vector<qint16>& b, qint64 maxLag, qint64 step,
               qint64 window) {
    // Compares a window from the middle of a, so that every lag sees the same amount of signal.
    const qint64 from = std::max<qint64>(0, qint64(a.size()) / 2 - window / 2);
    const std::vector<qint16> part(a.begin() + from,
                                   a.begin() + std::min<qint64>(qint64(a.size()), from + window));
    qint64 best = 0;
    double bestValue = -2;
    for (qint64 lag = -maxLag; lag <= maxLag; lag += step) {
        if (from + lag < 0)
            continue;
        const double c = correlation(part, b, from + lag);
        if (c > bestValue) {
            bestValue = c;
            best = lag;
        }
    }
    return best;
}

bool eventually(const std::function<bool()>& cond, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!cond()) {
        if (std::chrono::steady_clock::now() > deadline)
            return cond();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}
