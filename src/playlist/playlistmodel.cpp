#include "playlist/playlistmodel.h"

#include "platform/codepage.h"
#include "platform/dosfs.h"
#include "platform/failure.h"
#include "platform/messages.h"
#include "platform/textfile.h"

#include <QFile>
#include <QStringDecoder>

bool HasMp3Extension(QStringView path) {
    return path.size() >= 4 && path.right(4).compare(u".MP3", Qt::CaseInsensitive) == 0;
}

PlaylistModel::AddOutcome PlaylistModel::AddEntry(const QString& path) {
    if (!HasMp3Extension(path) || !dosfs::FileExists(path))
        return AddOutcome::Skipped;
    QString upper = path;
    upper[0] = path.at(0).toUpper();
    if (!codepage::canEncode(path) || !Entries.append(upper))
        return AddOutcome::NameOutsideCodePage;
    return AddOutcome::Added;
}

void PlaylistModel::RemoveEntry(qsizetype index) {
    Entries.removeAt(index);
}

QString EntryAt(const PlaylistModel& model, qsizetype i) {
    if (i < 0 || i >= model.EntryCount())
        RaiseSubscriptOutOfRange();
    return model.Entries.at(i);
}

void ReportCouldNotOpen(const QString& path) {
    MsgBox(QStringLiteral("Could not open ") + path, vbOKOnly, QStringLiteral("Error"));
}

void ReportNameOutsideCodePage(const QString& path) {
    MsgBox(QStringLiteral("Cannot use this file name in a playlist: ") + path, vbOKOnly,
           QStringLiteral("Error"));
}

PlaylistModel::AddOutcome ReportingAdder::operator()(const QString& path) {
    const auto outcome = model_.AddEntry(path);
    if (outcome == PlaylistModel::AddOutcome::NameOutsideCodePage && !reported_.contains(path)) {
        reported_.insert(path);
        ReportNameOutsideCodePage(path);
    }
    return outcome;
}

namespace {

QString decodeLine(const QByteArray& bytes, LineEncoding encoding) {
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
    if (encoding == LineEncoding::CodePage || ascii)
        return codepage::toUnicode(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (encoding == LineEncoding::Utf8 || !utf8.hasError())
        return text;
    return codepage::toUnicode(bytes);
}

} // namespace

bool ForEachPlaylistLine(const QString& dosPath, const std::function<void(const QString&)>& take,
                         LineEncoding encoding) {
    const auto host = dosfs::resolve(dosPath);
    if (!host)
        return false;
    QFile file(*host);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    textfile::LineReader reader(file);
    QByteArray line;
    while (reader.nextBytes(line))
        take(decodeLine(line, encoding));
    return !reader.failed();
}

void LoadTextPlaylist(PlaylistModel& model, const QString& path) {
    if (!path.right(5).contains(u".txt") || !dosfs::FileExists(path)) {
        MsgBox(QStringLiteral("No Valid File selected"), vbOKOnly, QStringLiteral("Error"));
        return;
    }
    ReportingAdder add(model);
    if (!ForEachPlaylistLine(path, [&](const QString& line) { add(line); }))
        ReportCouldNotOpen(path);
}
