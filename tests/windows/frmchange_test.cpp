// The new-features window on real widgets: its text character for character, the scroll range,
// the text following the thumb while it is dragged, a fresh start after OK, and the first start.
#include "app/window/frmVeriVuzeDadeve.h"
#include "appenvironment.h"
#include "windows/frmchange.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {

// The 52 lines as the label shows them (line 16 with one ampersand).
const char* const kFeatures = R"(                                    Verivuzedadeve is now made by Tovrel

Layout
- Added new background
- White font and black background
- Old layout choosable
- Most buttons removed, because there is no need of them anymore

MP3
- Verivuzedadeve is able to play mp3s
- Added Start, Stop, Next song and Previous song buttons
- Doubleclicking on a mp3 will play it
- Fileinfo shows several fileattributes
- MP3-tag support

Drag&Drop
- Add mp3s by dragging and dropping them in the playlist box (from other list and explorer)
- Change the position of an mp3 on the playlist by dragging it up or down

Keyshorcuts
- Ctrl + O: Open playlist
- Ctrl + Q: Quit the verivuzedadeve
- Ctrl + R: Restore default Vorlak-playlist
- Ctrl + S: Save current playlist
- F1: Show about
- F3: Show Credits
- Shortcuts in playlist
    - Return: Play/ Stops selected file
    - Del: Removes selected file
    - Up-arrow: Selects previous entry
    - Down-arrow: Selects next entry
    - Num2: Move selected entry one step down
    - Num3: Move selected entry to the bottom
    - Num8: Move selected entry one step up
    - Num9: Move selected entry to the top

Others
- Vorlak-credits available
- Added right-click menus
    - Play file
    - Show fileinfos
    - Sorting/ Mixing playlist
    - View
        - All
        - Filename
        - MP3-tag
    - Show double entries
- Open-dialog shows txts and m3us at same time
- Program checks if mp3s still exist
- You can add a mp3 by typing its filename (with complete folder)
- On quitting, it checks if the playlist has changed
- Settings become saved in registry)";

} // namespace

class FeaturesWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { UnloadChange(); }

    // The text, character for character, fits the label's width and fills about its height; the
    // strip covers the label below its top; the scroll range ends with the label's bottom there.
    void textAndScrollRange() {
        ShowChange(nullptr);
        frmChange* w = ChangeWindow();
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), "Changelog");
        const QStringList lines = w->lblAnzeige->text().split(u'\n');
        QCOMPARE(lines.size(), 52);
        QCOMPARE(lines, QString::fromLatin1(kFeatures).split(u'\n'));
        const QFontMetrics metrics(w->lblAnzeige->font());
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line) <= w->lblAnzeige->width(), qPrintable(line));
        const int textHeight = w->lblAnzeige->sizeHint().height();
        QVERIFY2(textHeight <= w->lblAnzeige->height() && textHeight > w->lblAnzeige->height() * 8 / 10,
                 qPrintable(QString::number(textHeight)));
        QCOMPARE(w->VScroll1->maximum(), 353);
        QVERIFY(w->Picture1->isVisible() && w->childAt(w->Picture1->geometry().center()) != w->lblAnzeige);
        QCOMPARE(w->cmdOK->geometry().center().x(), w->width() / 2);
    }

    // The range rule: rounded to the nearest, ties to even, held to 16 bits.
    void scrollMaximum() {
        const struct {
            int label, strip;
            double twipsPerPixel;
            int maximum;
        } cases[] = {
            {9315, 4020, 15, 353}, {9315, 4020, 12, 441},  {9315, 4020, 10, 530},
            {9305, 4020, 10, 528}, {4020, 9315, 15, -353}, {2000000, 0, 15, 32767},
        };
        for (const auto& c : cases)
            QCOMPARE(FeatureScrollMaximum(c.label, c.strip, c.twipsPerPixel), c.maximum);
    }

    // Dragging the thumb moves the text while the button is still down; OK unloads the window,
    // and the next opening shows the text from its first line.
    void dragAndReopen() {
        ShowChange(nullptr);
        QPointer<frmChange> w = ChangeWindow();
        w->VScroll1->setSliderDown(true); // the thumb held, as a drag does
        for (int position : {10, 20, 60}) {
            w->VScroll1->setSliderPosition(position);
            QCOMPARE(w->lblAnzeige->y(), -position);
        }
        w->VScroll1->setSliderDown(false);
        w->VScroll1->triggerAction(QScrollBar::SliderToMaximum);
        QCOMPARE(w->lblAnzeige->y(), -353);
        QCOMPARE(w->lblAnzeige->geometry().bottom() + 1, w->Picture1->y());

        QTest::mouseClick(w->cmdOK, Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w && !ChangeWindow());
        ShowChange(nullptr);
        QCOMPARE(ChangeWindow()->VScroll1->value(), 0);
        QCOMPARE(ChangeWindow()->lblAnzeige->y(), 4);
    }

    // The first start's Yes and Help > "Features" open the window; the exit unloads it.
    void firstStartAndMenu() {
        for (const int answer : {vbYes, vbNo}) {
            AppEnvironment env;
            env.installMod(QStringLiteral("C:\\HL"), true);
            env.writeRegistry({{QStringLiteral("Software\\Valve\\Half-Life"), QStringLiteral("InstallPath"),
                                QStringLiteral("C:\\HL")}});
            env.messages.expectMsgBox(
                QStringLiteral("This is the first start of the new Verivuzedadeve for Vorlak Legends\r\n"
                               "Much has changed. Do you want to see the new features ? (Recommend)"),
                vbYesNo, QStringLiteral("First start"), answer);
            ProgramState state;
            frmVeriVuzeDadeve main(state);
            main.startup.Form_Load({});
            QCOMPARE(ChangeWindow() != nullptr, answer == vbYes);
            main.menFeatures->trigger();
            QVERIFY(ChangeWindow()->isVisible());
            main.close();
            QVERIFY(!ChangeWindow());
            QCOMPARE(env.messages.problems(), QStringList());
        }
    }
};

QTEST_MAIN(FeaturesWindowTest)
#include "frmchange_test.moc"
