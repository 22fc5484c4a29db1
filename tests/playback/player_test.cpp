// The player on the real main window: Play, Stop, Next, Previous, playing from the file box, the
// time field, the bar and the percent label, and the advance when a title ends. The handlers are
// called directly; the routing of buttons, menu entries and keys to them is tested with the
// window. Titles play into test sinks whose clock the test moves.
#include "platform/command.h"
#include "playback/mci.h"
#include "playback/modmp3.h"
#include "playback/window/imagebutton.h"
#include "playbacktesting.h"
#include "playlist/window/browserboxes.h"
#include "playlist/window/playlistbox.h"
#include "windowtest.h"

#include <QFile>
#include <QFrame>
#include <QTimer>
#include <QtTest>

namespace {
const QString kGone = QStringLiteral(" became deleted\r\nfrom playlist, because it's not valid (anymore)");
} // namespace

class PlayerTest : public WindowTest {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        setUp();
        sinks = std::make_unique<TestSinks>(playback::TestSink::kUnbounded, false);
    }
    void cleanup() {
        sinks.reset();
        tearDown();
    }
    void play();
    void nextAndPrevious();
    void advance();
    void timeField();
    void timeFieldCycles();
    void mouseOnTheWindow();
    void remainingWhileIdle();
    void fileBox();
    void stop();

private:
    std::unique_ptr<TestSinks> sinks; // their clocks stand until playOn() moves the latest one
    // Lets the latest title play on for ms, once the decoder has handed all of it over.
    void playOn(qint64 ms) {
        QVERIFY(sinks->last() && sinks->last()->waitForDrain(10000));
        sinks->last()->advance(ms);
    }
    // A fresh window for the next case of a table, with entries A, B, C (3-second titles).
    void reset(int row) {
        cleanup();
        init();
        show(QStringLiteral("ABC"), row);
    }
    int row() const { return int(window->lstListe->ListIndex()); }
    static QString playing() { return IsPlaying() ? letters({OpenTitle()}) : QStringLiteral("-"); }
    // What the player shows: the selected row, the title playing, the entry number it plays,
    // Timer1, and the list's height: full, or shortened by the bar's.
    QString shown() const {
        const int full = int(std::lround((window->frameGeometry().height() * 15 - 2070) / 15.0));
        const int height = window->lstListe->height();
        return QStringLiteral("row %1, plays %2, entry %3, Timer1 %4, list %5")
            .arg(row())
            .arg(playing())
            .arg(state->PlayingIndex)
            .arg(window->Timer1->isActive() ? "on" : "off", height == full ? "full"
                                                            : height == full - window->shpStrich->height()
                                                                ? "short"
                                                                : QString::number(height));
    }
};

// Play on the selected row: the message, what plays, Timer1, and the list making room for the bar.
void PlayerTest::play() {
    enum Situation { Plain, Empty, Vanished, TimeOff, NoRow };
    const struct {
        Situation situation;
        QString message; // "" none
        int style;
        const char *title, *after;
    } cases[] = {
        {Plain, "", 0, "", "row 1, plays B, entry 1, Timer1 on, list short"},
        {TimeOff, "", 0, "", "row 1, plays B, entry 1, Timer1 on, list full"},
        {Empty, "Playlist is empty.", vbOKOnly, "Error", "row -1, plays -, entry -1, Timer1 off, list full"},
        {Vanished, "File: C:\\M\\B.mp3" + kGone, vbOKOnly, "File not found",
         "row 1, plays -, entry -1, Timer1 off, list full"},
        {NoRow, "Subscript out of range\r\nPlease report this error", vbCritical, "Error",
         "row -1, plays -, entry -1, Timer1 off, list full"},
    };
    for (const auto& c : cases) {
        reset(1);
        if (c.situation == Empty)
            show({}, 0);
        if (c.situation == Vanished) {
            OpenAndPlay(state->Entries[0]); // a title that plays is stopped
            window->Timer1->start();
            QFile::remove(env->drive.host(state->Entries[1]));
        }
        if (c.situation == TimeOff)
            state->TimeDisplayMode = TimeFieldMode::Off;
        if (c.situation == NoRow)
            window->lstListe->setListIndex(-1);
        if (!c.message.isEmpty())
            env->messages.expectMsgBox(c.message, c.style, c.title);
        RunCommand([this] { window->player.cmdPlay_Click(); });
        QCOMPARE(shown(), c.after);
        QCOMPARE(window->shpStrich->isVisible(), shown().endsWith("short"));
        if (shown().endsWith("short"))
            QCOMPARE(window->shpStrich->y(), window->lstListe->y() + window->lstListe->height());
    }
}

