#include "playbacktesting.h"

#include <QProcess>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <thread>

TestSinks::TestSinks(qint64 capacityMs, qint64 latencyMs, bool record) {
    // createSink calls the factory under the lock setSinkFactory takes: none runs after the destructor.
    playback::setSinkFactory([this, capacityMs, latencyMs, record] {
        auto sink = std::make_shared<playback::TestSink>(capacityMs, record, latencyMs);
        std::lock_guard lock(mutex_);
        sinks_.push_back(sink);
        return sink;
    });
}

std::shared_ptr<playback::TestSink> TestSinks::last() {
    std::lock_guard lock(mutex_);
    return sinks_.empty() ? nullptr : sinks_.back();
}

Samples samplesOf(const QByteArray& raw) {
    Samples s(size_t(raw.size()) / 2);
    std::memcpy(s.data(), raw.constData(), s.size() * 2);
    return s;
}

Samples decode(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("mpg123"), {"-q", "-s", path});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << "mpg123 failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    return samplesOf(p.readAllStandardOutput());
}

double correlation(const Samples& a, const Samples& b, qint64 lag, qint64 from, qint64 to) {
    from = std::max(from, -lag);
    to = std::min({to, qint64(a.size()), qint64(b.size()) - lag});
    const double n = double(to - from);
    if (n <= 1)
        return 0;
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    for (qint64 i = from; i < to; ++i) {
        const double x = a[size_t(i)], y = b[size_t(i + lag)];
        sa += x, sb += y, saa += x * x, sbb += y * y, sab += x * y;
    }
    const double cov = sab - sa * sb / n, va = saa - sa * sa / n, vb = sbb - sb * sb / n;
    return va > 0 && vb > 0 ? cov / std::sqrt(va * vb) : 0;
}

qint64 bestLag(const Samples& a, const Samples& b, qint64 around, qint64 maxLag, qint64 step) {
    const qint64 from = qint64(a.size()) / 2 - 10000, to = from + 20000;
    qint64 best = around;
    double bestValue = -2;
    for (qint64 lag = around - maxLag; lag <= around + maxLag; lag += step) {
        const double c = correlation(a, b, lag, from, to);
        if (c > bestValue)
            bestValue = c, best = lag;
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

bool playUntil(playback::TestSink& sink, const std::function<bool()>& cond) {
    return eventually(
        [&] {
            sink.advance(20);
            return cond();
        },
        20000);
}
