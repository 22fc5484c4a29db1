// Open, Save, Save As and Restore on the real main window with the scripted message service.
#include "platform/dosfs.h"
#include "playback/modmp3.h"
#include "playlist/window/playlistbox.h"
#include "windowsandbox.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

namespace {

const QString kPlaylist = QStringLiteral("C:\\HL\\vorlak\\mp3\\playlist.txt");
const QString kSaved = QStringLiteral("New playlist successfully saved");
const QString kOpened = QStringLiteral("Default playlist successfully opened");

QString added(int n) {
    return QStringLiteral("Added %1 files successfully").arg(n);
}

} // namespace

class DocumentCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void open_data();
    void open();
    void binaryFileAsPlaylist();
    void saveAndSaveAs();
    void restore();

private:
    std::unique_ptr<WindowSandbox> s;
    AppEnvironment* env = nullptr;
    ProgramState* state = nullptr;
    frmVeriVuzeDadeve* window = nullptr;
    // Starts on a working file holding a.mp3, b.mp3 and c.mp3 (all on the disk), row 1 selected.
    void start() {
        for (const char* name : {"a", "b", "c", "d", "e"})
            env->drive.copyFixture(QStringLiteral("plain-stereo.mp3"),
                                   QStringLiteral("C:\\Music\\%1.mp3").arg(QLatin1String(name)));
        state->PlaylistPath = kPlaylist;
        env->drive.write(kPlaylist, "C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\nC:\\Music\\c.mp3\r\n");
        LoadTextPlaylist(*state, kPlaylist);
        window->display.RefreshList(1);
    }
};

void DocumentCommandsTest::init() {
    s = std::make_unique<WindowSandbox>();
    env = &s->env;
    state = &s->state;
    window = &s->window;
}

void DocumentCommandsTest::cleanup() {
    QCOMPARE(env->messages.problems(), QStringList());
    s.reset();
}

// The list holds a, b, c (row 1 selected) or nothing; the file opened names d and e.
void DocumentCommandsTest::open_data() {
    QTest::addColumn<bool>("empty"); // the list is empty before: no question
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("keep");           // the answer to "Keep old playlist ?"
    QTest::addColumn<QString>("situation");  // "playing" b, or "vanished" a and b before opening
    QTest::addColumn<QStringList>("errors"); // messages before the report
    QTest::addColumn<QString>("entries");    // the names of the entries afterwards
    QTest::addColumn<int>("row");            // selected afterwards
    const QString m3u = QStringLiteral("C:\\Lists\\new.m3u");
    QTest::newRow("keep") << false << m3u << int(vbYes) << "" << QStringList() << "abcde" << 3;
    QTest::newRow("replace") << false << QStringLiteral("C:\\Lists\\new.txt") << int(vbNo) << ""
                             << QStringList() << "de" << 0;
    QTest::newRow("empty list") << true << m3u << 0 << "" << QStringList() << "de" << 0;
    QTest::newRow("keep while playing")
        << false << m3u << int(vbYes) << "playing" << QStringList() << "abcde" << 1;
    QTest::newRow("replace while playing")
        << false << m3u << int(vbNo) << "playing" << QStringList() << "de" << 1;
    const QString gone = QStringLiteral(" became deleted\r\nfrom playlist, because it's not valid (anymore)");
    QTest::newRow("kept entries vanished")
        << false << m3u << int(vbYes) << "vanished"
        << QStringList{"File: C:\\Music\\a.mp3" + gone, "File: C:\\Music\\b.mp3" + gone} << "cde" << 0;
    QTest::newRow("LIST.TXT") << true << QStringLiteral("C:\\Lists\\LIST.TXT") << 0 << ""
                              << QStringList{"No valid playlistfile"} << "" << 0;
    QTest::newRow("LIST.M3U") << true << QStringLiteral("C:\\Lists\\LIST.M3U") << 0 << ""
                              << QStringList{"No valid playlistfile"} << "" << 0;
    QTest::newRow("folder old.txt.d") << true << QStringLiteral("C:\\old.txt.d\\new.m3u") << 0 << ""
                                      << QStringList{"No Valid File selected"} << "" << 0;
}

void DocumentCommandsTest::open() {
    QFETCH(bool, empty);
    QFETCH(QString, file);
    QFETCH(int, keep);
    QFETCH(QString, situation);
    QFETCH(QStringList, errors);
    QFETCH(QString, entries);
    QFETCH(int, row);
    start();
    if (empty) {
        state->Entries.clear();
        window->display.RefreshList(0);
    }
    if (situation == u"playing")
        OpenAndPlay(state->Entries[1]);
    if (situation == u"vanished") {
        QFile::remove(env->drive.host(QStringLiteral("C:\\Music\\a.mp3")));
        QFile::remove(env->drive.host(QStringLiteral("C:\\Music\\b.mp3")));
    }
    // An M3U list with a header, a relative line and one found in an ancestor folder.
    env->drive.write(file, file.endsWith(u"txt", Qt::CaseInsensitive)
                               ? "C:\\Music\\d.mp3\r\nC:\\Music\\e.mp3\r\n"
                               : "#EXTM3U\r\n..\\Music\\d.mp3\r\n\\Music\\e.mp3\r\n");
    env->messages.expectOpenDialog(file);
    if (keep)
        env->messages.expectMsgBox(QStringLiteral("Keep old playlist ?"), vbYesNo, QString(), keep);
    for (const QString& e : errors)
        env->messages.expectMsgBox(
            e, vbOKOnly, e.startsWith(u"File") ? QStringLiteral("File not found") : QStringLiteral("Error"));
    env->messages.expectMsgBox(added(entries.contains(u'd') ? 2 : 0), vbOKOnly, QStringLiteral("Saved"));
    window->cmdOeffnen->click();

    QString names;
    for (const QString& e : state->Entries)
        names += e.at(e.size() - 5);
    QCOMPARE(names, entries);
    QCOMPARE(window->lstListe->rows(), state->Entries);
    QCOMPARE(window->lstListe->ListIndex(), entries.isEmpty() ? -1 : row);
    QCOMPARE(IsPlaying(), situation == u"playing"); // opening never touches playback
    QCOMPARE(state->PlaylistPath, kPlaylist);
    const MessageCall dialog = env->messages.calls().first();
    QCOMPARE(dialog.prompt, QStringLiteral("Playlists (*.txt;*.m3u)|*.txt;*.m3u"));
    QCOMPARE(dialog.title, QStringLiteral("Open playlistfile"));
    QCOMPARE(dialog.folder, dosfs::toDos(QCoreApplication::applicationDirPath()));
}

