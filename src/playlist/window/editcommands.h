#pragma once
// The commands that move, remove, sort, mix and search the entries around the selected row. Each
// works on the model, records its change in the history and rebuilds the display with the row to
// select.

#include "playlist/ordering.h"

class ListDisplay;
class PlaylistBox;
class PlaylistHistory;
class QWidget;
struct ProgramState;

class EditCommands {
public:
    // window is where the busy pointer shows during long commands.
    EditCommands(ProgramState& state, PlaylistBox& list, ListDisplay& display, PlaylistHistory& history,
                 QWidget& window)
        : state_(state), list_(list), display_(display), history_(history), window_(window) {}

    // The selected entry one place up or down, to the top or to the bottom; Up on the first and
    // Down on the last entry change nothing. The entry stays selected.
    void cmdHoch_Click();
    void cmdRunter_Click();
    void cmdHoch2_Click();
    void cmdRunter2_Click();
    // Removes the selected entry and selects the one that took its place (the new last one when
    // it was last).
    void cmdLoesch_Click();
    // Removes every entry; nothing is selected afterwards.
    void cmdLeere_Click();

    // Sorts by path ("By folder") or by file name ("By names"); the first row is selected.
    void menAscFol_Click();
    void menDesFol_Click();
    void menAscNam_Click();
    void menDesNam_Click();
    // Random order; the selected entry stays selected.
    void cmdMix_Click();
    // Reports the first two entries of the same file name from the selected row on and selects the
    // later one unless a title is playing.
    void cmdFilter_Click();

private:
    void sort(ordering::SortKey key, ordering::Direction direction);
    // index, after checking that it names an entry: the display may show rows the model has not.
    qsizetype entry(qsizetype index) const;
    void moveEntry(qsizetype from, qsizetype to);
    ProgramState& state_;
    PlaylistBox& list_;
    ListDisplay& display_;
    PlaylistHistory& history_;
    QWidget& window_;
};
