#include "playlist/window/playlistbox.h"

#include "platform/codepage.h"

#include <QFontMetrics>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

int PlaylistRows::rowCount(const QModelIndex& parent) const {
    // Qt's views count rows in int; the model never holds more than fits.
    return parent.isValid() ? 0 : int(count());
}

QVariant PlaylistRows::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole)
        return row(index.row());
    if (role == Qt::SizeHintRole)
        return itemSize_;
    return {};
}

void PlaylistRows::reset(const std::function<void()>& change) {
    beginResetModel();
    change();
    endResetModel();
}

void PlaylistRows::setRows(EntryList entries) {
    reset([&] {
        entries_ = std::move(entries);
        texts_.clear();
        fromEntries_ = true;
    });
}

void PlaylistRows::setRows(QStringList texts) {
    reset([&] {
        texts_ = std::move(texts);
        entries_.clear();
        fromEntries_ = false;
    });
}

void PlaylistRows::setItemSize(QSize size) {
    if (size == itemSize_)
        return;
    // The view takes the size of every row from the first one; a layout change keeps the selection.
    Q_EMIT layoutAboutToBeChanged();
    itemSize_ = size;
    Q_EMIT layoutChanged();
}

void PlaylistRows::swapRows(int a, int b) {
    if (fromEntries_)
        entries_.swapItemsAt(a, b);
    else
        texts_.swapItemsAt(a, b);
    Q_EMIT dataChanged(index(a), index(a), {Qt::DisplayRole});
    Q_EMIT dataChanged(index(b), index(b), {Qt::DisplayRole});
}

// Shaping every row is slow for long lists, so rows are first estimated from cached character
// advances; only those that may be the widest are measured exactly.
qreal PlaylistRows::widest(const QFont& font) const {
    const QFontMetricsF metrics(font);
    std::vector<qreal> advance(fromEntries_ ? 0x100 : 0x10000, -1); // by byte or UTF-16 unit
    auto advanceOf = [&](char16_t index, auto unit) {
        qreal& a = advance[index];
        if (a < 0)
            a = metrics.horizontalAdvance(QChar(unit()));
        return a;
    };
    std::vector<std::pair<qreal, qsizetype>> estimates;
    estimates.reserve(count());
    for (qsizetype r = 0; r < count(); ++r) {
        qreal w = 0;
        if (fromEntries_)
            for (char b : entries_.bytesAt(r))
                w += advanceOf(uchar(b), [b] { return codepage::unitOf(uchar(b)); });
        else
            for (QChar c : texts_.at(r))
                w += advanceOf(c.unicode(), [c] { return c.unicode(); });
        estimates.emplace_back(w, r);
    }
    if (estimates.empty())
        return 0;
    const qreal top = std::max_element(estimates.begin(), estimates.end())->first;
    std::erase_if(estimates, [top](const auto& e) { return e.first < top * 0.97 - 4; });
    constexpr std::size_t kMeasured = 256;
    if (estimates.size() > kMeasured)
        std::partial_sort(estimates.begin(), estimates.begin() + kMeasured, estimates.end(), std::greater<>());
    qreal widest = 0;
    const QFontMetrics exact(font);
    for (std::size_t i = 0; i < estimates.size() && i < kMeasured; ++i)
        widest = std::max<qreal>(widest, exact.horizontalAdvance(row(estimates[i].second)));
    return widest;
}

int VirtualKeyCode(const QKeyEvent& event) {
    const int key = event.key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return (event.modifiers() & Qt::KeypadModifier ? vk::Numpad0 : vk::Digit0) + (key - Qt::Key_0);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return vk::A + (key - Qt::Key_A);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return vk::F1 + (key - Qt::Key_F1);
    static const QHash<int, int> named = {
        {Qt::Key_Backspace, vk::Backspace}, {Qt::Key_Tab, vk::Tab},       {Qt::Key_Return, vk::Return},
        {Qt::Key_Enter, vk::Return},        {Qt::Key_Shift, vk::Shift},   {Qt::Key_Control, vk::Control},
        {Qt::Key_Alt, vk::Alt},             {Qt::Key_Escape, vk::Escape}, {Qt::Key_Space, vk::Space},
        {Qt::Key_PageUp, vk::PageUp},       {Qt::Key_PageDown, vk::PageDown}, {Qt::Key_End, vk::End},
        {Qt::Key_Home, vk::Home},           {Qt::Key_Left, vk::Left},     {Qt::Key_Up, vk::Up},
        {Qt::Key_Right, vk::Right},         {Qt::Key_Down, vk::Down},     {Qt::Key_Insert, vk::Insert},
        {Qt::Key_Delete, vk::Delete},
    };
    return named.value(key, vk::None);
}

