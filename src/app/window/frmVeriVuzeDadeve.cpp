#include "app/window/frmVeriVuzeDadeve.h"

#include "mp3info/window/frmattributes.h"
#include "platform/command.h"
#include "platform/messages.h"
#include "playback/window/imagebutton.h"
#include "playlist/window/browserboxes.h"
#include "playlist/window/playlistbox.h"
#include "windows/frmabout.h"
#include "windows/frmchange.h"
#include "windows/frmcredits.h"
#include "windows/modgotourl.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>

frmVeriVuzeDadeve::frmVeriVuzeDadeve(ProgramState& programState, QWidget* parent)
    : QMainWindow(parent), MainWindowControls(static_cast<QMainWindow&>(*this)), state(programState),
      windowLayout(*this, *lstListe, *menBlind),
      display(state, *lstListe, {menFold, menNoFold, menTag}, [this] { timeDisplay.ZeitAnzeige(); }),
      history(state, *lstListe, display, {menUndo, menRedo}),
      timeDisplay(state, display, *lstListe, windowLayout, {lblZeit, shpStrich, lblProzent}),
      browser(*Drive1, *Dir1, *File1, [this](const QString& path) { showFileInfos(path); }),
      player(state, *lstListe, display, timeDisplay, windowLayout, *File1, *Timer1, *Timer2),
      documents(state, *lstListe, display, history), editing(state, *lstListe, display, history, *this),
      adds(state, *lstListe, display, history, documents, *Dir1, *File1),
      playlistInput(state, *lstListe, display, history, editing, player, timeDisplay),
      looks(*client, *menBlind, windowLayout), startup(*this), shutdown(*this) {
    setObjectName(QStringLiteral("frmVeriVuzeDadeve"));
    setWindowTitle(AppTitle);
    wire();
    // Last, once every control exists: design size, places, fonts and colours.
    windowLayout.placeAtDesignSize();
    looks.applyDesign();
}

frmVeriVuzeDadeve::~frmVeriVuzeDadeve() = default;

