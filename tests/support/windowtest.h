#pragma once
// The base of the window tests: every test function gets a fresh main window, shown, on a fresh
// program state inside its own AppEnvironment; afterwards every message box and dialog must have
// gone to script. A test class that needs more before or after each test defines its own init()
// and cleanup() slots and calls setUp() and tearDown() from them.

#include "app/window/frmVeriVuzeDadeve.h"
#include "windowsandbox.h"

#include <QObject>
#include <memory>

class WindowTest : public QObject {
    Q_OBJECT
protected:
    std::unique_ptr<WindowSandbox> sandbox;
    frmVeriVuzeDadeve* window = nullptr;
    ProgramState* state = nullptr;
    AppEnvironment* env = nullptr;

    // Entries named by letters ("AB" -> C:\M\A.mp3, C:\M\B.mp3), playable MP3 files on the drive,
    // shown with row selected.
    void show(const QString& letters, int row);
    // The letters of entries made by show().
    static QString letters(const QStringList& entries);

    void setUp();
    void tearDown();

private Q_SLOTS:
    void init() { setUp(); }
    void cleanup() { tearDown(); }
};
