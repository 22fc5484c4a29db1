#pragma once
// The playlist box's keys and mouse: playing and moving entries by key, switching playback by
// pressing on a row, and reordering by dragging a row.

#include <Qt>
#include <QtGlobal>

class EditCommands;
class ListDisplay;
class PlayerCommands;
class PlaylistBox;
class PlaylistHistory;
class TimeDisplay;
struct ProgramState;

class PlaylistInput {
public:
    PlaylistInput(ProgramState& state, PlaylistBox& list, ListDisplay& display, PlaylistHistory& history,
                  EditCommands& editing, PlayerCommands& player, TimeDisplay& time)
        : state_(state), list_(list), display_(display), history_(history), editing_(editing), player_(player),
          time_(time) {}

    // Row of lstListe where a mouse drag began, -1 when none.
    qsizetype DragIndex = -1;

    // KeyCode is a Windows virtual-key code; set to 0, the key is swallowed. Shift is ignored.
    void lstListe_KeyDown(int& KeyCode, int Shift);
    // Any button but the right one: switches playback to the pressed row while a playlist entry
    // plays, and starts a drag there.
    void lstListe_MouseDown(Qt::MouseButton Button);
    // With only the left button held, the dragged entry follows the selection row by row; the
    // whole drag is one step of the history, ended by the release.
    void lstListe_MouseMove(Qt::MouseButtons Buttons);
    void lstListe_MouseUp();

private:
    // Selects the previous (-1) or next (+1) row, wrapping around; switches playback there.
    void stepSelection(int step);
    ProgramState& state_;
    PlaylistBox& list_;
    ListDisplay& display_;
    PlaylistHistory& history_;
    EditCommands& editing_;
    PlayerCommands& player_;
    TimeDisplay& time_;
};
