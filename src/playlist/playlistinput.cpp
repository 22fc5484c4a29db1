#include "playlist/playlistinput.h"

#include "app/command.h"
#include "app/frmVeriVuzeDadeve.h"
#include "platform/messages.h"
#include "playback/modmp3.h"
#include "playlist/playlistbox.h"

#include <QMenu>

void PlaylistInput::buildMenu() {
    frmVeriVuzeDadeve& w = main_;
    EditCommands& edit = w.editing;
    auto submenu = [](QMenu* parent, const QString& caption) {
        QMenu* m = parent->addMenu(caption);
        m->setAccessibleName(caption);
        return m;
    };
    auto item = [&w](QMenu* menu, const QString& caption, auto handler) {
        QAction* a = menu->addAction(caption);
        connectCommand(&w, a, &QAction::triggered, handler);
        return a;
    };
    w.menPlaylist = new QMenu(QStringLiteral("Playlist"), &w);
    w.menPlaylist->setAccessibleName(QStringLiteral("Playlist"));
    menPlay = item(w.menPlaylist, QStringLiteral("Play"), [&w] { w.cmdPlay_Click(); });
    w.menInfo = item(w.menPlaylist, QStringLiteral("Fileinfo"), [&w] { w.menInfo_Click(); });
    w.menPlaylist->addSeparator();
    menMove = submenu(w.menPlaylist, QStringLiteral("Move"));
    menUp = item(menMove, QStringLiteral("Up"), [&edit] { edit.cmdHoch_Click(); });
    menDown = item(menMove, QStringLiteral("Down"), [&edit] { edit.cmdRunter_Click(); });
    menMove->addSeparator();
    menTop = item(menMove, QStringLiteral("Top"), [&edit] { edit.cmdHoch2_Click(); });
    menBottom = item(menMove, QStringLiteral("Bottom"), [&edit] { edit.cmdRunter2_Click(); });
    menDelete = submenu(w.menPlaylist, QStringLiteral("Delete"));
    menDelSel = item(menDelete, QStringLiteral("Selected"), [&edit] { edit.cmdLoesch_Click(); });
    menDelAll = item(menDelete, QStringLiteral("All"), [&edit] { edit.cmdLeere_Click(); });
    w.menPlaylist->addSeparator();
    menSort = submenu(w.menPlaylist, QStringLiteral("Sort"));
    menSorFol = submenu(menSort, QStringLiteral("By folder"));
    menAscFol = item(menSorFol, QStringLiteral("Ascending"), [&edit] { edit.menAscFol_Click(); });
    menDesFol = item(menSorFol, QStringLiteral("Descending"), [&edit] { edit.menDesFol_Click(); });
    menSorNam = submenu(menSort, QStringLiteral("By names"));
    menAscNam = item(menSorNam, QStringLiteral("Ascending"), [&edit] { edit.menAscNam_Click(); });
    menDesNam = item(menSorNam, QStringLiteral("Descending"), [&edit] { edit.menDesNam_Click(); });
    menMix = item(menSort, QStringLiteral("Mix list"), [&edit] { edit.cmdMix_Click(); });
    w.menView = submenu(w.menPlaylist, QStringLiteral("View"));
    ListDisplay& display = w.display;
    w.menFold = item(w.menView, QStringLiteral("All"), [&display] { display.menFold_Click(); });
    w.menNoFold = item(w.menView, QStringLiteral("Filenames"), [&display] { display.menNoFold_Click(); });
    w.menTag = item(w.menView, QStringLiteral("MP3-Tag"), [&display] { display.menTag_Click(); });
    for (QAction* a : {w.menFold, w.menNoFold, w.menTag})
        a->setCheckable(true);
    w.menFold->setChecked(true);
    menDbl = item(w.menPlaylist, QStringLiteral("Show doubles"), [&edit] { edit.cmdFilter_Click(); });
}