// Next and Previous wrap around and switch the title only while one plays; on an empty playlist
// they do nothing, also while a title from elsewhere plays.
void PlayerTest::nextAndPrevious() {
    const struct {
        const char* entries;
        int from;
        bool next, playing;
        const char* after;
    } cases[] = {
        {"ABC", 1, true, true, "row 2, plays C, entry 1, Timer1 on, list short"},
        {"ABC", 2, true, true, "row 0, plays A, entry 2, Timer1 on, list short"},
        {"ABC", 2, true, false, "row 0, plays -, entry -1, Timer1 off, list full"},
        {"ABC", 1, false, true, "row 0, plays A, entry 1, Timer1 on, list short"},
        {"ABC", 0, false, true, "row 2, plays C, entry 0, Timer1 on, list short"},
        {"ABC", 0, false, false, "row 2, plays -, entry -1, Timer1 off, list full"},
        {"", 0, true, true, "row -1, plays X, entry -1, Timer1 off, list full"},
        {"", 0, false, true, "row -1, plays X, entry -1, Timer1 off, list full"},
    };
    for (const auto& c : cases) {
        reset(c.from);
        show(QLatin1String(c.entries), c.from);
        if (c.playing && *c.entries) {
            window->player.cmdPlay_Click();
        } else if (c.playing) {
            env->drive.copyFixture(QStringLiteral("plain-stereo.mp3"), QStringLiteral("C:\\X.mp3"));
            OpenAndPlay(QStringLiteral("C:\\X.mp3"));
        }
        if (c.next)
            window->player.cmdVor_Click();
        else
            window->player.cmdZurueck_Click();
        QCOMPARE(shown(), c.after);
    }
}

// A title ends: the entry after the selected row follows at once (the timers' own ticks are an
// hour away), and the special cases stop cleanly. A tick while the title still plays changes
// nothing.
void PlayerTest::advance() {
    enum Meanwhile { Nothing, Deleted, Emptied, Selected, Shortened, StillPlaying };
    const struct {
        int from;
        Meanwhile meanwhile;
        const char* after;
    } cases[] = {
        {0, Nothing, "row 1, plays B, entry 0, Timer1 on, list short"},
        {2, Nothing, "row 0, plays A, entry 2, Timer1 on, list short"},
        {0, Deleted, "row 1, plays -, entry 0, Timer1 off, list full"},
        {0, Emptied, "row -1, plays -, entry 0, Timer1 off, list full"},
        {0, Selected, "row 0, plays A, entry 0, Timer1 on, list short"},  // row 2 selected meanwhile
        {0, Shortened, "row 0, plays -, entry 0, Timer1 off, list full"}, // more rows than entries
        {1, StillPlaying, "row 1, plays B, entry 1, Timer1 on, list short"},
    };
    for (const auto& c : cases) {
        reset(c.from);
        window->Timer1->setInterval(3600 * 1000);
        window->player.cmdPlay_Click();
        if (c.meanwhile == Deleted) {
            QFile::remove(env->drive.host(state->Entries[1]));
            env->messages.expectMsgBox("File: C:\\M\\B.mp3" + kGone, vbOKOnly,
                                       QStringLiteral("File not found"));
        }
        if (c.meanwhile == Emptied)
            show({}, 0);
        if (c.meanwhile == Selected)
            window->display.RefreshList(2);
        if (c.meanwhile == Shortened)
            state->Entries.resize(1);
        if (c.meanwhile == StillPlaying)
            window->player.Timer1_Timer();
        else
            playOn(3500);
        QTRY_COMPARE(shown(), c.after);
        QCOMPARE(window->shpStrich->isVisible(), shown().endsWith("short"));
    }
}

