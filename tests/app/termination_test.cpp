// The exit, by Exit and by SIGTERM, SIGINT and SIGHUP, which close the main window as Exit does:
// the exit check runs and the settings are written. A second signal while the save question is
// open ends the program at once, writing nothing. The signals go to this test run again in a child
// process, which shows the window and writes every message to its standard output.
#include "app/termination.h"
#include "platform/registry.h"
#include "playback/modmp3.h"
#include "playlist/window/listdisplay.h"
#include "windowsandbox.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QtTest>
#include <csignal>
#include <cstdio>

namespace {

const QString kPlaylist = "C:\\Music\\playlist.txt";

// The child's messages: each goes to standard output; the save question is answered as
// VORLAK_TEST_ANSWER says ("yes", "no"), or left open as a modal box would be ("wait").
class PrintedMessages final : public MessageService {
public:
    int msgBox(const QString& prompt, int style, const QString& title) override {
        std::printf("%s|%d|%s\n", qPrintable(prompt), style, qPrintable(title));
        std::fflush(stdout);
        const QByteArray answer = qgetenv("VORLAK_TEST_ANSWER");
        if (style != vbYesNo)
            return vbOK;
        if (answer == "wait")
            QEventLoop().exec();
        return answer == "yes" ? vbYes : vbNo;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    QString showOpenDialog(const QString&, const QString&, const QString&) override { return {}; }
    QString showSaveDialog(const QString&, const QString&, const QString&) override { return {}; }
};

int runChild() {
    PrintedMessages messages;
    setMessages(&messages);
    ProgramState state;
    frmVeriVuzeDadeve window(state);
    state.PlaylistPath = kPlaylist;
    LoadTextPlaylist(state, kPlaylist);
    window.display.RefreshList(0);
    window.show();
    termination::closeOnTermination(window);
    std::printf("ready\n");
    std::fflush(stdout);
    return QApplication::exec();
}

} // namespace

class TerminationTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exit();
    void endsOnSignal();
};

// Closing the main window: playback stops, the list is compared with the working file, the user is
// asked to save when they differ, and the two settings are written at every exit. How lists and
// files compare, and how saving fails, is tested with the documents.
void TerminationTest::exit() {
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

void TerminationTest::endsOnSignal() {
    const QString question = "Do you want to save the new list?|4|";
    const QString savedText = "New playlist successfully saved|0|Saved";
    const struct {
        int signal;
        bool changed; // the list differs from the working file
        const char* answer;
        QStringList shown;
        int exitCode;
        bool saved, settings;
    } cases[] = {
        {SIGHUP, false, "no", {}, 0, false, true},
        {SIGINT, true, "yes", {question, savedText}, 0, true, true},
        {SIGTERM, true, "wait", {question}, 128 + SIGTERM, false, false}, // a second signal at the question
    };
    for (const auto& c : cases) {
        AppEnvironment env;
        env.drive.write("C:\\Music\\a.mp3");
        const QByteArray file =
            c.changed ? "C:\\Music\\a.mp3\r\nC:\\Music\\gone.mp3\r\n" : "C:\\Music\\a.mp3\r\n";
        env.drive.write(kPlaylist, file);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VORLAK_TEST_CHILD", "1");
        environment.insert("VORLAK_TEST_ANSWER", QLatin1String(c.answer));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QStringList lines;
        auto readLine = [&] {
            while (!child.canReadLine())
                if (!child.waitForReadyRead(10000))
                    return false;
            lines.append(QString::fromUtf8(child.readLine()).chopped(1));
            return true;
        };
        QVERIFY(readLine() && lines.takeLast() == u"ready");
        ::kill(pid_t(child.processId()), c.signal);
        if (qstrcmp(c.answer, "wait") == 0) {
            QVERIFY(readLine());
            ::kill(pid_t(child.processId()), c.signal);
        }
        QVERIFY(child.waitForFinished(10000));
        lines += QString::fromUtf8(child.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines, c.shown);
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), c.exitCode);
        QCOMPARE(contents(env.drive.host(kPlaylist)), c.saved ? QByteArray("C:\\Music\\a.mp3\r\n") : file);
        QCOMPARE(RegRead(HKEY_CURRENT_USER, "Software\\TovrelPro\\RAZ", "Opend"),
                 QString(c.settings ? "1" : ""));
    }
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("VORLAK_TEST_CHILD"))
        return runChild();
    TerminationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "termination_test.moc"
