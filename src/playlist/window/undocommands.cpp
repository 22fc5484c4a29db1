#include "playlist/window/undocommands.h"

#include <algorithm>
#include <map>

void DragCommand::redo() {
    for (const auto& [a, b] : swaps_)
        entries_.swapItemsAt(a, b);
}

void DragCommand::undo() {
    for (auto s = swaps_.rbegin(); s != swaps_.rend(); ++s)
        entries_.swapItemsAt(s->first, s->second);
}

qsizetype DragCommand::memoryBytes() const {
    return qsizetype(sizeof(*this) + swaps_.capacity() * sizeof(swaps_[0]));
}

bool DragCommand::changesNothing() const {
    std::map<quint32, quint32> source; // row -> the row its entry came from, for the rows touched
    auto at = [&](quint32 row) { return source.try_emplace(row, row).first; };
    for (const auto& [a, b] : swaps_)
        std::swap(at(a)->second, at(b)->second);
    // Unchanged when every entry equals the one now in the row it came from.
    return std::all_of(source.begin(), source.end(),
                       [&](const auto& s) { return entries_.bytesAt(s.first) == entries_.bytesAt(s.second); });
}

void RemoveCommand::undo() {
    entries_.insertAt(indices_, removed_);
    removed_ = EntryList();
}

qsizetype RemoveCommand::memoryBytes() const {
    return qsizetype(sizeof(*this) + indices_.capacity() * sizeof(qsizetype)) + removed_.memoryBytes();
}

void AppendCommand::redo() {
    entries_.appendEntries(taken_);
    taken_ = EntryList();
}

qsizetype AppendCommand::memoryBytes() const {
    return qsizetype(sizeof(*this)) + taken_.memoryBytes();
}

qsizetype ReplaceCommand::memoryBytes() const {
    return qsizetype(sizeof(*this)) + other_.memoryBytes();
}

bool StepCommand::changesNothing() const {
    return changes_.empty() || (changes_.size() == 1 && changes_.front()->changesNothing());
}

void StepCommand::redo() {
    // Pushed after its command has made the changes: the first redo has nothing to do.
    if (!std::exchange(pushed_, true))
        return;
    for (const auto& change : changes_)
        change->redo();
}

void StepCommand::undo() {
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change)
        (*change)->undo();
}

qsizetype StepCommand::memoryBytes() const {
    // An expired step's shell is left to the stack's own limit of steps.
    if (expired_)
        return 0;
    qsizetype bytes = sizeof(*this);
    for (const auto& change : changes_)
        bytes += change->memoryBytes();
    return bytes;
}
