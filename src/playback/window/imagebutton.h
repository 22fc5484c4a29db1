#pragma once
// An image button of the player: a 32 x 32 icon drawn from an SVG resource (sharp at any scale),
// with the pressed look, a single border, from any mouse button's press until its release, even
// when the pointer has left the button meanwhile. A left click runs the button's command; the
// second press of a double click does nothing.

#include <QAbstractButton>
#include <QSvgRenderer>

class ImageButton final : public QAbstractButton {
    Q_OBJECT
public:
    ImageButton(const QString& svgResource, QWidget* parent);

    // 1 while pressed (single border), else 0.
    int BorderStyle() const { return borderStyle_; }
    QSize sizeHint() const override { return {32, 32}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setBorderStyle(int style);
    QString source_;
    QSvgRenderer icon_; // loaded at the first paint, off the way to the window's first showing
    int borderStyle_ = 0;
};
