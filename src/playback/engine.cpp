#include "playback/engine.h"

#include "playback/clockedsinks.h"
#include "playback/decoder.h"
#include "playback/endnotice.h"

#include <cstdio>
#include <vector>

namespace playback {

namespace {

constexpr qint64 kChunkFrames = 4 * 1152;

void warn(const QString& line) {
    std::fprintf(stderr, "%s\n", qPrintable(line));
}

} // namespace

std::unique_ptr<Player> Player::open(const QString& hostPath, QString* error) {
    auto decoder = Mp3Decoder::open(hostPath, error);
    if (!decoder)
        return nullptr;
    std::unique_ptr<Player> p(new Player);
    p->format_ = decoder->format();
    p->estimatedLength_ = std::max<qint64>(0, decoder->headerLength());
    p->previous_ = takeKeptOutput();
    // An output in the same format is taken over once the title plays; else the title has its own.
    if (!p->previous_.sink || p->previous_.format != p->format_) {
        SinkChoice choice = createSink();
        p->sink_ = std::move(choice.sink);
        p->fallbackToNull_ = choice.fallbackToNull;
    }
    p->scanThread_ = std::thread(&Player::scanLoop, p.get(), hostPath);
    p->decoderThread_ = std::thread(&Player::decodeLoop, p.get(), std::move(decoder));
    return p;
}

Player::~Player() {
    std::shared_ptr<AudioSink> sink, previous;
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        sink = sink_;
        previous = previous_.sink;
    }
    changed_.notify_all();
    for (const auto& s : {sink, previous})
        if (s)
            s->wake();
    cancelScan_ = true;
    decoderThread_.join();
    scanThread_.join();
    // The threads are gone: the state is ours alone.
    if (previous_.sink)
        keepOutput(std::move(previous_.sink), previous_.format);
    else if (sink_ && (tailQueued_ || keepQueued_))
        keepOutput(std::move(sink_), format_);
}

void Player::scanLoop(QString hostPath) {
    // A handle of its own, so the scan never holds up decoding.
    QString error;
    auto decoder = Mp3Decoder::open(hostPath, &error, &cancelScan_);
    const qint64 length = decoder ? decoder->scanLength() : -1;
    {
        std::lock_guard lock(mutex_);
        scanDone_ = true;
        if (exactLength_ < 0)
            exactLength_ = length;
    }
    changed_.notify_all();
}

void Player::play() {
    {
        std::lock_guard lock(mutex_);
        if (mode_ == Mode::Playing)
            return;
        if (mode_ == Mode::Paused) {
            mode_ = Mode::Playing;
            if (!restart_)
                sink_->setPaused(false);
        } else {
            restartAt_ = ended_ ? 0 : stoppedAt_;
            restart_ = true;
            ++restartRequest_;
            ended_ = false;
            tailQueued_ = false; // played again, the title starts over: its end is flushed
            mode_ = Mode::Playing;
        }
    }
    changed_.notify_all();
}

void Player::pause() {
    std::lock_guard lock(mutex_);
    if (mode_ != Mode::Playing)
        return;
    mode_ = Mode::Paused;
    if (!restart_)
        sink_->setPaused(true);
}

void Player::stop() {
    std::shared_ptr<AudioSink> sink;
    KeptOutput previous;
    {
        std::lock_guard lock(mutex_);
        if (mode_ == Mode::Stopped)
            return;
        stoppedAt_ = positionLocked();
        mode_ = Mode::Stopped;
        restart_ = false;
        keepQueued_ = false;
        std::swap(previous, previous_);
        sink = sink_;
        for (const auto& s : {sink, previous.sink})
            if (s)
                s->setPaused(true);
    }
    for (const auto& s : {sink, previous.sink})
        if (s)
            s->wake();
}

Player::Mode Player::mode() {
    std::lock_guard lock(mutex_);
    return mode_;
}

qint64 Player::positionLocked() {
    if (mode_ == Mode::Stopped)
        return stoppedAt_;
    if (restart_)
        return restartAt_;
    return segmentStart_ + std::max<qint64>(0, sink_->heardFrames() - base_);
}

qint64 Player::positionFrames() {
    std::lock_guard lock(mutex_);
    return positionLocked();
}

qint64 Player::lengthFrames(int maxWaitMs) {
    std::unique_lock lock(mutex_);
    if (!scanDone_ && maxWaitMs > 0)
        changed_.wait_for(lock, std::chrono::milliseconds(maxWaitMs), [this] { return scanDone_; });
    return exactLength_ >= 0 ? exactLength_ : estimatedLength_;
}

bool Player::lengthIsExact() {
    std::lock_guard lock(mutex_);
    return exactLength_ >= 0;
}

qint64 Player::toMs(qint64 frames) const {
    return (frames * 1000 + format_.rate / 2) / format_.rate;
}

QString Player::sinkName() {
    std::lock_guard lock(mutex_);
    return sink_ ? sink_->name() : QString();
}

// Called with mutex_ held: the title is over, early or at its end.
void Player::finish(qint64 endFrame) {
    ended_ = true;
    mode_ = Mode::Stopped;
    stoppedAt_ = endFrame;
    // The scan could not tell the length (the file went away, say): what was played is the length.
    if (scanDone_ && exactLength_ < 0)
        exactLength_ = endFrame;
    notifyTitleEnded();
}

