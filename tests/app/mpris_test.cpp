// What the desktop's media controls are told about a title: tag or file name, length, URL, and
// one track id per file whatever the spelling of its path. What their commands do to the player,
// what the two D-Bus interfaces answer, and the player's instance name and announcements on a
// session bus.
#include "app/mpris.h"
#include "playback/modmp3.h"
#include "windowtest.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDialog>
#include <QProcess>
#include <QtTest>

namespace {
const QString kName = "org.mpris.MediaPlayer2.vorlak";
QString trackId(const QVariantMap& metadata) {
    return metadata.value("mpris:trackid").value<QDBusObjectPath>().path();
}
} // namespace

class MprisTest : public WindowTest {
    Q_OBJECT
public Q_SLOTS:
    void changed(const QString&, const QVariantMap& properties, const QStringList&) {
        announced << QStringList(properties.keys()).join(u'+');
    }

private Q_SLOTS:
    void onTheSessionBus(); // first: the session bus is chosen on its first use
    void metadata();
    void commands();
    void properties();
    void raiseAndQuit();

private:
    QStringList announced;
    // The adaptor of a D-Bus interface ("" the root one, "Player").
    static QObject* adaptor(Mpris& mpris, const char* name) {
        for (QDBusAbstractAdaptor* a : mpris.findChildren<QDBusAbstractAdaptor*>())
            if (QLatin1String(a->metaObject()->classInfo(0).value()).endsWith(QLatin1String(name)))
                return a;
        return nullptr;
    }
};

// On a private bus where another program holds the player's name: the player takes the instance
// name, given back when it goes; when both are held, it stays off the bus. A change is announced
// once, with what changed; a command that changes nothing sends nothing.
void MprisTest::onTheSessionBus() {
    QProcess daemon;
    daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    QVERIFY(daemon.waitForReadyRead(10000));
    const QString address = QString::fromUtf8(daemon.readLine().trimmed());
    qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
    {
        QDBusConnection other = QDBusConnection::connectToBus(address, "other");
        QDBusConnectionInterface* names = other.interface();
        const QString instance = kName + ".instance" + QString::number(QCoreApplication::applicationPid());
        QVERIFY(other.registerService(kName));
        show("AB", 0);
        auto m = std::make_unique<Mpris>(*window, window->player);
        QVERIFY(m->registerOnSessionBus());
        QVERIFY(names->isServiceRegistered(instance));
        QVERIFY(other.connect(QString(), "/org/mpris/MediaPlayer2", "org.freedesktop.DBus.Properties",
                              "PropertiesChanged", this, SLOT(changed(QString, QVariantMap, QStringList))));
        for (const QStringList& expected : {QStringList{"Metadata+PlaybackStatus"}, QStringList{}}) {
            m->run(Mpris::Command::Play);
            QTest::qWait(200);
            QCOMPARE(announced, expected);
            announced.clear();
        }
        m.reset();
        QTRY_VERIFY(!names->isServiceRegistered(instance));
        QVERIFY(other.registerService(instance));
        m = std::make_unique<Mpris>(*window, window->player);
        QVERIFY(!m->registerOnSessionBus());
    }
    QDBusConnection::disconnectFromBus("other");
    daemon.kill();
    daemon.waitForFinished();
}

// Title, artist, album, the end of the URL, the length.
void MprisTest::metadata() {
    const struct {
        const char *fixture, *stored, *asked; // where the file lies, the path the metadata is asked for
        const char* expected;
    } cases[] = {
        {"tagged-stereo.mp3", "C:\\Music\\tone.mp3", "C:\\Music\\tone.mp3",
         "Tone A|Tester|Fixtures|/Music/tone.mp3|185000000"},
        // Without an ID3v1 tag the file name, as the disk spells it.
        {"id3v2-stereo.mp3", "C:\\Music\\Old Keep.MP3", "C:\\Music\\Old Keep.MP3",
         "Old Keep.MP3|||/Music/Old%20Keep.MP3|185000000"},
        {"pb-cbr-s44.mp3", "C:\\Music\\Ruins.mp3", "c:\\MUSIC\\ruins.MP3",
         "Ruins.mp3|||/Music/Ruins.mp3|185000000"},
    };
    for (const auto& c : cases) {
        env->drive.copyFixture(QLatin1String(c.fixture), QLatin1String(c.stored));
        const QVariantMap m = MprisMetadata(QLatin1String(c.asked), 185);
        const QString url = m.value("xesam:url").toString();
        QVERIFY2(url.startsWith("file:///"), qPrintable(url));
        QCOMPARE(
            QStringList({m.value("xesam:title").toString(), m.value("xesam:artist").toStringList().join(u','),
                         m.value("xesam:album").toString(), url.mid(url.lastIndexOf("/Music/")),
                         m.value("mpris:length").toString()})
                .join(u'|'),
            QLatin1String(c.expected));
        const QString id = trackId(m);
        QVERIFY2(id.startsWith("/com/tovrelpro/vorlak/track/"), qPrintable(id));
        QCOMPARE(trackId(MprisMetadata(QLatin1String(c.stored), 1)), id);
        QVERIFY(trackId(MprisMetadata("C:\\Music\\other.mp3", 1)) != id);
    }
}

