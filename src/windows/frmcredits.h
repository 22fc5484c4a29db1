#pragma once
// The credits window: 14 lines of the game's titles.txt, from the line after "Credits", moving up
// one line per step to the end of the file, with pause, continue, again and a speed bar.
// Created afresh by each Help > "Credits"; OK and the close box unload it.

#include "windows/titlesfile.h"

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class QScrollBar;
class QTimer;

class frmCredits : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLines = 14;

    // Builds the window; Form_Load loads it. oldLayout is the main window's "Old layout" check mark.
    frmCredits(QWidget* parent, bool oldLayout);
    ~frmCredits() override;

    QLabel* Image1; // background picture
    QLabel* lblAnzeige;
    QPushButton* cmdNochmal; // "Again"
    QPushButton* cmdPause;
    QPushButton* cmdWeiter; // "Continue", in the place of "Pause"
    QPushButton* cmdOK;
    QLabel* Label1; // "Scroll Speed"
    QScrollBar* HScroll1;
    QTimer* Timer1; // one scroll step per tick
    QTimer* Timer2; // the delay before the scrolling starts; ticks once

    QString Datei;                      // the titles.txt in use, "" when none was found
    QString Zeile;                      // line buffer while searching the file
    std::array<QString, kLines> Zeilen; // the lines shown, top to bottom
    bool Ende = false;                  // set when the window unloads; stops the timers
    bool Timer1Aktiv = false;           // "Pause" stopped the stepping (true) or the start delay

    // Shows the window, lets pending events run and loads the credits.
    void Form_Load();
    // Finds and opens titles.txt and shows its first 14 credit lines; on success starts the delay.
    void Lade();
    void Timer1_Timer();
    void Timer2_Timer();
    void HScroll1_Change();
    void cmdPause_Click();
    void cmdWeiter_Click();
    void cmdNochmal_Click();
    void cmdOK_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Unload();
    // Lets pending events run; false when they unloaded the window.
    bool letEventsRun();
    bool oldLayout_;
    credits::TitlesFile file_; // open while the text scrolls
};

// The start delay for a step interval: 7.5 times it, rounded to the nearest (ties to even).
int CreditsStartDelay(int stepInterval);

// The window while it is loaded, else nullptr.
frmCredits* CreditsWindow();
// Help > "Credits": unloads an open credits window and loads a fresh one.
void ShowCredits(QWidget* owner, bool oldLayout);
// Unloads the window if it is loaded (the exit sequence).
void UnloadCredits();
