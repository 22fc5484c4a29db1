#pragma once
// Places the main window's controls by the geometry rules in twips: the start-up placement and
// Form_Resize, run whenever the client area changes size. Controls are found by objectName, so a
// control that does not exist is simply not placed.

#include "app/layout.h"

#include <QObject>

class QAction;
class QMainWindow;
class QWidget;

class WindowLayout : public QObject {
public:
    // list is the playlist box, whose height follows the window's; oldLayout the check mark of
    // "Old layout".
    WindowLayout(QMainWindow& window, QWidget& list, const QAction& oldLayout);

    // Gives the window its design size (client area 11640 x 7365) and places every control.
    void placeAtDesignSize();

    // Start-up: the background picture, then the player buttons and the file panel.
    void PlaceBackgroundImage();
    void PlacePlayerButtons();
    // Keeps the window at its minimum size and places every control for its size. Pending window
    // events run between the stages; any failure ends the resize silently. Runs after every change
    // of the client area's size.
    void Form_Resize();

    // lstListe.Height = window height - kListBottomMargin - less (twips); never below 0, as when
    // the window is minimised.
    void setListHeight(int less = 0);

    // Twips and pixels at the window's logical dpi (15 twips a pixel at 96 dpi).
    int toPixels(int twips) const;
    int toTwips(int pixels) const;
    // The window's outer height in twips: its frame as drawn, menu bar included.
    int outerHeight() const;
    // The window's inner width in pixels, across which the time field is centred.
    int windowWidth() const;
    // What the geometry rules read from the window now.
    layout::WindowState currentState() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    double dpi() const;
    void apply(const layout::Stage& stage);
    void keepMinimumSize();
    QMainWindow& window_;
    QWidget& list_;
    const QAction& oldLayout_;
    bool resizePending_ = false;
};