bool Player::openSink(quint64 ticket) {
    std::shared_ptr<AudioSink> sink;
    {
        std::lock_guard lock(mutex_);
        sink = sink_;
    }
    QString error;
    if (sink->open(format_, ticket, &error))
        return true;
    if (sink->wakeTicket() != ticket)
        return false; // interrupted: try again when asked to play again
    if (fallbackToNull_) {
        static std::once_flag once;
        std::call_once(once, [&] { warn(error + QStringLiteral(" - playing without sound (null output)")); });
        auto null = std::make_shared<NullSink>();
        null->open(format_, ticket, &error);
        std::lock_guard lock(mutex_);
        null->setPaused(mode_ == Mode::Paused);
        sink_ = null;
        return true;
    }
    warn(QStringLiteral("Cannot play: ") + error);
    std::lock_guard lock(mutex_);
    if (mode_ != Mode::Stopped)
        finish(positionLocked());
    return false;
}

// Called with mutex_ held. Paused, the decoder fills the output, but it neither takes over nor
// waits for the end of the title before (which plays on) and does not report the title's end.
bool Player::runnable(bool atEnd) const {
    if (quit_ || mode_ == Mode::Playing)
        return true;
    return mode_ == Mode::Paused && !previous_.sink && (restart_ || !atEnd);
}

void Player::decodeLoop(std::unique_ptr<Mp3Decoder> decoder) {
    const int channels = format_.channels;
    std::vector<qint16> buffer(size_t(kChunkFrames * channels));
    qint64 pendingOffset = 0, pendingFrames = 0;
    qint64 delivered = 0; // frames handed to the sink since the last restart
    bool decodedAll = false, sinkOpen = false;
    int emptyReads = 0;
    for (;;) {
        std::shared_ptr<AudioSink> sink, previous;
        quint64 ticket = 0, request = 0;
        bool restart = false, keepQueued = false;
        qint64 restartAt = 0;
        {
            std::unique_lock lock(mutex_);
            const bool atEnd = decodedAll && pendingFrames == 0;
            changed_.wait(lock, [&] { return runnable(atEnd); });
            if (quit_)
                return;
            if (previous_.sink && previous_.format == format_) {
                // Plays on in the output of the title before, queued behind its end.
                sink_ = std::move(previous_.sink);
                previous_ = {};
                keepQueued_ = true;
                sinkOpen = true;
            }
            if (!previous_.sink && !sink_) { // a stop dropped the output to take over
                SinkChoice choice = createSink();
                sink_ = std::move(choice.sink);
                fallbackToNull_ = choice.fallbackToNull;
            }
            previous = previous_.sink;
            sink = sink_;
            // Taken with the state: a stop or close after this point wakes any wait below.
            ticket = (previous ? previous : sink)->wakeTicket();
            restart = restart_;
            restartAt = restartAt_;
            request = restartRequest_;
            keepQueued = keepQueued_;
        }
        if (previous) {
            // In another format: the end of the title before is heard before this title's output opens.
            if (previous->drain(ticket)) {
                std::lock_guard lock(mutex_);
                if (previous_.sink == previous)
                    previous_ = {};
            }
            continue;
        }
        if (!sinkOpen) {
            sinkOpen = openSink(ticket);
            continue;
        }
        if (restart) {
            // Taken over, the output goes on with the end of the title before: the title's own audio
            // is queued behind it, and its position counts from there.
            if (!keepQueued)
                sink->flush();
            const qint64 base = keepQueued ? sink->segmentFrames() : 0;
            pendingFrames = 0;
            delivered = 0;
            decodedAll = !decoder->seek(restartAt);
            std::lock_guard lock(mutex_);
            if (restartRequest_ == request) {
                restart_ = false;
                keepQueued_ = false;
                segmentStart_ = restartAt;
                base_ = base;
                sink->setPaused(mode_ != Mode::Playing);
            }
            continue;
        }
        if (pendingFrames == 0 && !decodedAll) {
            const auto status = decoder->read(buffer.data(), kChunkFrames, &pendingFrames);
            pendingOffset = 0;
            emptyReads = pendingFrames ? 0 : emptyReads + 1;
            if (status != Mp3Decoder::Status::Ok || emptyReads > 1000)
                decodedAll = true;
        }
        if (pendingFrames > 0) {
            const qint64 n = sink->write(buffer.data() + pendingOffset * channels, pendingFrames, ticket);
            if (n < 0) {
                warn(QStringLiteral("Playback stopped: the sound output failed"));
                std::lock_guard lock(mutex_);
                if (!restart_ && mode_ != Mode::Stopped)
                    finish(positionLocked());
                // Playing again starts over with a new output.
                sink_ = createSink().sink;
                pendingFrames = 0;
                sinkOpen = false;
                continue;
            }
            pendingOffset += n;
            pendingFrames -= n;
            delivered += n;
            continue;
        }
        // The title ends once what is left of it fits in the output's latency, while it plays: the
        // next title, opened at once, is queued behind it.
        if (decodedAll && sink->drainToLatency(ticket)) {
            std::lock_guard lock(mutex_);
            if (!restart_ && mode_ == Mode::Playing) {
                finish(segmentStart_ + delivered);
                tailQueued_ = true;
            }
        }
    }
}

} // namespace playback
