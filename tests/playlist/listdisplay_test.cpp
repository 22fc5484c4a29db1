// The playlist box rebuilt from the model: the selection rules, the view modes and their check
// marks, and the horizontal scroll extent.
#include "playlist/window/playlistbox.h"
#include "windowsandbox.h"

#include <QAction>
#include <QFile>
#include <QScrollBar>
#include <QtTest>

class ListDisplayTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void selection_data();
    void selection();
    void alwaysARowSelected_data();
    void alwaysARowSelected();
    void emptyList();
    void viewModes();
    void horizontalExtent();
    void millionRows();

private:
    std::unique_ptr<WindowSandbox> s;
    frmVeriVuzeDadeve* window = nullptr;
    // Adds an entry for a file made on the drive.
    void add(const QString& dos) {
        s->env.drive.write(dos);
        s->state.AddEntry(dos);
    }
};

void ListDisplayTest::init() {
    s = std::make_unique<WindowSandbox>();
    window = &s->window;
}

void ListDisplayTest::cleanup() {
    QCOMPARE(s->env.messages.problems(), QStringList());
    s.reset();
}

void ListDisplayTest::selection_data() {
    QTest::addColumn<int>("select");
    QTest::addColumn<int>("selected");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("-1") << -1 << 0;
    QTest::newRow("2") << 2 << 2;
    QTest::newRow("3 of 3") << 3 << 0;
    QTest::newRow("5") << 5 << 0;
}

void ListDisplayTest::selection() {
    QFETCH(int, select);
    QFETCH(int, selected);
    for (const char* name : {"a", "b", "c"})
        add(QStringLiteral("C:\\Music\\%1.mp3").arg(QLatin1String(name)));
    window->display.RefreshList(select);
    QCOMPARE(window->lstListe->ListCount(), 3);
    QCOMPARE(window->lstListe->ListIndex(), selected);
    QCOMPARE(window->display.SelectedIndex(), selected);
}

void ListDisplayTest::alwaysARowSelected_data() {
    QTest::addColumn<QString>("actions"); // on the rows of a list with row 0 selected
    QTest::addColumn<int>("selected");
    QTest::newRow("ctrl+click the selected row") << "click1 ctrl+click1" << 1;
    QTest::newRow("ctrl+click it twice") << "ctrl+click0 ctrl+click0" << 0;
    QTest::newRow("ctrl+click another row") << "ctrl+click2" << 2;
    QTest::newRow("ctrl+space") << "ctrl+space" << 0;
    QTest::newRow("click below the rows") << "click1 clickBelow" << 1;
    QTest::newRow("ctrl+click below the rows") << "ctrl+clickBelow" << 0;
}

