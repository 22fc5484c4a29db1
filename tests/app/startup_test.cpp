// The startup sequence on the real main window: the working playlist it settles on, what it shows,
// its messages, and the end of the program before the window appears. Which game location wins is
// tested on FindDefaultPlaylist itself.
#include "app/window/frmVeriVuzeDadeve.h"
#include "app/gamelocations.h"
#include "appenvironment.h"
#include "playlist/documents.h"
#include "playlist/window/playlistbox.h"

#include <QFile>
#include <QtTest>

namespace {

const QString kKey = QStringLiteral("Software\\TovrelPro\\RAZ");
const QString kHL = QStringLiteral("Software\\Valve\\Half-Life");

struct Run {
    ProgramState state;
    frmVeriVuzeDadeve window{state};
    int exitCode = -1; // -1: the program goes on
    explicit Run(const QStringList& arguments = {}) {
        try {
            window.startup.Form_Load(arguments);
        } catch (const EndProgram& e) {
            exitCode = e.exitCode;
        }
    }
};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void endsBeforeTheWindow();
    void missingMp3FolderStartsEmpty();
    void commandLine_data();
    void commandLine();
    void m3uOfAnotherPlayer();
    void firstStartQuestion_data();
    void firstStartQuestion();
};

// Nothing found: the message, an exit code, no window and nothing written.
void StartupTest::endsBeforeTheWindow() {
    AppEnvironment env;
    env.messages.expectMsgBox(
        QStringLiteral("Couldn't find the HL/ CS/ Steam location\r\n       This program exits now"), vbOKOnly,
        QStringLiteral("Error"));
    Run run;
    QCOMPARE(run.exitCode, 1);
    QVERIFY(!run.window.isVisible());
    QVERIFY(!QFile::exists(env.registryFile()));
    QCOMPARE(env.messages.problems(), QStringList());
}

// Making the empty playlist fails: no exit, the load reports the empty path, the list is empty.
void StartupTest::missingMp3FolderStartsEmpty() {
    AppEnvironment env;
    env.installMod(QStringLiteral("C:\\HL"), false);
    env.writeRegistry({{kHL, QStringLiteral("InstallPath"), QStringLiteral("C:\\HL")},
                       {kKey, QStringLiteral("Opend"), QStringLiteral("1")}});
    env.messages.expectMsgBox(QStringLiteral("No Valid File selected"), vbOKOnly, QStringLiteral("Error"));
    Run run;
    QCOMPARE(run.exitCode, -1);
    QVERIFY(run.window.isVisible());
    QCOMPARE(run.state.PlaylistPath, QString());
    QCOMPARE(run.window.lstListe->ListCount(), 0);
    QCOMPARE(env.messages.problems(), QStringList());
}

// A file named on the command line (as a host or a DOS path) is the working file whenever its name
// ends in "txt"; the game is then not looked up at all (here it would get an empty playlist). The
// loader wants ".txt" exactly, so "LIST.TXT" starts empty.
void StartupTest::commandLine_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("working");
    QTest::addColumn<int>("rows");
    QTest::newRow("host path") << QStringLiteral("/Lists/mine.txt") << QStringLiteral("C:\\Lists\\mine.txt")
                               << 1;
    QTest::newRow("DOS path") << QStringLiteral("c:\\lists\\MINE.txt")
                              << QStringLiteral("c:\\lists\\MINE.txt") << 1;
    QTest::newRow("upper case") << QStringLiteral("C:\\Lists\\LIST.TXT")
                                << QStringLiteral("C:\\Lists\\LIST.TXT") << 0;
    QTest::newRow("not txt") << QStringLiteral("C:\\Lists\\mine.pls")
                             << QStringLiteral("C:\\HL\\vorlak\\mp3\\playlist.txt") << 0;
}

