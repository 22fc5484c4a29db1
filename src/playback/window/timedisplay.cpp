#include "playback/window/timedisplay.h"

#include "app/window/windowlayout.h"
#include "platform/failure.h"
#include "playback/modmp3.h"
#include "playlist/programstate.h"
#include "playlist/window/listdisplay.h"
#include "playlist/window/playlistbox.h"

#include <QMouseEvent>
#include <cmath>

namespace {

// The time field's width while a title plays and it shows nothing.
constexpr int kOffWidthTwips = 500;

// A label's caption. Its width is fitted to the text separately, and only to a text that is not
// empty: an empty caption keeps the label's place, so the time field can still be clicked.
void setCaption(QLabel* label, const QString& text) {
    if (label->text() != text)
        label->setText(text);
}

void setLeft(QWidget* w, int x) {
    if (w->x() != x)
        w->move(x, w->y());
}

void setWidth(QWidget* w, int width) {
    if (width < 0)
        throw RuntimeError(QStringLiteral("Invalid property value"));
    if (w->width() != width)
        w->resize(width, w->height());
}

void setShown(QWidget* w, bool shown) {
    if (w->isVisibleTo(w->parentWidget()) != shown)
        w->setVisible(shown);
}

double ratio(double part, double whole) {
    if (whole == 0)
        throw RuntimeError(QStringLiteral("Division by zero"));
    return part / whole;
}

QString percentText(double r) {
    return QString::number(qint64(std::floor(r * 100))) + QStringLiteral(" %");
}

// "- m:ss"; a negative remainder shows as "- 0:00".
QString remainingText(qint64 r) {
    if (r < 0)
        r = 0;
    return QStringLiteral("- %1:%2").arg(r / 60).arg(r % 60, 2, 10, QLatin1Char('0'));
}

void setBorder(QLabel* label, bool single) {
    const int style = single ? QFrame::Box | QFrame::Plain : QFrame::NoFrame;
    if (label->frameStyle() != style)
        label->setFrameStyle(style);
}

} // namespace

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

// The second press of a double click runs nothing: a double click is one click.
void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    pressed_ = false;
    event->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        Q_EMIT clicked();
}

TimeDisplay::TimeDisplay(ProgramState& state, const ListDisplay& display, const PlaylistBox& list,
                         WindowLayout& layout, Controls controls)
    : state_(state), display_(display), list_(list), layout_(layout), c_(controls) {}

// Centred across the window.
void TimeDisplay::centre(QWidget* w) const {
    setLeft(w, (layout_.windowWidth() - w->width()) / 2);
}

int TimeDisplay::barHeight() const {
    return layout_.toTwips(c_.shpStrich->height());
}

void TimeDisplay::placeBarUnderList() {
    const int top = list_.y() + list_.height();
    c_.shpStrich->move(c_.shpStrich->x(), top);
    c_.lblProzent->move(c_.lblProzent->x(), top);
}

void TimeDisplay::ZeitAnzeige() {
    try {
        if (IsPlaying())
            showPlaying();
        else
            showIdle();
        if (!c_.lblZeit->text().isEmpty()) {
            c_.lblZeit->adjustSize();
            centre(c_.lblZeit);
        }
    } catch (const std::exception&) {
        setCaption(c_.lblZeit, QStringLiteral("Error"));
    }
}

// Position and length are asked anew for every use, as the service may move on in between.
void TimeDisplay::showPlaying() {
    const auto pos = [] { return PositionSeconds(); };
    const auto len = [] { return LengthSeconds(); };
    const int listWidth = list_.width();
    QLabel* lblZeit = c_.lblZeit;
    QFrame* shpStrich = c_.shpStrich;
    QLabel* lblProzent = c_.lblProzent;
    switch (state_.TimeDisplayMode) {
    case TimeFieldMode::Elapsed:
        setShown(shpStrich, true);
        setCaption(lblZeit, PositionText());
        if (len() > pos())
            setWidth(shpStrich, int(std::lround(ratio(pos(), len()) * listWidth)));
        if (len() > pos())
            setCaption(lblProzent, percentText(ratio(pos(), len())));
        if (len() < pos()) {
            setWidth(shpStrich, 0);
            setCaption(lblProzent, QStringLiteral("Error with filelength"));
        }
        break;
    case TimeFieldMode::Remaining:
        setShown(shpStrich, true);
        setCaption(lblZeit, remainingText(qint64(len() - pos())));
        setWidth(shpStrich, int(std::lround(ratio(len() - pos(), len()) * listWidth)));
        setCaption(lblProzent, percentText(ratio(len() - pos(), len())));
        break;
    case TimeFieldMode::Off:
        if (!lblZeit->text().isEmpty()) {
            setCaption(lblZeit, QString());
            setWidth(lblZeit, layout_.toPixels(kOffWidthTwips));
        }
        centre(lblZeit);
        setCaption(lblProzent, QString());
        return;
    }
    if (!lblProzent->text().isEmpty()) {
        lblProzent->adjustSize();
        setLeft(lblProzent, listWidth / 2 - lblProzent->width() / 2 + shpStrich->x());
    }
}

void TimeDisplay::showIdle() {
    setShown(c_.shpStrich, false);
    setCaption(c_.lblProzent, QString());
    layout_.setListHeight();
    switch (state_.TimeDisplayMode) {
    case TimeFieldMode::Elapsed:
        setCaption(c_.lblZeit, QStringLiteral("0:00"));
        break;
    case TimeFieldMode::Remaining: {
        // Shows the full length of the selected entry, which is left open and paused.
        StopAndClose();
        qint64 r = 0;
        const qsizetype selected = display_.SelectedIndex();
        if (selected < list_.ListCount()) {
            OpenAndPlay(EntryAt(state_, selected));
            PausePlayback();
            r = qint64(LengthSeconds() - PositionSeconds());
        }
        setCaption(c_.lblZeit, remainingText(r));
        break;
    }
    case TimeFieldMode::Off:
        setCaption(c_.lblZeit, QString());
        break;
    }
}

void TimeDisplay::lblZeit_Click() {
    TimeFieldMode& mode = state_.TimeDisplayMode;
    mode = mode == TimeFieldMode::Elapsed     ? TimeFieldMode::Remaining
           : mode == TimeFieldMode::Remaining ? TimeFieldMode::Off
                                              : TimeFieldMode::Elapsed;
    if (mode == TimeFieldMode::Off) {
        layout_.setListHeight();
        setShown(c_.shpStrich, false);
        setBorder(c_.lblZeit, false);
    } else {
        layout_.setListHeight(barHeight());
        setBorder(c_.lblZeit, true);
    }
    ZeitAnzeige();
}
