#pragma once
// The display of the playlist: rebuilding lstListe from the model, the selected row, the
// horizontal extent, and the View commands.

#include "playlist/listrows.h"

class frmVeriVuzeDadeve;
class QListView;

class ListDisplay {
public:
    explicit ListDisplay(frmVeriVuzeDadeve& main);

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
    frmVeriVuzeDadeve& main_;
};

// The width in pixels of the widest row of list, in the list's font, plus 5.
int MaxItemWidth(const QListView& list, const QStringList& rows);
