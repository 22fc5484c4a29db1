#pragma once
// What the about, credits and new-features windows share: design positions in twips, the
// pictures drawn from the program's SVG sources, and transparent coloured labels.

#include <QColor>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace aux {

// Twips per pixel of the design positions (1440 per logical inch at 96 dpi).
constexpr int kTwipsPerPixel = 15;

inline QRect twips(int left, int top, int width, int height) {
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                 height / kTwipsPerPixel);
}

// A picture control showing the SVG resource name (":/windows/about.svg") drawn at the control's
// size. accessible is its short description.
QLabel* pictureLabel(QWidget* parent, const char* objectName, const QString& svg, const QRect& rect,
                     const QString& accessible);
// Draws the SVG resource at the control's current size.
void drawPicture(QLabel* picture, const QString& svg);

// Makes a window announce itself to screen readers as a dialog named by its title, as a plain
// window is announced as a panel. Its keys stay as they are.
void announceAsDialog(QWidget* window);

// Sets a label's text colour; the label keeps a transparent background.
void setTextColour(QLabel* label, const QColor& colour);

// The emblem, the icon of the auxiliary windows.
inline const QString kEmblem = QStringLiteral(":/windows/abouticon.svg");

// The text colours of the two looks.
inline const QColor kRed{255, 0, 0};
inline const QColor kBlack{0, 0, 0};

} // namespace aux
