#pragma once
// Empty MP3 files in a temporary folder mapped as drive C:, with their DOS and host paths, for the
// benchmarks that walk many files.

#include "platform/dosfs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

namespace bench {

struct TempMusic {
    QTemporaryDir dir;
    QStringList dosPaths;
    std::vector<QByteArray> hostPaths;

    TempMusic() {
        qputenv("VORLAK_DRIVES", ("C:=" + dir.path()).toUtf8());
        dosfs::reloadDrives();
    }
    // Makes the empty file name in folder ("/" between its parts) below the drive's root.
    void add(const QString& folder, const QString& name) {
        QDir(dir.path()).mkpath(folder);
        const QString host = dir.path() + u'/' + folder + u'/' + name;
        QFile(host).open(QIODevice::WriteOnly);
        hostPaths.push_back(QFile::encodeName(host));
        dosPaths.append(QStringLiteral("C:\\") + QString(folder).replace(u'/', u'\\') + u'\\' + name);
    }
};

} // namespace bench
