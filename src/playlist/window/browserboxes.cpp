#include "playlist/window/browserboxes.h"

#include "platform/dosfslisting.h"
#include "platform/failure.h"
#include "playlist/window/playlistbox.h"

#include <QApplication>
#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QStringListModel>
#include <QStyledItemDelegate>

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kIndentPixels = 12;

// Draws each folder row indented by its depth below the drive root.
class IndentDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(option.rect.left() + kIndentPixels * index.data(kDepthRole).toInt());
        QStyledItemDelegate::paint(painter, indented, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) +
               QSize(kIndentPixels * index.data(kDepthRole).toInt(), 0);
    }
};

// "d:" or "d: [label]": a drive without a folder.
bool isDriveOnly(const QString& path) {
    return path.size() >= 2 && path.at(0).isLetter() && path.at(1) == u':' &&
           (path.size() == 2 || path.at(2) == u' ');
}

} // namespace

FolderListBox::FolderListBox(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new IndentDelegate(this));
    setIconSize(QSize(16, 16)); // the pictures would grow to the style's list icon size
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { open(item); });
}

void FolderListBox::open(const QListWidgetItem* item) {
    if (item)
        setPath(item->data(kPathRole).toString());
}

void FolderListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        open(currentItem());
    else
        QListWidget::keyPressEvent(event);
}

void FolderListBox::setPath(const QString& path) {
    QString target;
    if (isDriveOnly(path)) {
        const QChar letter = path.at(0).toUpper();
        const QString failure = dosfs::driveReadFailure(letter);
        if (!failure.isEmpty())
            throw RuntimeError(failure);
        target = driveFolders_.value(letter, QString(letter) + QStringLiteral(":\\"));
    } else {
        target = QString(path).replace(u'/', u'\\');
        while (target.size() > 3 && target.endsWith(u'\\'))
            target.chop(1);
        if (target.size() == 2)
            target += u'\\';
    }
    const bool differs = target != path_;
    path_ = target;
    driveFolders_[target.at(0).toUpper()] = target;
    fill();
    if (differs)
        Q_EMIT changed();
}

void FolderListBox::fill() {
    clear();
    const QString root = path_.left(3);
    const QStringList parts = path_.mid(3).split(u'\\', Qt::SkipEmptyParts);
    auto add = [this](const QIcon& icon, const QString& text, const QString& path, int depth) {
        auto* item = new QListWidgetItem(icon, text, this);
        item->setData(kPathRole, path);
        item->setData(kDepthRole, depth);
    };
    add(openIcon_, root.toLower(), root, 0);
    QString folder = root;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        folder += (i ? QStringLiteral("\\") : QString()) + parts[i];
        add(openIcon_, parts[i], folder, int(i + 1));
    }
    setCurrentRow(int(parts.size()));
    const QString prefix = path_.endsWith(u'\\') ? path_ : path_ + u'\\';
    for (const QString& name : dosfs::readSubfolders(path_))
        add(closedIcon_, name, prefix + name, int(parts.size() + 1));
}

FileListBox::FileListBox(QWidget* parent) : QListView(parent), names_(new QStringListModel(this)) {
    setModel(names_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void FileListBox::setPath(const QString& dosFolder) {
    path_ = dosFolder;
    names_->setStringList(dosfs::readMatchingFiles(dosFolder, QStringLiteral("*.mp3")));
}

qsizetype FileListBox::ListCount() const {
    return names_->rowCount();
}

qsizetype FileListBox::ListIndex() const {
    return SelectedRow(*this);
}

void FileListBox::setListIndex(qsizetype index) {
    SelectRow(*this, index);
}

QString FileListBox::List(qsizetype index) const {
    if (index < 0 || index >= ListCount())
        return {};
    return names_->index(int(index)).data().toString();
}

QStringList FileListBox::names() const {
    return names_->stringList();
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
    dragArmed_ = false;
    if (event->button() == Qt::RightButton) {
        Q_EMIT rightPressed(event->globalPosition().toPoint());
        return;
    }
    QListView::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && ListIndex() >= 0) {
        dragArmed_ = true;
        pressedAt_ = event->position().toPoint();
    }
}

void FileListBox::mouseMoveEvent(QMouseEvent* event) {
    if (dragArmed_ && (event->buttons() & Qt::LeftButton)) {
        // While the button is held the selection stays on the pressed file.
        if ((event->position().toPoint() - pressedAt_).manhattanLength() >=
            QApplication::startDragDistance()) {
            dragArmed_ = false;
            startFileDrag();
        }
        return;
    }
    QListView::mouseMoveEvent(event);
}

void FileListBox::mouseReleaseEvent(QMouseEvent* event) {
    dragArmed_ = false;
    QListView::mouseReleaseEvent(event);
}

void FileListBox::startFileDrag() {
    auto* name = new QMimeData;
    name->setText(FileName());
    auto* drag = new QDrag(this);
    drag->setMimeData(name);
    drag->exec(Qt::MoveAction);
}
