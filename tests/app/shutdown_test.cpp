// Closing the main window: the question to save a list that differs from the working file, the
// save it starts, and the two settings written at every exit.
#include "app/frmVeriVuzeDadeve.h"
#include "appenvironment.h"
#include "platform/registry.h"
#include "playback/modmp3.h"
#include "playlist/playlistbox.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QtTest>

namespace {

const QString kPlaylist = QStringLiteral("C:\\HL\\vorlak\\mp3\\playlist.txt");
const QString kQuestion = QStringLiteral("Do you want to save the new list?");
const QString kKey = QStringLiteral("Software\\TovrelPro\\RAZ");

QByteArray contents(const QString& host) {
    QFile f(host);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class ShutdownTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void noChangeNoQuestion();
    void reorderedBackNoQuestion();
    void droppedLineAsks();
    void deletedWorkingFileNoQuestion();
    void yesOnReadOnlyFile();
    void settingsAtEveryExit();

private:
    std::unique_ptr<AppEnvironment> env;
    std::unique_ptr<ProgramState> state;
    std::unique_ptr<frmVeriVuzeDadeve> window;
    QByteArray fileText;
    // A window started on a working file with these lines; the valid ones are loaded.
    void start(const QByteArray& lines) {
        for (const char* f : {"C:\\Music\\a.mp3", "C:\\Music\\b.mp3"})
            env->drive.write(QString::fromUtf8(f));
        fileText = lines;
        env->drive.write(kPlaylist, lines);
        state->PlaylistPath = kPlaylist;
        LoadTextPlaylist(*state, kPlaylist);
        window->display.RefreshList(0);
    }
};

void ShutdownTest::init() {
    env = std::make_unique<AppEnvironment>();
    state = std::make_unique<ProgramState>();
    window = std::make_unique<frmVeriVuzeDadeve>(*state);
    window->show();
}

void ShutdownTest::cleanup() {
    QCOMPARE(env->messages.problems(), QStringList());
    window.reset();
    state.reset();
    env.reset();
}

void ShutdownTest::noChangeNoQuestion() {
    start("C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\n");
    env->drive.copyFixture(QStringLiteral("plain-stereo.mp3"), QStringLiteral("C:\\Music\\a.mp3"));
    OpenAndPlay(QStringLiteral("C:\\Music\\a.mp3"));
    QVERIFY(IsPlaying());
    window->Timer1->start();
    window->menNoFold->trigger(); // a view change is no change
    window->menQuit->trigger();
    QVERIFY(!window->isVisible());
    QVERIFY(!IsPlaying());
    QCOMPARE(LengthText(), QStringLiteral("0:00")); // the device is closed
    QVERIFY(!window->Timer1->isActive());
    QCOMPARE(contents(env->drive.host(kPlaylist)), fileText);
}

void ShutdownTest::reorderedBackNoQuestion() {
    start("C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\n");
    state->Entries.swapItemsAt(0, 1);
    state->Entries.swapItemsAt(0, 1);
    window->cmdQuit->click();
}

// A line dropped on loading (a missing file, an empty line, a lower-case drive letter) makes the
// list differ although the user changed nothing; No saves nothing.
void ShutdownTest::droppedLineAsks() {
    for (const QByteArray& lines :
         {QByteArray("C:\\Music\\a.mp3\r\nC:\\Music\\gone.mp3\r\n"), QByteArray("C:\\Music\\a.mp3\r\n\r\n"),
          QByteArray("c:\\Music\\a.mp3\r\n")}) {
        cleanup();
        init();
        start(lines);
        env->messages.expectMsgBox(kQuestion, vbYesNo, QString(), vbNo);
        window->close();
        QCOMPARE(contents(env->drive.host(kPlaylist)), lines);
    }
}

void ShutdownTest::deletedWorkingFileNoQuestion() {
    start("C:\\Music\\a.mp3\r\n");
    state->Entries.append(QStringLiteral("C:\\Music\\b.mp3"));
    QFile::remove(env->drive.host(kPlaylist));
    window->close();
    QVERIFY(!QFile::exists(env->drive.host(kPlaylist)));
}

void ShutdownTest::yesOnReadOnlyFile() {
    start("C:\\Music\\a.mp3\r\n");
    state->Entries.append(QStringLiteral("C:\\Music\\b.mp3"));
    QFile::setPermissions(env->drive.host(kPlaylist), QFileDevice::ReadOwner);
    env->messages.expectMsgBox(kQuestion, vbYesNo, QString(), vbYes)
        .expectMsgBox(QStringLiteral("Could not save as ") + kPlaylist, vbOKOnly, QStringLiteral("Error"));
    window->close();
    QCOMPARE(contents(env->drive.host(kPlaylist)), fileText);
    // Yes on a writable file saves it.
    cleanup();
    init();
    start("C:\\Music\\a.mp3\r\n");
    state->Entries.prepend(QStringLiteral("C:\\Music\\b.mp3"));
    env->messages.expectMsgBox(kQuestion, vbYesNo, QString(), vbYes)
        .expectMsgBox(QStringLiteral("New playlist successfully saved"), vbOKOnly, QStringLiteral("Saved"));
    window->close();
    QCOMPARE(contents(env->drive.host(kPlaylist)), QByteArray("C:\\Music\\b.mp3\r\nC:\\Music\\a.mp3\r\n"));
}

// "Old" holds the layout's check mark and "Opend" is "1", whatever the answer to the question.
void ShutdownTest::settingsAtEveryExit() {
    start("C:\\Music\\a.mp3\r\n");
    window->close();
    QCOMPARE(RegRead(HKEY_CURRENT_USER, kKey, QStringLiteral("Old")), QStringLiteral("0"));
    QCOMPARE(RegRead(HKEY_CURRENT_USER, kKey, QStringLiteral("Opend")), QStringLiteral("1"));
    cleanup();
    init();
    start("C:\\Music\\a.mp3\r\n");
    window->menBlind->trigger();
    state->Entries.clear();
    env->messages.expectMsgBox(kQuestion, vbYesNo, QString(), vbNo);
    window->close();
    QCOMPARE(RegRead(HKEY_CURRENT_USER, kKey, QStringLiteral("Old")), QStringLiteral("1"));
    QCOMPARE(RegRead(HKEY_CURRENT_USER, kKey, QStringLiteral("Opend")), QStringLiteral("1"));
}

QTEST_MAIN(ShutdownTest)
#include "shutdown_test.moc"
