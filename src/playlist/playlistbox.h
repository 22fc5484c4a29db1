#pragma once
// The playlist box lstListe: a single-selection list whose rows are set whole from the model.
// Rows live in a light list model, so a million rows load, show and scroll.

#include <QAbstractListModel>
#include <QListView>
#include <QStringList>

class PlaylistRows final : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    void setRows(QStringList rows);
    const QStringList& rows() const { return rows_; }
    void setItemSize(QSize size);

private:
    QStringList rows_;
    QSize itemSize_;
};

class PlaylistBox : public QListView {
    Q_OBJECT
public:
    explicit PlaylistBox(QWidget* parent = nullptr);

    void setRows(QStringList rows);
    void clear() { setRows({}); }
    qsizetype ListCount() const { return rows_->rows().size(); }
    QString List(qsizetype row) const { return rows_->rows().value(row); }
    const QStringList& rows() const { return rows_->rows(); }
    // The selected row, -1 when none.
    qsizetype ListIndex() const;
    void setListIndex(qsizetype row);
    // Width in pixels the rows can be scrolled across; 0 removes the horizontal scroll bar.
    void setHorizontalExtent(int pixels);
    int horizontalExtent() const { return extent_; }

Q_SIGNALS:
    // A press of the right button, which shows the pop-up menu and leaves the selection alone.
    void rightPressed(QPoint globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // Never deselects: a list with rows always has a selected row.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;

private:
    void updateItemSize();
    PlaylistRows* rows_;
    int extent_ = 0;
};
