// Adding files on the real main window: the selected file, all files, a typed path, drops on the
// playlist box and the file box's own drag, with the scripted message service.
#include "platform/dosfs.h"
#include "playback/modmp3.h"
#include "playlist/window/browserboxes.h"
#include "playlist/window/playlistbox.h"
#include "windowsandbox.h"

#include <QDrag>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

namespace {

const QString kError = QStringLiteral("Error");
const QString kOther = QStringLiteral("C:\\Other\\");

// The playlist starts as p.mp3 and q.mp3 of C:\Other (or empty), the file box on C:\Music with
// a.mp3, b.mp3 and c.mp3.
struct Adding : WindowSandbox {
    explicit Adding(int startEntries, int selectedRow = 0) {
        for (const char* f : {"C:\\Music\\a.mp3", "C:\\Music\\b.mp3", "C:\\Music\\c.mp3", "C:\\Music\\c.wav",
                              "C:\\Other\\p.mp3", "C:\\top.mp3"})
            env.drive.write(QString::fromLatin1(f));
        env.drive.copyFixture(QStringLiteral("plain-stereo.mp3"), kOther + QStringLiteral("q.mp3")); // plays
        QDir().mkpath(env.drive.host(QStringLiteral("C:\\Empty")));
        for (const char* f : {"p.mp3", "q.mp3"})
            if (state.EntryCount() < startEntries)
                state.AddEntry(kOther + QString::fromLatin1(f));
        window.display.RefreshList(selectedRow);
        window.Dir1->setPath(QStringLiteral("C:\\Music"));
    }
    // Delivers data to the playlist box as the window system delivers a drop; the action taken.
    Qt::DropAction drop(const QMimeData* data, Qt::DropActions offered) {
        QWidget* target = window.lstListe->viewport();
        const QPointF at(10, 10);
        QDragEnterEvent enter(at.toPoint(), offered, data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return Qt::IgnoreAction;
        QDropEvent dropped(at, offered, data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &dropped);
        return dropped.isAccepted() ? dropped.dropAction() : Qt::IgnoreAction;
    }
};

} // namespace

class AddCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addSelected_data();
    void addSelected();
    void addAll_data();
    void addAll();
    void addTyped_data();
    void addTyped();
    void dropFiles_data();
    void dropFiles();
    void dragFromFileBox();
    void failureWhileDropping();
};

void AddCommandsTest::addSelected_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("select");  // the file box's selection before, -1 none
    QTest::addColumn<int>("presses"); // of the Add button
    QTest::addColumn<bool>("playing");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<int>("row");      // selected in the playlist afterwards
    QTest::addColumn<int>("boxIndex"); // the file box's selection afterwards
    const QString music = QStringLiteral("C:\\Music\\");
    QTest::newRow("first file") << "C:\\Music" << 0 << 1 << false << QStringList{music + "a.mp3"} << 2 << 1;
    QTest::newRow("last file stays") << "C:\\Music" << 2 << 1 << false << QStringList{music + "c.mp3"} << 2
                                     << 2;
    QTest::newRow("one by one") << "C:\\Music" << 0 << 3 << false
                                << QStringList{music + "a.mp3", music + "b.mp3", music + "c.mp3"} << 4 << 2;
    QTest::newRow("same file twice") << "C:\\Music" << 2 << 2 << false
                                     << QStringList{music + "c.mp3", music + "c.mp3"} << 3 << 2;
    QTest::newRow("none selected") << "C:\\Music" << -1 << 1 << false << QStringList() << 1 << 0;
    QTest::newRow("while playing") << "C:\\Music" << 1 << 1 << true << QStringList{music + "b.mp3"} << 0 << 2;
    QTest::newRow("drive root") << "C:\\" << 0 << 1 << false << QStringList{"C:\\top.mp3"} << 2 << 0;
    QTest::newRow("lower-case drive")
        << "c:\\music" << 0 << 1 << false << QStringList{"C:\\music\\a.mp3"} << 2 << 1;
}

