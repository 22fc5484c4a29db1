#pragma once
// The main window showing 32,767 entries, as the editing and undo benchmarks use it.

#include "app/window/frmVeriVuzeDadeve.h"
#include "platform/messages.h"
#include "tempmusic.h"

#include <QAction>

namespace bench {

// 32,767 files of distinct names in folders of twelve, listed in a shuffled order.
inline TempMusic& shuffledLibrary() {
    static TempMusic l(32767, true);
    return l;
}

// The window shown on the shuffled library, by file name unless asked otherwise, with silent
// messages.
struct ListWindow {
    SilentMessages silent;
    MessageService* previous = setMessages(&silent);
    ProgramState state;
    frmVeriVuzeDadeve window{state};
    explicit ListWindow(bool byName = true) {
        window.show();
        if (byName)
            window.menNoFold->trigger();
        state.Entries = shuffledLibrary().dosPaths;
        window.display.RefreshList(0);
    }
    ~ListWindow() { setMessages(previous); }
};

} // namespace bench
