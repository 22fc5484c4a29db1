#include "app/window/windowlayout.h"

#include "platform/messages.h"

#include <QAction>
#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QScopeGuard>
#include <cmath>

WindowLayout::WindowLayout(QMainWindow& window, QWidget& list, const QAction& oldLayout)
    : window_(window), list_(list), oldLayout_(oldLayout) {
    window.centralWidget()->installEventFilter(this);
}

void WindowLayout::placeAtDesignSize() {
    const int menuHeight = window_.menuBar()->sizeHint().height();
    window_.resize(toPixels(layout::kDesignClientWidth), toPixels(layout::kDesignClientHeight) + menuHeight);
    for (auto [control, rect] : layout::DesignRects().asKeyValueRange())
        apply({{control, rect}});
}

double WindowLayout::dpi() const {
    return window_.logicalDpiX();
}

int WindowLayout::toPixels(int twips) const {
    return layout::ToPixels(twips, dpi());
}

int WindowLayout::toTwips(int pixels) const {
    return layout::ToTwips(pixels, dpi());
}

int WindowLayout::outerHeight() const {
    return toTwips(window_.frameGeometry().height());
}

int WindowLayout::windowWidth() const {
    return window_.width();
}

void WindowLayout::setListHeight(int less) {
    const int height = std::max(0, toPixels(outerHeight() - layout::kListBottomMargin - less));
    if (list_.height() != height)
        list_.resize(list_.width(), height);
}

layout::WindowState WindowLayout::currentState() const {
    QWidget* client = window_.centralWidget();
    if (!window_.isVisible()) // a hidden window lays out its client area only when shown
        window_.layout()->setGeometry(window_.rect());
    // Without a window manager the frame is the window itself: client area plus menu bar.
    const QSize outer = window_.frameGeometry().size();
    layout::WindowState s;
    s.outerWidth = toTwips(outer.width());
    s.outerHeight = toTwips(outer.height());
    s.clientWidth = toTwips(client->width());
    s.clientHeight = toTwips(client->height());
    s.oldLayout = oldLayout_.isChecked();
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
    QWidget* client = window_.centralWidget();
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
    auto pixels = [this](int twips) { return int(std::ceil(twips * dpi() / layout::kTwipsPerInch)); };
    const QSize frame = window_.frameGeometry().size() - window_.size();
    const QSize minimum(pixels(layout::kMinOuterWidth) - frame.width(),
                        pixels(layout::kMinOuterHeight) - frame.height());
    if (window_.minimumSize() != minimum)
        window_.setMinimumSize(minimum);
}

void WindowLayout::Form_Resize() {
    // The client area is painted once, when all its controls are in place.
    QWidget* client = window_.centralWidget();
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
    if (event->type() == QEvent::Resize && watched == window_.centralWidget() && !resizePending_) {
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
