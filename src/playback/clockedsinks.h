#pragma once
// Sinks that play against a clock instead of a sound card: the null sink, paced by the system
// clock, and the test sink, whose clock a test moves and which records what it is given.

#include "playback/audiosink.h"

#include <condition_variable>
#include <mutex>
#include <vector>

namespace playback {

// A buffer of `capacity` frames drained at the format's rate by a clock that runs while the
// sink is not paused and has something queued. Its latency is the smaller of the capacity and
// `latency`.
class ClockedSink : public AudioSink {
public:
    bool open(const AudioFormat& format, quint64 ticket, QString* error) override;
    qint64 write(const qint16* samples, qint64 frames, quint64 ticket) override;
    bool drain(quint64 ticket) override;
    bool drainToLatency(quint64 ticket) override;
    void flush() override;
    void setPaused(bool paused) override;
    qint64 heardFrames() override;
    qint64 segmentFrames() override;

    AudioFormat format() const;

protected:
    ClockedSink(qint64 capacityMs, qint64 latencyMs) : capacityMs_(capacityMs), latencyMs_(latencyMs) {}
    void notifyWake() override;

    // Called with mutex_ held.
    virtual qint64 nowNs() = 0;
    // Waits on cond_ until deadlineNs on the sink's clock or a notification.
    virtual void waitUntil(std::unique_lock<std::mutex>& lock, qint64 deadlineNs) = 0;
    virtual void record(const qint16*, qint64) {}
    // The decoder has handed over everything and waits for the queue to go down.
    virtual void onDrain() {}
    virtual void onFlush() {}

    std::mutex mutex_;
    std::condition_variable cond_;
    AudioFormat format_; // guarded by mutex_

private:
    void advance();
    qint64 heard() const;
    qint64 nsFor(qint64 frames) const;
    bool drainTo(qint64 frames, quint64 ticket);

    qint64 capacityMs_;
    qint64 latencyMs_;
    qint64 capacity_ = 0;
    qint64 latency_ = 0;
    qint64 written_ = 0;
    qint64 heardNs_ = 0; // clock time consumed in this segment
    qint64 lastNs_ = 0;
    bool paused_ = false;
};

class NullSink final : public ClockedSink {
public:
    NullSink() : ClockedSink(kBufferMs, kOutputLatencyMs) {}
    QString name() const override { return QStringLiteral("null"); }
    static constexpr qint64 kBufferMs = 1000;

protected:
    qint64 nowNs() override;
    void waitUntil(std::unique_lock<std::mutex>& lock, qint64 deadlineNs) override;
};

class TestSink final : public ClockedSink {
public:
    // capacityMs: how much it queues before write() waits for the clock; by default everything.
    // record: keep the samples (recorded()); without, only count them. latencyMs: how much may
    // still be queued when a title is reported ended.
    explicit TestSink(qint64 capacityMs = kUnbounded, bool record = true, qint64 latencyMs = kOutputLatencyMs)
        : ClockedSink(capacityMs, latencyMs), keep_(record) {}
    QString name() const override { return QStringLiteral("test"); }
    static constexpr qint64 kUnbounded = qint64(1) << 40;

    // Moves the clock on.
    void advance(qint64 ms);
    std::vector<qint16> recorded();
    qint64 framesWritten();
    // Where each flush started a new segment, in frames recorded before it.
    std::vector<qint64> segmentStarts();
    // Waits (real time) until the decoder has handed over the whole title and waits for it to
    // be heard (or to go down to the latency); false on timeout.
    bool waitForDrain(int timeoutMs);

protected:
    qint64 nowNs() override { return clockNs_; }
    void waitUntil(std::unique_lock<std::mutex>& lock, qint64 deadlineNs) override;
    void record(const qint16* samples, qint64 frames) override;
    void onDrain() override;
    void onFlush() override {
        draining_ = false;
        segmentStarts_.push_back(total_);
    }

private:
    bool keep_;
    qint64 clockNs_ = 0;
    qint64 total_ = 0;
    bool draining_ = false;
    std::vector<qint16> samples_;
    std::vector<qint64> segmentStarts_;
};

} // namespace playback
