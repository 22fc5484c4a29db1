#pragma once
// The main window, shown, on a fresh program state inside an AppEnvironment.

#include "app/window/frmVeriVuzeDadeve.h"
#include "appenvironment.h"

struct WindowSandbox {
    AppEnvironment env;
    ProgramState state;
    frmVeriVuzeDadeve window{state};
    WindowSandbox() { window.show(); }
};
