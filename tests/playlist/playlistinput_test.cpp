// The playlist box's keys, presses, drags and pop-up menu on the real main window.
#include "platform/messages.h"
#include "playback/audiosink.h"
#include "playback/clockedsinks.h"
#include "playback/modmp3.h"
#include "playlist/window/playlistbox.h"
#include "windowsandbox.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

namespace {

QString letters(const QStringList& entries) {
    QString s;
    for (const QString& e : entries)
        s += QFileInfo(QString(e).replace(u'\\', u'/')).baseName();
    return s;
}

// Every caption of a menu in order, submenus as "Parent > Item", separators as "-".
QStringList structure(const QMenu* menu, const QString& prefix = {}) {
    QStringList lines;
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator())
            lines.append(prefix + u'-');
        else if (a->menu())
            lines += structure(a->menu(), prefix + a->text() + QStringLiteral(" > "));
        else
            lines.append(prefix + a->text());
        if (!a->isEnabled())
            lines.append(QStringLiteral("disabled: ") + a->text());
    }
    return lines;
}

} // namespace

class PlaylistInputTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void menuStructure();
    void menuEntries_data();
    void menuEntries();
    void keys_data();
    void keys();
    void shortcutsFromTheList();
    void playing_data();
    void playing();
    void presses_data();
    void presses();
    void rightPress();
    void rowsWithoutEntries();
    void drags_data();
    void drags();

private:
    std::unique_ptr<WindowSandbox> s;
    frmVeriVuzeDadeve* window = nullptr;
    ProgramState* state = nullptr;
    int opened = 0; // titles opened by the player
    // Entries A, B, ... as MP3 files on the drive; row selected.
    void show(const QString& names, int row) {
        state->Entries.clear();
        for (QChar c : names) {
            const QString path = QStringLiteral("C:\\M\\%1.mp3").arg(c);
            s->env.drive.copyFixture(QStringLiteral("plain-stereo.mp3"), path);
            state->Entries.append(path);
        }
        window->display.RefreshList(row);
    }
    void mouse(QEvent::Type type, int row, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        PlaylistBox* list = window->lstListe;
        const QPoint at = row < list->ListCount()
                              ? list->visualRect(list->model()->index(row, 0)).center()
                              : QPoint(5, list->viewport()->height() - 3); // below the last row
        QMouseEvent e(type, at, list->viewport()->mapToGlobal(at), button, held, modifiers);
        QApplication::sendEvent(list->viewport(), &e);
    }
    void press(int row, Qt::MouseButton b = Qt::LeftButton) { mouse(QEvent::MouseButtonPress, row, b, b); }
    void release(int row, Qt::MouseButton b = Qt::LeftButton) {
        mouse(QEvent::MouseButtonRelease, row, b, Qt::NoButton);
    }
    void move(int row, Qt::MouseButtons held = Qt::LeftButton) {
        mouse(QEvent::MouseMove, row, Qt::NoButton, held);
    }
};

void PlaylistInputTest::init() {
    s = std::make_unique<WindowSandbox>();
    window = &s->window;
    state = &s->state;
    opened = 0;
    playback::setSinkFactory([this] {
        ++opened;
        return std::make_shared<playback::TestSink>(playback::TestSink::kUnbounded, false);
    });
}

void PlaylistInputTest::cleanup() {
    QCOMPARE(s->env.messages.problems(), QStringList());
    s.reset();
}

void PlaylistInputTest::menuStructure() {
    const QStringList expected{"Undo",
                               "disabled: Undo",
                               "Redo",
                               "disabled: Redo",
                               "-",
                               "Play",
                               "Fileinfo",
                               "-",
                               "Move > Up",
                               "Move > Down",
                               "Move > -",
                               "Move > Top",
                               "Move > Bottom",
                               "Delete > Selected",
                               "Delete > All",
                               "-",
                               "Sort > By folder > Ascending",
                               "Sort > By folder > Descending",
                               "Sort > By names > Ascending",
                               "Sort > By names > Descending",
                               "Sort > Mix list",
                               "View > All",
                               "View > Filenames",
                               "View > MP3-Tag",
                               "Show doubles"};
    QCOMPARE(structure(window->menPlaylist), expected);
    QCOMPARE(window->menPlaylist->title(), QStringLiteral("Playlist"));
    QVERIFY(window->menFold->isChecked());
}

