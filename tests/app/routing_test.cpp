// Every route into the main window's handlers: buttons, image buttons, the never-shown command
// buttons, menu entries, timers, the time field, the file box, and the playlist box's mouse, drops
// and keys. Each route starts on a fresh window and must leave the effect of its own handler, told
// apart from the handlers next to it; what the handlers do in detail is tested with each of them.
#include "mp3info/window/frmattributes.h"
#include "playback/modmp3.h"
#include "playback/window/imagebutton.h"
#include "playlist/window/browserboxes.h"
#include "playlist/window/playlistbox.h"
#include "windowtest.h"

#include <QAction>
#include <QDesktopServices>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

namespace {

using W = frmVeriVuzeDadeve;
using Action = std::function<void(W&)>;

template <typename Button> Action click(Button* MainWindowControls::*button) {
    return [button](W& w) { (w.*button)->click(); };
}
Action trigger(QAction* MainWindowControls::*entry) {
    return [entry](W& w) { (w.*entry)->trigger(); };
}
Action key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return [=](W& w) { QTest::keyClick(w.lstListe, k, modifiers); };
}
Action keypad(Qt::Key k) {
    return key(k, Qt::KeypadModifier);
}
// Mouse events on rows of a box, as the window system sends them: presses and double clicks with
// the button held, moves with it held, releases without.
constexpr auto Press = QEvent::MouseButtonPress, Double = QEvent::MouseButtonDblClick,
               Move = QEvent::MouseMove, Release = QEvent::MouseButtonRelease;
template <typename Box>
Action mouse(Box* MainWindowControls::*box, QList<std::pair<QEvent::Type, int>> events,
             Qt::MouseButton button = Qt::LeftButton) {
    return [=](W& w) {
        QListView* view = w.*box;
        for (const auto& [type, row] : events) {
            const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
            QMouseEvent e(type, at, view->viewport()->mapToGlobal(at), type == Move ? Qt::NoButton : button,
                          type == Release ? Qt::NoButton : Qt::MouseButtons(button), Qt::NoModifier);
            QApplication::sendEvent(view->viewport(), &e);
        }
    };
}
const QList<std::pair<QEvent::Type, int>> kDoubleClickRow1 = {
    {Press, 1}, {Release, 1}, {Double, 1}, {Release, 1}};

const Action playing = [](W& w) { w.player.cmdPlay_Click(); };
const Action moved = [](W& w) { w.editing.cmdHoch_Click(); };
const Action movedAndUndone = [](W& w) {
    w.editing.cmdHoch_Click();
    w.history.undo();
};

} // namespace

class RoutingTest : public WindowTest {
    Q_OBJECT
public Q_SLOTS:
    void openUrl(const QUrl& url) {
        opened << url.toString() + (QGuiApplication::overrideCursor() ? " (busy)" : "");
    }

private Q_SLOTS:
    void routes();

private:
    QStringList opened;
    void start(const QString& before);
    QString effect();
};

