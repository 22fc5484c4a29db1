#pragma once
// The file browser panel of the main window: the drive box Drive1, the folder box Dir1 and the
// file box File1, linked so that choosing a drive moves the folder box and the file box follows
// the folder box; the file box's pop-up menu menFileBox and the add buttons.

#include <QString>

class frmVeriVuzeDadeve;
class FileListBox;
class FolderListBox;
class QAction;
class QComboBox;
class QMenu;
class QPushButton;
class QWidget;

class FileBrowser {
public:
    explicit FileBrowser(frmVeriVuzeDadeve& main) : main_(main) {}

    // Creates the boxes, the buttons and the pop-up menu on the client area, showing the
    // process's current folder (the first drive's root when no drive holds it).
    void build(QWidget* client);

    QComboBox* Drive1 = nullptr;
    FolderListBox* Dir1 = nullptr;
    FileListBox* File1 = nullptr;
    QPushButton* cmdAdd = nullptr;     // old layout only
    QPushButton* cmdAdd2 = nullptr;    // old layout only
    QPushButton* cmdManuell = nullptr; // never shown; reached through the menu
    QMenu* menFileBox = nullptr;
    QAction* menPlayLeft = nullptr;
    QAction* menInfoLeft = nullptr;
    QMenu* menAdd = nullptr;
    QAction* menAddSel = nullptr;
    QAction* menAddAll = nullptr;
    QAction* menAddMan = nullptr;

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
    frmVeriVuzeDadeve& main_;
};
