#pragma once
// Output through a PulseAudio server (or PipeWire's PulseAudio service): one playback stream per
// device on a connection shared by the process, served by PulseAudio's threaded main loop.
// Pause corks the stream, a new segment flushes it, and the stream's latency is subtracted from
// what has been written to tell what has been heard. The stream is fed kOutputLatencyMs ahead.

#include "playback/audiosink.h"

#include <mutex>

struct pa_stream;

namespace playback {

class PulseConnection;

class PulseSink final : public AudioSink {
public:
    PulseSink();
    ~PulseSink() override;
    QString name() const override { return QStringLiteral("pulse"); }

    bool open(const AudioFormat& format, quint64 ticket, QString* error) override;
    qint64 write(const qint16* samples, qint64 frames, quint64 ticket) override;
    bool drain(quint64 ticket) override;
    bool drainToLatency(quint64 ticket) override;
    void flush() override;
    void setPaused(bool paused) override;
    qint64 heardFrames() override;
    qint64 segmentFrames() override;

    // How long a connection attempt may take before the server counts as not answering.
    static constexpr int kConnectTimeoutMs = 3000;

protected:
    void notifyWake() override;

private:
    std::mutex connectionMutex_; // guards connection_ itself, not the stream
    std::shared_ptr<PulseConnection> connection_;
    // The rest is guarded by the connection's main loop lock.
    pa_stream* stream_ = nullptr;
    AudioFormat format_;
    qint64 frameBytes_ = 0;
    qint64 written_ = 0;
    bool drained_ = false;
    bool paused_ = false;
};

} // namespace playback
