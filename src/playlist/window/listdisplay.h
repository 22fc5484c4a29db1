#pragma once
// The display of the playlist: rebuilding lstListe from the model, the selected row, the
// horizontal extent, and the View commands.

#include "playlist/listrows.h"
#include "playlist/tagrows.h"

#include <functional>

class PlaylistBox;
class PlaylistModel;
class QAction;

// The check marks of the View menu's three entries, which record the view mode.
struct ViewActions {
    QAction* all;
    QAction* filenames;
    QAction* tag;
};

class ListDisplay {
public:
    // rowClicked runs when a rebuild selects a row, as a click on it would.
    ListDisplay(const PlaylistModel& model, PlaylistBox& list, ViewActions view, std::function<void()> rowClicked);

    // Rebuilds every row from the model and selects selectIndex (row 0 when it is below 1 or out
    // of range); selecting raises the list's click.
    void RefreshList(qsizetype selectIndex);
    // The same, given the file name of every entry just looked up (as the sort by names does),
    // which the "Filenames" view shows without looking them up again.
    void RefreshList(qsizetype selectIndex, QStringList fileNames);
    // The selected row; ListCount + 1 when the list is empty; -1 when rows exist but none is
    // selected.
    qsizetype SelectedIndex() const;
    ViewMode viewMode() const;

    void menFold_Click();
    void menNoFold_Click();
    void menTag_Click();

private:
    void setView(ViewMode mode);
    const PlaylistModel& model_;
    PlaylistBox& list_;
    ViewActions view_;
    std::function<void()> rowClicked_;
    TagRowCache tagRows_; // while the "MP3-Tag" view is shown
};
