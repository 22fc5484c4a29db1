// The about window in both looks, the Help menu and its keys, GotoURL through a fake URL handler,
// the exit unloading the auxiliary windows, and an accessible name on every control.
#include "app/window/frmVeriVuzeDadeve.h"
#include "appenvironment.h"
#include "windows/frmabout.h"
#include "windows/frmchange.h"
#include "windows/frmcredits.h"
#include "windows/modgotourl.h"

#include <QAction>
#include <QDesktopServices>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

// Stands in for the browser: records each address and whether the busy pointer was on.
class FakeBrowser : public QObject {
    Q_OBJECT
public:
    QStringList opened;
    QList<bool> busy;
public Q_SLOTS:
    void open(const QUrl& url) {
        opened.append(url.toString());
        busy.append(QGuiApplication::overrideCursor() &&
                    QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor);
    }
};

class AboutWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() {
        UnloadAbout();
        UnloadCredits();
        UnloadChange();
    }

    void aboutText_data() {
        QTest::addColumn<bool>("oldLayout");
        QTest::newRow("new layout") << false;
        QTest::newRow("old layout") << true;
    }
    // The eight lines in red "Fixedsys" (Terminus) over the picture, or black on the plain window;
    // the emblem centred; OK unloads the window.
    void aboutText() {
        QFETCH(bool, oldLayout);
        ProgramState state;
        frmVeriVuzeDadeve main(state);
        main.menBlind->setChecked(oldLayout);
        main.menAbout->trigger();
        QPointer<frmAbout> w = AboutWindow();
        QVERIFY(w && w->isVisible() && !w->isModal());
        QCOMPARE(w->windowTitle(), "About Vorlak Verivuze Dadeve");
        const QStringList lines = w->lblAnzeige->text().split(u'\n');
        QCOMPARE(lines.size(), 8);
        const QStringList fixed = {"", "Vorlak Legends Verivuze Dadeve", "", "Version 2.2", "", "", ""};
        for (int i : {0, 1, 2, 3, 4, 6})
            QCOMPARE(lines[i], fixed[i]);
        QVERIFY(lines[5].contains("2004") && lines[7].size() > 10);
        QCOMPARE(w->lblAnzeige->palette().color(QPalette::WindowText),
                 oldLayout ? QColor(0, 0, 0) : QColor(255, 0, 0));
        QCOMPARE(w->Image1->isVisible(), !oldLayout);
        QCOMPARE(w->Image1->geometry(), w->rect());
        QCOMPARE(w->Picture1->x(), (w->width() - w->Picture1->width()) / 2);

        const QFontInfo font(w->lblAnzeige->font());
        QCOMPARE(font.family(), "Terminus");
        QVERIFY(font.fixedPitch());
        QCOMPARE(font.pixelSize(), 12);
        const QFontMetrics metrics(w->lblAnzeige->font());
        for (const QString& line : lines)
            QVERIFY(metrics.horizontalAdvance(line) <= w->lblAnzeige->width());
        QVERIFY(metrics.lineSpacing() * 8 <= w->lblAnzeige->height());

        QTest::mouseClick(w->cmdOK, Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w && !AboutWindow());
    }

    // "&Help" is the last menu of the bar: Features, a separator, About (F1), Credits (F3), Vorlak
    // Site. The keys open their windows; the exit unloads all three auxiliary windows.
    void helpMenuAndExit() {
        AppEnvironment env;
        ProgramState state;
        frmVeriVuzeDadeve main(state);
        const QList<QAction*> bar = main.menuBar()->actions();
        QCOMPARE(bar.last()->text(), "&Help");
        QStringList entries;
        for (QAction* a : bar.last()->menu()->actions())
            entries.append(a->isSeparator() ? "-" : a->text() + " " + a->shortcut().toString());
        QCOMPARE(entries, QStringList({"Features ", "-", "About F1", "Credits F3", "Vorlak Site "}));

        main.show();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QTest::keyClick(&main, Qt::Key_F1);
        QVERIFY(AboutWindow() && AboutWindow()->isVisible());
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        env.messages.expectMsgBox("Could not find titles.txt in vorlak dir", vbOKOnly, "Error");
        QTest::keyClick(&main, Qt::Key_F3);
        QVERIFY(CreditsWindow() && !CreditsWindow()->isVisible());
        main.menFeatures->trigger();
        QVERIFY(ChangeWindow());
        main.close();
        QVERIFY(!AboutWindow() && !CreditsWindow() && !ChangeWindow());
        QCOMPARE(env.messages.problems(), QStringList());
    }

    void gotoUrl_data() {
        QTest::addColumn<QString>("stored"); // the registry value, null when missing
        QTest::addColumn<QString>("opened");
        QTest::newRow("default") << QString() << kDefaultVorlakSite;
        QTest::newRow("blank") << QStringLiteral("  ") << kDefaultVorlakSite;
        QTest::newRow("stored") << QStringLiteral("https://vorlak.example.org/home")
                                << QStringLiteral("https://vorlak.example.org/home");
        QTest::newRow("no scheme") << QStringLiteral("vorlak.example.org")
                                   << QStringLiteral("http://vorlak.example.org");
    }
    // "Vorlak Site" opens the stored address, else the default, under the busy pointer, which is
    // restored; an address that cannot be opened shows nothing and restores the pointer too.
    void gotoUrl() {
        QFETCH(QString, stored);
        QFETCH(QString, opened);
        AppEnvironment env;
        if (!stored.isNull())
            env.writeRegistry({{"Software\\TovrelPro\\RAZ", "VorlakSite", stored}});
        FakeBrowser browser;
        for (const char* scheme : {"http", "https"})
            QDesktopServices::setUrlHandler(scheme, &browser, "open");
        ProgramState state;
        frmVeriVuzeDadeve main(state);
        main.menWeb->trigger();
        QCOMPARE(browser.opened, QStringList{opened});
        QCOMPARE(browser.busy, QList<bool>{true});
        QVERIFY(!QGuiApplication::overrideCursor());
        GotoURL(QString());
        QCOMPARE(browser.opened.size(), 1);
        QVERIFY(!QGuiApplication::overrideCursor());
        for (const char* scheme : {"http", "https"})
            QDesktopServices::unsetUrlHandler(scheme);
        QCOMPARE(env.messages.calls().size(), 0);
    }
};

QTEST_MAIN(AboutWindowTest)
#include "frmabout_test.moc"
