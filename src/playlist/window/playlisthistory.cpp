#include "playlist/window/playlisthistory.h"

#include "playlist/documents.h"
#include "playlist/window/listdisplay.h"
#include "playlist/window/playlistbox.h"
#include "playlist/window/undocommands.h"

#include <QAction>
#include <algorithm>

PlaylistHistory::PlaylistHistory(PlaylistModel& model, PlaylistBox& list, ListDisplay& display, UndoActions actions)
    : model_(model), list_(list), display_(display), actions_(actions) {
    stack_.setUndoLimit(kSteps);
    updateActions();
}

PlaylistHistory::~PlaylistHistory() = default;

PlaylistHistory::Step::Step(PlaylistHistory& history) : history_(history) {
    history_.begin();
}

PlaylistHistory::Step::~Step() {
    // Also while a failure passes through: the changes made so far are the step.
    try {
        history_.end();
    } catch (...) {
    }
}

void PlaylistHistory::begin() {
    if (depth_++ > 0)
        return;
    if (open_) // a drag not yet released ends where another command begins
        finish();
    open_ = std::make_unique<StepCommand>(list_.ListIndex());
}

void PlaylistHistory::end() {
    if (--depth_ == 0)
        finish();
}

void PlaylistHistory::finish() {
    std::unique_ptr<StepCommand> step = std::move(open_);
    if (!step || step->changesNothing())
        return;
    step->setRowAfter(list_.ListIndex());
    stack_.push(step.release());
    dropOldestOverLimit();
    updateActions();
}

// Changes that only exchange equal entries change nothing and are not recorded.
void PlaylistHistory::recordMove(qsizetype from, qsizetype to) {
    const EntryList& e = model_.Entries;
    for (qsizetype i = std::min(from, to); i <= std::max(from, to); ++i)
        if (e.bytesAt(i) != e.bytesAt(to)) {
            open_->add(std::make_unique<MoveCommand>(model_.Entries, from, to));
            return;
        }
}

void PlaylistHistory::recordReorder(const std::vector<qsizetype>& order) {
    const EntryList& e = model_.Entries;
    for (qsizetype i = 0; i < qsizetype(order.size()); ++i)
        if (e.bytesAt(i) != e.bytesAt(order[i])) {
            open_->add(std::make_unique<ReorderCommand>(model_.Entries, Permutation(order)));
            return;
        }
}

void PlaylistHistory::recordRemoval(EntryList removed, std::vector<qsizetype> indices) {
    if (!indices.empty())
        open_->add(std::make_unique<RemoveCommand>(model_.Entries, std::move(removed), std::move(indices)));
}

void PlaylistHistory::recordReplace(EntryList previous) {
    open_->add(std::make_unique<ReplaceCommand>(model_.Entries, std::move(previous)));
}

void PlaylistHistory::recordAppend(qsizetype from) {
    if (model_.EntryCount() > from)
        open_->add(std::make_unique<AppendCommand>(model_.Entries, from));
}

QList<qsizetype> PlaylistHistory::ValidateEntries() {
    // The copy shares the entries' block and spans until the first removal.
    const EntryList before = model_.Entries;
    // The check only removes: the entries missing from the list now, in order, are the removed
    // ones, also when a failure ended it early.
    auto recordRemoved = [&] {
        const EntryList& after = model_.Entries;
        if (after.size() == before.size())
            return;
        EntryList removed;
        std::vector<qsizetype> indices;
        for (qsizetype i = 0, kept = 0; i < before.size(); ++i) {
            if (kept < after.size() && after.bytesAt(kept) == before.bytesAt(i)) {
                ++kept;
            } else {
                removed.appendBytes(before.bytesAt(i));
                indices.push_back(i);
            }
        }
        recordRemoval(std::move(removed), std::move(indices));
    };
    QList<qsizetype> removed;
    try {
        removed = ::ValidateEntries(model_);
    } catch (...) {
        recordRemoved();
        throw;
    }
    recordRemoved();
    return removed;
}

void PlaylistHistory::recordDragSwap(qsizetype a, qsizetype b) {
    if (!open_) // the press that began the drag is part of its step
        open_ = std::make_unique<StepCommand>(list_.rowBeforePress());
    auto* drag = dynamic_cast<DragCommand*>(open_->last());
    if (!drag) {
        auto change = std::make_unique<DragCommand>(model_.Entries);
        drag = change.get();
        open_->add(std::move(change));
    }
    if (model_.Entries.bytesAt(a) != model_.Entries.bytesAt(b))
        drag->add(a, b);
}

void PlaylistHistory::endDrag() {
    if (depth_ == 0)
        finish();
}

StepCommand* PlaylistHistory::stepAt(int index) const {
    // Every command on the stack is a step this history pushed.
    return static_cast<StepCommand*>(const_cast<QUndoCommand*>(stack_.command(index)));
}

int PlaylistHistory::firstKept() const {
    int i = 0;
    while (i < stack_.count() && stepAt(i)->expired())
        ++i;
    return i;
}

bool PlaylistHistory::canUndo() const {
    return undoableSteps() > 0;
}

int PlaylistHistory::undoableSteps() const {
    return std::max(stack_.index() - firstKept(), 0) + (open_ && depth_ == 0 ? 1 : 0);
}

bool PlaylistHistory::canRedo() const {
    return stack_.index() < stack_.count() && stack_.index() >= firstKept();
}

void PlaylistHistory::undo() {
    if (depth_ > 0) // a command is running: its step is not complete
        return;
    finish();
    if (!canUndo())
        return;
    const qsizetype row = stepAt(stack_.index() - 1)->rowBefore();
    stack_.undo();
    show(row);
    dropOldestOverLimit();
    updateActions();
}

void PlaylistHistory::redo() {
    if (depth_ > 0)
        return;
    finish();
    if (!canRedo())
        return;
    const qsizetype row = stepAt(stack_.index())->rowAfter();
    stack_.redo();
    show(row);
    dropOldestOverLimit();
    updateActions();
}

void PlaylistHistory::show(qsizetype row) {
    if (model_.EntryCount() > 0)
        display_.RefreshList(row);
    else
        list_.clear();
}

qsizetype PlaylistHistory::memoryBytes() const {
    qsizetype bytes = 0;
    for (int i = 0; i < stack_.count(); ++i)
        bytes += stepAt(i)->memoryBytes();
    return bytes;
}

// The stack keeps the expired steps' empty shells until its own limit of steps pushes them out;
// they are never undone.
void PlaylistHistory::dropOldestOverLimit() {
    qsizetype bytes = memoryBytes();
    for (int i = 0; i < stack_.count() && bytes > memoryLimit_; ++i) {
        StepCommand* step = stepAt(i);
        bytes -= step->memoryBytes();
        step->expire();
        bytes += step->memoryBytes();
    }
}

void PlaylistHistory::updateActions() {
    actions_.undo->setEnabled(canUndo());
    actions_.redo->setEnabled(canRedo());
}
