#include "playlist/listdisplay.h"

#include "app/frmVeriVuzeDadeve.h"
#include "playlist/playlistbox.h"

#include <QAction>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>

ListDisplay::ListDisplay(frmVeriVuzeDadeve& main) : main_(main) {}

ViewMode ListDisplay::viewMode() const {
    if (main_.menTag->isChecked())
        return ViewMode::Tag;
    return main_.menFold->isChecked() ? ViewMode::All : ViewMode::Filenames;
}

void ListDisplay::RefreshList(qsizetype selectIndex) {
    RefreshList(selectIndex, {});
}

void ListDisplay::RefreshList(qsizetype selectIndex, QStringList fileNames) {
    PlaylistBox& list = *main_.lstListe;
    const ViewMode mode = viewMode();
    if (mode == ViewMode::Filenames && fileNames.size() == main_.state.EntryCount())
        list.setRows(std::move(fileNames));
    else
        list.setRows(BuildRows(main_.state.Entries, mode));
    const qsizetype count = list.ListCount();
    if (count > 0) {
        list.setListIndex(selectIndex < 1 || selectIndex >= count ? 0 : selectIndex);
        main_.lstListe_Click();
    }
    const int w = MaxItemWidth(list, list.rows());
    list.setHorizontalExtent(list.width() >= w ? 0 : w);
}

qsizetype ListDisplay::SelectedIndex() const {
    const PlaylistBox& list = *main_.lstListe;
    return list.ListCount() == 0 ? list.ListCount() + 1 : list.ListIndex();
}

void ListDisplay::setView(ViewMode mode) {
    main_.menFold->setChecked(mode == ViewMode::All);
    main_.menNoFold->setChecked(mode == ViewMode::Filenames);
    main_.menTag->setChecked(mode == ViewMode::Tag);
    if (SelectedIndex() < main_.lstListe->ListCount())
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
