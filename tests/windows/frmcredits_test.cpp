// The credits window on real widgets: which titles.txt it reads, its messages, the speed bar, the
// states of pause, continue, again and the end, and Help > "Credits" starting afresh in both looks.
// Timer ticks are run by hand; no test waits for time to pass.
#include "app/window/frmVeriVuzeDadeve.h"
#include "appenvironment.h"
#include "windows/frmcredits.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

namespace {

const QString kCS = QStringLiteral("Software\\Valve\\Counterstrike");
const QString kHL = QStringLiteral("Software\\Valve\\Half-Life");

// A titles.txt: other messages, "Credits", one line that is skipped, then "<tag> 1" .. "<tag> count".
QByteArray titles(const char* tag, int count, const char* lineEnd = "\r\n") {
    QByteArray text = QByteArray("GAMETITLE") + lineEnd + "{" + lineEnd + "Credits" + lineEnd + "{" + lineEnd;
    for (int i = 1; i <= count; ++i)
        text += tag + (" " + QByteArray::number(i)) + lineEnd;
    return text;
}

// Lines first .. last of a titles() file, each followed by a line break when ended is set.
QString shown(const char* tag, int first, int last, bool ended) {
    QStringList lines;
    for (int i = first; i <= last; ++i)
        lines.append(QStringLiteral("%1 %2").arg(QLatin1String(tag)).arg(i));
    return lines.join(u'\n') + (ended ? QStringLiteral("\n") : QString());
}

void installTitles(const AppEnvironment& env, const QByteArray& hl, const QByteArray& cs) {
    env.writeRegistry({{kCS, QStringLiteral("InstallPath"), QStringLiteral("C:\\CS")},
                       {kHL, QStringLiteral("InstallPath"), QStringLiteral("C:\\HL")}});
    if (!hl.isNull())
        env.drive.write(QStringLiteral("C:\\HL\\vorlak\\titles.txt"), hl);
    if (!cs.isNull())
        env.drive.write(QStringLiteral("C:\\CS\\vorlak\\titles.txt"), cs);
}

void unloadClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class CreditsWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { UnloadCredits(); }

    void lade_data() {
        QTest::addColumn<QByteArray>("hl");
        QTest::addColumn<QByteArray>("cs");
        QTest::addColumn<QString>("message"); // "" when none
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("stays");
        const QString unknown = QStringLiteral("Unknown error. Please report this message");
        QTest::newRow("Half-Life wins")
            << titles("HL", 20) << titles("CS", 20) << QString() << 0 << shown("HL", 1, 14, true) << true;
        QTest::newRow("Counterstrike only")
            << QByteArray() << titles("CS", 14) << QString() << 0 << shown("CS", 1, 14, true) << true;
        QTest::newRow("LF line ends")
            << titles("HL", 14, "\n") << QByteArray() << QString() << 0 << shown("HL", 1, 14, true) << true;
        QTest::newRow("CR line ends")
            << titles("HL", 14, "\r") << QByteArray() << QString() << 0 << shown("HL", 1, 14, true) << true;
        QTest::newRow("no Credits line")
            << "Credit\r\nCREDITS\r\nCredits \r\n" + titles("x", 20).replace("Credits", "credits")
            << QByteArray() << unknown << 16 << QString() << true;
        QTest::newRow("13 lines after it")
            << titles("HL", 13) << titles("CS", 20) << unknown << 16 << shown("HL", 1, 13, true) << true;
        QTest::newRow("none found") << QByteArray() << QByteArray()
                                    << QStringLiteral("Could not find titles.txt in vorlak dir") << 0
                                    << QString() << false;
    }
    // The file found, the 14 lines shown and the start delay running; or the message, after which
    // the window either stays as it is, without timers, or closes.
    void lade() {
        QFETCH(QByteArray, hl);
        QFETCH(QByteArray, cs);
        QFETCH(QString, message);
        QFETCH(int, style);
        QFETCH(QString, text);
        QFETCH(bool, stays);
        AppEnvironment env;
        installTitles(env, hl, cs);
        if (!message.isEmpty())
            env.messages.expectMsgBox(message, style, QStringLiteral("Error"));
        ShowCredits(nullptr, false);
        frmCredits* window = CreditsWindow();
        QCOMPARE(window->isVisible(), stays);
        QCOMPARE(window->lblAnzeige->text(), text);
        QVERIFY(window->lblAnzeige->sizeHint().height() <= window->lblAnzeige->height()); // no line cut
        QCOMPARE(window->Timer2->isActive(), message.isEmpty());
        QVERIFY(!window->Timer1->isActive());
        QCOMPARE(env.messages.problems(), QStringList());
        unloadClosedWindows();
        QCOMPARE(CreditsWindow() != nullptr, stays);
    }

    // The bar sets the step interval and 7.5 times it as the start delay (ties to even).
    void speedBar() {
        AppEnvironment env;
        installTitles(env, titles("HL", 20), {});
        ShowCredits(nullptr, false);
        frmCredits* w = CreditsWindow();
        const int cases[][3] = {
            {20, 20, 150}, {1000, 1000, 7500}, {21, 21, 158}, {23, 23, 172}, {400, 400, 3000}};
        for (const auto& [value, step, delay] : cases) {
            w->HScroll1->setValue(value);
            QCOMPARE(w->Timer1->interval(), step);
            QCOMPARE(w->Timer2->interval(), delay);
        }
        QVERIFY(w->Timer2->isActive());
    }

