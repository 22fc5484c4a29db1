#pragma once
// The main window's geometry in twips, free of any window system: the design place of every
// control and where each control goes for a given window size. A placement is a list of stages;
// pending window events run after each stage, so the order of the rules is kept.

#include <QHash>
#include <QList>
#include <QRect>
#include <QString>

namespace layout {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Placement {
    QString control; // the control's objectName
    Rect rect;
};
using Stage = QList<Placement>;
using Plan = QList<Stage>;

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kMinOuterWidth = 6400;
inline constexpr int kMinOuterHeight = 5300;
inline constexpr int kReferenceOuterWidth = 11760;
inline constexpr int kDesignClientWidth = 11640;
inline constexpr int kDesignClientHeight = 7365;
// The playlist ends this far above the window's outer bottom edge.
inline constexpr int kListBottomMargin = 2070;

// What the rules read from the window, in twips.
struct WindowState {
    int outerWidth = 0;  // W: the frame as the window manager draws it, menu bar included
    int outerHeight = 0; // H
    int clientWidth = 0; // SW
    int clientHeight = 0;
    bool oldLayout = false;            // "Old layout" carries its check mark
    bool barVisible = false;           // the progress bar shows (a title plays)
    int timeWidth = 870;               // lblZeit follows its text
    int percentWidth = 135;            // lblProzent follows its text
    int barWidth = 4455;               // shpStrich follows the position
    Rect list{6900, 1020, 4455, 5685}; // lstListe as it stands (read by the start-up placement)
};

// Every placed control at its design place (lblZeit, lblProzent and shpStrich at their design
// widths).
const QHash<QString, Rect>& DesignRects();
// The eight buttons of the editing commands, shown in the old layout only.
const QStringList& EditingButtons();

// Start-up: the background picture over the outer size.
Plan PlaceBackgroundImage(const WindowState& window);
// Start-up: the player buttons centred on half the outer width, and the file panel sized to the
// playlist as it stands.
Plan PlacePlayerButtons(const WindowState& window);
// A change of size, or the switch to the old layout. A window smaller than the minimum is
// treated as the minimum (its client area grows by as much).
Plan FormResize(WindowState window);

// Where each control ends up when the plan has run.
QHash<QString, Rect> Final(const Plan& plan);

// Twips to device-independent pixels at dpi logical dots per inch (1440 twips an inch). Edges are
// rounded, not sizes, so that controls that meet in twips meet in pixels.
int ToPixels(int twips, double dpi);
QRect ToPixels(const Rect& rect, double dpi);
int ToTwips(int pixels, double dpi);

} // namespace layout
