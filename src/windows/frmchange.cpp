#include "windows/frmchange.h"

#include "windows/auxwindow.h"

#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QPointer<frmChange> loaded;

// Label and strip in twips: the scroll range is derived from them.
constexpr int kLabelHeight = 9315;
constexpr int kStripTop = 4020;

// The blocks of the text; each but the last is followed by an empty line.
const char* const kBlocks[][20] = {
    {"Layout", "- Added new background", "- White font and black background", "- Old layout choosable",
     "- Most buttons removed, because there is no need of them anymore"},
    {"MP3", "- Verivuzedadeve is able to play mp3s",
     "- Added Start, Stop, Next song and Previous song buttons", "- Doubleclicking on a mp3 will play it",
     "- Fileinfo shows several fileattributes", "- MP3-tag support"},
    {"Drag&Drop",
     "- Add mp3s by dragging and dropping them in the playlist box (from other list and explorer)",
     "- Change the position of an mp3 on the playlist by dragging it up or down"},
    {"Keyshorcuts", "- Ctrl + O: Open playlist", "- Ctrl + Q: Quit the verivuzedadeve",
     "- Ctrl + R: Restore default Vorlak-playlist", "- Ctrl + S: Save current playlist", "- F1: Show about",
     "- F3: Show Credits", "- Shortcuts in playlist", "    - Return: Play/ Stops selected file",
     "    - Del: Removes selected file", "    - Up-arrow: Selects previous entry",
     "    - Down-arrow: Selects next entry", "    - Num2: Move selected entry one step down",
     "    - Num3: Move selected entry to the bottom", "    - Num8: Move selected entry one step up",
     "    - Num9: Move selected entry to the top"},
    {"Others", "- Vorlak-credits available", "- Added right-click menus", "    - Play file",
     "    - Show fileinfos", "    - Sorting/ Mixing playlist", "    - View", "        - All",
     "        - Filename", "        - MP3-tag", "    - Show double entries",
     "- Open-dialog shows txts and m3us at same time", "- Program checks if mp3s still exist",
     "- You can add a mp3 by typing its filename (with complete folder)",
     "- On quitting, it checks if the playlist has changed", "- Settings become saved in registry"},
};

} // namespace

QStringList FeatureLines() {
    QStringList lines = {QString(36, u' ') + QStringLiteral("Verivuzedadeve is now made by Tovrel"),
                         QString()};
    for (const auto& block : kBlocks) {
        if (lines.size() > 2)
            lines.append(QString());
        for (const char* line : block)
            if (line)
                lines.append(QString::fromLatin1(line));
    }
    return lines;
}

int FeatureScrollMaximum(int labelHeightTwips, int stripTopTwips, double twipsPerPixel) {
    const double value = std::nearbyint((labelHeightTwips - stripTopTwips) / twipsPerPixel);
    return int(
        std::clamp<double>(value, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
}

frmChange::frmChange(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmChange"));
    setWindowTitle(QStringLiteral("Changelog"));
    setWindowIcon(QIcon(aux::kEmblem));
    setAttribute(Qt::WA_DeleteOnClose);
    aux::announceAsDialog(this);
    setFixedSize(7185 / aux::kTwipsPerPixel, 4680 / aux::kTwipsPerPixel);

    lblAnzeige = new QLabel(this);
    lblAnzeige->setObjectName(QStringLiteral("lblAnzeige"));
    lblAnzeige->setGeometry(aux::twips(60, 60, 6675, kLabelHeight));
    lblAnzeige->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblAnzeige->setTextFormat(Qt::PlainText);
    // 52 lines fill about the label's height at this size, and the longest fits its width.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(9);
    lblAnzeige->setFont(font);

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAccessibleName(QStringLiteral("Button strip"));
    Picture1->setGeometry(aux::twips(0, kStripTop, 6855, 675));
    Picture1->setAutoFillBackground(true);

    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setAccessibleName(QStringLiteral("Scroll the new features"));
    VScroll1->setGeometry(aux::twips(6840, 60, 255, 4035));
    VScroll1->setSingleStep(2);
    VScroll1->setPageStep(20);
    VScroll1->setTracking(true); // the text follows the thumb while it is dragged
    connect(VScroll1, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(aux::twips(2460, 4200, 1455, 375));
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    // The load.
    cmdOK->move((width() - cmdOK->width()) / 2, cmdOK->y());
    lblAnzeige->setText(FeatureLines().join(u'\n'));
    VScroll1->setRange(0, FeatureScrollMaximum(lblAnzeige->height() * aux::kTwipsPerPixel,
                                               Picture1->y() * aux::kTwipsPerPixel, aux::kTwipsPerPixel));
}

void frmChange::VScroll1_Change() {
    lblAnzeige->move(lblAnzeige->x(), -VScroll1->value());
}

void frmChange::cmdOK_Click() {
    close(); // hides and unloads
}

frmChange* ChangeWindow() {
    return loaded;
}

void ShowChange(QWidget* owner) {
    if (!loaded)
        loaded = new frmChange(owner);
    loaded->show();
    loaded->raise();
    loaded->activateWindow();
}

void UnloadChange() {
    delete loaded.data();
}
