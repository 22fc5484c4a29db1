#pragma once
// Text files as the program writes and reads them: 8-bit code-page text, lines ended by CR LF.
// When reading, CR LF, a lone CR or a lone LF ends a line (files written on Linux end their lines
// with LF alone) and the last line may lack its end.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <optional>

namespace textfile {

class LineReader {
public:
    explicit LineReader(QIODevice& device);
    // The next line, or false at the end of the data or after a read error.
    bool next(QString& line);
    // The same, the line's bytes as they stand in the file.
    bool nextBytes(QByteArray& line);
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

// The lines of a text, each ended by CR LF, in the code page; nothing when a line holds a
// character the code page lacks (it would become "?", a wildcard to the game).
std::optional<QByteArray> encodeLines(const QStringList& lines);

// Replaces the file at hostPath with data: written to a temporary file beside it, flushed, then
// renamed over it, so that a failure or a crash leaves the old file whole. The new file keeps the
// old one's permission bits and extended attributes (Wine's DOS attributes); a symbolic link is
// followed to the file it names; in a folder that takes no new file, a writable file is written in
// place. An existing file whose mode has no write bit is refused, as Windows refuses a read-only
// file (also for root).
bool replaceFile(const QString& hostPath, const QByteArray& data, QString* error = nullptr);

} // namespace textfile
