#include "playlist/documents.h"

#include "platform/dosfs.h"
#include "platform/messages.h"
#include "platform/textfile.h"

#include <QFile>
#include <QUrl>

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

// The DOS path of a line naming a host file ("/home/me/a.mp3" or "file:///home/me/a%20b.mp3"),
// "" when it names one outside every drive, nothing when the line is no host path.
std::optional<QString> hostLineAsDos(const QString& line) {
    QString host;
    if (line.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) {
        const QUrl url(line);
        if (!url.isLocalFile())
            return QString();
        host = url.toLocalFile();
    } else if (line.startsWith(u'/')) {
        host = line;
    } else {
        return std::nullopt;
    }
    return host.startsWith(QStringLiteral("//")) ? QString() : dosfs::toDos(host);
}

void addM3uLine(ReportingAdder& add, const QString& folder, const QString& line) {
    if (line.isEmpty() || line.contains(u'#'))
        return;
    if (const auto dos = hostLineAsDos(line)) {
        // A file outside every drive is dropped as a missing one is.
        if (!dos->isEmpty())
            add(*dos);
    } else if (line.contains(QStringLiteral(":\\"))) {
        add(line);
    } else if (!line.startsWith(u'\\')) {
        add(folder + line);
    } else {
        for (auto t = parentFolder(folder); t; t = parentFolder(*t)) {
            if (dosfs::FileExists(*t + line)) {
                add(*t + line);
                return;
            }
        }
    }
}

} // namespace

bool ReadM3uPlaylist(PlaylistModel& model, const QString& file) {
    const QString folder = file.left(file.lastIndexOf(u'\\') + 1);
    ReportingAdder add(model);
    const LineEncoding encoding = file.endsWith(QStringLiteral(".m3u8"), Qt::CaseInsensitive)
                                      ? LineEncoding::Utf8
                                      : LineEncoding::Utf8WhenValid;
    return ForEachPlaylistLine(
        file, [&](const QString& line) { addM3uLine(add, folder, line); }, encoding);
}

void ReportBecameDeleted(const QString& path) {
    MsgBox(QStringLiteral("File: ") + path + QStringLiteral(" became deleted") + vbCrLf +
               QStringLiteral("from playlist, because it's not valid (anymore)"),
           vbOKOnly, QStringLiteral("File not found"));
}

QList<qsizetype> ValidateEntries(PlaylistModel& model) {
    QList<qsizetype> removed;
    qsizetype i = 0, original = 0;
    while (i < model.EntryCount()) {
        const QString p = model.Entries.at(i);
        if (p.isEmpty() || !HasMp3Extension(p) || !dosfs::FileExists(p)) {
            model.RemoveEntry(i);
            removed.append(original);
            ReportBecameDeleted(p);
        } else {
            ++i;
        }
        ++original;
    }
    return removed;
}

bool SavePlaylist(const PlaylistModel& model, const QString& path) {
    const auto host = dosfs::hostPathForWrite(path);
    if (!host || !textfile::replaceFile(*host, model.Entries.toLines())) {
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
    ReportingAdder add(model);
    return ForEachPlaylistLine(defaultPath, [&](const QString& line) { add(line); });
}

FileComparison ListEqualsFile(const PlaylistModel& model, const QString& playlistPath) {
    if (playlistPath.isEmpty() || !dosfs::FileExists(playlistPath))
        return FileComparison::Equal;
    const auto host = dosfs::resolve(playlistPath);
    QFile file(host.value_or(QString()));
    if (!host || !file.open(QIODevice::ReadOnly))
        return FileComparison::Unreadable;
    // Entries are code-page text, as the file is: their bytes compare as their characters do.
    textfile::LineReader reader(file);
    QByteArray line;
    for (qsizetype i = 0; i < model.EntryCount(); ++i) {
        if (!reader.nextBytes(line))
            return reader.failed() ? FileComparison::Unreadable : FileComparison::Differs;
        if (line != model.Entries.bytesAt(i))
            return FileComparison::Differs;
    }
    if (!reader.atEnd())
        return FileComparison::Differs;
    return reader.failed() ? FileComparison::Unreadable : FileComparison::Equal;
}
