// Adding files on the real main window: the selected file, all files, a typed path, drops on the
// playlist box and the file box's own drag, with the scripted message service.
#include "playback/modmp3.h"
#include "playlist/window/browserboxes.h"
#include "playlist/window/playlistbox.h"
#include "windowtest.h"

#include <QDrag>
#include <QMimeData>
#include <QtTest>

namespace {
const QString kError = "Error";
const QString kOther = "C:\\Other\\";
const QString kMusic = "C:\\Music\\";
} // namespace

class AddCommandsTest : public WindowTest {
    Q_OBJECT
private Q_SLOTS:
    void addSelected();
    void addAll();
    void addTyped();
    void dropFiles();
    void dragFromFileBox();
    void failureWhileDropping();

private:
    // The playlist starts as the first `entries` of C:\Other\p.mp3 and q.mp3 (q plays), the file
    // box on C:\Music with a.mp3, b.mp3 and c.mp3 (and c.wav, which it leaves out).
    void start(int entries, int row) {
        for (const char* f : {"C:\\Music\\a.mp3", "C:\\Music\\b.mp3", "C:\\Music\\c.mp3", "C:\\Music\\c.wav",
                              "C:\\Other\\p.mp3", "C:\\top.mp3"})
            env->drive.write(QString::fromLatin1(f));
        env->drive.copyFixture("plain-stereo.mp3", kOther + "q.mp3");
        QDir().mkpath(env->drive.host("C:\\Empty"));
        state->Entries = QStringList{kOther + "p.mp3", kOther + "q.mp3"}.mid(0, entries);
        window->display.RefreshList(row);
        window->Dir1->setPath("C:\\Music");
    }
    // Delivers data to the playlist box as the window system delivers a drop; the action taken.
    Qt::DropAction drop(const QMimeData* data, Qt::DropActions offered) {
        QWidget* target = window->lstListe->viewport();
        QDragEnterEvent enter(QPoint(10, 10), offered, data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return Qt::IgnoreAction;
        QDropEvent dropped(QPointF(10, 10), offered, data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &dropped);
        return dropped.isAccepted() ? dropped.dropAction() : Qt::IgnoreAction;
    }
};

// The file box's selection moves on after each addition, and stays on its last file; a title
// playing keeps the playlist's selection.
void AddCommandsTest::addSelected() {
    const struct {
        const char* folder;
        int select;  // the file box's selection before, -1 none
        int presses; // of Add
        bool playing;
        QStringList added;
        int row;      // selected in the playlist afterwards
        int boxIndex; // the file box's selection afterwards
    } cases[] = {
        {"C:\\Music", 0, 1, false, {kMusic + "a.mp3"}, 2, 1},
        {"C:\\Music", 0, 3, false, {kMusic + "a.mp3", kMusic + "b.mp3", kMusic + "c.mp3"}, 4, 2},
        {"C:\\Music", -1, 1, false, {}, 1, 0},
        {"C:\\Music", 1, 1, true, {kMusic + "b.mp3"}, 0, 2},
        {"C:\\", 0, 1, false, {"C:\\top.mp3"}, 2, 0},
    };
    for (const auto& c : cases) {
        start(2, 0);
        window->Dir1->setPath(QLatin1String(c.folder));
        window->File1->setListIndex(c.select);
        if (c.playing)
            OpenAndPlay(kOther + "q.mp3");
        for (int i = 0; i < c.presses; ++i)
            window->adds.cmdAdd_Click();
        QCOMPARE(state->Entries.mid(2), c.added);
        QCOMPARE(window->lstListe->rows(), state->Entries);
        QCOMPARE(window->lstListe->ListIndex(), c.row);
        QCOMPARE(window->File1->ListIndex(), c.boxIndex);
        StopAndClose();
    }
}

// Every file of the box in its order, the first one selected afterwards; an empty box says so.
void AddCommandsTest::addAll() {
    const struct {
        int entries, row;
        bool playing;
        bool vanished; // the files go after the box listed them
        int added, rowAfter;
    } cases[] = {
        {0, 0, false, false, 3, 0},
        {2, 1, true, false, 3, 1},
        {2, 1, false, true, 0, 0},
    };
    for (const auto& c : cases) {
        start(c.entries, c.row);
        window->File1->setListIndex(2);
        if (c.playing)
            OpenAndPlay(kOther + "q.mp3");
        if (c.vanished)
            QDir(env->drive.host("C:\\Music")).removeRecursively();
        window->adds.cmdAdd2_Click();
        QCOMPARE(state->EntryCount(), c.entries + c.added);
        if (c.added)
            QCOMPARE(state->Entries.mid(c.entries),
                     QStringList({kMusic + "a.mp3", kMusic + "b.mp3", kMusic + "c.mp3"}));
        QCOMPARE(window->lstListe->ListIndex(), c.rowAfter);
        QCOMPARE(window->File1->ListIndex(), 0);
        StopAndClose();
    }
    window->Dir1->setPath("C:\\Empty");
    env->messages.expectMsgBox("No file in the box", vbOKOnly, kError)
        .expectMsgBox("No file selected", vbOKOnly, kError);
    window->adds.cmdAdd2_Click();
    window->adds.cmdAdd_Click();
    QCOMPARE(state->EntryCount(), 2);
}

// A typed path is added as typed; entries whose files went are removed afterwards, also when the
// box was cancelled.
void AddCommandsTest::addTyped() {
    const QString p = kOther + "p.mp3", q = kOther + "q.mp3";
    const struct {
        const char* answer;
        bool vanish; // p.mp3 is deleted before
        QStringList entries;
        int row;
    } cases[] = {
        {"C:\\Music\\a.mp3", false, {p, q, kMusic + "a.mp3"}, 2},
        {"C:\\Music\\c.wav", false, {p, q}, 1},
        {"", true, {q}, 0},
        {"C:\\Music\\b.mp3", true, {q, kMusic + "b.mp3"}, 1},
    };
    for (const auto& c : cases) {
        start(2, 1);
        if (c.vanish)
            QFile::remove(env->drive.host(p));
        env->messages.expectInputBox(QLatin1String(c.answer));
        if (c.vanish)
            env->messages.expectMsgBox(
                "File: " + p + " became deleted\r\nfrom playlist, because it's not valid (anymore)", vbOKOnly,
                "File not found");
        window->adds.cmdManuell_Click();
        QCOMPARE(state->Entries, c.entries);
        QCOMPARE(window->lstListe->rows(), c.entries);
        QCOMPARE(window->lstListe->ListIndex(), c.row);
    }
}

// Drops built as Linux file managers build them: a text/uri-list of percent-encoded file URLs,
// each line ended by CR LF, with a plain-text copy of the paths. Files from another program are
// copied, never moved.
void AddCommandsTest::dropFiles() {
    const QString d = "C:\\Drop\\", bad = "Invalid filetype: C:\\Drop\\";
    const struct {
        QStringList uris;    // names in C:\Drop, "/..." outside every drive, "http..."
        QString text;        // the plain-text copy ("" the paths)
        QStringList refused; // messages, "/..." outside every drive
        const char* added;   // names in C:\Drop
    } cases[] = {
        {{"one.mp3", "two.wav", "three.mp3"}, "", {bad + "two.wav"}, "one.mp3|three.mp3"},
        {{"Folder.mp3", "one.mp3"}, "", {bad + "Folder.mp3"}, "one.mp3"},
        {{"three.mp3"}, "one.mp3", {}, "three.mp3"}, // the file list wins over its text copy
        {{"/outside.mp3", "one.mp3"}, "", {"/outside.mp3"}, "one.mp3"},
        {{"http://example.com/a.mp3"}, "", {}, ""},
        {{"歌.mp3", "one.mp3"}, "", {"Cannot use this file name in a playlist: " + d + "歌.mp3"}, "one.mp3"},
    };
    QTemporaryDir outside;
    for (const auto& c : cases) {
        start(2, 1);
        for (const char* f : {"one.mp3", "two.wav", "three.mp3", "歌.mp3"})
            env->drive.write(d + QString::fromUtf8(f));
        QDir().mkpath(env->drive.host(d + "Folder.mp3"));
        window->Dir1->setPath("C:\\Drop");
        QByteArray list;
        QStringList paths;
        for (const QString& u : c.uris) {
            const QString host = u.startsWith(u'/') ? outside.path() + u : env->drive.host(d + u);
            list += (u.startsWith(u"http") ? QUrl(u) : QUrl::fromLocalFile(host)).toEncoded() + "\r\n";
            paths.append(host);
            if (u.startsWith(u'/'))
                QFile(host).open(QIODevice::WriteOnly);
        }
        for (const QString& r : c.refused)
            env->messages.expectMsgBox(
                r.startsWith(u'/') ? "This file is outside every drive: " + outside.path() + r : r, vbOKOnly,
                kError);
        QMimeData data;
        if (!list.isEmpty())
            data.setData("text/uri-list", list);
        data.setText(c.text.isEmpty() ? paths.join(u'\n') : c.text);
        QCOMPARE(drop(&data, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction), Qt::CopyAction);
        QCOMPARE(state->Entries.mid(2).replaceInStrings(d, QString()).join(u'|'), QLatin1String(c.added));
        QCOMPARE(window->lstListe->ListIndex(), state->EntryCount() - 1);
    }
}

// The file box's own drag, with the real mouse: a press and release selects without a drag; a
// press and a move drags the bare name as plain text, move only, and its drop adds the file.
void AddCommandsTest::dragFromFileBox() {
    start(2, 0);
    FileListBox* files = window->File1;
    auto centre = [files](int row) { return files->visualRect(files->model()->index(row, 0)).center(); };
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, centre(1));
    QCOMPARE(files->ListIndex(), 1);
    QVERIFY(!files->findChild<QDrag*>());

