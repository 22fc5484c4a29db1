#include "playback/pulsesink.h"

#include <algorithm>
#include <functional>
#include <pulse/pulseaudio.h>

namespace playback {

// The process's connection to the server: a threaded main loop and one context, shared by every
// sink that uses it and made again once the server went away.
class PulseConnection {
public:
    // Starts the main loop; connect() then reaches the server.
    PulseConnection() {
        loop_ = pa_threaded_mainloop_new();
        if (loop_)
            context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Vorlak Verivuze Dadeve");
        if (context_ && pa_threaded_mainloop_start(loop_) < 0) {
            pa_context_unref(context_);
            context_ = nullptr;
        }
    }
    ~PulseConnection() {
        if (loop_)
            pa_threaded_mainloop_stop(loop_);
        if (context_) {
            pa_context_disconnect(context_);
            pa_context_unref(context_);
        }
        if (loop_)
            pa_threaded_mainloop_free(loop_);
    }
    PulseConnection(const PulseConnection&) = delete;
    PulseConnection& operator=(const PulseConnection&) = delete;

    // The process's live connection, or a new one: publish() receives the new one before the
    // wait for the server, so that the caller can interrupt the wait with signal(). Waits (in the
    // calling thread) until the server answers, refuses, the timeout runs out or woken() is true.
    static std::shared_ptr<PulseConnection>
    get(const std::function<void(std::shared_ptr<PulseConnection>)>& publish,
        const std::function<bool()>& woken, QString* error);

    pa_threaded_mainloop* loop() const { return loop_; }
    pa_context* context() const { return context_; }
    bool usable() const { return context_ != nullptr; }
    bool ready() {
        if (!context_)
            return false;
        lock();
        const bool ok = pa_context_get_state(context_) == PA_CONTEXT_READY;
        unlock();
        return ok;
    }
    void lock() { pa_threaded_mainloop_lock(loop_); }
    void unlock() { pa_threaded_mainloop_unlock(loop_); }
    void wait() { pa_threaded_mainloop_wait(loop_); }
    void signal() { pa_threaded_mainloop_signal(loop_, 0); }

private:
    bool connect(const std::function<bool()>& woken, QString* error);

    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    bool timedOut_ = false;
};

namespace {

std::mutex sharedMutex;
std::weak_ptr<PulseConnection> sharedConnection;

void signalLoop(void* userdata) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(userdata), 0);
}

// Waits for an operation to finish; false (and the operation cancelled) when woken first.
bool await(PulseConnection& c, pa_operation* op, const std::function<bool()>& woken) {
    if (!op)
        return false;
    bool done = true;
    while (pa_operation_get_state(op) == PA_OPERATION_RUNNING) {
        if (woken()) {
            pa_operation_cancel(op);
            done = false;
            break;
        }
        c.wait();
    }
    done = done && pa_operation_get_state(op) == PA_OPERATION_DONE;
    pa_operation_unref(op);
    return done;
}

void successSignal(pa_stream*, int, void* userdata) {
    signalLoop(userdata);
}

} // namespace

std::shared_ptr<PulseConnection>
PulseConnection::get(const std::function<void(std::shared_ptr<PulseConnection>)>& publish,
                     const std::function<bool()>& woken, QString* error) {
    {
        std::lock_guard lock(sharedMutex);
        if (auto live = sharedConnection.lock(); live && live->ready())
            return live;
    }
    auto fresh = std::make_shared<PulseConnection>();
    if (!fresh->usable()) {
        *error = QStringLiteral("cannot start a PulseAudio main loop");
        return nullptr;
    }
    publish(fresh);
    if (!fresh->connect(woken, error))
        return nullptr;
    std::lock_guard lock(sharedMutex);
    sharedConnection = fresh;
    return fresh;
}

