#include "playlist/editcommands.h"

#include "app/command.h"
#include "app/frmVeriVuzeDadeve.h"
#include "platform/failure.h"
#include "platform/messages.h"
#include "playback/modmp3.h"
#include "playlist/playlistbox.h"

#include <QPushButton>
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

void EditCommands::buildButtons(QWidget* parent) {
    struct ButtonInfo {
        QPushButton* EditCommands::*member;
        const char* name;
        const char* caption;
        const char* tooltip;
        bool shown; // in the old layout, which also places them; false: reached through the menu only
        void (EditCommands::*handler)();
    };
    const ButtonInfo buttons[] = {
        {&EditCommands::cmdLoesch, "cmdLoesch", "R&emove", "Deletes selected file from playlist", true,
         &EditCommands::cmdLoesch_Click},
        {&EditCommands::cmdLeere, "cmdLeere", "&Clear", "Clears playlist", true,
         &EditCommands::cmdLeere_Click},
        {&EditCommands::cmdHoch, "cmdHoch", "&Up", "Move selected file up", true,
         &EditCommands::cmdHoch_Click},
        {&EditCommands::cmdHoch2, "cmdHoch2", "&Top", "Move selected file to the top", true,
         &EditCommands::cmdHoch2_Click},
        {&EditCommands::cmdRunter, "cmdRunter", "&Down", "Move selected file down", true,
         &EditCommands::cmdRunter_Click},
        {&EditCommands::cmdRunter2, "cmdRunter2", "&Bottom", "Move selected file to the bottom", true,
         &EditCommands::cmdRunter2_Click},
        {&EditCommands::cmdMix, "cmdMix", "&Mix list", "Mixes the playlist", false,
         &EditCommands::cmdMix_Click},
        {&EditCommands::cmdFilter, "cmdFilter", "&Show doubles",
         "Shows a double entry from selected entry to bottom", false, &EditCommands::cmdFilter_Click},
    };
    for (const ButtonInfo& s : buttons) {
        const QString caption = QString::fromLatin1(s.caption);
        auto* b = new QPushButton(caption, parent);
        b->setObjectName(QString::fromLatin1(s.name));
        b->setToolTip(QString::fromLatin1(s.tooltip));
        if (!s.shown)
            b->hide();
        this->*s.member = b;
        connectCommand(&main_, b, &QPushButton::clicked, [this, h = s.handler] { (this->*h)(); });
    }
}

qsizetype EditCommands::entry(qsizetype index) const {
    if (index < 0 || index >= main_.state.EntryCount())
        RaiseSubscriptOutOfRange();
    return index;
}

void EditCommands::cmdHoch_Click() {
    const qsizetype s = main_.display.SelectedIndex();
    if (s < main_.lstListe->ListCount() && s != 0) {
        main_.state.Entries.swapItemsAt(entry(s), entry(s - 1));
        main_.display.RefreshList(s - 1);
    }
}

void EditCommands::cmdRunter_Click() {
    const qsizetype s = main_.display.SelectedIndex();
    const qsizetype n = main_.lstListe->ListCount();
    if (s < n && s != n - 1) {
        main_.state.Entries.swapItemsAt(entry(s), entry(s + 1));
        main_.display.RefreshList(s + 1);
    }
}

void EditCommands::cmdHoch2_Click() {
    const qsizetype s = main_.display.SelectedIndex();
    if (s != 0 && s < main_.lstListe->ListCount()) {
        // The entry travels up by adjacent exchanges: those above it keep their order.
        QStringList& e = main_.state.Entries;
        entry(s);
        std::rotate(e.begin(), e.begin() + s, e.begin() + s + 1);
        main_.display.RefreshList(0);
    }
}

void EditCommands::cmdRunter2_Click() {
    const qsizetype s = main_.display.SelectedIndex();
    const qsizetype last = main_.lstListe->ListCount() - 1;
    if (s <= last && s != last) {
        // The entry travels down to the last row by adjacent exchanges; rows without an entry
        // behind them stop it there.
        QStringList& e = main_.state.Entries;
        entry(s);
        const qsizetype end = std::min(last, e.size() - 1);
        std::rotate(e.begin() + s, e.begin() + s + 1, e.begin() + end + 1);
        if (end < last)
            RaiseSubscriptOutOfRange();
        main_.display.RefreshList(last);
    }
}

void EditCommands::cmdLoesch_Click() {
    const qsizetype s = main_.display.SelectedIndex();
    const qsizetype n = main_.lstListe->ListCount();
    if (s < n) {
        main_.state.RemoveEntry(entry(s));
        main_.display.RefreshList(s < n - 1 ? s : s - 1);
    }
}

void EditCommands::cmdLeere_Click() {
    if (main_.state.EntryCount() > 0) {
        main_.state.Entries.clear();
        main_.lstListe->clear();
    }
}

void EditCommands::sort(ordering::SortKey key, ordering::Direction direction) {
    BusyPointer busy(main_);
    QStringList names = ordering::SortEntries(main_.state.Entries, key, direction);
    DoEvents();
    main_.display.RefreshList(0, std::move(names));
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
    ProgramState& state = main_.state;
    if (state.EntryCount() < 2)
        return;
    const qsizetype s = main_.display.SelectedIndex();
    const QString remembered = s < main_.lstListe->ListCount() ? state.Entries.at(entry(s)) : QString();
    main_.lstListe->clear();
    ordering::MixEntries(state.Entries, state.Random);
    main_.display.RefreshList(std::max<qsizetype>(state.Entries.indexOf(remembered), 0));
}

void EditCommands::cmdFilter_Click() {
    BusyPointer busy(main_);
    const qsizetype s = main_.display.SelectedIndex();
    if (s >= main_.lstListe->ListCount())
        return;
    const auto pair = ordering::FindDoublePair(main_.state.Entries, s);
    busy.restore();
    if (!pair) {
        MsgBox(QStringLiteral("No double entries found"), vbOKOnly, QString());
        return;
    }
    MsgBox(QStringLiteral("Double entry found: ") + pair->name, vbOKOnly, QStringLiteral("Found"));
    if (!IsPlaying())
        main_.display.RefreshList(pair->second);
}
