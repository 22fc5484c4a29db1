// The playlist box rebuilt from the model: a row always selected, the view modes and their check
// marks, and the horizontal scroll extent.
#include "playlist/window/playlistbox.h"
#include "windowtest.h"

#include <QAction>
#include <QFile>
#include <QScrollBar>
#include <QtTest>

class ListDisplayTest : public WindowTest {
    Q_OBJECT
private Q_SLOTS:
    void alwaysARowSelected();
    void viewModes();
    void horizontalExtent();

private:
    // Adds an entry for a file made on the drive.
    void add(const QString& dos) {
        env->drive.write(dos);
        state->AddEntry(dos);
    }
};

// Whatever the user does with mouse and keys, a list with rows keeps a selected row, so
// SelectedIndex() < ListCount holds.
void ListDisplayTest::alwaysARowSelected() {
    const struct {
        const char* actions; // on the rows of a list with row 0 selected
        int selected;
    } cases[] = {{"click1 ctrl+click1", 1}, {"ctrl+click0 ctrl+click0", 0}, {"ctrl+click2", 2},
                 {"ctrl+space", 0},         {"click1 clickBelow", 1},       {"ctrl+clickBelow", 0}};
    for (const char* name : {"a", "b", "c"})
        add(QStringLiteral("C:\\Music\\%1.mp3").arg(QLatin1String(name)));
    PlaylistBox* list = window->lstListe;
    for (const auto& c : cases) {
        window->display.RefreshList(0);
        for (const QString& action : QString::fromLatin1(c.actions).split(u' ')) {
            const Qt::KeyboardModifiers mods =
                action.startsWith(u"ctrl+") ? Qt::ControlModifier : Qt::NoModifier;
            const QString what = action.section(u'+', -1);
            const QRect last = list->visualRect(list->model()->index(2, 0));
            if (what == u"space")
                QTest::keyClick(list, Qt::Key_Space, mods);
            else
                QTest::mouseClick(
                    list->viewport(), Qt::LeftButton, mods,
                    what == u"clickBelow"
                        ? QPoint(last.center().x(), last.bottom() + 20)
                        : list->visualRect(list->model()->index(what.right(1).toInt(), 0)).center());
        }
        QVERIFY2(list->ListIndex() == c.selected, c.actions);
    }
}

// The three views show full paths, the names as the disk spells them ("" for a vanished file,
// which stays in the model) and "artist - title" or the name; one check mark at a time, also on
// an empty list. A sort by names shows the names it looked up.
void ListDisplayTest::viewModes() {
    window->display.menNoFold_Click();
    QVERIFY(window->menNoFold->isChecked() && !window->menFold->isChecked() && !window->menTag->isChecked());
    QCOMPARE(window->lstListe->ListCount(), 0);
    window->display.menFold_Click();

    add("C:\\Music\\First.mp3");
    add("C:\\Music\\Second.MP3");
    state->Entries[1] = "C:\\MUSIC\\second.mp3";
    add("C:\\Music\\Third.mp3");
    env->drive.copyFixture("tagged-stereo.mp3", "C:\\Music\\First.mp3");
    window->display.RefreshList(2);
    QFile::remove(env->drive.host("C:\\Music\\Third.mp3"));
    window->display.menNoFold_Click();
    QVERIFY(window->menNoFold->isChecked() && !window->menFold->isChecked());
    QCOMPARE(window->lstListe->rows(), QStringList({"First.mp3", "Second.MP3", ""}));
    QCOMPARE(window->lstListe->ListIndex(), 2);
    QCOMPARE(state->EntryCount(), 3);
    window->display.menNoFold_Click(); // choosing the checked item keeps it checked
    QVERIFY(window->menNoFold->isChecked());
    window->editing.menDesNam_Click(); // shows the names the sort looked up
    QCOMPARE(window->lstListe->rows(), QStringList({"Second.MP3", "First.mp3", ""}));
    window->display.menTag_Click();
    QVERIFY(window->menTag->isChecked() && !window->menNoFold->isChecked());
    QCOMPARE(window->lstListe->rows(), QStringList({"Second.MP3", "Tester - Tone A", ""}));
    window->display.menFold_Click();
    QVERIFY(window->menFold->isChecked() && !window->menNoFold->isChecked() && !window->menTag->isChecked());
    QCOMPARE(window->lstListe->rows(), state->Entries);
}

// A row wider than the box makes the box scroll sideways; removing it takes the scroll bar away.
void ListDisplayTest::horizontalExtent() {
    add("C:\\a.mp3");
    window->display.RefreshList(0);
    QCOMPARE(window->lstListe->horizontalExtent(), 0);
    add("C:\\" + QString(60, u'x') + "\\" + QString(60, u'y') + ".mp3");
    window->display.RefreshList(1);
    const int wide = window->lstListe->horizontalExtent();
    QVERIFY(wide > window->lstListe->width());
    QTRY_VERIFY(window->lstListe->horizontalScrollBar()->isVisible());
    QCOMPARE(window->lstListe->horizontalScrollBar()->maximum(),
             wide - window->lstListe->viewport()->width());
    state->RemoveEntry(1);
    window->display.RefreshList(0);
    QCOMPARE(window->lstListe->horizontalExtent(), 0);
    QTRY_VERIFY(!window->lstListe->horizontalScrollBar()->isVisible());
}

QTEST_MAIN(ListDisplayTest)
#include "listdisplay_test.moc"
