// The playlist box's presses and drags on the real main window. Which mouse event runs which
// handler, and the keys, are tested with the window's routing.
#include "mp3info/window/frmattributes.h"
#include "playback/audiosink.h"
#include "playback/clockedsinks.h"
#include "playback/modmp3.h"
#include "playlist/window/playlistbox.h"
#include "windowtest.h"

#include <QAction>
#include <QtTest>

class PlaylistInputTest : public WindowTest {
    Q_OBJECT
private Q_SLOTS:
    void pressKeepsPlayback();
    void rowsWithoutEntries();
    void drags();

private:
    void mouse(QEvent::Type type, int row, Qt::MouseButton button, Qt::MouseButtons held) {
        PlaylistBox* list = window->lstListe;
        const QPoint at = row < list->ListCount()
                              ? list->visualRect(list->model()->index(row, 0)).center()
                              : QPoint(5, list->viewport()->height() - 3); // below the last row
        QMouseEvent e(type, at, list->viewport()->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &e);
    }
    void press(int row) { mouse(QEvent::MouseButtonPress, row, Qt::LeftButton, Qt::LeftButton); }
    void release(int row) { mouse(QEvent::MouseButtonRelease, row, Qt::LeftButton, Qt::NoButton); }
};

// A press leaves playback alone on the playing row, while a file-box title plays and below the
// rows. The press starts a drag on the row selected, the release ends it.
void PlaylistInputTest::pressKeepsPlayback() {
    int opened = 0;
    playback::setSinkFactory([&opened] {
        ++opened;
        return std::make_shared<playback::TestSink>(playback::TestSink::kUnbounded, false);
    });
    const struct {
        int playing;  // the row playing
        bool fromBox; // the title playing came from the file box
        int row;      // pressed; 9 is below the rows
    } cases[] = {{2, false, 2}, {0, true, 2}, {0, false, 9}};
    for (const auto& c : cases) {
        show("ABC", c.playing);
        OpenAndPlay(state->Entries[c.playing]);
        state->PlayingIndex = c.playing;
        state->PlayingFromBrowser = c.fromBox;
        const int before = opened;
        press(c.row);
        const int selected = c.row < 3 ? c.row : c.playing;
        QCOMPARE(window->lstListe->ListIndex(), selected);
        QCOMPARE(window->playlistInput.DragIndex, selected);
        QCOMPARE(state->PlayingIndex, c.playing);
        QCOMPARE(opened, before);
        QVERIFY(IsPlaying());
        release(c.row);
        QCOMPARE(window->playlistInput.DragIndex, -1);
        StopAndClose();
        state->PlayingFromBrowser = false;
    }
    show(QString(), 0); // in an empty box a press starts no drag
    press(0);
    QCOMPARE(window->playlistInput.DragIndex, -1);
}

// The box shows five rows, the model holds three (the display not yet rebuilt): a press there
// switches nothing and Fileinfo shows nothing.
void PlaylistInputTest::rowsWithoutEntries() {
    show("ABCDE", 0);
    OpenAndPlay(state->Entries[0]);
    state->PlayingIndex = 0;
    state->Entries.resize(3);
    press(4);
    release(4);
    QCOMPARE(window->lstListe->ListIndex(), 4);
    QCOMPARE(state->PlayingIndex, 0);
    QCOMPARE(OpenTitle(), state->Entries[0]);
    window->menInfo_Click();
    QVERIFY(!FileInfosWindow() || !FileInfosWindow()->isVisible());
}

// With only the left button held the pressed entry follows the pointer row by row and becomes
// the playing entry's number; after the release nothing follows.
void PlaylistInputTest::drags() {
    const struct {
        int from;
        QList<int> moves; // rows the pointer moves to
        Qt::MouseButtons held;
        int entries; // behind the four rows
        const char* after;
        int playingIndex;
    } cases[] = {
        {0, {0, 1, 2}, Qt::LeftButton, 4, "BCAD", 2},
        {0, {3}, Qt::LeftButton, 4, "DBCA", 3},
        {0, {2}, Qt::LeftButton | Qt::RightButton, 4, "ABCD", -1},
        {0, {3}, Qt::LeftButton, 3, "ABC", -1}, // the row without an entry is not taken
    };
    for (const auto& c : cases) {
        show("ABCD", c.from);
        state->PlayingIndex = -1;
        state->Entries.resize(c.entries);
        press(c.from);
        for (int row : c.moves)
            mouse(QEvent::MouseMove, row, Qt::NoButton, c.held);
        QCOMPARE(letters(state->Entries), QLatin1String(c.after));
        QCOMPARE(state->PlayingIndex, c.playingIndex);
        QCOMPARE(window->lstListe->rows().mid(0, c.entries), state->Entries);
        if (c.playingIndex >= 0)
            QCOMPARE(window->lstListe->ListIndex(), c.playingIndex);
        release(c.moves.last());
        mouse(QEvent::MouseMove, c.from, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(letters(state->Entries), QLatin1String(c.after));
    }
}

QTEST_MAIN(PlaylistInputTest)
#include "playlistinput_test.moc"
