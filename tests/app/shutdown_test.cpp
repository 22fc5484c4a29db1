// Closing the main window: playback stops, the list is compared with the working file, the user
// is asked to save when they differ, and the two settings are written at every exit.
#include "platform/registry.h"
#include "playback/modmp3.h"
#include "windowsandbox.h"

#include <QAction>
#include <QFile>
#include <QTimer>
#include <QtTest>

namespace {

const QString kPlaylist = QStringLiteral("C:\\HL\\vorlak\\mp3\\playlist.txt");
const QString kKey = QStringLiteral("Software\\TovrelPro\\RAZ");

} // namespace

class ShutdownTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exit_data();
    void exit();
};

void ShutdownTest::exit_data() {
    QTest::addColumn<QByteArray>("file"); // the working file; its valid lines are loaded
    QTest::addColumn<QString>("change");  // what the user does before closing
    QTest::addColumn<int>("answer");      // to the save question; 0 = no question
    QTest::addColumn<QString>("saveMessage");
    QTest::addColumn<QByteArray>("after"); // the working file afterwards
    const QByteArray ab = "C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\n";
    const QByteArray ba = "C:\\Music\\b.mp3\r\nC:\\Music\\a.mp3\r\n";
    QTest::newRow("nothing") << ab << "view" << 0 << "" << ab;
    QTest::newRow("reordered and back") << ab << "swap twice" << 0 << "" << ab;
    QTest::newRow("layout") << ab << "layout" << 0 << "" << ab;
    QTest::newRow("missing file dropped") << ab + "C:\\Music\\gone.mp3\r\n"
                                          << "" << int(vbNo) << "" << ab + "C:\\Music\\gone.mp3\r\n";
    QTest::newRow("empty line dropped") << ab + "\r\n"
                                        << "" << int(vbNo) << "" << ab + "\r\n";
    QTest::newRow("lower-case drive")
        << QByteArray("c:\\Music\\a.mp3\r\n") << "" << int(vbYes) << "New playlist successfully saved"
        << QByteArray("C:\\Music\\a.mp3\r\n");
    QTest::newRow("reordered, saved")
        << ab << "swap" << int(vbYes) << "New playlist successfully saved" << ba;
    QTest::newRow("read-only") << ab << "swap read-only" << int(vbYes) << "Could not save as " + kPlaylist
                               << ab;
    QTest::newRow("emptied, saved") << ab << "clear" << int(vbYes) << "New playlist successfully saved"
                                    << QByteArray();
    QTest::newRow("working file deleted") << ab << "swap delete" << 0 << "" << QByteArray("<missing>");
    // A working file written on Linux, lines ended by LF alone: its three entries load, nothing is
    // asked when they stay, and a save writes them with CR LF.
    const QByteArray abcLf = "C:\\Music\\a.mp3\nC:\\Music\\b.mp3\nC:\\Music\\c.mp3\n";
    QTest::newRow("LF file, nothing") << abcLf << "view" << 0 << "" << abcLf;
    QTest::newRow("LF file, reordered and back") << abcLf << "swap twice" << 0 << "" << abcLf;
    QTest::newRow("LF file, reordered, saved")
        << abcLf << "swap" << int(vbYes) << "New playlist successfully saved"
        << QByteArray("C:\\Music\\b.mp3\r\nC:\\Music\\a.mp3\r\nC:\\Music\\c.mp3\r\n");
    QTest::newRow("LF file, mixed ends, saved")
        << QByteArray("C:\\Music\\a.mp3\rC:\\Music\\b.mp3\r\nC:\\Music\\c.mp3") << "swap" << int(vbYes)
        << "New playlist successfully saved"
        << QByteArray("C:\\Music\\b.mp3\r\nC:\\Music\\a.mp3\r\nC:\\Music\\c.mp3\r\n");
}

void ShutdownTest::exit() {
    QFETCH(QByteArray, file);
    QFETCH(QString, change);
    QFETCH(int, answer);
    QFETCH(QString, saveMessage);
    QFETCH(QByteArray, after);
    WindowSandbox sandbox;
    AppEnvironment& env = sandbox.env;
    ProgramState& state = sandbox.state;
    frmVeriVuzeDadeve& window = sandbox.window;
    env.drive.copyFixture(QStringLiteral("plain-stereo.mp3"), QStringLiteral("C:\\Music\\a.mp3"));
    env.drive.write(QStringLiteral("C:\\Music\\b.mp3"));
    env.drive.write(QStringLiteral("C:\\Music\\c.mp3"));
    env.drive.write(kPlaylist, file);
    state.PlaylistPath = kPlaylist;
    LoadTextPlaylist(state, kPlaylist);
    OpenAndPlay(QStringLiteral("C:\\Music\\a.mp3"));
    window.Timer1->start();

    if (change == u"view")
        window.menNoFold->trigger();
    if (change == u"layout")
        window.menBlind->trigger();
    if (change.startsWith(u"swap"))
        state.Entries.swapItemsAt(0, 1);
    if (change == u"swap twice")
        state.Entries.swapItemsAt(0, 1);
    if (change == u"clear")
        state.Entries.clear();
    if (change.endsWith(u"read-only"))
        QFile::setPermissions(env.drive.host(kPlaylist), QFileDevice::ReadOwner);
    if (change.endsWith(u"delete"))
        QFile::remove(env.drive.host(kPlaylist));
    if (answer)
        env.messages.expectMsgBox(QStringLiteral("Do you want to save the new list?"), vbYesNo, QString(),
                                  answer);
    if (!saveMessage.isEmpty())
        env.messages.expectMsgBox(saveMessage, vbOKOnly,
                                  saveMessage.startsWith(u"New") ? QStringLiteral("Saved")
                                                                 : QStringLiteral("Error"));
    window.menQuit->trigger();

    QVERIFY(!window.isVisible());
    QCOMPARE(env.messages.problems(), QStringList());
    QCOMPARE(contents(env.drive.host(kPlaylist)), after);
    QVERIFY(!IsPlaying());
    QCOMPARE(LengthText(), QStringLiteral("0:00")); // the device is closed
    QVERIFY(!window.Timer1->isActive());
    QCOMPARE(RegRead(HKEY_CURRENT_USER, kKey, QStringLiteral("Old")),
             QString(change == u"layout" ? "1" : "0"));
    QCOMPARE(RegRead(HKEY_CURRENT_USER, kKey, QStringLiteral("Opend")), QStringLiteral("1"));
}

QTEST_MAIN(ShutdownTest)
#include "shutdown_test.moc"
