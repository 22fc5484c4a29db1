// The new-features and credits windows on real widgets, opened as the Help menu opens them
// (its routing is tested with the main window), and the site address. Timer ticks are run by hand;
// no test waits for time to pass.
#include "windows/frmchange.h"
#include "windows/frmcredits.h"
#include "windows/modgotourl.h"
#include "windowtest.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

namespace {

// A titles.txt: other messages, "Credits", one line that is skipped, then "<tag> 1" .. "<tag> count".
QByteArray titles(const char* tag, int count) {
    QByteArray text = "GAMETITLE\r\n{\r\nCredits\r\n{\r\n";
    for (int i = 1; i <= count; ++i)
        text += tag + (" " + QByteArray::number(i)) + "\r\n";
    return text;
}

// Lines first .. last of a titles() file, each followed by a line break when ended is set.
QString lines(const char* tag, int first, int last, bool ended) {
    QStringList shown;
    for (int i = first; i <= last; ++i)
        shown.append(QStringLiteral("%1 %2").arg(QLatin1String(tag)).arg(i));
    return shown.join(u'\n') + (ended ? QStringLiteral("\n") : QString());
}

void unloadClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class AuxWindowsTest : public WindowTest {
    Q_OBJECT
    // Half-Life's titles.txt (and Counterstrike's, when not null).
    void installTitles(const QByteArray& hl, const QByteArray& cs = {}) {
        env->writeRegistry({{"Software\\Valve\\Counterstrike", "InstallPath", "C:\\CS"},
                            {"Software\\Valve\\Half-Life", "InstallPath", "C:\\HL"}});
        if (!hl.isNull())
            env->drive.write(QStringLiteral("C:\\HL\\vorlak\\titles.txt"), hl);
        if (!cs.isNull())
            env->drive.write(QStringLiteral("C:\\CS\\vorlak\\titles.txt"), cs);
    }

private Q_SLOTS:
    // The stored site address, trimmed, unless it is blank (the default is opened by the routing test).
    void siteAddress() {
        for (const auto& [stored, address] :
             {std::pair<QString, QString>{"  ", kDefaultVorlakSite},
              {" https://vorlak.example.org ", "https://vorlak.example.org"}}) {
            env->writeRegistry({{"Software\\TovrelPro\\RAZ", "VorlakSite", stored}});
            QCOMPARE(VorlakSiteAddress(), address);
        }
    }

    // The new features: every line fits the label's width and the text fills about its height; the
    // strip covers the label below its top. Dragging the thumb moves the text while the button is
    // still down; at the end of the range the label's bottom meets the strip. Opening it again
    // keeps the place; OK unloads the window, and the next opening shows the text from its top.
    void features() {
        ShowChange(window);
        QPointer<frmChange> w = ChangeWindow();
        QVERIFY(w->isVisible());
        const QFontMetrics metrics(w->lblAnzeige->font());
        for (const QString& line : w->lblAnzeige->text().split(u'\n'))
            QVERIFY2(metrics.horizontalAdvance(line) <= w->lblAnzeige->width(), qPrintable(line));
        const int textHeight = w->lblAnzeige->sizeHint().height();
        QVERIFY(textHeight <= w->lblAnzeige->height() && textHeight > w->lblAnzeige->height() * 8 / 10);
        QVERIFY(w->Picture1->isVisible() && w->childAt(w->Picture1->geometry().center()) != w->lblAnzeige);
        w->VScroll1->setSliderDown(true); // the thumb held, as a drag does
        for (const int position : {10, 20, 60}) {
            w->VScroll1->setSliderPosition(position);
            QCOMPARE(w->lblAnzeige->y(), -position);
        }
        w->VScroll1->setSliderDown(false);
        w->VScroll1->triggerAction(QScrollBar::SliderToMaximum);
        QCOMPARE(w->lblAnzeige->geometry().bottom() + 1, w->Picture1->y());
        ShowChange(window); // the open window comes to the front as it is
        QVERIFY(ChangeWindow() == w && w->lblAnzeige->y() < 0);
        QTest::mouseClick(w->cmdOK, Qt::LeftButton);
        unloadClosedWindows();
        QVERIFY(!w && !ChangeWindow());
        ShowChange(window);
        QCOMPARE(ChangeWindow()->VScroll1->value(), 0);
        QCOMPARE(ChangeWindow()->lblAnzeige->y(), 4);
    }

    // The credits' file found, the 14 lines shown and the start delay running; or the message,
    // after which the window either stays as it is, without timers, or closes.
    void creditsLoad() {
        const QString unknown = QStringLiteral("Unknown error. Please report this message");
        // "Credits" only in other spellings.
        const QByteArray noCredits =
            "Credit\r\nCREDITS\r\nCredits \r\n" + titles("x", 20).replace("Credits", "credits");
        const struct {
            QByteArray hl, cs; // null: no file
            QString message;   // "" none
            int style;
            QString text;
            bool stays;
        } cases[] = {
            {titles("HL", 20), titles("CS", 20), "", 0, lines("HL", 1, 14, true), true},
            {{}, titles("CS", 14), "", 0, lines("CS", 1, 14, true), true},
            {noCredits, {}, unknown, vbCritical, "", true},
            {titles("HL", 13), titles("CS", 20), unknown, vbCritical, lines("HL", 1, 13, true), true},
            {{}, {}, "Could not find titles.txt in vorlak dir", vbOKOnly, "", false},
        };
        for (const auto& c : cases) {
            tearDown();
            setUp();
            installTitles(c.hl, c.cs);
            if (!c.message.isEmpty())
                env->messages.expectMsgBox(c.message, c.style, QStringLiteral("Error"));
            ShowCredits(window, false);
            frmCredits* w = CreditsWindow();
            QCOMPARE(w->isVisible(), c.stays);
            QCOMPARE(w->lblAnzeige->text(), c.text);
            QVERIFY(w->lblAnzeige->sizeHint().height() <= w->lblAnzeige->height()); // no line cut
            QCOMPARE(w->Timer2->isActive(), c.message.isEmpty());
            QVERIFY(!w->Timer1->isActive());
            unloadClosedWindows();
            QCOMPARE(CreditsWindow() != nullptr, c.stays);
        }
    }

    // One run through the credits' states: pause and continue during the start delay and while
    // scrolling, the scroll through the rest of the file, the end, and "Again" from the end and
    // while paused.
    void creditsStates() {
        installTitles(titles("HL", 16) + "Other section\r\nlast");
        ShowCredits(window, false);
        frmCredits* w = CreditsWindow();
        // The buttons are clicked, as their wiring is the window's own; the timers tick by hand.
        const auto click = [](QPushButton* b) { return [b] { QTest::mouseClick(b, Qt::LeftButton); }; };
        const std::function<void()> pause = click(w->cmdPause), resume = click(w->cmdWeiter),
                                    again = click(w->cmdNochmal), tick1 = [w] { w->Timer1_Timer(); },
                                    tick2 = [w] { w->Timer2_Timer(); };
        const QString start = lines("HL", 1, 14, true),
                      end = lines("HL", 5, 16, true) + "Other section\nlast";
        const struct {
            const char* what;
            std::function<void()> act;
            bool step, delay, pauseShown, running; // running: "Pause" and the bar enabled
            QString text;
        } steps[] = {
            {"pause the delay", pause, false, false, false, true, start},
            {"continue the delay", resume, false, true, true, true, start},
            {"delay over", tick2, true, false, true, true, start},
            {"pause the steps", pause, false, false, false, true, start},
            {"continue the steps", resume, true, false, true, true, start},
            {"step", tick1, true, false, true, true, lines("HL", 2, 15, false)},
            {"step", tick1, true, false, true, true, lines("HL", 3, 16, false)},
            {"past the credits", tick1, true, false, true, true, lines("HL", 4, 16, true) + "Other section"},
            {"last line", tick1, true, false, true, true, end},
            {"end", tick1, false, false, true, false, end},
            {"again", again, false, true, true, true, start},
            {"pause", pause, false, false, false, true, start},
            {"again while paused", again, false, true, false, true, start},
        };
        for (const auto& s : steps) {
            s.act();
            QVERIFY2(w->Timer1->isActive() == s.step && w->Timer2->isActive() == s.delay, s.what);
            QVERIFY2(w->cmdPause->isVisible() == s.pauseShown && w->cmdWeiter->isVisible() == !s.pauseShown,
                     s.what);
            QVERIFY2(w->cmdPause->isEnabled() == s.running && w->HScroll1->isEnabled() == s.running, s.what);
            QCOMPARE(w->lblAnzeige->text(), s.text);
        }
    }

    // Unloading the credits stops both timers, and a start-delay tick that was already due starts
    // nothing; an unload while events run inside the load or "Again" ends them quietly.
    void creditsUnload() {
        installTitles(titles("HL", 20));
        ShowCredits(window, false);
        QPointer<frmCredits> w = CreditsWindow();
        QTest::mouseClick(w->cmdOK, Qt::LeftButton);
        QVERIFY(!w->isVisible() && !w->Timer2->isActive());
        w->Timer2_Timer();
        QVERIFY(!w->Timer1->isActive());
        unloadClosedWindows();
        QVERIFY(!w && !CreditsWindow());

        QTimer::singleShot(0, [] { UnloadCredits(); });
        ShowCredits(window, false);
        QVERIFY(!CreditsWindow());
        ShowCredits(window, false);
        QTimer::singleShot(0, [] { UnloadCredits(); });
        CreditsWindow()->cmdNochmal_Click();
        QVERIFY(!CreditsWindow());
    }

    // Opening the credits again replaces the open window by one that starts from the top; the look
    // follows the main window's "Old layout". The speed bar sets the step interval and 7.5 times it
    // as the start delay, ties to even.
    void creditsReopen() {
        installTitles(titles("HL", 20));
        for (const bool oldLayout : {false, true}) {
            ShowCredits(window, oldLayout);
            QPointer<frmCredits> first = CreditsWindow();
            QCOMPARE(first->Image1->isVisible(), !oldLayout);
            first->HScroll1->setValue(oldLayout ? 23 : 21);
            QCOMPARE(first->Timer1->interval(), oldLayout ? 23 : 21);
            QCOMPARE(first->Timer2->interval(), oldLayout ? 172 : 158);
            first->Timer2_Timer();
            first->Timer1_Timer();
            QCOMPARE(first->lblAnzeige->text(), lines("HL", 2, 15, false));
            ShowCredits(window, oldLayout);
            QVERIFY(!first && CreditsWindow()->isVisible() && CreditsWindow()->Timer2->isActive());
            QCOMPARE(CreditsWindow()->lblAnzeige->text(), lines("HL", 1, 14, true));
        }
    }
};

QTEST_MAIN(AuxWindowsTest)
#include "auxwindows_test.moc"
