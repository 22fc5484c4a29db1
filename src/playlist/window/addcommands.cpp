#include "playlist/window/addcommands.h"

#include "platform/dosfs.h"
#include "platform/messages.h"
#include "playback/modmp3.h"
#include "playlist/window/browserboxes.h"
#include "playlist/documents.h"
#include "playlist/programstate.h"
#include "playlist/window/documentcommands.h"
#include "playlist/window/listdisplay.h"
#include "playlist/window/playlistbox.h"
#include "playlist/window/playlisthistory.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {

const QString kError = QStringLiteral("Error");

// An unexpected failure inside adding: the entries added so far stay, nothing is rebuilt.
template <typename Body> void guarded(Body body) {
    try {
        body();
    } catch (const std::exception&) {
        MsgBox(QStringLiteral("Error while adding file. Please report this message"), vbCritical, kError);
    }
}

} // namespace

QString AddCommands::BrowserFilePath(const QString& fileName) const {
    QString folder = folderBox_.Path();
    if (!folder.isEmpty())
        folder[0] = folder.at(0).toUpper();
    if (!folder.endsWith(u'\\'))
        folder += u'\\';
    return folder + fileName;
}

void AddCommands::add(const QString& path) {
    if (state_.AddEntry(path) == PlaylistModel::AddOutcome::NameOutsideCodePage)
        ReportNameOutsideCodePage(path);
}

void AddCommands::refreshAfterAdd(qsizetype selectIndex) {
    display_.RefreshList(IsPlaying() ? display_.SelectedIndex() : selectIndex);
}

void AddCommands::cmdAdd_Click() {
    PlaylistHistory::Step step(history_);
    guarded([this] {
        FileListBox& files = fileBox_;
        const qsizetype count = files.ListCount();
        const qsizetype i = count <= 0 ? count : files.ListIndex();
        if (i == count) {
            MsgBox(kNoFileSelected, vbOKOnly, kError);
            return;
        }
        // With files listed but none selected the name is "", which AddEntry refuses.
        history_.recordAppending([&] { add(BrowserFilePath(files.List(i))); });
        refreshAfterAdd(state_.EntryCount() - 1);
        if (i < files.ListCount() - 1)
            files.setListIndex(i + 1);
    });
}

void AddCommands::cmdAdd2_Click() {
    PlaylistHistory::Step step(history_);
    guarded([this] {
        FileListBox& files = fileBox_;
        if (files.ListCount() <= 0) {
            MsgBox(QStringLiteral("No file in the box"), vbOKOnly, kError);
            return;
        }
        const qsizetype rowsBefore = list_.ListCount();
        const QStringList names = files.names(); // taken once, before the first addition
        const QString folder = BrowserFilePath(QString());
        QStringList paths;
        paths.reserve(names.size());
        for (const QString& name : names)
            paths.append(folder + name);
        state_.Entries.reserve(state_.EntryCount() + paths.size());
        history_.recordAppending([&] {
            state_.AddEntries(paths, [&paths](qsizetype i, PlaylistModel::AddOutcome outcome) {
                if (outcome == PlaylistModel::AddOutcome::NameOutsideCodePage)
                    ReportNameOutsideCodePage(paths[i]);
            });
        });
        refreshAfterAdd(rowsBefore);
        files.setListIndex(0);
    });
}

void AddCommands::cmdManuell_Click() {
    const QString path =
        messages().inputBox(QStringLiteral("Filename"), QStringLiteral("Add file"), QString());
    PlaylistHistory::Step step(history_);
    if (!path.isEmpty()) {
        history_.recordAppending([&] { add(path); });
        DoEvents();
        refreshAfterAdd(state_.EntryCount() - 1);
    }
    // Also after a cancelled box: entries whose files went away are removed and reported now.
    documents_.validateKeepingSelection();
}

void AddCommands::lstListe_OLEDragDrop(const QMimeData& data) {
    PlaylistHistory::Step step(history_);
    guarded([this, &data] {
        history_.recordAppending([&] {
            if (data.hasUrls())
                addDroppedFiles(data);
            else if (data.hasText())
                add(BrowserFilePath(data.text()));
        });
        refreshAfterAdd(state_.EntryCount() - 1);
    });
}

void AddCommands::addDroppedFiles(const QMimeData& data) {
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile())
            continue; // not a file: nothing to add
        const QString host = url.toLocalFile();
        const QString dos = DosPathOrReport(host);
        if (dos.isEmpty())
            continue;
        if (!HasMp3Extension(dos) || QFileInfo(host).isDir()) {
            MsgBox(QStringLiteral("Invalid filetype: ") + dos, vbOKOnly, kError);
            continue;
        }
        add(dos);
    }
}
