// The main window's presentation on real widgets: controls follow the window's size, the two
// looks switch both ways. Where the rules put each control is tested on the rules themselves, the
// stored look taken up at start with the startup.
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

QTEST_MAIN(PresentationTest)
#include "presentation_test.moc"
