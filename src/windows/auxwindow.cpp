#include "windows/auxwindow.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace aux {

namespace {

const char* const kDialogProperty = "vorlakAnnouncedAsDialog";

QAccessibleInterface* dialogInterface(const QString&, QObject* object) {
    auto* window = qobject_cast<QWidget*>(object);
    if (window && window->property(kDialogProperty).toBool())
        return new QAccessibleWidget(window, QAccessible::Dialog);
    return nullptr;
}

} // namespace

void announceAsDialog(QWidget* window) {
    static const bool installed = (QAccessible::installFactory(dialogInterface), true);
    Q_UNUSED(installed);
    window->setProperty(kDialogProperty, true);
}

void drawPicture(QLabel* picture, const QString& svg) {
    const qreal ratio = picture->devicePixelRatioF();
    QPixmap pixmap(picture->size() * ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(svg);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    picture->setPixmap(pixmap);
}

QLabel* pictureLabel(QWidget* parent, const char* objectName, const QString& svg, const QRect& rect,
                     const QString& accessible) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(QString::fromLatin1(objectName));
    picture->setAccessibleName(accessible);
    picture->setGeometry(rect);
    drawPicture(picture, svg);
    return picture;
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAutoFillBackground(false);
}

} // namespace aux