void PlaylistInput::attach() {
    PlaylistBox* list = main_.lstListe;
    QObject::connect(list, &PlaylistBox::rightPressed, &main_,
                     [this](QPoint at) { main_.menPlaylist->popup(at); });
    QObject::connect(list, &PlaylistBox::keyDown, &main_,
                     [this](int* keyCode, int shift) { lstListe_KeyDown(*keyCode, shift); });
    QObject::connect(list, &PlaylistBox::mouseDown, &main_,
                     [this](Qt::MouseButton b) { RunCommand([&] { lstListe_MouseDown(b); }); });
    QObject::connect(list, &PlaylistBox::mouseMove, &main_,
                     [this](Qt::MouseButtons b) { lstListe_MouseMove(b); });
    QObject::connect(list, &PlaylistBox::mouseUp, &main_, [this] { lstListe_MouseUp(); });
    connectCommand(&main_, list, &PlaylistBox::doubleClicked, [this] { lstListe_DblClick(); });
}

void PlaylistInput::lstListe_KeyDown(int& KeyCode, int /*Shift*/) {
    EditCommands& edit = main_.editing;
    switch (KeyCode) {
    case 13: // Return
        RunCommand([this] { IsPlaying() ? main_.cmdStop_Click() : main_.cmdPlay_Click(); });
        break;
    case 38: // Up arrow
        RunCommand([this] { stepSelection(-1); });
        KeyCode = 0;
        break;
    case 40: // Down arrow
        RunCommand([this] { stepSelection(+1); });
        KeyCode = 0;
        break;
    case 46: // Delete
        RunCommand([&edit] { edit.cmdLoesch_Click(); });
        break;
    case 98: // keypad 2
        RunCommand([&edit] { edit.cmdRunter_Click(); });
        break;
    case 99: // keypad 3
        RunCommand([&edit] { edit.cmdRunter2_Click(); });
        break;
    case 104: // keypad 8
        RunCommand([&edit] { edit.cmdHoch_Click(); });
        break;
    case 105: // keypad 9
        RunCommand([&edit] { edit.cmdHoch2_Click(); });
        break;
    default:
        KeyCode = 0;
    }
}

void PlaylistInput::stepSelection(int step) {
    PlaylistBox& list = *main_.lstListe;
    const qsizetype n = list.ListCount();
    if (n == 0)
        return;
    const qsizetype row = list.ListIndex();
    if (step < 0)
        list.setListIndex(row <= 0 ? n - 1 : row - 1);
    else
        list.setListIndex(row < 0 || row >= n - 1 ? 0 : row + 1);
    main_.lstListe_Click();
    DoEvents();
    if (IsPlaying())
        main_.cmdPlay_Click();
}

void PlaylistInput::lstListe_DblClick() {
    main_.cmdPlay_Click();
}

void PlaylistInput::lstListe_MouseDown(Qt::MouseButton) {
    ProgramState& state = main_.state;
    PlaylistBox& list = *main_.lstListe;
    const qsizetype s = main_.display.SelectedIndex();
    DoEvents();
    // A row without an entry behind it (the display not yet rebuilt) switches nothing.
    if (s >= 0 && s < list.ListCount() && s < state.EntryCount() && IsPlaying() && state.PlayingIndex != s &&
        !state.PlayingFromBrowser) {
        StopAndClose();
        OpenAndPlay(state.Entries.at(s));
        state.PlayingIndex = s;
        DoEvents();
        main_.ZeitAnzeige();
    }
    main_.DragIndex = list.ListIndex();
}

void PlaylistInput::lstListe_MouseMove(Qt::MouseButtons Buttons) {
    qsizetype& from = main_.DragIndex;
    if (Buttons != Qt::LeftButton || from < 0)
        return;
    ProgramState& state = main_.state;
    const qsizetype to = main_.lstListe->ListIndex();
    // Rows without an entry behind them (the display not yet rebuilt) are not dragged over.
    if (to == from || to < 0 || to >= state.EntryCount() || from >= state.EntryCount())
        return;
    main_.lstListe->swapRows(from, to);
    state.Entries.swapItemsAt(from, to);
    from = to;
    state.PlayingIndex = to;
}

void PlaylistInput::lstListe_MouseUp() {
    main_.DragIndex = -1;
}
