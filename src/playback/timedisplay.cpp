#include "playback/timedisplay.h"

#include "app/frmVeriVuzeDadeve.h"
#include "platform/failure.h"
#include "playback/modmp3.h"
#include "playlist/playlistbox.h"

#include <QMouseEvent>
#include <cmath>

namespace {

// Window height - 2070 twips is the playlist's height when no bar is shown.
constexpr int kListBottomMargin = 2070;

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

const QString& EntryAt(const PlaylistModel& model, qsizetype i) {
    if (i < 0 || i >= model.EntryCount())
        RaiseSubscriptOutOfRange();
    return model.Entries.at(i);
}

// Places, fonts and colours come from the window's layout and looks.
void TimeDisplay::createControls(QWidget* client) {
    lblZeit = new ClickableLabel(QStringLiteral("0:00"), client);
    lblZeit->setObjectName(QStringLiteral("lblZeit"));
    lblZeit->setToolTip(QStringLiteral("Click changes"));
    lblZeit->setAlignment(Qt::AlignCenter);
    setBorder(lblZeit, true);
    QObject::connect(lblZeit, &ClickableLabel::clicked, &main_, [this] { lblZeit_Click(); });

    shpStrich = new QFrame(client);
    shpStrich->setObjectName(QStringLiteral("shpStrich"));
    shpStrich->setAccessibleName(QStringLiteral("Progress"));
    shpStrich->setFrameShape(QFrame::NoFrame);
    shpStrich->setAutoFillBackground(true);
    shpStrich->hide();

    lblProzent = new QLabel(client);
    lblProzent->setObjectName(QStringLiteral("lblProzent"));
    lblProzent->setAlignment(Qt::AlignCenter);
    lblProzent->raise(); // on top of the bar
}

int TimeDisplay::barHeight() const {
    return main_.windowLayout.toTwips(shpStrich->height());
}

void TimeDisplay::setListHeight(int less) {
    PlaylistBox* list = main_.lstListe;
    const WindowLayout& layout = main_.windowLayout;
    const int height = std::max(0, layout.toPixels(layout.outerHeight() - kListBottomMargin - less));
    if (list->height() != height)
        list->resize(list->width(), height);
}

void TimeDisplay::ZeitAnzeige() {
    try {
        const int mode = main_.state.TimeDisplayMode;
        if (IsPlaying())
            showPlaying(mode);
        else
            showIdle(mode);
        if (!lblZeit->text().isEmpty()) {
            lblZeit->adjustSize();
            setLeft(lblZeit, (main_.width() - lblZeit->width()) / 2);
        }
    } catch (const std::exception&) {
        setCaption(lblZeit, QStringLiteral("Error"));
    }
}

// Position and length are asked anew for every use, as the service may move on in between.
void TimeDisplay::showPlaying(int mode) {
    const auto pos = [] { return PositionSeconds(); };
    const auto len = [] { return LengthSeconds(); };
    const int listWidth = main_.lstListe->width();
    if (mode == 0) {
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
    } else if (mode == 1) {
        setShown(shpStrich, true);
        setCaption(lblZeit, remainingText(qint64(len() - pos())));
        setWidth(shpStrich, int(std::lround(ratio(len() - pos(), len()) * listWidth)));
        setCaption(lblProzent, percentText(ratio(len() - pos(), len())));
    } else {
        if (!lblZeit->text().isEmpty()) {
            setCaption(lblZeit, QString());
            setWidth(lblZeit, main_.windowLayout.toPixels(500));
        }
        setLeft(lblZeit, (main_.width() - lblZeit->width()) / 2);
        setCaption(lblProzent, QString());
        return;
    }
    if (!lblProzent->text().isEmpty()) {
        lblProzent->adjustSize();
        setLeft(lblProzent, listWidth / 2 - lblProzent->width() / 2 + shpStrich->x());
    }
}

void TimeDisplay::showIdle(int mode) {
    setShown(shpStrich, false);
    setCaption(lblProzent, QString());
    setListHeight();
    if (mode == 0) {
        setCaption(lblZeit, QStringLiteral("0:00"));
    } else if (mode == 1) {
        // Shows the full length of the selected entry, which is left open and paused.
        StopAndClose();
        qint64 r = 0;
        const qsizetype selected = main_.display.SelectedIndex();
        if (selected < main_.lstListe->ListCount()) {
            OpenAndPlay(EntryAt(main_.state, selected));
            PausePlayback();
            r = qint64(LengthSeconds() - PositionSeconds());
        }
        setCaption(lblZeit, remainingText(r));
    } else {
        setCaption(lblZeit, QString());
    }
}

void TimeDisplay::lblZeit_Click() {
    int& mode = main_.state.TimeDisplayMode;
    mode = mode < 2 ? mode + 1 : 0;
    if (mode == 2) {
        setListHeight();
        setShown(shpStrich, false);
        setBorder(lblZeit, false);
    } else {
        setListHeight(barHeight());
        setBorder(lblZeit, true);
    }
    ZeitAnzeige();
}
