// Open, Save, Save As and Restore on the real main window with the scripted message service.
#include "app/frmVeriVuzeDadeve.h"
#include "appenvironment.h"
#include "playback/modmp3.h"
#include "playlist/playlistbox.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

namespace {

const QString kPlaylist = QStringLiteral("C:\\HL\\vorlak\\mp3\\playlist.txt");

QString added(int n) {
    return QStringLiteral("Added %1 files successfully").arg(n);
}
QString deleted(const QString& p) {
    return QStringLiteral("File: ") + p +
           QStringLiteral(" became deleted\r\nfrom playlist, because it's not valid (anymore)");
}
QByteArray contents(const QString& host) {
    QFile f(host);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class DocumentCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void keepOldPlaylist();
    void replaceOldPlaylist();
    void classification_data();
    void classification();
    void vanishedEntriesAreReported();
    void openWhilePlayingKeepsTheRow();
    void binaryFileAsPlaylist();
    void saveWritesTheWorkingFile();
    void saveAs();
    void restore();
    void restoreWithoutDefault();

private:
    std::unique_ptr<AppEnvironment> env;
    std::unique_ptr<ProgramState> state;
    std::unique_ptr<frmVeriVuzeDadeve> window;
    QStringList files(std::initializer_list<const char*> names) {
        QStringList paths;
        for (const char* n : names)
            paths.append(QStringLiteral("C:\\Music\\%1.mp3").arg(QLatin1String(n)));
        for (const QString& p : paths)
            env->drive.write(p);
        return paths;
    }
    void start(const QStringList& entries) {
        state->PlaylistPath = kPlaylist;
        env->drive.write(kPlaylist,
                         (entries.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
        state->Entries = entries;
        window->display.RefreshList(0);
    }
};

void DocumentCommandsTest::init() {
    env = std::make_unique<AppEnvironment>();
    state = std::make_unique<ProgramState>();
    window = std::make_unique<frmVeriVuzeDadeve>(*state);
    window->show();
}

void DocumentCommandsTest::cleanup() {
    QCOMPARE(env->messages.problems(), QStringList());
    window.reset();
    state.reset();
    env.reset();
}

void DocumentCommandsTest::keepOldPlaylist() {
    const QStringList old = files({"a", "b", "c"});
    const QStringList fresh = files({"d", "e"});
    start(old);
    env->drive.write(QStringLiteral("C:\\Lists\\new.m3u"),
                     "#EXTM3U\r\n..\\Music\\d.mp3\r\n\\Music\\e.mp3\r\n");
    env->messages.expectOpenDialog(QStringLiteral("C:\\Lists\\new.m3u"))
        .expectMsgBox(QStringLiteral("Keep old playlist ?"), vbYesNo, QString(), vbYes)
        .expectMsgBox(added(2), vbOKOnly, QStringLiteral("Saved"));
    window->cmdOeffnen->click();
    QCOMPARE(state->Entries,
             QStringList({old[0], old[1], old[2], QStringLiteral("C:\\Lists\\..\\Music\\d.mp3"), fresh[1]}));
    QCOMPARE(window->lstListe->ListIndex(), 3);
    QCOMPARE(window->lstListe->ListCount(), 5);
    // The dialog offers the playlist filter, starting in the program's folder.
    const MessageCall dialog = env->messages.calls().first();
    QCOMPARE(dialog.prompt, QStringLiteral("Playlists (*.txt;*.m3u)|*.txt;*.m3u"));
    QCOMPARE(dialog.title, QStringLiteral("Open playlistfile"));
    QCOMPARE(state->PlaylistPath, kPlaylist); // opening never changes the working file
}

void DocumentCommandsTest::replaceOldPlaylist() {
    start(files({"a", "b", "c"}));
    const QStringList fresh = files({"d", "e"});
    env->drive.write(QStringLiteral("C:\\Lists\\new.txt"), (fresh.join(QStringLiteral("\r\n"))).toLatin1());
    env->messages.expectOpenDialog(QStringLiteral("C:\\Lists\\new.txt"))
        .expectMsgBox(QStringLiteral("Keep old playlist ?"), vbYesNo, QString(), vbNo)
        .expectMsgBox(added(2), vbOKOnly, QStringLiteral("Saved"));
    window->menOeffnen->trigger();
    QCOMPARE(state->Entries, fresh);
    QCOMPARE(window->lstListe->ListIndex(), 0);
    // A cancelled dialog changes nothing.
    env->messages.expectOpenDialog(QString());
    window->menOeffnen->trigger();
    QCOMPARE(state->Entries, fresh);
}

// The kind of playlist is told by ".txt" or ".m3u", exactly so, after the first five characters.
void DocumentCommandsTest::classification_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("errors");
    QTest::addColumn<int>("count");
    QTest::newRow("LIST.TXT") << QStringLiteral("C:\\Lists\\LIST.TXT") << QStringList{"No valid playlistfile"}
                              << 0;
    QTest::newRow("LIST.M3U") << QStringLiteral("C:\\Lists\\LIST.M3U") << QStringList{"No valid playlistfile"}
                              << 0;
    QTest::newRow("folder old.txt.d")
        << QStringLiteral("C:\\old.txt.d\\list.m3u") << QStringList{"No Valid File selected"} << 0;
    QTest::newRow("list.m3u") << QStringLiteral("C:\\Lists\\list.m3u") << QStringList() << 1;
    QTest::newRow("list.txt") << QStringLiteral("C:\\Lists\\list.txt") << QStringList() << 1;
}

void DocumentCommandsTest::classification() {
    QFETCH(QString, file);
    QFETCH(QStringList, errors);
    QFETCH(int, count);
    files({"a"});
    env->drive.write(file, "C:\\Music\\a.mp3\r\n");
    env->messages.expectOpenDialog(file);
    for (const QString& e : errors)
        env->messages.expectMsgBox(e, vbOKOnly, QStringLiteral("Error"));
    env->messages.expectMsgBox(added(count), vbOKOnly, QStringLiteral("Saved"));
    window->documents.OpenPlaylist(); // an empty list: no question whether to keep it
    QCOMPARE(state->EntryCount(), count);
}

// Kept entries whose files went are reported one by one; the count is what the file added.
void DocumentCommandsTest::vanishedEntriesAreReported() {
    const QStringList old = files({"a", "b", "c"});
    start(old);
    QFile::remove(env->drive.host(old[0]));
    QFile::remove(env->drive.host(old[1]));
    files({"d"});
    env->drive.write(QStringLiteral("C:\\new.txt"), "C:\\Music\\d.mp3\r\n");
    env->messages.expectOpenDialog(QStringLiteral("C:\\new.txt"))
        .expectMsgBox(QStringLiteral("Keep old playlist ?"), vbYesNo, QString(), vbYes)
        .expectMsgBox(deleted(old[0]), vbOKOnly, QStringLiteral("File not found"))
        .expectMsgBox(deleted(old[1]), vbOKOnly, QStringLiteral("File not found"))
        .expectMsgBox(added(1), vbOKOnly, QStringLiteral("Saved"));
    window->documents.OpenPlaylist();
    QCOMPARE(state->Entries, QStringList({old[2], QStringLiteral("C:\\Music\\d.mp3")}));
    QCOMPARE(window->lstListe->ListCount(), 2);
    QCOMPARE(window->lstListe->ListIndex(), 0); // row 3 does not exist: the first row
}

// While a title plays, the selected row stays selected and the title plays on.
void DocumentCommandsTest::openWhilePlayingKeepsTheRow() {
    const QStringList old = {QStringLiteral("C:\\Music\\a.mp3"), QStringLiteral("C:\\Music\\b.mp3")};
    for (const QString& p : old)
        env->drive.copyFixture(QStringLiteral("plain-stereo.mp3"), p);
    start(old);
    window->display.RefreshList(1);
    state->PlayingIndex = 1;
    OpenAndPlay(old[1]);
    QVERIFY(IsPlaying());
    env->drive.copyFixture(QStringLiteral("plain-stereo.mp3"), QStringLiteral("C:\\Music\\c.mp3"));
    env->drive.write(QStringLiteral("C:\\new.txt"), "C:\\Music\\c.mp3\r\n");
    env->messages.expectOpenDialog(QStringLiteral("C:\\new.txt"))
        .expectMsgBox(QStringLiteral("Keep old playlist ?"), vbYesNo, QString(), vbNo)
        .expectMsgBox(added(1), vbOKOnly, QStringLiteral("Saved"));
    window->documents.OpenPlaylist();
    QVERIFY(IsPlaying());
    QCOMPARE(state->PlayingIndex, 1);
    QCOMPARE(state->Entries, QStringList{QStringLiteral("C:\\Music\\c.mp3")});
    QCOMPARE(window->lstListe->ListIndex(), 0); // row 1 is gone: the first row
    env->messages.expectOpenDialog(QStringLiteral("C:\\new.txt"))
        .expectMsgBox(QStringLiteral("Keep old playlist ?"), vbYesNo, QString(), vbYes)
        .expectMsgBox(added(1), vbOKOnly, QStringLiteral("Saved"));
    window->display.RefreshList(0);
    window->documents.OpenPlaylist();
    QCOMPARE(window->lstListe->ListIndex(), 0); // not row 1, the first new one
    StopAndClose();
    env->messages.expectOpenDialog(QStringLiteral("C:\\new.txt"))
        .expectMsgBox(QStringLiteral("Keep old playlist ?"), vbYesNo, QString(), vbYes)
        .expectMsgBox(added(1), vbOKOnly, QStringLiteral("Saved"));
    window->documents.OpenPlaylist();
    QCOMPARE(window->lstListe->ListIndex(), 2); // nothing plays: the first new row
}

void DocumentCommandsTest::binaryFileAsPlaylist() {
    QByteArray junk(50 * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator generator(7);
    generator.fillRange(reinterpret_cast<quint32*>(junk.data()), junk.size() / 4);
    for (const char* name : {"C:\\junk.txt", "C:\\junk.m3u"}) {
        env->drive.write(QString::fromUtf8(name), junk);
        env->messages.expectOpenDialog(QString::fromUtf8(name))
            .expectMsgBox(added(0), vbOKOnly, QStringLiteral("Saved"));
        window->documents.OpenPlaylist();
    }
    QCOMPARE(state->EntryCount(), 0);
}

// Save writes the working file with full paths, whatever the view and whatever was opened since.
void DocumentCommandsTest::saveWritesTheWorkingFile() {
    const QStringList entries = files({"b", "a"});
    start({});
    state->Entries = entries;
    window->display.RefreshList(0);
    window->menNoFold->trigger();
    env->drive.write(QStringLiteral("C:\\other.txt"), "C:\\Music\\a.mp3\r\n");
    env->messages.expectOpenDialog(QStringLiteral("C:\\other.txt"))
        .expectMsgBox(QStringLiteral("Keep old playlist ?"), vbYesNo, QString(), vbYes)
        .expectMsgBox(added(1), vbOKOnly, QStringLiteral("Saved"))
        .expectMsgBox(QStringLiteral("New playlist successfully saved"), vbOKOnly, QStringLiteral("Saved"));
    window->cmdOeffnen->click();
    window->cmdSpeichern->click();
    QCOMPARE(contents(env->drive.host(kPlaylist)),
             QByteArray("C:\\Music\\b.mp3\r\nC:\\Music\\a.mp3\r\nC:\\Music\\a.mp3\r\n"));
    QCOMPARE(contents(env->drive.host(QStringLiteral("C:\\other.txt"))), QByteArray("C:\\Music\\a.mp3\r\n"));
}

void DocumentCommandsTest::saveAs() {
    start(files({"a"}));
    env->messages.expectSaveDialog(QStringLiteral("C:\\copy.m3u"))
        .expectMsgBox(QStringLiteral("New playlist successfully saved"), vbOKOnly, QStringLiteral("Saved"))
        .expectSaveDialog(QString());
    window->menSpeichAls->trigger();
    window->menSpeichAls->trigger(); // cancelled: nothing
    QCOMPARE(contents(env->drive.host(QStringLiteral("C:\\copy.m3u"))), QByteArray("C:\\Music\\a.mp3\r\n"));
    QCOMPARE(env->messages.calls().first().prompt, QStringLiteral("*.txt (Textfile)|*.txt"));
    QCOMPARE(env->messages.calls().first().title, QStringLiteral("Save as textfile"));
}

void DocumentCommandsTest::restore() {
    const QStringList entries = files({"a", "b"});
    start({entries[1]});
    env->drive.write(QStringLiteral("C:\\HL\\vorlak\\mp3\\playlist.def"),
                     "C:\\Music\\a.mp3\r\nC:\\Music\\gone.mp3\r\nC:\\Music\\b.mp3\r\n");
    // The button asks first; No leaves the list.
    const QString question = QStringLiteral("Do you really want to replace your current\r\n"
                                            "    playlist with the Vorlak default playlist?");
    env->messages.expectMsgBox(question, vbYesNo, QStringLiteral("Restore"), vbNo);
    window->cmdDefault->click();
    QCOMPARE(state->Entries, QStringList{entries[1]});
    env->messages.expectMsgBox(question, vbYesNo, QStringLiteral("Restore"), vbYes)
        .expectMsgBox(QStringLiteral("Default playlist successfully opened"), vbOKOnly,
                      QStringLiteral("Opened"));
    window->cmdDefault->click();
    QCOMPARE(state->Entries, entries);
    QCOMPARE(window->lstListe->ListIndex(), 0);
    // The menu asks nothing.
    window->display.RefreshList(1);
    env->messages.expectMsgBox(QStringLiteral("Default playlist successfully opened"), vbOKOnly,
                               QStringLiteral("Opened"));
    window->menDefault->trigger();
    QCOMPARE(window->lstListe->rows(), entries);
}

void DocumentCommandsTest::restoreWithoutDefault() {
    start(files({"a"}));
    env->messages.expectMsgBox(QStringLiteral("Default playlist not found"), vbCritical,
                               QStringLiteral("Error"));
    window->menDefault->trigger();
    QCOMPARE(state->EntryCount(), 1);
    state->PlaylistPath.clear(); // no working file: no default either
    env->messages.expectMsgBox(QStringLiteral("Default playlist not found"), vbCritical,
                               QStringLiteral("Error"));
    window->menDefault->trigger();
}

QTEST_MAIN(DocumentCommandsTest)
#include "documentcommands_test.moc"
