#include "platform/textfile.h"

#include "platform/codepage.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <sys/stat.h>

namespace textfile {
namespace {
constexpr qint64 kChunk = 64 * 1024;
}

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
    if (atEnd())
        return false;
    qsizetype scanFrom = pos_;
    for (;;) {
        const qsizetype cr = buffer_.indexOf('\r', scanFrom);
        if (cr >= 0) {
            // A CR at the end of the buffer may be the first half of CR LF.
            if (cr + 1 >= buffer_.size() && !eof_ && !failed_) {
                const qsizetype offset = cr - pos_;
                fill();
                scanFrom = pos_ + offset;
                continue;
            }
            line = codepage::toUnicode(QByteArrayView(buffer_).sliced(pos_, cr - pos_));
            pos_ = cr + 1;
            if (pos_ < buffer_.size() && buffer_[pos_] == '\n')
                ++pos_;
            return true;
        }
        const qsizetype searched = buffer_.size() - pos_;
        if (!fill()) {
            if (failed_)
                return false;
            line = codepage::toUnicode(QByteArrayView(buffer_).sliced(pos_));
            pos_ = buffer_.size();
            return true;
        }
        scanFrom = pos_ + searched;
    }
}

QByteArray encodeLines(const QStringList& lines) {
    qsizetype size = 0;
    for (const QString& l : lines)
        size += l.size() + 2;
    QByteArray out;
    out.reserve(size);
    for (const QString& l : lines) {
        out += codepage::fromUnicode(l);
        out += "\r\n";
    }
    return out;
}

bool replaceFile(const QString& hostPath, const QByteArray& data, QString* error) {
    struct stat st {};
    const QByteArray native = QFile::encodeName(hostPath);
    if (::stat(native.constData(), &st) == 0) {
        if (!S_ISREG(st.st_mode) || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            if (error)
                *error = QStringLiteral("read-only or not a file");
            return false;
        }
    }
    QSaveFile file(hostPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace textfile
