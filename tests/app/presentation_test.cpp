// The main window's presentation on real widgets: controls follow the window's size, the two
// looks switch both ways. Where the rules put each control is tested on the rules themselves, the
// stored look taken up at start with the startup.
#include "app/layout.h"
#include "windowtest.h"

#include <QAction>
#include <QMenuBar>
#include <QtTest>

namespace {

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

// The old look drops the picture for a light window and shows the editing buttons and white lists;
// switching back restores every control's colours and visibility and moves nothing.
void PresentationTest::switchesLooks() {
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

QTEST_MAIN(PresentationTest)
#include "presentation_test.moc"
