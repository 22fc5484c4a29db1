#include "windows/frmabout.h"

#include "windows/auxwindow.h"

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace {
QPointer<frmAbout> loaded;
const QString kBackground = QStringLiteral(":/windows/about.svg");
} // namespace

void SubstituteFixedsys() {
    // In-process, so that it holds wherever the program runs (also uninstalled and in tests) and
    // changes nothing for other programs, as a fontconfig alias in the user's configuration would.
    const QString family = QStringLiteral("Fixedsys");
    if (!QFont::substitutes(family).contains(QStringLiteral("Terminus")))
        QFont::insertSubstitution(family, QStringLiteral("Terminus"));
}

QStringList AboutLines() {
    return {
        QString(), QStringLiteral("Vorlak Legends Verivuze Dadeve"),
        QString(), QStringLiteral("Version 2.2"),
        QString(), QStringLiteral("Copyright (c) 2004, 2026 TovrelPro"),
        QString(), QStringLiteral("Thanks to every Vorlak player and tester"),
    };
}

frmAbout::frmAbout(QWidget* parent, bool oldLayout) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Vorlak Verivuze Dadeve"));
    setWindowIcon(QIcon(aux::kEmblem));
    setAttribute(Qt::WA_DeleteOnClose);
    aux::announceAsDialog(this);
    setFixedSize(5160 / aux::kTwipsPerPixel, 3675 / aux::kTwipsPerPixel);

    Image1 = aux::pictureLabel(this, "Image1", kBackground, rect(), QStringLiteral("Background picture"));
    Picture1 = aux::pictureLabel(this, "Picture1", aux::kEmblem, aux::twips(2340, 180, 495, 465),
                                 QStringLiteral("Vorlak emblem"));

    SubstituteFixedsys();
    lblAnzeige = new QLabel(this);
    lblAnzeige->setObjectName(QStringLiteral("lblAnzeige"));
    lblAnzeige->setGeometry(aux::twips(120, 900, 4875, 2115));
    QFont font(QStringLiteral("Fixedsys"));
    font.setPointSizeF(9);
    lblAnzeige->setFont(font);
    lblAnzeige->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblAnzeige->setTextFormat(Qt::PlainText);

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(aux::twips(2100, 3240, 1095, 375));
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    // The load: the old layout shows black text on the plain window.
    Image1->setVisible(!oldLayout);
    aux::setTextColour(lblAnzeige, oldLayout ? aux::kBlack : aux::kRed);
    lblAnzeige->setText(AboutLines().join(u'\n'));
    Image1->setGeometry(rect());
    aux::drawPicture(Image1, kBackground);
    Picture1->move((width() - Picture1->width()) / 2, Picture1->y());
}

void frmAbout::cmdOK_Click() {
    close(); // hides and unloads
}

frmAbout* AboutWindow() {
    return loaded;
}

void ShowAbout(QWidget* owner, bool oldLayout) {
    if (!loaded)
        loaded = new frmAbout(owner, oldLayout);
    loaded->show();
    loaded->raise();
    loaded->activateWindow();
}

void UnloadAbout() {
    delete loaded.data();
}
