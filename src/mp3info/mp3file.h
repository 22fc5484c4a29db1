#pragma once
// An MP3 file opened for reading by its DOS path and read at given offsets, for the header
// analysis and the tag reader. Closed when it goes.

#include <QString>

class Mp3File {
public:
    // Opens dosPath: the path as written first (one system call in the common case), else through
    // the case-insensitive lookup of dosfs. A path with wildcards opens nothing.
    explicit Mp3File(QStringView dosPath);
    ~Mp3File();
    Mp3File(const Mp3File&) = delete;
    Mp3File& operator=(const Mp3File&) = delete;

    // True when a file or folder is there, that is when its attributes can be read.
    bool exists() const { return exists_; }
    // True when it is an ordinary file, open for reading.
    bool isOpen() const { return fd_ >= 0; }
    qint64 size() const { return size_; }
    // Reads up to count bytes at offset; returns how many were read (fewer at the end of the file,
    // 0 when nothing could be read).
    qsizetype readAt(qint64 offset, char* buffer, qsizetype count) const;

private:
    bool openNative(const char* nativePath);
    int fd_ = -1;
    bool exists_ = false;
    qint64 size_ = 0;
};
