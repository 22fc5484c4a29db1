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

class PlayerTest : public WindowTest {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        setUp();
        sinks = std::make_unique<TestSinks>(playback::TestSink::kUnbounded, playback::kOutputLatencyMs, false);
    }
    void cleanup() {
        sinks.reset();
        tearDown();
    }
    void scenarios();
    void timeField();
    void timeFieldClicks();

private:
    std::unique_ptr<TestSinks> sinks; // their clocks stand until playOn() moves the latest one
    // Lets the latest title play on for ms, once the decoder has handed all of it over.
    void playOn(qint64 ms) {
        QVERIFY(sinks->last() && sinks->last()->waitForDrain(10000));
        sinks->last()->advance(ms);
    }
    // A fresh window for the next case of a table, with entries A, B, C (3-second titles) or others.
    void reset(int row, const QString& entries = QStringLiteral("ABC")) {
        cleanup();
        init();
        show(entries, row);
    }
    int row() const { return int(window->lstListe->ListIndex()); }
    // What the player shows: the selected row, the title playing, the entry number it plays, the
    // timers running, the list's height (full, or shortened by the bar's) and the bar; whether the
    // file box's title is in charge.
    QString shown() const {
        const int full = int(std::lround((window->frameGeometry().height() * 15 - 2070) / 15.0));
        const int height = window->lstListe->height();
        const QString timers = (QString(window->Timer1->isActive() ? "Timer1 " : "") +
                                (window->Timer2->isActive() ? "Timer2" : ""))
                                   .trimmed();
        return QStringLiteral("row %1 | %2 | entry %3 | %4 | %5%6%7")
            .arg(row())
            .arg(IsPlaying() ? letters({OpenTitle()}) : QStringLiteral("-"))
            .arg(state->PlayingIndex)
            .arg(timers.isEmpty() ? QStringLiteral("-") : timers,
                 height == full                                 ? "full"
                 : height == full - window->shpStrich->height() ? "short"
                                                                : QString::number(height),
                 window->shpStrich->isVisible() ? " bar" : "",
                 state->PlayingFromBrowser ? " | from the box" : "");
    }
};

