#include "playback/decoder.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mpg123.h>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace playback {

// Buffered reads for libmpg123: its own reader asks the system for single bytes while it looks for
// the first frame, which makes rejecting a large non-MP3 file slow.
struct Mp3Decoder::Reader {
    int fd = -1;
    const std::atomic<bool>* cancel = nullptr;
    std::vector<char> buffer = std::vector<char>(64 * 1024);
    size_t pos = 0, len = 0;
    off_t fileOffset = 0; // file offset of the end of the buffered bytes

    ~Reader() {
        if (fd >= 0)
            ::close(fd);
    }
    bool cancelled() const { return cancel && cancel->load(std::memory_order_relaxed); }

    static mpg123_ssize_t read(void* handle, void* out, size_t size) {
        auto* r = static_cast<Reader*>(handle);
        if (r->cancelled())
            return -1;
        size_t got = 0;
        char* dst = static_cast<char*>(out);
        while (got < size) {
            if (r->pos == r->len) {
                const ssize_t n = ::read(r->fd, r->buffer.data(), r->buffer.size());
                if (n < 0 && errno == EINTR)
                    continue;
                if (n < 0)
                    return got ? mpg123_ssize_t(got) : -1;
                if (n == 0)
                    break;
                r->pos = 0;
                r->len = size_t(n);
                r->fileOffset += n;
            }
            const size_t take = std::min(size - got, r->len - r->pos);
            std::memcpy(dst + got, r->buffer.data() + r->pos, take);
            r->pos += take;
            got += take;
        }
        return mpg123_ssize_t(got);
    }

    static off_t seek(void* handle, off_t offset, int whence) {
        auto* r = static_cast<Reader*>(handle);
        const off_t current = r->fileOffset - off_t(r->len - r->pos);
        off_t target;
        if (whence == SEEK_SET)
            target = offset;
        else if (whence == SEEK_CUR)
            target = current + offset;
        else
            target = -1;
        const off_t bufferStart = r->fileOffset - off_t(r->len);
        if (target >= bufferStart && target <= r->fileOffset) {
            r->pos = size_t(target - bufferStart);
            return target;
        }
        const off_t result = target >= 0 ? ::lseek(r->fd, target, SEEK_SET) : ::lseek(r->fd, offset, whence);
        r->pos = r->len = 0;
        if (result >= 0)
            r->fileOffset = result;
        return result;
    }
};

Mp3Decoder::~Mp3Decoder() {
    if (handle_)
        mpg123_delete(handle_);
}

std::unique_ptr<Mp3Decoder> Mp3Decoder::open(const QString& hostPath, QString* error,
                                             const std::atomic<bool>* cancel) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { mpg123_init(); });

    std::unique_ptr<Mp3Decoder> d(new Mp3Decoder);
    d->reader_ = std::make_unique<Reader>();
    d->reader_->cancel = cancel;
    d->reader_->fd = ::open(QFile::encodeName(hostPath).constData(), O_RDONLY | O_CLOEXEC);
    if (d->reader_->fd < 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return nullptr;
    }
    int rc = MPG123_OK;
    d->handle_ = mpg123_new(nullptr, &rc);
    if (!d->handle_) {
        *error = QString::fromUtf8(mpg123_plain_strerror(rc));
        return nullptr;
    }
    mpg123_handle* mh = d->handle_;
    // No "Frankenstein" streams: a header of another format inside the file is damage to skip,
    // not a change of format.
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET | MPG123_NO_FRANKENSTEIN, 0);
    // Skip a damaged stretch of up to this many bytes instead of ending there.
    mpg123_param(mh, MPG123_RESYNC_LIMIT, 256 * 1024, 0);
    // Always 16-bit samples at the file's own rate and channel count.
    mpg123_format_none(mh);
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i)
        mpg123_format(mh, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);

    long rate = 0;
    int channels = 0, encoding = 0;
    if (mpg123_replace_reader_handle(mh, Reader::read, Reader::seek, nullptr) != MPG123_OK ||
        mpg123_open_handle(mh, d->reader_.get()) != MPG123_OK ||
        mpg123_getformat(mh, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 || channels <= 0) {
        *error = QStringLiteral("no MPEG audio found");
        return nullptr;
    }
    d->format_ = {int(rate), channels};
    return d;
}

qint64 Mp3Decoder::headerLength() {
    const off_t n = mpg123_length(handle_);
    return n < 0 ? -1 : qint64(n);
}

qint64 Mp3Decoder::scanLength() {
    // The scan reads the whole file: the system fetches it all at once while the frames are
    // counted, instead of a block at a time as the reads ask.
    ::posix_fadvise(reader_->fd, 0, 0, POSIX_FADV_WILLNEED);
    if (mpg123_scan(handle_) != MPG123_OK || reader_->cancelled())
        return -1;
    return headerLength();
}

Mp3Decoder::Status Mp3Decoder::read(qint16* out, qint64 maxFrames, qint64* frames) {
    const size_t frameBytes = size_t(format_.channels) * sizeof(qint16);
    size_t done = 0;
    int rc =
        mpg123_read(handle_, reinterpret_cast<unsigned char*>(out), size_t(maxFrames) * frameBytes, &done);
    *frames = qint64(done / frameBytes);
    if (rc == MPG123_NEW_FORMAT) {
        long rate = 0;
        int channels = 0, encoding = 0;
        mpg123_getformat(handle_, &rate, &channels, &encoding);
        // The sink plays one format; a file that changes it midway ends there.
        rc = (AudioFormat{int(rate), channels} == format_) ? MPG123_OK : MPG123_ERR;
    }
    if (rc == MPG123_OK)
        return Status::Ok;
    return rc == MPG123_DONE ? Status::End : Status::Error;
}

bool Mp3Decoder::seek(qint64 frame) {
    // A seek restarts the decoder's state, which changes the first samples after it; the first
    // play from the start is exactly the plain decode.
    if (mpg123_tell(handle_) == off_t(frame))
        return true;
    return mpg123_seek(handle_, off_t(frame), SEEK_SET) >= 0;
}

} // namespace playback