// Entries by letter, the selected one in brackets ("A[B]C"); A lies in C:\N, the others in C:\M,
// where the file box shows them with its first file, B, selected. Save goes to C:\list.txt.
void RoutingTest::start(const QString& before) {
    QString names = before;
    names.remove(u'[').remove(u']');
    for (QChar c : names) {
        state->Entries.append(QStringLiteral("C:\\%1\\%2.mp3").arg(QChar(c == u'A' ? u'N' : u'M'), c));
        env->drive.copyFixture("plain-stereo.mp3", state->Entries.last());
    }
    state->PlaylistPath = "C:\\list.txt";
    window->display.RefreshList(before.indexOf(u'['));
    window->Dir1->setPath("C:\\M");
    window->File1->setListIndex(0);
    window->activateWindow(); // for the menus' shortcuts
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// The entries with the selected one in brackets, then whatever differs from a quiet window, the
// windows and menus shown, the messages (first lines) and dialogs (titles), and addresses opened.
QString RoutingTest::effect() {
    QString entries;
    for (qsizetype i = 0; i < state->EntryCount(); ++i) {
        const QString letter = letters({state->Entries[i]});
        entries += i == window->lstListe->ListIndex() ? u'[' + letter + u']' : letter;
    }
    QStringList e{entries.isEmpty() ? "empty" : entries};
    const std::pair<bool, QString> marks[] = {
        {IsPlaying(), "plays " + OpenTitle().section(u'\\', -1).section(u'.', 0, 0)},
        {state->PlayingIndex >= 0, QStringLiteral("index %1").arg(state->PlayingIndex)},
        {state->PlayingFromBrowser, "from box"},
        {window->Timer1->isActive(), "Timer1"},
        {window->Timer2->isActive(), "Timer2"},
        {window->display.viewMode() == ViewMode::Filenames, "names"},
        {window->display.viewMode() == ViewMode::Tag, "tags"},
        {window->lblZeit->text() != u"0:00", "time " + window->lblZeit->text()},
        {window->menBlind->isChecked(), "old look"},
        {window->playlistInput.DragIndex >= 0,
         QStringLiteral("drag %1").arg(window->playlistInput.DragIndex)},
        {!window->isVisible(), "closed"},
        {QGuiApplication::overrideCursor() != nullptr, "busy pointer left"},
    };
    for (const auto& [on, text] : marks)
        if (on)
            e << text;
    QStringList shown;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top == window || !top->isVisible())
            continue;
        const auto* menu = qobject_cast<QMenu*>(top);
        const auto* info = qobject_cast<frmAttributes*>(top);
        shown << (menu   ? "menu " + menu->title()
                  : info ? "info " + letters({info->Pfad})
                         : top->objectName());
    }
    shown.sort();
    for (const MessageCall& c : env->messages.calls())
        shown << (c.kind == u"MsgBox" ? c.prompt.section(vbCrLf, 0, 0) : c.title);
    return (e + shown + opened).join(", ");
}

