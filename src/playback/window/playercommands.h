#pragma once
// The player of the main window: Play, Stop, Next and Previous on the selected playlist row,
// playing a file straight from the file box, and the two timers' ticks that advance the playlist
// when a title has ended. A title's end reported by the engine runs the ticks at once, so the next
// title follows without a gap; the timers keep ticking once a second for the display.

#include <QtGlobal>

class FileListBox;
class ListDisplay;
class PlaylistBox;
class QTimer;
class TimeDisplay;
class WindowLayout;
struct ProgramState;

class PlayerCommands {
public:
    // Timer1 advances the playlist, Timer2 ends a title played from the file box.
    PlayerCommands(ProgramState& state, const PlaylistBox& list, ListDisplay& display, TimeDisplay& time,
                   WindowLayout& layout, const FileListBox& fileBox, QTimer& Timer1, QTimer& Timer2);
    ~PlayerCommands();

    // Plays the selected entry.
    void cmdPlay_Click();
    // Stops and closes the device and gives the list its full height back.
    void cmdStop_Click();
    // Select the next (previous) row, wrapping around; while a title plays, play it.
    void cmdVor_Click();
    void cmdZurueck_Click();
    // Stop, and forget what was playing (the Stop image button).
    void imgStop_Click();

    // Playing the file box's selected file: the double click puts its title in charge until it
    // ends; the menu's "Play" plays it as if it came from the playlist.
    void File1_DblClick();
    void menPlayLeft_Click();

    // Timer1: starts the entry after the selected row when the title has ended.
    void Timer1_Timer();
    // Timer2: closes the device once the file box's title has ended.
    void Timer2_Timer();

private:
    // Shortens the list so that the progress bar fits under it, and puts bar and percent there.
    void makeRoomForBar();
    void step(int direction);
    // The file box's selected file, or the file count + 1 when the box is empty.
    qsizetype fileBoxIndex() const;
    void startFromFileBox(qsizetype k);
    void titleEnded();
    ProgramState& state_;
    const PlaylistBox& list_;
    ListDisplay& display_;
    TimeDisplay& time_;
    WindowLayout& layout_;
    const FileListBox& fileBox_;
    QTimer& timer1_;
    QTimer& timer2_;
};
