#pragma once
// The about window: the program's title and version in red over a picture (black on the plain
// window in the old layout). Created on first use, modeless; OK and the close box unload it.

#include <QWidget>

class QLabel;
class QPushButton;

class frmAbout : public QWidget {
    Q_OBJECT
public:
    // Loads the window: oldLayout is the main window's "Old layout" check mark.
    frmAbout(QWidget* parent, bool oldLayout);

    QLabel* Image1;     // background picture
    QLabel* Picture1;   // the emblem, centred horizontally
    QLabel* lblAnzeige; // the about text
    QPushButton* cmdOK;

    void cmdOK_Click();
};

// The about text, one entry per line.
QStringList AboutLines();

// The window while it is loaded, else nullptr.
frmAbout* AboutWindow();
// Help > "About": shows the window, loading it first when it is not loaded.
void ShowAbout(QWidget* owner, bool oldLayout);
// Unloads the window if it is loaded (the exit sequence).
void UnloadAbout();

// Makes the family "Fixedsys" resolve to Terminus, Debian's fixed-width bitmap font.
void SubstituteFixedsys();
