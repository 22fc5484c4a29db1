// The player on the real main window: Play, Stop, Next, Previous, the image buttons, playing from
// the file box, the time field, the bar and the percent label, and the advance when a title ends.
// Titles play into test sinks whose clock the test moves; messages go to the scripted service.
#include "playback/clockedsinks.h"
#include "playback/window/imagebutton.h"
#include "playback/mci.h"
#include "playback/modmp3.h"
#include "playlist/window/browserboxes.h"
#include "playlist/window/playlistbox.h"
#include "windowsandbox.h"

#include <QFile>
#include <QFrame>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <mutex>
#include <thread>

namespace {

const QString kA = QStringLiteral("C:\\Music\\a.mp3"); // 3 s
const QString kB = QStringLiteral("C:\\Music\\b.mp3"); // 4 s
const QString kC = QStringLiteral("C:\\Music\\c.mp3"); // 200 s
const QString kGone = QStringLiteral(" became deleted\r\nfrom playlist, because it's not valid (anymore)");

// Every device opened plays into a new test sink with a standing clock; the test moves the clock
// of the latest one.
class Sinks {
public:
    Sinks() {
        playback::setSinkFactory([this] {
            auto sink = std::make_shared<playback::TestSink>(playback::TestSink::kUnbounded, false);
            std::lock_guard lock(mutex_);
            latest_ = sink;
            return sink;
        });
    }
    ~Sinks() { playback::setSinkFactory({}); }
    // Lets the latest title play on for ms, once the decoder has handed all of it over.
    void play(qint64 ms) {
        std::shared_ptr<playback::TestSink> sink;
        {
            std::lock_guard lock(mutex_);
            sink = latest_;
        }
        QVERIFY(sink && sink->waitForDrain(10000));
        sink->advance(ms);
    }

private:
    std::mutex mutex_;
    std::shared_ptr<playback::TestSink> latest_;
};

// Waits until the engine has seen its title end, without letting window events run.
bool engineStopped() {
    for (int i = 0; i < 10000 && IsPlaying(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return !IsPlaying();
}

// Length of the title open, which tells the three entries apart; 0 when none plays.
int playingLength() {
    return IsPlaying() ? int(LengthSeconds()) : 0;
}

} // namespace

class PlayerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void play_data();
    void play();
    void nextAndPrevious_data();
    void nextAndPrevious();
    void advance_data();
    void advance();
    void timeField_data();
    void timeField();
    void clickCyclesTheTimeField();
    void timeFieldClickedAtItsPlace_data();
    void timeFieldClickedAtItsPlace();
    void doubleClickRunsOnce();
    void remainingWhileIdle();
    void fileBox_data();
    void fileBox();
    void imageButtons();

private:
    std::unique_ptr<WindowSandbox> s;
    std::unique_ptr<Sinks> sinks;
    frmVeriVuzeDadeve* w = nullptr;
    // a, b, c in the list, row selected.
    void start(qsizetype row) {
        s->env.drive.copyFixture(QStringLiteral("plain-stereo.mp3"), kA);
        s->env.drive.copyFixture(QStringLiteral("pb-cbr-s44.mp3"), kB);
        s->env.drive.copyFixture(QStringLiteral("long-200s.mp3"), kC);
        s->state.Entries = {kA, kB, kC};
        w->display.RefreshList(row);
    }
    int row() const { return int(w->lstListe->ListIndex()); }
    QString time() const { return w->lblZeit->text(); }
    QString percent() const { return w->lblProzent->text(); }
    int fullListHeight() const { // window height - 2070 twips
        return int(std::lround((w->frameGeometry().height() * 15 - 2070) / 15.0));
    }
};

void PlayerTest::init() {
    s = std::make_unique<WindowSandbox>();
    sinks = std::make_unique<Sinks>();
    w = &s->window;
    QCOMPARE(w->logicalDpiY(), 96);
}

void PlayerTest::cleanup() {
    QCOMPARE(s->env.messages.problems(), QStringList());
    StopAndClose();
    sinks.reset();
    s.reset();
}

// Play on the selected row: the messages, what plays, the timer and the list's height.
void PlayerTest::play_data() {
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("message"); // title "Error" or "File not found", style 0
    QTest::addColumn<int>("length");      // of the title playing afterwards, 0 for none
    QTest::addColumn<bool>("timer1");
    QTest::addColumn<bool>("shortened"); // the list makes room for the bar
    QTest::newRow("plays the selected row") << ""
                                            << "" << 4 << true << true;
    QTest::newRow("empty list") << "empty"
                                << "Playlist is empty." << 0 << false << false;
    QTest::newRow("vanished file stops")
        << "vanished" << QString("File: " + kB + kGone) << 0 << false << false;
    QTest::newRow("time display off") << "off"
                                      << "" << 4 << true << false;
    QTest::newRow("no row selected") << "unselected"
                                     << "Subscript out of range\r\nPlease report this error" << 0 << false
                                     << false;
}

void PlayerTest::play() {
    QFETCH(QString, situation);
    QFETCH(QString, message);
    QFETCH(int, length);
    QFETCH(bool, timer1);
    QFETCH(bool, shortened);
    start(1);
    const int full = fullListHeight();
    if (situation == u"empty") {
        s->state.Entries.clear();
        w->display.RefreshList(0);
    }
    if (situation == u"vanished") {
        OpenAndPlay(kA); // a title that plays is stopped
        w->Timer1->start();
        QFile::remove(s->env.drive.host(kB));
    }
    if (situation == u"off")
        s->state.TimeDisplayMode = TimeFieldMode::Off;
    if (situation == u"unselected")
        w->lstListe->setListIndex(-1);
    if (!message.isEmpty())
        s->env.messages.expectMsgBox(message, message.startsWith("Subscript") ? vbCritical : vbOKOnly,
                                     message.startsWith("File") ? "File not found" : "Error");
    w->imgPlay->click();
    QCOMPARE(playingLength(), length);
    QCOMPARE(w->Timer1->isActive(), timer1);
    QCOMPARE(w->lstListe->height(), shortened ? full - w->shpStrich->height() : full);
    if (shortened)
        QCOMPARE(w->shpStrich->y(), w->lstListe->y() + w->lstListe->height());
    QCOMPARE(w->shpStrich->isVisible(), length > 0 && situation != u"off");
    QCOMPARE(s->state.PlayingIndex, length ? 1 : -1);
    if (situation == u"vanished")
        QCOMPARE(row(), 1);
}

// Next and Previous wrap around, and switch the title only while one plays.
void PlayerTest::nextAndPrevious_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("next");
    QTest::addColumn<bool>("playing");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("length"); // of the title playing afterwards
    QTest::newRow("next") << 0 << true << true << 1 << 4;
    QTest::newRow("next on the last row wraps") << 2 << true << true << 0 << 3;
    QTest::newRow("next while idle only selects") << 2 << true << false << 0 << 0;
    QTest::newRow("previous") << 2 << false << true << 1 << 4;
    QTest::newRow("previous on row 0 wraps") << 0 << false << true << 2 << 200;
    QTest::newRow("previous while idle only selects") << 0 << false << false << 2 << 0;
}