void RoutingTest::routes() {
    using M = MainWindowControls;
    const struct {
        const char* route;
        Action fire;
        const char* before;
        const char* effect; // "mixed": the same entries in another order, the selected one still selected
        Action prepare = {};
    } routes[] = {
        // The buttons.
        {"cmdDefault", click(&M::cmdDefault), "[A]BC", "[A]BC, Do you really want to replace your current"},
        {"cmdOeffnen", click(&M::cmdOeffnen), "[A]BC", "[A]BC, Open playlistfile"},
        {"cmdSpeichern", click(&M::cmdSpeichern), "[A]BC", "[A]BC, New playlist successfully saved"},
        {"cmdQuit", click(&M::cmdQuit), "[A]BC", "[A]BC, closed"},
        {"imgZurueck", click(&M::imgZurueck), "A[B]C", "[A]BC"},
        {"imgPlay", click(&M::imgPlay), "A[B]C", "A[B]C, plays B, index 1, Timer1"},
        {"imgStop", click(&M::imgStop), "A[B]C", "A[B]C", playing},
        {"imgVor", click(&M::imgVor), "A[B]C", "AB[C]"},
        {"cmdPlay", click(&M::cmdPlay), "A[B]C", "A[B]C, plays B, index 1, Timer1"},
        {"cmdStop", click(&M::cmdStop), "A[B]C", "A[B]C, index 1", playing},
        {"cmdVor", click(&M::cmdVor), "A[B]C", "AB[C]"},
        {"cmdZurueck", click(&M::cmdZurueck), "A[B]C", "[A]BC"},
        {"cmdHoch", click(&M::cmdHoch), "AB[C]DE", "A[C]BDE"},
        {"cmdRunter", click(&M::cmdRunter), "AB[C]DE", "ABD[C]E"},
        {"cmdHoch2", click(&M::cmdHoch2), "AB[C]DE", "[C]ABDE"},
        {"cmdRunter2", click(&M::cmdRunter2), "AB[C]DE", "ABDE[C]"},
        {"cmdLoesch", click(&M::cmdLoesch), "AB[C]DE", "AB[D]E"},
        {"cmdLeere", click(&M::cmdLeere), "AB[C]DE", "empty"},
        {"cmdMix", click(&M::cmdMix), "AB[C]DE", "mixed"},
        {"cmdFilter", click(&M::cmdFilter), "[A]BA", "AB[A], Double entry found: A.mp3"},
        {"cmdAdd", click(&M::cmdAdd), "[A]BC", "ABC[B]"},
        {"cmdAdd2", click(&M::cmdAdd2), "[A]BC", "ABC[B]C"},
        {"cmdManuell", click(&M::cmdManuell), "[A]BC", "[A]BC, Add file"},
        // The menu bar.
        {"menDefault", trigger(&M::menDefault), "[A]BC", "[A]BC, Default playlist not found"},
        {"menOeffnen", trigger(&M::menOeffnen), "[A]BC", "[A]BC, Open playlistfile"},
        {"menSpeichern", trigger(&M::menSpeichern), "[A]BC", "[A]BC, New playlist successfully saved"},
        {"menSpeichAls", trigger(&M::menSpeichAls), "[A]BC", "[A]BC, Save as textfile"},
        {"menQuit", trigger(&M::menQuit), "[A]BC", "[A]BC, closed"},
        {"menBlind", trigger(&M::menBlind), "[A]BC", "[A]BC, old look"},
        {"menFeatures", trigger(&M::menFeatures), "[A]BC", "[A]BC, frmChange"},
        {"menAbout", trigger(&M::menAbout), "[A]BC", "[A]BC, frmAbout"},
        {"menCredits", trigger(&M::menCredits), "[A]BC", "[A]BC, Could not find titles.txt in vorlak dir"},
        {"menWeb", trigger(&M::menWeb), "[A]BC",
         "[A]BC, https://www.moddb.com/search?q=Vorlak+Legends (busy)"},
        // Undo and Redo, from the pop-up menu or by their keys wherever the focus is: the move up
        // undone, and redone.
        {"menUndo", trigger(&M::menUndo), "AB[C]DE", "AB[C]DE", moved},
        {"Ctrl+Z", key(Qt::Key_Z, Qt::ControlModifier), "AB[C]DE", "AB[C]DE", moved},
        {"menRedo", trigger(&M::menRedo), "AB[C]DE", "A[C]BDE", movedAndUndone},
        {"Ctrl+Y", key(Qt::Key_Y, Qt::ControlModifier), "AB[C]DE", "A[C]BDE", movedAndUndone},
        {"Ctrl+Shift+Z", key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier), "AB[C]DE", "A[C]BDE",
         movedAndUndone},
        // The playlist's pop-up menu.
        {"menPlay", trigger(&M::menPlay), "A[B]C", "A[B]C, plays B, index 1, Timer1"},
        {"menInfo", trigger(&M::menInfo), "A[B]C", "A[B]C, info B"},
        {"menUp", trigger(&M::menUp), "AB[C]DE", "A[C]BDE"},
        {"menDown", trigger(&M::menDown), "AB[C]DE", "ABD[C]E"},
        {"menTop", trigger(&M::menTop), "AB[C]DE", "[C]ABDE"},
        {"menBottom", trigger(&M::menBottom), "AB[C]DE", "ABDE[C]"},
        {"menDelSel", trigger(&M::menDelSel), "AB[C]DE", "AB[D]E"},
        {"menDelAll", trigger(&M::menDelAll), "AB[C]DE", "empty"},
        {"menAscFol", trigger(&M::menAscFol), "[C]AB", "[B]CA"},
        {"menDesFol", trigger(&M::menDesFol), "[C]AB", "[A]CB"},
        {"menAscNam", trigger(&M::menAscNam), "[C]AB", "[A]BC"},
        {"menDesNam", trigger(&M::menDesNam), "[C]AB", "[C]BA"},
        {"menMix", trigger(&M::menMix), "AB[C]DE", "mixed"},
        {"menFold", trigger(&M::menFold), "[A]BC", "[A]BC", [](W& w) { w.menNoFold->trigger(); }},
        {"menNoFold", trigger(&M::menNoFold), "[A]BC", "[A]BC, names"},
        {"menTag", trigger(&M::menTag), "[A]BC", "[A]BC, tags"},
        {"menDbl", trigger(&M::menDbl), "[A]BA", "AB[A], Double entry found: A.mp3"},
        // The file box's pop-up menu.
        {"menPlayLeft", trigger(&M::menPlayLeft), "[A]BC", "[A]BC, plays B, Timer2"},
        {"menInfoLeft", trigger(&M::menInfoLeft), "[A]BC", "[A]BC, info B"},
        {"menAddSel", trigger(&M::menAddSel), "[A]BC", "ABC[B]"},
        {"menAddAll", trigger(&M::menAddAll), "[A]BC", "ABC[B]C"},
        {"menAddMan", trigger(&M::menAddMan), "[A]BC", "[A]BC, Add file"},
        // The timers: Timer1 plays the next entry once the title has ended; Timer2 lets the file
        // box's ended title go.
        {"Timer1", [](W& w) { QMetaObject::invokeMethod(w.Timer1, "timeout"); }, "[A]BC", "A[B]C, plays B"},
        {"Timer2", [](W& w) { QMetaObject::invokeMethod(w.Timer2, "timeout"); }, "[A]BC", "[A]BC",
         [](W& w) {
             w.state.PlayingFromBrowser = true;
             w.Timer2->start();
         }},
        {"lblZeit", [](W& w) { QTest::mouseClick(w.lblZeit, Qt::LeftButton); }, "[A]BC",
         "[A]BC, time - 0:03"},
        // The file box.
        {"File1 double click", mouse(&M::File1, kDoubleClickRow1), "[A]BC",
         "[A]BC, plays C, from box, Timer2"},
        {"File1 right press", mouse(&M::File1, {{Press, 1}}, Qt::RightButton), "[A]BC",
         "[A]BC, menu FileBox"},
        // The playlist box: a press switches playback to its row and starts a drag, which a move with
        // the left button carries on and a release ends; a double click plays; a click refreshes the
        // time field; a right press shows the pop-up menu; a drop adds.
        {"press", mouse(&M::lstListe, {{Press, 2}}), "[A]BC", "AB[C], plays C, index 2, Timer1, drag 2",
         playing},
        {"press and move", mouse(&M::lstListe, {{Press, 0}, {Move, 1}}), "[A]BC", "B[A]C, index 1, drag 1"},
        {"press and release", mouse(&M::lstListe, {{Press, 0}, {Release, 0}}), "[A]BC", "[A]BC"},
        {"double click", mouse(&M::lstListe, kDoubleClickRow1), "[A]BC", "A[B]C, plays B, index 1, Timer1"},
        {"click", mouse(&M::lstListe, {{Press, 2}, {Release, 2}}), "[A]BC", "AB[C]",
         [](W& w) { w.lblZeit->setText("x"); }},
        {"right press", mouse(&M::lstListe, {{Press, 2}}, Qt::RightButton), "A[B]C", "A[B]C, menu Playlist"},
        {"drop",
         [](W& w) {
             QMimeData data;
             data.setText("C.mp3");
             Q_EMIT w.lstListe->dropped(&data);
         },
         "[A]BC", "ABC[C]"},
        // The playlist box's keys. The arrows select the row above or below, wrapping around, and
        // switch playback there; they are swallowed, so that the box does not move a second time.
        // Keys without a command of their own are swallowed too; Shift and Ctrl do not count.
        {"Return", key(Qt::Key_Return), "A[B]C", "A[B]C, plays B, index 1, Timer1"},
        {"Enter", keypad(Qt::Key_Enter), "A[B]C", "A[B]C, plays B, index 1, Timer1"},
        {"Return while playing", key(Qt::Key_Return), "A[B]C", "A[B]C, index 1", playing},
        {"Up", key(Qt::Key_Up), "AB[C]", "A[B]C"},
        {"Down", key(Qt::Key_Down), "[A]BC", "A[B]C"},
        {"Up from the first row", key(Qt::Key_Up), "[A]BC", "AB[C]"},
        {"Down from the last row", key(Qt::Key_Down), "AB[C]", "[A]BC"},
        {"Up on a single row", key(Qt::Key_Up), "[A]", "[A]"},
        {"Down on an empty list", key(Qt::Key_Down), "", "empty"},
        {"Up while playing", key(Qt::Key_Up), "A[B]C", "[A]BC, plays A, index 0, Timer1", playing},
        {"Ctrl+Down", key(Qt::Key_Down, Qt::ControlModifier), "[A]BC", "A[B]C"},
        {"Delete", key(Qt::Key_Delete), "A[B]C", "A[C]"},
        {"Shift+Delete", key(Qt::Key_Delete, Qt::ShiftModifier), "A[B]C", "A[C]"},
        {"keypad 2", keypad(Qt::Key_2), "A[B]C", "AC[B]"},
        {"keypad 3", keypad(Qt::Key_3), "[A]BC", "BC[A]"},
        {"keypad 8", keypad(Qt::Key_8), "A[B]C", "[B]AC"},
        {"keypad 9", keypad(Qt::Key_9), "AB[C]", "[C]AB"},
        {"keypad 2, Num Lock off", keypad(Qt::Key_Down), "A[B]C", "AB[C]"},
        {"keypad 8, Num Lock off", keypad(Qt::Key_Up), "A[B]C", "[A]BC"},
        {"keypad 3, Num Lock off", keypad(Qt::Key_PageDown), "[A]BC", "[A]BC"},
        {"keypad 9, Num Lock off", keypad(Qt::Key_PageUp), "AB[C]", "AB[C]"},
        {"Home", key(Qt::Key_Home), "AB[C]", "AB[C]"},
        {"End", key(Qt::Key_End), "[A]BC", "[A]BC"},
        {"letter", key(Qt::Key_C), "[A]BC", "[A]BC"},
        {"Ctrl+O, the menu's shortcut", key(Qt::Key_O, Qt::ControlModifier), "[A]BC",
         "[A]BC, Open playlistfile"},
    };
    for (const char* scheme : {"http", "https"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "openUrl");
    QStringList wrong;
    for (const auto& r : routes) {
        start(QLatin1String(r.before));
        if (r.prepare)
            r.prepare(*window);
        QStringList before = state->Entries;
        r.fire(*window);
        QString got = effect();
        if (qstrcmp(r.effect, "mixed") == 0 && !got.contains(u',')) {
            QStringList after = state->Entries;
            const bool stays = window->lstListe->ListIndex() == after.indexOf(before[2]),
                       moved = after != before;
            after.sort();
            before.sort();
            got = moved && stays && after == before ? "mixed" : got;
        }
        if (got != QLatin1String(r.effect))
            wrong << QStringLiteral("%1: %2 (expected %3)")
                         .arg(QLatin1String(r.route), got, QLatin1String(r.effect));
        // The next route on a fresh window; every message is part of the effect, answered OK, No
        // or cancelled.
        window->UnloadOtherWindows();
        opened.clear();
        StopAndClose();
        sandbox.reset();
        setUp();
    }
    for (const char* scheme : {"http", "https"})
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
}

QTEST_MAIN(RoutingTest)
#include "routing_test.moc"
