#pragma once
// The four ways of putting MP3 files into the playlist: the file box's selected file, all its
// files, a typed path, and files dropped on the playlist box. New entries always go to the end;
// each command is one step of the history.

#include <QString>

class DocumentCommands;
class FileListBox;
class FolderListBox;
class ListDisplay;
class PlaylistBox;
class PlaylistHistory;
class QMimeData;
struct ProgramState;

class AddCommands {
public:
    // The entries go to the end of the list; documents checks them against the disk after a typed
    // path; folderBox and fileBox are the file browser's.
    AddCommands(ProgramState& state, const PlaylistBox& list, ListDisplay& display, PlaylistHistory& history,
                DocumentCommands& documents, const FolderListBox& folderBox, FileListBox& fileBox)
        : state_(state), list_(list), display_(display), history_(history), documents_(documents),
          folderBox_(folderBox), fileBox_(fileBox) {}

    // The full path of a file listed in the file box: the folder box's folder with its first
    // character upper-cased, a backslash unless it already ends in one, and the name.
    QString BrowserFilePath(const QString& fileName) const;

    // Adds the file box's selected file; the box's selection then moves on to the next file.
    void cmdAdd_Click();
    // Adds every file of the file box in its order; the box then selects its first file.
    void cmdAdd2_Click();
    // Adds the path typed into an input box, then checks every entry against the disk.
    void cmdManuell_Click();
    // Adds dropped files: a file list (text/uri-list, also when plain text comes with it) is
    // taken file by file, anything else offering text as a file name in the browser's folder.
    void lstListe_OLEDragDrop(const QMimeData& data);

private:
    // AddEntry, reporting a name the playlist's code page cannot hold.
    void add(const QString& path);
    // Rebuilds the display: the selection stays while playing, else row selectIndex is selected.
    void refreshAfterAdd(qsizetype selectIndex);
    void addDroppedFiles(const QMimeData& data);
    ProgramState& state_;
    const PlaylistBox& list_;
    ListDisplay& display_;
    PlaylistHistory& history_;
    DocumentCommands& documents_;
    const FolderListBox& folderBox_;
    FileListBox& fileBox_;
};
