#pragma once
// The position display of the main window: the time field lblZeit (elapsed time, remaining time
// or nothing), the progress bar shpStrich under the playlist and the percent label lblProzent on
// the bar. Sizes in the rules are twips, converted as the window's layout converts them.

#include <QLabel>

class ListDisplay;
class PlaylistBox;
class QFrame;
class WindowLayout;
struct ProgramState;

// A label that reports a click: a press and release of the left button on it. The second press
// of a double click is no click.
class ClickableLabel final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

class TimeDisplay {
public:
    struct Controls {
        QLabel* lblZeit;
        QFrame* shpStrich;
        QLabel* lblProzent;
    };
    TimeDisplay(ProgramState& state, const ListDisplay& display, const PlaylistBox& list, WindowLayout& layout,
                Controls controls);

    // Brings the time field, the bar and the percent label up to date. Every property is written
    // only when its value changes; any failure shows "Error" in the time field.
    void ZeitAnzeige();
    // Cycles the time field: elapsed, remaining, off, elapsed...
    void lblZeit_Click();

    // The bar's height in twips.
    int barHeight() const;
    // Puts the bar and the percent label directly under the playlist.
    void placeBarUnderList();

private:
    void showPlaying();
    void showIdle();
    void centre(QWidget* w) const;
    ProgramState& state_;
    const ListDisplay& display_;
    const PlaylistBox& list_;
    WindowLayout& layout_;
    Controls c_;
};