void AddCommandsTest::addSelected() {
    QFETCH(QString, folder);
    QFETCH(int, select);
    QFETCH(int, presses);
    QFETCH(bool, playing);
    QFETCH(QStringList, added);
    QFETCH(int, row);
    QFETCH(int, boxIndex);
    Adding a(2);
    a.window.Dir1->setPath(folder);
    a.window.File1->setListIndex(select);
    if (playing)
        OpenAndPlay(kOther + QStringLiteral("q.mp3"));
    for (int i = 0; i < presses; ++i)
        a.window.cmdAdd->click();
    QCOMPARE(a.state.Entries.mid(2), added);
    QCOMPARE(a.window.lstListe->rows(), a.state.Entries);
    QCOMPARE(a.window.lstListe->ListIndex(), row);
    QCOMPARE(a.window.File1->ListIndex(), boxIndex);
    QCOMPARE(a.env.messages.problems(), QStringList());
    StopAndClose();
}

void AddCommandsTest::addAll_data() {
    QTest::addColumn<int>("startEntries");
    QTest::addColumn<int>("selectedRow");
    QTest::addColumn<QString>("situation"); // "playing", or "vanished": the files go after listing
    QTest::addColumn<int>("added");
    QTest::addColumn<int>("row");
    QTest::newRow("into an empty playlist") << 0 << 0 << "" << 3 << 0;
    QTest::newRow("after rows") << 2 << 1 << "" << 3 << 2;
    QTest::newRow("while playing") << 2 << 1 << "playing" << 3 << 1;
    QTest::newRow("every file refused") << 2 << 1 << "vanished" << 0 << 0;
}

void AddCommandsTest::addAll() {
    QFETCH(int, startEntries);
    QFETCH(int, selectedRow);
    QFETCH(QString, situation);
    QFETCH(int, added);
    QFETCH(int, row);
    Adding a(startEntries, selectedRow);
    a.window.File1->setListIndex(2);
    if (situation == u"playing")
        OpenAndPlay(kOther + QStringLiteral("q.mp3"));
    if (situation == u"vanished")
        QDir(a.env.drive.host(QStringLiteral("C:\\Music"))).removeRecursively();
    a.window.menAddAll->trigger();
    QCOMPARE(a.state.EntryCount(), startEntries + added);
    if (added)
        QCOMPARE(a.state.Entries.mid(startEntries),
                 QStringList({"C:\\Music\\a.mp3", "C:\\Music\\b.mp3", "C:\\Music\\c.mp3"}));
    QCOMPARE(a.window.lstListe->ListIndex(), row);
    QCOMPARE(a.window.File1->ListIndex(), 0);

    // An empty file box: the two add commands say so and add nothing.
    a.window.Dir1->setPath(QStringLiteral("C:\\Empty"));
    a.env.messages.expectMsgBox(QStringLiteral("No file in the box"), vbOKOnly, kError)
        .expectMsgBox(QStringLiteral("No file selected"), vbOKOnly, kError);
    a.window.cmdAdd2->click();
    a.window.menAddSel->trigger();
    QCOMPARE(a.state.EntryCount(), startEntries + added);
    QCOMPARE(a.env.messages.problems(), QStringList());
    StopAndClose();
}

void AddCommandsTest::addTyped_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("vanish"); // p.mp3 is deleted before
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("row");
    const QString gone = QStringLiteral(" became deleted\r\nfrom playlist, because it's not valid (anymore)");
    QTest::newRow("existing file") << "C:\\Music\\a.mp3" << false
                                   << QStringList{"C:\\Other\\p.mp3", "C:\\Other\\q.mp3", "C:\\Music\\a.mp3"}
                                   << 2;
    QTest::newRow("as typed, drive upper-cased")
        << "c:\\MUSIC\\a.mp3" << false
        << QStringList{"C:\\Other\\p.mp3", "C:\\Other\\q.mp3", "C:\\MUSIC\\a.mp3"} << 2;
    QTest::newRow("not an MP3") << "C:\\Music\\c.wav" << false
                                << QStringList{"C:\\Other\\p.mp3", "C:\\Other\\q.mp3"} << 1;
    QTest::newRow("cancelled, an entry gone") << "" << true << QStringList{"C:\\Other\\q.mp3"} << 0;
    QTest::newRow("added, an entry gone")
        << "C:\\Music\\b.mp3" << true << QStringList{"C:\\Other\\q.mp3", "C:\\Music\\b.mp3"} << 1;
}

