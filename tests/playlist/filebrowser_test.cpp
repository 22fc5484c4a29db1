// The file browser panel on the real main window: drives, folders and files over temporary
// drives, and the file information of the file box's file.
#include "app/window/frmVeriVuzeDadeve.h"
#include "appenvironment.h"
#include "mp3info/window/frmattributes.h"
#include "platform/dosfs.h"
#include "playlist/window/browserboxes.h"

#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QProxyStyle>
#include <QtTest>

namespace {

// Drives C: and D: on temporary folders and E: on a folder that is gone, with the main window
// built in the test's working folder, on no drive.
struct Panel {
    AppEnvironment env;
    QTemporaryDir d;
    ScopedEnv drives;
    ProgramState state;
    std::unique_ptr<frmVeriVuzeDadeve> window;
    Panel()
        : drives("VORLAK_DRIVES",
                 ("C:=" + env.drive.root() + ";D:=" + d.path() + ";E:=" + d.path() + "/gone").toUtf8()) {
        QDir().mkpath(d.path() + "/gone");
        dosfs::reloadDrives();
        for (const char* f : {"C:\\Music\\Rock\\r1.mp3", "C:\\Music\\Rock\\r2.MP3", "C:\\Music\\m.mp3",
                              "C:\\Music\\Pop\\p.mp3", "C:\\top.mp3"})
            env.drive.write(QString::fromLatin1(f));
        QFile label(d.path() + "/.windows-label");
        label.open(QIODevice::WriteOnly);
        label.write("MUSIC\n");
        label.close();
        QDir().mkpath(d.path() + "/Albums");
        QFile(d.path() + "/Albums/d.mp3").open(QIODevice::WriteOnly);
        window = std::make_unique<frmVeriVuzeDadeve>(state);
        window->show();
    }
    QString files() { return window->File1->names().join(u'|'); }
    QString folderRows() {
        QStringList rows;
        for (int i = 0; i < window->Dir1->count(); ++i)
            rows.append(window->Dir1->item(i)->text());
        return rows.join(u'|');
    }
    // Double-clicks the folder row with this text, as the window system delivers it.
    void openFolder(const QString& text) {
        FolderListBox* dir = window->Dir1;
        const auto found = dir->findItems(text, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(text));
        const QPoint at = dir->visualItemRect(found.first()).center();
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
    void fileBoxListsMp3Files();
    void fileInfo();
    void folderOpensOnDoubleClickOrReturn();
};

// A walk through the drives and folders, each step checked: the folder box follows the drive box,
// the file box follows the folder box, each drive keeps its folder, a drive that cannot be read
// leaves everything where it was.
void FileBrowserTest::walking() {
    Panel p;
    const struct {
        const char* action; // "drive X", "open NAME", "remove E"
        const char* path;   // Dir1 and File1 afterwards
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
        if (action == u"drive E")
            p.env.messages.expectMsgBox(
                QStringLiteral("Drive E: cannot be read (%1/gone): No such file or directory")
                    .arg(p.d.path()),
                vbOKOnly, AppTitle);
        if (action.startsWith(u"drive "))
            p.window->Drive1->setCurrentIndex(p.window->Drive1->findData(QString(action.back())));
        else if (action.startsWith(u"open "))
            p.openFolder(action.mid(5));
        else if (action == u"remove E")
            QDir(p.d.path() + "/gone").removeRecursively();
        QCOMPARE(p.window->Dir1->Path(), QLatin1String(step.path));
        QCOMPARE(p.window->File1->Path(), QLatin1String(step.path));
        QCOMPARE(p.files(), QLatin1String(step.files));
        QCOMPARE(p.folderRows(), QLatin1String(step.rows));
        QCOMPARE(p.window->browser.Drive(), QString::fromLatin1(step.drive).replace("%C", cLabel));
        QCOMPARE(p.env.messages.problems(), QStringList());
    }
}

// What the file box and the folder box list of a folder: MP3 files in any case, no names starting
// with ".", no hidden or system folders, no folders among the files and no files among the
// folders, links followed (a loop left out), sorted without regard to case.
void FileBrowserTest::fileBoxListsMp3Files() {
    Panel p;
    TempDrive& drive = p.env.drive;
    for (const char* f : {"A.MP3", "b.Mp3", "c.wav", ".hidden.mp3", "x.mp3.bak", "Z.mp3", "a2.mp3"})
        drive.write("C:\\Mix\\" + QString::fromLatin1(f));
    TempDrive::setDosAttrib(drive.write("C:\\Mix\\marked.mp3"), "0x2");
    TempDrive::setDosAttrib(drive.write("C:\\Mix\\system.mp3"), "0x4");
    TempDrive::setDosAttrib(drive.write("C:\\Mix\\archived.mp3"), "0x20");
    for (const char* folder : {"folder.mp3", "beta", "Alpha", ".git", "Wine hidden"})
        QDir().mkpath(drive.host("C:\\Mix\\" + QLatin1String(folder)));
    TempDrive::setDosAttrib(drive.host("C:\\Mix\\Wine hidden"), "0x2");
    auto link = [&](const char* target, const char* name) {
        QFile::link(drive.host(QLatin1String(target)), drive.host(QLatin1String(name)));
    };
    link("C:\\Mix\\A.MP3", "C:\\Mix\\linked.mp3");
    link("C:\\Mix", "C:\\Mix\\up");
    link("C:\\Mix\\loop2", "C:\\Mix\\loop1");
    link("C:\\Mix\\loop1", "C:\\Mix\\loop2");

    p.window->Dir1->setPath("C:\\Mix");
    // Wine's hidden and system marks are left to the existence test when a file is added.
    QCOMPARE(p.files(), "A.MP3|a2.mp3|archived.mp3|b.Mp3|linked.mp3|marked.mp3|system.mp3|Z.mp3");
    QCOMPARE(p.folderRows(), "c:\\|Mix|Alpha|beta|folder.mp3|up");
    p.openFolder("up"); // a link back up opens like any folder
    QCOMPARE(p.window->Dir1->Path(), "C:\\Mix\\up");
    QCOMPARE(p.window->File1->ListCount(), 8);
    // A folder that cannot be read lists as empty.
    p.window->Dir1->setPath("C:\\Vanished");
    QCOMPARE(p.files(), QString());
    QCOMPARE(p.folderRows(), "c:\\|Vanished");
}

// Fileinfo needs a selected file; a right press leaves the selection alone.
void FileBrowserTest::fileInfo() {
    Panel p;
    p.window->Dir1->setPath("C:\\Music\\Rock");
    p.env.messages.expectMsgBox("No file selected", vbOKOnly, "Error");
    p.window->browser.menInfoLeft_Click();
    QVERIFY(!FileInfosWindow() || !FileInfosWindow()->isVisible());
    FileListBox* files = p.window->File1;
    auto centre = [files](int row) { return files->visualRect(files->model()->index(row, 0)).center(); };
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, centre(0));
    QTest::mouseClick(files->viewport(), Qt::RightButton, {}, centre(1));
    p.window->menFileBox->hide();
    QCOMPARE(files->ListIndex(), 0);
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
    const QListWidgetItem* music = dir->findItems("Music", Qt::MatchExactly).first();
    QTest::mouseClick(dir->viewport(), Qt::LeftButton, {}, dir->visualItemRect(music).center());
    QCOMPARE(dir->Path(), "C:\\");
    QCOMPARE(dir->currentItem(), music);
    QTest::keyClick(dir, Qt::Key_Return);
    QCOMPARE(dir->Path(), "C:\\Music");
    p.openFolder("Rock");
    QCOMPARE(dir->Path(), "C:\\Music\\Rock");
    dir->setStyle(nullptr);
}

QTEST_MAIN(FileBrowserTest)
#include "filebrowser_test.moc"
