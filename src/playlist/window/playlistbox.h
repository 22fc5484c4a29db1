#pragma once
// The playlist box lstListe: a single-selection list whose rows are set whole from the model.
// Rows live in a light list model, so a million rows load, show and scroll: in the "All" view the
// rows are the model's entries themselves, shared, not copied.

#include "playlist/entrylist.h"

#include <QAbstractListModel>
#include <QListView>
#include <QStringList>
#include <functional>

class QKeyEvent;
class QMimeData;

class PlaylistRows final : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // The rows: entries as they are, or texts of their own.
    void setRows(EntryList entries);
    void setRows(QStringList texts);
    qsizetype count() const { return fromEntries_ ? entries_.size() : texts_.size(); }
    QString row(qsizetype i) const { return fromEntries_ ? entries_.at(i) : texts_.at(i); }
    void setItemSize(QSize size);
    // Exchanges the texts of two rows in place; the selection stays where it is.
    void swapRows(int a, int b);
    // The width in pixels of the widest row in the font's metrics.
    qreal widest(const QFont& font) const;

private:
    void reset(const std::function<void()>& change);
    EntryList entries_;
    QStringList texts_;
    bool fromEntries_ = false;
    QSize itemSize_;
};

// Windows virtual-key codes, the codes the playlist's key handler works with.
namespace vk {
inline constexpr int Backspace = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Alt = 18, Escape = 27,
                     Space = 32, PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37, Up = 38,
                     Right = 39, Down = 40, Insert = 45, Delete = 46, Digit0 = 48, A = 65, Numpad0 = 96,
                     Numpad2 = 98, Numpad3 = 99, Numpad8 = 104, Numpad9 = 105, F1 = 112, None = 255;
} // namespace vk

// The Windows virtual-key code of a key event: keypad digits Numpad0 to Numpad0 + 9 (the keypad
// sends arrows and page keys when Num Lock is off), Return, the arrows, Delete, letters A to A + 25,
// ...; vk::None for keys without one of their own.
int VirtualKeyCode(const QKeyEvent& event);

// The selected row of a single-selection view, -1 when none; and selecting a row (scrolled into
// view), or no row when it is outside the rows.
qsizetype SelectedRow(const QAbstractItemView& view);
void SelectRow(QAbstractItemView& view, qsizetype row);

class PlaylistBox : public QListView {
    Q_OBJECT
public:
    explicit PlaylistBox(QWidget* parent = nullptr);

    void setRows(EntryList entries) { rows_->setRows(std::move(entries)); }
    void setRows(QStringList texts) { rows_->setRows(std::move(texts)); }
    void clear() { setRows(QStringList()); }
    qsizetype ListCount() const { return rows_->count(); }
    // Row i's text, "" outside the rows.
    QString List(qsizetype row) const { return row >= 0 && row < ListCount() ? rows_->row(row) : QString(); }
    QStringList rows() const;
    // The width in pixels of the widest row, in the box's font, plus 5.
    int widestRow() const;
    // Exchanges the texts of two valid rows without rebuilding the box.
    void swapRows(qsizetype a, qsizetype b) { rows_->swapRows(int(a), int(b)); }
    // The selected row, -1 when none.
    qsizetype ListIndex() const;
    void setListIndex(qsizetype row);
    // Width in pixels the rows can be scrolled across; 0 removes the horizontal scroll bar.
    void setHorizontalExtent(int pixels);
    int horizontalExtent() const { return extent_; }
    // The row selected before the last press of a button but the right one moved the selection.
    qsizetype rowBeforePress() const { return rowBeforePress_; }

Q_SIGNALS:
    // A press of the right button, which shows the pop-up menu and leaves the selection alone.
    void rightPressed(QPoint globalPos);
    // A key went down: *keyCode is its Windows virtual-key code; a handler that sets it to 0
    // swallows the key, anything else passes it on to the box. shift: 1 Shift, 2 Ctrl, 4 Alt.
    void keyDown(int* keyCode, int shift);
    // Press of any button but the right one (the box has moved its selection already), move with
    // the buttons held (the box has moved the selection under the pointer), release of any button.
    void mouseDown(Qt::MouseButton button);
    void mouseMove(Qt::MouseButtons buttons);
    void mouseUp(Qt::MouseButton button);
    // Data of any kind dropped on the box.
    void dropped(const QMimeData* data);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // A row is always selected once the box has rows: presses on empty space and Ctrl+presses on
    // the selected row leave the selection alone.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void updateItemSize();
    PlaylistRows* rows_;
    int extent_ = 0;
    qsizetype rowBeforePress_ = -1;
};
