// Moving, removing, mixing and the double-entry search on the real main window. The buttons, menu
// entries and keys that run these commands are tested with the window's routing.
#include "playback/modmp3.h"
#include "playlist/window/playlistbox.h"
#include "windowtest.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {
const QString kOutOfRange = "Subscript out of range\r\nPlease report this error";
} // namespace

class EditCommandsTest : public WindowTest {
    Q_OBJECT
private Q_SLOTS:
    void moveAndRemove();
    void displayAheadOfTheModel();
    void mix();
    void doubles();
};

// The moved entry stays selected; the player's entry number never changes; a command that
// changes nothing rebuilds nothing.
void EditCommandsTest::moveAndRemove() {
    EditCommands& e = window->editing;
    const struct {
        void (EditCommands::*command)();
        const char* before;
        int row;
        const char* after;
        int selected; // -1: none
        bool rebuilt;
    } cases[] = {
        {&EditCommands::cmdHoch_Click, "ABCDE", 2, "ACBDE", 1, true},
        {&EditCommands::cmdHoch_Click, "ABCDE", 0, "ABCDE", 0, false},
        {&EditCommands::cmdRunter_Click, "ABCDE", 4, "ABCDE", 4, false},
        {&EditCommands::cmdHoch2_Click, "ABCDE", 0, "ABCDE", 0, false},
        {&EditCommands::cmdRunter2_Click, "ABCDE", 4, "ABCDE", 4, false},
        {&EditCommands::cmdLoesch_Click, "ABC", 0, "BC", 0, true},
        {&EditCommands::cmdLoesch_Click, "ABC", 2, "AB", 1, true},
        {&EditCommands::cmdLoesch_Click, "A", 0, "", -1, true},
        {&EditCommands::cmdLeere_Click, "", 0, "", -1, false},
        {&EditCommands::cmdLoesch_Click, "", 0, "", -1, false},
        {&EditCommands::cmdHoch2_Click, "", 0, "", -1, false},
        {&EditCommands::cmdRunter2_Click, "", 0, "", -1, false},
    };
    for (const auto& c : cases) {
        const QString label = QStringLiteral("%1 from row %2").arg(QLatin1String(c.before)).arg(c.row);
        show(QLatin1String(c.before), c.row);
        state->PlayingIndex = 2;
        QSignalSpy resets(window->lstListe->model(), &QAbstractItemModel::modelReset);
        (e.*c.command)();
        QCOMPARE(letters(state->Entries), QLatin1String(c.after));
        QCOMPARE(window->lstListe->rows(), state->Entries);
        QVERIFY2(window->lstListe->ListIndex() == c.selected, qPrintable(label));
        QVERIFY2(!resets.isEmpty() == c.rebuilt, qPrintable(label));
        QCOMPARE(state->PlayingIndex, 2);
    }
}

// The box shows five rows, the model holds three: commands on rows without an entry report the
// failure and leave what they had done.
void EditCommandsTest::displayAheadOfTheModel() {
    const struct {
        QPushButton* button;
        int row;
        const char* after;
    } cases[] = {
        {window->cmdLoesch, 4, "ABC"}, {window->cmdHoch, 4, "ABC"},    {window->cmdRunter, 2, "ABC"},
        {window->cmdHoch2, 3, "ABC"},  {window->cmdRunter2, 0, "BCA"}, // moved as far as the model goes
    };
    for (const auto& c : cases) {
        show("ABCDE", c.row);
        state->Entries.resize(3);
        env->messages.expectMsgBox(kOutOfRange, vbCritical, "Error");
        c.button->click();
        QCOMPARE(letters(state->Entries), QLatin1String(c.after));
        QCOMPARE(window->lstListe->ListCount(), 5); // not rebuilt
    }
}

// The count and the entries stay, and so does the selected entry (its first occurrence); fewer
// than two entries change nothing, not even the display.
void EditCommandsTest::mix() {
    show("ABCDEFGHIJCC", 2);
    const QStringList before = state->Entries;
    window->editing.cmdMix_Click();
    QVERIFY(state->Entries != before);
    QCOMPARE(window->lstListe->rows(), state->Entries);
    QCOMPARE(window->lstListe->ListIndex(), state->Entries.indexOf(before[2]));
    QStringList sorted = state->Entries, expected = before;
    sorted.sort();
    expected.sort();
    QCOMPARE(sorted, expected);

    show("A", 0);
    QSignalSpy resets(window->lstListe->model(), &QAbstractItemModel::modelReset);
    window->editing.cmdMix_Click();
    QCOMPARE(resets.size(), 0);
}

// The first pair of equal file names from the selected row on; the later one is selected unless
// a title plays. Names compare by case.
void EditCommandsTest::doubles() {
    const QString none = "No double entries found";
    const QStringList names{"x.mp3", "y.mp3", "X.mp3", "y.mp3", "x.mp3"};
    const struct {
        QStringList names; // entry i in folder i
        int row;           // -1: none selected
        bool playing;
        QString prompt; // "" no message
        int selected;
    } cases[] = {
        {names, -1, false, "Double entry found: x.mp3", 4}, // no row selected: from the first
        {names, 1, false, "Double entry found: y.mp3", 3},
        {names, 1, true, "Double entry found: y.mp3", 1},
        {names, 2, false, none, 2},
        {names, 4, false, none, 4},
        {{}, 0, false, "", -1},
    };
    for (const auto& c : cases) {
        QStringList paths;
        for (int i = 0; i < c.names.size(); ++i) {
            paths.append(QStringLiteral("C:\\%1\\").arg(i) + c.names[i]);
            env->drive.copyFixture("plain-stereo.mp3", paths.last());
        }
        state->Entries = paths;
        window->display.RefreshList(c.row);
        if (c.row < 0)
            window->lstListe->setListIndex(-1);
        if (c.playing)
            OpenAndPlay(paths[0]);
        if (!c.prompt.isEmpty())
            env->messages.expectMsgBox(c.prompt, vbOKOnly, c.prompt == none ? QString() : "Found");
        window->editing.cmdFilter_Click();
        QCOMPARE(window->lstListe->ListIndex(), c.selected);
        QCOMPARE(state->Entries, paths);
        QCOMPARE(window->cursor().shape(), Qt::ArrowCursor); // the busy pointer has gone
        StopAndClose();
    }
}

QTEST_MAIN(EditCommandsTest)
#include "editcommands_test.moc"