bool PulseConnection::connect(const std::function<bool()>& woken, QString* error) {
    lock();
    pa_context_set_state_callback(
        context_, [](pa_context*, void* loop) { signalLoop(loop); }, loop_);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        *error = QString::fromUtf8(pa_strerror(pa_context_errno(context_)));
        unlock();
        return false;
    }
    pa_time_event* timer = pa_context_rttime_new(
        context_, pa_rtclock_now() + pa_usec_t(PulseSink::kConnectTimeoutMs) * 1000,
        [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
            auto* c = static_cast<PulseConnection*>(self);
            c->timedOut_ = true;
            c->signal();
        },
        this);
    pa_context_state_t state;
    while ((state = pa_context_get_state(context_)) != PA_CONTEXT_READY && PA_CONTEXT_IS_GOOD(state) &&
           !timedOut_ && !woken())
        wait();
    if (timer)
        pa_threaded_mainloop_get_api(loop_)->time_free(timer);
    if (state != PA_CONTEXT_READY) {
        *error = timedOut_ ? QStringLiteral("the server does not answer")
                 : woken() ? QStringLiteral("cancelled")
                           : QString::fromUtf8(pa_strerror(pa_context_errno(context_)));
        unlock();
        return false;
    }
    unlock();
    return true;
}

PulseSink::PulseSink() = default;

PulseSink::~PulseSink() {
    std::lock_guard guard(connectionMutex_);
    if (connection_ && stream_) {
        connection_->lock();
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        connection_->unlock();
    }
}

void PulseSink::notifyWake() {
    std::lock_guard guard(connectionMutex_);
    if (connection_ && connection_->usable()) {
        connection_->lock();
        connection_->signal();
        connection_->unlock();
    }
}

bool PulseSink::open(const AudioFormat& format, quint64 ticket, QString* error) {
    const auto wokenNow = [this, ticket] { return woken(ticket); };
    QString why;
    const auto c = PulseConnection::get(
        [this](std::shared_ptr<PulseConnection> fresh) {
            std::lock_guard guard(connectionMutex_);
            connection_ = std::move(fresh);
        },
        wokenNow, &why);
    if (!c) {
        *error = QStringLiteral("PulseAudio: ") + why;
        return false;
    }
    std::unique_lock guard(connectionMutex_);
    connection_ = c;

    format_ = format;
    frameBytes_ = qint64(format.channels) * 2;
    pa_sample_spec sampleFormat{PA_SAMPLE_S16NE, uint32_t(format.rate), uint8_t(format.channels)};
    pa_buffer_attr attr;
    attr.maxlength = uint32_t(-1);
    attr.tlength = uint32_t(pa_usec_to_bytes(pa_usec_t(kOutputLatencyMs) * 1000, &sampleFormat));
    attr.prebuf = uint32_t(-1);
    attr.minreq = uint32_t(-1);
    attr.fragsize = uint32_t(-1);

    c->lock();
    stream_ = pa_stream_new(c->context(), "Vorlak Verivuze Dadeve", &sampleFormat, nullptr);
    guard.unlock(); // the stream is published; the rest is under the main loop lock
    if (!stream_) {
        *error =
            QStringLiteral("PulseAudio: ") + QString::fromUtf8(pa_strerror(pa_context_errno(c->context())));
        c->unlock();
        return false;
    }
    pa_stream_set_state_callback(
        stream_, [](pa_stream*, void* loop) { signalLoop(loop); }, c->loop());
    pa_stream_set_write_callback(
        stream_, [](pa_stream*, size_t, void* loop) { signalLoop(loop); }, c->loop());
    const auto flags = pa_stream_flags_t(PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE |
                                         PA_STREAM_ADJUST_LATENCY);
    pa_stream_state_t state = PA_STREAM_FAILED;
    if (pa_stream_connect_playback(stream_, nullptr, &attr, flags, nullptr, nullptr) == 0) {
        while ((state = pa_stream_get_state(stream_)) != PA_STREAM_READY && PA_STREAM_IS_GOOD(state) &&
               !wokenNow())
            c->wait();
    }
    if (state != PA_STREAM_READY) {
        *error =
            QStringLiteral("PulseAudio: ") + QString::fromUtf8(pa_strerror(pa_context_errno(c->context())));
        c->unlock();
        return false;
    }
    if (paused_)
        pa_operation_unref(pa_stream_cork(stream_, 1, nullptr, nullptr));
    c->unlock();
    return true;
}

