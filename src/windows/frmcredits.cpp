#include "windows/frmcredits.h"

#include "platform/failure.h"
#include "platform/messages.h"
#include "windows/auxwindow.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

namespace {

// The interval of a scroll step at the start; the speed bar sets it between 20 and 1000 ms.
constexpr int kStartStepMilliseconds = 400;

QPointer<frmCredits> loaded;
const QString kBackground = QStringLiteral(":/windows/credits.svg");

QFont timesBold(qreal points) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

// The lines are laid out taller than their design size allows for (18 pixels a line at 11.25 pt
// where the label gives 16), so the size steps down by a pixel until all of them fit.
void fitLines(QLabel* label, int lines) {
    const QString sample = QStringList(lines, QStringLiteral("\u00c9gy")).join(u'\n');
    QFont font = label->font();
    while (font.pointSizeF() > 6 &&
           QFontMetrics(font).boundingRect(QRect(), Qt::AlignHCenter, sample).height() > label->height())
        font.setPointSizeF(font.pointSizeF() - 0.75);
    label->setFont(font);
}

} // namespace

int CreditsStartDelay(int stepInterval) {
    return int(std::nearbyint(stepInterval * 7.5));
}

frmCredits::frmCredits(QWidget* parent, bool oldLayout) : QWidget(parent, Qt::Window), oldLayout_(oldLayout) {
    setObjectName(QStringLiteral("frmCredits"));
    setWindowTitle(QStringLiteral("Vorlak Credits"));
    setWindowIcon(QIcon(aux::kEmblem));
    setAttribute(Qt::WA_DeleteOnClose);
    aux::announceAsDialog(this);
    setFixedSize(5055 / aux::kTwipsPerPixel, 4050 / aux::kTwipsPerPixel);

    Image1 = aux::pictureLabel(this, "Image1", kBackground, rect(), QStringLiteral("Background picture"));

    auto label = [this](const char* name, QRect rect, qreal points) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(rect);
        l->setFont(timesBold(points));
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        l->setTextFormat(Qt::PlainText);
        aux::setTextColour(l, aux::kRed);
        return l;
    };
    lblAnzeige = label("lblAnzeige", aux::twips(120, 120, 4815, 3375), 11.25);
    Label1 = label("Label1", aux::twips(3240, 3480, 1575, 255), 9.75);
    Label1->setText(QStringLiteral("Scroll Speed"));
    fitLines(lblAnzeige, kLines);

    auto button = [this](const char* name, const QString& caption, QRect rect,
                         void (frmCredits::*handler)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(rect);
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
        return b;
    };
    cmdNochmal = button("cmdNochmal", QStringLiteral("&Again"), aux::twips(120, 3600, 675, 375),
                        &frmCredits::cmdNochmal_Click);
    cmdPause = button("cmdPause", QStringLiteral("&Pause"), aux::twips(900, 3600, 855, 375),
                      &frmCredits::cmdPause_Click);
    cmdWeiter = button("cmdWeiter", QStringLiteral("&Continue"), aux::twips(900, 3600, 855, 375),
                       &frmCredits::cmdWeiter_Click);
    cmdWeiter->hide();
    cmdOK =
        button("cmdOK", QStringLiteral("&OK"), aux::twips(1920, 3600, 1095, 375), &frmCredits::cmdOK_Click);

    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setAccessibleName(QStringLiteral("Scroll speed"));
    HScroll1->setGeometry(aux::twips(3180, 3780, 1755, 195));
    HScroll1->setRange(20, 1000);
    HScroll1->setSingleStep(10);
    HScroll1->setPageStep(100);
    HScroll1->setValue(kStartStepMilliseconds);
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });

    Timer1 = new QTimer(this);
    Timer1->setInterval(kStartStepMilliseconds);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Timer2 = new QTimer(this);
    Timer2->setInterval(CreditsStartDelay(kStartStepMilliseconds));
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(); });
}

frmCredits::~frmCredits() {
    Form_Unload();
}

void frmCredits::Form_Load() {
    show();
    if (oldLayout_) {
        Image1->hide();
        aux::setTextColour(lblAnzeige, aux::kBlack);
        aux::setTextColour(Label1, aux::kBlack);
    }
    Image1->setGeometry(rect());
    aux::drawPicture(Image1, kBackground);
    if (letEventsRun())
        Lade();
}

void frmCredits::Lade() {
    Ende = false;
    Datei.clear();
    try {
        Datei = credits::FindTitlesFile();
        if (Datei.isEmpty()) {
            MsgBox(QStringLiteral("Could not find titles.txt in vorlak dir"), vbOKOnly,
                   QStringLiteral("Error"));
            close();
            return;
        }
        if (!file_.open(Datei))
            throw RuntimeError(QStringLiteral("File not found"));
        while (Zeile != u"Credits" && !file_.atEnd())
            Zeile = file_.readLine();
        Zeile = file_.readLine(); // the line after "Credits"

        QString text;
        lblAnzeige->clear();
        for (int i = 0; i < kLines; ++i) {
            Zeilen[i] = file_.readLine();
            text += Zeilen[i] + u'\n';
            lblAnzeige->setText(text);
        }
        if (letEventsRun())
            Timer2->start();
    } catch (const std::exception&) {
        MsgBox(QStringLiteral("Unknown error. Please report this message"), vbCritical,
               QStringLiteral("Error"));
    }
}

void frmCredits::Timer1_Timer() {
    if (file_.atEnd() || Ende) {
        Timer1->stop();
        HScroll1->setEnabled(false);
        cmdPause->setEnabled(false);
        file_.close();
        return;
    }
    QString text;
    for (int i = 1; i < kLines; ++i) {
        Zeilen[i - 1] = Zeilen[i];
        text += Zeilen[i - 1] + u'\n';
    }
    Zeilen[kLines - 1] = file_.readLine();
    lblAnzeige->setText(text + Zeilen[kLines - 1]);
}

void frmCredits::Timer2_Timer() {
    if (!Ende)
        Timer1->start();
    Timer2->stop();
}

void frmCredits::HScroll1_Change() {
    Timer1->setInterval(HScroll1->value());
    Timer2->setInterval(CreditsStartDelay(HScroll1->value()));
}

void frmCredits::cmdPause_Click() {
    Timer1Aktiv = Timer1->isActive();
    (Timer1Aktiv ? Timer1 : Timer2)->stop();
    if (!letEventsRun())
        return;
    cmdPause->hide();
    cmdWeiter->show();
}

void frmCredits::cmdWeiter_Click() {
    (Timer1Aktiv ? Timer1 : Timer2)->start();
    (Timer1Aktiv ? Timer2 : Timer1)->stop();
    if (!letEventsRun())
        return;
    cmdPause->show();
    cmdWeiter->hide();
}

void frmCredits::cmdNochmal_Click() {
    file_.close();
    Timer1->stop();
    Timer2->stop();
    cmdPause->setEnabled(true);
    HScroll1->setEnabled(true);
    if (letEventsRun())
        Lade();
}

void frmCredits::cmdOK_Click() {
    close(); // hides and unloads
}

void frmCredits::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

bool frmCredits::letEventsRun() {
    const QPointer<frmCredits> self(this);
    DoEvents();
    return self;
}

void frmCredits::Form_Unload() {
    Ende = true;
    Timer1->stop();
    Timer2->stop();
    file_.close();
}

frmCredits* CreditsWindow() {
    return loaded;
}

void ShowCredits(QWidget* owner, bool oldLayout) {
    delete loaded.data();
    loaded = new frmCredits(owner, oldLayout);
    loaded->Form_Load();
}

void UnloadCredits() {
    delete loaded.data();
}
