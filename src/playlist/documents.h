#pragma once
// Playlist documents on disk: M3U reading, the check of the entries against the disk, saving,
// the default playlist beside the working file, and the comparison of the list with the file.

#include "playlist/playlistmodel.h"

#include <QList>

// Appends the entries an M3U playlist names: lines with "#" and empty lines are skipped; host
// paths ("/home/me/a.mp3") and file URLs go through the drive table; lines with ":\" are
// absolute, other lines are relative to the playlist's folder, and a line starting with "\" is
// looked for in the folder's ancestors, nearest first. Lines are UTF-8 when valid UTF-8, else
// code-page text; a ".m3u8" file is UTF-8 throughout. Each name the code page cannot hold is
// reported once. False when the file could not be read (the entries read so far stay).
bool ReadM3uPlaylist(PlaylistModel& model, const QString& file);

// "File: " & path & " became deleted", CR LF, "from playlist, because it's not valid (anymore)":
// an entry whose file has gone, taken out of the list or not played.
void ReportBecameDeleted(const QString& path);

// Removes every entry whose file is gone or whose name does not end in ".MP3", with one message
// each. Returns the indices the removed entries had before the check.
QList<qsizetype> ValidateEntries(PlaylistModel& model);

// Writes the entries to path, one per line ended by CR LF, and reports the outcome. The file is
// replaced whole or not at all.
bool SavePlaylist(const PlaylistModel& model, const QString& path);

// The default playlist: the working file with "def" in place of its last three characters; ""
// when the working file's path is too short to have one.
QString DefaultPlaylistPath(const QString& playlistPath);

// Replaces the entries by those of the default playlist (lines of missing or non-MP3 files are
// dropped). False when it could not be read to its end.
bool ReadDefaultPlaylist(PlaylistModel& model, const QString& defaultPath);

enum class FileComparison { Equal, Differs, Unreadable };
// Whether the entries equal the lines of the working file, character for character (an extra
// line at the end differs). Equal when there is no working file.
FileComparison ListEqualsFile(const PlaylistModel& model, const QString& playlistPath);
