#include "playlist/playlistmodel.h"

#include "platform/codepage.h"
#include "platform/dosfs.h"
#include "platform/messages.h"
#include "platform/textfile.h"

#include <QFile>

bool HasMp3Extension(QStringView path) {
    return path.size() >= 4 && path.right(4).compare(u".MP3", Qt::CaseInsensitive) == 0;
}

PlaylistModel::AddOutcome PlaylistModel::AddEntry(const QString& path) {
    if (!HasMp3Extension(path) || !dosfs::FileExists(path))
        return AddOutcome::Skipped;
    if (!codepage::canEncode(path))
        return AddOutcome::NameOutsideCodePage;
    const QChar first = path.at(0);
    if (first.toUpper() == first) {
        Entries.append(path);
    } else {
        QString upper = path;
        upper[0] = first.toUpper();
        Entries.append(upper);
    }
    return AddOutcome::Added;
}

void PlaylistModel::RemoveEntry(qsizetype index) {
    Entries.removeAt(index);
}

bool ForEachPlaylistLine(const QString& dosPath, const std::function<void(const QString&)>& take) {
    const auto host = dosfs::resolve(dosPath);
    if (!host)
        return false;
    QFile file(*host);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    textfile::LineReader reader(file);
    QString line;
    while (reader.next(line))
        take(line);
    return !reader.failed();
}

void LoadTextPlaylist(PlaylistModel& model, const QString& path) {
    if (!path.right(5).contains(u".txt") || !dosfs::FileExists(path)) {
        MsgBox(QStringLiteral("No Valid File selected"), vbOKOnly, QStringLiteral("Error"));
        return;
    }
    if (!ForEachPlaylistLine(path, [&](const QString& line) { model.AddEntry(line); }))
        MsgBox(QStringLiteral("Could not open ") + path, vbOKOnly, QStringLiteral("Error"));
}