// Every button, menu entry, image button and timer runs its command's handler; a failure inside
// shows the standard failure report. Entries of the same command share its handler.
void frmVeriVuzeDadeve::wire() {
    const std::pair<QAbstractButton*, std::function<void()>> buttons[] = {
        {cmdDefault, [this] { documents.cmdDefault_Click(); }},
        {cmdOeffnen, [this] { documents.OpenPlaylist(); }},
        {cmdSpeichern, [this] { documents.cmdSpeichern_Click(); }},
        {cmdQuit, [this] { close(); }},
        {imgZurueck, [this] { player.cmdZurueck_Click(); }},
        {imgPlay, [this] { player.cmdPlay_Click(); }},
        {imgStop, [this] { player.imgStop_Click(); }},
        {imgVor, [this] { player.cmdVor_Click(); }},
        {cmdPlay, [this] { player.cmdPlay_Click(); }},
        {cmdStop, [this] { player.cmdStop_Click(); }},
        {cmdVor, [this] { player.cmdVor_Click(); }},
        {cmdZurueck, [this] { player.cmdZurueck_Click(); }},
        {cmdHoch, [this] { editing.cmdHoch_Click(); }},
        {cmdRunter, [this] { editing.cmdRunter_Click(); }},
        {cmdHoch2, [this] { editing.cmdHoch2_Click(); }},
        {cmdRunter2, [this] { editing.cmdRunter2_Click(); }},
        {cmdLoesch, [this] { editing.cmdLoesch_Click(); }},
        {cmdLeere, [this] { editing.cmdLeere_Click(); }},
        {cmdMix, [this] { editing.cmdMix_Click(); }},
        {cmdFilter, [this] { editing.cmdFilter_Click(); }},
        {cmdAdd, [this] { adds.cmdAdd_Click(); }},
        {cmdAdd2, [this] { adds.cmdAdd2_Click(); }},
        {cmdManuell, [this] { adds.cmdManuell_Click(); }},
    };
    for (const auto& [button, handler] : buttons)
        connectCommand(this, button, &QAbstractButton::clicked, handler);

    const std::pair<QAction*, std::function<void()>> entries[] = {
        {menDefault, [this] { documents.RestoreDefaultPlaylist(); }},
        {menOeffnen, [this] { documents.OpenPlaylist(); }},
        {menSpeichern, [this] { documents.cmdSpeichern_Click(); }},
        {menSpeichAls, [this] { documents.menSpeichAls_Click(); }},
        {menQuit, [this] { close(); }},
        {menBlind,
         [this] {
             menBlind->setChecked(!menBlind->isChecked()); // the handler sets the check mark itself
             looks.menBlind_Click();
         }},
        {menFeatures, [this] { ShowChange(this); }},
        {menAbout, [this] { ShowAbout(this, menBlind->isChecked()); }},
        {menCredits, [this] { ShowCredits(this, menBlind->isChecked()); }},
        {menWeb, [] { GotoURL(VorlakSiteAddress()); }},
        {menUndo, [this] { history.undo(); }},
        {menRedo, [this] { history.redo(); }},
        {menPlay, [this] { player.cmdPlay_Click(); }},
        {menInfo, [this] { menInfo_Click(); }},
        {menUp, [this] { editing.cmdHoch_Click(); }},
        {menDown, [this] { editing.cmdRunter_Click(); }},
        {menTop, [this] { editing.cmdHoch2_Click(); }},
        {menBottom, [this] { editing.cmdRunter2_Click(); }},
        {menDelSel, [this] { editing.cmdLoesch_Click(); }},
        {menDelAll, [this] { editing.cmdLeere_Click(); }},
        {menAscFol, [this] { editing.menAscFol_Click(); }},
        {menDesFol, [this] { editing.menDesFol_Click(); }},
        {menAscNam, [this] { editing.menAscNam_Click(); }},
        {menDesNam, [this] { editing.menDesNam_Click(); }},
        {menMix, [this] { editing.cmdMix_Click(); }},
        {menFold, [this] { display.menFold_Click(); }},
        {menNoFold, [this] { display.menNoFold_Click(); }},
        {menTag, [this] { display.menTag_Click(); }},
        {menDbl, [this] { editing.cmdFilter_Click(); }},
        {menPlayLeft, [this] { player.menPlayLeft_Click(); }},
        {menInfoLeft, [this] { browser.menInfoLeft_Click(); }},
        {menAddSel, [this] { adds.cmdAdd_Click(); }},
        {menAddAll, [this] { adds.cmdAdd2_Click(); }},
        {menAddMan, [this] { adds.cmdManuell_Click(); }},
    };
    for (const auto& [action, handler] : entries)
        connectCommand(this, action, &QAction::triggered, handler);

    connectCommand(this, Timer1, &QTimer::timeout, [this] { player.Timer1_Timer(); });
    connectCommand(this, Timer2, &QTimer::timeout, [this] { player.Timer2_Timer(); });
    connect(lblZeit, &ClickableLabel::clicked, this, [this] { timeDisplay.lblZeit_Click(); });
    connectCommand(this, File1, &FileListBox::doubleClicked, [this] { player.File1_DblClick(); });
    connect(File1, &FileListBox::rightPressed, menFileBox, [this](QPoint at) { menFileBox->popup(at); });

    // The playlist box: its pop-up menu, keys, mouse and drops.
    connect(lstListe, &PlaylistBox::rightPressed, this, [this](QPoint at) { menPlaylist->popup(at); });
    connect(lstListe, &PlaylistBox::keyDown, this,
            [this](int* keyCode, int shift) { playlistInput.lstListe_KeyDown(*keyCode, shift); });
    connect(lstListe, &PlaylistBox::mouseDown, this,
            [this](Qt::MouseButton b) { RunCommand([&] { playlistInput.lstListe_MouseDown(b); }); });
    connect(lstListe, &PlaylistBox::mouseMove, this,
            [this](Qt::MouseButtons b) { playlistInput.lstListe_MouseMove(b); });
    connect(lstListe, &PlaylistBox::mouseUp, this, [this] { playlistInput.lstListe_MouseUp(); });
    connectCommand(this, lstListe, &PlaylistBox::doubleClicked, [this] { player.cmdPlay_Click(); });
    connectCommand(this, lstListe, &PlaylistBox::clicked, [this] { timeDisplay.ZeitAnzeige(); });
    connect(lstListe, &PlaylistBox::dropped, this,
            [this](const QMimeData* dropped) { adds.lstListe_OLEDragDrop(*dropped); });
}

void frmVeriVuzeDadeve::showFileInfos(const QString& path) {
    ShowFileInfos(path, *this, [this] { timeDisplay.ZeitAnzeige(); });
}

void frmVeriVuzeDadeve::menInfo_Click() {
    const qsizetype index = display.SelectedIndex();
    DoEvents();
    // A row without an entry behind it (the display not yet rebuilt) shows nothing.
    if (index >= 0 && index < lstListe->ListCount() && index < state.EntryCount())
        showFileInfos(state.Entries.at(index));
}

void frmVeriVuzeDadeve::UnloadOtherWindows() {
    UnloadFileInfos();
    UnloadAbout();
    UnloadCredits();
    UnloadChange();
}

void frmVeriVuzeDadeve::closeEvent(QCloseEvent* event) {
    if (!unloaded_) {
        unloaded_ = true;
        shutdown.Form_Unload();
    }
    event->accept();
}
