#pragma once
// The game's message file titles.txt, which holds the modification's credits: finding it through
// the game's install locations, and reading it one line at a time while the credits scroll.

#include "platform/textfile.h"

#include <QFile>
#include <QString>
#include <optional>

namespace credits {

// The titles.txt to use, as a DOS path: the one below the Half-Life install location when it
// exists, else the one below the Counterstrike location, else "".
QString FindTitlesFile();

// An open titles.txt: Windows-1252 text whose lines end in CR LF, a lone CR or a lone LF; the
// last line may lack its end.
class TitlesFile {
public:
    // Opens the file at a DOS path; false when it cannot be opened.
    bool open(const QString& dosPath);
    void close() {
        reader_.reset();
        file_.close();
    }
    bool isOpen() const { return file_.isOpen(); }
    // True when no further line can be read (also when the file is not open).
    bool atEnd() const;
    // The next line; raises RuntimeError at the end of the file.
    QString readLine();

private:
    QFile file_;
    mutable std::optional<textfile::LineReader> reader_; // looking ahead for the end reads
};

} // namespace credits
