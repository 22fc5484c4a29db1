// What the desktop's media controls are told about a title: tag or file name, length, URL, and
// one track id per file whatever the spelling of its path. What their commands do to the player.
#include "app/mpris.h"
#include "playback/modmp3.h"
#include "windowsandbox.h"

#include <QDBusObjectPath>
#include <QDialog>
#include <QtTest>

class MprisTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void metadata_data();
    void metadata();
    void commands_data();
    void commands();
    void ignoredUnderAModalWindow();
};

void MprisTest::metadata_data() {
    QTest::addColumn<QString>("fixtureName");
    QTest::addColumn<QString>("stored"); // where the file lies (DOS path)
    QTest::addColumn<QString>("asked");  // the path the metadata is asked for
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("artist");
    QTest::addColumn<QString>("album");
    QTest::addColumn<QString>("urlEnd");
    QTest::newRow("ID3v1 tag") << "tagged-stereo.mp3" << "C:\\Music\\tone.mp3" << "C:\\Music\\tone.mp3"
                               << "Tone A" << QStringList{"Tester"} << "Fixtures" << "/Music/tone.mp3";
    QTest::newRow("title and artist only")
        << "tagged-mono.mp3" << "C:\\Music\\b.mp3" << "C:\\Music\\b.mp3" << "Tone B" << QStringList{"Tester"}
        << "" << "/Music/b.mp3";
    QTest::newRow("ID3v2 only: the file name")
        << "id3v2-stereo.mp3" << "C:\\Music\\Old Keep.MP3" << "C:\\Music\\Old Keep.MP3" << "Old Keep.MP3"
        << QStringList() << "" << "/Music/Old%20Keep.MP3";
    QTest::newRow("other case: the disk's spelling")
        << "pb-cbr-s44.mp3" << "C:\\Music\\Ruins.mp3" << "c:\\MUSIC\\ruins.MP3" << "Ruins.mp3" << QStringList()
        << "" << "/Music/Ruins.mp3";
}

void MprisTest::metadata() {
    QFETCH(QString, fixtureName);
    QFETCH(QString, stored);
    QFETCH(QString, asked);
    QFETCH(QString, title);
    QFETCH(QStringList, artist);
    QFETCH(QString, album);
    QFETCH(QString, urlEnd);
    AppEnvironment env;
    env.drive.copyFixture(fixtureName, stored);
    const QVariantMap m = MprisMetadata(asked, 185);
    QCOMPARE(m.value("xesam:title").toString(), title);
    QCOMPARE(m.value("xesam:artist").toStringList(), artist);
    QCOMPARE(m.value("xesam:album").toString(), album);
    QCOMPARE(m.value("mpris:length").toLongLong(), 185'000'000LL);
    const QString url = m.value("xesam:url").toString();
    QVERIFY2(url.startsWith("file:///") && url.endsWith(urlEnd), qPrintable(url));
    const QString id = m.value("mpris:trackid").value<QDBusObjectPath>().path();
    QVERIFY2(id.startsWith("/com/tovrelpro/vorlak/track/"), qPrintable(id));
    QCOMPARE(MprisMetadata(stored, 1).value("mpris:trackid").value<QDBusObjectPath>().path(), id);
    QVERIFY(MprisMetadata("C:\\Music\\other.mp3", 1).value("mpris:trackid").value<QDBusObjectPath>().path() != id);
}

namespace {

const QStringList kEntries = {"C:\\Music\\a.mp3", "C:\\Music\\b.mp3", "C:\\Music\\c.mp3"};
const QStringList kTitles = {"Tone A", "Tone B", "c.mp3"};

// The main window on three entries, row `selected` selected, entry `playing` playing (-1: none).
struct Player {
    WindowSandbox sandbox;
    Mpris mpris{sandbox.window, sandbox.window.player};
    Player(qsizetype selected, qsizetype playing) {
        const QStringList fixtures = {"tagged-stereo.mp3", "tagged-mono.mp3", "pb-cbr-s44.mp3"};
        for (qsizetype i = 0; i < kEntries.size(); ++i) {
            sandbox.env.drive.copyFixture(fixtures[i], kEntries[i]);
            sandbox.window.state.AddEntry(kEntries[i]);
        }
        sandbox.window.display.RefreshList(playing >= 0 ? playing : selected);
        if (playing >= 0)
            sandbox.window.player.cmdPlay_Click();
        sandbox.window.display.RefreshList(selected);
    }
    // Runs a command as the bus does: queued, then the event loop turns.
    void run(Mpris::Command command) {
        mpris.run(command);
        QTest::qWait(1);
    }
};

} // namespace

void MprisTest::commands_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("playing"); // -1: nothing plays
    QTest::addColumn<Mpris::Command>("command");
    QTest::addColumn<int>("selectedAfter");
    QTest::addColumn<int>("playingAfter");
    using C = Mpris::Command;
    QTest::newRow("PlayPause starts the selected entry") << 1 << -1 << C::PlayPause << 1 << 1;
    QTest::newRow("PlayPause stops") << 1 << 1 << C::PlayPause << 1 << -1;
    QTest::newRow("Play while playing keeps the title") << 1 << 1 << C::Play << 1 << 1;
    QTest::newRow("Play starts") << 2 << -1 << C::Play << 2 << 2;
    QTest::newRow("Pause stops") << 0 << 0 << C::Pause << 0 << -1;
    QTest::newRow("Pause while stopped starts nothing") << 0 << -1 << C::Pause << 0 << -1;
    QTest::newRow("Stop") << 2 << 2 << C::Stop << 2 << -1;
    QTest::newRow("Next plays the next entry") << 1 << 1 << C::Next << 2 << 2;
    QTest::newRow("Next on the last row plays the first") << 2 << 2 << C::Next << 0 << 0;
    QTest::newRow("Previous on the first row plays the last") << 0 << 0 << C::Previous << 2 << 2;
    QTest::newRow("Next while stopped only selects") << 1 << -1 << C::Next << 2 << -1;
}

void MprisTest::commands() {
    QFETCH(int, selected);
    QFETCH(int, playing);
    QFETCH(Mpris::Command, command);
    QFETCH(int, selectedAfter);
    QFETCH(int, playingAfter);
    Player player(selected, playing);
    QCOMPARE(IsPlaying(), playing >= 0);
    player.run(command);
    QCOMPARE(player.sandbox.window.display.SelectedIndex(), qsizetype(selectedAfter));
    const MprisState state = player.mpris.currentState();
    QCOMPARE(state.playbackStatus, playingAfter >= 0 ? QStringLiteral("Playing") : QStringLiteral("Stopped"));
    QCOMPARE(state.metadata.value("xesam:title").toString(), playingAfter >= 0 ? kTitles[playingAfter] : QString());
    if (playing >= 0 && playingAfter < 0) // stopped as by the Stop button: nothing is remembered as playing
        QCOMPARE(player.sandbox.window.state.PlayingIndex, qsizetype(-1));
    QCOMPARE(player.sandbox.env.messages.problems(), QStringList());
    StopAndClose();
}

// A media key while a message box or another modal window is open does nothing, as a click would.
void MprisTest::ignoredUnderAModalWindow() {
    Player player(0, -1);
    QDialog modal(&player.sandbox.window);
    modal.setModal(true);
    modal.show();
    QVERIFY(QApplication::activeModalWidget());
    player.run(Mpris::Command::PlayPause);
    QVERIFY(!IsPlaying());
    modal.hide();
    player.run(Mpris::Command::PlayPause);
    QVERIFY(IsPlaying());
    StopAndClose();
}

QTEST_MAIN(MprisTest)
#include "mpris_test.moc"
