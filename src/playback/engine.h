#pragma once
// One open title: a decoder thread feeding an output sink, and a scan thread that finds the
// exact length. Every call returns within a few milliseconds, whatever the file's length; the
// length may wait for the scan up to the time given.

#include "playback/audiosink.h"

#include <QString>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace playback {

class Mp3Decoder;

class Player {
public:
    enum class Mode { Stopped, Playing, Paused };

    // Opens the file at hostPath; null with a reason in *error when it holds no MPEG audio.
    static std::unique_ptr<Player> open(const QString& hostPath, QString* error);
    ~Player(); // stops playback and both threads
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Plays on from the current position, or from the start after the title ended.
    void play();
    void pause();
    // Stops; the position stays where the sound stopped.
    void stop();

    Mode mode();
    AudioFormat format() const { return format_; }
    // Position of the sound heard, in frames: what the sink has been given minus what it still
    // holds.
    qint64 positionFrames();
    // Length in frames: the scan's exact figure, waiting for it up to maxWaitMs; the headers'
    // figure while the scan still runs.
    qint64 lengthFrames(int maxWaitMs);
    bool lengthIsExact();
    qint64 toMs(qint64 frames) const;
    // Name of the sink in use ("pulse", "null", "test"), once playback has started.
    QString sinkName();

private:
    Player() = default;
    void decodeLoop(std::unique_ptr<Mp3Decoder> decoder);
    void scanLoop(QString hostPath);
    bool openSink(quint64 ticket);
    void finish(qint64 endFrame);
    qint64 positionLocked();

    AudioFormat format_;
    bool fallbackToNull_ = false;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::shared_ptr<AudioSink> sink_;
    Mode mode_ = Mode::Stopped;
    bool quit_ = false;
    bool restart_ = false;       // the decoder must flush the sink and seek to restartAt_ first
    quint64 restartRequest_ = 0; // counts requests, so that the decoder completes only the latest
    qint64 restartAt_ = 0;
    qint64 segmentStart_ = 0; // file position of the sink's first frame since its last flush
    qint64 stoppedAt_ = 0;    // position while stopped
    bool ended_ = false;      // stopped because the title played to its end
    qint64 estimatedLength_ = 0;
    qint64 exactLength_ = -1;
    bool scanDone_ = false;

    std::atomic<bool> cancelScan_{false};
    std::thread decoderThread_;
    std::thread scanThread_;
};

} // namespace playback
