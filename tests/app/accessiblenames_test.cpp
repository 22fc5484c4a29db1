// Screen readers and outside test drivers find controls by their accessible names. Every visible
// control of the main window and of every window it opens is announced by the text it shows, or,
// when it shows no text of its own, by a descriptive name; a label that shows nothing has no name.
// The auxiliary windows are announced as dialogs named by their titles, and unloaded by the main
// window's exit.
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

} // namespace

class AccessibleNamesTest : public WindowTest {
    Q_OBJECT
private Q_SLOTS:
    void everyControlIsAnnounced();
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

QTEST_MAIN(AccessibleNamesTest)
#include "accessiblenames_test.moc"
