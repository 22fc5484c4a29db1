#pragma once
// An MP3 file decoded by libmpg123 to interleaved signed 16-bit samples at the file's own rate
// and channel count, gapless (encoder delay and padding removed when the file says them).

#include "playback/audiosink.h"

#include <QString>
#include <atomic>
#include <memory>

struct mpg123_handle_struct;

namespace playback {

class Mp3Decoder {
public:
    ~Mp3Decoder();
    Mp3Decoder(const Mp3Decoder&) = delete;
    Mp3Decoder& operator=(const Mp3Decoder&) = delete;

    // Opens the file and reads up to its first MPEG audio frame. Null, with a reason in *error,
    // when the file cannot be read or holds no MPEG audio. cancel (optional) makes reads fail.
    static std::unique_ptr<Mp3Decoder> open(const QString& hostPath, QString* error,
                                            const std::atomic<bool>* cancel = nullptr);

    AudioFormat format() const { return format_; }
    // Length in frames as the headers tell it: exact with a Xing/LAME header, otherwise estimated
    // from the file size and the first frame; -1 when unknown.
    qint64 headerLength();
    // Reads every frame header of the file (not the audio) and returns the exact length in
    // frames, -1 when that fails.
    qint64 scanLength();

    enum class Status { Ok, End, Error };
    // Decodes at most maxFrames frames into out; *frames tells how many. End at the end of the
    // file; Error when the data cannot be decoded any further or the format changes.
    Status read(qint16* out, qint64 maxFrames, qint64* frames);
    bool seek(qint64 frame);


private:
    Mp3Decoder() = default;
    struct Reader;
    mpg123_handle_struct* handle_ = nullptr;
    std::unique_ptr<Reader> reader_;
    AudioFormat format_;
};

} // namespace playback
