// The text and M3U playlist readers on arbitrary file contents, on a drive with a few files for
// the lines to find. Every entry read must name an existing MP3 file.
#include "platform/dosfs.h"
#include "platform/messages.h"
#include "playlist/documents.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

QTemporaryDir* drive;
SilentMessages silent;

void touch(const QString& relative) {
    const QString path = drive->path() + u'/' + relative;
    QDir().mkpath(QFileInfo(path).path());
    QFile(path).open(QIODevice::WriteOnly);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    drive = new QTemporaryDir;
    qputenv("VORLAK_DRIVES", ("C:=" + drive->path()).toUtf8());
    dosfs::reloadDrives();
    setMessages(&silent);
    for (const char* f : {"a.mp3", "x/b.mp3", "x/y/c.MP3", "x/y/notes.txt"})
        touch(QString::fromLatin1(f));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (const char* name : {"x/y/list.txt", "x/y/list.m3u"}) {
        QFile f(drive->path() + u'/' + QLatin1String(name));
        f.open(QIODevice::WriteOnly);
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    PlaylistModel model;
    LoadTextPlaylist(model, QStringLiteral("C:\\x\\y\\list.txt"));
    ReadM3uPlaylist(model, QStringLiteral("C:\\x\\y\\list.m3u"));
    for (const QString& e : model.Entries)
        if (!HasMp3Extension(e) || !dosfs::FileExists(e))
            std::abort();
    return 0;
}