// The time field, the bar and the percent label while a 200-second title plays. The percentage
// never reaches 100 % before the end.
void PlayerTest::timeField() {
    const struct {
        TimeFieldMode mode;
        int ms; // played
        const char *time, *percent;
        int bar; // width in thousandths of the list's width, -1 none
    } cases[] = {
        {TimeFieldMode::Elapsed, 45000, "0:45", "22 %", 225},
        {TimeFieldMode::Elapsed, 65000, "01:05", "32 %", 325},
        {TimeFieldMode::Elapsed, 199400, "03:19", "99 %", 995},
        {TimeFieldMode::Elapsed, 199700, "03:20", "99 %", 995},
        {TimeFieldMode::Remaining, 15000, "- 3:05", "92 %", 925},
        {TimeFieldMode::Remaining, 0, "- 3:20", "100 %", 1000},
        {TimeFieldMode::Off, 65000, "", "", -1},
    };
    for (const auto& c : cases) {
        reset(2);
        env->drive.copyFixture(QStringLiteral("long-200s.mp3"), state->Entries[2]);
        state->TimeDisplayMode = c.mode;
        window->player.cmdPlay_Click();
        // Passes through the percentages below the last one, as the ticks would show them.
        const int before = std::max(0, c.ms - 300);
        playOn(before);
        window->timeDisplay.ZeitAnzeige();
        playOn(c.ms - before);
        window->timeDisplay.ZeitAnzeige();
        QCOMPARE(window->lblZeit->text(), c.time);
        QCOMPARE(window->lblProzent->text(), c.percent);
        const QWidget *bar = window->shpStrich, *percent = window->lblProzent;
        QCOMPARE(bar->isVisible(), c.bar >= 0);
        if (c.bar >= 0) {
            QCOMPARE(bar->width(), int(std::lround(c.bar / 1000.0 * window->lstListe->width())));
            QCOMPARE(percent->x() + percent->width() / 2, bar->x() + window->lstListe->width() / 2);
        }
    }
}

// Clicks cycle elapsed, remaining, off and elapsed again; the border, the bar and the room for it
// go and come back.
void PlayerTest::timeFieldCycles() {
    show(QStringLiteral("ABC"), 1);
    window->player.cmdPlay_Click();
    playOn(2000);
    for (const QString expected : {"- 0:01", "", "0:02", "- 0:01"}) {
        window->timeDisplay.lblZeit_Click();
        QCOMPARE(window->lblZeit->text(), expected);
        QCOMPARE(window->lblZeit->frameShape(), expected.isEmpty() ? QFrame::NoFrame : QFrame::Box);
        QCOMPARE(window->shpStrich->isVisible(), !expected.isEmpty());
        QCOMPARE(shown(), expected.isEmpty() ? "row 1, plays B, entry 1, Timer1 on, list full"
                                             : "row 1, plays B, entry 1, Timer1 on, list short");
    }
}

// Mouse clicks as the window system delivers them: where the time field is, they cycle its modes
// while idle and while playing (an empty caption keeps the field's place); a double click on an
// image button or on the time field counts once.
void PlayerTest::mouseOnTheWindow() {
    const auto at = [this](QWidget* control) { return control->mapTo(window, control->rect().center()); };
    for (const bool playing : {false, true}) {
        reset(0);
        if (playing)
            window->player.cmdPlay_Click();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        for (const int mode : {1, 2, 0}) {
            QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at(window->lblZeit));
            QCOMPARE(int(state->TimeDisplayMode), mode);
        }
    }
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, at(window->imgVor));
    QCOMPARE(shown(), "row 1, plays B, entry 0, Timer1 on, list short");
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, at(window->lblZeit));
    QCOMPARE(state->TimeDisplayMode, TimeFieldMode::Remaining);
}

// With nothing playing the remaining view shows the selected entry's full length, which is left
// open and paused; the elapsed view shows 0:00.
void PlayerTest::remainingWhileIdle() {
    show(QStringLiteral("ABC"), 2);
    env->drive.copyFixture(QStringLiteral("pb-cbr-s44.mp3"), state->Entries[1]); // 4 s
    QCOMPARE(window->lblZeit->text(), "0:00");
    window->timeDisplay.lblZeit_Click();
    QCOMPARE(window->lblZeit->text(), "- 0:03");
    QVERIFY(!IsPlaying() && playback::mciDevice("MP3Play"));
    window->display.RefreshList(1); // selecting a row shows its length
    QCOMPARE(window->lblZeit->text(), "- 0:04");
    QVERIFY(!window->shpStrich->isVisible());
    QCOMPARE(window->lblProzent->text(), "");
}

