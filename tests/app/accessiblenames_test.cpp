// Screen readers and outside test drivers find controls by their accessible names: every control
// of the main window and of every window it opens has one, and so has every menu entry.
#include "mp3info/frmattributes.h"
#include "playlist/playlistbox.h"
#include "windowsandbox.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

namespace {

// A widget path for the failure message: the names of the widget and its parents.
QString describe(const QWidget* w) {
    QStringList parts;
    for (const QObject* o = w; o; o = o->parent())
        parts.prepend(o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className())
                                                : o->objectName());
    return parts.join(u'/');
}

// The parts of a composite control (the list of a combo box, the bars of a scroll area) are named
// by the control.
bool insideCompositeControl(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractScrollArea*>(p) ||
            qobject_cast<const QAbstractSpinBox*>(p))
            return true;
    return false;
}

// A control: a widget the program named, or one the user can reach with the keyboard.
bool isControl(const QWidget* w) {
    const QString name = w->objectName();
    if (name.startsWith(QStringLiteral("qt_")))
        return false;
    return !name.isEmpty() || (w->focusPolicy() != Qt::NoFocus && !insideCompositeControl(w));
}

// The controls and menu entries of a window (shown or not) that have no accessible name.
QStringList unnamed(QWidget* window) {
    QStringList found;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        if (!isControl(w))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
            found << describe(w);
    }
    for (QAction* action : window->findChildren<QAction*>()) {
        if (action->isSeparator() || !QString(action->text()).remove(u'&').trimmed().isEmpty())
            continue;
        // Only entries of a menu are shown; an action that only carries a shortcut is not.
        for (QObject* shownIn : action->associatedObjects())
            if (qobject_cast<QMenu*>(shownIn) || qobject_cast<QMenuBar*>(shownIn)) {
                found << describe(qobject_cast<QWidget*>(shownIn)) + QStringLiteral(" entry ") +
                             action->objectName();
                break;
            }
    }
    return found;
}

} // namespace

class AccessibleNamesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyControlIsNamed();
};

void AccessibleNamesTest::everyControlIsNamed() {
    WindowSandbox sandbox;
    frmVeriVuzeDadeve& main = sandbox.window;
    sandbox.env.drive.copyFixture(QStringLiteral("tagged-stereo.mp3"), QStringLiteral("C:\\Music\\a.mp3"));
    main.state.AddEntry(QStringLiteral("C:\\Music\\a.mp3"));
    sandbox.env.drive.write(QStringLiteral("C:\\HL\\vorlak\\titles.txt"), "Credits\r\n{\r\nA. Demo\r\n}\r\n");
    sandbox.env.writeRegistry(
        {{QStringLiteral("Software\\Valve\\Half-Life"), QStringLiteral("InstallPath"), QStringLiteral("C:\\HL")}});
    main.display.RefreshList(0);

    // Every window the main window opens.
    main.menInfo_Click();
    for (QAction* opens : {main.menFeatures, main.menAbout, main.menCredits})
        opens->trigger();

    QStringList windows;
    QStringList missing;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top != &main && !top->isVisible())
            continue;
        windows << top->objectName();
        missing << unnamed(top);
    }
    missing.removeDuplicates(); // a window with a parent is met again below it
    for (const char* name : {"frmVeriVuzeDadeve", "frmAttributes", "frmChange", "frmAbout", "frmCredits"})
        QVERIFY2(windows.contains(QLatin1String(name)), qPrintable(windows.join(u' ')));
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("without an accessible name: ") + missing.join(u", ")));
}

QTEST_MAIN(AccessibleNamesTest)
#include "accessiblenames_test.moc"
