#include "playlist/playlistbox.h"

#include <QMimeData>
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
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
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
