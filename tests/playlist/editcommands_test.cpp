// Moving, removing, sorting, mixing and the double-entry search on the real main window, through
// its buttons and pop-up entries, with the scripted message service.
#include "playback/modmp3.h"
#include "playlist/window/playlistbox.h"
#include "windowsandbox.h"

#include <QAction>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Entries named by letters: "ABC" -> C:\M\A.mp3, C:\M\B.mp3, C:\M\C.mp3.
QStringList entries(const QString& letters) {
    QStringList l;
    for (QChar c : letters)
        l.append(QStringLiteral("C:\\M\\%1.mp3").arg(c));
    return l;
}
QString letters(const QStringList& entries) {
    QString s;
    for (const QString& e : entries)
        s += e.at(5);
    return s;
}

const QString kError = QStringLiteral("Error");
const QString kOutOfRange = QStringLiteral("Subscript out of range\r\nPlease report this error");

} // namespace

class EditCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void moveAndRemove_data();
    void moveAndRemove();
    void displayAheadOfTheModel_data();
    void displayAheadOfTheModel();
    void mix();
    void doubles_data();
    void doubles();

private:
    std::unique_ptr<WindowSandbox> s;
    frmVeriVuzeDadeve* window = nullptr;
    ProgramState* state = nullptr;
    void show(const QString& list, int row) {
        state->Entries = entries(list);
        window->display.RefreshList(row);
    }
    QPushButton* button(const QString& name) { return window->findChild<QPushButton*>(name); }
    bool notBusy() const { return window->cursor().shape() == Qt::ArrowCursor; }
};

void EditCommandsTest::init() {
    s = std::make_unique<WindowSandbox>();
    window = &s->window;
    state = &s->state;
}

void EditCommandsTest::cleanup() {
    QCOMPARE(s->env.messages.problems(), QStringList());
    s.reset();
}

void EditCommandsTest::moveAndRemove_data() {
    QTest::addColumn<QString>("command"); // button name
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("selected"); // -1: none
    QTest::addColumn<bool>("rebuilt");
    QTest::newRow("up") << "cmdHoch"
                        << "ABCDE" << 2 << "ACBDE" << 1 << true;
    QTest::newRow("up on first") << "cmdHoch"
                                 << "ABCDE" << 0 << "ABCDE" << 0 << false;
    QTest::newRow("down") << "cmdRunter"
                          << "ABCDE" << 1 << "ACBDE" << 2 << true;
    QTest::newRow("down on last") << "cmdRunter"
                                  << "ABCDE" << 4 << "ABCDE" << 4 << false;
    QTest::newRow("top") << "cmdHoch2"
                         << "ABCDE" << 3 << "DABCE" << 0 << true;
    QTest::newRow("top on first") << "cmdHoch2"
                                  << "ABCDE" << 0 << "ABCDE" << 0 << false;
    QTest::newRow("bottom") << "cmdRunter2"
                            << "ABCDE" << 1 << "ACDEB" << 4 << true;
    QTest::newRow("bottom on last") << "cmdRunter2"
                                    << "ABCDE" << 4 << "ABCDE" << 4 << false;
    QTest::newRow("one entry down") << "cmdRunter"
                                    << "A" << 0 << "A" << 0 << false;
    QTest::newRow("remove first") << "cmdLoesch"
                                  << "ABC" << 0 << "BC" << 0 << true;
    QTest::newRow("remove middle") << "cmdLoesch"
                                   << "ABC" << 1 << "AC" << 1 << true;
    QTest::newRow("remove last") << "cmdLoesch"
                                 << "ABC" << 2 << "AB" << 1 << true;
    QTest::newRow("remove only") << "cmdLoesch"
                                 << "A" << 0 << "" << -1 << true;
    QTest::newRow("clear") << "cmdLeere"
                           << "ABC" << 1 << "" << -1 << true; // the rows are removed
    for (const char* b : {"cmdHoch", "cmdRunter", "cmdHoch2", "cmdRunter2", "cmdLoesch", "cmdLeere"})
        QTest::addRow("%s on empty", b) << b << "" << 0 << "" << -1 << false;
}

// The moved entry stays selected; the player's entry number never changes.
void EditCommandsTest::moveAndRemove() {
    QFETCH(QString, command);
    QFETCH(QString, before);
    QFETCH(int, row);
    QFETCH(QString, after);
    QFETCH(int, selected);
    QFETCH(bool, rebuilt);
    show(before, row);
    state->PlayingIndex = 2;
    QSignalSpy resets(window->lstListe->model(), &QAbstractItemModel::modelReset);
    window->menBlind->trigger(); // the old look shows the buttons
    QVERIFY(button(command)->isVisible());
    button(command)->click();
    QCOMPARE(letters(state->Entries), after);
    QCOMPARE(window->lstListe->rows(), state->Entries);
    QCOMPARE(window->lstListe->ListIndex(), selected);
    QCOMPARE(resets.size() > 0, rebuilt);
    QCOMPARE(state->PlayingIndex, 2);
}

