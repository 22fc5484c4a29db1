// The playlist box rebuilt from the model: the selection rules, the view modes and their check
// marks, and the horizontal scroll extent.
#include "app/frmVeriVuzeDadeve.h"
#include "appenvironment.h"
#include "playlist/playlistbox.h"

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
    void emptyList();
    void viewModes();
    void horizontalExtent();
    void millionRows();

private:
    std::unique_ptr<AppEnvironment> env;
    std::unique_ptr<ProgramState> state;
    std::unique_ptr<frmVeriVuzeDadeve> window;
};

namespace {
// Adds an entry for a file made on the drive.
void add(ProgramState& s, const AppEnvironment& env, const QString& dos) {
    env.drive.write(dos);
    s.AddEntry(dos);
}
} // namespace

void ListDisplayTest::init() {
    env = std::make_unique<AppEnvironment>();
    state = std::make_unique<ProgramState>();
    window = std::make_unique<frmVeriVuzeDadeve>(*state);
    window->show();
}

void ListDisplayTest::cleanup() {
    QCOMPARE(env->messages.problems(), QStringList());
    window.reset();
    state.reset();
    env.reset();
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
        add(*state, *env, QStringLiteral("C:\\Music\\%1.mp3").arg(QLatin1String(name)));
    window->display.RefreshList(select);
    QCOMPARE(window->lstListe->ListCount(), 3);
    QCOMPARE(window->lstListe->ListIndex(), selected);
    QCOMPARE(window->display.SelectedIndex(), selected);
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
    add(*state, *env, QStringLiteral("C:\\Music\\First.mp3"));
    add(*state, *env, QStringLiteral("C:\\Music\\Second.MP3"));
    state->Entries[1] = QStringLiteral("C:\\MUSIC\\second.mp3"); // the disk's spelling is shown
    add(*state, *env, QStringLiteral("C:\\Music\\Third.mp3"));
    window->display.RefreshList(2);
    QFile::remove(env->drive.host(QStringLiteral("C:\\Music\\Third.mp3")));

    window->menNoFold->trigger();
    QVERIFY(window->menNoFold->isChecked() && !window->menFold->isChecked());
    // A vanished file shows an empty row but stays in the model; the selection stays on its row.
    QCOMPARE(window->lstListe->rows(),
             QStringList({QStringLiteral("First.mp3"), QStringLiteral("Second.MP3"), QString()}));
    QCOMPARE(window->lstListe->ListIndex(), 2);
    QCOMPARE(state->EntryCount(), 3);

    window->menNoFold->trigger(); // choosing the checked item keeps it checked
    QVERIFY(window->menNoFold->isChecked());
    window->menFold->trigger();
    QVERIFY(window->menFold->isChecked() && !window->menNoFold->isChecked() && !window->menTag->isChecked());
    QCOMPARE(window->lstListe->rows(), state->Entries);
}

// A row wider than the box makes the box scroll sideways; removing it takes the scroll bar away.
void ListDisplayTest::horizontalExtent() {
    add(*state, *env, QStringLiteral("C:\\a.mp3"));
    window->display.RefreshList(0);
    QCOMPARE(window->lstListe->horizontalExtent(), 0);
    add(*state, *env,
        QStringLiteral("C:\\") + QString(60, u'x') + QStringLiteral("\\") + QString(60, u'y') +
            QStringLiteral(".mp3"));
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

// Far beyond 32,767 rows: a million entries show and the last one can be selected and scrolled to.
void ListDisplayTest::millionRows() {
    const QString path = QStringLiteral("C:\\Music\\a.mp3");
    env->drive.write(path);
    state->Entries = QStringList(1'000'000, path);
    window->display.RefreshList(999'999);
    QCOMPARE(window->lstListe->ListCount(), 1'000'000);
    QCOMPARE(window->display.SelectedIndex(), 999'999);
    QTRY_VERIFY(window->lstListe->verticalScrollBar()->value() > 0);
    QVERIFY(window->lstListe->visualRect(window->lstListe->currentIndex())
                .intersects(window->lstListe->viewport()->rect()));
}

QTEST_MAIN(ListDisplayTest)
#include "listdisplay_test.moc"
