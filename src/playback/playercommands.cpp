#include "playback/playercommands.h"

#include "app/frmVeriVuzeDadeve.h"
#include "platform/dosfs.h"
#include "platform/failure.h"
#include "platform/messages.h"
#include "playback/endnotice.h"
#include "playback/imagebutton.h"
#include "playback/modmp3.h"
#include "playback/timedisplay.h"
#include "playlist/browserboxes.h"
#include "playlist/playlistbox.h"

#include <QPushButton>
#include <QTimer>

namespace {

// Runs a handler; an unexpected failure shows the standard failure report.
template <typename Handler> void guarded(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& failure) {
        ReportFailure(failure);
    }
}

// Switches a timer on or off; switching on a running timer leaves its period alone.
void enable(QTimer* timer, bool on) {
    if (on && !timer->isActive())
        timer->start();
    else if (!on)
        timer->stop();
}

void reportMissing(const QString& path) {
    MsgBox(QStringLiteral("File: ") + path + QStringLiteral(" became deleted") + vbCrLf +
               QStringLiteral("from playlist, because it's not valid (anymore)"),
           vbOKOnly, QStringLiteral("File not found"));
}

} // namespace

PlayerCommands::~PlayerCommands() {
    playback::setTitleEndedListener({});
}

void PlayerCommands::createControls(QWidget* client) {
    const auto image = [&](const char* name, const char* icon, const QString& accessible,
                           void (PlayerCommands::*command)()) {
        auto* b = new ImageButton(QStringLiteral(":/player/%1.svg").arg(QLatin1String(icon)), client);
        b->setObjectName(QLatin1String(name));
        b->setAccessibleName(accessible);
        QObject::connect(b, &ImageButton::clicked, &main_,
                         [this, command] { guarded([&] { (this->*command)(); }); });
        return b;
    };
    imgZurueck =
        image("imgZurueck", "previous", QStringLiteral("Previous"), &PlayerCommands::cmdZurueck_Click);
    imgPlay = image("imgPlay", "play", QStringLiteral("Play"), &PlayerCommands::cmdPlay_Click);
    imgStop = image("imgStop", "stop", QStringLiteral("Stop"), &PlayerCommands::imgStop_Click);
    imgVor = image("imgVor", "next", QStringLiteral("Next"), &PlayerCommands::cmdVor_Click);

    const auto hidden = [&](const char* name, const QString& accessible, void (PlayerCommands::*command)()) {
        auto* b = new QPushButton(client);
        b->setObjectName(QLatin1String(name));
        b->setAccessibleName(accessible);
        b->setVisible(false);
        QObject::connect(b, &QPushButton::clicked, &main_,
                         [this, command] { guarded([&] { (this->*command)(); }); });
        return b;
    };
    cmdPlay = hidden("cmdPlay", QStringLiteral("Play command"), &PlayerCommands::cmdPlay_Click);
    cmdStop = hidden("cmdStop", QStringLiteral("Stop command"), &PlayerCommands::cmdStop_Click);
    cmdVor = hidden("cmdVor", QStringLiteral("Next command"), &PlayerCommands::cmdVor_Click);
    cmdZurueck = hidden("cmdZurueck", QStringLiteral("Previous command"), &PlayerCommands::cmdZurueck_Click);

    QObject::connect(main_.Timer1, &QTimer::timeout, &main_, [this] { guarded([this] { Timer1_Timer(); }); });
    QObject::connect(main_.Timer2, &QTimer::timeout, &main_, [this] { guarded([this] { Timer2_Timer(); }); });
    // The engine reports on its own thread; the ticks run on the window's.
    QObject* window = &main_;
    playback::setTitleEndedListener([this, window] {
        QMetaObject::invokeMethod(
            window, [this] { titleEnded(); }, Qt::QueuedConnection);
    });
}

void PlayerCommands::MakeRoomForBar() {
    TimeDisplay& display = main_.timeDisplay;
    display.setListHeight(display.barHeight());
    DoEvents();
    const PlaylistBox* list = main_.lstListe;
    const int top = list->y() + list->height();
    display.shpStrich->move(display.shpStrich->x(), top);
    display.lblProzent->move(display.lblProzent->x(), top);
}