// Playing the file box's last file (y, a 2-second title) while the playlist plays row 0 (or not)
// and row 1 is selected. The double click puts the title in charge until it ends, then the
// playlist goes on after row 1; after the menu's Play a tick of Timer1 goes on at once. Neither
// plays anything from an empty box.
void PlayerTest::fileBox() {
    const struct {
        bool menu;
        const char* folder;
        TimeFieldMode mode;
        bool playlistPlays;
        const char* after;
    } cases[] = {
        {false, "C:\\Box", TimeFieldMode::Elapsed, true, "row 1, plays y, entry 0, Timer1 on, list short"},
        {false, "C:\\", TimeFieldMode::Elapsed, true, "row 1, plays y, entry 0, Timer1 on, list short"},
        {false, "C:\\Box", TimeFieldMode::Off, true, "row 1, plays y, entry 0, Timer1 on, list full"},
        {false, "C:\\Box", TimeFieldMode::Elapsed, false, "row 1, plays y, entry -1, Timer1 off, list short"},
        {false, "C:\\Empty", TimeFieldMode::Elapsed, true, "row 1, plays A, entry 0, Timer1 on, list short"},
        {true, "C:\\Box", TimeFieldMode::Elapsed, true, "row 1, plays y, entry 0, Timer1 on, list short"},
        {true, "C:\\Box", TimeFieldMode::Off, true, "row 1, plays y, entry 0, Timer1 on, list short"},
        {true, "C:\\Empty", TimeFieldMode::Elapsed, true, "row 1, plays A, entry 0, Timer1 on, list short"},
    };
    for (const auto& c : cases) {
        reset(0);
        const QString folder = QLatin1String(c.folder), dir = folder.endsWith(u'\\') ? folder : folder + "\\";
        const bool empty = folder.endsWith("Empty");
        QDir().mkpath(env->drive.host(dir));
        if (!empty) {
            env->drive.copyFixture(QStringLiteral("tagged-mono.mp3"), dir + "x.mp3");
            env->drive.copyFixture(QStringLiteral("follow-a.mp3"), dir + "y.mp3");
        }
        window->File1->setPath(folder);
        window->File1->setListIndex(window->File1->ListCount() - 1);
        state->TimeDisplayMode = c.mode;
        window->Timer1->setInterval(3600 * 1000);
        window->Timer2->setInterval(3600 * 1000);
        if (c.playlistPlays)
            window->player.cmdPlay_Click();
        window->display.RefreshList(1);
        if (c.menu && empty)
            env->messages.expectMsgBox(kNoFileSelected, vbOKOnly, QStringLiteral("Error"));
        if (c.menu)
            window->player.menPlayLeft_Click();
        else
            window->player.File1_DblClick();
        QCOMPARE(shown(), c.after);
        QCOMPARE(window->Timer2->isActive(), !empty);
        QCOMPARE(state->PlayingFromBrowser, !c.menu && !empty);
        if (empty)
            continue;
        window->player.Timer2_Timer(); // still playing: changes nothing
        QVERIFY(playing() == "y" && window->Timer2->isActive() && state->PlayingFromBrowser == !c.menu);

        playOn(2500);
        QVERIFY(eventually([] { return !IsPlaying(); }));
        // A tick of Timer1 before Timer2's leaves the double-clicked title in charge.
        if (c.playlistPlays)
            window->player.Timer1_Timer();
        QCOMPARE(row(), c.menu ? 2 : 1);
        // The end reported by the engine runs Timer2's tick, then Timer1's; a title started by the
        // menu keeps Timer2 on while the playlist goes on.
        QTRY_COMPARE(window->Timer2->isActive(), c.menu);
        QCOMPARE(shown().left(14), c.playlistPlays ? "row 2, plays C" : "row 1, plays -");
        QCOMPARE(state->PlayingFromBrowser, false);
    }
}

// The pressed look lasts from press to release of any button, even when the pointer has left the
// button. The Stop image button also forgets what was playing; the Stop command keeps the entry.
void PlayerTest::stop() {
    ImageButton* button = window->imgStop;
    for (const Qt::MouseButton mouse : {Qt::LeftButton, Qt::RightButton}) {
        QTest::mousePress(button, mouse, {}, QPoint(16, 16));
        QTest::mouseMove(button, QPoint(200, 200));
        QCOMPARE(button->BorderStyle(), 1);
        QTest::mouseRelease(button, mouse, {}, QPoint(200, 200));
        QCOMPARE(button->BorderStyle(), 0);
    }
    show(QStringLiteral("ABC"), 0);
    window->player.cmdPlay_Click();
    state->PlayingFromBrowser = true;
    window->Timer2->start();
    window->player.imgStop_Click();
    QCOMPARE(shown(), "row 0, plays -, entry -1, Timer1 off, list full");
    QVERIFY(window->Timer2->isActive() && !state->PlayingFromBrowser);
    window->player.cmdPlay_Click();
    window->player.cmdStop_Click();
    QCOMPARE(shown(), "row 0, plays -, entry 0, Timer1 off, list full");
}

QTEST_MAIN(PlayerTest)
#include "player_test.moc"
