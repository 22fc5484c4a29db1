#pragma once
// The main window's two looks. The new look shows the background picture, white on black in the
// four list boxes, a green time field and percent label and a red progress bar, and hides the
// editing buttons; the old look drops the picture for a light grey window, shows black on white
// and black labels, a white bar and the eight editing buttons. The check mark of "Old layout"
// (menBlind) is the only record of which look is on. Controls are found by objectName.

#include <QColor>

class QAction;
class QWidget;
class WindowLayout;

class Looks {
public:
    // client: the main window's client area; oldLayout: the check mark of "Old layout".
    Looks(QWidget& client, QAction& oldLayout, WindowLayout& layout);

    // The design state: the fonts of the buttons and labels and the new look's colours.
    void applyDesign();
    // The four list boxes' start-up colours: black, with text in the system's window background colour.
    void ColourListBoxes();
    // Switches to the other look; the switch to the old look places the editing buttons.
    void menBlind_Click();

    // The background of the client area in the old look, where no picture covers it.
    static QColor oldWindowColour();

private:
    void applyLook(bool old);
    QWidget* control(const char* name) const;
    QWidget& client_;
    QAction& oldLayout_;
    WindowLayout& layout_;
};
