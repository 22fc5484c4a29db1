// The file information window on real widgets: its 20 lines, the size and attribute figures,
// reuse and unloading, the playlist's "Fileinfo" entry; and the "MP3-Tag" view.
#include "app/frmVeriVuzeDadeve.h"
#include "appenvironment.h"
#include "mp3info/frmattributes.h"
#include "playlist/playlistbox.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

QByteArray tagBlock(const QByteArray& title, const QByteArray& interpret, const QByteArray& rest = {}) {
    return "TAG" + title.leftJustified(30, '\0') + interpret.leftJustified(30, '\0') +
           rest.leftJustified(65, '\0');
}

QStringList lines() {
    QStringList result;
    for (int i = 0; FileInfosWindow() && i < FileInfosWindow()->lstHeaderInfos->count(); ++i)
        result.append(FileInfosWindow()->lstHeaderInfos->item(i)->text());
    return result;
}

// The lines for a file without tag or header.
QStringList plainLines(const QString& path, const QString& size, const QString& flags) {
    return {"Title: \t\t\t",
            "Interpret: \t\t\t",
            "Album: \t\t\t",
            "Year: \t\t\t",
            "Comment: \t\t",
            "Genre: \t\t\t",
            "",
            "FilePath: \t\t\t" + path,
            "FileSize: \t\t\t" + size,
            "Bitrate: \t\t\t0",
            "Copyright: \t\tFalse",
            "CRCProtected: \t\tFalse",
            "Frequency: \t\t0",
            "Layer: \t\t\t0",
            "LayerText: \t\t",
            "Original: \t\t\tFalse",
            "Padding: \t\t\tFalse",
            "PrivateBit: \t\tFalse",
            "Length: \t\t\t0 seconds",
            "Attributes: \t\t" + flags};
}

} // namespace

class FileInfoWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<AppEnvironment> env;
    TempDrive* drive = nullptr;
    std::unique_ptr<ProgramState> state;
    std::unique_ptr<frmVeriVuzeDadeve> main;

    void showEntries(const QStringList& entries, qsizetype selected) {
        state->Entries = entries;
        main->display.RefreshList(selected);
    }

