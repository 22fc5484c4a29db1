// Closing the main window: playback stops, the list is compared with the working file, the user
// is asked to save when they differ, and the two settings are written at every exit. How lists
// and files compare, and how saving fails, is tested with the documents.
#include "platform/registry.h"
#include "playback/modmp3.h"
#include "windowsandbox.h"

#include <QAction>
#include <QFile>
#include <QtTest>

class ShutdownTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exit();
};

void ShutdownTest::exit() {
    const QString playlist = "C:\\HL\\vorlak\\mp3\\playlist.txt";
    const QString saved = "New playlist successfully saved";
    const QByteArray ab = "C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\n";
    const QByteArray ba = "C:\\Music\\b.mp3\r\nC:\\Music\\a.mp3\r\n";
    const struct {
        QByteArray file;    // the working file; its valid lines are loaded
        const char* change; // what the user does before closing
        int answer;         // to the save question; 0 = no question
        QString saveMessage;
        QByteArray after; // the working file afterwards
    } cases[] = {
        {ab, "view", 0, "", ab},
        {ab, "layout", 0, "", ab},
        {ab + "\r\n", "", vbNo, "", ab + "\r\n"}, // the list as loaded differs: the empty line dropped
        {ab, "swap", vbYes, saved, ba},
        {ab, "swap read-only", vbYes, "Could not save as " + playlist, ab},
        {ab, "clear", vbYes, saved, ""},
        {ab, "swap delete", 0, "", "<missing>"}, // no working file, nothing to compare
    };
    for (const auto& c : cases) {
        WindowSandbox sandbox;
        AppEnvironment& env = sandbox.env;
        ProgramState& state = sandbox.state;
        frmVeriVuzeDadeve& window = sandbox.window;
        env.drive.copyFixture("plain-stereo.mp3", "C:\\Music\\a.mp3");
        env.drive.write("C:\\Music\\b.mp3");
        env.drive.write(playlist, c.file);
        state.PlaylistPath = playlist;
        LoadTextPlaylist(state, playlist);
        OpenAndPlay("C:\\Music\\a.mp3");
        window.Timer1->start();
        const QString change = QLatin1String(c.change);
        if (change == u"view")
            window.display.menNoFold_Click();
        if (change == u"layout")
            window.looks.menBlind_Click();
        if (change.startsWith(u"swap"))
            state.Entries.swapItemsAt(0, 1);
        if (change == u"clear")
            state.Entries.clear();
        if (change.endsWith(u"read-only"))
            QFile::setPermissions(env.drive.host(playlist), QFileDevice::ReadOwner);
        if (change.endsWith(u"delete"))
            QFile::remove(env.drive.host(playlist));
        if (c.answer)
            env.messages.expectMsgBox("Do you want to save the new list?", vbYesNo, QString(), c.answer);
        if (!c.saveMessage.isEmpty())
            env.messages.expectMsgBox(c.saveMessage, vbOKOnly, c.saveMessage == saved ? "Saved" : "Error");
        window.close();

        QVERIFY(!window.isVisible());
        QCOMPARE(env.messages.problems(), QStringList());
        QCOMPARE(contents(env.drive.host(playlist)), c.after);
        QVERIFY(!IsPlaying());
        QCOMPARE(LengthText(), "0:00"); // the device is closed
        QVERIFY(!window.Timer1->isActive());
        const QString key = "Software\\TovrelPro\\RAZ";
        QCOMPARE(RegRead(HKEY_CURRENT_USER, key, "Old"), QString(change == u"layout" ? "1" : "0"));
        QCOMPARE(RegRead(HKEY_CURRENT_USER, key, "Opend"), "1");
    }
}

QTEST_MAIN(ShutdownTest)
#include "shutdown_test.moc"
