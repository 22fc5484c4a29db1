#pragma once
// The main window, shown, on a fresh program state inside an AppEnvironment.

#include "app/window/frmVeriVuzeDadeve.h"
#include "appenvironment.h"

#include <QTest>

// Entry lists in Qt Test's failure messages.
inline char* toString(const EntryList& l) {
    return QTest::toString(l.toStringList());
}

struct WindowSandbox {
    AppEnvironment env;
    ProgramState state;
    frmVeriVuzeDadeve window{state};
    WindowSandbox() { window.show(); }
};