// One scenario per row: the entries (A, B, C are 3-second titles) with a row selected, the steps in
// order, the message they show, and what the player shows at the end (see shown()), once the end
// notices of titles that ended have been handled. The steps: play, stop, imgstop, next, previous,
// dblclick, menu (the file box's Play), tick1, tick2 run the handlers; end: the title playing ends;
// off: the time field shows nothing; unselect: no row selected; empty: the list emptied; goneB: B's
// file deleted; row1, row2: that row selected; cut: the entries cut to one, the list not rebuilt;
// openA: A opened and played directly; timer1: Timer1 started; X: a title not in the list plays;
// browser: the file box's title is in charge; box, root, emptybox: the file box shows C:\Box
// (x.mp3 and the 2-second y.mp3), C:\ holding the same, or an empty folder, its last file selected.
void PlayerTest::scenarios() {
    const QString gone =
        "File: C:\\M\\B.mp3 became deleted\r\nfrom playlist, because it's not valid (anymore)";
    const struct {
        const char* entries;
        int row;
        const char* steps;
        QString message; // "" none
        const char* after;
    } cases[] = {
        // Play on the selected row.
        {"ABC", 1, "play", "", "row 1 | B | entry 1 | Timer1 | short bar"},
        {"ABC", 1, "off play", "", "row 1 | B | entry 1 | Timer1 | full"},
        {"", 0, "play", "Playlist is empty.", "row -1 | - | entry -1 | - | full"},
        {"ABC", 1, "openA timer1 goneB play", gone, "row 1 | - | entry -1 | - | full"},
        {"ABC", 1, "unselect play", "Subscript out of range\r\nPlease report this error",
         "row -1 | - | entry -1 | - | full"},
        {"ABC", 0, "play browser imgstop", "", "row 0 | - | entry -1 | Timer2 | full"},
        // Next and Previous wrap around and switch the title that plays (without one they only
        // select, as the routing test shows); on an empty list they do nothing, also while a title
        // from elsewhere plays.
        {"ABC", 2, "play next", "", "row 0 | A | entry 2 | Timer1 | short bar"},
        {"ABC", 0, "play previous", "", "row 2 | C | entry 0 | Timer1 | short bar"},
        {"", 0, "X next", "", "row -1 | X | entry -1 | - | full"},
        // A title ends: the entry after the selected row follows; the special cases stop cleanly;
        // a tick while the title still plays changes nothing.
        {"ABC", 0, "play end", "", "row 1 | B | entry 0 | Timer1 | short bar"},
        {"ABC", 0, "play goneB end", gone, "row 1 | - | entry 0 | - | full"},
        {"ABC", 0, "play empty end", "", "row -1 | - | entry 0 | - | full"},
        {"ABC", 0, "play row2 end", "", "row 0 | A | entry 0 | Timer1 | short bar"},
        {"ABC", 0, "play cut end", "", "row 0 | - | entry 0 | - | full"},
        {"ABC", 1, "play tick1", "", "row 1 | B | entry 1 | Timer1 | short bar"},
        // The file box: the double click puts its title in charge until it ends (a tick of either
        // timer before changes nothing), then the playlist goes on after the selected row; after
        // the menu's Play the playlist goes on at once. Nothing plays from an empty box.
        {"ABC", 0, "box play row1 dblclick", "",
         "row 1 | y | entry 0 | Timer1 Timer2 | short bar | from the box"},
        {"ABC", 0, "root play row1 dblclick tick2", "",
         "row 1 | y | entry 0 | Timer1 Timer2 | short bar | from the box"},
        {"ABC", 0, "box off play row1 dblclick", "",
         "row 1 | y | entry 0 | Timer1 Timer2 | full | from the box"},
        // (the idle moment between the two ends' ticks gives the list its full height back, and the
        // playlist's next title does not shorten it again: the bar is drawn over the list's foot)
        {"ABC", 0, "box play row1 dblclick end tick1", "", "row 2 | C | entry 0 | Timer1 | full bar"},
        {"ABC", 1, "box dblclick end", "", "row 1 | - | entry -1 | - | full"},
        {"ABC", 0, "emptybox play row1 dblclick", "", "row 1 | A | entry 0 | Timer1 | short bar"},
        {"ABC", 0, "box play row1 menu", "", "row 1 | y | entry 0 | Timer1 Timer2 | short bar"},
        {"ABC", 0, "box off play row1 menu", "", "row 1 | y | entry 0 | Timer1 Timer2 | short"},
        {"ABC", 0, "box play row1 menu end tick1", "", "row 2 | C | entry 0 | Timer1 Timer2 | short bar"},
        {"ABC", 0, "emptybox play row1 menu", kNoFileSelected, "row 1 | A | entry 0 | Timer1 | short bar"},
    };
    const auto box = [this](const QString& folder, bool files) {
        const QString dir = folder.endsWith(u'\\') ? folder : folder + u'\\';
        QDir().mkpath(env->drive.host(dir));
        for (const char* name : {"x.mp3", "y.mp3"})
            if (files)
                env->drive.copyFixture(*name == 'x' ? "tagged-mono.mp3" : "follow-a.mp3", dir + name);
        window->File1->setPath(folder);
        window->File1->setListIndex(window->File1->ListCount() - 1);
    };
    const QHash<QString, std::function<void()>> steps = {
        {"play", [&] { window->player.cmdPlay_Click(); }},
        {"stop", [&] { window->player.cmdStop_Click(); }},
        {"imgstop", [&] { window->player.imgStop_Click(); }},
        {"next", [&] { window->player.cmdVor_Click(); }},
        {"previous", [&] { window->player.cmdZurueck_Click(); }},
        {"dblclick", [&] { window->player.File1_DblClick(); }},
        {"menu", [&] { window->player.menPlayLeft_Click(); }},
        {"tick1", [&] { window->player.Timer1_Timer(); }},
        {"tick2", [&] { window->player.Timer2_Timer(); }},
        // The title's last 200 ms are still to be heard: it has ended once they are queued.
        {"end",
         [&] {
             playOn(2800);
             QVERIFY(eventually([] { return !IsPlaying(); }));
         }},
        {"off", [&] { state->TimeDisplayMode = TimeFieldMode::Off; }},
        {"unselect", [&] { window->lstListe->setListIndex(-1); }},
        {"empty", [&] { show({}, 0); }},
        {"goneB", [&] { QFile::remove(env->drive.host(QStringLiteral("C:\\M\\B.mp3"))); }},
        {"row1", [&] { window->display.RefreshList(1); }},
        {"row2", [&] { window->display.RefreshList(2); }},
        {"cut", [&] { state->Entries.resize(1); }},
        {"openA", [&] { OpenAndPlay(QStringLiteral("C:\\M\\A.mp3")); }},
        {"timer1", [&] { window->Timer1->start(); }},
        {"X", [&] { env->drive.copyFixture("plain-stereo.mp3", "C:\\X.mp3"), OpenAndPlay("C:\\X.mp3"); }},
        {"browser", [&] { state->PlayingFromBrowser = true, window->Timer2->start(); }},
        {"box", [&] { box(QStringLiteral("C:\\Box"), true); }},
        {"root", [&] { box(QStringLiteral("C:\\"), true); }},
        {"emptybox", [&] { box(QStringLiteral("C:\\Empty"), false); }},
    };
    for (const auto& c : cases) {
        reset(c.row, QLatin1String(c.entries));
        window->Timer1->setInterval(3600 * 1000); // no tick of their own
        window->Timer2->setInterval(3600 * 1000);
        if (!c.message.isEmpty())
            env->messages.expectMsgBox(c.message, c.message.startsWith("Subscript") ? vbCritical : vbOKOnly,
                                       c.message.startsWith("File:") ? "File not found" : "Error");
        for (const QString& step : QString(c.steps).split(u' '))
            RunCommand(steps.value(step, [&] { QFAIL(qPrintable("no step " + step)); }));
        QTRY_COMPARE(c.steps + (" -> " + shown()),
                     c.steps + QStringLiteral(" -> ") + c.after); // names the row
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

// Clicks where the time field is, as the window system delivers them, cycle elapsed, remaining,
// off and elapsed again, idle and playing, also on the empty caption; the border, the bar and the
// room for it go and come back. Idle, the remaining view shows the selected entry's full length,
// which is left open and paused. A double click on the time field or on an image button counts once.
void PlayerTest::timeFieldClicks() {
    show(QStringLiteral("ABC"), 1);
    env->drive.copyFixture(QStringLiteral("pb-cbr-s44.mp3"), state->Entries[2]); // 4 s
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const auto click = [this](QWidget* control, bool twice = false) {
        const QPoint at = control->mapTo(window, control->rect().center());
        twice ? QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, at)
              : QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
    };
    for (const QString expected : {"- 0:03", "", "0:00"}) {
        click(window->lblZeit);
        QCOMPARE(window->lblZeit->text(), expected);
        QCOMPARE(window->lblZeit->frameShape(), expected.isEmpty() ? QFrame::NoFrame : QFrame::Box);
        if (expected.startsWith(u'-')) { // selecting another row shows its length
            QVERIFY(!IsPlaying() && playback::mciDevice("MP3Play"));
            window->display.RefreshList(2);
            QCOMPARE(window->lblZeit->text(), "- 0:04");
            QVERIFY(!window->shpStrich->isVisible() && window->lblProzent->text().isEmpty());
            window->display.RefreshList(1);
        }
    }
    window->player.cmdPlay_Click();
    playOn(2000);
    for (const QString expected : {"- 0:01", "", "0:02", "- 0:01"}) {
        click(window->lblZeit);
        QCOMPARE(window->lblZeit->text(), expected);
        QCOMPARE(window->lblZeit->frameShape(), expected.isEmpty() ? QFrame::NoFrame : QFrame::Box);
        QCOMPARE(shown(), expected.isEmpty() ? "row 1 | B | entry 1 | Timer1 | full"
                                             : "row 1 | B | entry 1 | Timer1 | short bar");
    }
    click(window->imgVor, true);
    QCOMPARE(shown(), "row 2 | C | entry 1 | Timer1 | short bar");
    click(window->lblZeit, true);
    QCOMPARE(state->TimeDisplayMode, TimeFieldMode::Off);
}

QTEST_MAIN(PlayerTest)
#include "player_test.moc"
