// The Qt message boxes and file dialogs: a box shows the title it is given, an empty one too; the
// dialogs start in a folder of the drive table and hand back DOS paths; a file chosen outside
// every drive is reported and counts as no choice.
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
    void messageBoxTitles();
    void dialogs();
};

void QtMessagesTest::messageBoxTitles() {
    for (const QString& title : {QString(), QStringLiteral("Saved")}) {
        QString shown = "<no box>";
        QTimer user;
        connect(&user, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->windowTitle();
                box->button(QMessageBox::Ok)->click();
            }
        });
        user.start(10);
        QtMessages().msgBox("New playlist successfully saved", vbOKOnly, title);
        QCOMPARE(shown, title);
    }
}

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
        if (!inside)
            env.messages.expectMsgBox("This file is outside every drive: " + chosen, vbOKOnly, "Error");

        // Plays the user: picks the file in the dialog and agrees to every question that follows.
        QString startedIn;
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
                QAbstractButton* yes = box->button(QMessageBox::Yes);
                QMetaObject::invokeMethod(yes ? yes : box->button(QMessageBox::Ok), "click",
                                          Qt::QueuedConnection);
            }
        });
        user.start(10);
        QtMessages qt;
        const QString filter = "Playlists (*.txt;*.m3u)|*.txt;*.m3u";
        const QString result =
            save ? qt.showSaveDialog(filter, "Save", folder) : qt.showOpenDialog(filter, "Open", folder);
        user.stop();

        QCOMPARE(result, inside ? "C:\\lists\\a.txt" : QString());
        QCOMPARE(env.messages.problems(), QStringList());
        QCOMPARE(QDir(startedIn).canonicalPath(),
                 QDir(env.drive.host(folder.isEmpty() ? "C:\\" : folder)).canonicalPath());
    }
}

QTEST_MAIN(QtMessagesTest)
#include "qtmessages_test.moc"
