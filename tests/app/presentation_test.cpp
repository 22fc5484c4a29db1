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
const char* const kListBoxes[] = {"lstListe", "Drive1", "Dir1", "File1"};

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
    void oldLayoutWhilePlaying();
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
    for (const char* box : {"Drive1", "Dir1", "File1"}) {
        QVERIFY(qAbs(control(window, box)->width() - list->width()) <= 1); // edges round apart
        QVERIFY(control(window, box)->geometry().right() < list->geometry().left());
    }
    QCOMPARE(control(window, "File1")->geometry().top(),
             control(window, "Dir1")->geometry().bottom() + 1 + px(30));
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
        for (const char* name : kListBoxes) {
            QCOMPARE(colour(control(window, name), QPalette::Base), look.listBase);
            QCOMPARE(colour(control(window, name), QPalette::Text), look.listText);
        }
        QCOMPARE(colour(time, QPalette::WindowText), look.time);
        for (const QString& name : layout::EditingButtons())
            QCOMPARE(window.centralWidget()->findChild<QWidget*>(name)->isVisible(), !look.picture);
    };
    window.looks.ColourListBoxes();
    for (const char* name : kListBoxes)
        QCOMPARE(colour(control(window, name), QPalette::Base), QColor(Qt::black));

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

// Switched while a title plays, the bar stays under the shortened list, white in the old look and
// red in the new.
void PresentationTest::oldLayoutWhilePlaying() {
    WindowSandbox sandbox;
    frmVeriVuzeDadeve& window = sandbox.window;
    const QString entry = QStringLiteral("C:\\Music\\long.mp3");
    sandbox.env.drive.copyFixture(QStringLiteral("long-200s.mp3"), entry);
    sandbox.state.Entries = {entry};
    window.display.RefreshList(0);
    window.player.cmdPlay_Click();
    QWidget* bar = control(window, "shpStrich");
    QWidget* list = control(window, "lstListe");
    for (const QColor& fill : {QColor(Qt::white), QColor(255, 0, 0), QColor(Qt::white)}) {
        window.menBlind->trigger();
        QCoreApplication::processEvents();
        QVERIFY(bar->isVisible());
        QCOMPARE(colour(bar, QPalette::Window), fill);
        QVERIFY(bar->autoFillBackground());
        QCOMPARE(bar->geometry().top(), list->geometry().bottom() + 1);
        QCOMPARE(bar->geometry().left(), list->geometry().left());
    }
    window.player.cmdStop_Click();
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
        if (!isOld)
            continue;
        // The editing buttons in pairs 30 twips apart: three pairs meet around half the client
        // width, "Add" and "Add all" are centred on it together.
        const int middle = window.centralWidget()->width() / 2;
        const int gap = window.windowLayout.toPixels(30);
        const struct {
            const char* left;
            const char* right;
            bool pairCentred;
        } pairs[] = {{"cmdHoch", "cmdHoch2", false},
                     {"cmdRunter", "cmdRunter2", false},
                     {"cmdLoesch", "cmdLeere", false},
                     {"cmdAdd", "cmdAdd2", true}};
        for (const auto& pair : pairs) {
            QWidget* left = control(window, pair.left);
            QWidget* right = control(window, pair.right);
            QVERIFY(left->isVisible() && right->isVisible());
            const QRect l = left->geometry(), r = right->geometry();
            QCOMPARE(l.top(), r.top());
            QVERIFY2(qAbs(r.left() - l.right() - 1 - gap) <= 1, pair.left);
            const int centre =
                pair.pairCentred ? (l.left() + r.right() + 1) / 2 : (l.right() + 1 + r.left()) / 2;
            QVERIFY2(qAbs(centre - middle) <= 1, pair.left);
        }
    }
}

void PresentationTest::fonts_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("family"); // as fontconfig serves it
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    for (const char* name : {"cmdDefault", "cmdOeffnen", "cmdSpeichern", "cmdQuit"})
        QTest::newRow(name) << QString::fromLatin1(name) << QStringLiteral("Liberation Sans") << 9.75 << true;
    for (const QString& name : layout::EditingButtons())
        QTest::newRow(name.toLatin1().constData())
            << name << QStringLiteral("Liberation Sans") << 9.75 << false;
    QTest::newRow("lblProzent") << QStringLiteral("lblProzent") << QStringLiteral("Liberation Mono") << 9.75
                                << true;
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
