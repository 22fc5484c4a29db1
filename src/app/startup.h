#pragma once
// The main window's load: the startup sequence that fixes the working playlist, loads it and
// shows the window.

#include <QStringList>

class frmVeriVuzeDadeve;

class Startup {
public:
    explicit Startup(frmVeriVuzeDadeve& main) : main_(main) {}

    // Runs the startup sequence with the program's arguments (without the program name); shows
    // the window. Raises EndProgram when neither the game nor the modification is found.
    void Form_Load(const QStringList& arguments);

    // The playlist path the command line names: its first argument, a host path turned into a
    // DOS path; "" without arguments.
    static QString CommandLinePlaylist(const QStringList& arguments);
    // An existing file whose name ends in ".m3u" or ".m3u8" in any case: the command line's
    // playlist from another player, which replaces the game's list once that is loaded (the
    // desktop's "Open with"). The working file stays the game's playlist.
    static bool IsM3uPlaylist(const QString& path);

private:
    frmVeriVuzeDadeve& main_;
};
