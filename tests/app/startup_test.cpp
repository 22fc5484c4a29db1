// The startup sequence on the real main window: which playlist it works on, what it shows, the
// messages it gives, and when it ends the program before the window appears.
#include "app/frmVeriVuzeDadeve.h"
#include "app/gamelocations.h"
#include "appenvironment.h"
#include "playlist/playlistbox.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

const QString kKey = QStringLiteral("Software\\TovrelPro\\RAZ");
const QString kHL = QStringLiteral("Software\\Valve\\Half-Life");
const QString kSteam = QStringLiteral("Software\\Valve\\Steam");
const QString kFirstStart =
    QStringLiteral("This is the first start of the new Verivuzedadeve for Vorlak Legends\r\n"
                   "Much has changed. Do you want to see the new features ? (Recommend)");

struct Run {
    ProgramState state;
    frmVeriVuzeDadeve window{state};
    bool ended = false;
    int exitCode = 0;
    explicit Run(const QStringList& arguments = {}) {
        try {
            window.startup.Form_Load(arguments);
        } catch (const EndProgram& e) {
            ended = true;
            exitCode = e.exitCode;
        }
    }
};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void endsWithoutAnyLocation();
    void endsWithoutAnyPlaylist();
    void onlyHalfLifeGetsAnEmptyPlaylist();
    void halfLifeWinsOverSteam();
    void missingMp3FolderStartsEmpty();
    void commandLinePlaylist();
    void commandLineUpperCaseTxt();
    void firstStartQuestion_data();
    void firstStartQuestion();
    void steamForLinux();
};

void StartupTest::endsWithoutAnyLocation() {
    AppEnvironment env;
    env.messages.expectMsgBox(
        QStringLiteral("Couldn't find the HL/ CS/ Steam location\r\n       This program exits now"), vbOKOnly,
        QStringLiteral("Error"));
    Run run;
    QVERIFY(run.ended);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(!run.window.isVisible());
    QVERIFY(!QFile::exists(env.registryFile()));
    QCOMPARE(env.messages.problems(), QStringList());
}

