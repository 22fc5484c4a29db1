#pragma once
// Where decoded audio goes. A sink takes interleaved signed 16-bit frames from the decoder thread
// and plays them against a clock; the command thread pauses it and asks how much has been heard.
// Every blocking call returns early once wake() has been called after the caller took its ticket.
// A sink outlives the title that opened it when the next title in the same format plays on in it
// (outputkeeper.h); one thread at a time makes the decoder thread's calls.

#include <QString>
#include <QtGlobal>
#include <atomic>
#include <functional>
#include <memory>

namespace playback {

// How far ahead of the sound a sink is fed at most when a title ends: the title counts as ended
// once no more than this is still to be heard, and the next title's audio, queued behind it,
// follows without a gap.
constexpr qint64 kOutputLatencyMs = 300;

struct AudioFormat {
    int rate = 0;
    int channels = 0;
    bool operator==(const AudioFormat&) const = default;
};

class AudioSink {
public:
    virtual ~AudioSink() = default;

    virtual QString name() const = 0;

    // Decoder thread. Prepares output in this format; false with *error when it cannot.
    virtual bool open(const AudioFormat& format, quint64 ticket, QString* error) = 0;
    // Decoder thread. Queues up to frames frames, waiting until at least one fits; returns the
    // number taken (0 when woken), or -1 when the output failed.
    virtual qint64 write(const qint16* samples, qint64 frames, quint64 ticket) = 0;
    // Decoder thread. Waits until everything written has been heard; false when woken first.
    virtual bool drain(quint64 ticket) = 0;
    // Decoder thread. Waits until no more than the output's latency is still to be heard, and has
    // what is queued played even when it is less than the output waits for before it starts;
    // false when woken first.
    virtual bool drainToLatency(quint64 ticket) = 0;
    // Decoder thread. Drops the queued audio and starts a new segment: written and heard count
    // from 0 again.
    virtual void flush() = 0;

    // Any thread.
    virtual void setPaused(bool paused) = 0;
    // Frames of the current segment that have been heard: written minus still queued.
    virtual qint64 heardFrames() = 0;
    // Frames written in the current segment.
    virtual qint64 segmentFrames() = 0;

    quint64 wakeTicket() const { return wakes_.load(); }
    void wake() {
        ++wakes_;
        notifyWake();
    }

protected:
    bool woken(quint64 ticket) const { return wakes_.load() != ticket; }
    virtual void notifyWake() = 0;

private:
    std::atomic<quint64> wakes_{0};
};

// The sink for a new device, as VORLAK_AUDIO says ("pulse", "null", else "auto"), or from the
// factory a test installed. fallbackToNull: when the sink cannot be opened, play through the
// null sink instead (auto mode).
struct SinkChoice {
    std::shared_ptr<AudioSink> sink;
    bool fallbackToNull = false;
};
SinkChoice createSink();

using SinkFactory = std::function<std::shared_ptr<AudioSink>()>;
// Makes every new device use sinks from factory; an empty factory goes back to VORLAK_AUDIO.
// Outputs kept for a next title are closed, so that no device plays on in an older sink.
void setSinkFactory(SinkFactory factory);

} // namespace playback
