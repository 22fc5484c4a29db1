#pragma once
// Every control and menu of the main window, created on the window in one place. The units that
// handle them take the controls they use; the window wires them. Names are the program's own.

class ClickableLabel;
class FileListBox;
class FolderListBox;
class ImageButton;
class PlaylistBox;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMainWindow;
class QMenu;
class QPushButton;
class QTimer;
class QWidget;

struct MainWindowControls {
    explicit MainWindowControls(QMainWindow& window);

    QWidget* client; // the client area, below the menu bar
    // Decoration, below every other control: the background picture, the top band, the credit.
    QWidget* Image1;
    QFrame* fraAnzeige;
    QLabel* lblCopy;

    PlaylistBox* lstListe;
    QPushButton* cmdDefault;
    QPushButton* cmdOeffnen;
    QPushButton* cmdSpeichern;
    QPushButton* cmdQuit;

    // The position display: time field, progress bar under the playlist, percent label on the bar.
    ClickableLabel* lblZeit;
    QFrame* shpStrich;
    QLabel* lblProzent;

    // The player: the image buttons, the commands' own buttons (never shown) and the timers that
    // poll the playback (Timer1 advances the playlist, Timer2 ends a title played from the file box).
    ImageButton* imgZurueck;
    ImageButton* imgPlay;
    ImageButton* imgStop;
    ImageButton* imgVor;
    QPushButton* cmdPlay;
    QPushButton* cmdStop;
    QPushButton* cmdVor;
    QPushButton* cmdZurueck;
    QTimer* Timer1;
    QTimer* Timer2;

    // The editing buttons, shown in the old layout; cmdMix and cmdFilter are reached through the
    // pop-up menu only.
    QPushButton* cmdHoch;
    QPushButton* cmdRunter;
    QPushButton* cmdHoch2;
    QPushButton* cmdRunter2;
    QPushButton* cmdLoesch;
    QPushButton* cmdLeere;
    QPushButton* cmdMix;
    QPushButton* cmdFilter;

    // The file browser panel, its add buttons (cmdManuell never shown) and its pop-up menu.
    QComboBox* Drive1;
    FolderListBox* Dir1;
    FileListBox* File1;
    QPushButton* cmdAdd;
    QPushButton* cmdAdd2;
    QPushButton* cmdManuell;
    QMenu* menFileBox;
    QAction* menPlayLeft;
    QAction* menInfoLeft;
    QMenu* menAdd;
    QAction* menAddSel;
    QAction* menAddAll;
    QAction* menAddMan;

    // The menu bar.
    QMenu* menDatei;
    QAction* menDefault;
    QAction* menOeffnen;
    QAction* menSpeichern;
    QAction* menSpeichAls;
    QAction* menQuit;
    QMenu* menExtras;
    QAction* menBlind; // "Old layout"; its check mark is the record of the layout
    QMenu* menHilfe;
    QAction* menFeatures;
    QAction* menStrich2;
    QAction* menAbout;
    QAction* menCredits;
    QAction* menWeb;

    // The playlist's pop-up menu. Undo and Redo also belong to the window, so that their keys work
    // wherever the focus is in it.
    QMenu* menPlaylist;
    QAction* menUndo;
    QAction* menRedo;
    QAction* menPlay;
    QAction* menInfo;
    QMenu* menMove;
    QAction* menUp;
    QAction* menDown;
    QAction* menTop;
    QAction* menBottom;
    QMenu* menDelete;
    QAction* menDelSel;
    QAction* menDelAll;
    QMenu* menSort;
    QMenu* menSorFol;
    QAction* menAscFol;
    QAction* menDesFol;
    QMenu* menSorNam;
    QAction* menAscNam;
    QAction* menDesNam;
    QAction* menMix;
    QMenu* menView;
    QAction* menFold;
    QAction* menNoFold;
    QAction* menTag;
    QAction* menDbl;

private:
    void createControls(QMainWindow& window);
    void createMenus(QMainWindow& window);
};
