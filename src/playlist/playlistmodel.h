#pragma once
// The playlist model: the full paths of the entries, in playlist order. The display is rebuilt
// from it; AddEntry, RemoveEntry and the readers never touch the display.

#include "playlist/entrylist.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

class PlaylistModel {
public:
    // Full paths; every entry named an existing file ending in ".MP3" (any case) when added.
    EntryList Entries;
    qsizetype EntryCount() const { return Entries.size(); }

    enum class AddOutcome { Added, Skipped, NameOutsideCodePage };
    // Appends path when a file exists there and its name ends in ".MP3" in any case, with the
    // first character upper-cased; otherwise does nothing and says nothing. A path the code page
    // cannot hold is refused (NameOutsideCodePage): the game could not read it; callers report it.
    AddOutcome AddEntry(const QString& path);
    // The same for a path held as code-page bytes, as a text playlist's line holds it.
    AddOutcome AddEntry(QByteArrayView path);
    // AddEntry for each path in turn, the files looked up side by side first; outcome, when given,
    // hears what became of each path, in order.
    void AddEntries(const QStringList& paths, const std::function<void(qsizetype, AddOutcome)>& outcome = {});
    // Removes the entry at a valid index; the following ones move up.
    void RemoveEntry(qsizetype index);
};

// Entry i of the model; raises "Subscript out of range" when there is none.
QString EntryAt(const PlaylistModel& model, qsizetype i);

// "Could not open " & path: a playlist file that could not be read.
void ReportCouldNotOpen(const QString& path);

// "Cannot use this file name in a playlist: " & path, for a name the code page cannot hold.
void ReportNameOutsideCodePage(const QString& path);

// AddEntry for the entries one command reads: each refused name is reported once.
class ReportingAdder {
public:
    explicit ReportingAdder(PlaylistModel& model) : model_(model) {}
    PlaylistModel::AddOutcome operator()(const QString& path);

private:
    PlaylistModel& model_;
    QSet<QString> reported_;
};

// True when the last four characters of path, upper-cased, are ".MP3".
bool HasMp3Extension(QStringView path);

// Appends the entries of a text playlist file. A path whose last five characters lack ".txt"
// (exact case), or a missing file, gives "No Valid File selected"; a read failure gives
// "Could not open " & path (entries read before it stay).
void LoadTextPlaylist(PlaylistModel& model, const QString& path);

// How the bytes of a line become text: the code page; UTF-8 when the line is valid UTF-8, else
// the code page; always UTF-8.
enum class LineEncoding { CodePage, Utf8WhenValid, Utf8 };

// Reads a text file line by line and hands each line to take. False when the file could not be
// opened or read to its end. For the playlist formats built on the text playlist's line rules.
bool ForEachPlaylistLine(const QString& dosPath, const std::function<void(const QString&)>& take,
                         LineEncoding encoding = LineEncoding::CodePage);
