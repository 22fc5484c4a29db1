// The Qt file dialogs and message boxes: the dialogs start in a folder of the drive table and hand
// back DOS paths; a file chosen outside every drive is reported in a box with its title and counts
// as no choice.
#include "app/qtmessages.h"
#include "appenvironment.h"

#include <QDir>
#include <QFileDialog>
#include <QHash>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class QtMessagesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dialogs();
};

// Open and Save, the file chosen inside or outside the drives, starting in a folder of C: or, for a
// program folder on no drive, in the root of the first drive.
void QtMessagesTest::dialogs() {
    const struct {
        bool save;
        const char* folder;
        bool inside; // the file chosen lies on drive C:
    } cases[] = {{false, "C:\\lists", true}, {false, "C:\\lists", false}, {true, "C:\\lists", true},
                 {true, "C:\\lists", false}, {false, "", true},           {true, "", false}};
    for (const auto& [save, folderName, inside] : cases) {
        const QString folder = QLatin1String(folderName);
        AppEnvironment env;
        QTemporaryDir elsewhere;
        env.drive.write("C:\\lists\\a.txt");
        const QString outsideFile = elsewhere.filePath("b.txt");
        QFile(outsideFile).open(QIODevice::WriteOnly);
        const QString chosen = inside ? env.drive.host("C:\\lists\\a.txt") : outsideFile;
        QtMessages qt;
        setMessages(&qt); // the report too is a box of its own

        // Plays the user: picks the file in the dialog and agrees to every question that follows.
        QString startedIn;
        QStringList reports; // the boxes other than the dialog's own questions
        // Each window is acted on once, and again when it is still there half a second later.
        QHash<QWidget*, int> handledAt;
        int tick = 0;
        QTimer user;
        connect(&user, &QTimer::timeout, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            ++tick;
            if (!modal || (handledAt.contains(modal) && tick - handledAt[modal] < 50))
                return;
            handledAt[modal] = tick;
            if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                if (startedIn.isEmpty())
                    startedIn = dialog->directory().absolutePath();
                // Typed as a whole path: the dialog's own listing, filled in the background, plays no part.
                dialog->findChild<QLineEdit*>("fileNameEdit")->setText(chosen);
                // Queued: a question it asks must find this timer free to answer it.
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                if (!qobject_cast<QFileDialog*>(box->parentWidget()))
                    reports << box->windowTitle() + '|' + box->text();
                QAbstractButton* yes = box->button(QMessageBox::Yes);
                QMetaObject::invokeMethod(yes ? yes : box->button(QMessageBox::Ok), "click",
                                          Qt::QueuedConnection);
            }
        });
        user.start(10);
        const QString filter = "Playlists (*.txt;*.m3u)|*.txt;*.m3u";
        const QString result =
            save ? qt.showSaveDialog(filter, "Save", folder) : qt.showOpenDialog(filter, "Open", folder);
        user.stop();
        setMessages(&env.messages);

        QCOMPARE(result, inside ? "C:\\lists\\a.txt" : QString());
        QCOMPARE(reports,
                 inside ? QStringList() : QStringList{"Error|This file is outside every drive: " + chosen});
        QCOMPARE(QDir(startedIn).canonicalPath(),
                 QDir(env.drive.host(folder.isEmpty() ? "C:\\" : folder)).canonicalPath());
    }
}

QTEST_MAIN(QtMessagesTest)
#include "qtmessages_test.moc"
