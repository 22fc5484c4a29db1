#include "playlist/window/listdisplay.h"

#include "playlist/playlistmodel.h"
#include "playlist/window/playlistbox.h"

#include <QAction>

ListDisplay::ListDisplay(const PlaylistModel& model, PlaylistBox& list, ViewActions view,
                         std::function<void()> rowClicked)
    : model_(model), list_(list), view_(view), rowClicked_(std::move(rowClicked)) {}

ViewMode ListDisplay::viewMode() const {
    if (view_.tag->isChecked())
        return ViewMode::Tag;
    return view_.all->isChecked() ? ViewMode::All : ViewMode::Filenames;
}

void ListDisplay::RefreshList(qsizetype selectIndex) {
    RefreshList(selectIndex, {});
}

void ListDisplay::RefreshList(qsizetype selectIndex, QStringList fileNames) {
    const ViewMode mode = viewMode();
    if (mode == ViewMode::All)
        list_.setRows(model_.Entries);
    else if (mode == ViewMode::Filenames && fileNames.size() == model_.EntryCount())
        list_.setRows(std::move(fileNames));
    else if (mode == ViewMode::Tag)
        list_.setRows(tagRows_.rows(model_.Entries));
    else
        list_.setRows(BuildRows(model_.Entries, mode));
    const qsizetype count = list_.ListCount();
    if (count > 0) {
        list_.setListIndex(selectIndex < 1 || selectIndex >= count ? 0 : selectIndex);
        rowClicked_();
    }
    const int w = list_.widestRow();
    list_.setHorizontalExtent(list_.width() >= w ? 0 : w);
}

qsizetype ListDisplay::SelectedIndex() const {
    return list_.ListCount() == 0 ? list_.ListCount() + 1 : list_.ListIndex();
}

void ListDisplay::setView(ViewMode mode) {
    view_.all->setChecked(mode == ViewMode::All);
    view_.filenames->setChecked(mode == ViewMode::Filenames);
    view_.tag->setChecked(mode == ViewMode::Tag);
    if (mode != ViewMode::Tag)
        tagRows_ = {};
    if (SelectedIndex() < list_.ListCount())
        RefreshList(SelectedIndex());
}

void ListDisplay::menFold_Click() {
    setView(ViewMode::All);
}
void ListDisplay::menNoFold_Click() {
    setView(ViewMode::Filenames);
}
void ListDisplay::menTag_Click() {
    setView(ViewMode::Tag);
}
