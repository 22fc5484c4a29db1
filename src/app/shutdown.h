#pragma once
// The main window's unload: stops playback, offers to save a list that differs from the working
// file, and stores the two settings.

class frmVeriVuzeDadeve;

class Shutdown {
public:
    explicit Shutdown(frmVeriVuzeDadeve& main) : main_(main) {}
    // Runs once, whenever the main window closes; cannot be cancelled.
    void Form_Unload();

private:
    frmVeriVuzeDadeve& main_;
};
