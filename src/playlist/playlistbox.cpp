#include "playlist/playlistbox.h"

#include <QMouseEvent>

int PlaylistRows::rowCount(const QModelIndex& parent) const {
    // Qt's views count rows in int; the model never holds more than fits.
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant PlaylistRows::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    if (role == Qt::DisplayRole)
        return rows_.at(index.row());
    if (role == Qt::SizeHintRole)
        return itemSize_;
    return {};
}

void PlaylistRows::setRows(QStringList rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void PlaylistRows::setItemSize(QSize size) {
    if (size == itemSize_)
        return;
    // The view takes the size of every row from the first one; a layout change keeps the selection.
    Q_EMIT layoutAboutToBeChanged();
    itemSize_ = size;
    Q_EMIT layoutChanged();
}

PlaylistBox::PlaylistBox(QWidget* parent) : QListView(parent), rows_(new PlaylistRows(this)) {
    setModel(rows_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTextElideMode(Qt::ElideNone);
    updateItemSize();
}

void PlaylistBox::setRows(QStringList rows) {
    rows_->setRows(std::move(rows));
}

qsizetype PlaylistBox::ListIndex() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void PlaylistBox::setListIndex(qsizetype row) {
    if (row < 0 || row >= ListCount()) {
        clearSelection();
        return;
    }
    const QModelIndex index = rows_->index(int(row));
    setCurrentIndex(index);
    selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
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

void PlaylistBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        Q_EMIT rightPressed(event->globalPosition().toPoint());
        return;
    }
    QListView::mousePressEvent(event);
}

QItemSelectionModel::SelectionFlags PlaylistBox::selectionCommand(const QModelIndex& index,
                                                                  const QEvent* event) const {
    // Ctrl with a click or the space bar would deselect the selected row, and a click below the
    // rows would clear the selection: either would leave none.
    const auto flags = QListView::selectionCommand(index, event);
    if (!index.isValid() || flags.testFlag(QItemSelectionModel::Deselect))
        return QItemSelectionModel::NoUpdate;
    return flags;
}
