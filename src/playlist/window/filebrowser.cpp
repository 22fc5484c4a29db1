#include "playlist/window/filebrowser.h"

#include "platform/dosfs.h"
#include "platform/dosfslisting.h"
#include "platform/failure.h"
#include "platform/messages.h"
#include "playlist/window/browserboxes.h"

#include <QComboBox>
#include <QDir>
#include <QSignalBlocker>

FileBrowser::FileBrowser(QComboBox& Drive1, FolderListBox& Dir1, FileListBox& File1,
                         std::function<void(const QString&)> showFileInfos)
    : drives_(Drive1), folders_(Dir1), files_(File1), showFileInfos_(std::move(showFileInfos)) {
    ShowDrives();
    QObject::connect(&drives_, &QComboBox::currentIndexChanged, &drives_, [this] { Drive1_Change(); });
    QObject::connect(&folders_, &FolderListBox::changed, &folders_, [this] { Dir1_Change(); });
}

void FileBrowser::ShowDrives() {
    const QSignalBlocker quietDrives(drives_), quietFolders(folders_);
    drives_.clear();
    folders_.forgetFolders();
    for (const dosfs::DriveEntry& d : dosfs::driveEntries())
        drives_.addItem(d.text, QString(d.letter));
    QString start = dosfs::toDos(QDir::currentPath());
    if (start.isEmpty() && !dosfs::drives().isEmpty())
        start = QString(dosfs::drives().first().letter) + QStringLiteral(":\\");
    if (!start.isEmpty()) {
        folders_.setPath(start);
        files_.setPath(folders_.Path());
        drives_.setCurrentIndex(drives_.findData(QString(start.at(0).toUpper())));
    }
}

QString FileBrowser::Drive() const {
    return drives_.currentText();
}

void FileBrowser::Drive1_Change() {
    try {
        folders_.setPath(Drive());
    } catch (const RuntimeError& failure) {
        MsgBox(failure.description(), vbOKOnly, AppTitle);
    }
}

void FileBrowser::Dir1_Change() {
    files_.setPath(folders_.Path());
}

void FileBrowser::menInfoLeft_Click() {
    if (files_.ListCount() <= 0 || files_.ListIndex() < 0) {
        MsgBox(kNoFileSelected, vbOKOnly, QStringLiteral("Error"));
        return;
    }
    QString folder = files_.Path();
    if (!folder.endsWith(u'\\'))
        folder += u'\\';
    showFileInfos_(folder + files_.FileName());
}