    QTest::mousePress(files->viewport(), Qt::LeftButton, {}, centre(2));
    QMouseEvent move(QEvent::MouseMove, centre(2) + QPoint(0, 3 * QApplication::startDragDistance()),
                     files->viewport()->mapToGlobal(centre(2)), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(files->viewport(), &move);
    // Without a window system to carry it, the drag ends at once; its object is deleted later.
    QDrag* drag = files->findChild<QDrag*>();
    QVERIFY(drag);
    QCOMPARE(drag->supportedActions(), Qt::MoveAction);
    QCOMPARE(drag->mimeData()->text(), "c.mp3");
    QCOMPARE(drag->mimeData()->formats(), QStringList{"text/plain"});
    QCOMPARE(drop(drag->mimeData(), drag->supportedActions()), Qt::MoveAction);
    QCOMPARE(files->ListIndex(), 2);
    QCOMPARE(state->Entries.last(), kMusic + "c.mp3");
    QCOMPARE(window->lstListe->ListIndex(), 2);
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
    start(2, 0); // a rebuild would select the last row
    BrokenData data;
    data.setData("text/uri-list", "file:///a.mp3\r\n");
    env->messages.expectMsgBox("Error while adding file. Please report this message", vbCritical, kError);
    drop(&data, Qt::CopyAction);
    QCOMPARE(state->EntryCount(), 2);
    QCOMPARE(window->lstListe->ListIndex(), 0);
}

QTEST_MAIN(AddCommandsTest)
#include "addcommands_test.moc"
