#include "app/frmVeriVuzeDadeve.h"

#include "app/command.h"
#include "mp3info/frmattributes.h"
#include "platform/messages.h"
#include "playlist/browserboxes.h"
#include "playlist/playlistbox.h"
#include "windows/frmabout.h"
#include "windows/frmchange.h"
#include "windows/frmcredits.h"
#include "windows/modgotourl.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>


frmVeriVuzeDadeve::frmVeriVuzeDadeve(ProgramState& programState, QWidget* parent)
    : QMainWindow(parent), state(programState), display(*this), documents(*this), timeDisplay(*this),
      player(*this), editing(*this), playlistInput(*this), startup(*this), shutdown(*this), browser(*this),
      adds(*this), windowLayout(*this), looks(*this) {
    setObjectName(QStringLiteral("frmVeriVuzeDadeve"));
    setWindowTitle(QStringLiteral("Vorlak Verivuze Dadeve"));
    Timer1 = new QTimer(this);
    Timer2 = new QTimer(this);
    for (QTimer* t : {Timer1, Timer2})
        t->setInterval(999);
    buildControls();
    buildMenus();
    // Last, once every unit has built its controls: design size, places, fonts and colours.
    windowLayout.placeAtDesignSize();
    looks.applyDesign();
}

frmVeriVuzeDadeve::~frmVeriVuzeDadeve() = default;

void frmVeriVuzeDadeve::buildControls() {
    auto* client = new QWidget(this);
    setCentralWidget(client);
    windowLayout.buildControls(client);

    lstListe = new PlaylistBox(client);
    lstListe->setObjectName(QStringLiteral("lstListe"));
    lstListe->setAccessibleName(QStringLiteral("Playlist"));

    auto button = [client](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, client);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    cmdDefault = button("cmdDefault", QStringLiteral("&Restore"));
    cmdOeffnen = button("cmdOeffnen", QStringLiteral("&Open"));
    cmdSpeichern = button("cmdSpeichern", QStringLiteral("&Save"));
    cmdQuit = button("cmdQuit", QStringLiteral("&Exit"));
    cmdDefault->setToolTip(QStringLiteral("Replace current List with default playlist from Vorlak"));
    cmdOeffnen->setToolTip(QStringLiteral("Open playlist"));
    cmdSpeichern->setToolTip(QStringLiteral("Saves as playlist.txt in your Vorlak folder "));
    cmdQuit->setToolTip(QStringLiteral("Quits this program"));
    connectCommand(this, cmdDefault, &QPushButton::clicked, [this] { documents.cmdDefault_Click(); });
    connectCommand(this, cmdOeffnen, &QPushButton::clicked, [this] { documents.OpenPlaylist(); });
    connectCommand(this, cmdSpeichern, &QPushButton::clicked, [this] { documents.cmdSpeichern_Click(); });
    connectCommand(this, cmdQuit, &QPushButton::clicked, [this] { close(); });

    timeDisplay.createControls(client);
    player.createControls(client);
    editing.buildButtons(client);

    browser.build(client);
    connectCommand(this, browser.cmdAdd, &QPushButton::clicked, [this] { adds.cmdAdd_Click(); });
    connectCommand(this, browser.cmdAdd2, &QPushButton::clicked, [this] { adds.cmdAdd2_Click(); });
    connectCommand(this, browser.cmdManuell, &QPushButton::clicked, [this] { adds.cmdManuell_Click(); });
    connectCommand(this, browser.File1, &FileListBox::doubleClicked, [this] { File1_DblClick(); });
    connect(lstListe, &PlaylistBox::dropped, this,
            [this](const QMimeData* dropped) { adds.lstListe_OLEDragDrop(*dropped); });
}