// The entries of the menu, found by their captions, run their commands.
void PlaylistInputTest::menuEntries_data() {
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("selected");
    QTest::newRow("up") << QStringList{"Move", "Up"} << 2 << "ACBDE" << 1;
    QTest::newRow("down") << QStringList{"Move", "Down"} << 2 << "ABDCE" << 3;
    QTest::newRow("top") << QStringList{"Move", "Top"} << 3 << "DABCE" << 0;
    QTest::newRow("bottom") << QStringList{"Move", "Bottom"} << 1 << "ACDEB" << 4;
    QTest::newRow("delete selected") << QStringList{"Delete", "Selected"} << 4 << "ABCD" << 3;
    QTest::newRow("delete all") << QStringList{"Delete", "All"} << 4 << "" << -1;
    QTest::newRow("by folder, descending")
        << QStringList{"Sort", "By folder", "Descending"} << 4 << "EDCBA" << 0;
    QTest::newRow("by names, ascending") << QStringList{"Sort", "By names", "Ascending"} << 4 << "ABCDE" << 0;
    QTest::newRow("by names, descending")
        << QStringList{"Sort", "By names", "Descending"} << 1 << "EDCBA" << 0;
}

void PlaylistInputTest::menuEntries() {
    QFETCH(QStringList, path);
    QFETCH(int, row);
    QFETCH(QString, after);
    QFETCH(int, selected);
    show("ABCDE", row);
    if (path.contains(QStringLiteral("By names")))
        window->menNoFold->trigger(); // the rows show the names the sort looked up
    const QMenu* menu = window->menPlaylist;
    QAction* action = nullptr;
    for (const QString& caption : path) {
        const auto actions = menu->actions();
        auto it =
            std::find_if(actions.begin(), actions.end(), [&](QAction* a) { return a->text() == caption; });
        QVERIFY(it != actions.end());
        action = *it;
        menu = action->menu();
    }
    action->trigger();
    QCOMPARE(letters(state->Entries), after);
    QCOMPARE(window->lstListe->ListIndex(), selected);
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor); // the busy pointer of the sorts has gone
    QCOMPARE(window->lstListe->rows(), BuildRows(state->Entries, window->display.viewMode()));
}

void PlaylistInputTest::keys_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("selected");
    const int none = Qt::NoModifier, pad = Qt::KeypadModifier;
    QTest::newRow("up wraps") << "ABC" << 0 << int(Qt::Key_Up) << none << "ABC" << 2;
    QTest::newRow("up") << "ABC" << 2 << int(Qt::Key_Up) << none << "ABC" << 1;
    QTest::newRow("down wraps") << "ABC" << 2 << int(Qt::Key_Down) << none << "ABC" << 0;
    QTest::newRow("down") << "ABC" << 0 << int(Qt::Key_Down) << none << "ABC" << 1;
    QTest::newRow("ctrl+down") << "ABC" << 0 << int(Qt::Key_Down) << int(Qt::ControlModifier) << "ABC" << 1;
    QTest::newRow("up, one row") << "A" << 0 << int(Qt::Key_Up) << none << "A" << 0;
    QTest::newRow("down, empty") << "" << 0 << int(Qt::Key_Down) << none << "" << -1;
    QTest::newRow("delete") << "ABC" << 1 << int(Qt::Key_Delete) << none << "AC" << 1;
    QTest::newRow("shift+delete") << "ABC" << 2 << int(Qt::Key_Delete) << int(Qt::ShiftModifier) << "AB" << 1;
    QTest::newRow("keypad 8") << "ABC" << 1 << int(Qt::Key_8) << pad << "BAC" << 0;
    QTest::newRow("keypad 2") << "ABC" << 1 << int(Qt::Key_2) << pad << "ACB" << 2;
    QTest::newRow("keypad 9") << "ABC" << 2 << int(Qt::Key_9) << pad << "CAB" << 0;
    QTest::newRow("keypad 3") << "ABC" << 0 << int(Qt::Key_3) << pad << "BCA" << 2;
    QTest::newRow("keypad 8, Num Lock off") << "ABC" << 1 << int(Qt::Key_Up) << pad << "ABC" << 0;
    QTest::newRow("keypad 3, Num Lock off") << "ABC" << 0 << int(Qt::Key_PageDown) << pad << "ABC" << 0;
    QTest::newRow("digit 8") << "ABC" << 1 << int(Qt::Key_8) << none << "ABC" << 1;
    for (auto [name, key] : {std::pair("home", Qt::Key_Home), std::pair("end", Qt::Key_End),
                             std::pair("page up", Qt::Key_PageUp), std::pair("page down", Qt::Key_PageDown),
                             std::pair("letter", Qt::Key_C), std::pair("right", Qt::Key_Right),
                             std::pair("space", Qt::Key_Space)})
        QTest::newRow(name) << "ABC" << 1 << int(key) << none << "ABC" << 1;
}

