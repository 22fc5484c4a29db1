#pragma once
// The main window: the one place its widgets live. Its handlers live with their subsystem in the
// units it owns, which share the program-wide state.

#include "app/looks.h"
#include "app/programstate.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "app/windowlayout.h"
#include "playback/playercommands.h"
#include "playback/timedisplay.h"
#include "playlist/addcommands.h"
#include "playlist/documentcommands.h"
#include "playlist/editcommands.h"
#include "playlist/filebrowser.h"
#include "playlist/listdisplay.h"
#include "playlist/playlistinput.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class PlaylistBox;

class frmVeriVuzeDadeve : public QMainWindow {
    Q_OBJECT
public:
    explicit frmVeriVuzeDadeve(ProgramState& state, QWidget* parent = nullptr);
    ~frmVeriVuzeDadeve() override;

    ProgramState& state;

    // Controls (placed by windowLayout, by objectName).
    PlaylistBox* lstListe;
    QPushButton* cmdDefault;
    QPushButton* cmdOeffnen;
    QPushButton* cmdSpeichern;
    QPushButton* cmdQuit;
    // Poll the playback: Timer1 advances the playlist, Timer2 ends a title played from the file box.
    QTimer* Timer1;
    QTimer* Timer2;

    // Menus: the menu bar's File, Extras and Help menus and the playlist's pop-up menu (built by
    // playlistInput).
    QMenu* menDatei;
    QAction* menDefault;
    QAction* menOeffnen;
    QAction* menSpeichern;
    QAction* menSpeichAls;
    QAction* menQuit;
    QMenu* menExtras;
    QAction* menBlind; // "Old layout"; its check mark is the record of the layout
    QMenu* menPlaylist;
    QAction* menInfo;
    QMenu* menView;
    QAction* menFold;
    QAction* menNoFold;
    QAction* menTag;
    QMenu* menHilfe; // "&Help"
    QAction* menFeatures;
    QAction* menStrich2;
    QAction* menAbout;
    QAction* menCredits;
    QAction* menWeb;

    // Units that hold the handlers, one per subsystem.
    ListDisplay display;
    DocumentCommands documents;
    TimeDisplay timeDisplay; // lblZeit, shpStrich, lblProzent
    PlayerCommands player;   // the image buttons, Timer1 and Timer2 ticks
    EditCommands editing;
    PlaylistInput playlistInput;
    Startup startup;
    Shutdown shutdown;
    FileBrowser browser;
    AddCommands adds;
    WindowLayout windowLayout;
    Looks looks;

    // Form-level: row of lstListe where a mouse drag began, -1 when none.
    qsizetype DragIndex = -1;

    // Playlist menu "Fileinfo": the file information window for the selected entry.
    void menInfo_Click();
    // Click on a row of lstListe (also raised when RefreshList selects a row).
    void lstListe_Click();
    // Brings the time field, the progress bar and the percent label up to date.
    void ZeitAnzeige();
    // The player commands on the selected entry (the handlers of the never-shown player buttons).
    void cmdPlay_Click();
    void cmdStop_Click();
    void cmdVor_Click();
    void cmdZurueck_Click();
    // Plays the file box's selected file without adding it (double click, and its menu's "Play").
    void File1_DblClick();
    void menPlayLeft_Click();

    // Startup placement of the background image, and of the player buttons and the file panel.
    void PlaceBackgroundImage();
    void PlacePlayerButtons();
    // The list boxes' startup colours: black background, text in the window background colour.
    void ColourListBoxes();
    // Places every control for the window's size.
    void Form_Resize();
    // Switches between the new and the old layout.
    void menBlind_Click();
    // Shows the window of new features.
    void menFeatures_Click();
    // Unloads the about, credits, file information and new-features windows.
    void UnloadOtherWindows();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool unloaded_ = false;
    void buildControls();
    void buildMenus();
};
