#include "playlist/documents.h"

#include "platform/dosfs.h"
#include "platform/messages.h"
#include "platform/textfile.h"

#include <QFile>

namespace {

// The parent folder of t without its trailing backslash ("C:\a\b\" -> "C:\a", "C:\a" -> "C:"),
// or nothing when t is a drive or a root.
std::optional<QString> parentFolder(QString t) {
    const qsizetype first = t.indexOf(u'\\');
    if ((first >= 0 && first == t.size() - 1) || t.size() <= 2)
        return std::nullopt;
    t.chop(1);
    const qsizetype last = t.lastIndexOf(u'\\');
    if (last < 0)
        return std::nullopt;
    return t.left(last);
}

void addM3uLine(PlaylistModel& model, const QString& folder, const QString& line) {
    if (line.isEmpty() || line.contains(u'#'))
        return;
    if (line.contains(QStringLiteral(":\\"))) {
        model.AddEntry(line);
    } else if (!line.startsWith(u'\\')) {
        model.AddEntry(folder + line);
    } else {
        for (auto t = parentFolder(folder); t; t = parentFolder(*t)) {
            if (dosfs::FileExists(*t + line)) {
                model.AddEntry(*t + line);
                return;
            }
        }
    }
}

} // namespace

bool ReadM3uPlaylist(PlaylistModel& model, const QString& file) {
    const QString folder = file.left(file.lastIndexOf(u'\\') + 1);
    return ForEachPlaylistLine(file, [&](const QString& line) { addM3uLine(model, folder, line); });
}

QList<qsizetype> ValidateEntries(PlaylistModel& model) {
    QList<qsizetype> removed;
    qsizetype i = 0, original = 0;
    while (i < model.EntryCount()) {
        const QString p = model.Entries.at(i);
        if (p.isEmpty() || !HasMp3Extension(p) || !dosfs::FileExists(p)) {
            model.RemoveEntry(i);
            removed.append(original);
            MsgBox(QStringLiteral("File: ") + p + QStringLiteral(" became deleted") + vbCrLf +
                       QStringLiteral("from playlist, because it's not valid (anymore)"),
                   vbOKOnly, QStringLiteral("File not found"));
        } else {
            ++i;
        }
        ++original;
    }
    return removed;
}

bool SavePlaylist(const PlaylistModel& model, const QString& path) {
    const auto host = dosfs::hostPathForWrite(path);
    if (!host || !textfile::replaceFile(*host, textfile::encodeLines(model.Entries))) {
        MsgBox(QStringLiteral("Could not save as ") + path, vbOKOnly, QStringLiteral("Error"));
        return false;
    }
    MsgBox(QStringLiteral("New playlist successfully saved"), vbOKOnly, QStringLiteral("Saved"));
    return true;
}

QString DefaultPlaylistPath(const QString& playlistPath) {
    if (playlistPath.size() < 3)
        return {};
    return playlistPath.chopped(3) + QStringLiteral("def");
}

bool ReadDefaultPlaylist(PlaylistModel& model, const QString& defaultPath) {
    model.Entries.clear();
    return ForEachPlaylistLine(defaultPath, [&](const QString& line) { model.AddEntry(line); });
}

FileComparison ListEqualsFile(const PlaylistModel& model, const QString& playlistPath) {
    if (playlistPath.isEmpty() || !dosfs::FileExists(playlistPath))
        return FileComparison::Equal;
    const auto host = dosfs::resolve(playlistPath);
    QFile file(host.value_or(QString()));
    if (!host || !file.open(QIODevice::ReadOnly))
        return FileComparison::Unreadable;
    textfile::LineReader reader(file);
    QString line;
    for (const QString& entry : model.Entries) {
        if (!reader.next(line))
            return reader.failed() ? FileComparison::Unreadable : FileComparison::Differs;
        if (line != entry)
            return FileComparison::Differs;
    }
    if (!reader.atEnd())
        return FileComparison::Differs;
    return reader.failed() ? FileComparison::Unreadable : FileComparison::Equal;
}
