#include "app/window/mainwindowcontrols.h"

#include "playback/window/imagebutton.h"
#include "playback/window/timedisplay.h"
#include "playlist/window/browserboxes.h"
#include "playlist/window/playlistbox.h"

#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTimer>

namespace {

// The player's timers poll the playback about once a second.
constexpr int kTickMilliseconds = 999;
// How long the background picture's size must hold before it is drawn anew.
constexpr int kRedrawDelayMilliseconds = 150;

// A picture stretched to the widget's size, drawn from an SVG source at the screen's pixel ratio.
// While the size keeps changing the last drawing is stretched; it is drawn anew once the size has
// held for a moment. The source is read at the first drawing, after the window is shown.
class StretchedPicture final : public QWidget {
public:
    StretchedPicture(const QString& svg, QWidget* parent) : QWidget(parent), source_(svg) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        redraw_.setSingleShot(true);
        redraw_.setInterval(kRedrawDelayMilliseconds);
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
        if (!renderer_.isValid())
            renderer_.load(source_);
        const qreal ratio = devicePixelRatioF();
        drawing_ = QPixmap(size() * ratio);
        drawing_.fill(Qt::black);
        QPainter painter(&drawing_);
        renderer_.render(&painter, QRectF(QPointF(0, 0), QSizeF(drawing_.size())));
        painter.end();
        drawing_.setDevicePixelRatio(ratio);
    }
    QString source_;
    QSvgRenderer renderer_;
    QPixmap drawing_;
    QTimer redraw_;
};

template <typename Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton* button(QWidget* client, const char* name, const char* caption, const char* tooltip) {
    auto* b = named(new QPushButton(QString::fromLatin1(caption), client), name);
    b->setToolTip(QString::fromLatin1(tooltip));
    return b;
}

// A button that is never shown: its click is a command that other controls run.
QPushButton* hiddenButton(QWidget* client, const char* name, const char* description) {
    auto* b = named(new QPushButton(client), name);
    b->setAccessibleName(QString::fromLatin1(description));
    b->hide();
    return b;
}

ImageButton* imageButton(QWidget* client, const char* name, const char* icon, const char* description) {
    auto* b = named(new ImageButton(QStringLiteral(":/player/%1.svg").arg(QLatin1String(icon)), client), name);
    b->setAccessibleName(QString::fromLatin1(description));
    return b;
}

QMenu* submenu(QMenu* parent, const char* caption) {
    QMenu* m = parent->addMenu(QString::fromLatin1(caption));
    m->setAccessibleName(m->title());
    return m;
}

QAction* entry(QMenu* menu, const char* caption, const char* name = nullptr) {
    QAction* a = menu->addAction(QString::fromLatin1(caption));
    if (name)
        a->setObjectName(QLatin1String(name));
    return a;
}

} // namespace

MainWindowControls::MainWindowControls(QMainWindow& window) {
    createControls(window);
    createMenus(window);
}

// Created in the order of their stacking, the last on top; the layout places them by their names,
// the looks give them fonts and colours.
void MainWindowControls::createControls(QMainWindow& window) {
    client = new QWidget(&window);
    window.setCentralWidget(client);

    Image1 = named(new StretchedPicture(QStringLiteral(":/pictures/background.svg"), client), "Image1");
    Image1->setAccessibleName(QStringLiteral("Background picture"));
    Image1->lower();
    fraAnzeige = named(new QFrame(client), "fraAnzeige");
    fraAnzeige->setAccessibleName(QStringLiteral("Top band"));
    fraAnzeige->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblCopy = named(new QLabel(QStringLiteral("\u00A9 TovrelPro"), client), "lblCopy");
    lblCopy->setAlignment(Qt::AlignCenter);

    lstListe = named(new PlaylistBox(client), "lstListe");
    lstListe->setAccessibleName(QStringLiteral("Playlist"));
    cmdDefault = button(client, "cmdDefault", "&Restore", "Replace current List with default playlist from Vorlak");
    cmdOeffnen = button(client, "cmdOeffnen", "&Open", "Open playlist");
    cmdSpeichern = button(client, "cmdSpeichern", "&Save", "Saves as playlist.txt in your Vorlak folder ");
    cmdQuit = button(client, "cmdQuit", "&Exit", "Quits this program");

    lblZeit = named(new ClickableLabel(QStringLiteral("0:00"), client), "lblZeit");
    lblZeit->setToolTip(QStringLiteral("Click changes"));
    lblZeit->setAlignment(Qt::AlignCenter);
    lblZeit->setFrameStyle(QFrame::Box | QFrame::Plain);
    shpStrich = named(new QFrame(client), "shpStrich");
    shpStrich->setAccessibleName(QStringLiteral("Progress"));
    shpStrich->setFrameShape(QFrame::NoFrame);
    shpStrich->setAutoFillBackground(true);
    shpStrich->hide();
    lblProzent = named(new QLabel(client), "lblProzent");
    lblProzent->setAlignment(Qt::AlignCenter);
    lblProzent->raise(); // on top of the bar

    imgZurueck = imageButton(client, "imgZurueck", "previous", "Previous");
    imgPlay = imageButton(client, "imgPlay", "play", "Play");
    imgStop = imageButton(client, "imgStop", "stop", "Stop");
    imgVor = imageButton(client, "imgVor", "next", "Next");
    cmdPlay = hiddenButton(client, "cmdPlay", "Play command");
    cmdStop = hiddenButton(client, "cmdStop", "Stop command");
    cmdVor = hiddenButton(client, "cmdVor", "Next command");
    cmdZurueck = hiddenButton(client, "cmdZurueck", "Previous command");
    Timer1 = new QTimer(&window);
    Timer2 = new QTimer(&window);
    Timer1->setInterval(kTickMilliseconds);
    Timer2->setInterval(kTickMilliseconds);

    cmdLoesch = button(client, "cmdLoesch", "R&emove", "Deletes selected file from playlist");
    cmdLeere = button(client, "cmdLeere", "&Clear", "Clears playlist");
    cmdHoch = button(client, "cmdHoch", "&Up", "Move selected file up");
    cmdHoch2 = button(client, "cmdHoch2", "&Top", "Move selected file to the top");
    cmdRunter = button(client, "cmdRunter", "&Down", "Move selected file down");
    cmdRunter2 = button(client, "cmdRunter2", "&Bottom", "Move selected file to the bottom");
    cmdMix = button(client, "cmdMix", "&Mix list", "Mixes the playlist");
    cmdFilter = button(client, "cmdFilter", "&Show doubles", "Shows a double entry from selected entry to bottom");
    cmdMix->hide();
    cmdFilter->hide();

    Drive1 = named(new QComboBox(client), "Drive1");
    Dir1 = named(new FolderListBox(client), "Dir1");
    File1 = named(new FileListBox(client), "File1");
    Drive1->setAccessibleName(QStringLiteral("Drives"));
    Dir1->setAccessibleName(QStringLiteral("Folders"));
    File1->setAccessibleName(QStringLiteral("MP3 files"));
    cmdAdd = button(client, "cmdAdd", "&Add", "Put selected file in playlist");
    cmdAdd2 = button(client, "cmdAdd2", "Add a&ll", "Put all files in playlist");
    cmdManuell = button(client, "cmdManuell", "Add ma&nually", "Add the file manually (path & name)");
    cmdManuell->hide();
}

