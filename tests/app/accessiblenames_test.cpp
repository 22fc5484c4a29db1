// The main window's presentation on real widgets. Screen readers and outside test drivers find
// controls by their accessible names: every visible control of the main window and of every window
// it opens is announced by the text it shows, or, when it shows no text of its own, by a
// descriptive name; a label that shows nothing has no name. The auxiliary windows are announced as
// dialogs named by their titles, and unloaded by the main window's exit. Controls follow the
// window's size, and the two looks switch both ways; where the rules put each control is tested on
// the rules themselves, the stored look taken up at start with the startup.
#include "app/layout.h"
#include "mp3info/window/frmattributes.h"
#include "playlist/window/playlistbox.h"
#include "windows/frmabout.h"
#include "windows/frmchange.h"
#include "windows/frmcredits.h"
#include "windowtest.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

namespace {

// A widget path for the failure message: the names of the widget and its parents.
QString describe(const QObject* w) {
    QStringList parts;
    for (const QObject* o = w; o; o = o->parent())
        parts.prepend(o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className())
                                                : o->objectName());
    return parts.join(u'/');
}

// A control: a widget the program named, or one the user can reach with the keyboard that is no
// part of a composite control (the list of a combo box, the bars of a scroll area), which the
// control names.
bool isControl(const QWidget* w) {
    if (w->objectName().startsWith("qt_"))
        return false;
    for (const QWidget* p = w->parentWidget(); p && w->objectName().isEmpty(); p = p->parentWidget())
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractScrollArea*>(p) ||
            qobject_cast<const QAbstractSpinBox*>(p))
            return false;
    return !w->objectName().isEmpty() || w->focusPolicy() != Qt::NoFocus;
}

// What is wrong with the names of a window's visible controls and menu entries: a label is named
// by its text (nothing when it shows none), a button by its caption, anything else by a name.
QStringList misnamed(QWidget* window) {
    QStringList found;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || !isControl(w))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        const QString name = a ? a->text(QAccessible::Name) : QString();
        const auto* label = qobject_cast<const QLabel*>(w);
        const auto* button = qobject_cast<const QAbstractButton*>(w);
        const bool textual = (label && label->pixmap().isNull()) || (button && !button->text().isEmpty());
        const QString shown = label    ? label->text()
                              : button ? QString(button->text()).remove(u'&')
                                       : QString();
        if (textual ? name != shown : name.trimmed().isEmpty())
            found << describe(w) + QStringLiteral(" is announced as \"%1\"").arg(name);
    }
    // Only entries of a menu are shown; an action that only carries a shortcut is not.
    for (QAction* action : window->findChildren<QAction*>())
        for (QObject* shownIn : action->associatedObjects())
            if (!action->isSeparator() && QString(action->text()).remove(u'&').trimmed().isEmpty() &&
                (qobject_cast<QMenu*>(shownIn) || qobject_cast<QMenuBar*>(shownIn)))
                found << describe(shownIn) + " entry " + action->objectName();
    return found;
}

QWidget* control(frmVeriVuzeDadeve& window, const char* name) {
    return window.centralWidget()->findChild<QWidget*>(QString::fromLatin1(name));
}

QColor colour(QWidget* w, QPalette::ColorRole role) {
    return w->palette().color(role);
}

// Geometry of every control of the client area, by name.
QMap<QString, QRect> geometries(frmVeriVuzeDadeve& window) {
    QMap<QString, QRect> rects;
    for (QWidget* w : window.centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        rects.insert(w->objectName(), w->geometry());
    return rects;
}

} // namespace

class AccessibleNamesTest : public WindowTest {
    Q_OBJECT
private Q_SLOTS:
    void everyControlIsAnnounced();
    void followsTheWindowSize();
    void switchesLooks();
};