// Whatever the user does with mouse and keys, a list with rows keeps a selected row, so
// SelectedIndex() < ListCount holds.
void ListDisplayTest::alwaysARowSelected() {
    QFETCH(QString, actions);
    QFETCH(int, selected);
    for (const char* name : {"a", "b", "c"})
        add(QStringLiteral("C:\\Music\\%1.mp3").arg(QLatin1String(name)));
    window->display.RefreshList(0);
    PlaylistBox* list = window->lstListe;
    list->setFocus();
    for (const QString& action : actions.split(u' ')) {
        const Qt::KeyboardModifiers mods = action.startsWith(u"ctrl+") ? Qt::ControlModifier : Qt::NoModifier;
        const QString what = action.section(u'+', -1);
        if (what == u"space") {
            QTest::keyClick(list, Qt::Key_Space, mods);
        } else {
            const QRect last = list->visualRect(list->model()->index(2, 0));
            const QPoint at = what == u"clickBelow"
                                  ? QPoint(last.center().x(), last.bottom() + 20)
                                  : list->visualRect(list->model()->index(what.right(1).toInt(), 0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, mods, at);
        }
    }
    QCOMPARE(list->ListIndex(), selected);
    QVERIFY(window->display.SelectedIndex() < list->ListCount());
}

void ListDisplayTest::emptyList() {
    window->display.RefreshList(0);
    QCOMPARE(window->lstListe->ListCount(), 0);
    QCOMPARE(window->display.SelectedIndex(), 1);
    QCOMPARE(window->lstListe->horizontalExtent(), 0);
    // Switching the view of an empty list only moves the check mark.
    window->menNoFold->trigger();
    QVERIFY(window->menNoFold->isChecked() && !window->menFold->isChecked() && !window->menTag->isChecked());
    QCOMPARE(window->lstListe->ListCount(), 0);
}

void ListDisplayTest::viewModes() {
    add(QStringLiteral("C:\\Music\\First.mp3"));
    add(QStringLiteral("C:\\Music\\Second.MP3"));
    s->state.Entries[1] = QStringLiteral("C:\\MUSIC\\second.mp3"); // the disk's spelling is shown
    add(QStringLiteral("C:\\Music\\Third.mp3"));
    window->display.RefreshList(2);
    QFile::remove(s->env.drive.host(QStringLiteral("C:\\Music\\Third.mp3")));

    window->menNoFold->trigger();
    QVERIFY(window->menNoFold->isChecked() && !window->menFold->isChecked());
    // A vanished file shows an empty row but stays in the model; the selection stays on its row.
    QCOMPARE(window->lstListe->rows(),
             QStringList({QStringLiteral("First.mp3"), QStringLiteral("Second.MP3"), QString()}));
    QCOMPARE(window->lstListe->ListIndex(), 2);
    QCOMPARE(s->state.EntryCount(), 3);

    window->menNoFold->trigger(); // choosing the checked item keeps it checked
    QVERIFY(window->menNoFold->isChecked());
    window->menFold->trigger();
    QVERIFY(window->menFold->isChecked() && !window->menNoFold->isChecked() && !window->menTag->isChecked());
    QCOMPARE(window->lstListe->rows(), s->state.Entries);
}

// A row wider than the box makes the box scroll sideways; removing it takes the scroll bar away.
void ListDisplayTest::horizontalExtent() {
    add(QStringLiteral("C:\\a.mp3"));
    window->display.RefreshList(0);
    QCOMPARE(window->lstListe->horizontalExtent(), 0);
    add(QStringLiteral("C:\\") + QString(60, u'x') + QStringLiteral("\\") + QString(60, u'y') +
        QStringLiteral(".mp3"));
    window->display.RefreshList(1);
    const int wide = window->lstListe->horizontalExtent();
    QVERIFY(wide > window->lstListe->width());
    QTRY_VERIFY(window->lstListe->horizontalScrollBar()->isVisible());
    QCOMPARE(window->lstListe->horizontalScrollBar()->maximum(),
             wide - window->lstListe->viewport()->width());
    s->state.RemoveEntry(1);
    window->display.RefreshList(0);
    QCOMPARE(window->lstListe->horizontalExtent(), 0);
    QTRY_VERIFY(!window->lstListe->horizontalScrollBar()->isVisible());
}

// Far beyond 32,767 rows: a million entries show and the last one can be selected and scrolled to.
void ListDisplayTest::millionRows() {
    const QString path = QStringLiteral("C:\\Music\\a.mp3");
    s->env.drive.write(path);
    s->state.Entries = QStringList(1'000'000, path);
    window->display.RefreshList(999'999);
    QCOMPARE(window->lstListe->ListCount(), 1'000'000);
    QCOMPARE(window->display.SelectedIndex(), 999'999);
    QTRY_VERIFY(window->lstListe->verticalScrollBar()->value() > 0);
    QVERIFY(window->lstListe->visualRect(window->lstListe->currentIndex())
                .intersects(window->lstListe->viewport()->rect()));
}

QTEST_MAIN(ListDisplayTest)
#include "listdisplay_test.moc"