private Q_SLOTS:
    void init() {
        env = std::make_unique<AppEnvironment>();
        drive = &env->drive;
        state = std::make_unique<ProgramState>();
        main = std::make_unique<frmVeriVuzeDadeve>(*state);
    }
    void cleanup() {
        QVERIFY2(env->messages.problems().isEmpty(), qPrintable(env->messages.problems().join('\n')));
        main.reset(); // the window goes with it
        QVERIFY(!FileInfosWindow());
        env.reset();
    }

    // "Fileinfo" on the selected row. An ID3v2 tag before the header: kilobytes count the whole
    // file, bytes leave the tag out.
    void knownFileLineByLine() {
        QByteArray data(4'000'000, '\0');
        data.replace(0, 10, QByteArray::fromHex("49443303000000000201"));
        data.replace(267, 4, QByteArray::fromHex("FFFA9208"));
        const QByteArray rest =
            "Fixtures" + QByteArray(22, ' ') + "2024made by hand" + QByteArray(18, '\0') + '\x11';
        data.replace(data.size() - 128, 128, tagBlock("Tone", "Tester", rest));
        drive->write("C:\\Music\\Known.mp3", data);
        showEntries({"C:\\Music\\Other.mp3", "C:\\Music\\Known.mp3"}, 1);
        main->menInfo->trigger();

        QVERIFY(FileInfosWindow() && FileInfosWindow()->isVisible() && !FileInfosWindow()->isModal());
        QCOMPARE(FileInfosWindow()->windowTitle(), "Known.mp3");
        const QStringList expected = {"Title: \t\t\tTone",
                                      "Interpret: \t\t\tTester",
                                      "Album: \t\t\tFixtures",
                                      "Year: \t\t\t2024",
                                      "Comment: \t\tmade by hand",
                                      "Genre: \t\t\t\x11",
                                      "",
                                      "FilePath: \t\t\tC:\\Music\\Known.mp3",
                                      "FileSize: \t\t\t3906 kB (3999733 Bytes)",
                                      "Bitrate: \t\t\t128000",
                                      "Copyright: \t\tTrue",
                                      "CRCProtected: \t\tTrue",
                                      "Frequency: \t\t44100",
                                      "Layer: \t\t\t1",
                                      "LayerText: \t\tLayer III",
                                      "Original: \t\t\tFalse",
                                      "Padding: \t\t\tTrue",
                                      "PrivateBit: \t\tFalse",
                                      "Length: \t\t\t249 seconds",
                                      "Attributes: \t\t- - - A "};
        const QStringList shown = lines();
        QCOMPARE(shown.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(shown[i], expected[i]);
    }

    // Sizes below a kilobyte, the attribute flags, and a file that is gone (no flags, no caption).
    void sizeAndAttributes() {
        const struct {
            const char* name;
            int size;
            QByteArray dosAttrib;
            bool readOnly;
            const char *sizeText, *flags;
        } cases[] = {{"a.mp3", 1023, {}, false, "0 kB (1023 Bytes)", "- - - A "},
                     {"b.mp3", 2048, "0x2", true, "2 kB (2048 Bytes)", "R H - - "},
                     {"c.mp3", 0, "0x24", false, "0 kB (0 Bytes)", "- - S A "},
                     {".d.mp3", 1024, {}, false, "1 kB (1024 Bytes)", "- H - A "},
                     {nullptr, 0, {}, false, "0 kB (0 Bytes)", "- - - - "}};
        for (const auto& c : cases) {
            const QString path = QStringLiteral("C:\\Files\\") + (c.name ? c.name : "Gone.mp3");
            if (c.name) {
                const QString host = drive->write(path, QByteArray(c.size, '\x01'));
                if (!c.dosAttrib.isEmpty())
                    TempDrive::setDosAttrib(host, c.dosAttrib);
                if (c.readOnly)
                    QFile::setPermissions(host, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
            }
            ShowFileInfos(path, *main);
            QCOMPARE(lines(), plainLines(path, c.sizeText, c.flags));
            QCOMPARE(FileInfosWindow()->windowTitle(), c.name ? c.name : "");
        }
    }

    // A second file replaces the first in the same window; OK hides it for reuse, the close box
    // unloads it and the next call loads it anew; the main window's exit unloads it too. "Fileinfo"
    // without a selected entry does nothing.
    void reuseAndUnload() {
        drive->write("C:\\One.mp3", "1");
        drive->write("C:\\Two.mp3", "22");
        main->menInfo->trigger();
        QVERIFY(!FileInfosWindow());
        ShowFileInfos("C:\\One.mp3", *main);
        frmAttributes* window = FileInfosWindow();
        ShowFileInfos("C:\\Two.mp3", *main);
        QCOMPARE(FileInfosWindow(), window);
        QCOMPARE(lines(), plainLines("C:\\Two.mp3", "0 kB (2 Bytes)", "- - - A "));

        QTest::mouseClick(window->cmdOK, Qt::LeftButton);
        QVERIFY(FileInfosWindow() == window && !window->isVisible());
        ShowFileInfos("C:\\One.mp3", *main);
        QVERIFY(window->isVisible());
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!FileInfosWindow());
        ShowFileInfos("C:\\Two.mp3", *main);
        QVERIFY(FileInfosWindow() && FileInfosWindow()->isVisible());
        UnloadFileInfos();
        QVERIFY(!FileInfosWindow());

        showEntries({"C:\\One.mp3"}, 0);
        main->lstListe->setListIndex(-1);
        main->menInfo->trigger();
        QVERIFY(!FileInfosWindow());

        // The main window's exit unloads it.
        ShowFileInfos("C:\\One.mp3", *main);
        drive->write("C:\\list.txt", "C:\\One.mp3\r\n");
        state->PlaylistPath = "C:\\list.txt";
        main->close();
        QVERIFY(!FileInfosWindow());
    }

    // "MP3-Tag" rows: interpret and title, the title alone, else the file name as the disk spells it
    // ("" when the file is gone); the other views come back unchanged.
    void tagViewThroughTheMenu() {
        const QByteArray audio(300, '\x55');
        const QList<std::pair<const char*, QByteArray>> files = {
            {"Both.mp3", audio + tagBlock("Song", "Band" + QByteArray(26, ' '))},
            {"TitleOnly.mp3", audio + tagBlock("Song", "")},
            {"InterpretOnly.mp3", audio + tagBlock("", "Band")},
            {"NoBlock.mp3", audio},
            {"Tiny.mp3", "TAGSong"},
            {"Accent.mp3", audio + tagBlock("\xc9t\xe9", "Chor")}};
        QStringList entries;
        for (const auto& [name, content] : files) {
            drive->write(QStringLiteral("C:\\Music\\") + name, content);
            entries.append(QStringLiteral("C:\\MUSIC\\") + QString(name).toLower());
        }
        entries.append("C:\\Music\\Gone.mp3");
        showEntries(entries, 2);
        main->menTag->trigger();
        QCOMPARE(main->lstListe->rows(),
                 QStringList({"Band - Song", "Song", "InterpretOnly.mp3", "NoBlock.mp3", "Tiny.mp3",
                              "Chor - \u00c9t\u00e9", ""}));
        QCOMPARE(main->lstListe->ListIndex(), 2);
        main->menFold->trigger();
        QCOMPARE(main->lstListe->rows(), entries);
    }
};

QTEST_MAIN(FileInfoWindowTest)
#include "frmattributes_test.moc"
