#pragma once
// The commands of the undo history. A step (StepCommand) holds the changes one command made to
// the entries, in order; each change is a command of its kind that holds only what reverses it.
// A step is pushed once its command has run, so its first redo() does nothing.

#include "playlist/entrylist.h"
#include "playlist/permutation.h"

#include <QUndoCommand>
#include <memory>
#include <vector>

// One change to the entries: redo() makes it, undo() takes it back.
class EntriesChange : public QUndoCommand {
public:
    explicit EntriesChange(EntryList& entries) : entries_(entries) {}
    // Bytes held, this object included.
    virtual qsizetype memoryBytes() const = 0;
    // Asked as the step ends, when the change is the last one made.
    virtual bool changesNothing() const { return false; }

protected:
    EntryList& entries_;
};

// A sort or Mix: the order it gave.
class ReorderCommand final : public EntriesChange {
public:
    ReorderCommand(EntryList& entries, Permutation order) : EntriesChange(entries), order_(std::move(order)) {}
    void redo() override { entries_.reorder(order_.order()); }
    void undo() override { entries_.reorder(order_.inverse()); }
    qsizetype memoryBytes() const override { return qsizetype(sizeof(*this)) + order_.memoryBytes(); }

private:
    Permutation order_;
};

// Up, Down, Top, Bottom: one entry moved.
class MoveCommand final : public EntriesChange {
public:
    MoveCommand(EntryList& entries, qsizetype from, qsizetype to) : EntriesChange(entries), from_(from), to_(to) {}
    void redo() override { entries_.move(from_, to_); }
    void undo() override { entries_.move(to_, from_); }
    qsizetype memoryBytes() const override { return sizeof(*this); }

private:
    qsizetype from_, to_;
};

// A drag: the exchanges it made, from press to release.
class DragCommand final : public EntriesChange {
public:
    using EntriesChange::EntriesChange;
    void add(qsizetype a, qsizetype b) { swaps_.push_back({quint32(a), quint32(b)}); }
    void redo() override;
    void undo() override;
    qsizetype memoryBytes() const override;
    // A drag back to where it began.
    bool changesNothing() const override;

private:
    std::vector<std::pair<quint32, quint32>> swaps_;
};

// Remove, and the removals of a check against the disk: the entries taken out and their places.
class RemoveCommand final : public EntriesChange {
public:
    // indices: where the removed entries stood, ascending; removed: those entries, in order.
    RemoveCommand(EntryList& entries, EntryList removed, std::vector<qsizetype> indices)
        : EntriesChange(entries), removed_(std::move(removed)), indices_(std::move(indices)) {}
    void redo() override { removed_ = entries_.takeAt(indices_); }
    void undo() override;
    qsizetype memoryBytes() const override;

private:
    EntryList removed_; // while done
    std::vector<qsizetype> indices_;
};

// The adds and Open keeping the old list: entries appended from index from on. Done, it holds
// only that index; undone, the entries it took back out.
class AppendCommand final : public EntriesChange {
public:
    AppendCommand(EntryList& entries, qsizetype from) : EntriesChange(entries), from_(from) {}
    void redo() override;
    void undo() override { taken_ = entries_.takeFrom(from_); }
    qsizetype memoryBytes() const override;

private:
    qsizetype from_;
    EntryList taken_; // while undone
};

// Clear, Open replacing the list, Restore: the list not shown, exchanged with the entries both ways.
// Entries read into the new list after it need no change of their own.
class ReplaceCommand final : public EntriesChange {
public:
    ReplaceCommand(EntryList& entries, EntryList previous) : EntriesChange(entries), other_(std::move(previous)) {}
    void redo() override { std::swap(entries_, other_); }
    void undo() override { std::swap(entries_, other_); }
    qsizetype memoryBytes() const override;
    bool changesNothing() const override { return other_ == entries_; }

private:
    EntryList other_;
};

// One step of the history: the changes of one command and the selected row before and after it.
class StepCommand final : public QUndoCommand {
public:
    explicit StepCommand(qsizetype rowBefore) : rowBefore_(rowBefore) {}
    void add(std::unique_ptr<EntriesChange> change) { changes_.push_back(std::move(change)); }
    EntriesChange* last() const { return changes_.empty() ? nullptr : changes_.back().get(); }
    // No change made, or only the last one and that one left the entries as they were.
    bool changesNothing() const;
    void setRowAfter(qsizetype row) { rowAfter_ = row; }
    qsizetype rowBefore() const { return rowBefore_; }
    qsizetype rowAfter() const { return rowAfter_; }

    void redo() override;
    void undo() override;
    qsizetype memoryBytes() const;
    // Gone from the history for its memory: it holds nothing more and is never undone.
    void expire() { changes_.clear(); expired_ = true; }
    bool expired() const { return expired_; }

private:
    std::vector<std::unique_ptr<EntriesChange>> changes_;
    qsizetype rowBefore_, rowAfter_ = -1;
    bool pushed_ = false;
    bool expired_ = false;
};
