#pragma once
// Helpers for the playback tests: test sinks for new devices, reference decodes by mpg123, and
// comparisons of sample streams.

#include "playback/clockedsinks.h"

#include <QString>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <vector>

using Samples = std::vector<qint16>;

// While alive, every device opened that takes over no kept output plays into a new TestSink
// (recording its samples when asked).
class TestSinks {
public:
    explicit TestSinks(qint64 capacityMs = playback::TestSink::kUnbounded,
                       qint64 latencyMs = playback::kOutputLatencyMs, bool record = true);
    ~TestSinks() { playback::setSinkFactory({}); }
    std::shared_ptr<playback::TestSink> last();

private:
    std::mutex mutex_;
    std::vector<std::shared_ptr<playback::TestSink>> sinks_;
};

Samples samplesOf(const QByteArray& raw);
// Interleaved samples of path as mpg123 decodes it; fails the test when mpg123 fails.
Samples decode(const QString& path);
// Pearson correlation of a[i] and b[i + lag] for i in [from, to) where both have samples.
double correlation(const Samples& a, const Samples& b, qint64 lag, qint64 from = 0,
                   qint64 to = std::numeric_limits<qint64>::max());
// The lag in around +- maxLag, in steps of step samples, where a window from the middle of a
// lines up best with b.
qint64 bestLag(const Samples& a, const Samples& b, qint64 around, qint64 maxLag, qint64 step);
// Moves the sink's clock on in small steps until cond holds; false after 20 s.
bool playUntil(playback::TestSink& sink, const std::function<bool()>& cond);
// Polls cond for up to timeoutMs; its last answer.
bool eventually(const std::function<bool()>& cond, int timeoutMs = 10000);
