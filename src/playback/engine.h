#pragma once
// One open title: a decoder thread feeding an output sink, and a scan thread that finds the
// exact length. Every call returns within a few milliseconds, whatever the file's length; the
// length may wait for the scan up to the time given.
//
// A title ends (mode Stopped, position at its end) once its last samples are queued and no more
// than the output's latency is left to be heard. Destroyed then, it leaves its output to the
// keeper (outputkeeper.h) with that end still playing, and the next title opened takes it over: in
// the same format it queues its own audio behind that end (no drain, no new stream), in another it
// first waits for that end to be heard.

#include "playback/audiosink.h"
#include "playback/outputkeeper.h"

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

    // Opens the file at hostPath; null with a reason in *error when it holds no MPEG audio. Takes
    // the output kept from the title closed last, if any.
    static std::unique_ptr<Player> open(const QString& hostPath, QString* error);
    // Stops playback and both threads; the output goes to the keeper while it still holds the end
    // of a title, else it is closed at once.
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Plays on from the current position, or from the start after the title ended.
    void play();
    // Pauses the title's own sound; the end of the title before, which it has not begun to follow
    // yet, plays on.
    void pause();
    // Stops, silencing the output at once, the end of the title before included; the position
    // stays where the sound stopped. Harmless after the title ended.
    void stop();

    Mode mode();
    AudioFormat format() const { return format_; }
    // Position of the sound heard, in frames: what the sink has been given minus what it still
    // holds (0 while the end of the title before still plays); the end once the title ended.
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
    bool runnable(bool atEnd) const;

    AudioFormat format_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::shared_ptr<AudioSink> sink_; // null until made, when a kept output was to be taken over
    bool fallbackToNull_ = false;
    // A closed title's output still playing its end: taken over when it has this format, else
    // heard out before sink_ opens.
    KeptOutput previous_;
    bool keepQueued_ = false; // sink_ is previous_ taken over: the next restart must not flush it
    bool tailQueued_ = false; // sink_ ends with a title's end that no stop has cut
    qint64 base_ = 0;         // frames of sink_'s segment before the title's own (the end before)
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