// The Player interface's commands act as the image buttons do on the next turn of the event loop
// (what those do is tested with the player); there is no pause, so Pause stops. Under a modal
// window nothing happens, as with the mouse.
void MprisTest::commands() {
    Mpris mpris(*window, window->player);
    QObject* player = adaptor(mpris, "Player");
    const struct {
        int selected, playing; // -1: nothing plays
        const char* slot;
        int selectedAfter, playingAfter;
        bool modal = false;
    } cases[] = {
        {1, -1, "PlayPause", 1, 1}, {1, 1, "PlayPause", 1, -1},
        {1, 1, "Play", 1, 1},       {2, -1, "Play", 2, 2},
        {0, 0, "Pause", 0, -1},     {0, -1, "Pause", 0, -1},
        {2, 2, "Stop", 2, -1},      {1, 1, "Next", 2, 2},
        {0, 0, "Previous", 2, 2},   {0, -1, "PlayPause", 0, -1, true},
    };
    for (const auto& c : cases) {
        show("ABC", c.playing >= 0 ? c.playing : c.selected);
        if (c.playing >= 0)
            window->player.cmdPlay_Click();
        window->display.RefreshList(c.selected);
        QDialog modal(window);
        modal.setModal(true);
        modal.setVisible(c.modal);
        QMetaObject::invokeMethod(player, c.slot);
        QTest::qWait(1);
        QCOMPARE(window->display.SelectedIndex(), qsizetype(c.selectedAfter));
        const MprisState now = mpris.currentState();
        QCOMPARE(now.playbackStatus, QLatin1String(c.playingAfter >= 0 ? "Playing" : "Stopped"));
        QCOMPARE(now.metadata.value("xesam:title").toString(),
                 c.playingAfter >= 0 ? QStringLiteral("%1.mp3").arg(QChar(u'A' + c.playingAfter))
                                     : QString());
        if (c.playing >= 0 && c.playingAfter < 0) // stopped as by the Stop button: nothing remembered
            QCOMPARE(state->PlayingIndex, qsizetype(-1));
        StopAndClose();
    }
}

// What the two interfaces tell about the player and what plays, property by property.
void MprisTest::properties() {
    Mpris mpris(*window, window->player);
    auto described = [&](const char* interface) {
        QObject* a = adaptor(mpris, interface);
        QStringList l;
        for (int i = a->metaObject()->propertyOffset(); i < a->metaObject()->propertyCount(); ++i) {
            const QMetaProperty p = a->metaObject()->property(i);
            const QVariant v = p.read(a);
            const QVariantMap m = v.toMap();
            l << QLatin1String(p.name()) + u'=' +
                     (v.userType() == QMetaType::QVariantMap   ? m.value("xesam:title", trackId(m)).toString()
                      : v.userType() == QMetaType::QStringList ? v.toStringList().join(u'|')
                                                               : v.toString());
        }
        return l.join(u' ');
    };
    QCOMPARE(described("MediaPlayer2"),
             "CanQuit=true CanRaise=true HasTrackList=false Identity=Vorlak Verivuze "
             "Dadeve DesktopEntry=com.tovrelpro.vorlak SupportedUriSchemes= "
             "SupportedMimeTypes=");
    const QString player = "Position=0 Rate=1 MinimumRate=1 MaximumRate=1 Volume=1 CanGoNext=true "
                           "CanGoPrevious=true CanPlay=true CanPause=true CanSeek=false CanControl=true";
    QCOMPARE(described("Player"),
             "PlaybackStatus=Stopped Metadata=/org/mpris/MediaPlayer2/TrackList/NoTrack " + player);
    show("AB", 1);
    window->player.cmdPlay_Click();
    QCOMPARE(described("Player"), "PlaybackStatus=Playing Metadata=B.mp3 " + player);
}

// Raise shows the window again; Quit closes it (which asks about saving), but not under a modal
// window.
void MprisTest::raiseAndQuit() {
    Mpris mpris(*window, window->player);
    QObject* root = adaptor(mpris, "MediaPlayer2");
    window->hide();
    QMetaObject::invokeMethod(root, "Raise");
    QTRY_VERIFY(window->isVisible());
    QDialog modal(window);
    modal.setModal(true);
    modal.show();
    QMetaObject::invokeMethod(root, "Quit");
    QTest::qWait(1);
    QVERIFY(window->isVisible());
    modal.hide();
    QMetaObject::invokeMethod(root, "Quit");
    QTRY_VERIFY(!window->isVisible());
}

QTEST_MAIN(MprisTest)
#include "mpris_test.moc"
