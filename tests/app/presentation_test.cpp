// The main window's presentation on real widgets: controls follow the window's size, the two
// looks switch both ways and the stored choice is taken up at start, and the fonts the controls
// name resolve to installed fonts.
#include "app/layout.h"
#include "windowsandbox.h"

#include <QAction>
#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QtTest>

namespace {

const QString kKey = QStringLiteral("Software\\TovrelPro\\RAZ");

QWidget* control(frmVeriVuzeDadeve& window, const char* name) {
    QWidget* w = window.centralWidget()->findChild<QWidget*>(QString::fromLatin1(name));
    if (!w)
        qWarning("no control %s", name);
    return w;
}

QColor colour(QWidget* w, QPalette::ColorRole role) {
    return w->palette().color(role);
}

// Geometry of every control of the client area, by name.
QMap<QString, QRect> geometries(frmVeriVuzeDadeve& window) {
    QMap<QString, QRect> rects;
    for (QWidget* w : window.centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!w->objectName().isEmpty())
            rects.insert(w->objectName(), w->geometry());
    return rects;
}

} // namespace

class PresentationTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void followsTheWindowSize_data();
    void followsTheWindowSize();
    void switchesLooks();
    void oldLayoutAtStart();
    void fonts_data();
    void fonts();
};

void PresentationTest::followsTheWindowSize_data() {
    QTest::addColumn<double>("scale"); // of the design client size
    QTest::newRow("design") << 1.0;
    QTest::newRow("1.5 times") << 1.5;
    QTest::newRow("below the minimum") << 0.2;
}

// Whatever the size, the picture covers the client area, the band runs along its top, the
// playlist keeps 405 twips from the outer right edge, the time field sits on half the outer width
// and the credit in the bottom right corner; the window never gets below its minimum size.
void PresentationTest::followsTheWindowSize() {
    QFETCH(double, scale);
    WindowSandbox sandbox;
    frmVeriVuzeDadeve& window = sandbox.window;
    const WindowLayout& layout = window.windowLayout;
    auto px = [&](int twips) { return layout.toPixels(twips); };
    window.resize(QSize(px(layout::kDesignClientWidth), px(layout::kDesignClientHeight)) * scale +
                  QSize(0, window.menuBar()->height()));
    QCoreApplication::processEvents();

    const QSize outer = window.frameGeometry().size();
    const QRect client = window.centralWidget()->rect();
    QVERIFY(outer.width() >= px(layout::kMinOuterWidth));
    QVERIFY(outer.height() >= px(layout::kMinOuterHeight));
    if (scale >= 1)
        QCOMPARE(client.width(), qRound(px(layout::kDesignClientWidth) * scale));
    QVERIFY(control(window, "Image1")->geometry().contains(client.adjusted(0, px(80), 0, 0)));
    QCOMPARE(control(window, "fraAnzeige")->geometry(), QRect(0, 0, client.width(), px(75)));
    QWidget* list = control(window, "lstListe");
    QVERIFY(qAbs(outer.width() - list->geometry().right() - 1 - px(405)) <= 1);
    QCOMPARE(list->geometry().bottom() + 1, px(layout::ToTwips(outer.height(), window.logicalDpiX()) - 1050));
    QWidget* time = control(window, "lblZeit");
    QVERIFY(qAbs(time->geometry().center().x() - outer.width() / 2) <= 1);
    QWidget* copy = control(window, "lblCopy");
    QCOMPARE(copy->geometry().right(), client.right());
    QCOMPARE(copy->geometry().bottom() + 1, client.bottom() + 1 - px(100));
}

// The old look drops the picture for a light grey window and shows black on white; switching
// back restores the new look's colours and moves nothing.
void PresentationTest::switchesLooks() {
    WindowSandbox sandbox;
    frmVeriVuzeDadeve& window = sandbox.window;
    QWidget* client = window.centralWidget();
    QWidget* list = control(window, "lstListe");
    QWidget* time = control(window, "lblZeit");
    struct Look {
        bool checked;
        bool picture;
        QColor listBase, listText, time;
    };
    const Look looks[] = {{false, true, Qt::black, Qt::white, QColor(0, 255, 0)},
                          {true, false, Qt::white, Qt::black, Qt::black}};
    auto check = [&](const Look& look) {
        QCOMPARE(window.menBlind->isChecked(), look.checked);
        QCOMPARE(control(window, "Image1")->isVisible(), look.picture);
        QCOMPARE(colour(list, QPalette::Base), look.listBase);
        QCOMPARE(colour(list, QPalette::Text), look.listText);
        QCOMPARE(colour(time, QPalette::WindowText), look.time);
    };
    window.ColourListBoxes();
    QCOMPARE(colour(list, QPalette::Base), QColor(Qt::black));

    window.menBlind->trigger();
    check(looks[1]);
    QVERIFY(colour(client, QPalette::Window).lightness() > 180);
    QVERIFY(client->autoFillBackground());
    const QMap<QString, QRect> placed = geometries(window);

    window.menBlind->trigger();
    check(looks[0]);
    QVERIFY(colour(client, QPalette::Window).lightness() < 40);
    QCOMPARE(geometries(window), placed);
}

// The stored choice "1" starts the old look.
void PresentationTest::oldLayoutAtStart() {
    for (const char* old : {"1", "0", "yes"}) {
        AppEnvironment env;
        env.installMod(QStringLiteral("C:\\HL"), true, nullptr);
        env.drive.write(QStringLiteral("C:\\HL\\vorlak\\mp3\\playlist.txt"));
        env.writeRegistry({{QStringLiteral("Software\\Valve\\Half-Life"), QStringLiteral("InstallPath"),
                            QStringLiteral("C:\\HL")},
                           {kKey, QStringLiteral("Opend"), QStringLiteral("1")},
                           {kKey, QStringLiteral("Old"), QString::fromLatin1(old)}});
        ProgramState state;
        frmVeriVuzeDadeve window(state);
        window.startup.Form_Load({});
        const bool isOld = qstrcmp(old, "1") == 0;
        QCOMPARE(window.menBlind->isChecked(), isOld);
        QCOMPARE(control(window, "Image1")->isVisible(), !isOld);
        QCOMPARE(colour(control(window, "lstListe"), QPalette::Base),
                 isOld ? QColor(Qt::white) : QColor(Qt::black));
        QCOMPARE(env.messages.problems(), QStringList());
    }
}

void PresentationTest::fonts_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("family"); // as fontconfig serves it
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    for (const char* name : {"cmdDefault", "cmdOeffnen", "cmdSpeichern", "cmdQuit"})
        QTest::newRow(name) << QString::fromLatin1(name) << QStringLiteral("Liberation Sans") << 9.75 << true;
    QTest::newRow("lblZeit") << QStringLiteral("lblZeit") << QStringLiteral("Liberation Serif") << 12.0
                             << true;
}

void PresentationTest::fonts() {
    QFETCH(QString, control);
    QFETCH(QString, family);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    WindowSandbox sandbox;
    QWidget* w = sandbox.window.centralWidget()->findChild<QWidget*>(control);
    QVERIFY(w);
    const QFontInfo info(w->font());
    QCOMPARE(info.family(), family);
    QCOMPARE(info.bold(), bold);
    QCOMPARE(w->font().pointSizeF(), points);
}

QTEST_MAIN(PresentationTest)
#include "presentation_test.moc"
