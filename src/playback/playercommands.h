#pragma once
// The player of the main window: Play, Stop, Next and Previous on the selected playlist row, the
// four image buttons that run them, playing a file straight from the file box, and the two
// timers' ticks that advance the playlist when a title has ended. A title's end reported by the
// engine runs the ticks at once, so the next title follows without a gap; the timers keep
// ticking once a second for the display.

#include <QtGlobal>

class frmVeriVuzeDadeve;
class ImageButton;
class QPushButton;
class QWidget;

class PlayerCommands {
public:
    explicit PlayerCommands(frmVeriVuzeDadeve& main) : main_(main) {}
    ~PlayerCommands();
    // Makes the buttons on the window's client area (the window's layout places them) and wires
    // them and the timers.
    void createControls(QWidget* client);

    ImageButton* imgZurueck = nullptr;
    ImageButton* imgPlay = nullptr;
    ImageButton* imgStop = nullptr;
    ImageButton* imgVor = nullptr;
    // Never shown: the commands' own buttons.
    QPushButton* cmdPlay = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdVor = nullptr;
    QPushButton* cmdZurueck = nullptr;

    // Plays the selected entry.
    void cmdPlay_Click();
    // Stops and closes the device and gives the list its full height back.
    void cmdStop_Click();
    // Select the next (previous) row, wrapping around; while a title plays, play it.
    void cmdVor_Click();
    void cmdZurueck_Click();
    // Stop, and forget what was playing.
    void imgStop_Click();

    // Playing the file box's selected file: the double click puts its title in charge until it
    // ends; the menu's "Play" plays it as if it came from the playlist.
    void File1_DblClick();
    void menPlayLeft_Click();

    // Shortens the list so that the progress bar fits under it, and puts bar and percent there.
    void MakeRoomForBar();

    // Timer1: starts the entry after the selected row when the title has ended.
    void Timer1_Timer();
    // Timer2: closes the device once the file box's title has ended.
    void Timer2_Timer();

private:
    void step(int direction);
    // The file box's selected file, or the file count + 1 when the box is empty.
    qsizetype fileBoxIndex() const;
    void startFromFileBox(qsizetype k);
    void titleEnded();
    frmVeriVuzeDadeve& main_;
};
