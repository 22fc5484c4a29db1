#pragma once
// MP3 files in a temporary folder mapped as drive C:, with their DOS and host paths, for the
// benchmarks that walk many files.

#include "platform/dosfs.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <random>
#include <sys/stat.h>
#include <vector>

namespace bench {

struct TempMusic {
    QTemporaryDir dir;
    QStringList dosPaths;
    std::vector<QByteArray> hostPaths;

    // With a collection of that many files (addCollection).
    explicit TempMusic(int collection = 0, bool shuffled = false) {
        map();
        addCollection(collection, shuffled);
    }
    // Maps drive C: to this folder (again, when another folder was mapped since).
    void map() const {
        qputenv("VORLAK_DRIVES", ("C:=" + dir.path()).toUtf8());
        dosfs::reloadDrives();
    }
    // Makes the file name in folder ("/" between its parts) below the drive's root.
    void add(const QString& folder, const QString& name, const QByteArray& content = {}) {
        QDir(dir.path()).mkpath(folder);
        const QString host = dir.path() + u'/' + folder + u'/' + name;
        QFile file(host);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            std::abort();
        hostPaths.push_back(QFile::encodeName(host));
        dosPaths.append(QStringLiteral("C:\\") + QString(folder).replace(u'/', u'\\') + u'\\' + name);
    }
    // count empty files of distinct names laid out as a music collection: twelve tracks to an
    // album, 25 albums to an artist ("Music/Artist 000/Album 0/01 Track 0.mp3"), added in a
    // shuffled order when asked.
    void addCollection(int count, bool shuffled = false) {
        std::vector<int> order(count);
        std::iota(order.begin(), order.end(), 0);
        if (shuffled)
            std::shuffle(order.begin(), order.end(), std::mt19937(5));
        for (int i : order)
            add(QStringLiteral("Music/Artist %1/Album %2").arg(i / 300, 3, 10, QLatin1Char('0')).arg(i / 12 % 25),
                QStringLiteral("%1 Track %2.mp3").arg(i % 12 + 1, 2, 10, QLatin1Char('0')).arg(i));
    }
    // A playlist file of count lines naming the files in turn, below the drive's root; its DOS path.
    QString writePlaylist(int count) const {
        QStringList lines;
        for (int i = 0; i < count; ++i)
            lines.append(dosPaths[i % dosPaths.size()]);
        if (!textfile::replaceFile(dir.path() + QStringLiteral("/playlist.txt"), *textfile::encodeLines(lines)))
            std::abort();
        return QStringLiteral("C:\\playlist.txt");
    }
    // How many of the files stat finds: the floor of every existence test.
    int statAll() const {
        int found = 0;
        struct stat st;
        for (const QByteArray& p : hostPaths)
            found += ::stat(p.constData(), &st) == 0;
        return found;
    }
};

} // namespace bench