void frmVeriVuzeDadeve::buildMenus() {
    menDatei = menuBar()->addMenu(QStringLiteral("&File"));
    menDefault = menDatei->addAction(QStringLiteral("Restore"));
    menOeffnen = menDatei->addAction(QStringLiteral("Open"));
    menSpeichern = menDatei->addAction(QStringLiteral("Save"));
    menSpeichAls = menDatei->addAction(QStringLiteral("Save As"));
    menDatei->addSeparator();
    menQuit = menDatei->addAction(QStringLiteral("Exit"));
    menDefault->setShortcut(QKeySequence(QStringLiteral("Ctrl+R")));
    menOeffnen->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    menSpeichern->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    menQuit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    connectCommand(this, menDefault, &QAction::triggered, [this] { documents.RestoreDefaultPlaylist(); });
    connectCommand(this, menOeffnen, &QAction::triggered, [this] { documents.OpenPlaylist(); });
    connectCommand(this, menSpeichern, &QAction::triggered, [this] { documents.cmdSpeichern_Click(); });
    connectCommand(this, menSpeichAls, &QAction::triggered, [this] { documents.menSpeichAls_Click(); });
    connectCommand(this, menQuit, &QAction::triggered, [this] { close(); });

    menExtras = menuBar()->addMenu(QStringLiteral("E&xtras"));
    menBlind = menExtras->addAction(QStringLiteral("Old layout"));
    menBlind->setCheckable(true);
    connectCommand(this, menBlind, &QAction::triggered, [this] {
        menBlind->setChecked(!menBlind->isChecked()); // the handler sets the check mark itself
        menBlind_Click();
    });

    menHilfe = menuBar()->addMenu(QStringLiteral("&Help"));
    menFeatures = menHilfe->addAction(QStringLiteral("Features"));
    menStrich2 = menHilfe->addSeparator();
    menAbout = menHilfe->addAction(QStringLiteral("About"));
    menCredits = menHilfe->addAction(QStringLiteral("Credits"));
    menWeb = menHilfe->addAction(QStringLiteral("Vorlak Site"));
    menAbout->setShortcut(QKeySequence(Qt::Key_F1));
    menCredits->setShortcut(QKeySequence(Qt::Key_F3));
    connectCommand(this, menFeatures, &QAction::triggered, [this] { menFeatures_Click(); });
    connectCommand(this, menAbout, &QAction::triggered, [this] { ShowAbout(this, menBlind->isChecked()); });
    connectCommand(this, menCredits, &QAction::triggered, [this] { ShowCredits(this, menBlind->isChecked()); });
    connectCommand(this, menWeb, &QAction::triggered, [] { GotoURL(VorlakSiteAddress()); });

    playlistInput.buildMenu();
    playlistInput.attach();
    connectCommand(this, lstListe, &PlaylistBox::clicked, [this] { lstListe_Click(); });

    connectCommand(this, browser.menPlayLeft, &QAction::triggered, [this] { menPlayLeft_Click(); });
    connectCommand(this, browser.menInfoLeft, &QAction::triggered, [this] { browser.menInfoLeft_Click(); });
    connectCommand(this, browser.menAddSel, &QAction::triggered, [this] { adds.cmdAdd_Click(); });
    connectCommand(this, browser.menAddAll, &QAction::triggered, [this] { adds.cmdAdd2_Click(); });
    connectCommand(this, browser.menAddMan, &QAction::triggered, [this] { adds.cmdManuell_Click(); });
}

void frmVeriVuzeDadeve::menInfo_Click() {
    const qsizetype index = display.SelectedIndex();
    DoEvents();
    // A row without an entry behind it (the display not yet rebuilt) shows nothing.
    if (index >= 0 && index < lstListe->ListCount() && index < state.EntryCount())
        ShowFileInfos(state.Entries.at(index), *this);
}

void frmVeriVuzeDadeve::lstListe_Click() {
    ZeitAnzeige();
}

void frmVeriVuzeDadeve::ZeitAnzeige() {
    timeDisplay.ZeitAnzeige();
}

void frmVeriVuzeDadeve::cmdPlay_Click() {
    player.cmdPlay_Click();
}

void frmVeriVuzeDadeve::cmdStop_Click() {
    player.cmdStop_Click();
}

void frmVeriVuzeDadeve::cmdVor_Click() {
    player.cmdVor_Click();
}

void frmVeriVuzeDadeve::cmdZurueck_Click() {
    player.cmdZurueck_Click();
}

void frmVeriVuzeDadeve::File1_DblClick() {
    player.File1_DblClick();
}

void frmVeriVuzeDadeve::menPlayLeft_Click() {
    player.menPlayLeft_Click();
}

void frmVeriVuzeDadeve::PlaceBackgroundImage() {
    windowLayout.PlaceBackgroundImage();
}

void frmVeriVuzeDadeve::PlacePlayerButtons() {
    windowLayout.PlacePlayerButtons();
}

void frmVeriVuzeDadeve::Form_Resize() {
    windowLayout.Form_Resize();
}

void frmVeriVuzeDadeve::ColourListBoxes() {
    looks.ColourListBoxes();
}

void frmVeriVuzeDadeve::menBlind_Click() {
    looks.menBlind_Click();
}

void frmVeriVuzeDadeve::menFeatures_Click() {
    ShowChange(this);
}

void frmVeriVuzeDadeve::UnloadOtherWindows() {
    UnloadFileInfos();
    UnloadAbout();
    UnloadCredits();
    UnloadChange();
}

void frmVeriVuzeDadeve::closeEvent(QCloseEvent* event) {
    if (!unloaded_) {
        unloaded_ = true;
        shutdown.Form_Unload();
    }
    event->accept();
}
