#pragma once
// The fuzz input as an MP3 file on a temporary drive, so that targets read it through its DOS path
// as the program does.

#include "platform/dosfs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>

inline QString fuzzInputFile(const uint8_t* data, size_t size) {
    // In memory where the system offers it: rewriting a file on disk on every run is slow.
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/vorlak-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/vorlak-fuzz-XXXXXX"));
    static const bool mapped = [] {
        qputenv("VORLAK_DRIVES", ("F:=" + dir.path()).toUtf8());
        dosfs::reloadDrives();
        return true;
    }();
    QFile file(dir.path() + QStringLiteral("/input.mp3"));
    if (!mapped || !file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        std::abort();
    return QStringLiteral("F:\\input.mp3");
}