void PlayerTest::nextAndPrevious() {
    QFETCH(int, from);
    QFETCH(bool, next);
    QFETCH(bool, playing);
    QFETCH(int, to);
    QFETCH(int, length);
    start(from);
    if (playing)
        w->player.cmdPlay_Click();
    (next ? w->imgVor : w->imgZurueck)->click();
    QCOMPARE(row(), to);
    QCOMPARE(playingLength(), length);
    QCOMPARE(s->state.PlayingIndex, playing ? from : -1); // Next and Previous leave it alone
    QCOMPARE(w->Timer1->isActive(), playing);
}

// A title ends: the entry after the selected row follows at once (the timers' own ticks are an
// hour away), while the title's last 200 ms are still to be heard, and the special cases stop
// cleanly.
void PlayerTest::advance_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("situation");
    QTest::addColumn<int>("to");     // selected afterwards
    QTest::addColumn<int>("length"); // of the title playing afterwards, 0 for none
    QTest::addColumn<QString>("message");
    QTest::newRow("next row") << 0 << "" << 1 << 4 << "";
    QTest::newRow("after the last, the first") << 2 << "" << 0 << 3 << "";
    QTest::newRow("successor deleted") << 0 << "deleted" << 1 << 0 << QString("File: " + kB + kGone);
    QTest::newRow("list emptied meanwhile") << 0 << "emptied" << -1 << 0 << "";
    QTest::newRow("another row selected meanwhile") << 0 << "selected" << 0 << 3 << "";
}