// With nothing playing; the keys that play are tested with the player.
void PlaylistInputTest::keys() {
    QFETCH(QString, before);
    QFETCH(int, row);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, after);
    QFETCH(int, selected);
    show(before, row);
    window->lstListe->setFocus();
    QTest::keyClick(window->lstListe, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(letters(state->Entries), after);
    QCOMPARE(window->lstListe->ListIndex(), selected);
    QCOMPARE(window->lstListe->rows(), state->Entries);
    QCOMPARE(opened, 0);
}

void PlaylistInputTest::shortcutsFromTheList() {
    show("AB", 0);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    window->lstListe->setFocus();
    s->env.messages.expectOpenDialog(QString());
    QTest::keyClick(window->lstListe, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(s->env.messages.calls().size(), 1);
}

// The keys, the double click and the menu entry that play or stop.
void PlaylistInputTest::playing_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("playingBefore"); // -1 nothing plays
    QTest::addColumn<QString>("action");    // a key, "double click" or "menu"
    QTest::addColumn<bool>("playing");
    QTest::addColumn<int>("playingIndex");
    QTest::addColumn<int>("selected");
    QTest::newRow("return plays") << "ABC" << 1 << -1 << "return" << true << 1 << 1;
    QTest::newRow("return stops") << "ABC" << 1 << 1 << "return" << false << 1 << 1;
    QTest::newRow("up switches") << "ABC" << 1 << 1 << "up" << true << 0 << 0;
    QTest::newRow("up wraps and switches") << "ABC" << 0 << 0 << "up" << true << 2 << 2;
    QTest::newRow("down wraps and switches") << "ABC" << 2 << 2 << "down" << true << 0 << 0;
    QTest::newRow("down, stopped") << "ABC" << 1 << -1 << "down" << false << -1 << 2;
    QTest::newRow("double click") << "ABC" << 2 << -1 << "double click" << true << 2 << 2;
    QTest::newRow("menu") << "ABC" << 1 << -1 << "menu" << true << 1 << 1;
    QTest::newRow("return, empty") << "" << 0 << -1 << "return" << false << -1 << -1;
}

void PlaylistInputTest::playing() {
    QFETCH(QString, list);
    QFETCH(int, row);
    QFETCH(int, playingBefore);
    QFETCH(QString, action);
    QFETCH(bool, playing);
    QFETCH(int, playingIndex);
    QFETCH(int, selected);
    show(list, playingBefore >= 0 ? playingBefore : row);
    if (playingBefore >= 0) {
        window->player.cmdPlay_Click();
        window->display.RefreshList(row);
    }
    QCOMPARE(IsPlaying(), playingBefore >= 0);
    if (list.isEmpty())
        s->env.messages.expectMsgBox(QStringLiteral("Playlist is empty."), vbOKOnly, QStringLiteral("Error"));
    window->lstListe->setFocus();
    if (action == u"return")
        QTest::keyClick(window->lstListe, Qt::Key_Return);
    else if (action == u"up")
        QTest::keyClick(window->lstListe, Qt::Key_Up);
    else if (action == u"down")
        QTest::keyClick(window->lstListe, Qt::Key_Down);
    else if (action == u"double click") {
        press(row);
        release(row);
        mouse(QEvent::MouseButtonDblClick, row, Qt::LeftButton, Qt::LeftButton);
        release(row);
    } else
        window->menPlay->trigger();
    QCOMPARE(IsPlaying(), playing);
    QCOMPARE(state->PlayingIndex, playingIndex);
    QCOMPARE(window->lstListe->ListIndex(), selected);
}

void PlaylistInputTest::presses_data() {
    QTest::addColumn<int>("playing");  // row playing from the playlist, -1 none
    QTest::addColumn<bool>("fromBox"); // the title playing came from the file box
    QTest::addColumn<int>("row");      // pressed
    QTest::addColumn<int>("playingIndex");
    QTest::addColumn<int>("opens"); // titles opened by the press
    QTest::newRow("nothing plays") << -1 << false << 2 << -1 << 0;
    QTest::newRow("another row") << 0 << false << 2 << 2 << 1;
    QTest::newRow("the playing row") << 2 << false << 2 << 2 << 0;
    QTest::newRow("a file-box title plays") << 0 << true << 2 << 0 << 0;
    QTest::newRow("below the rows") << 0 << false << 9 << 0 << 0; // the selection stays on row 0
}

