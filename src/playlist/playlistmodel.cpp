#include "playlist/playlistmodel.h"

#include "platform/codepage.h"
#include "platform/dosfs.h"
#include "platform/failure.h"
#include "platform/messages.h"
#include "platform/parallel.h"
#include "platform/textfile.h"

#include <QFile>
#include <QStringDecoder>
#include <vector>

bool HasMp3Extension(QStringView path) {
    return path.size() >= 4 && path.right(4).compare(u".MP3", Qt::CaseInsensitive) == 0;
}

namespace {

// HasMp3Extension for code-page bytes: no byte of the code page folds to a letter of ".MP3" but
// the letter itself.
bool hasMp3Extension(QByteArrayView path) {
    const qsizetype n = path.size();
    return n >= 4 && path[n - 4] == '.' && (path[n - 3] | 0x20) == 'm' && (path[n - 2] | 0x20) == 'p' &&
           path[n - 1] == '3';
}

// Appends the code-page bytes of an existing file's path with the first character upper-cased;
// refused when that character has no byte in the code page.
PlaylistModel::AddOutcome appendExisting(EntryList& entries, QByteArrayView path) {
    const char first = path.front();
    const QChar upper = QChar(codepage::unitOf(uchar(first))).toUpper();
    const char upperByte = codepage::toByte(upper);
    if (upperByte == '?' && upper != u'?')
        return PlaylistModel::AddOutcome::NameOutsideCodePage;
    if (upperByte == first) {
        entries.appendBytes(path);
    } else {
        QByteArray copy = path.toByteArray();
        copy[0] = upperByte;
        entries.appendBytes(copy);
    }
    return PlaylistModel::AddOutcome::Added;
}

// What AddEntry asks of a path before it takes it: an existing file with the MP3 extension.
bool isCandidate(const QString& path) {
    return HasMp3Extension(path) && dosfs::FileExists(path);
}
bool isCandidate(QByteArrayView path) {
    return hasMp3Extension(path) && dosfs::FileExists(path);
}

PlaylistModel::AddOutcome appendCandidate(EntryList& entries, const QString& path) {
    const auto bytes = codepage::encode(path);
    return bytes ? appendExisting(entries, *bytes) : PlaylistModel::AddOutcome::NameOutsideCodePage;
}
PlaylistModel::AddOutcome appendCandidate(EntryList& entries, QByteArrayView path) {
    return appendExisting(entries, path);
}

// AddEntry for paths 0 to n - 1 (path(i)) in turn: the files are looked up on every core first,
// then the entries go in in order; outcome hears each path's outcome.
template <typename Path, typename Outcome>
void addInOrder(EntryList& entries, qsizetype n, Path path, Outcome outcome) {
    std::vector<char> candidate(std::size_t(n), 0);
    ForEachSlice(n, [&](qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i)
            candidate[std::size_t(i)] = isCandidate(path(i));
    });
    for (qsizetype i = 0; i < n; ++i)
        outcome(i, candidate[std::size_t(i)] ? appendCandidate(entries, path(i)) : PlaylistModel::AddOutcome::Skipped);
}

} // namespace

PlaylistModel::AddOutcome PlaylistModel::AddEntry(const QString& path) {
    return isCandidate(path) ? appendCandidate(Entries, path) : AddOutcome::Skipped;
}

PlaylistModel::AddOutcome PlaylistModel::AddEntry(QByteArrayView path) {
    return isCandidate(path) ? appendCandidate(Entries, path) : AddOutcome::Skipped;
}

void PlaylistModel::AddEntries(const QStringList& paths, const std::function<void(qsizetype, AddOutcome)>& outcome) {
    addInOrder(Entries, paths.size(), [&paths](qsizetype i) -> const QString& { return paths[i]; },
               [&outcome](qsizetype i, AddOutcome o) {
                   if (outcome)
                       outcome(i, o);
               });
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

namespace {

// Opens a text file by its DOS path and hands the bytes of each line to take; false when it could
// not be opened or read to its end.
template <typename Take> bool forEachLineBytes(const QString& dosPath, Take take) {
    const auto host = dosfs::resolve(dosPath);
    if (!host)
        return false;
    QFile file(*host);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    textfile::LineReader reader(file);
    QByteArray line;
    while (reader.nextBytes(line))
        take(line);
    return !reader.failed();
}

} // namespace

bool ForEachPlaylistLine(const QString& dosPath, const std::function<void(const QString&)>& take,
                         LineEncoding encoding) {
    return forEachLineBytes(dosPath, [&](const QByteArray& line) { take(decodeLine(line, encoding)); });
}

void LoadTextPlaylist(PlaylistModel& model, const QString& path) {
    if (!path.right(5).contains(u".txt") || !dosfs::FileExists(path)) {
        MsgBox(QStringLiteral("No Valid File selected"), vbOKOnly, QStringLiteral("Error"));
        return;
    }
    // The lines are code-page text, as entries are: they go in as the bytes they are, a batch at a
    // time so that their files are looked up side by side.
    constexpr qsizetype kBatch = 8192;
    QByteArray lines;
    std::vector<qsizetype> ends;
    auto line = [&](qsizetype i) {
        const qsizetype begin = i == 0 ? 0 : ends[std::size_t(i - 1)];
        return QByteArrayView(lines.constData() + begin, ends[std::size_t(i)] - begin);
    };
    QSet<QByteArray> reported;
    auto addBatch = [&] {
        addInOrder(model.Entries, qsizetype(ends.size()), line, [&](qsizetype i, PlaylistModel::AddOutcome o) {
            if (o != PlaylistModel::AddOutcome::NameOutsideCodePage)
                return;
            const QByteArray refused = line(i).toByteArray();
            if (!reported.contains(refused)) {
                reported.insert(refused);
                ReportNameOutsideCodePage(codepage::toUnicode(refused));
            }
        });
        lines.truncate(0); // keeps its storage for the next batch
        ends.clear();
    };
    const bool read = forEachLineBytes(path, [&](const QByteArray& l) {
        lines.append(l);
        ends.push_back(lines.size());
        if (qsizetype(ends.size()) == kBatch)
            addBatch();
    });
    addBatch();
    if (!read)
        ReportCouldNotOpen(path);
}
