#pragma once
// The program-wide state every unit of the main window shares: the playlist model and the
// variables that live for the whole run.

#include "playlist/playlistmodel.h"

#include <random>

// What the time field shows; a click on it moves to the next mode, after Off to Elapsed.
enum class TimeFieldMode { Elapsed, Remaining, Off };

struct ProgramState : PlaylistModel {
    QString PlaylistPath; // the working file: target of Save, of the exit check, base of the default
    TimeFieldMode TimeDisplayMode = TimeFieldMode::Elapsed;
    qsizetype PlayingIndex = -1;     // entry remembered as playing, -1 none
    bool PlayingFromBrowser = false; // the title playing was started from the file box
    std::mt19937 Random;             // seeded from the clock at startup
};
