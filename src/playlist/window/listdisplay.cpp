#include "playlist/window/listdisplay.h"

#include "playlist/playlistmodel.h"
#include "playlist/window/playlistbox.h"

#include <QAction>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>

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
    if (mode == ViewMode::Filenames && fileNames.size() == model_.EntryCount())
        list_.setRows(std::move(fileNames));
    else
        list_.setRows(BuildRows(model_.Entries, mode));
    const qsizetype count = list_.ListCount();
    if (count > 0) {
        list_.setListIndex(selectIndex < 1 || selectIndex >= count ? 0 : selectIndex);
        rowClicked_();
    }
    const int w = MaxItemWidth(list_, list_.rows());
    list_.setHorizontalExtent(list_.width() >= w ? 0 : w);
}

qsizetype ListDisplay::SelectedIndex() const {
    return list_.ListCount() == 0 ? list_.ListCount() + 1 : list_.ListIndex();
}

void ListDisplay::setView(ViewMode mode) {
    view_.all->setChecked(mode == ViewMode::All);
    view_.filenames->setChecked(mode == ViewMode::Filenames);
    view_.tag->setChecked(mode == ViewMode::Tag);
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

int MaxItemWidth(const QListView& list, const QStringList& rows) {
    // Shaping every row is slow for long lists, so rows are first estimated from cached character
    // advances; only those that may be the widest are measured exactly.
    const QFontMetricsF metrics(list.font());
    std::vector<qreal> advance(0x10000, -1); // by UTF-16 unit, measured on first sight
    std::vector<std::pair<qreal, qsizetype>> estimates;
    estimates.reserve(rows.size());
    for (qsizetype r = 0; r < rows.size(); ++r) {
        qreal w = 0;
        for (QChar c : rows[r]) {
            qreal& a = advance[c.unicode()];
            if (a < 0)
                a = metrics.horizontalAdvance(c);
            w += a;
        }
        estimates.emplace_back(w, r);
    }
    if (estimates.empty())
        return 5;
    const qreal top = std::max_element(estimates.begin(), estimates.end())->first;
    std::erase_if(estimates, [top](const auto& e) { return e.first < top * 0.97 - 4; });
    constexpr std::size_t kMeasured = 256;
    if (estimates.size() > kMeasured)
        std::partial_sort(estimates.begin(), estimates.begin() + kMeasured, estimates.end(),
                          std::greater<>());
    qreal widest = 0;
    const QFontMetrics exact(list.font());
    for (std::size_t i = 0; i < estimates.size() && i < kMeasured; ++i)
        widest = std::max<qreal>(widest, exact.horizontalAdvance(rows[estimates[i].second]));
    return int(std::lround(widest)) + 5;
}
