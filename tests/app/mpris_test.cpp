// What the desktop's media controls are told about a title: tag or file name, length, URL, and
// one track id per file whatever the spelling of its path.
#include "app/mpris.h"
#include "appenvironment.h"

#include <QDBusObjectPath>
#include <QtTest>

class MprisTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void metadata_data();
    void metadata();
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

QTEST_MAIN(MprisTest)
#include "mpris_test.moc"
