// The file information window on real widgets: its 20 lines, the size and attribute figures,
// reuse and unloading, the playlist's "Fileinfo" entry.
#include "mp3info/window/frmattributes.h"
#include "playlist/window/playlistbox.h"
#include "windowtest.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cstring>

namespace {

QStringList shownLines() {
    QStringList result;
    for (int i = 0; FileInfosWindow() && i < FileInfosWindow()->lstHeaderInfos->count(); ++i)
        result.append(FileInfosWindow()->lstHeaderInfos->item(i)->text());
    return result;
}

// The lines of a file without tag or header, joined by "|".
const char* const kPlainLines =
    "Title: \t\t\t|Interpret: \t\t\t|Album: \t\t\t|Year: \t\t\t|Comment: \t\t|Genre: \t\t\t||"
    "FilePath: \t\t\t%1|FileSize: \t\t\t%2|Bitrate: \t\t\t0|Copyright: \t\tFalse|CRCProtected: \t\tFalse|"
    "Frequency: \t\t0|Layer: \t\t\t0|LayerText: \t\t|Original: \t\t\tFalse|Padding: \t\t\tFalse|"
    "PrivateBit: \t\tFalse|Length: \t\t\t0 seconds|Attributes: \t\t%3";

} // namespace

class FileInfoWindowTest : public WindowTest {
    Q_OBJECT
private Q_SLOTS:

    // The playlist's "Fileinfo" on a known file: nothing without a selected entry, else the 20
    // lines. An ID3v2 tag before the header: kilobytes count the whole file, bytes leave the tag out.
    void fileinfoOnAKnownFile() {
        QByteArray data(4'000'000, '\0');
        data.replace(0, 10, QByteArray::fromHex("49443303000000000201"));
        data.replace(267, 4, QByteArray::fromHex("FFFA9208"));
        data.replace(data.size() - 128, 128,
                     "TAGTone" + QByteArray(26, '\0') + "Tester" + QByteArray(24, '\0') + "Fixtures" +
                         QByteArray(22, ' ') + "2024made by hand" + QByteArray(18, '\0') + '\x11');
        env->drive.write("C:\\Music\\Known.mp3", data);
        state->Entries = {"C:\\Music\\Gone.mp3", "C:\\Music\\Known.mp3"};
        window->display.RefreshList(1);
        window->lstListe->setListIndex(-1);
        window->menInfo_Click();
        QVERIFY(!FileInfosWindow());
        window->lstListe->setListIndex(1);
        window->menInfo_Click();
        QVERIFY(FileInfosWindow() && FileInfosWindow()->isVisible() && !FileInfosWindow()->isModal());
        QCOMPARE(FileInfosWindow()->windowTitle(), "Known.mp3");
        QCOMPARE(
            shownLines(),
            QString("Title: \t\t\tTone|Interpret: \t\t\tTester|Album: \t\t\tFixtures|Year: \t\t\t2024|"
                    "Comment: \t\tmade by hand|Genre: \t\t\t\x11||FilePath: \t\t\tC:\\Music\\Known.mp3|"
                    "FileSize: \t\t\t3906 kB (3999733 Bytes)|Bitrate: \t\t\t128000|Copyright: \t\tTrue|"
                    "CRCProtected: \t\tTrue|Frequency: \t\t44100|Layer: \t\t\t1|LayerText: \t\tLayer III|"
                    "Original: \t\t\tFalse|Padding: \t\t\tTrue|PrivateBit: \t\tFalse|"
                    "Length: \t\t\t249 seconds|Attributes: \t\t- - - A ")
                .split('|'));
    }

    // One window shows one file after another: sizes, attribute flags, a file that is gone (no flags,
    // no caption). OK hides it for reuse, the close box unloads it and the next call loads it anew.
    void sizesAttributesAndReuse() {
        const std::tuple<const char*, int, QByteArray, bool, const char*, const char*> cases[] = {
            {"Hidden.mp3", 1023, "0x2", true, "0 kB (1023 Bytes)", "R H - - "},
            {"System.mp3", 2048, "0x24", false, "2 kB (2048 Bytes)", "- - S A "},
            {"", 0, {}, false, "0 kB (0 Bytes)", "- - - - "},
            {"Sys*.mp3", 0, {}, false, "0 kB (0 Bytes)", "- - - - "}, // wildcards: read as no file
        };
        frmAttributes* shown = nullptr;
        for (const auto& [name, size, dosAttrib, readOnly, sizeText, flags] : cases) {
            const QString path = QStringLiteral("C:\\Files\\") + (*name ? name : "Gone.mp3");
            const bool made = *name && !std::strchr(name, '*');
            if (made) {
                const QString host = env->drive.write(path, QByteArray(size, '\x01'));
                TempDrive::setDosAttrib(host, dosAttrib);
                QFile::setPermissions(host,
                                      readOnly ? QFile::ReadOwner : QFile::ReadOwner | QFile::WriteOwner);
            }
            ShowFileInfos(path, *window, [] {});
            shown = shown ? shown : FileInfosWindow();
            QCOMPARE(FileInfosWindow(), shown);
            QCOMPARE(shownLines(), QString(kPlainLines).arg(path, sizeText, flags).split('|'));
            QCOMPARE(shown->windowTitle(), made ? name : "");
        }
        QTest::mouseClick(shown->cmdOK, Qt::LeftButton);
        QVERIFY(FileInfosWindow() == shown && !shown->isVisible());
        ShowFileInfos("C:\\Files\\System.mp3", *window, [] {});
        QVERIFY(shown->isVisible());
        shown->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!FileInfosWindow());
    }
};

QTEST_MAIN(FileInfoWindowTest)
#include "frmattributes_test.moc"
