#pragma once
// The playlist box's keys and mouse: playing and moving entries by key, switching playback by
// pressing on a row, reordering by dragging a row, and the pop-up menu menPlaylist.

#include <Qt>

class frmVeriVuzeDadeve;
class QAction;
class QMenu;

class PlaylistInput {
public:
    explicit PlaylistInput(frmVeriVuzeDadeve& main) : main_(main) {}

    // Builds menPlaylist with its submenus (the main window keeps the menu, menInfo and the View
    // items, which the display uses) and connects its entries.
    void buildMenu();
    // Connects the playlist box's key and mouse events to the handlers below.
    void attach();

    QAction* menPlay = nullptr;
    QMenu* menMove = nullptr;
    QAction* menUp = nullptr;
    QAction* menDown = nullptr;
    QAction* menTop = nullptr;
    QAction* menBottom = nullptr;
    QMenu* menDelete = nullptr;
    QAction* menDelSel = nullptr;
    QAction* menDelAll = nullptr;
    QMenu* menSort = nullptr;
    QMenu* menSorFol = nullptr;
    QAction* menAscFol = nullptr;
    QAction* menDesFol = nullptr;
    QMenu* menSorNam = nullptr;
    QAction* menAscNam = nullptr;
    QAction* menDesNam = nullptr;
    QAction* menMix = nullptr;
    QAction* menDbl = nullptr;

    // KeyCode is a Windows virtual-key code; set to 0, the key is swallowed. Shift is ignored.
    void lstListe_KeyDown(int& KeyCode, int Shift);
    void lstListe_DblClick();
    // Any button but the right one: switches playback to the pressed row while a playlist entry
    // plays, and starts a drag there.
    void lstListe_MouseDown(Qt::MouseButton Button);
    // With only the left button held, the dragged entry follows the selection row by row.
    void lstListe_MouseMove(Qt::MouseButtons Buttons);
    void lstListe_MouseUp();

private:
    // Selects the previous (-1) or next (+1) row, wrapping around; switches playback there.
    void stepSelection(int step);
    frmVeriVuzeDadeve& main_;
};
