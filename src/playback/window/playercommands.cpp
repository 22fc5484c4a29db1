#include "playback/window/playercommands.h"

#include "app/window/windowlayout.h"
#include "platform/command.h"
#include "platform/dosfs.h"
#include "platform/messages.h"
#include "playback/endnotice.h"
#include "playback/modmp3.h"
#include "playback/window/timedisplay.h"
#include "playlist/documents.h"
#include "playlist/programstate.h"
#include "playlist/window/browserboxes.h"
#include "playlist/window/listdisplay.h"
#include "playlist/window/playlistbox.h"

#include <QTimer>

namespace {

// Switches a timer on or off; switching on a running timer leaves its period alone.
void enable(QTimer& timer, bool on) {
    if (on && !timer.isActive())
        timer.start();
    else if (!on)
        timer.stop();
}

} // namespace

PlayerCommands::PlayerCommands(ProgramState& state, const PlaylistBox& list, ListDisplay& display,
                               TimeDisplay& time, WindowLayout& layout, const FileListBox& fileBox,
                               QTimer& Timer1, QTimer& Timer2)
    : state_(state), list_(list), display_(display), time_(time), layout_(layout), fileBox_(fileBox),
      timer1_(Timer1), timer2_(Timer2) {
    // The engine reports on its own thread; the ticks run on the window's.
    QObject* context = &timer1_;
    playback::setTitleEndedListener([this, context] {
        QMetaObject::invokeMethod(
            context, [this] { titleEnded(); }, Qt::QueuedConnection);
    });
}

PlayerCommands::~PlayerCommands() {
    playback::setTitleEndedListener({});
}

void PlayerCommands::makeRoomForBar() {
    layout_.setListHeight(time_.barHeight());
    DoEvents();
    time_.placeBarUnderList();
}

void PlayerCommands::cmdPlay_Click() {
    ProgramState& s = state_;
    const qsizetype count = list_.ListCount();
    if (count == 0) {
        MsgBox(QStringLiteral("Playlist is empty."), vbOKOnly, QStringLiteral("Error"));
        return;
    }
    const qsizetype i = display_.SelectedIndex();
    if (i >= count)
        return;
    const QString path = EntryAt(s, i);
    if (!dosfs::FileExists(path)) {
        cmdStop_Click();
        ReportBecameDeleted(path);
        return;
    }
    StopAndClose();
    OpenAndPlay(path);
    s.PlayingIndex = i;
    DoEvents();
    time_.ZeitAnzeige();
    if (s.TimeDisplayMode != TimeFieldMode::Off)
        makeRoomForBar();
    enable(timer1_, true);
}

void PlayerCommands::cmdStop_Click() {
    StopAndClose();
    enable(timer1_, false);
    layout_.setListHeight();
    time_.ZeitAnzeige();
}

void PlayerCommands::imgStop_Click() {
    cmdStop_Click();
    state_.PlayingFromBrowser = false;
    state_.PlayingIndex = -1;
}

void PlayerCommands::step(int direction) {
    const qsizetype count = list_.ListCount();
    qsizetype i = display_.SelectedIndex();
    if (i >= count)
        return;
    if (direction > 0)
        i = i < count - 1 ? i + 1 : 0;
    else
        i = i == 0 ? count - 1 : i - 1;
    display_.RefreshList(i);
    DoEvents();
    if (IsPlaying()) {
        StopAndClose();
        OpenAndPlay(EntryAt(state_, i));
        DoEvents();
    }
    time_.ZeitAnzeige();
}

void PlayerCommands::cmdVor_Click() {
    step(+1);
}

void PlayerCommands::cmdZurueck_Click() {
    step(-1);
}

qsizetype PlayerCommands::fileBoxIndex() const {
    const FileListBox& box = fileBox_;
    return box.ListCount() == 0 ? box.ListCount() + 1 : box.ListIndex();
}

void PlayerCommands::startFromFileBox(qsizetype k) {
    const FileListBox& box = fileBox_;
    StopAndClose();
    const QString separator = box.Path().endsWith(u'\\') ? QString() : QStringLiteral("\\");
    // With no file selected (-1) the name is empty and names no file: nothing plays.
    OpenAndPlay(box.Path() + separator + box.List(k));
}

void PlayerCommands::File1_DblClick() {
    const qsizetype k = fileBoxIndex();
    if (k >= fileBox_.ListCount())
        return;
    startFromFileBox(k);
    state_.PlayingFromBrowser = true;
    DoEvents();
    time_.ZeitAnzeige();
    if (state_.TimeDisplayMode != TimeFieldMode::Off)
        makeRoomForBar();
    enable(timer2_, true);
}

void PlayerCommands::menPlayLeft_Click() {
    const qsizetype k = fileBoxIndex();
    if (k >= fileBox_.ListCount()) {
        MsgBox(kNoFileSelected, vbOKOnly, QStringLiteral("Error"));
        return;
    }
    startFromFileBox(k);
    DoEvents();
    time_.ZeitAnzeige();
    makeRoomForBar();
    enable(timer2_, true);
}

void PlayerCommands::Timer1_Timer() {
    ProgramState& s = state_;
    if (!IsPlaying() && !s.PlayingFromBrowser) {
        StopAndClose();
        const qsizetype selected = display_.SelectedIndex(), count = list_.ListCount();
        const qsizetype next = selected < count - 1 ? selected + 1 : 0;
        if (next >= count || next >= s.EntryCount()) {
            // The list was emptied while the title played: nothing to go on with.
            cmdStop_Click();
        } else {
            if (dosfs::FileExists(s.Entries.at(next))) {
                OpenAndPlay(s.Entries.at(next));
            } else {
                cmdStop_Click();
                ReportBecameDeleted(s.Entries.at(next));
            }
            display_.RefreshList(next);
        }
    }
    time_.ZeitAnzeige();
}

void PlayerCommands::Timer2_Timer() {
    if (!IsPlaying()) {
        StopAndClose();
        state_.PlayingFromBrowser = false;
        enable(timer2_, false);
    }
    time_.ZeitAnzeige();
}

// A title ended: what the next ticks would do happens now. The file box's title is closed first,
// so that the playlist goes on at once after it.
void PlayerCommands::titleEnded() {
    if (timer2_.isActive())
        RunCommand([this] { Timer2_Timer(); });
    if (timer1_.isActive())
        RunCommand([this] { Timer1_Timer(); });
}