void DocumentCommandsTest::binaryFileAsPlaylist() {
    QByteArray junk(50 * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(junk.data()), junk.size() / 4);
    for (const char* name : {"C:\\junk.txt", "C:\\junk.m3u"}) {
        env->drive.write(QString::fromUtf8(name), junk);
        env->messages.expectOpenDialog(QString::fromUtf8(name))
            .expectMsgBox(added(0), vbOKOnly, QStringLiteral("Saved"));
        window->menOeffnen->trigger();
    }
    QCOMPARE(state->EntryCount(), 0);
}

// Save writes full paths to the working file, whatever the view and whatever was opened since;
// Save As writes the same format under the name chosen.
void DocumentCommandsTest::saveAndSaveAs() {
    start();
    window->menNoFold->trigger();
    env->drive.write(QStringLiteral("C:\\other.txt"), "C:\\Music\\d.mp3\r\n");
    env->messages.expectOpenDialog(QStringLiteral("C:\\other.txt"))
        .expectMsgBox(QStringLiteral("Keep old playlist ?"), vbYesNo, QString(), vbYes)
        .expectMsgBox(added(1), vbOKOnly, QStringLiteral("Saved"))
        .expectMsgBox(kSaved, vbOKOnly, QStringLiteral("Saved"))
        .expectSaveDialog(QStringLiteral("C:\\copy.m3u"))
        .expectMsgBox(kSaved, vbOKOnly, QStringLiteral("Saved"))
        .expectSaveDialog(QString());
    window->cmdOeffnen->click();
    window->cmdSpeichern->click();
    window->menSpeichAls->trigger();
    window->menSpeichAls->trigger(); // cancelled: nothing
    const QByteArray all = "C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\nC:\\Music\\c.mp3\r\nC:\\Music\\d.mp3\r\n";
    QCOMPARE(contents(env->drive.host(kPlaylist)), all);
    QCOMPARE(contents(env->drive.host(QStringLiteral("C:\\copy.m3u"))), all);
    QCOMPARE(contents(env->drive.host(QStringLiteral("C:\\other.txt"))), QByteArray("C:\\Music\\d.mp3\r\n"));
    const MessageCall save = env->messages.calls()[4];
    QCOMPARE(save.prompt, QStringLiteral("*.txt (Textfile)|*.txt"));
    QCOMPARE(save.title, QStringLiteral("Save as textfile"));
}

// The button asks first, the menu does not; lines of missing files are dropped silently; a
// missing default playlist leaves the list.
void DocumentCommandsTest::restore() {
    start();
    const QString question = QStringLiteral("Do you really want to replace your current\r\n"
                                            "    playlist with the Vorlak default playlist?");
    env->messages.expectMsgBox(QStringLiteral("Default playlist not found"), vbCritical,
                               QStringLiteral("Error"));
    window->menDefault->trigger();
    QCOMPARE(state->EntryCount(), 3);
    env->drive.write(QStringLiteral("C:\\HL\\vorlak\\mp3\\playlist.def"),
                     "C:\\Music\\e.mp3\r\nC:\\Music\\gone.mp3\r\nC:\\Music\\d.mp3\r\n");
    env->messages.expectMsgBox(question, vbYesNo, QStringLiteral("Restore"), vbNo)
        .expectMsgBox(question, vbYesNo, QStringLiteral("Restore"), vbYes)
        .expectMsgBox(kOpened, vbOKOnly, QStringLiteral("Opened"))
        .expectMsgBox(kOpened, vbOKOnly, QStringLiteral("Opened"));
    window->cmdDefault->click();
    QCOMPARE(state->EntryCount(), 3);
    window->cmdDefault->click();
    const QStringList restored = {QStringLiteral("C:\\Music\\e.mp3"), QStringLiteral("C:\\Music\\d.mp3")};
    QCOMPARE(state->Entries, restored);
    window->display.RefreshList(1);
    window->menDefault->trigger();
    QCOMPARE(window->lstListe->rows(), restored);
    QCOMPARE(window->lstListe->ListIndex(), 0);
    state->PlaylistPath.clear(); // no working file: no default either
    env->messages.expectMsgBox(QStringLiteral("Default playlist not found"), vbCritical,
                               QStringLiteral("Error"));
    window->menDefault->trigger();
}

QTEST_MAIN(DocumentCommandsTest)
#include "documentcommands_test.moc"
