#pragma once
// Undo and redo of every change to the entries. A command records its changes inside a Step; the
// changes of the outermost Step (with the check against the disk it ran) become one step of the
// history, undone and redone with the selected row it found and the one it left, without a
// message and without touching the player. A drag is one step from its press to its
// release. The history keeps 100 steps and 256 MB; the oldest go first.

#include "playlist/playlistmodel.h"

#include <QList>
#include <QUndoStack>
#include <memory>
#include <vector>

class ListDisplay;
class PlaylistBox;
class QAction;
class StepCommand;

// The pop-up menu's Undo and Redo, enabled while there is something to undo or redo.
struct UndoActions {
    QAction* undo;
    QAction* redo;
};

class PlaylistHistory {
public:
    static constexpr int kSteps = 100;
    static constexpr qsizetype kMemoryLimit = qsizetype(256) << 20;

    PlaylistHistory(PlaylistModel& model, PlaylistBox& list, ListDisplay& display, UndoActions actions);
    ~PlaylistHistory();

    // The changes made while the outermost Step lives are one step of the history, pushed when it
    // ends, also by a failure; nothing when they left the entries as they were.
    class Step {
    public:
        explicit Step(PlaylistHistory& history);
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

    private:
        PlaylistHistory& history_;
    };

    // The changes, inside a Step, recorded in the order they were made.
    void recordMove(qsizetype from, qsizetype to);
    // order as EntryList::reorder takes it; nothing when it keeps every entry in place.
    void recordReorder(const std::vector<qsizetype>& order);
    // The entries removed and where they stood, ascending.
    void recordRemoval(EntryList removed, std::vector<qsizetype> indices);
    // The list the entries replaced, moved out of them.
    void recordReplace(EntryList previous);
    // Runs body, which appends entries, and records what it appended, also when it fails.
    template <typename Body> void recordAppending(Body&& body);
    // ValidateEntries, its removals recorded.
    QList<qsizetype> ValidateEntries();

    // An exchange of two rows by a drag; the drag's step ends with endDrag().
    void recordDragSwap(qsizetype a, qsizetype b);
    void endDrag();

    bool canUndo() const;
    bool canRedo() const;
    // Steps that undo can take back now.
    int undoableSteps() const;
    // The entries, the selected row and the display as before the last step (after the next one).
    void undo();
    void redo();

    // Bytes the steps hold; and a limit below 256 MB, for the tests.
    qsizetype memoryBytes() const;
    void setMemoryLimit(qsizetype bytes) { memoryLimit_ = bytes; }

private:
    void begin();
    void end();
    void finish();
    void recordAppend(qsizetype from);
    StepCommand* stepAt(int index) const;
    int firstKept() const;
    void show(qsizetype row);
    void dropOldestOverLimit();
    void updateActions();

    PlaylistModel& model_;
    PlaylistBox& list_;
    ListDisplay& display_;
    UndoActions actions_;
    QUndoStack stack_;
    std::unique_ptr<StepCommand> open_; // the step being recorded
    int depth_ = 0;                     // Steps alive
    qsizetype memoryLimit_ = kMemoryLimit;
};

template <typename Body> void PlaylistHistory::recordAppending(Body&& body) {
    const qsizetype from = model_.EntryCount();
    try {
        body();
    } catch (...) {
        recordAppend(from);
        throw;
    }
    recordAppend(from);
}
