// The file browser panel on the real main window: drives, folders and files over temporary
// drives, and its pop-up menu.
#include "app/window/frmVeriVuzeDadeve.h"
#include "appenvironment.h"
#include "mp3info/window/frmattributes.h"
#include "platform/dosfs.h"
#include "playlist/window/browserboxes.h"
#include "playlist/window/playlistbox.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QProxyStyle>
#include <QtTest>

namespace {

// Drives C: and D: on temporary folders and E: on a folder that is gone, with the main window
// built in the given working folder (a host path; "" keeps the test's own).
struct Panel {
    AppEnvironment env;
    QTemporaryDir d;
    ScopedEnv drives;
    ProgramState state;
    std::unique_ptr<frmVeriVuzeDadeve> window;
    // workingFolder: a DOS path on C:, made the working folder while the window is built.
    explicit Panel(const QString& workingFolder = {})
        : drives("VORLAK_DRIVES",
                 ("C:=" + env.drive.root() + ";D:=" + d.path() + ";E:=" + d.path() + "/gone").toUtf8()) {
        QDir().mkpath(d.path() + QStringLiteral("/gone"));
        dosfs::reloadDrives();
        for (const char* f : {"C:\\Music\\Rock\\r1.mp3", "C:\\Music\\Rock\\r2.MP3", "C:\\Music\\m.mp3",
                              "C:\\Music\\Pop\\p.mp3", "C:\\top.mp3"})
            env.drive.write(QString::fromLatin1(f));
        QFile label(d.path() + QStringLiteral("/.windows-label"));
        label.open(QIODevice::WriteOnly);
        label.write("MUSIC\n");
        label.close();
        QDir().mkpath(d.path() + QStringLiteral("/Albums"));
        QFile(d.path() + QStringLiteral("/Albums/d.mp3")).open(QIODevice::WriteOnly);
        const QString before = QDir::currentPath();
        if (!workingFolder.isEmpty())
            QDir::setCurrent(env.drive.host(workingFolder));
        window = std::make_unique<frmVeriVuzeDadeve>(state);
        QDir::setCurrent(before);
        window->show();
    }
    FileBrowser& browser() { return window->browser; }
    QStringList files() {
        QStringList names;
        for (qsizetype i = 0; i < window->File1->ListCount(); ++i)
            names.append(window->File1->List(i));
        return names;
    }
    QStringList folderRows() {
        QStringList rows;
        for (int i = 0; i < window->Dir1->count(); ++i)
            rows.append(window->Dir1->item(i)->text());
        return rows;
    }
    void chooseDrive(QChar letter) {
        QComboBox* box = window->Drive1;
        box->setCurrentIndex(box->findData(QString(letter)));
    }
    // Double-clicks the folder row with this text.
    void openFolder(const QString& text) {
        FolderListBox* dir = window->Dir1;
        const auto found = dir->findItems(text, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(text));
        const QPoint at = dir->visualItemRect(found.first()).center();
        // As the window system delivers a double click: press, release, double click, release.
        QTest::mouseClick(dir->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(dir->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(dir->viewport(), Qt::LeftButton, {}, at);
    }
};

} // namespace

class FileBrowserTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void walking();
    void startsInTheWorkingFolder();
    void fileBoxListsMp3Files();
    void fileBoxMenu();
    void folderOpensOnDoubleClickOrReturn();
};

// A walk through the drives and folders, each step checked: the folder box follows the drive box,
// the file box follows the folder box, each drive keeps its folder, a drive that cannot be read
// leaves everything where it was.
void FileBrowserTest::walking() {
    Panel p;
    const struct {
        const char* action; // "drive X", "open NAME", "remove E"
        const char* path;   // Dir1 afterwards
        const char* files;  // File1 afterwards, joined by "|"
        const char* rows;   // Dir1's rows, joined by "|"
        const char* drive;  // the drive box's text
    } steps[] = {
        {"start", "C:\\", "top.mp3", "c:\\|Music", "c: [%C]"},
        {"open Music", "C:\\Music", "m.mp3", "c:\\|Music|Pop|Rock", "c: [%C]"},
        {"open Rock", "C:\\Music\\Rock", "r1.mp3|r2.MP3", "c:\\|Music|Rock", "c: [%C]"},
        {"drive D", "D:\\", "", "d:\\|Albums|gone", "d: [MUSIC]"},
        {"open Albums", "D:\\Albums", "d.mp3", "d:\\|Albums", "d: [MUSIC]"},
        {"drive C", "C:\\Music\\Rock", "r1.mp3|r2.MP3", "c:\\|Music|Rock", "c: [%C]"},
        {"open Music", "C:\\Music", "m.mp3", "c:\\|Music|Pop|Rock", "c: [%C]"},
        {"drive D", "D:\\Albums", "d.mp3", "d:\\|Albums", "d: [MUSIC]"},
        {"remove E", "D:\\Albums", "d.mp3", "d:\\|Albums", "d: [MUSIC]"},
        {"drive E", "D:\\Albums", "d.mp3", "d:\\|Albums", "e: [gone]"},
        {"drive C", "C:\\Music", "m.mp3", "c:\\|Music|Pop|Rock", "c: [%C]"},
        {"open c:\\", "C:\\", "top.mp3", "c:\\|Music", "c: [%C]"},
    };
    const QString cLabel = QFileInfo(p.env.drive.root()).fileName();
    for (const auto& step : steps) {
        const QString action = QString::fromLatin1(step.action);
        if (action.startsWith(u"drive ")) {
            if (action.endsWith(u'E'))
                p.env.messages.expectMsgBox(
                    QStringLiteral("Drive E: cannot be read (%1/gone): No such file or "
                                   "directory")
                        .arg(p.d.path()),
                    vbOKOnly, AppTitle);
            p.chooseDrive(action.back());
        } else if (action.startsWith(u"open ")) {
            p.openFolder(action.mid(5));
        } else if (action == u"remove E") {
            QDir(p.d.path() + QStringLiteral("/gone")).removeRecursively();
        }
        QCOMPARE(p.window->Dir1->Path(), QString::fromLatin1(step.path));
        QCOMPARE(p.window->File1->Path(), QString::fromLatin1(step.path));
        QCOMPARE(p.files().join(u'|'), QString::fromLatin1(step.files));
        QCOMPARE(p.folderRows().join(u'|'), QString::fromLatin1(step.rows));
        QCOMPARE(p.browser().Drive(), QString::fromLatin1(step.drive).replace(QStringLiteral("%C"), cLabel));
        QCOMPARE(p.env.messages.problems(), QStringList());
    }
}

// At start the boxes show the process's working folder when a drive holds it (the walk above
// starts outside every drive, on the first drive's root).
void FileBrowserTest::startsInTheWorkingFolder() {
    Panel p(QStringLiteral("C:\\Music\\Rock"));
    QCOMPARE(p.window->Dir1->Path(), QStringLiteral("C:\\Music\\Rock"));
    QCOMPARE(p.files(), QStringList({"r1.mp3", "r2.MP3"}));
    QCOMPARE(p.browser().Drive().left(2), QStringLiteral("c:"));
}

// What the file box and the folder box list of a folder: MP3 files in any case, no names starting
// with ".", no hidden or system folders, no folders among the files and no files among the
// folders, links followed (a loop left out), sorted without regard to case.
void FileBrowserTest::fileBoxListsMp3Files() {
    Panel p;
    TempDrive& drive = p.env.drive;
    for (const char* f : {"A.MP3", "b.Mp3", "c.wav", ".hidden.mp3", "x.mp3.bak", "Z.mp3", "a2.mp3"})
        drive.write(QStringLiteral("C:\\Mix\\") + QString::fromLatin1(f));
    TempDrive::setDosAttrib(drive.write(QStringLiteral("C:\\Mix\\marked.mp3")), "0x2");
    TempDrive::setDosAttrib(drive.write(QStringLiteral("C:\\Mix\\system.mp3")), "0x4");
    TempDrive::setDosAttrib(drive.write(QStringLiteral("C:\\Mix\\archived.mp3")), "0x20");
    QDir().mkpath(drive.host(QStringLiteral("C:\\Mix\\folder.mp3")));
    QDir().mkpath(drive.host(QStringLiteral("C:\\Mix\\beta")));
    QDir().mkpath(drive.host(QStringLiteral("C:\\Mix\\Alpha")));
    QDir().mkpath(drive.host(QStringLiteral("C:\\Mix\\.git")));
    QDir().mkpath(drive.host(QStringLiteral("C:\\Mix\\Wine hidden")));
    TempDrive::setDosAttrib(drive.host(QStringLiteral("C:\\Mix\\Wine hidden")), "0x2");
    QFile::link(drive.host(QStringLiteral("C:\\Mix\\A.MP3")),
                drive.host(QStringLiteral("C:\\Mix\\linked.mp3")));
    QFile::link(drive.host(QStringLiteral("C:\\Mix")), drive.host(QStringLiteral("C:\\Mix\\up")));
    QFile::link(drive.host(QStringLiteral("C:\\Mix\\loop2")), drive.host(QStringLiteral("C:\\Mix\\loop1")));
    QFile::link(drive.host(QStringLiteral("C:\\Mix\\loop1")), drive.host(QStringLiteral("C:\\Mix\\loop2")));

    p.window->Dir1->setPath(QStringLiteral("C:\\Mix"));
    // Wine's hidden and system marks are left to the existence test when a file is added.
    QCOMPARE(p.files(), QStringList({"A.MP3", "a2.mp3", "archived.mp3", "b.Mp3", "linked.mp3", "marked.mp3",
                                     "system.mp3", "Z.mp3"}));
    QCOMPARE(p.folderRows(), QStringList({"c:\\", "Mix", "Alpha", "beta", "folder.mp3", "up"}));
    p.openFolder(QStringLiteral("up")); // a link back up opens like any folder
    QCOMPARE(p.window->Dir1->Path(), QStringLiteral("C:\\Mix\\up"));
    QCOMPARE(p.window->File1->ListCount(), 8);
    // A folder that cannot be read lists as empty.
    p.window->Dir1->setPath(QStringLiteral("C:\\Vanished"));
    QCOMPARE(p.files(), QStringList());
    QCOMPARE(p.folderRows(), QStringList({"c:\\", "Vanished"}));
}

// The pop-up menu: its entries in order; a right press shows it and leaves the selection alone;
// Fileinfo needs a selected file.
void FileBrowserTest::fileBoxMenu() {
    Panel p;
    QStringList entries;
    for (QAction* a : p.window->menFileBox->actions())
        entries.append(a->isSeparator() ? QStringLiteral("-") : a->text());
    for (QAction* a : p.window->menAdd->actions())
        entries.append(a->text());
    QCOMPARE(entries, QStringList({"Play", "Fileinfo", "-", "Add", "Selected", "All", "Manually"}));

    p.window->Dir1->setPath(QStringLiteral("C:\\Music\\Rock"));
    p.env.messages.expectMsgBox(QStringLiteral("No file selected"), vbOKOnly, QStringLiteral("Error"));
    p.window->menInfoLeft->trigger();
    QVERIFY(!FileInfosWindow() || !FileInfosWindow()->isVisible());

    FileListBox* files = p.window->File1;
    const QPoint second = files->visualRect(files->model()->index(1, 0)).center();
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualRect(files->model()->index(0, 0)).center());
    QCOMPARE(files->ListIndex(), 0);
    QTest::mousePress(files->viewport(), Qt::RightButton, {}, second);
    QTRY_VERIFY(p.window->menFileBox->isVisible());
    p.window->menFileBox->hide();
    QTest::mouseRelease(files->viewport(), Qt::RightButton, {}, second);
    QCOMPARE(files->ListIndex(), 0);
    p.window->menInfoLeft->trigger();
    QVERIFY(FileInfosWindow() && FileInfosWindow()->isVisible());
    QCOMPARE(FileInfosWindow()->Pfad, QStringLiteral("C:\\Music\\Rock\\r1.mp3"));
    UnloadFileInfos();
    QCOMPARE(p.env.messages.problems(), QStringList());
}

