// The main window's presentation on real widgets: controls follow the window's size, the two
// looks switch both ways and the stored choice is taken up at start. Where the rules put each
// control is tested on the rules themselves.
#include "app/layout.h"
#include "windowtest.h"

#include <QAction>
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
};

// Whatever the size, every control ends where the rules put it for the window as it stands, whose
// size they read right: the playlist keeps 405 twips from the outer right edge and the time field
// sits on half the outer width. The window never gets below its minimum size.
void PresentationTest::followsTheWindowSize() {
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

QTEST_MAIN(PresentationTest)
#include "presentation_test.moc"
