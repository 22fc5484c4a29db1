#include "playlist/window/editcommands.h"

#include "platform/failure.h"
#include "platform/messages.h"
#include "playback/modmp3.h"
#include "playlist/programstate.h"
#include "playlist/window/listdisplay.h"
#include "playlist/window/playlistbox.h"
#include "playlist/window/playlisthistory.h"

#include <algorithm>

namespace {

// The busy pointer over the main window while it lives (or until restored).
class BusyPointer {
public:
    explicit BusyPointer(QWidget& window) : window_(&window) { window.setCursor(Qt::WaitCursor); }
    ~BusyPointer() { restore(); }
    void restore() {
        if (window_)
            window_->unsetCursor();
        window_ = nullptr;
    }

private:
    QWidget* window_;
};

} // namespace

qsizetype EditCommands::entry(qsizetype index) const {
    if (index < 0 || index >= state_.EntryCount())
        RaiseSubscriptOutOfRange();
    return index;
}

void EditCommands::moveEntry(qsizetype from, qsizetype to) {
    state_.Entries.move(from, to);
    history_.recordMove(from, to);
}

void EditCommands::cmdHoch_Click() {
    PlaylistHistory::Step step(history_);
    const qsizetype s = display_.SelectedIndex();
    if (s < list_.ListCount() && s != 0) {
        moveEntry(entry(s), entry(s - 1));
        display_.RefreshList(s - 1);
    }
}

void EditCommands::cmdRunter_Click() {
    PlaylistHistory::Step step(history_);
    const qsizetype s = display_.SelectedIndex();
    const qsizetype n = list_.ListCount();
    if (s < n && s != n - 1) {
        moveEntry(entry(s), entry(s + 1));
        display_.RefreshList(s + 1);
    }
}

void EditCommands::cmdHoch2_Click() {
    PlaylistHistory::Step step(history_);
    const qsizetype s = display_.SelectedIndex();
    if (s != 0 && s < list_.ListCount()) {
        // The entry travels up by adjacent exchanges: those above it keep their order.
        moveEntry(entry(s), 0);
        display_.RefreshList(0);
    }
}

void EditCommands::cmdRunter2_Click() {
    PlaylistHistory::Step step(history_);
    const qsizetype s = display_.SelectedIndex();
    const qsizetype last = list_.ListCount() - 1;
    if (s <= last && s != last) {
        // The entry travels down to the last row by adjacent exchanges; rows without an entry
        // behind them stop it there.
        const qsizetype end = std::min(last, state_.EntryCount() - 1);
        moveEntry(entry(s), end);
        if (end < last)
            RaiseSubscriptOutOfRange();
        display_.RefreshList(last);
    }
}

void EditCommands::cmdLoesch_Click() {
    PlaylistHistory::Step step(history_);
    const qsizetype s = display_.SelectedIndex();
    const qsizetype n = list_.ListCount();
    if (s < n) {
        // The entry moves out of the list into the history.
        history_.recordRemoval(state_.Entries.takeAt({entry(s)}), {s});
        display_.RefreshList(s < n - 1 ? s : s - 1);
    }
}

void EditCommands::cmdLeere_Click() {
    if (state_.EntryCount() > 0) {
        PlaylistHistory::Step step(history_);
        // The entries move into the history whole, without a copy.
        history_.recordReplace(std::exchange(state_.Entries, EntryList()));
        list_.clear();
    }
}

void EditCommands::sort(ordering::SortKey key, ordering::Direction direction) {
    PlaylistHistory::Step step(history_);
    BusyPointer busy(window_);
    std::vector<qsizetype> order;
    QStringList names = ordering::SortEntries(state_.Entries, key, direction, &order);
    history_.recordReorder(order);
    DoEvents();
    display_.RefreshList(0, std::move(names));
}

void EditCommands::menAscFol_Click() {
    sort(ordering::SortKey::Path, ordering::Direction::Ascending);
}
void EditCommands::menDesFol_Click() {
    sort(ordering::SortKey::Path, ordering::Direction::Descending);
}
void EditCommands::menAscNam_Click() {
    sort(ordering::SortKey::Name, ordering::Direction::Ascending);
}
void EditCommands::menDesNam_Click() {
    sort(ordering::SortKey::Name, ordering::Direction::Descending);
}

void EditCommands::cmdMix_Click() {
    ProgramState& state = state_;
    if (state.EntryCount() < 2)
        return;
    PlaylistHistory::Step step(history_);
    const qsizetype s = display_.SelectedIndex();
    const QString remembered = s < list_.ListCount() ? state.Entries.at(entry(s)) : QString();
    list_.clear();
    std::vector<qsizetype> order;
    ordering::MixEntries(state.Entries, state.Random, &order);
    history_.recordReorder(order);
    display_.RefreshList(std::max<qsizetype>(state.Entries.indexOf(remembered), 0));
}

void EditCommands::cmdFilter_Click() {
    BusyPointer busy(window_);
    const qsizetype s = display_.SelectedIndex();
    if (s >= list_.ListCount())
        return;
    const auto pair = ordering::FindDoublePair(state_.Entries, s);
    busy.restore();
    if (!pair) {
        MsgBox(QStringLiteral("No double entries found"), vbOKOnly, QString());
        return;
    }
    MsgBox(QStringLiteral("Double entry found: ") + pair->name, vbOKOnly, QStringLiteral("Found"));
    if (!IsPlaying())
        display_.RefreshList(pair->second);
}
