#include "playlist/window/playlistinput.h"

#include "platform/command.h"
#include "platform/messages.h"
#include "playback/modmp3.h"
#include "playback/window/playercommands.h"
#include "playback/window/timedisplay.h"
#include "playlist/programstate.h"
#include "playlist/window/editcommands.h"
#include "playlist/window/listdisplay.h"
#include "playlist/window/playlistbox.h"
#include "playlist/window/playlisthistory.h"

void PlaylistInput::lstListe_KeyDown(int& KeyCode, int /*Shift*/) {
    switch (KeyCode) {
    case vk::Return:
        RunCommand([this] { IsPlaying() ? player_.cmdStop_Click() : player_.cmdPlay_Click(); });
        break;
    case vk::Up:
        RunCommand([this] { stepSelection(-1); });
        KeyCode = 0;
        break;
    case vk::Down:
        RunCommand([this] { stepSelection(+1); });
        KeyCode = 0;
        break;
    case vk::Delete:
        RunCommand([this] { editing_.cmdLoesch_Click(); });
        break;
    case vk::Numpad2:
        RunCommand([this] { editing_.cmdRunter_Click(); });
        break;
    case vk::Numpad3:
        RunCommand([this] { editing_.cmdRunter2_Click(); });
        break;
    case vk::Numpad8:
        RunCommand([this] { editing_.cmdHoch_Click(); });
        break;
    case vk::Numpad9:
        RunCommand([this] { editing_.cmdHoch2_Click(); });
        break;
    default:
        KeyCode = 0;
    }
}

void PlaylistInput::stepSelection(int step) {
    const qsizetype n = list_.ListCount();
    if (n == 0)
        return;
    const qsizetype row = list_.ListIndex();
    if (step < 0)
        list_.setListIndex(row <= 0 ? n - 1 : row - 1);
    else
        list_.setListIndex(row < 0 || row >= n - 1 ? 0 : row + 1);
    time_.ZeitAnzeige(); // the click of the row
    DoEvents();
    if (IsPlaying())
        player_.cmdPlay_Click();
}

void PlaylistInput::lstListe_MouseDown(Qt::MouseButton) {
    const qsizetype s = display_.SelectedIndex();
    DoEvents();
    // A row without an entry behind it (the display not yet rebuilt) switches nothing.
    if (s >= 0 && s < list_.ListCount() && s < state_.EntryCount() && IsPlaying() && state_.PlayingIndex != s &&
        !state_.PlayingFromBrowser) {
        StopAndClose();
        OpenAndPlay(state_.Entries.at(s));
        state_.PlayingIndex = s;
        DoEvents();
        time_.ZeitAnzeige();
    }
    DragIndex = list_.ListIndex();
}

void PlaylistInput::lstListe_MouseMove(Qt::MouseButtons Buttons) {
    qsizetype& from = DragIndex;
    if (Buttons != Qt::LeftButton || from < 0)
        return;
    const qsizetype to = list_.ListIndex();
    // Rows without an entry behind them (the display not yet rebuilt) are not dragged over.
    if (to == from || to < 0 || to >= state_.EntryCount() || from >= state_.EntryCount())
        return;
    list_.swapRows(from, to);
    state_.Entries.swapItemsAt(from, to);
    history_.recordDragSwap(from, to);
    from = to;
    state_.PlayingIndex = to;
}

void PlaylistInput::lstListe_MouseUp() {
    DragIndex = -1;
    history_.endDrag();
}
