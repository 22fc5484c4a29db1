#pragma once
// The commands of the main window that open, save and restore playlists.

#include <QString>

class frmVeriVuzeDadeve;

class DocumentCommands {
public:
    explicit DocumentCommands(frmVeriVuzeDadeve& main) : main_(main) {}

    // Open: a text or M3U playlist chosen in the dialog is added to the list or replaces it.
    void OpenPlaylist();
    // Save writes the working file; Save As a file chosen in the dialog.
    void cmdSpeichern_Click();
    void menSpeichAls_Click();
    // Restore: the default playlist replaces the list; the button asks first, the menu does not.
    void cmdDefault_Click();
    void RestoreDefaultPlaylist();

    // The program's own folder as a DOS path, where the dialogs start.
    static QString ProgramFolder();

    // Removes entries whose files are gone; rebuilds the display, keeping the selected entry, when
    // any was removed.
    void validateKeepingSelection();

private:
    // Reads the chosen playlist into the list; raises on a failure while reading.
    void openChosen(const QString& file, qsizetype oldCount);
    frmVeriVuzeDadeve& main_;
};
