#include "platform/textfile.h"

#include "platform/codepage.h"

#include <QFile>
#include <QSaveFile>
#include <cstring>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace textfile {
namespace {
constexpr qint64 kChunk = 64 * 1024;

// Copies a line into the caller's array, reusing its storage when it is its own.
void setLine(QByteArray& line, const char* data, qsizetype size) {
    line.resize(size);
    if (size > 0)
        std::memcpy(line.data(), data, size_t(size));
}
} // namespace

LineReader::LineReader(QIODevice& device) : device_(device) {}

bool LineReader::fill() {
    if (eof_ || failed_)
        return false;
    if (pos_ > 0) {
        buffer_.remove(0, pos_);
        pos_ = 0;
    }
    const qsizetype old = buffer_.size();
    buffer_.resize(old + kChunk);
    const qint64 got = device_.read(buffer_.data() + old, kChunk);
    if (got < 0) {
        failed_ = true;
        buffer_.resize(old);
        return false;
    }
    buffer_.resize(old + got);
    if (got == 0)
        eof_ = true;
    return got > 0;
}

bool LineReader::atEnd() {
    while (pos_ >= buffer_.size())
        if (!fill())
            return true;
    return false;
}

bool LineReader::next(QString& line) {
    QByteArray bytes;
    if (!nextBytes(bytes))
        return false;
    line = codepage::toUnicode(bytes);
    return true;
}

bool LineReader::nextBytes(QByteArray& line) {
    if (atEnd())
        return false;
    qsizetype scanFrom = pos_;
    for (;;) {
        const char* data = buffer_.constData();
        const qsizetype size = buffer_.size();
        qsizetype end = scanFrom;
        while (end < size && data[end] != '\r' && data[end] != '\n')
            ++end;
        if (end < size) {
            // A CR at the end of the buffer may be the first half of CR LF.
            if (data[end] == '\r' && end + 1 >= buffer_.size() && !eof_ && !failed_) {
                const qsizetype offset = end - pos_;
                fill();
                scanFrom = pos_ + offset;
                continue;
            }
            setLine(line, buffer_.constData() + pos_, end - pos_);
            pos_ = end + 1;
            if (data[end] == '\r' && pos_ < size && data[pos_] == '\n')
                ++pos_;
            return true;
        }
        const qsizetype searched = buffer_.size() - pos_;
        if (!fill()) {
            if (failed_)
                return false;
            setLine(line, buffer_.constData() + pos_, buffer_.size() - pos_);
            pos_ = buffer_.size();
            return true;
        }
        scanFrom = pos_ + searched;
    }
}

std::optional<QByteArray> encodeLines(const QStringList& lines) {
    qsizetype size = 0;
    for (const QString& l : lines)
        size += l.size() + 2;
    QByteArray out(size, Qt::Uninitialized);
    char* dst = out.data();
    for (const QString& l : lines) {
        for (QChar c : l) {
            const char b = codepage::toByte(c);
            if (b == '?' && c != u'?')
                return std::nullopt;
            *dst++ = b;
        }
        *dst++ = '\r';
        *dst++ = '\n';
    }
    return out;
}

namespace {

// Copies the extended attributes of the file at from (Wine's user.DOSATTRIB among them) to the
// open file fd; those the file system refuses are left out.
void copyAttributes(const char* from, int fd) {
    const ssize_t size = ::listxattr(from, nullptr, 0);
    if (size <= 0)
        return;
    QByteArray names(size, '\0');
    const ssize_t got = ::listxattr(from, names.data(), size_t(names.size()));
    for (qsizetype at = 0; got > 0 && at < got;) {
        const char* name = names.constData() + at;
        const ssize_t length = ::getxattr(from, name, nullptr, 0);
        QByteArray value(length > 0 ? length : 0, '\0');
        if (length >= 0 && ::getxattr(from, name, value.data(), size_t(value.size())) == length)
            ::fsetxattr(fd, name, value.constData(), size_t(value.size()), 0);
        at += qsizetype(std::strlen(name)) + 1;
    }
}

} // namespace

bool replaceFile(const QString& hostPath, const QByteArray& data, QString* error) {
    struct stat st {};
    const QByteArray native = QFile::encodeName(hostPath);
    const bool exists = ::stat(native.constData(), &st) == 0; // through a link, the file it names
    if (exists && (!S_ISREG(st.st_mode) || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)) {
        if (error)
            *error = QStringLiteral("read-only or not a file");
        return false;
    }
    // QSaveFile replaces the file a link names (the link stays) and gives the new file the old
    // one's permission bits; in a folder where no file can be made it writes the file in place.
    QSaveFile file(hostPath);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (exists)
        copyAttributes(native.constData(), file.handle());
    if (file.write(data) != data.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace textfile
