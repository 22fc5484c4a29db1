#pragma once
// The main window: it owns its controls and menus (MainWindowControls), the units that hold their
// handlers, one per subsystem, and wires the two together. Units are made in the order of their
// dependencies; none of them knows the window.

#include "app/shutdown.h"
#include "app/startup.h"
#include "app/window/looks.h"
#include "app/window/mainwindowcontrols.h"
#include "app/window/windowlayout.h"
#include "playback/window/playercommands.h"
#include "playback/window/timedisplay.h"
#include "playlist/programstate.h"
#include "playlist/window/addcommands.h"
#include "playlist/window/documentcommands.h"
#include "playlist/window/editcommands.h"
#include "playlist/window/filebrowser.h"
#include "playlist/window/listdisplay.h"
#include "playlist/window/playlisthistory.h"
#include "playlist/window/playlistinput.h"

#include <QMainWindow>

class frmVeriVuzeDadeve : public QMainWindow, public MainWindowControls {
    Q_OBJECT
public:
    explicit frmVeriVuzeDadeve(ProgramState& state, QWidget* parent = nullptr);
    ~frmVeriVuzeDadeve() override;

    ProgramState& state;

    WindowLayout windowLayout;
    ListDisplay display;
    PlaylistHistory history; // undo and redo of the entries' changes
    TimeDisplay timeDisplay; // lblZeit, shpStrich, lblProzent
    FileBrowser browser;
    PlayerCommands player; // the image buttons, Timer1 and Timer2 ticks
    DocumentCommands documents;
    EditCommands editing;
    AddCommands adds;
    PlaylistInput playlistInput;
    Looks looks;
    Startup startup;
    Shutdown shutdown;

    // Playlist menu "Fileinfo": the file information window for the selected entry.
    void menInfo_Click();
    // Unloads the about, credits, file information and new-features windows.
    void UnloadOtherWindows();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void wire();
    void showFileInfos(const QString& path);
    bool unloaded_ = false;
};