void PlayerCommands::cmdPlay_Click() {
    ProgramState& s = main_.state;
    const qsizetype count = main_.lstListe->ListCount();
    if (count == 0) {
        MsgBox(QStringLiteral("Playlist is empty."), vbOKOnly, QStringLiteral("Error"));
        return;
    }
    const qsizetype i = main_.display.SelectedIndex();
    if (i >= count)
        return;
    const QString path = EntryAt(s, i);
    if (!dosfs::FileExists(path)) {
        cmdStop_Click();
        reportMissing(path);
        return;
    }
    StopAndClose();
    OpenAndPlay(path);
    s.PlayingIndex = i;
    DoEvents();
    main_.ZeitAnzeige();
    if (s.TimeDisplayMode != 2)
        MakeRoomForBar();
    enable(main_.Timer1, true);
}

void PlayerCommands::cmdStop_Click() {
    StopAndClose();
    enable(main_.Timer1, false);
    main_.timeDisplay.setListHeight();
    main_.ZeitAnzeige();
}

void PlayerCommands::imgStop_Click() {
    cmdStop_Click();
    main_.state.PlayingFromBrowser = false;
    main_.state.PlayingIndex = -1;
}

void PlayerCommands::step(int direction) {
    const qsizetype count = main_.lstListe->ListCount();
    qsizetype i = main_.display.SelectedIndex();
    if (i >= count)
        return;
    if (direction > 0)
        i = i < count - 1 ? i + 1 : 0;
    else
        i = i == 0 ? count - 1 : i - 1;
    main_.display.RefreshList(i);
    DoEvents();
    if (IsPlaying()) {
        StopAndClose();
        OpenAndPlay(EntryAt(main_.state, i));
        DoEvents();
    }
    main_.ZeitAnzeige();
}

void PlayerCommands::cmdVor_Click() {
    step(+1);
}

void PlayerCommands::cmdZurueck_Click() {
    step(-1);
}

qsizetype PlayerCommands::fileBoxIndex() const {
    const FileListBox& box = *main_.browser.File1;
    return box.ListCount() == 0 ? box.ListCount() + 1 : box.ListIndex();
}

void PlayerCommands::startFromFileBox(qsizetype k) {
    const FileListBox& box = *main_.browser.File1;
    StopAndClose();
    const QString separator = box.Path().endsWith(u'\\') ? QString() : QStringLiteral("\\");
    // With no file selected (-1) the name is empty and names no file: nothing plays.
    OpenAndPlay(box.Path() + separator + box.List(k));
}

void PlayerCommands::File1_DblClick() {
    const qsizetype k = fileBoxIndex();
    if (k >= main_.browser.File1->ListCount())
        return;
    startFromFileBox(k);
    main_.state.PlayingFromBrowser = true;
    DoEvents();
    main_.ZeitAnzeige();
    if (main_.state.TimeDisplayMode != 2)
        MakeRoomForBar();
    enable(main_.Timer2, true);
}

void PlayerCommands::menPlayLeft_Click() {
    const qsizetype k = fileBoxIndex();
    if (k >= main_.browser.File1->ListCount()) {
        MsgBox(QStringLiteral("No file selected"), vbOKOnly, QStringLiteral("Error"));
        return;
    }
    startFromFileBox(k);
    DoEvents();
    main_.ZeitAnzeige();
    MakeRoomForBar();
    enable(main_.Timer2, true);
}

void PlayerCommands::Timer1_Timer() {
    ProgramState& s = main_.state;
    if (!IsPlaying() && !s.PlayingFromBrowser) {
        StopAndClose();
        const qsizetype selected = main_.display.SelectedIndex(), count = main_.lstListe->ListCount();
        const qsizetype next = selected < count - 1 ? selected + 1 : 0;
        if (next >= count || next >= s.EntryCount()) {
            // The list was emptied while the title played: nothing to go on with.
            cmdStop_Click();
        } else {
            if (dosfs::FileExists(s.Entries.at(next))) {
                OpenAndPlay(s.Entries.at(next));
            } else {
                cmdStop_Click();
                reportMissing(s.Entries.at(next));
            }
            main_.display.RefreshList(next);
        }
    }
    main_.ZeitAnzeige();
}

void PlayerCommands::Timer2_Timer() {
    if (!IsPlaying()) {
        StopAndClose();
        main_.state.PlayingFromBrowser = false;
        enable(main_.Timer2, false);
    }
    main_.ZeitAnzeige();
}

// A title ended: what the next ticks would do happens now. The file box's title is closed first,
// so that the playlist goes on at once after it.
void PlayerCommands::titleEnded() {
    if (main_.Timer2->isActive())
        guarded([this] { Timer2_Timer(); });
    if (main_.Timer1->isActive())
        guarded([this] { Timer1_Timer(); });
}
