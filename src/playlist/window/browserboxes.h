#pragma once
// The folder box and the file box of the file browser panel, over DOS paths.

#include <QHash>
#include <QListView>
#include <QListWidget>

class QStringListModel;

// The message of the commands that act on the file box's selected file when there is none.
inline const QString kNoFileSelected = QStringLiteral("No file selected");

// A classic folder list: the current folder's ancestors from the drive root down, the current
// folder, then its sub-folders. A double click on a row, or Return, opens that folder, whatever
// the desktop's single-click setting.
class FolderListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FolderListBox(QWidget* parent = nullptr);

    // The current folder: "C:\" for a drive root, "C:\Music" below it.
    QString Path() const { return path_; }
    // Makes path the current folder and lists it. A drive alone ("d:", or "d: [label]" as the
    // drive box writes it) stands for the folder last current on that drive, its root at first.
    // Raises RuntimeError with the platform's description when that drive cannot be read; the
    // box then keeps its folder. Emits changed() when the folder differs from the one before.
    void setPath(const QString& path);
    // Forgets the folder last current on each drive (the drive table changed).
    void forgetFolders() { driveFolders_.clear(); }

Q_SIGNALS:
    void changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void open(const QListWidgetItem* item);
    void fill();
    // Our own pictures: the desktop's icon theme would be searched at every start.
    const QIcon openIcon_{QStringLiteral(":/folders/folder-open.svg")};
    const QIcon closedIcon_{QStringLiteral(":/folders/folder-closed.svg")};
    QString path_;
    QHash<QChar, QString> driveFolders_; // the folder last current on each drive
};

// The MP3 files of one folder ("*.mp3" in any case), sorted by name; single selection. A left press
// selects; moving the mouse on with the button held drags the selected file's name as plain text
// (move only). A right press leaves the selection alone and emits rightPressed().
class FileListBox : public QListView {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    QString Path() const { return path_; }
    // Lists the folder's matching files (read again even when the folder is the same); no file is
    // selected afterwards.
    void setPath(const QString& dosFolder);
    qsizetype ListCount() const;
    // The selected file, -1 when none.
    qsizetype ListIndex() const;
    void setListIndex(qsizetype index);
    // The bare name at index; "" outside the list.
    QString List(qsizetype index) const;
    // Every name listed, in the box's order.
    QStringList names() const;
    // The bare name of the selected file; "" when none.
    QString FileName() const { return List(ListIndex()); }

Q_SIGNALS:
    void rightPressed(QPoint globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void startFileDrag();
    QStringListModel* names_;
    QString path_;
    QPoint pressedAt_;
    bool dragArmed_ = false;
};