void AccessibleNamesTest::everyControlIsAnnounced() {
    env->drive.copyFixture("tagged-stereo.mp3", "C:\\Music\\a.mp3");
    state->AddEntry(QString("C:\\Music\\a.mp3"));
    env->drive.write("C:\\HL\\vorlak\\titles.txt",
                     "Credits\r\n{\r\n" + QByteArray("A. Demo\r\n").repeated(16));
    env->writeRegistry({{"Software\\Valve\\Half-Life", "InstallPath", "C:\\HL"}});
    window->display.RefreshList(0);
    // Every window the main window opens.
    window->menInfo_Click();
    ShowChange(window);
    ShowAbout(window, false);
    ShowCredits(window, false);

    QStringList windows, wrong;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible())
            continue;
        windows << top->objectName();
        wrong << misnamed(top);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(top);
        if (top != window &&
            (a->role() != QAccessible::Dialog || a->text(QAccessible::Name) != top->windowTitle()))
            wrong << top->objectName() + " is no dialog named by its title";
    }
    wrong.removeDuplicates(); // a window with a parent is met again below it
    for (const char* name : {"frmVeriVuzeDadeve", "frmAttributes", "frmChange", "frmAbout", "frmCredits"})
        QVERIFY2(windows.contains(QLatin1String(name)), qPrintable(windows.join(u' ')));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
    window->close(); // the main window's exit unloads every window it opened
    QVERIFY(!FileInfosWindow() && !ChangeWindow() && !AboutWindow() && !CreditsWindow());
}

// Whatever the size, every control ends where the rules put it for the window as it stands, whose
// size they read right: the playlist keeps 405 twips from the outer right edge and the time field
// sits on half the outer width. The window never gets below its minimum size.
void AccessibleNamesTest::followsTheWindowSize() {
    const WindowLayout& layout = window->windowLayout;
    auto px = [&](int twips) { return layout.toPixels(twips); };
    for (double scale : {1.0, 1.5, 0.2}) {
        window->resize(window->size() / 2); // two changes in a row: the layout follows the last
        window->resize(QSize(px(layout::kDesignClientWidth), px(layout::kDesignClientHeight)) * scale +
                       QSize(0, window->menuBar()->height()));
        QCoreApplication::processEvents();
        const QSize outer = window->frameGeometry().size();
        QVERIFY(outer.width() >= px(layout::kMinOuterWidth) && outer.height() >= px(layout::kMinOuterHeight));
        if (scale >= 1)
            QCOMPARE(window->centralWidget()->width(), qRound(px(layout::kDesignClientWidth) * scale));
        for (const auto& [name, rect] :
             layout::Final(layout::FormResize(layout.currentState())).asKeyValueRange())
            QCOMPARE(control(*window, qPrintable(name))->geometry(),
                     layout::ToPixels(rect, window->logicalDpiX()));
        QVERIFY(qAbs(outer.width() - control(*window, "lstListe")->geometry().right() - 1 - px(405)) <= 1);
        QVERIFY(qAbs(control(*window, "lblZeit")->geometry().center().x() - outer.width() / 2) <= 1);
    }
}

// The old look drops the picture for a light window and shows the editing buttons and white lists;
// switching back restores every control's colours and visibility and moves nothing.
void AccessibleNamesTest::switchesLooks() {
    QWidget* client = window->centralWidget();
    const auto look = [client] {
        QStringList l{colour(client, QPalette::Window).name()};
        for (QWidget* w : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            l << QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(w->objectName(), colour(w, QPalette::Base).name(), colour(w, QPalette::Text).name(),
                          colour(w, QPalette::WindowText).name())
                     .arg(w->isVisible());
        return l;
    };
    const QStringList before = look();
    window->looks.menBlind_Click();
    QVERIFY(window->menBlind->isChecked() && !control(*window, "Image1")->isVisible());
    for (const QString& name : layout::EditingButtons())
        QVERIFY(client->findChild<QWidget*>(name)->isVisible());
    QVERIFY(colour(client, QPalette::Window).lightness() > 180 && client->autoFillBackground());
    QCOMPARE(colour(control(*window, "lstListe"), QPalette::Base), QColor(Qt::white));
    const QMap<QString, QRect> placed = geometries(*window);
    window->looks.menBlind_Click();
    QCOMPARE(look(), before);
    QCOMPARE(geometries(*window), placed);
}

QTEST_MAIN(AccessibleNamesTest)
#include "accessiblenames_test.moc"
