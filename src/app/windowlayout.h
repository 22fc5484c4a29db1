#pragma once
// Places the main window's controls by the geometry rules in twips: the start-up placement and
// Form_Resize, run whenever the client area changes size. Controls are found by objectName, so a
// control that does not exist is simply not placed. Also owns the controls that only decorate:
// the background picture Image1, the band fraAnzeige and the credit lblCopy.

#include "app/layout.h"

#include <QObject>

class frmVeriVuzeDadeve;
class QFrame;
class QLabel;
class QWidget;

class WindowLayout : public QObject {
public:
    explicit WindowLayout(frmVeriVuzeDadeve& main);

    QWidget* Image1 = nullptr;
    QFrame* fraAnzeige = nullptr;
    QLabel* lblCopy = nullptr;

    // Creates the decorating controls on the client area (below every other control).
    void buildControls(QWidget* client);
    // Gives the window its design size (client area 11640 x 7365) and places every control.
    void placeAtDesignSize();

    // Start-up: the background picture, then the player buttons and the file panel.
    void PlaceBackgroundImage();
    void PlacePlayerButtons();
    // Keeps the window at its minimum size and places every control for its size. Pending window
    // events run between the stages; any failure ends the resize silently. Runs after every change
    // of the client area's size.
    void Form_Resize();

    // Twips and pixels at the window's logical dpi (15 twips a pixel at 96 dpi).
    int toPixels(int twips) const;
    int toTwips(int pixels) const;
    // The window's outer height in twips: its frame as drawn, menu bar included.
    int outerHeight() const;
    // What the geometry rules read from the window now.
    layout::WindowState currentState() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    double dpi() const;
    void apply(const layout::Stage& stage);
    void keepMinimumSize();
    frmVeriVuzeDadeve& main_;
    bool resizePending_ = false;
};