qint64 PulseSink::write(const qint16* samples, qint64 frames, quint64 ticket) {
    PulseConnection& c = *connection_;
    c.lock();
    size_t writable = 0;
    for (;;) {
        if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream_))) {
            c.unlock();
            return -1;
        }
        writable = pa_stream_writable_size(stream_);
        if (writable == size_t(-1)) {
            c.unlock();
            return -1;
        }
        if (woken(ticket)) {
            c.unlock();
            return 0;
        }
        if (writable >= size_t(frameBytes_))
            break;
        c.wait();
    }
    const qint64 n = std::min<qint64>(frames, qint64(writable) / frameBytes_);
    const int rc = pa_stream_write(stream_, samples, size_t(n * frameBytes_), nullptr, 0, PA_SEEK_RELATIVE);
    if (rc == 0) {
        written_ += n;
        drained_ = false;
    }
    c.unlock();
    return rc == 0 ? n : -1;
}

bool PulseSink::drain(quint64 ticket) {
    PulseConnection& c = *connection_;
    c.lock();
    const bool ok = drained_ || await(c, pa_stream_drain(stream_, successSignal, c.loop()),
                                      [this, ticket] { return woken(ticket); });
    if (ok)
        drained_ = true;
    const bool failed = !PA_STREAM_IS_GOOD(pa_stream_get_state(stream_));
    c.unlock();
    // A stream that failed has nothing more to play.
    return ok || failed;
}

// Written only as far as the stream's target length, the stream holds no more than the latency
// once a write returns. A stream that has not started yet (it waits for its prebuffer) starts now.
bool PulseSink::drainToLatency(quint64) {
    PulseConnection& c = *connection_;
    c.lock();
    if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream_)))
        if (pa_operation* op = pa_stream_trigger(stream_, nullptr, nullptr))
            pa_operation_unref(op);
    c.unlock();
    return true;
}

void PulseSink::flush() {
    PulseConnection& c = *connection_;
    c.lock();
    const auto never = [] { return false; };
    if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream_))) {
        await(c, pa_stream_flush(stream_, successSignal, c.loop()), never);
        // The latency must describe the emptied buffer before new audio is counted against it.
        await(c, pa_stream_update_timing_info(stream_, successSignal, c.loop()), never);
    }
    written_ = 0;
    drained_ = false;
    c.unlock();
}

void PulseSink::setPaused(bool paused) {
    std::lock_guard guard(connectionMutex_);
    if (!connection_ || !stream_) {
        paused_ = paused;
        return;
    }
    connection_->lock();
    paused_ = paused;
    if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream_)))
        if (pa_operation* op = pa_stream_cork(stream_, paused ? 1 : 0, nullptr, nullptr))
            pa_operation_unref(op);
    connection_->unlock();
}

qint64 PulseSink::segmentFrames() {
    std::lock_guard guard(connectionMutex_);
    if (!connection_ || !stream_)
        return 0;
    connection_->lock();
    const qint64 written = written_;
    connection_->unlock();
    return written;
}

qint64 PulseSink::heardFrames() {
    std::lock_guard guard(connectionMutex_);
    if (!connection_ || !stream_)
        return 0;
    connection_->lock();
    qint64 heard = 0;
    if (drained_) {
        heard = written_;
    } else {
        pa_usec_t latency = 0;
        int negative = 0;
        // No timing information yet: nothing has been heard.
        if (pa_stream_get_latency(stream_, &latency, &negative) == 0) {
            const qint64 queued = negative ? 0 : qint64(latency) * format_.rate / 1'000'000;
            heard = std::clamp<qint64>(written_ - queued, 0, written_);
        }
    }
    connection_->unlock();
    return heard;
}

} // namespace playback