void StartupTest::commandLine() {
    QFETCH(QString, argument);
    QFETCH(QString, working);
    QFETCH(int, rows);
    AppEnvironment env;
    env.drive.write(QStringLiteral("C:\\Music\\a.mp3"));
    for (const char* name : {"C:\\Lists\\mine.txt", "C:\\Lists\\LIST.TXT", "C:\\Lists\\mine.pls"})
        env.drive.write(QString::fromUtf8(name), "C:\\Music\\a.mp3\r\n");
    env.installMod(QStringLiteral("C:\\HL"), true);
    env.writeRegistry({{kHL, QStringLiteral("InstallPath"), QStringLiteral("C:\\HL")},
                       {kKey, QStringLiteral("Opend"), QStringLiteral("1")}});
    if (argument.endsWith(QStringLiteral("TXT")))
        env.messages.expectMsgBox(QStringLiteral("No Valid File selected"), vbOKOnly,
                                  QStringLiteral("Error"));
    Run run({argument.startsWith(u'/') ? env.drive.root() + argument : argument});
    QCOMPARE(run.state.PlaylistPath, working);
    QCOMPARE(run.window.lstListe->ListCount(), rows);
    QCOMPARE(QFile::exists(env.drive.host(QStringLiteral("C:\\HL\\vorlak\\mp3\\playlist.txt"))),
             !argument.endsWith(QStringLiteral("txt"), Qt::CaseInsensitive));
    QCOMPARE(env.messages.problems(), QStringList());
}

// The desktop hands over the M3U8 playlist of a Linux player (host paths, a file URL, UTF-8): its
// titles replace the game's list as Open reads them, and the game's playlist stays the working
// file, which the exit then offers to save.
void StartupTest::m3uOfAnotherPlayer() {
    AppEnvironment env;
    for (const char* name : {"C:\\Music\\a.mp3", "C:\\Music\\\u00c4 b.mp3", "C:\\Music\\game.mp3"})
        env.drive.write(QString::fromUtf8(name));
    const QByteArray game = "C:\\Music\\game.mp3\r\n";
    env.installMod(QStringLiteral("C:\\HL"), true, &game);
    env.writeRegistry({{kHL, QStringLiteral("InstallPath"), QStringLiteral("C:\\HL")},
                       {kKey, QStringLiteral("Opend"), QStringLiteral("1")}});
    const QByteArray root = env.drive.root().toUtf8();
    const QString m3u8 = env.drive.write(QStringLiteral("C:\\Lists\\Mix.M3U8"),
                                         "#EXTM3U\n#EXTINF:3,Someone - A\n" + root + "/Music/a.mp3\n"
                                         "#EXTINF:3,Someone - B\nfile://" + root + "/Music/%C3%84%20b.mp3\n" +
                                         root + "/Music/gone.mp3\n");
    env.messages.expectMsgBox(QStringLiteral("Added 2 files successfully"), vbOKOnly, QStringLiteral("Saved"));
    Run run({m3u8});
    const QString working = QStringLiteral("C:\\HL\\vorlak\\mp3\\playlist.txt");
    QCOMPARE(run.state.PlaylistPath, working);
    QCOMPARE(run.state.Entries, QStringList({QStringLiteral("C:\\Music\\a.mp3"),
                                             QStringLiteral("C:\\Music\\\u00c4 b.mp3")}));
    QCOMPARE(run.window.lstListe->rows(), run.state.Entries);
    QCOMPARE(run.window.lstListe->ListIndex(), 0);
    QCOMPARE(ListEqualsFile(run.state, working), FileComparison::Differs);
    QCOMPARE(env.messages.problems(), QStringList());
}

void StartupTest::firstStartQuestion_data() {
    QTest::addColumn<QString>("opend");
    QTest::addColumn<bool>("asked");
    QTest::newRow("missing") << QString() << true;
    QTest::newRow("0") << QStringLiteral("0") << true;
    QTest::newRow("11") << QStringLiteral("11") << true;
    QTest::newRow("1") << QStringLiteral("1") << false;
}

void StartupTest::firstStartQuestion() {
    QFETCH(QString, opend);
    QFETCH(bool, asked);
    AppEnvironment env;
    env.installMod(QStringLiteral("C:\\HL"), true);
    QList<std::tuple<QString, QString, QString>> values = {
        {kHL, QStringLiteral("InstallPath"), QStringLiteral("C:\\HL")}};
    if (!opend.isNull())
        values.append({kKey, QStringLiteral("Opend"), opend});
    env.writeRegistry(values);
    if (asked)
        env.messages.expectMsgBox(
            QStringLiteral("This is the first start of the new Verivuzedadeve for Vorlak Legends\r\n"
                           "Much has changed. Do you want to see the new features ? (Recommend)"),
            vbYesNo, QStringLiteral("First start"), vbNo);
    Run run;
    QVERIFY(run.window.isVisible());
    QCOMPARE(env.messages.problems(), QStringList());
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
