// Undo and redo on the real main window. Every kind of change undone gives back the entries, the
// selected row and the rows shown as they were, redone as the command left them, both without a
// message and without touching the player; a command that changes nothing adds no step. Random
// edits, undos and redos against a record of each step; Ctrl+Z; the memory limit.
#include "playlist/window/browserboxes.h"
#include "playlist/window/playlistbox.h"
#include "windowtest.h"

#include <QAction>
#include <QFile>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QtTest>
#include <functional>
#include <random>

class UndoTest : public WindowTest {
    Q_OBJECT
private Q_SLOTS:
    void everyKindOfChange();
    void randomEdits();
    void clearUndoneByKey();
    void memoryLimit();

private:
    // A fresh window on entries named by letters, PlayingIndex 2; the file box on C:\N (n1.mp3 to
    // n3.mp3), a default playlist of Y and Z beside the working file.
    void start(const QString& letters, int row);
    // The entries, the rows shown, the selected row and the horizontal extent of the rows.
    QStringList shown() const;
    void drag(int from, const QList<int>& rows);
};

void UndoTest::start(const QString& letters, int row) {
    tearDown();
    setUp();
    show(letters, row);
    state->PlayingIndex = 2;
    state->PlaylistPath = QStringLiteral("C:\\HL\\vorlak\\mp3\\playlist.txt");
    for (const char* f : {"C:\\N\\n1.mp3", "C:\\N\\n2.mp3", "C:\\N\\n3.mp3", "C:\\M\\Y.mp3", "C:\\M\\Z.mp3"})
        env->drive.write(QString::fromLatin1(f));
    env->drive.write(QStringLiteral("C:\\HL\\vorlak\\mp3\\playlist.def"), "C:\\M\\Y.mp3\r\nC:\\M\\Z.mp3\r\n");
    window->Dir1->setPath(QStringLiteral("C:\\N"));
    window->File1->setListIndex(0);
}

QStringList UndoTest::shown() const {
    const PlaylistBox& list = *window->lstListe;
    return state->Entries.toStringList() + QStringList{QStringLiteral("rows:")} + list.rows() +
           QStringList{QStringLiteral("selected %1, extent %2")
                           .arg(list.ListIndex())
                           .arg(list.ListCount() > 0 ? list.horizontalExtent() : 0)};
}