void PlaylistInputTest::presses() {
    QFETCH(int, playing);
    QFETCH(bool, fromBox);
    QFETCH(int, row);
    QFETCH(int, playingIndex);
    QFETCH(int, opens);
    show("ABC", 0);
    if (playing >= 0) {
        OpenAndPlay(state->Entries[playing]);
        state->PlayingIndex = fromBox ? 0 : playing;
        state->PlayingFromBrowser = fromBox;
        window->display.RefreshList(playing);
    }
    const int before = opened;
    press(row);
    const int selected = row < 3 ? row : playing;
    QCOMPARE(window->lstListe->ListIndex(), selected);
    QCOMPARE(window->playlistInput.DragIndex, selected);
    QCOMPARE(state->PlayingIndex, playingIndex);
    QCOMPARE(opened - before, opens);
    QCOMPARE(IsPlaying(), playing >= 0);
    release(row);
    QCOMPARE(window->playlistInput.DragIndex, -1);
    // Ctrl+click on the selected row leaves it selected: the box never deselects.
    mouse(QEvent::MouseButtonPress, selected, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
    mouse(QEvent::MouseButtonRelease, selected, Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);
    QCOMPARE(window->lstListe->ListIndex(), selected);

    // In an empty box a press starts no drag.
    state->Entries.clear();
    window->display.RefreshList(0);
    press(0);
    QCOMPARE(window->playlistInput.DragIndex, -1);
}

void PlaylistInputTest::rightPress() {
    show("ABC", 1);
    press(2, Qt::RightButton);
    QTRY_VERIFY(window->menPlaylist->isVisible());
    QCOMPARE(window->lstListe->ListIndex(), 1);
    QCOMPARE(window->playlistInput.DragIndex, -1);
    move(0, Qt::LeftButton | Qt::RightButton);
    QCOMPARE(letters(state->Entries), QStringLiteral("ABC"));
    window->menPlaylist->close();
}

// The box shows five rows, the model holds three (the display not yet rebuilt): nothing reads
// beyond the entries; the commands report it, the other handlers leave such rows alone.
void PlaylistInputTest::rowsWithoutEntries() {
    show("ABCDE", 0);
    OpenAndPlay(state->Entries[0]);
    state->PlayingIndex = 0;
    state->Entries.resize(3);
    press(4); // selects, switches nothing
    release(4);
    QCOMPARE(window->lstListe->ListIndex(), 4);
    QCOMPARE(state->PlayingIndex, 0);
    window->menInfo->trigger();
    s->env.messages.expectMsgBox(QStringLiteral("Subscript out of range\r\nPlease report this error"),
                                 vbCritical, QStringLiteral("Error"));
    QTest::keyClick(window->lstListe, Qt::Key_Delete);
    QCOMPARE(letters(state->Entries), QStringLiteral("ABC"));
}

void PlaylistInputTest::drags_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<QList<int>>("moves"); // rows the pointer moves to with the left button held
    QTest::addColumn<int>("held");         // buttons held while moving
    QTest::addColumn<int>("entries");      // entries behind the four rows
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("playingIndex");
    const int left = Qt::LeftButton;
    QTest::newRow("row by row") << 0 << QList<int>{0, 1, 2} << left << 4 << "BCAD" << 2;
    QTest::newRow("jump") << 0 << QList<int>{3} << left << 4 << "DBCA" << 3;
    QTest::newRow("up and back") << 2 << QList<int>{1, 0, 1} << left << 4 << "ACBD" << 1;
    QTest::newRow("both buttons") << 0 << QList<int>{2} << int(Qt::LeftButton | Qt::RightButton) << 4
                                  << "ABCD" << -1;
    QTest::newRow("middle button") << 0 << QList<int>{2} << int(Qt::MiddleButton) << 4 << "ABCD" << -1;
    // The box shows four rows, the model holds three: the row without an entry is not taken.
    QTest::newRow("display ahead") << 0 << QList<int>{3} << left << 3 << "ABC" << -1;
}

void PlaylistInputTest::drags() {
    QFETCH(int, from);
    QFETCH(QList<int>, moves);
    QFETCH(int, held);
    QFETCH(int, entries);
    QFETCH(QString, after);
    QFETCH(int, playingIndex);
    show("ABCD", from);
    state->Entries.resize(entries);
    press(from);
    for (int row : moves)
        move(row, Qt::MouseButtons(held));
    QCOMPARE(letters(state->Entries), after);
    QCOMPARE(state->PlayingIndex, playingIndex);
    QCOMPARE(window->lstListe->rows().mid(0, entries), state->Entries);
    if (playingIndex >= 0)
        QCOMPARE(window->lstListe->ListIndex(), playingIndex);
    release(moves.last());
    move(from); // after the release nothing follows the pointer
    QCOMPARE(letters(state->Entries), after);
}

QTEST_MAIN(PlaylistInputTest)
#include "playlistinput_test.moc"