void PlayerTest::advance() {
    QFETCH(int, from);
    QFETCH(QString, situation);
    QFETCH(int, to);
    QFETCH(int, length);
    QFETCH(QString, message);
    start(from);
    w->Timer1->setInterval(3600 * 1000);
    w->player.cmdPlay_Click();
    if (situation == u"deleted")
        QFile::remove(s->env.drive.host(kB));
    if (situation == u"emptied") {
        s->state.Entries.clear();
        w->display.RefreshList(0);
    }
    if (situation == u"selected")
        w->display.RefreshList(2);
    if (!message.isEmpty())
        s->env.messages.expectMsgBox(message, vbOKOnly, "File not found");
    sinks->play(from == 2 ? 199872 : 2800); // c is 200.072 s, a 3 s
    QTRY_VERIFY(playingLength() == length && row() == to && w->Timer1->isActive() == (length > 0));
    QCOMPARE(s->state.PlayingIndex, from);
    QCOMPARE(w->shpStrich->isVisible(), length > 0);
}

// The time field, the bar and the percent label while the 200-second title plays.
void PlayerTest::timeField_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("ms"); // played
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("percentShown");
    QTest::addColumn<int>("bar"); // width in thousandths of the list's width
    QTest::newRow("elapsed 45 s") << 0 << 45000 << "0:45"
                                  << "22 %" << 225;
    QTest::newRow("elapsed 65 s") << 0 << 65000 << "01:05"
                                  << "32 %" << 325;
    QTest::newRow("elapsed 59.5 s rounds to even") << 0 << 59500 << "01:00"
                                                   << "30 %" << 300;
    QTest::newRow("near the end") << 0 << 199400 << "03:19"
                                  << "99 %" << 995;
    QTest::newRow("at the end, never 100 %") << 0 << 199700 << "03:20"
                                             << "99 %" << 995;
    QTest::newRow("remaining 185 s") << 1 << 15000 << "- 3:05"
                                     << "92 %" << 925;
    QTest::newRow("remaining at the start") << 1 << 0 << "- 3:20"
                                            << "100 %" << 1000;
    QTest::newRow("off") << 2 << 65000 << ""
                         << "" << -1;
}

void PlayerTest::timeField() {
    QFETCH(int, mode);
    QFETCH(int, ms);
    QFETCH(QString, shown);
    QFETCH(QString, percentShown);
    QFETCH(int, bar);
    start(2);
    for (int i = 0; i < mode; ++i)
        QTest::mouseClick(w->lblZeit, Qt::LeftButton);
    w->player.cmdPlay_Click();
    // Passes through the percentages below the last one, as the ticks would show them.
    const int before = std::max(0, ms - 300);
    sinks->play(before);
    w->timeDisplay.ZeitAnzeige();
    sinks->play(ms - before);
    w->timeDisplay.ZeitAnzeige();
    QCOMPARE(time(), shown);
    QCOMPARE(percent(), percentShown);
    const QWidget* shp = w->shpStrich;
    const QLabel* pct = w->lblProzent;
    if (bar >= 0) {
        QVERIFY(shp->isVisible());
        QCOMPARE(shp->width(), int(std::lround(bar / 1000.0 * w->lstListe->width())));
        QCOMPARE(pct->x() + pct->width() / 2, shp->x() + w->lstListe->width() / 2);
        QCOMPARE(pct->y(), shp->y());
    }
    const QLabel* zeit = w->lblZeit;
    QVERIFY(qAbs(zeit->x() + zeit->width() / 2 - w->width() / 2) <= 1); // centred in the window
    QCOMPARE(zeit->frameShape(), mode == 2 ? QFrame::NoFrame : QFrame::Box);
}

