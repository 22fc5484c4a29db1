// The startup sequence on the real main window: the working playlist it settles on, what it shows,
// its messages, and the end of the program before the window appears. Which game location wins is
// tested on FindDefaultPlaylist itself.
#include "app/gamelocations.h"
#include "app/window/frmVeriVuzeDadeve.h"
#include "appenvironment.h"
#include "platform/dosfs.h"
#include "playlist/documents.h"
#include "playlist/window/playlistbox.h"
#include "windows/frmchange.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QtTest>
#include <cstring>

namespace {

const QString kKey = "Software\\TovrelPro\\RAZ";
const QString kHL = "Software\\Valve\\Half-Life";
const QString kGamePlaylist = "C:\\HL\\vorlak\\mp3\\playlist.txt";

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

// The game in C:\HL with its mp3 folder, started before.
void installGame(AppEnvironment& env, const QByteArray* playlist = nullptr) {
    env.installMod("C:\\HL", true, playlist);
    env.writeRegistry({{kHL, "InstallPath", "C:\\HL"}, {kKey, "Opend", "1"}});
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void withoutTheGamePlaylist();
    void commandLinePath();
    void m3uOnTheCommandLine();
    void workingFile();
    void m3uOfAnotherPlayer();
    void steamPlayPrefix();
    void storedChoices();
};

// Nothing found: the message, an exit code, no window and nothing written. The game found without
// its mp3 folder, so that making the empty playlist fails: no exit, the load reports the empty
// path, the list is empty.
void StartupTest::withoutTheGamePlaylist() {
    for (const bool installed : {false, true}) {
        AppEnvironment env;
        if (installed) {
            env.installMod("C:\\HL", false);
            env.writeRegistry({{kHL, "InstallPath", "C:\\HL"}, {kKey, "Opend", "1"}});
        }
        env.messages.expectMsgBox(installed ? "No Valid File selected"
                                            : "Couldn't find the HL/ CS/ Steam location\r\n"
                                              "       This program exits now",
                                  vbOKOnly, "Error");
        Run run;
        QCOMPARE(run.exitCode, installed ? -1 : 1);
        QCOMPARE(run.window.isVisible(), installed);
        QCOMPARE(QFile::exists(env.registryFile()), installed);
        QCOMPARE(run.state.PlaylistPath, QString());
        QCOMPARE(run.window.lstListe->ListCount(), 0);
        QCOMPARE(env.messages.problems(), QStringList());
    }
}

// The first argument names the playlist: a DOS path ("X:" and more, or a leading backslash) as
// given, anything else as a host path, relative to the working folder (here the root of C:).
void StartupTest::commandLinePath() {
    AppEnvironment env;
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(env.drive.root());
    const struct {
        QStringList arguments;
        const char* playlist;
    } cases[] = {
        {{}, ""},
        {{""}, ""},
        {{"\\Lists\\a.txt", "b.txt"}, "\\Lists\\a.txt"},
        {{"c:a.txt"}, "c:a.txt"},
        {{"x"}, "C:\\x"},
        {{"1:"}, "C:\\1:"},
        {{env.drive.root() + "/Lists/a.txt"}, "C:\\Lists\\a.txt"},
        {{"Lists/a.txt"}, "C:\\Lists\\a.txt"},
    };
    for (const auto& c : cases)
        QCOMPARE(Startup::CommandLinePlaylist(c.arguments), QLatin1String(c.playlist));
    QDir::setCurrent(cwd);
}

// Another player's list: a file that exists, named ".m3u" or ".m3u8" in any case.
void StartupTest::m3uOnTheCommandLine() {
    AppEnvironment env;
    const struct {
        const char* path;
        bool exists, m3u;
    } cases[] = {
        {"C:\\x.m3u", true, true},       {"C:\\X.M3U", true, true},       {"C:\\x.M3u8", true, true},
        {"C:\\gone.m3u8", false, false}, {"C:\\x.m3u8.txt", true, false}, {"C:\\m3u", true, false},
        {"C:\\x.m3", true, false},
    };
    for (const auto& c : cases) {
        if (c.exists)
            env.drive.write(QLatin1String(c.path));
        QVERIFY2(Startup::IsM3uPlaylist(QLatin1String(c.path)) == c.m3u, c.path);
    }
}

// A file named on the command line is the working file when it exists and its name ends in "txt"
// in any case; the game is then not looked up at all (here it would get an empty playlist). The
// loader wants ".txt" in lower case, so "LIST.TXT" starts empty.
void StartupTest::workingFile() {
    const struct {
        const char* argument; // "/..." a host path below C:
        const char* working;  // nullptr: the game's playlist
        int rows;
    } cases[] = {
        {"/Lists/mine.txt", "C:\\Lists\\mine.txt", 1},
        {"\\Lists\\mine.txt", "\\Lists\\mine.txt", 1},
        {"C:\\Lists\\LIST.TXT", "C:\\Lists\\LIST.TXT", 0},
        {"C:\\Lists\\TXT", "C:\\Lists\\TXT", 0},
        {"C:\\Lists\\mine.pls", nullptr, 0},
        {"C:\\Lists\\gone.txt", nullptr, 0},
        {"", nullptr, 0},
    };
    for (const auto& c : cases) {
        AppEnvironment env;
        env.drive.write("C:\\Music\\a.mp3");
        for (const char* name : {"mine.txt", "LIST.TXT", "TXT", "mine.pls"})
            env.drive.write("C:\\Lists\\" + QLatin1String(name), "C:\\Music\\a.mp3\r\n");
        installGame(env);
        if (c.working && c.rows == 0)
            env.messages.expectMsgBox("No Valid File selected", vbOKOnly, "Error");
        const QString argument = QLatin1String(c.argument);
        Run run({argument.startsWith(u'/') ? env.drive.root() + argument : argument});
        QCOMPARE(run.state.PlaylistPath, c.working ? QLatin1String(c.working) : kGamePlaylist);
        QCOMPARE(run.window.lstListe->ListCount(), c.rows);
        QCOMPARE(QFile::exists(env.drive.host(kGamePlaylist)), !c.working);
        QCOMPARE(env.messages.problems(), QStringList());
    }
}

// The desktop hands over the M3U8 playlist of a Linux player: its titles replace the game's list as
// Open reads them, and the game's playlist stays the working file, which the exit then offers to
// save.
void StartupTest::m3uOfAnotherPlayer() {
    AppEnvironment env;
    env.drive.write("C:\\Music\\a.mp3");
    const QByteArray game = "C:\\Music\\a.mp3\r\nC:\\Music\\a.mp3\r\n";
    installGame(env, &game);
    const QString m3u8 =
        env.drive.write("C:\\Lists\\Mix.M3U8", "#EXTM3U\n" + env.drive.root().toUtf8() + "/Music/a.mp3\n");
    env.messages.expectMsgBox("Added 1 files successfully", vbOKOnly, "Saved");
    Run run({m3u8});
    QCOMPARE(run.state.PlaylistPath, kGamePlaylist);
    QCOMPARE(run.state.Entries, QStringList({"C:\\Music\\a.mp3"}));
    QCOMPARE(run.window.lstListe->rows(), run.state.Entries);
    QCOMPARE(ListEqualsFile(run.state, kGamePlaylist), FileComparison::Differs);
    QCOMPARE(env.messages.problems(), QStringList());
}

// Half-Life found in the Steam library (no registry values) runs under Steam Play in the library's
// Proton prefix, so that prefix's dosdevices give the drive letters: the working playlist (also
// one named on the command line) and its entries are the paths the game resolves, and the drive
// box lists those drives. WINEPREFIX still comes first, ~/.wine only after it. Every prefix maps
// its own drive_c as C:, holding one title named after it, and a letter of its own to "/".
void StartupTest::steamPlayPrefix() {
    const struct {
        // P: the Proton prefix, W: ~/.wine, N: WINEPREFIX, R: the registry names the Half-Life
        // folder through ~/.wine's Y:
        const char* prefixes;
        bool commandLine;   // the playlist is named on the command line as a host path
        const char* drives; // the drive box's letters; the last one is "/"
        const char* entry;  // the title that resolves ("" none)
    } cases[] = {
        {"P", false, "CZ", "proton"}, {"PW", false, "CZ", "proton"}, {"PW", true, "CZ", "proton"},
        {"W", false, "CY", "wine"},   {"PWR", false, "CY", "wine"},  {"PWN", false, "CX", "named"},
        {"", false, "Z", ""}, // no prefix: Z: is /
    };
    for (const auto& c : cases) {
        AppEnvironment env;
        const QString home = env.home(), library = home + "/.local/share/Steam/steamapps";
        const QString game = library + "/common/Half-Life", list = home + "/Lists/mine.txt";
        const struct {
            char key, letter;
            QString prefix;
            const char* title;
        } prefixes[] = {{'P', 'z', library + "/compatdata/70/pfx", "proton"},
                        {'W', 'y', home + "/.wine", "wine"},
                        {'N', 'x', home + "/named", "named"}};
        for (const auto& p : prefixes) {
            if (!std::strchr(c.prefixes, p.key))
                continue;
            writeFile(p.prefix + "/drive_c/Music/" + p.title + ".mp3");
            QDir().mkpath(p.prefix + "/dosdevices");
            QFile::link("../drive_c", p.prefix + "/dosdevices/c:");
            QFile::link("/", p.prefix + "/dosdevices/" + p.letter + ':');
        }
        ScopedEnv named("WINEPREFIX", std::nullopt), drives("VORLAK_DRIVES", std::nullopt);
        if (std::strchr(c.prefixes, 'N'))
            qputenv("WINEPREFIX", (home + "/named").toUtf8());
        dosfs::reloadDrives();

        const QByteArray titles = "C:\\Music\\proton.mp3\r\nC:\\Music\\wine.mp3\r\nC:\\Music\\named.mp3\r\n";
        writeFile(game + "/vorlak/liblist.gam", "game \"Vorlak Legends\"\r\n");
        writeFile(game + "/vorlak/mp3/playlist.txt", titles);
        writeFile(list, titles);
        QList<std::tuple<QString, QString, QString>> values = {{kKey, "Opend", "1"}};
        if (std::strchr(c.prefixes, 'R'))
            values.append({kHL, "InstallPath", "Y:" + QString(game).replace(u'/', u'\\')});
        env.writeRegistry(values);
        Run run(c.commandLine ? QStringList{list} : QStringList());

        const QString working = c.commandLine ? list : game + "/vorlak/mp3/playlist.txt";
        QString letters;
        for (int i = 0; i < run.window.Drive1->count(); ++i)
            letters += run.window.Drive1->itemData(i).toString();
        const QStringList got = {run.state.PlaylistPath, run.state.Entries.toStringList().join(u','), letters,
                                 env.messages.problems().join(u',')};
        const QStringList want = {QString(QChar::fromLatin1(c.drives[std::strlen(c.drives) - 1])) + u':' +
                                      QString(working).replace(u'/', u'\\'),
                                  *c.entry ? "C:\\Music\\" + QString::fromLatin1(c.entry) + ".mp3"
                                           : QString(),
                                  QString::fromLatin1(c.drives), QString()};
        QVERIFY2(got == want,
                 qPrintable(QStringLiteral("%1:\n got  %2\n want %3")
                                .arg(QLatin1String(c.prefixes), got.join(u'|'), want.join(u'|'))));
    }
}

// Unless the stored "Opend" is exactly "1", the start offers the new features, and Yes opens them.
// The stored "Old" of "1" starts the old look, after the list boxes took their colours.
void StartupTest::storedChoices() {
    AppEnvironment env;
    env.installMod("C:\\HL", true);
    env.writeRegistry({{kHL, "InstallPath", "C:\\HL"}, {kKey, "Opend", "11"}, {kKey, "Old", "1"}});
    env.messages.expectMsgBox(
        QStringLiteral("This is the first start of the new Verivuzedadeve for Vorlak Legends\r\n"
                       "Much has changed. Do you want to see the new features ? (Recommend)"),
        vbYesNo, "First start", vbYes);
    Run run;
    QVERIFY(ChangeWindow() && ChangeWindow()->isVisible());
    QVERIFY(run.window.menBlind->isChecked());
    QCOMPARE(run.window.lstListe->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(env.messages.problems(), QStringList());
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
