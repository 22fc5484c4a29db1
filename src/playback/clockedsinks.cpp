#include "playback/clockedsinks.h"

#include <algorithm>
#include <chrono>

namespace playback {

constexpr qint64 kNsPerSecond = 1'000'000'000;

bool ClockedSink::open(const AudioFormat& format, quint64, QString*) {
    std::lock_guard lock(mutex_);
    format_ = format;
    capacity_ = std::max<qint64>(1, capacityMs_ * format.rate / 1000);
    latency_ = std::min(capacity_, latencyMs_ * format.rate / 1000);
    lastNs_ = nowNs();
    return true;
}

AudioFormat ClockedSink::format() const {
    auto& self = const_cast<ClockedSink&>(*this);
    std::lock_guard lock(self.mutex_);
    return format_;
}

qint64 ClockedSink::nsFor(qint64 frames) const {
    return (frames * kNsPerSecond + format_.rate - 1) / format_.rate;
}

// Lets the clock run from the last call to now; it stops while paused and when the queue is empty,
// so audio written late is heard late, as on a sound card that ran dry.
void ClockedSink::advance() {
    const qint64 now = nowNs();
    if (!paused_ && format_.rate > 0)
        heardNs_ = std::min(heardNs_ + (now - lastNs_), nsFor(written_));
    lastNs_ = now;
}

qint64 ClockedSink::heard() const {
    if (format_.rate <= 0)
        return 0;
    return std::min(written_, heardNs_ * format_.rate / kNsPerSecond);
}

qint64 ClockedSink::write(const qint16* samples, qint64 frames, quint64 ticket) {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (woken(ticket))
            return 0;
        advance();
        const qint64 queued = written_ - heard();
        if (queued < capacity_) {
            const qint64 n = std::min(frames, capacity_ - queued);
            record(samples, n);
            written_ += n;
            return n;
        }
        // Sleep until half the buffer has been heard, so a full buffer costs few wake-ups.
        const qint64 deadline = paused_ ? -1 : nowNs() + nsFor(queued - capacity_ / 2);
        waitUntil(lock, deadline);
    }
}

bool ClockedSink::drainTo(qint64 frames, quint64 ticket) {
    std::unique_lock lock(mutex_);
    onDrain();
    for (;;) {
        advance();
        const qint64 queued = written_ - heard();
        if (queued <= frames)
            return true;
        if (woken(ticket))
            return false;
        waitUntil(lock, paused_ ? -1 : nowNs() + nsFor(queued - frames));
    }
}

bool ClockedSink::drain(quint64 ticket) {
    return drainTo(0, ticket);
}

// The clock runs whenever something is queued: nothing to start.
bool ClockedSink::drainToLatency(quint64 ticket) {
    return drainTo(latency_, ticket);
}

void ClockedSink::flush() {
    std::lock_guard lock(mutex_);
    written_ = 0;
    heardNs_ = 0;
    lastNs_ = nowNs();
    onFlush();
}

void ClockedSink::setPaused(bool paused) {
    {
        std::lock_guard lock(mutex_);
        advance();
        paused_ = paused;
    }
    cond_.notify_all();
}

qint64 ClockedSink::heardFrames() {
    std::lock_guard lock(mutex_);
    advance();
    return heard();
}

qint64 ClockedSink::segmentFrames() {
    std::lock_guard lock(mutex_);
    return written_;
}

void ClockedSink::notifyWake() {
    std::lock_guard lock(mutex_);
    cond_.notify_all();
}

qint64 NullSink::nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void NullSink::waitUntil(std::unique_lock<std::mutex>& lock, qint64 deadlineNs) {
    if (deadlineNs < 0)
        cond_.wait(lock);
    else
        cond_.wait_until(lock, std::chrono::steady_clock::time_point(std::chrono::nanoseconds(deadlineNs)));
}

void TestSink::advance(qint64 ms) {
    {
        std::lock_guard lock(mutex_);
        clockNs_ += ms * 1'000'000;
    }
    cond_.notify_all();
}

void TestSink::waitUntil(std::unique_lock<std::mutex>& lock, qint64) {
    cond_.wait(lock);
}

void TestSink::record(const qint16* samples, qint64 frames) {
    draining_ = false; // a next title plays on in this sink
    total_ += frames;
    if (keep_)
        samples_.insert(samples_.end(), samples, samples + frames * format_.channels);
}

void TestSink::onDrain() {
    draining_ = true;
    cond_.notify_all();
}

std::vector<qint16> TestSink::recorded() {
    std::lock_guard lock(mutex_);
    return samples_;
}

qint64 TestSink::framesWritten() {
    std::lock_guard lock(mutex_);
    return total_;
}

std::vector<qint64> TestSink::segmentStarts() {
    std::lock_guard lock(mutex_);
    return segmentStarts_;
}

bool TestSink::waitForDrain(int timeoutMs) {
    std::unique_lock lock(mutex_);
    return cond_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return draining_; });
}

} // namespace playback