// Clicks cycle elapsed, remaining, off and elapsed again; the border goes and comes back.
void PlayerTest::clickCyclesTheTimeField() {
    start(1);
    w->player.cmdPlay_Click();
    sinks->play(2000);
    QLabel* zeit = w->lblZeit;
    const QStringList expected{"- 0:02", "", "0:02", "- 0:02"};
    for (int i = 0; i < expected.size(); ++i) {
        QTest::mouseClick(zeit, Qt::LeftButton);
        QCOMPARE(int(s->state.TimeDisplayMode), (i + 1) % 3);
        QCOMPARE(time(), expected[i]);
        QCOMPARE(zeit->frameShape(), expected[i].isEmpty() ? QFrame::NoFrame : QFrame::Box);
        QCOMPARE(w->shpStrich->isVisible(), !expected[i].isEmpty());
        QCOMPARE(w->lstListe->height(),
                 fullListHeight() - (expected[i].isEmpty() ? 0 : w->shpStrich->height()));
    }
}

// Clicks of the mouse where the time field is, as the window system delivers them, cycle its
// modes while idle and while playing: an empty caption keeps the field's place.
void PlayerTest::timeFieldClickedAtItsPlace_data() {
    QTest::addColumn<bool>("playing");
    QTest::newRow("idle") << false;
    QTest::newRow("playing") << true;
}

void PlayerTest::timeFieldClickedAtItsPlace() {
    QFETCH(bool, playing);
    start(1);
    if (playing)
        w->player.cmdPlay_Click();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QLabel* zeit = w->lblZeit;
    for (const int mode : {1, 2, 0}) {
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, zeit->mapTo(w, zeit->rect().center()));
        QCOMPARE(int(s->state.TimeDisplayMode), mode);
        QCOMPARE(time().isEmpty(), mode == 2);
    }
}

// A double click on an image button or on the time field is one click: Next moves on one title,
// the time field one mode.
void PlayerTest::doubleClickRunsOnce() {
    start(0);
    w->player.cmdPlay_Click();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const auto doubleClick = [this](QWidget* control) {
        QTest::mouseDClick(w->windowHandle(), Qt::LeftButton, {}, control->mapTo(w, control->rect().center()));
    };
    doubleClick(w->imgVor);
    QCOMPARE(row(), 1);
    QCOMPARE(playingLength(), 4);
    doubleClick(w->lblZeit);
    QCOMPARE(s->state.TimeDisplayMode, TimeFieldMode::Remaining);
}

// With nothing playing the remaining view shows the selected entry's full length, which is left
// open and paused; the elapsed view shows 0:00.
void PlayerTest::remainingWhileIdle() {
    start(2);
    QCOMPARE(time(), "0:00");
    QTest::mouseClick(w->lblZeit, Qt::LeftButton);
    QCOMPARE(time(), "- 3:20");
    QVERIFY(!IsPlaying());
    QVERIFY(playback::mciDevice("MP3Play"));
    w->display.RefreshList(1); // selecting a row shows its length
    QCOMPARE(time(), "- 0:04");
    QVERIFY(!w->shpStrich->isVisible());
    QCOMPARE(percent(), "");
}

// Playing from the file box, by double click and by its menu, while the playlist plays row 0 and
// row 1 is selected.
void PlayerTest::fileBox_data() {
    QTest::addColumn<QString>("how"); // "double click" (with the mouse), "DblClick" or "menu"
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("mode"); // time display
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("shortened");
    QTest::addColumn<bool>("fromBrowser");
    QTest::newRow("double click") << "double click"
                                  << "C:\\Box" << 0 << "" << true << true;
    QTest::newRow("double click in a drive root") << "DblClick"
                                                  << "C:\\" << 0 << "" << true << true;
    QTest::newRow("double click, time display off") << "DblClick"
                                                    << "C:\\Box" << 2 << "" << false << true;
    QTest::newRow("menu") << "menu"
                          << "C:\\Box" << 0 << "" << true << false;
    QTest::newRow("menu, time display off") << "menu"
                                            << "C:\\Box" << 2 << "" << true << false;
    QTest::newRow("menu, no file") << "menu"
                                   << "C:\\Empty" << 0 << "No file selected" << true << false;
}

