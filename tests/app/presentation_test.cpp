// The main window's presentation on real widgets: controls follow the window's size, the two
// looks switch both ways and the stored choice is taken up at start, and the fonts the controls
// name resolve to installed fonts.
#include "app/layout.h"
#include "windowtest.h"

#include <QAction>
#include <QFontInfo>
#include <QMenuBar>
#include <QtTest>

namespace {

const char* const kListBoxes[] = {"lstListe", "Drive1", "Dir1", "File1"};

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

class PresentationTest : public WindowTest {
    Q_OBJECT
private Q_SLOTS:
    void followsTheWindowSize();
    void switchesLooks();
    void oldLayoutWhilePlaying();
    void oldLayoutAtStart();
    void fontsAreInstalled();
};

// Whatever the size, the picture covers the client area, the band runs along its top, the
// playlist keeps 405 twips from the outer right edge, the time field sits on half the outer width
// and the credit in the bottom right corner; the window never gets below its minimum size.
void PresentationTest::followsTheWindowSize() {
    const WindowLayout& layout = window->windowLayout;
    auto px = [&](int twips) { return layout.toPixels(twips); };
    for (double scale : {1.0, 1.5, 0.2}) {
        window->resize(window->size() / 2); // two changes in a row: the layout follows the last
        window->resize(QSize(px(layout::kDesignClientWidth), px(layout::kDesignClientHeight)) * scale +
                       QSize(0, window->menuBar()->height()));
        QCoreApplication::processEvents();
        const QSize outer = window->frameGeometry().size();
        const QRect client = window->centralWidget()->rect();
        QVERIFY(outer.width() >= px(layout::kMinOuterWidth));
        QVERIFY(outer.height() >= px(layout::kMinOuterHeight));
        if (scale >= 1)
            QCOMPARE(client.width(), qRound(px(layout::kDesignClientWidth) * scale));
        QVERIFY(control(*window, "Image1")->geometry().contains(client.adjusted(0, px(80), 0, 0)));
        QCOMPARE(control(*window, "fraAnzeige")->geometry(), QRect(0, 0, client.width(), px(75)));
        QWidget* list = control(*window, "lstListe");
        QVERIFY(qAbs(outer.width() - list->geometry().right() - 1 - px(405)) <= 1);
        for (const char* box : {"Drive1", "Dir1", "File1"}) {
            QVERIFY(qAbs(control(*window, box)->width() - list->width()) <= 1); // edges round apart
            QVERIFY(control(*window, box)->geometry().right() < list->geometry().left());
        }
        QCOMPARE(control(*window, "File1")->geometry().top(),
                 control(*window, "Dir1")->geometry().bottom() + 1 + px(30));
        QCOMPARE(list->geometry().bottom() + 1,
                 px(layout::ToTwips(outer.height(), window->logicalDpiX()) - 1050));
        QVERIFY(qAbs(control(*window, "lblZeit")->geometry().center().x() - outer.width() / 2) <= 1);
        QWidget* copy = control(*window, "lblCopy");
        QCOMPARE(copy->geometry().right(), client.right());
        QCOMPARE(copy->geometry().bottom() + 1, client.bottom() + 1 - px(100));
    }
}

// The old look drops the picture for a light grey window, shows black on white and the editing
// buttons; switching back restores the new look's colours and moves nothing.
void PresentationTest::switchesLooks() {
    QWidget* client = window->centralWidget();
    const struct {
        bool old;
        QColor listBase, listText, time;
    } looks[] = {{true, Qt::white, Qt::black, Qt::black}, {false, Qt::black, Qt::white, QColor(0, 255, 0)}};
    window->looks.ColourListBoxes();
    for (const char* name : kListBoxes)
        QCOMPARE(colour(control(*window, name), QPalette::Base), QColor(Qt::black));
    QMap<QString, QRect> placed;
    for (const auto& look : looks) {
        window->looks.menBlind_Click();
        QCOMPARE(window->menBlind->isChecked(), look.old);
        QCOMPARE(control(*window, "Image1")->isVisible(), !look.old);
        for (const char* name : kListBoxes) {
            QCOMPARE(colour(control(*window, name), QPalette::Base), look.listBase);
            QCOMPARE(colour(control(*window, name), QPalette::Text), look.listText);
        }
        QCOMPARE(colour(control(*window, "lblZeit"), QPalette::WindowText), look.time);
        for (const QString& name : layout::EditingButtons())
            QCOMPARE(client->findChild<QWidget*>(name)->isVisible(), look.old);
        QCOMPARE(colour(client, QPalette::Window).lightness() > 180, look.old);
        QVERIFY(look.old ? client->autoFillBackground() : colour(client, QPalette::Window).lightness() < 40);
        if (look.old)
            placed = geometries(*window);
    }
    QCOMPARE(geometries(*window), placed);
}

// Switched while a title plays, the bar stays under the shortened list, white in the old look and
// red in the new.
void PresentationTest::oldLayoutWhilePlaying() {
    const QString entry = "C:\\Music\\long.mp3";
    env->drive.copyFixture("long-200s.mp3", entry);
    state->Entries = {entry};
    window->display.RefreshList(0);
    window->player.cmdPlay_Click();
    QWidget* bar = control(*window, "shpStrich");
    QWidget* list = control(*window, "lstListe");
    for (const QColor& fill : {QColor(Qt::white), QColor(255, 0, 0), QColor(Qt::white)}) {
        window->looks.menBlind_Click();
        QCoreApplication::processEvents();
        QVERIFY(bar->isVisible());
        QCOMPARE(colour(bar, QPalette::Window), fill);
        QVERIFY(bar->autoFillBackground());
        QCOMPARE(bar->geometry().top(), list->geometry().bottom() + 1);
        QCOMPARE(bar->geometry().left(), list->geometry().left());
    }
    window->player.cmdStop_Click();
}

// The stored choice "1", and only that, starts the old look with its editing buttons.
void PresentationTest::oldLayoutAtStart() {
    const QString key = "Software\\TovrelPro\\RAZ";
    env->installMod("C:\\HL", true, nullptr);
    env->drive.write("C:\\HL\\vorlak\\mp3\\playlist.txt");
    for (const char* old : {"1", "0", "yes"}) {
        env->writeRegistry({{"Software\\Valve\\Half-Life", "InstallPath", "C:\\HL"},
                            {key, "Opend", "1"},
                            {key, "Old", QString::fromLatin1(old)}});
        ProgramState startedState;
        frmVeriVuzeDadeve started(startedState);
        started.startup.Form_Load({});
        const bool isOld = qstrcmp(old, "1") == 0;
        QCOMPARE(started.menBlind->isChecked(), isOld);
        QCOMPARE(control(started, "Image1")->isVisible(), !isOld);
        QCOMPARE(control(started, "cmdHoch")->isVisible(), isOld);
        QCOMPARE(colour(control(started, "lstListe"), QPalette::Base),
                 isOld ? QColor(Qt::white) : QColor(Qt::black));
    }
}

// The fonts the window names (Arial, Times New Roman, Courier New) are served by the installed
// metric-compatible ones.
void PresentationTest::fontsAreInstalled() {
    const struct {
        const char* control;
        const char* family;
    } cases[] = {{"cmdDefault", "Liberation Sans"},
                 {"cmdHoch", "Liberation Sans"},
                 {"lblZeit", "Liberation Serif"},
                 {"lblProzent", "Liberation Mono"}};
    for (const auto& c : cases)
        QCOMPARE(QFontInfo(control(*window, c.control)->font()).family(), QLatin1String(c.family));
}

QTEST_MAIN(PresentationTest)
#include "presentation_test.moc"
