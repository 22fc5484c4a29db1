#include "playback/window/imagebutton.h"

#include <QMouseEvent>
#include <QPainter>

ImageButton::ImageButton(const QString& svgResource, QWidget* parent)
    : QAbstractButton(parent), source_(svgResource) {
    setFocusPolicy(Qt::NoFocus);
}

void ImageButton::setBorderStyle(int style) {
    if (style == borderStyle_)
        return;
    borderStyle_ = style;
    update();
}

void ImageButton::paintEvent(QPaintEvent*) {
    if (!icon_.isValid())
        icon_.load(source_);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    icon_.render(&p, QRectF(rect()));
    if (borderStyle_ == 1) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
    setBorderStyle(1);
    QAbstractButton::mousePressEvent(event);
    event->accept(); // keeps the release of any button here
}

// Qt would take it for another press, and its release for another click.
void ImageButton::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    // Qt sends the release to the pressed widget wherever the pointer is.
    if (event->buttons() == Qt::NoButton)
        setBorderStyle(0);
    QAbstractButton::mouseReleaseEvent(event);
}
