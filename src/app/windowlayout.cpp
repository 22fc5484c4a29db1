#include "app/windowlayout.h"

#include "app/frmVeriVuzeDadeve.h"
#include "platform/messages.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QScopeGuard>
#include <QSvgRenderer>
#include <QTimer>
#include <cmath>

namespace {

// A picture stretched to the widget's size, drawn from an SVG source at the screen's pixel ratio.
// While the size keeps changing the last drawing is stretched; it is drawn anew once the size has
// held for a moment.
class StretchedPicture final : public QWidget {
public:
    StretchedPicture(const QString& svg, QWidget* parent) : QWidget(parent), renderer_(svg) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        redraw_.setSingleShot(true);
        redraw_.setInterval(150);
        QObject::connect(&redraw_, &QTimer::timeout, this, [this] {
            render();
            update();
        });
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (drawing_.isNull())
            render();
        else if (drawing_.deviceIndependentSize() != QSizeF(size()))
            redraw_.start();
        QPainter(this).drawPixmap(rect(), drawing_);
    }

private:
    void render() {
        const qreal ratio = devicePixelRatioF();
        drawing_ = QPixmap(size() * ratio);
        drawing_.fill(Qt::black);
        QPainter painter(&drawing_);
        renderer_.render(&painter, QRectF(QPointF(0, 0), QSizeF(drawing_.size())));
        painter.end();
        drawing_.setDevicePixelRatio(ratio);
    }
    QSvgRenderer renderer_;
    QPixmap drawing_;
    QTimer redraw_;
};

} // namespace

WindowLayout::WindowLayout(frmVeriVuzeDadeve& main) : main_(main) {}

void WindowLayout::buildControls(QWidget* client) {
    Image1 = new StretchedPicture(QStringLiteral(":/pictures/background.svg"), client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Background picture"));
    Image1->lower();

    fraAnzeige = new QFrame(client);
    fraAnzeige->setObjectName(QStringLiteral("fraAnzeige"));
    fraAnzeige->setAccessibleName(QStringLiteral("Top band"));
    fraAnzeige->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    lblCopy = new QLabel(QStringLiteral("\u00A9 TovrelPro"), client);
    lblCopy->setObjectName(QStringLiteral("lblCopy"));
    lblCopy->setAlignment(Qt::AlignCenter);

    client->installEventFilter(this);
}

void WindowLayout::placeAtDesignSize() {
    const int menuHeight = main_.menuBar()->sizeHint().height();
    main_.resize(toPixels(layout::kDesignClientWidth), toPixels(layout::kDesignClientHeight) + menuHeight);
    for (auto [control, rect] : layout::DesignRects().asKeyValueRange())
        apply({{control, rect}});
}

double WindowLayout::dpi() const {
    return main_.logicalDpiX();
}

int WindowLayout::toPixels(int twips) const {
    return layout::ToPixels(twips, dpi());
}

int WindowLayout::toTwips(int pixels) const {
    return layout::ToTwips(pixels, dpi());
}

int WindowLayout::outerHeight() const {
    return toTwips(main_.frameGeometry().height());
}

layout::WindowState WindowLayout::currentState() const {
    QWidget* client = main_.centralWidget();
    if (!main_.isVisible()) // a hidden window lays out its client area only when shown
        main_.layout()->setGeometry(main_.rect());
    // Without a window manager the frame is the window itself: client area plus menu bar.
    const QSize outer = main_.frameGeometry().size();
    layout::WindowState s;
    s.outerWidth = toTwips(outer.width());
    s.outerHeight = toTwips(outer.height());
    s.clientWidth = toTwips(client->width());
    s.clientHeight = toTwips(client->height());
    s.oldLayout = main_.menBlind->isChecked();
    auto control = [client](const char* name) {
        return client->findChild<QWidget*>(QString::fromLatin1(name));
    };
    if (QWidget* bar = control("shpStrich")) {
        s.barVisible = bar->isVisibleTo(client);
        s.barWidth = toTwips(bar->width());
    }
    if (QWidget* time = control("lblZeit"))
        s.timeWidth = toTwips(time->width());
    if (QWidget* percent = control("lblProzent"))
        s.percentWidth = toTwips(percent->width());
    if (QWidget* list = control("lstListe")) {
        const QRect g = list->geometry();
        s.list = {toTwips(g.left()), toTwips(g.top()), toTwips(g.width()), toTwips(g.height())};
    }
    return s;
}

void WindowLayout::apply(const layout::Stage& stage) {
    QWidget* client = main_.centralWidget();
    for (const layout::Placement& p : stage) {
        QWidget* control = client->findChild<QWidget*>(p.control);
        if (!control)
            continue;
        const QRect rect = layout::ToPixels(p.rect, dpi());
        if (control->geometry() != rect)
            control->setGeometry(rect);
    }
}

void WindowLayout::PlaceBackgroundImage() {
    for (const layout::Stage& stage : layout::PlaceBackgroundImage(currentState()))
        apply(stage);
}

void WindowLayout::PlacePlayerButtons() {
    for (const layout::Stage& stage : layout::PlacePlayerButtons(currentState()))
        apply(stage);
}

// The window may not be made smaller than the minimum outer size (rounded up to whole pixels); the
// frame's share of it is what the window manager adds around the window.
void WindowLayout::keepMinimumSize() {
    auto pixels = [this](int twips) { return int(std::ceil(twips * dpi() / 1440.0)); };
    const QSize frame = main_.frameGeometry().size() - main_.size();
    const QSize minimum(pixels(layout::kMinOuterWidth) - frame.width(),
                        pixels(layout::kMinOuterHeight) - frame.height());
    if (main_.minimumSize() != minimum)
        main_.setMinimumSize(minimum);
}

void WindowLayout::Form_Resize() {
    // The client area is painted once, when all its controls are in place.
    QWidget* client = main_.centralWidget();
    const bool painting = client->updatesEnabled();
    client->setUpdatesEnabled(false);
    const auto paintAgain = qScopeGuard([client, painting] { client->setUpdatesEnabled(painting); });
    try {
        keepMinimumSize();
        // Each stage is worked out from the window as it stands after the events of the last one
        // have run (a tick may have changed the time field, or a newer resize the size).
        const qsizetype stages = layout::FormResize(currentState()).size();
        for (qsizetype i = 0; i < stages; ++i) {
            apply(layout::FormResize(currentState()).at(i));
            DoEvents();
        }
    } catch (const std::exception&) {
        // A resize that fails (a minimized window, say) ends here; the next one starts afresh.
    }
}

// A change of the client area's size runs Form_Resize from the event loop, once for any number of
// changes in a row: it lets events run, which must not happen inside the layout that resizes.
bool WindowLayout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == main_.centralWidget() && !resizePending_) {
        resizePending_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                resizePending_ = false;
                Form_Resize();
            },
            Qt::QueuedConnection);
    }
    return false;
}
