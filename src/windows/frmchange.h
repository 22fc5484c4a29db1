#pragma once
// The new-features window: one long label moved by a vertical scroll bar, under a strip with the
// OK button. Created on first use, modeless; OK and the close box unload it, so the next opening
// starts at the top.

#include <QWidget>

class QLabel;
class QPushButton;
class QScrollBar;

class frmChange : public QWidget {
    Q_OBJECT
public:
    explicit frmChange(QWidget* parent = nullptr);

    QLabel* lblAnzeige;   // the text, taller than the window
    QWidget* Picture1;    // the strip along the bottom that covers the text below its top
    QScrollBar* VScroll1; // in screen pixels
    QPushButton* cmdOK;

    // Moves the text to the scroll bar's value (also while the thumb is dragged).
    void VScroll1_Change();
    void cmdOK_Click();
};

// The text of the new features, one entry per line, as the label shows it.
QStringList FeatureLines();

// The scroll maximum that brings the label's bottom to the strip's top: (labelHeight − stripTop)
// / twipsPerPixel, rounded to the nearest integer (ties to even) and held to 16 bits.
int FeatureScrollMaximum(int labelHeightTwips, int stripTopTwips, double twipsPerPixel);

// The window while it is loaded, else nullptr.
frmChange* ChangeWindow();
// Help > "Features": shows the window, loading it first when it is not loaded.
void ShowChange(QWidget* owner);
// Unloads the window if it is loaded (the exit sequence).
void UnloadChange();
