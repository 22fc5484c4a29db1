#pragma once
// Text files as the program writes and reads them: 8-bit code-page text, lines ended by CR LF.
// When reading, CR LF or a lone CR ends a line (a lone LF is part of the line) and the last line
// may lack its end.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

namespace textfile {

class LineReader {
public:
    explicit LineReader(QIODevice& device);
    // The next line, or false at the end of the data or after a read error.
    bool next(QString& line);
    // True when no further line follows (nothing but the end of the data is left).
    bool atEnd();
    bool failed() const { return failed_; }

private:
    bool fill();
    QIODevice& device_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    bool eof_ = false;
    bool failed_ = false;
};

// The lines of a text, each ended by CR LF, in the code page.
QByteArray encodeLines(const QStringList& lines);

// Replaces the file at hostPath with data: written to a temporary file beside it, flushed, then
// renamed over it, so that a failure or a crash leaves the old file whole. An existing file whose
// mode has no write bit is refused, as Windows refuses a read-only file (also for root).
bool replaceFile(const QString& hostPath, const QByteArray& data, QString* error = nullptr);

} // namespace textfile
