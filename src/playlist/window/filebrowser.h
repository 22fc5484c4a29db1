#pragma once
// The file browser panel of the main window: the drive box Drive1, the folder box Dir1 and the
// file box File1, linked so that choosing a drive moves the folder box and the file box follows
// the folder box.

#include <QString>
#include <functional>

class FileListBox;
class FolderListBox;
class QComboBox;

class FileBrowser {
public:
    // Lists the drives and shows the process's current folder (the first drive's root when no
    // drive holds it). showFileInfos opens the file information window for a DOS path.
    FileBrowser(QComboBox& Drive1, FolderListBox& Dir1, FileListBox& File1,
                std::function<void(const QString&)> showFileInfos);

    // Lists the drives and shows the current folder as the constructor does, again after the drive
    // table changed; the folders last current on the old drives are forgotten.
    void ShowDrives();

    // The drive box's value: the chosen drive as the box writes it, "c: [drive_c]".
    QString Drive() const;
    // A different drive was chosen: the folder box goes to that drive's current folder. When the
    // drive cannot be read its description is shown and the folder box keeps its folder.
    void Drive1_Change();
    // The folder box's folder changed: the file box lists it.
    void Dir1_Change();
    // Fileinfo: the file information window for the file box's selected file.
    void menInfoLeft_Click();

private:
    QComboBox& drives_;
    FolderListBox& folders_;
    FileListBox& files_;
    std::function<void(const QString&)> showFileInfos_;
};
