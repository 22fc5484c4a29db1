#pragma once
// Helpers for the playback tests: test sinks installed for every new device, reference decodes
// by the mpg123 and ffmpeg programs, and comparisons of sample streams.

#include "playback/clockedsinks.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

// While alive, every device opened plays into a new TestSink, kept in sinks().
class TestSinks {
public:
    explicit TestSinks(qint64 capacityMs = playback::TestSink::kUnbounded);
    ~TestSinks();
    std::shared_ptr<playback::TestSink> last() const;
    int count() const;

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

// Standard output of a program, or fails the test; empty on failure.
QByteArray runProgram(const QString& program, const QStringList& args);
std::vector<qint16> samplesOf(const QByteArray& raw);
// Frames of PCM in a WAV file (its data chunk).
qint64 wavFrames(const QString& path, int* rate = nullptr, int* channels = nullptr);

// Pearson correlation of a[i] and b[i + lag] over the samples both have.
double correlation(const std::vector<qint16>& a, const std::vector<qint16>& b, qint64 lag);
// The lag in [-maxLag, maxLag] (in samples, steps of `step`) where b lines up best with a.
qint64 bestLag(const std::vector<qint16>& a, const std::vector<qint16>& b, qint64 maxLag, qint64 step,
               qint64 window);

// Polls cond every few milliseconds for up to timeoutMs; its last answer.
bool eventually(const std::function<bool()>& cond, int timeoutMs = 10000);
