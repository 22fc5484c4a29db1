#include "playlist/filebrowser.h"

#include "app/frmVeriVuzeDadeve.h"
#include "mp3info/frmattributes.h"
#include "platform/dosfs.h"
#include "platform/dosfslisting.h"
#include "platform/failure.h"
#include "platform/messages.h"
#include "playlist/browserboxes.h"

#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QPushButton>

void FileBrowser::build(QWidget* client) {
    Drive1 = new QComboBox(client);
    Dir1 = new FolderListBox(client);
    File1 = new FileListBox(client);
    // The window layout places the controls by their names.
    const struct {
        QWidget* box;
        const char* name;
        const char* description;
    } boxes[] = {{Drive1, "Drive1", "Drives"}, {Dir1, "Dir1", "Folders"}, {File1, "File1", "MP3 files"}};
    for (const auto& b : boxes) {
        b.box->setObjectName(QString::fromLatin1(b.name));
        b.box->setAccessibleName(QString::fromLatin1(b.description));
    }
    for (const dosfs::DriveEntry& d : dosfs::driveEntries())
        Drive1->addItem(d.text, QString(d.letter));

    auto button = [client](const char* name, const QString& caption, const QString& tip) {
        auto* b = new QPushButton(caption, client);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        return b;
    };
    cmdAdd = button("cmdAdd", QStringLiteral("&Add"), QStringLiteral("Put selected file in playlist"));
    cmdAdd2 = button("cmdAdd2", QStringLiteral("Add a&ll"), QStringLiteral("Put all files in playlist"));
    cmdManuell = button("cmdManuell", QStringLiteral("Add ma&nually"),
                        QStringLiteral("Add the file manually (path & name)"));
    cmdManuell->hide();

    menFileBox = new QMenu(QStringLiteral("FileBox"), &main_);
    menFileBox->setObjectName(QStringLiteral("menFileBox"));
    menFileBox->setAccessibleName(menFileBox->title());
    menPlayLeft = menFileBox->addAction(QStringLiteral("Play"));
    menInfoLeft = menFileBox->addAction(QStringLiteral("Fileinfo"));
    menFileBox->addSeparator()->setObjectName(QStringLiteral("menStrich3"));
    menAdd = menFileBox->addMenu(QStringLiteral("Add"));
    menAdd->setObjectName(QStringLiteral("menAdd"));
    menAdd->setAccessibleName(menAdd->title());
    menAddSel = menAdd->addAction(QStringLiteral("Selected"));
    menAddAll = menAdd->addAction(QStringLiteral("All"));
    menAddMan = menAdd->addAction(QStringLiteral("Manually"));
    menPlayLeft->setObjectName(QStringLiteral("menPlayLeft"));
    menInfoLeft->setObjectName(QStringLiteral("menInfoLeft"));
    menAddSel->setObjectName(QStringLiteral("menAddSel"));
    menAddAll->setObjectName(QStringLiteral("menAddAll"));
    menAddMan->setObjectName(QStringLiteral("menAddMan"));

    // The boxes start on the process's current folder.
    QString start = dosfs::toDos(QDir::currentPath());
    if (start.isEmpty() && !dosfs::drives().isEmpty())
        start = QString(dosfs::drives().first().letter) + QStringLiteral(":\\");
    if (!start.isEmpty()) {
        Dir1->setPath(start);
        File1->setPath(Dir1->Path());
        Drive1->setCurrentIndex(Drive1->findData(QString(start.at(0).toUpper())));
    }
    QObject::connect(Drive1, &QComboBox::currentIndexChanged, Drive1, [this] { Drive1_Change(); });
    QObject::connect(Dir1, &FolderListBox::changed, Dir1, [this] { Dir1_Change(); });
    QObject::connect(File1, &FileListBox::rightPressed, menFileBox,
                     [this](QPoint at) { menFileBox->popup(at); });
}

QString FileBrowser::Drive() const {
    return Drive1->currentText();
}

void FileBrowser::Drive1_Change() {
    try {
        Dir1->setPath(Drive());
    } catch (const RuntimeError& failure) {
        MsgBox(failure.description(), vbOKOnly, AppTitle);
    }
}

void FileBrowser::Dir1_Change() {
    File1->setPath(Dir1->Path());
}

void FileBrowser::menInfoLeft_Click() {
    if (File1->ListCount() <= 0 || File1->ListIndex() < 0) {
        MsgBox(QStringLiteral("No file selected"), vbOKOnly, QStringLiteral("Error"));
        return;
    }
    QString folder = File1->Path();
    if (!folder.endsWith(u'\\'))
        folder += u'\\';
    ShowFileInfos(folder + File1->FileName(), main_);
}
