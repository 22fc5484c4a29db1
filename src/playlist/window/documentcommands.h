#pragma once
// The commands of the main window that open, save and restore playlists.

#include <QString>

class ListDisplay;
class PlaylistBox;
class PlaylistHistory;
struct ProgramState;

class DocumentCommands {
public:
    DocumentCommands(ProgramState& state, PlaylistBox& list, ListDisplay& display, PlaylistHistory& history)
        : state_(state), list_(list), display_(display), history_(history) {}

    // Open: a text or M3U playlist chosen in the dialog is added to the list or replaces it.
    void OpenPlaylist();
    // An M3U playlist (any case of ".m3u" or ".m3u8") replaces the list, read and reported as Open
    // reads it when the old list is not kept, without asking: for a playlist of another player
    // handed over on the command line.
    void OpenInPlaceOfList(const QString& m3uFile);
    // Save writes the working file; Save As a file chosen in the dialog.
    void cmdSpeichern_Click();
    void menSpeichAls_Click();
    // Restore: the default playlist replaces the list; the button asks first, the menu does not.
    void cmdDefault_Click();
    void RestoreDefaultPlaylist();

    // The program's own folder as a DOS path, where the dialogs start.
    static QString ProgramFolder();

    // Removes entries whose files are gone; rebuilds the display, keeping the selected entry, when
    // any was removed. The removals belong to the step of the command that runs it.
    void validateKeepingSelection();

private:
    enum class Format { Text, M3u, Unknown };
    // Reads a playlist into the list, after the old entries or in their place; a failure while
    // reading ends the command with "Could not open ".
    void read(const QString& file, bool keepOld, Format format);
    void readOrRaise(const QString& file, bool keepOld, Format format);
    ProgramState& state_;
    PlaylistBox& list_;
    ListDisplay& display_;
    PlaylistHistory& history_;
};
