#include "appenvironment.h"
#include "platform/textfile.h"
#include "saveloop.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <gtest/gtest.h>

// A process killed while it saves over the working file leaves the complete old or the complete
// new content, never a mixture or a truncated file.
TEST(SavePlaylist, KillWhileSavingLeavesAWholeFile) {
    AppEnvironment env;
    const QByteArray a = SaveLoopList(false).Entries.toLines();
    const QByteArray b = SaveLoopList(true).Entries.toLines();
    const QString host = env.drive.write("C:\\playlist.txt", a);
    int sawA = 0, sawB = 0;
    for (int round = 0; round < 25; ++round) {
        QProcess saver;
        saver.start(QStringLiteral(SAVE_LOOP_PROGRAM), {"C:\\playlist.txt"});
        ASSERT_TRUE(saver.waitForStarted());
        ASSERT_TRUE(saver.waitForReadyRead(10000)) << "no save finished";
        QThread::msleep(QRandomGenerator::global()->bounded(1, 60));
        saver.kill(); // SIGKILL
        saver.waitForFinished();
        QFile f(host);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray now = f.readAll();
        ASSERT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
        (now == a ? sawA : sawB)++;
    }
    EXPECT_GT(sawA + sawB, 0);
}