// The box shows five rows, the model holds three: commands on rows without an entry report the
// failure and leave what they had done.
void EditCommandsTest::displayAheadOfTheModel_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("after");
    QTest::newRow("remove") << "cmdLoesch" << 4 << "ABC";
    QTest::newRow("up") << "cmdHoch" << 4 << "ABC";
    QTest::newRow("down") << "cmdRunter" << 2 << "ABC";
    QTest::newRow("top") << "cmdHoch2" << 3 << "ABC";
    QTest::newRow("bottom") << "cmdRunter2" << 0 << "BCA"; // moved as far as the model goes
}

void EditCommandsTest::displayAheadOfTheModel() {
    QFETCH(QString, command);
    QFETCH(int, row);
    QFETCH(QString, after);
    show("ABCDE", row);
    state->Entries = entries("ABC");
    s->env.messages.expectMsgBox(kOutOfRange, vbCritical, kError);
    button(command)->click();
    QCOMPARE(letters(state->Entries), after);
    QCOMPARE(window->lstListe->ListCount(), 5); // not rebuilt
}

// The count and the entries stay, and so does the selected entry (its first occurrence).
void EditCommandsTest::mix() {
    QStringList list = entries("ABCDEFGHIJ");
    list.append(entries("CC"));
    state->Entries = list;
    window->display.RefreshList(2); // C
    window->menMix->trigger();
    QCOMPARE(state->EntryCount(), 12);
    QVERIFY(state->Entries != list);
    QCOMPARE(window->lstListe->rows(), state->Entries);
    QCOMPARE(window->lstListe->ListIndex(), state->Entries.indexOf(list[2]));
    QStringList sorted = state->Entries;
    sorted.sort();
    list.sort();
    QCOMPARE(sorted, list);

    // Fewer than two entries: nothing at all, not even a rebuild.
    show("A", 0);
    QSignalSpy resets(window->lstListe->model(), &QAbstractItemModel::modelReset);
    button(QStringLiteral("cmdMix"))->click();
    QCOMPARE(resets.size(), 0);
    QVERIFY(!button(QStringLiteral("cmdMix"))->isVisible()); // reached through the menu only
}

void EditCommandsTest::doubles_data() {
    QTest::addColumn<QStringList>("list"); // file names, "-" for a missing file; in folders 1, 2, ...
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("playing");
    QTest::addColumn<QString>("prompt"); // "" no message
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("selected");
    const QString none = QStringLiteral("No double entries found");
    // x.mp3 at rows 0 and 4, y.mp3 at rows 1 and 3; X.mp3 is another name.
    const QStringList list{"x.mp3", "y.mp3", "X.mp3", "y.mp3", "x.mp3"};
    QTest::newRow("first pair") << list << 0 << false << "Double entry found: x.mp3"
                                << "Found" << 4;
    QTest::newRow("from row 1") << list << 1 << false << "Double entry found: y.mp3"
                                << "Found" << 3;
    QTest::newRow("while playing: selection stays") << list << 1 << true << "Double entry found: y.mp3"
                                                    << "Found" << 1;
    QTest::newRow("below the first members") << list << 2 << false << none << "" << 2;
    QTest::newRow("below both members") << list << 4 << false << none << "" << 4;
    QTest::newRow("two missing files")
        << QStringList{"-", "a.mp3", "-"} << 0 << false << "Double entry found: "
        << "Found" << 2;
    QTest::newRow("empty") << QStringList() << 0 << false << ""
                           << "" << -1;
}

void EditCommandsTest::doubles() {
    QFETCH(QStringList, list);
    QFETCH(int, row);
    QFETCH(bool, playing);
    QFETCH(QString, prompt);
    QFETCH(QString, title);
    QFETCH(int, selected);
    QStringList paths;
    for (int i = 0; i < list.size(); ++i) {
        const QString folder = QStringLiteral("C:\\%1\\").arg(i);
        paths.append(folder + (list[i] == u"-" ? QStringLiteral("gone.mp3") : list[i]));
        if (list[i] != u"-")
            s->env.drive.copyFixture(QStringLiteral("plain-stereo.mp3"), paths.last());
    }
    state->Entries = paths;
    window->display.RefreshList(row);
    if (playing)
        OpenAndPlay(paths[0]);
    if (!prompt.isEmpty())
        s->env.messages.expectMsgBox(prompt, vbOKOnly, title);
    window->menDbl->trigger();
    QCOMPARE(window->lstListe->ListIndex(), selected);
    QCOMPARE(state->Entries, paths);
    QVERIFY(notBusy());
}

QTEST_MAIN(EditCommandsTest)
#include "editcommands_test.moc"