void AddCommandsTest::addTyped() {
    QFETCH(QString, answer);
    QFETCH(bool, vanish);
    QFETCH(QStringList, entries);
    QFETCH(int, row);
    Adding a(2, 1);
    if (vanish)
        QFile::remove(a.env.drive.host(kOther + QStringLiteral("p.mp3")));
    a.env.messages.expectInputBox(answer);
    if (vanish)
        a.env.messages.expectMsgBox(QStringLiteral("File: C:\\Other\\p.mp3 became deleted\r\nfrom playlist, "
                                                   "because it's not valid (anymore)"),
                                    vbOKOnly, QStringLiteral("File not found"));
    a.window.menAddMan->trigger();
    QCOMPARE(a.state.Entries, entries);
    QCOMPARE(a.window.lstListe->rows(), entries);
    QCOMPARE(a.window.lstListe->ListIndex(), row);
    const MessageCall input = a.env.messages.calls().first();
    QCOMPARE(input.prompt, QStringLiteral("Filename"));
    QCOMPARE(input.title, QStringLiteral("Add file"));
    QCOMPARE(a.env.messages.problems(), QStringList());
}

void AddCommandsTest::dropFiles_data() {
    QTest::addColumn<QStringList>("uris"); // names in C:\Drop, "/..." outside every drive, "http..."
    QTest::addColumn<QString>("text");     // the plain-text copy ("" none)
    QTest::addColumn<QStringList>("refused");
    QTest::addColumn<QStringList>("added");
    const QString d = QStringLiteral("C:\\Drop\\");
    const QString invalid = QStringLiteral("Invalid filetype: ");
    QTest::newRow("second of three a WAV")
        << QStringList{"one.mp3", "two.wav", "three.mp3"} << "" << QStringList{invalid + d + "two.wav"}
        << QStringList{d + "one.mp3", d + "three.mp3"};
    QTest::newRow(".Mp3 and a blank")
        << QStringList{"My Song.Mp3"} << "" << QStringList() << QStringList{d + "My Song.Mp3"};
    QTest::newRow("further extension and folders")
        << QStringList{"x.mp3.bak", "Album", "Folder.mp3", "one.mp3"} << ""
        << QStringList{invalid + d + "x.mp3.bak", invalid + d + "Album", invalid + d + "Folder.mp3"}
        << QStringList{d + "one.mp3"};
    QTest::newRow("file list wins over its text copy")
        << QStringList{"three.mp3"} << "one.mp3" << QStringList() << QStringList{d + "three.mp3"};
    QTest::newRow("text alone: a name in the browser's folder")
        << QStringList() << "one.mp3" << QStringList() << QStringList{d + "one.mp3"};
    QTest::newRow("outside every drive") << QStringList{"/outside.mp3", "one.mp3"} << ""
                                         << QStringList{"/outside.mp3"} << QStringList{d + "one.mp3"};
    QTest::newRow("web address") << QStringList{"http://example.com/a.mp3"} << "" << QStringList()
                                 << QStringList();
    QTest::newRow("name outside the code page")
        << QStringList{"歌.mp3", "one.mp3"} << ""
        << QStringList{"Cannot use this file name in a playlist: " + d + "歌.mp3"}
        << QStringList{d + "one.mp3"};
}