void StartupTest::endsWithoutAnyPlaylist() {
    AppEnvironment env;
    env.writeRegistry({{kHL, QStringLiteral("InstallPath"), QStringLiteral("C:\\Games\\hl")}});
    const QByteArray before = [&] {
        QFile f(env.registryFile());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    env.messages.expectMsgBox(QStringLiteral("   Couldn't find Vorlak\r\nThis program exits now"), vbOKOnly,
                              QStringLiteral("Error"));
    Run run;
    QVERIFY(run.ended);
    QVERIFY(!run.window.isVisible());
    QFile f(env.registryFile());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
    QCOMPARE(env.messages.problems(), QStringList());
}

void StartupTest::onlyHalfLifeGetsAnEmptyPlaylist() {
    AppEnvironment env;
    env.writeRegistry({{kHL, QStringLiteral("InstallPath"), QStringLiteral("C:\\Games\\hl")},
                       {kKey, QStringLiteral("Opend"), QStringLiteral("1")}});
    env.installMod(QStringLiteral("C:\\Games\\hl"), true);
    Run run;
    QVERIFY(!run.ended);
    QCOMPARE(run.state.PlaylistPath, QStringLiteral("C:\\Games\\hl\\vorlak\\mp3\\playlist.txt"));
    QCOMPARE(QFileInfo(env.drive.host(run.state.PlaylistPath)).size(), 0);
    QVERIFY(run.window.isVisible());
    QCOMPARE(run.window.lstListe->ListCount(), 0);
    QCOMPARE(env.messages.problems(), QStringList());
}

void StartupTest::halfLifeWinsOverSteam() {
    AppEnvironment env;
    env.drive.write(QStringLiteral("C:\\Music\\a.mp3"));
    env.drive.write(QStringLiteral("C:\\Music\\b.mp3"));
    const QByteArray steamList = "C:\\Music\\a.mp3\r\n";
    const QByteArray hlList = "C:\\Music\\b.mp3\r\nc:\\music\\A.mp3\r\n";
    env.installMod(QStringLiteral("C:\\Steam"), true, &steamList);
    env.installMod(QStringLiteral("C:\\HL"), true, &hlList);
    env.writeRegistry({{kSteam, QStringLiteral("ModInstallPath"), QStringLiteral("C:\\Steam")},
                       {kHL, QStringLiteral("InstallPath"), QStringLiteral("C:\\HL")},
                       {kKey, QStringLiteral("Opend"), QStringLiteral("1")}});
    Run run;
    QCOMPARE(run.state.PlaylistPath, QStringLiteral("C:\\HL\\vorlak\\mp3\\playlist.txt"));
    QCOMPARE(run.window.lstListe->rows(),
             QStringList({QStringLiteral("C:\\Music\\b.mp3"), QStringLiteral("C:\\music\\A.mp3")}));
    QCOMPARE(run.window.lstListe->ListIndex(), 0);
    QCOMPARE(env.messages.problems(), QStringList());
}

void StartupTest::missingMp3FolderStartsEmpty() {
    AppEnvironment env;
    env.installMod(QStringLiteral("C:\\HL"), false);
    env.writeRegistry({{kHL, QStringLiteral("InstallPath"), QStringLiteral("C:\\HL")},
                       {kKey, QStringLiteral("Opend"), QStringLiteral("1")}});
    env.messages.expectMsgBox(QStringLiteral("No Valid File selected"), vbOKOnly, QStringLiteral("Error"));
    Run run;
    QVERIFY(!run.ended);
    QVERIFY(run.window.isVisible());
    QCOMPARE(run.state.PlaylistPath, QString());
    QCOMPARE(run.window.lstListe->ListCount(), 0);
    QCOMPARE(env.messages.problems(), QStringList());
}

// A .txt file on the command line is the working file; the game is not looked up at all (here it
// would have got an empty playlist).
void StartupTest::commandLinePlaylist() {
    AppEnvironment env;
    env.drive.write(QStringLiteral("C:\\Music\\a.mp3"));
    const QString list = env.drive.write(QStringLiteral("C:\\Lists\\mine.txt"), "C:\\Music\\a.mp3\r\n");
    env.installMod(QStringLiteral("C:\\HL"), true);
    env.writeRegistry({{kHL, QStringLiteral("InstallPath"), QStringLiteral("C:\\HL")},
                       {kKey, QStringLiteral("Opend"), QStringLiteral("1")}});
    for (const QString& argument : {list, QStringLiteral("C:\\Lists\\mine.txt")}) {
        Run run({argument});
        QCOMPARE(run.state.PlaylistPath, QStringLiteral("C:\\Lists\\mine.txt"));
        QCOMPARE(run.window.lstListe->rows(), QStringList{QStringLiteral("C:\\Music\\a.mp3")});
    }
    QVERIFY(!QFile::exists(env.drive.host(QStringLiteral("C:\\HL\\vorlak\\mp3\\playlist.txt"))));
    QCOMPARE(env.messages.problems(), QStringList());
}

void StartupTest::commandLineUpperCaseTxt() {
    AppEnvironment env;
    env.drive.write(QStringLiteral("C:\\Music\\a.mp3"));
    env.drive.write(QStringLiteral("C:\\LIST.TXT"), "C:\\Music\\a.mp3\r\n");
    env.writeRegistry({{kKey, QStringLiteral("Opend"), QStringLiteral("1")}});
    env.messages.expectMsgBox(QStringLiteral("No Valid File selected"), vbOKOnly, QStringLiteral("Error"));
    Run run({QStringLiteral("C:\\LIST.TXT")});
    QVERIFY(!run.ended);
    QCOMPARE(run.state.PlaylistPath, QStringLiteral("C:\\LIST.TXT"));
    QCOMPARE(run.window.lstListe->ListCount(), 0);
    QCOMPARE(env.messages.problems(), QStringList());
}

void StartupTest::firstStartQuestion_data() {
    QTest::addColumn<QString>("opend");
    QTest::addColumn<bool>("asked");
    QTest::newRow("missing") << QString() << true;
    QTest::newRow("0") << QStringLiteral("0") << true;
    QTest::newRow("1") << QStringLiteral("1") << false;
    QTest::newRow("1 and more") << QStringLiteral("11") << true;
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
        env.messages.expectMsgBox(kFirstStart, vbYesNo, QStringLiteral("First start"), vbNo);
    Run run;
    QVERIFY(run.window.isVisible());
    QCOMPARE(env.messages.problems(), QStringList());
}

// With no registry values, the Half-Life folder of Steam for Linux is the game.
void StartupTest::steamForLinux() {
    AppEnvironment env;
    const QString steam = env.drive.root() + QStringLiteral("/Steam");
    QDir().mkpath(steam + QStringLiteral("/steamapps/common/Half-Life"));
    QDir().mkpath(env.home() + QStringLiteral("/.local/share"));
    QVERIFY(QFile::link(steam, env.home() + QStringLiteral("/.local/share/Steam")));
    env.drive.write(QStringLiteral("C:\\Music\\a.mp3"));
    const QByteArray list = "C:\\Music\\a.mp3\r\n";
    env.installMod(QStringLiteral("C:\\Steam\\steamapps\\common\\Half-Life"), true, &list);
    env.messages.expectMsgBox(kFirstStart, vbYesNo, QStringLiteral("First start"), vbNo);
    Run run;
    QVERIFY(!run.ended);
    QCOMPARE(run.state.PlaylistPath,
             QStringLiteral("C:\\Steam\\steamapps\\common\\Half-Life\\vorlak\\mp3\\playlist.txt"));
    QCOMPARE(run.window.lstListe->ListCount(), 1);
    QCOMPARE(env.messages.problems(), QStringList());
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