// A desktop set to open items on a single click.
class SingleClickStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_ItemView_ActivateItemOnSingleClick)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

// Whatever the desktop's setting, a single click only selects a folder; a double click or Return
// opens it.
void FileBrowserTest::folderOpensOnDoubleClickOrReturn() {
    Panel p;
    FolderListBox* dir = p.window->Dir1;
    SingleClickStyle style;
    dir->setStyle(&style);
    const QListWidgetItem* music = dir->findItems(QStringLiteral("Music"), Qt::MatchExactly).first();
    QTest::mouseClick(dir->viewport(), Qt::LeftButton, {}, dir->visualItemRect(music).center());
    QCOMPARE(dir->Path(), QStringLiteral("C:\\"));
    QCOMPARE(dir->currentItem(), music);
    QTest::keyClick(dir, Qt::Key_Return);
    QCOMPARE(dir->Path(), QStringLiteral("C:\\Music"));
    p.openFolder(QStringLiteral("Rock"));
    QCOMPARE(dir->Path(), QStringLiteral("C:\\Music\\Rock"));
    QCOMPARE(p.files(), QStringList({"r1.mp3", "r2.MP3"}));
    dir->setStyle(nullptr);
}

QTEST_MAIN(FileBrowserTest)
#include "filebrowser_test.moc"
