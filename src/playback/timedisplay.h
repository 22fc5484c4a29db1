#pragma once
// The position display of the main window: the time field lblZeit (elapsed time, remaining time
// or nothing), the progress bar shpStrich under the playlist and the percent label lblProzent on
// the bar. Sizes in the rules are twips, converted as the window's layout converts them.

#include <QLabel>

class frmVeriVuzeDadeve;
class PlaylistModel;
class QFrame;

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

// Entry i of the playlist; raises "Subscript out of range" when there is none.
const QString& EntryAt(const PlaylistModel& model, qsizetype i);

class TimeDisplay {
public:
    explicit TimeDisplay(frmVeriVuzeDadeve& main) : main_(main) {}
    // Makes the three controls on the window's client area.
    void createControls(QWidget* client);

    ClickableLabel* lblZeit = nullptr;
    QFrame* shpStrich = nullptr;
    QLabel* lblProzent = nullptr;

    // Brings the time field, the bar and the percent label up to date. Every property is written
    // only when its value changes; any failure shows "Error" in the time field.
    void ZeitAnzeige();
    // Cycles the time field: elapsed, remaining, off, elapsed...
    void lblZeit_Click();

    // lstListe.Height = window height - 2070 - less (twips); never below 0, as when minimised.
    void setListHeight(int less = 0);
    // The bar's height in twips.
    int barHeight() const;

private:
    void showPlaying(int mode);
    void showIdle(int mode);
    frmVeriVuzeDadeve& main_;
};