void MainWindowControls::createMenus(QMainWindow& window) {
    menDatei = window.menuBar()->addMenu(QStringLiteral("&File"));
    menDefault = entry(menDatei, "Restore");
    menOeffnen = entry(menDatei, "Open");
    menSpeichern = entry(menDatei, "Save");
    menSpeichAls = entry(menDatei, "Save As");
    menDatei->addSeparator();
    menQuit = entry(menDatei, "Exit");
    menDefault->setShortcut(QKeySequence(QStringLiteral("Ctrl+R")));
    menOeffnen->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    menSpeichern->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    menQuit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));

    menExtras = window.menuBar()->addMenu(QStringLiteral("E&xtras"));
    menBlind = entry(menExtras, "Old layout");
    menBlind->setCheckable(true);

    menHilfe = window.menuBar()->addMenu(QStringLiteral("&Help"));
    menFeatures = entry(menHilfe, "Features");
    menStrich2 = menHilfe->addSeparator();
    menAbout = entry(menHilfe, "About");
    menCredits = entry(menHilfe, "Credits");
    menWeb = entry(menHilfe, "Vorlak Site");
    menAbout->setShortcut(QKeySequence(Qt::Key_F1));
    menCredits->setShortcut(QKeySequence(Qt::Key_F3));

    // A top-level menu that is never in the menu bar, shown only as the file box's pop-up.
    menFileBox = named(new QMenu(QStringLiteral("FileBox"), &window), "menFileBox");
    menFileBox->setAccessibleName(menFileBox->title());
    menPlayLeft = entry(menFileBox, "Play", "menPlayLeft");
    menInfoLeft = entry(menFileBox, "Fileinfo", "menInfoLeft");
    menFileBox->addSeparator()->setObjectName(QStringLiteral("menStrich3"));
    menAdd = named(submenu(menFileBox, "Add"), "menAdd");
    menAddSel = entry(menAdd, "Selected", "menAddSel");
    menAddAll = entry(menAdd, "All", "menAddAll");
    menAddMan = entry(menAdd, "Manually", "menAddMan");

    menPlaylist = new QMenu(QStringLiteral("Playlist"), &window);
    menPlaylist->setAccessibleName(menPlaylist->title());
    menUndo = entry(menPlaylist, "Undo");
    menRedo = entry(menPlaylist, "Redo");
    menUndo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    menRedo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    window.addActions({menUndo, menRedo});
    menPlaylist->addSeparator();
    menPlay = entry(menPlaylist, "Play");
    menInfo = entry(menPlaylist, "Fileinfo");
    menPlaylist->addSeparator();
    menMove = submenu(menPlaylist, "Move");
    menUp = entry(menMove, "Up");
    menDown = entry(menMove, "Down");
    menMove->addSeparator();
    menTop = entry(menMove, "Top");
    menBottom = entry(menMove, "Bottom");
    menDelete = submenu(menPlaylist, "Delete");
    menDelSel = entry(menDelete, "Selected");
    menDelAll = entry(menDelete, "All");
    menPlaylist->addSeparator();
    menSort = submenu(menPlaylist, "Sort");
    menSorFol = submenu(menSort, "By folder");
    menAscFol = entry(menSorFol, "Ascending");
    menDesFol = entry(menSorFol, "Descending");
    menSorNam = submenu(menSort, "By names");
    menAscNam = entry(menSorNam, "Ascending");
    menDesNam = entry(menSorNam, "Descending");
    menMix = entry(menSort, "Mix list");
    menView = submenu(menPlaylist, "View");
    menFold = entry(menView, "All");
    menNoFold = entry(menView, "Filenames");
    menTag = entry(menView, "MP3-Tag");
    for (QAction* a : {menFold, menNoFold, menTag})
        a->setCheckable(true);
    menFold->setChecked(true);
    menDbl = entry(menPlaylist, "Show doubles");
}