qsizetype SelectedRow(const QAbstractItemView& view) {
    const QModelIndexList selected = view.selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void SelectRow(QAbstractItemView& view, qsizetype row) {
    if (row < 0 || row >= view.model()->rowCount()) {
        view.clearSelection();
        return;
    }
    const QModelIndex index = view.model()->index(int(row), 0);
    view.setCurrentIndex(index);
    view.selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    view.scrollTo(index);
}

PlaylistBox::PlaylistBox(QWidget* parent) : QListView(parent), rows_(new PlaylistRows(this)) {
    setModel(rows_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTextElideMode(Qt::ElideNone);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    updateItemSize();
}

QStringList PlaylistBox::rows() const {
    QStringList texts;
    for (qsizetype i = 0; i < ListCount(); ++i)
        texts.append(rows_->row(i));
    return texts;
}

int PlaylistBox::widestRow() const {
    return int(std::lround(rows_->widest(font()))) + 5;
}

qsizetype PlaylistBox::ListIndex() const {
    return SelectedRow(*this);
}

void PlaylistBox::setListIndex(qsizetype row) {
    SelectRow(*this, row);
}

void PlaylistBox::setHorizontalExtent(int pixels) {
    if (pixels == extent_)
        return;
    extent_ = pixels;
    updateItemSize();
}

void PlaylistBox::updateItemSize() {
    rows_->setItemSize(QSize(extent_, fontMetrics().height()));
}

void PlaylistBox::keyPressEvent(QKeyEvent* event) {
    int keyCode = VirtualKeyCode(*event);
    const Qt::KeyboardModifiers m = event->modifiers();
    Q_EMIT keyDown(&keyCode, (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                                 (m & Qt::AltModifier ? 4 : 0));
    if (keyCode != 0)
        QListView::keyPressEvent(event);
}

void PlaylistBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        Q_EMIT rightPressed(event->globalPosition().toPoint());
        return;
    }
    rowBeforePress_ = ListIndex();
    QListView::mousePressEvent(event);
    Q_EMIT mouseDown(event->button());
}

void PlaylistBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        Q_EMIT rightPressed(event->globalPosition().toPoint());
        return;
    }
    QListView::mouseDoubleClickEvent(event);
}

void PlaylistBox::mouseMoveEvent(QMouseEvent* event) {
    QListView::mouseMoveEvent(event);
    Q_EMIT mouseMove(event->buttons());
}

void PlaylistBox::mouseReleaseEvent(QMouseEvent* event) {
    QListView::mouseReleaseEvent(event);
    Q_EMIT mouseUp(event->button());
}

QItemSelectionModel::SelectionFlags PlaylistBox::selectionCommand(const QModelIndex& index,
                                                                  const QEvent* event) const {
    const auto flags = QListView::selectionCommand(index, event);
    if (!index.isValid() || (flags & QItemSelectionModel::Deselect))
        return QItemSelectionModel::NoUpdate;
    return flags;
}

namespace {
// The box takes drops of any kind. Files from another program are taken as a copy: nothing
// leaves its place, so the source never removes what was dropped.
void acceptDrop(QDropEvent* event) {
    if (!event->source() && (event->possibleActions() & Qt::CopyAction)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->acceptProposedAction();
    }
}
} // namespace

void PlaylistBox::dragEnterEvent(QDragEnterEvent* event) {
    acceptDrop(event);
}

void PlaylistBox::dragMoveEvent(QDragMoveEvent* event) {
    acceptDrop(event);
}

void PlaylistBox::dropEvent(QDropEvent* event) {
    acceptDrop(event);
    Q_EMIT dropped(event->mimeData());
}
