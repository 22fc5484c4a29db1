// Open, Save, Save As and Restore on the real main window with the scripted message service.
#include "platform/dosfs.h"
#include "playback/modmp3.h"
#include "playlist/window/playlistbox.h"
#include "windowtest.h"

#include <QFile>
#include <QtTest>

namespace {
const QString kPlaylist = "C:\\HL\\vorlak\\mp3\\playlist.txt";
const QString kSaved = "New playlist successfully saved";
const QString kOpened = "Default playlist successfully opened";
QString added(int n) {
    return QStringLiteral("Added %1 files successfully").arg(n);
}
} // namespace

class DocumentCommandsTest : public WindowTest {
    Q_OBJECT
private Q_SLOTS:
    void open();
    void saveAndSaveAs();
    void restore();

private:
    // The working file holds a.mp3, b.mp3 and c.mp3 of C:\Music (d.mp3 and e.mp3 lie there too),
    // row 1 selected.
    void start() {
        for (const char* name : {"a", "b", "c", "d", "e"})
            env->drive.copyFixture("plain-stereo.mp3",
                                   QStringLiteral("C:\\Music\\%1.mp3").arg(QLatin1String(name)));
        state->PlaylistPath = kPlaylist;
        env->drive.write(kPlaylist, "C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\nC:\\Music\\c.mp3\r\n");
        state->Entries.clear();
        LoadTextPlaylist(*state, kPlaylist);
        window->display.RefreshList(1);
    }
};

// The list holds a, b, c (row 1 selected) or nothing; the file opened names d and e. Opening
// keeps or replaces the list, never touches playback nor the working file, and starts in the
// program's folder.
void DocumentCommandsTest::open() {
    const QString m3u = "C:\\Lists\\new.m3u";
    const QString gone = " became deleted\r\nfrom playlist, because it's not valid (anymore)";
    const QStringList goneAB = {"File: C:\\Music\\a.mp3" + gone, "File: C:\\Music\\b.mp3" + gone};
    const struct {
        bool empty; // the list is empty before: no question
        QString file;
        int keep;           // the answer to "Keep old playlist ?"
        bool playing;       // b plays
        bool vanished;      // a and b go before opening
        QStringList errors; // messages before the report
        const char* entries;
        int row;
    } cases[] = {
        {false, m3u, vbYes, false, false, {}, "abcde", 3},
        {false, "C:\\Lists\\new.txt", vbNo, false, false, {}, "de", 0},
        {true, m3u, 0, false, false, {}, "de", 0},
        {false, m3u, vbYes, true, false, {}, "abcde", 1},
        {false, m3u, vbYes, false, true, goneAB, "cde", 0},
        // The loader wants ".txt" or ".m3u" in lower case; the first five characters do not count.
        {true, "C:\\Lists\\LIST.TXT", 0, false, false, {"No valid playlistfile"}, "", -1},
        {true, "C:\\old.txt.d\\new.m3u", 0, false, false, {"No Valid File selected"}, "", -1},
    };
    for (const auto& c : cases) {
        start();
        if (c.empty) {
            state->Entries.clear();
            window->display.RefreshList(0);
        }
        if (c.playing)
            OpenAndPlay(state->Entries[1]);
        if (c.vanished)
            for (const char* f : {"C:\\Music\\a.mp3", "C:\\Music\\b.mp3"})
                QFile::remove(env->drive.host(QLatin1String(f)));
        // An M3U list with a header, a relative line and one found in an ancestor folder.
        env->drive.write(c.file, c.file.endsWith(u"txt", Qt::CaseInsensitive)
                                     ? "C:\\Music\\d.mp3\r\nC:\\Music\\e.mp3\r\n"
                                     : "#EXTM3U\r\n..\\Music\\d.mp3\r\n\\Music\\e.mp3\r\n");
        env->messages.expectOpenDialog(c.file);
        if (c.keep)
            env->messages.expectMsgBox("Keep old playlist ?", vbYesNo, QString(), c.keep);
        for (const QString& e : c.errors)
            env->messages.expectMsgBox(e, vbOKOnly, e.startsWith(u"File") ? "File not found" : "Error");
        env->messages.expectMsgBox(added(strchr(c.entries, 'd') ? 2 : 0), vbOKOnly, "Saved");
        window->documents.OpenPlaylist();
        QString names;
        for (const QString& e : state->Entries)
            names += e.at(e.size() - 5);
        QCOMPARE(names, QLatin1String(c.entries));
        QCOMPARE(window->lstListe->rows(), state->Entries);
        QCOMPARE(window->lstListe->ListIndex(), c.row);
        QCOMPARE(IsPlaying(), c.playing);
        QCOMPARE(state->PlaylistPath, kPlaylist);
        QCOMPARE(env->messages.calls().last().folder, dosfs::toDos(QCoreApplication::applicationDirPath()));
        StopAndClose();
    }
}

// Save writes the entries, full paths, to the working file whatever the view; Save As writes the
// same under the name chosen, and nothing when cancelled.
void DocumentCommandsTest::saveAndSaveAs() {
    start();
    state->Entries.append(u"C:\\Music\\d.mp3");
    window->display.menNoFold_Click();
    env->messages.expectMsgBox(kSaved, vbOKOnly, "Saved")
        .expectSaveDialog("C:\\copy.m3u")
        .expectMsgBox(kSaved, vbOKOnly, "Saved")
        .expectSaveDialog(QString());
    window->documents.cmdSpeichern_Click();
    window->documents.menSpeichAls_Click();
    window->documents.menSpeichAls_Click();
    const QByteArray all = "C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\nC:\\Music\\c.mp3\r\nC:\\Music\\d.mp3\r\n";
    QCOMPARE(contents(env->drive.host(kPlaylist)), all);
    QCOMPARE(contents(env->drive.host("C:\\copy.m3u")), all);
}

// The button asks first, the menu does not; lines of missing files are dropped silently; without a
// working file there is no default playlist.
void DocumentCommandsTest::restore() {
    start();
    const QString question = QStringLiteral("Do you really want to replace your current\r\n"
                                            "    playlist with the Vorlak default playlist?");
    env->drive.write("C:\\HL\\vorlak\\mp3\\playlist.def",
                     "C:\\Music\\e.mp3\r\nC:\\Music\\gone.mp3\r\nC:\\Music\\d.mp3\r\n");
    env->messages.expectMsgBox(question, vbYesNo, "Restore", vbYes)
        .expectMsgBox(kOpened, vbOKOnly, "Opened")
        .expectMsgBox(kOpened, vbOKOnly, "Opened");
    window->documents.cmdDefault_Click();
    const QStringList restored = {"C:\\Music\\e.mp3", "C:\\Music\\d.mp3"};
    QCOMPARE(state->Entries, restored);
    window->display.RefreshList(1);
    window->documents.RestoreDefaultPlaylist();
    QCOMPARE(window->lstListe->rows(), restored);
    QCOMPARE(window->lstListe->ListIndex(), 0);
    state->PlaylistPath.clear();
    env->messages.expectMsgBox("Default playlist not found", vbCritical, "Error");
    window->documents.RestoreDefaultPlaylist();
}

QTEST_MAIN(DocumentCommandsTest)
#include "documentcommands_test.moc"