void PlayerTest::fileBox() {
    QFETCH(QString, how);
    QFETCH(QString, folder);
    QFETCH(int, mode);
    QFETCH(QString, message);
    QFETCH(bool, shortened);
    QFETCH(bool, fromBrowser);
    start(0);
    const QString dir = folder.endsWith(u'\\') ? folder : folder + "\\";
    s->env.drive.copyFixture(QStringLiteral("tagged-mono.mp3"), dir + "x.mp3");
    s->env.drive.copyFixture(QStringLiteral("follow-a.mp3"), dir + "y.mp3"); // 2 s
    if (!message.isEmpty())
        QFile::remove(s->env.drive.host(dir + "y.mp3")), QFile::remove(s->env.drive.host(dir + "x.mp3"));
    FileListBox* box = w->File1;
    box->setPath(folder);
    box->setListIndex(message.isEmpty() ? box->ListCount() - 1 : -1);
    s->state.TimeDisplayMode = TimeFieldMode(mode);
    w->Timer1->setInterval(3600 * 1000);
    w->Timer2->setInterval(3600 * 1000);
    w->player.cmdPlay_Click();
    w->display.RefreshList(1);
    if (!message.isEmpty())
        s->env.messages.expectMsgBox(message, vbOKOnly, "Error");
    if (how == u"double click") {
        // As the window system delivers a double click: press, release, double click, release.
        const QPoint at = box->visualRect(box->model()->index(1, 0)).center();
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(box->viewport(), Qt::LeftButton, {}, at);
    } else if (how == u"DblClick")
        w->player.File1_DblClick();
    else
        w->menPlayLeft->trigger();
    if (!message.isEmpty())
        return;
    QCOMPARE(playingLength(), 2); // y.mp3
    QCOMPARE(s->state.PlayingFromBrowser, fromBrowser);
    QVERIFY(w->Timer2->isActive());
    QCOMPARE(w->lstListe->height(), fullListHeight() - (shortened ? w->shpStrich->height() : 0));

    sinks->play(2500);
    QVERIFY(engineStopped());
    // A tick of Timer1 before Timer2's leaves the file box's title in charge.
    w->player.Timer1_Timer();
    QCOMPARE(row(), fromBrowser ? 1 : 2);
    // The end reported by the engine runs Timer2's tick, then Timer1's; a title started by the
    // menu keeps Timer2 on while the playlist goes on.
    QTRY_COMPARE(w->Timer2->isActive(), !fromBrowser);
    QCOMPARE(row(), 2);
    QCOMPARE(s->state.PlayingFromBrowser, false);
    QCOMPARE(playingLength(), 200);
}

// The pressed look lasts from press to release of any button, even when the pointer has left the
// button; a click on Stop also forgets what was playing.
void PlayerTest::imageButtons() {
    start(0);
    ImageButton* stop = w->imgStop;
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        QTest::mousePress(stop, button, {}, QPoint(16, 16));
        QCOMPARE(stop->BorderStyle(), 1);
        QTest::mouseMove(stop, QPoint(200, 200));
        QCOMPARE(stop->BorderStyle(), 1);
        QTest::mouseRelease(stop, button, {}, QPoint(200, 200));
        QCOMPARE(stop->BorderStyle(), 0);
    }
    QTest::mouseClick(w->imgPlay, Qt::LeftButton);
    QVERIFY(IsPlaying());
    s->state.PlayingFromBrowser = true;
    w->Timer2->start();
    QTest::mouseClick(stop, Qt::LeftButton);
    QVERIFY(!IsPlaying());
    QVERIFY(!w->Timer1->isActive());
    QVERIFY(w->Timer2->isActive());
    QCOMPARE(s->state.PlayingIndex, -1);
    QCOMPARE(s->state.PlayingFromBrowser, false);
    // The never-shown command buttons run the same commands.
    w->cmdPlay->click();
    QVERIFY(IsPlaying());
    QCOMPARE(s->state.PlayingIndex, 0);
    w->cmdStop->click();
    QVERIFY(!IsPlaying());
    QCOMPARE(s->state.PlayingIndex, 0);
    for (QWidget* b :
         std::initializer_list<QWidget*>{w->imgZurueck, w->imgPlay, stop, w->imgVor})
        QVERIFY(b->isVisible() && !b->accessibleName().isEmpty());
}

QTEST_MAIN(PlayerTest)
#include "player_test.moc"
