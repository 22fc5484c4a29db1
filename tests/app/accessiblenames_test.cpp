// Screen readers and outside test drivers find controls by their accessible names. Every visible
// control of the main window and of every window it opens is announced by the text it shows, or,
// when it shows no text of its own, by a descriptive name; a label that shows nothing has no name.
// The auxiliary windows are announced as dialogs named by their titles.
#include "mp3info/window/frmattributes.h"
#include "playlist/window/playlistbox.h"
#include "windowsandbox.h"

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

// The text a control shows of its own; nothing for controls without text (pictures, lists, bars,
// image buttons).
std::optional<QString> shownText(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return label->pixmap().isNull() ? std::optional(label->text()) : std::nullopt;
    if (const auto* button = qobject_cast<const QAbstractButton*>(w); button && !button->text().isEmpty())
        return QString(button->text()).remove(u'&');
    return std::nullopt;
}

// What is wrong with the names of a window's visible controls and menu entries.
QStringList misnamed(QWidget* window) {
    QStringList found;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || !isControl(w))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        const QString name = a ? a->text(QAccessible::Name) : QString();
        const std::optional<QString> shown = shownText(w);
        if (shown ? name != *shown : name.trimmed().isEmpty())
            found << describe(w) + QStringLiteral(" is announced as \"%1\"").arg(name);
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
    void everyControlIsAnnounced();
};

void AccessibleNamesTest::everyControlIsAnnounced() {
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
    QStringList wrong;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible())
            continue;
        windows << top->objectName();
        wrong << misnamed(top);
        if (top == &main)
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(top);
        if (a->role() != QAccessible::Dialog || a->text(QAccessible::Name) != top->windowTitle())
            wrong << top->objectName() + QStringLiteral(" is no dialog named by its title");
    }
    wrong.removeDuplicates(); // a window with a parent is met again below it
    for (const char* name : {"frmVeriVuzeDadeve", "frmAttributes", "frmChange", "frmAbout", "frmCredits"})
        QVERIFY2(windows.contains(QLatin1String(name)), qPrintable(windows.join(u' ')));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
}

QTEST_MAIN(AccessibleNamesTest)
#include "accessiblenames_test.moc"