    // One run through the states: pause and continue during the start delay and while scrolling,
    // the scroll through the rest of the file, the end, and "Again" from the end and while paused.
    void statesFromStartToEnd() {
        AppEnvironment env;
        installTitles(env, titles("HL", 16) + "Other section\r\nlast", {});
        ShowCredits(nullptr, false);
        frmCredits* w = CreditsWindow();
        const std::function<void()> pause = [w] { QTest::mouseClick(w->cmdPause, Qt::LeftButton); };
        const std::function<void()> resume = [w] { QTest::mouseClick(w->cmdWeiter, Qt::LeftButton); };
        const std::function<void()> again = [w] { QTest::mouseClick(w->cmdNochmal, Qt::LeftButton); };
        const std::function<void()> tick1 = [w] { w->Timer1_Timer(); };
        const std::function<void()> tick2 = [w] { w->Timer2_Timer(); };
        const struct {
            const char* what;
            std::function<void()> act;
            bool step, delay, pauseShown, running; // running: "Pause" and the bar enabled
            QString text;
        } steps[] = {
            {"pause the delay", pause, false, false, false, true, shown("HL", 1, 14, true)},
            {"continue the delay", resume, false, true, true, true, shown("HL", 1, 14, true)},
            {"delay over", tick2, true, false, true, true, shown("HL", 1, 14, true)},
            {"pause the steps", pause, false, false, false, true, shown("HL", 1, 14, true)},
            {"continue the steps", resume, true, false, true, true, shown("HL", 1, 14, true)},
            {"step", tick1, true, false, true, true, shown("HL", 2, 15, false)},
            {"step", tick1, true, false, true, true, shown("HL", 3, 16, false)},
            {"past the credits", tick1, true, false, true, true, shown("HL", 4, 16, true) + "Other section"},
            {"last line", tick1, true, false, true, true, shown("HL", 5, 16, true) + "Other section\nlast"},
            {"end", tick1, false, false, true, false, shown("HL", 5, 16, true) + "Other section\nlast"},
            {"again", again, false, true, true, true, shown("HL", 1, 14, true)},
            {"pause", pause, false, false, false, true, shown("HL", 1, 14, true)},
            {"again while paused", again, false, true, false, true, shown("HL", 1, 14, true)},
        };
        for (const auto& s : steps) {
            s.act();
            QVERIFY2(w->Timer1->isActive() == s.step && w->Timer2->isActive() == s.delay, s.what);
            QVERIFY2(w->cmdPause->isVisible() == s.pauseShown && w->cmdWeiter->isVisible() == !s.pauseShown,
                     s.what);
            QVERIFY2(w->cmdPause->isEnabled() == s.running && w->HScroll1->isEnabled() == s.running, s.what);
            QCOMPARE(w->lblAnzeige->text(), s.text);
        }
        QCOMPARE(env.messages.problems(), QStringList());
    }

    // Unloading stops both timers, and a start-delay tick that was already due starts nothing; an
    // unload while events run inside the load or "Again" ends them quietly.
    void unloadStopsTheTimers() {
        AppEnvironment env;
        installTitles(env, titles("HL", 20), {});
        ShowCredits(nullptr, false);
        QPointer<frmCredits> w = CreditsWindow();
        QTest::mouseClick(w->cmdOK, Qt::LeftButton);
        QVERIFY(!w->isVisible() && !w->Timer2->isActive());
        w->Timer2_Timer();
        QVERIFY(!w->Timer1->isActive());
        unloadClosedWindows();
        QVERIFY(!w && !CreditsWindow());

        QTimer::singleShot(0, [] { UnloadCredits(); });
        ShowCredits(nullptr, false);
        QVERIFY(!CreditsWindow());
        ShowCredits(nullptr, false);
        QTimer::singleShot(0, [] { UnloadCredits(); });
        CreditsWindow()->cmdNochmal_Click();
        QVERIFY(!CreditsWindow());
        QCOMPARE(env.messages.problems(), QStringList());
    }

    void menuStartsAfresh_data() {
        QTest::addColumn<bool>("oldLayout");
        QTest::newRow("new layout") << false;
        QTest::newRow("old layout") << true;
    }
    // Help > "Credits" (F3) again replaces the open window by one that starts from the top; the
    // look follows the main window's "Old layout"; the exit unloads the window.
    void menuStartsAfresh() {
        QFETCH(bool, oldLayout);
        AppEnvironment env;
        installTitles(env, titles("HL", 20), {});
        ProgramState state;
        frmVeriVuzeDadeve main(state);
        main.menBlind->setChecked(oldLayout);
        main.menCredits->trigger();
        QPointer<frmCredits> first = CreditsWindow();
        QVERIFY(first && first->isVisible());
        QCOMPARE(first->Image1->isVisible(), !oldLayout);
        const QColor colour = oldLayout ? QColor(0, 0, 0) : QColor(255, 0, 0);
        QCOMPARE(first->lblAnzeige->palette().color(QPalette::WindowText), colour);
        QCOMPARE(first->Label1->palette().color(QPalette::WindowText), colour);
        first->Timer2_Timer();
        first->Timer1_Timer();
        QCOMPARE(first->lblAnzeige->text(), shown("HL", 2, 15, false));

        main.menCredits->trigger();
        QVERIFY(!first);
        QVERIFY(CreditsWindow()->isVisible());
        QCOMPARE(CreditsWindow()->lblAnzeige->text(), shown("HL", 1, 14, true));
        QVERIFY(CreditsWindow()->Timer2->isActive());
        main.close();
        QVERIFY(!CreditsWindow());
        QCOMPARE(env.messages.problems(), QStringList());
    }
};

QTEST_MAIN(CreditsWindowTest)
#include "frmcredits_test.moc"
