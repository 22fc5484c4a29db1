#pragma once
// The four ways of putting MP3 files into the playlist: the file box's selected file, all its
// files, a typed path, and files dropped on the playlist box. New entries always go to the end.

#include <QString>

class frmVeriVuzeDadeve;
class QMimeData;

class AddCommands {
public:
    explicit AddCommands(frmVeriVuzeDadeve& main) : main_(main) {}

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
    frmVeriVuzeDadeve& main_;
};