// Press on row from, move over rows with the left button held, release.
void UndoTest::drag(int from, const QList<int>& rows) {
    PlaylistBox* list = window->lstListe;
    list->scrollToTop();
    auto send = [&](QEvent::Type type, int row, Qt::MouseButton button, Qt::MouseButtons held) {
        const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
        QMouseEvent e(type, at, list->viewport()->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &e);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (int row : rows)
        send(QEvent::MouseMove, row, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, rows.isEmpty() ? from : rows.last(), Qt::LeftButton, Qt::NoButton);
}

void UndoTest::everyKindOfChange() {
    // Open of a text playlist of these lines.
    auto open = [this](const QByteArray& lines, int answer, int added) {
        return [=, this] {
            env->drive.write(QStringLiteral("C:\\L\\new.txt"), lines);
            env->messages.expectOpenDialog(QStringLiteral("C:\\L\\new.txt"))
                .expectMsgBox(QStringLiteral("Keep old playlist ?"), vbYesNo, QString(), answer);
            env->messages.expectMsgBox(QStringLiteral("Added %1 files successfully").arg(added), vbOKOnly,
                                       QStringLiteral("Saved"));
            window->menOeffnen->trigger();
        };
    };
    const struct {
        const char* name;
        const char* letters;
        int row;
        std::function<void()> command;
        bool changes = true;
    } cases[] = {
        {"Up", "ABCDE", 2, [this] { window->cmdHoch->click(); }},
        {"Remove the last row", "ABCDE", 4, [this] { window->menDelSel->trigger(); }},
        {"Clear", "ABC", 1, [this] { window->cmdLeere->click(); }},
        {"By folder, ascending", "CAEBD", 1, [this] { window->menAscFol->trigger(); }},
        {"By folder, descending", "CAEBD", 1, [this] { window->menDesFol->trigger(); }},
        {"By names, ascending", "CAEBD", 3, [this] { window->menAscNam->trigger(); }},
        {"By names, descending", "CAEBD", 3, [this] { window->menDesNam->trigger(); }},
        {"Mix", "ABCDEFGH", 3, [this] { window->menMix->trigger(); }},
        {"Drag", "ABCDE", 0, [this] { drag(0, {1, 2, 3}); }},
        {"Add", "AB", 1, [this] { window->cmdAdd->click(); }},
        {"Add all", "AB", 0, [this] { window->menAddAll->trigger(); }},
        {"Add manually, with the check",
         "ABC", 2,
         [this] {
             QFile::remove(env->drive.host(QStringLiteral("C:\\M\\B.mp3")));
             env->messages.expectInputBox(QStringLiteral("C:\\N\\n2.mp3"))
                 .expectMsgBox("File: C:\\M\\B.mp3 became deleted\r\nfrom playlist, because it's not valid (anymore)",
                               vbOKOnly, QStringLiteral("File not found"));
             window->menAddMan->trigger();
         }},
        {"Drop",
         "AB", 0,
         [this] {
             QMimeData data;
             data.setUrls({QUrl::fromLocalFile(env->drive.host(QStringLiteral("C:\\N\\n3.mp3"))),
                           QUrl::fromLocalFile(env->drive.host(QStringLiteral("C:\\N\\n1.mp3")))});
             window->adds.lstListe_OLEDragDrop(data);
         }},
        {"Open, keeping the old list", "ABC", 1, open("C:\\N\\n1.mp3\r\nC:\\N\\n2.mp3\r\n", vbYes, 2)},
        {"Open in place of the list", "ABC", 1, open("C:\\N\\n1.mp3\r\nC:\\N\\n2.mp3\r\n", vbNo, 2)},
        {"Restore",
         "ABC", 1,
         [this] {
             env->messages.expectMsgBox(QStringLiteral("Default playlist successfully opened"), vbOKOnly,
                                        QStringLiteral("Opened"));
             window->menDefault->trigger();
         }},
        {"Clearing an empty list", "", 0, [this] { window->cmdLeere->click(); }, false},
        {"Adding a refused file",
         "AB", 0,
         [this] {
             env->messages.expectInputBox(QStringLiteral("C:\\N\\none.mp3"));
             window->cmdManuell->click();
         },
         false},
        {"Opening the same list in its place", "AB", 1, open("C:\\M\\A.mp3\r\nC:\\M\\B.mp3\r\n", vbNo, 2), false},
    };
    for (const auto& c : cases) {
        start(QLatin1String(c.letters), c.row);
        const QStringList before = shown();
        c.command();
        const QStringList after = shown();
        const qsizetype playing = state->PlayingIndex; // a drag moves it, nothing else does
        QVERIFY2(window->menUndo->isEnabled() == c.changes, c.name);
        QVERIFY2(!window->menRedo->isEnabled(), c.name);
        if (!c.changes)
            continue;
        QVERIFY2(after != before, c.name);
        // Twice: what a redone step holds undoes it again.
        for (int round = 0; round < 2; ++round) {
            window->menUndo->trigger();
            QCOMPARE(shown(), before);
            QVERIFY2(!window->menUndo->isEnabled() && window->menRedo->isEnabled(), c.name);
            window->menRedo->trigger();
            QCOMPARE(shown(), after);
            QVERIFY2(window->menUndo->isEnabled() && !window->menRedo->isEnabled(), c.name);
        }
        QCOMPARE(state->PlayingIndex, playing);
    }
}

// Edits, undos and redos drawn at random; each undo must give back the state before its step and
// each redo the state after it. A step is added exactly when the entries changed (moves at an end,
// sorts of a sorted list and drags back to their row change nothing), the oldest going past 100.
// At the end everything is undone, then redone.
void UndoTest::randomEdits() {
    struct Record {
        QStringList before, after;
    };
    const std::function<void()> commands[] = {
        [this] { window->editing.cmdHoch_Click(); },    [this] { window->editing.cmdRunter_Click(); },
        [this] { window->editing.cmdHoch2_Click(); },   [this] { window->editing.cmdRunter2_Click(); },
        [this] { window->editing.cmdLoesch_Click(); },  [this] { window->editing.menAscFol_Click(); },
        [this] { window->editing.menDesFol_Click(); },  [this] { window->editing.menAscNam_Click(); },
        [this] { window->editing.menDesNam_Click(); },  [this] { window->editing.cmdMix_Click(); },
        [this] { window->adds.cmdAdd_Click(); },        [this] { window->adds.cmdAdd2_Click(); },
        [this] { window->editing.cmdLeere_Click(); },
    };
    const int kCommands = int(std::size(commands));
    bool full = false; // a step went for the 101st
    for (unsigned seed : {1u, 2u, 3u}) {
        start(QStringLiteral("ABCDEFGHIJ"), 0);
        std::mt19937 random(seed);
        auto draw = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
        std::vector<Record> done, undone;
        for (int i = 0; i < 200; ++i) {
            const int what = draw(20);
            if (what == 0 && !done.empty()) {
                window->history.undo();
                QCOMPARE(shown(), done.back().before);
                undone.push_back(done.back());
                done.pop_back();
            } else if (what == 1 && !undone.empty()) {
                window->history.redo();
                QCOMPARE(shown(), undone.back().after);
                done.push_back(undone.back());
                undone.pop_back();
            } else {
                const qsizetype rows = window->lstListe->ListCount();
                if (rows > 0)
                    window->lstListe->setListIndex(draw(int(rows)));
                const Record record{shown(), {}};
                const EntryList entries = state->Entries;
                const int steps = window->history.undoableSteps();
                // Clearing is rare, else the list stays short; a drag over the first rows, in view.
                const int command = draw(kCommands * 4 + 6);
                if (command < kCommands * 4)
                    commands[command % (kCommands - 1)]();
                else if (command == kCommands * 4)
                    commands[kCommands - 1]();
                else if (rows > 3)
                    drag(draw(4), {draw(4), draw(4)});
                // A step exactly when the entries changed; the oldest goes after 100.
                const bool changed = state->Entries != entries;
                QCOMPARE(window->history.undoableSteps(),
                         changed ? std::min(steps + 1, PlaylistHistory::kSteps) : steps);
                if (changed) {
                    done.push_back({record.before, shown()});
                    undone.clear();
                    if (done.size() > PlaylistHistory::kSteps) {
                        done.erase(done.begin());
                        full = true;
                    }
                }
            }
        }
        const EntryList end = state->Entries;
        for (auto r = done.rbegin(); r != done.rend(); ++r) {
            window->history.undo();
            QCOMPARE(shown(), r->before);
        }
        QVERIFY(!window->history.canUndo());
        for (const Record& r : done) {
            window->history.redo();
            QCOMPARE(shown(), r.after);
        }
        QCOMPARE(state->Entries, end); // the selection may have moved since the last step
    }
    QVERIFY(full);
}

// Ctrl+Z reaches the window from the focused playlist box; the menu's entries follow; saving keeps
// the history.
void UndoTest::clearUndoneByKey() {
    start(QStringLiteral("ABC"), 1);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    window->lstListe->setFocus();
    const QStringList before = shown();
    QVERIFY(!window->menUndo->isEnabled() && !window->menRedo->isEnabled());
    window->cmdLeere->click();
    env->messages.expectMsgBox(QStringLiteral("New playlist successfully saved"), vbOKOnly, QStringLiteral("Saved"));
    window->menSpeichern->trigger();
    QVERIFY(window->menUndo->isEnabled() && !window->menRedo->isEnabled());
    QVERIFY(window->lstListe->hasFocus());
    QTest::keyClick(window->lstListe, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(shown(), before);
    QVERIFY(!window->menUndo->isEnabled() && window->menRedo->isEnabled());
}

// Over the memory limit the oldest steps go, a step larger than it at once.
void UndoTest::memoryLimit() {
    start(QStringLiteral("ABCDEFGHIJ"), 0);
    window->cmdLoesch->click();
    const qsizetype step = window->history.memoryBytes();
    window->history.setMemoryLimit(step * 7 / 2);
    for (int i = 0; i < 5; ++i)
        window->cmdLoesch->click();
    QCOMPARE(window->history.undoableSteps(), 3);
    QVERIFY(window->history.memoryBytes() <= step * 7 / 2);
    while (window->menUndo->isEnabled())
        window->menUndo->trigger();
    QCOMPARE(letters(state->Entries), QStringLiteral("DEFGHIJ"));

    window->history.setMemoryLimit(step / 2);
    window->cmdLeere->click();
    QVERIFY(!window->menUndo->isEnabled());
}

QTEST_MAIN(UndoTest)
#include "undo_test.moc"
