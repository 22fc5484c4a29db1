#include "playlist/window/documentcommands.h"

#include "platform/dosfs.h"
#include "platform/failure.h"
#include "platform/messages.h"
#include "playback/modmp3.h"
#include "playlist/documents.h"
#include "playlist/programstate.h"
#include "playlist/window/listdisplay.h"
#include "playlist/window/playlistbox.h"
#include "playlist/window/playlisthistory.h"

#include <QCoreApplication>

QString DocumentCommands::ProgramFolder() {
    return dosfs::toDos(QCoreApplication::applicationDirPath());
}

void DocumentCommands::OpenPlaylist() {
    const QString file = messages().showOpenDialog(QStringLiteral("Playlists (*.txt;*.m3u)|*.txt;*.m3u"),
                                                   QStringLiteral("Open playlistfile"), ProgramFolder());
    if (file.isEmpty())
        return;
    const bool keepOld = state_.EntryCount() == 0 ||
                         MsgBox(QStringLiteral("Keep old playlist ?"), vbYesNo, QString()) == vbYes;
    // The first five characters are left out of the classification.
    const QString rest = file.mid(5);
    read(file, keepOld,
         rest.contains(QStringLiteral(".txt"))   ? Format::Text
         : rest.contains(QStringLiteral(".m3u")) ? Format::M3u
                                                 : Format::Unknown);
}

void DocumentCommands::OpenInPlaceOfList(const QString& m3uFile) {
    read(m3uFile, false, Format::M3u);
}

void DocumentCommands::read(const QString& file, bool keepOld, Format format) {
    PlaylistHistory::Step step(history_);
    try {
        readOrRaise(file, keepOld, format);
    } catch (const std::exception&) {
        // The command ends here: no validation, no report, no rebuild.
        ReportCouldNotOpen(file);
    }
}

void DocumentCommands::readOrRaise(const QString& file, bool keepOld, Format format) {
    ProgramState& s = state_;
    qsizetype oldCount = s.EntryCount();
    if (!keepOld) {
        history_.recordReplace(std::exchange(s.Entries, EntryList()));
        list_.clear();
        oldCount = 0;
        DoEvents();
    }
    auto readEntries = [&] {
        if (format == Format::Text) {
            LoadTextPlaylist(s, file);
        } else if (format == Format::M3u) {
            if (!ReadM3uPlaylist(s, file))
                throw RuntimeError(QStringLiteral("Input past end of file"));
        } else {
            MsgBox(QStringLiteral("No valid playlistfile"), vbOKOnly, QStringLiteral("Error"));
        }
    };
    // In place of the old list the entries read need no record: undoing the replacement takes
    // them out with it.
    if (keepOld)
        history_.recordAppending(readEntries);
    else
        readEntries();
    const qsizetype added = s.EntryCount() - oldCount;
    history_.ValidateEntries();
    DoEvents();
    MsgBox(QStringLiteral("Added %1 files successfully").arg(added), vbOKOnly, QStringLiteral("Saved"));
    if (IsPlaying())
        display_.RefreshList(display_.SelectedIndex());
    else
        display_.RefreshList(oldCount);
}

void DocumentCommands::cmdSpeichern_Click() {
    SavePlaylist(state_, state_.PlaylistPath);
}

void DocumentCommands::menSpeichAls_Click() {
    const QString path = messages().showSaveDialog(QStringLiteral("*.txt (Textfile)|*.txt"),
                                                   QStringLiteral("Save as textfile"), ProgramFolder());
    if (!path.isEmpty())
        SavePlaylist(state_, path);
}

void DocumentCommands::cmdDefault_Click() {
    if (MsgBox(QStringLiteral("Do you really want to replace your current") + vbCrLf +
                   QStringLiteral("    playlist with the Vorlak default playlist?"),
               vbYesNo, QStringLiteral("Restore")) == vbYes)
        RestoreDefaultPlaylist();
}

void DocumentCommands::RestoreDefaultPlaylist() {
    ProgramState& s = state_;
    const QString def = DefaultPlaylistPath(s.PlaylistPath);
    if (def.isEmpty() || !dosfs::FileExists(def)) {
        MsgBox(QStringLiteral("Default playlist not found"), vbCritical, QStringLiteral("Error"));
        return;
    }
    PlaylistHistory::Step step(history_);
    history_.recordReplace(std::exchange(s.Entries, EntryList()));
    if (!ReadDefaultPlaylist(s, def))
        ReportCouldNotOpen(def);
    if (s.EntryCount() > 0)
        display_.RefreshList(0);
    else
        list_.clear();
    MsgBox(QStringLiteral("Default playlist successfully opened"), vbOKOnly, QStringLiteral("Opened"));
    validateKeepingSelection();
}

void DocumentCommands::validateKeepingSelection() {
    PlaylistHistory::Step step(history_);
    ProgramState& s = state_;
    const qsizetype selected = list_.ListIndex();
    const QList<qsizetype> removed = history_.ValidateEntries();
    if (removed.isEmpty())
        return;
    // The selected entry keeps its place among the entries that stay; when it went itself, the
    // entry that took its place is selected.
    const qsizetype before =
        std::count_if(removed.begin(), removed.end(), [&](qsizetype r) { return r < selected; });
    if (s.EntryCount() > 0)
        display_.RefreshList(std::min(selected - before, s.EntryCount() - 1));
    else
        list_.clear();
}