// Drops built as Linux file managers build them: a text/uri-list of percent-encoded file URLs,
// each line ended by CR LF, with a plain-text copy of the paths.
void AddCommandsTest::dropFiles() {
    QFETCH(QStringList, uris);
    QFETCH(QString, text);
    QFETCH(QStringList, refused);
    QFETCH(QStringList, added);
    Adding a(2, 1);
    QTemporaryDir outside;
    for (const char* f : {"one.mp3", "two.wav", "three.mp3", "My Song.Mp3", "x.mp3.bak", "歌.mp3"})
        a.env.drive.write(QStringLiteral("C:\\Drop\\") + QString::fromUtf8(f));
    QDir().mkpath(a.env.drive.host(QStringLiteral("C:\\Drop\\Album")));
    QDir().mkpath(a.env.drive.host(QStringLiteral("C:\\Drop\\Folder.mp3")));
    a.window.Dir1->setPath(QStringLiteral("C:\\Drop"));
    QByteArray list;
    QStringList paths;
    for (const QString& u : uris) {
        QString host =
            u.startsWith(u'/') ? outside.path() + u : a.env.drive.host(QStringLiteral("C:\\Drop\\") + u);
        const QUrl url = u.startsWith(u"http") ? QUrl(u) : QUrl::fromLocalFile(host);
        list += url.toEncoded() + "\r\n";
        paths.append(host);
        if (u.startsWith(u'/'))
            QFile(host).open(QIODevice::WriteOnly);
    }
    for (QString& r : refused)
        if (r.startsWith(u'/'))
            r = QStringLiteral("This file is outside every drive: ") + outside.path() + r;
    for (const QString& r : refused)
        a.env.messages.expectMsgBox(r, vbOKOnly, kError);
    QMimeData data;
    if (!list.isEmpty())
        data.setData(QStringLiteral("text/uri-list"), list);
    if (!text.isEmpty() || !paths.isEmpty())
        data.setText(text.isEmpty() ? paths.join(u'\n') : text);
    const Qt::DropAction taken = a.drop(&data, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction);
    QCOMPARE(taken, Qt::CopyAction); // files from another program stay where they are
    QCOMPARE(a.state.Entries.mid(2), added);
    QCOMPARE(a.window.lstListe->ListIndex(), a.state.EntryCount() - 1);
    QCOMPARE(a.env.messages.problems(), QStringList());
}

// The file box's own drag, with the real mouse: a press and release selects without a drag; a
// press and a move drags the bare name as plain text, move only, and its drop adds the file.
void AddCommandsTest::dragFromFileBox() {
    Adding a(2, 0);
    FileListBox* files = a.window.File1;
    const QPoint second = files->visualRect(files->model()->index(1, 0)).center();
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(files->ListIndex(), 1);
    QVERIFY(!files->findChild<QDrag*>());

    const QPoint third = files->visualRect(files->model()->index(2, 0)).center();
    QTest::mousePress(files->viewport(), Qt::LeftButton, {}, third);
    QMouseEvent move(QEvent::MouseMove, third + QPoint(0, 3 * QApplication::startDragDistance()),
                     files->viewport()->mapToGlobal(third), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(files->viewport(), &move);
    // Without a window system to carry it, the drag ends at once; its object is deleted later.
    QDrag* drag = files->findChild<QDrag*>();
    QVERIFY(drag);
    QCOMPARE(drag->supportedActions(), Qt::MoveAction);
    QCOMPARE(drag->mimeData()->text(), QStringLiteral("c.mp3"));
    QCOMPARE(drag->mimeData()->formats(), QStringList{"text/plain"});
    QCOMPARE(a.drop(drag->mimeData(), drag->supportedActions()), Qt::MoveAction);
    QCOMPARE(files->ListIndex(), 2);
    QCOMPARE(a.state.Entries.last(), QStringLiteral("C:\\Music\\c.mp3"));
    QCOMPARE(a.window.lstListe->ListIndex(), 2);
    QCOMPARE(a.env.messages.problems(), QStringList());
}

namespace {
// Drop data whose file list cannot be read.
class BrokenData final : public QMimeData {
protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override {
        if (mimeType == u"text/uri-list")
            throw std::runtime_error("broken drop");
        return QMimeData::retrieveData(mimeType, type);
    }
};
} // namespace

// An unexpected failure while adding: its own message, and the display is not rebuilt.
void AddCommandsTest::failureWhileDropping() {
    Adding a(2, 0); // a rebuild would select the last row
    BrokenData data;
    data.setData(QStringLiteral("text/uri-list"), "file:///a.mp3\r\n");
    a.env.messages.expectMsgBox(QStringLiteral("Error while adding file. Please report this message"),
                                vbCritical, kError);
    a.drop(&data, Qt::CopyAction);
    QCOMPARE(a.state.EntryCount(), 2);
    QCOMPARE(a.window.lstListe->ListIndex(), 0);
    QCOMPARE(a.env.messages.problems(), QStringList());
}

QTEST_MAIN(AddCommandsTest)
#include "addcommands_test.moc"
