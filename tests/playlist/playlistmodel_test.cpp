#include "appenvironment.h"
#include "playlist/playlistmodel.h"

#include <gtest/gtest.h>

namespace {

struct PlaylistModelTest : ::testing::Test {
    AppEnvironment env;
    PlaylistModel model;
    void SetUp() override {
        env.drive.write("C:\\Music\\One.mp3");
        env.drive.write("C:\\Music\\two.MP3");
        env.drive.write("C:\\Music\\caf\u00e9.mp3");
        env.drive.write("C:\\Music\\\u20ac.mp3");
        env.drive.write("C:\\Music\\notes.txt");
    }
};

} // namespace

TEST_F(PlaylistModelTest, AddEntryKeepsExistingMp3FilesOnly) {
    const struct {
        const char* path;
        const char* stored; // nullptr = not added
    } cases[] = {
        {"C:\\Music\\One.mp3", "C:\\Music\\One.mp3"},
        {"c:\\music\\one.mP3", "C:\\music\\one.mP3"}, // first character upper-cased, the rest as given
        {"C:\\Music\\two.MP3", "C:\\Music\\two.MP3"},
        {"C:\\Music\\t?o.mp3", "C:\\Music\\t?o.mp3"}, // a pattern matching a file is kept as written
        {"C:\\Music\\x*.mp3", nullptr},
        {"C:\\Music\\notes.txt", nullptr},
        {"C:\\Music\\gone.mp3", nullptr},
        {"C:\\Music", nullptr},
        {"", nullptr},
        {"mp3", nullptr},
    };
    for (const auto& c : cases) {
        model.Entries.clear();
        model.AddEntry(QString::fromUtf8(c.path));
        EXPECT_EQ(model.Entries, c.stored ? QStringList{QString::fromUtf8(c.stored)} : QStringList())
            << c.path;
    }
    EXPECT_TRUE(env.messages.calls().isEmpty());
}

// Dropped lines and the code page of a text playlist; the line ends are the reader's.
TEST_F(PlaylistModelTest, LoadTextPlaylistReadsValidLines) {
    env.drive.write("C:\\list.txt",
                    "C:\\Music\\One.mp3\r\n"
                    "\r\n"
                    "c:\\Music\\two.MP3\r\n"
                    "C:\\Music\\gone.mp3\r\n"
                    "C:\\Music\\notes.txt\r\n"
                    "C:\\Music\\*.mp3\r\n"
                    "C:\\Music\\One.mp3\r\n" // twice: two entries
                    "C:\\Music\\caf\xe9.mp3\r\n"
                    "C:\\Music\\\x80.mp3");
    LoadTextPlaylist(model, "C:\\list.txt");
    EXPECT_EQ(model.Entries, QStringList({"C:\\Music\\One.mp3", "C:\\Music\\two.MP3", "C:\\Music\\*.mp3",
                                          "C:\\Music\\One.mp3", "C:\\Music\\caf\u00e9.mp3",
                                          "C:\\Music\\\u20ac.mp3"}));
    EXPECT_TRUE(env.messages.calls().isEmpty());
}

// A long playlist is read in batches whose files are looked up side by side: the entries keep the
// order of the lines across batches and threads.
TEST_F(PlaylistModelTest, LoadTextPlaylistKeepsTheOrderOfLongLists) {
    for (int f = 0; f < 50; ++f)
        env.drive.write(QString("C:\\Many\\%1.mp3").arg(f));
    QStringList lines, expected;
    for (int i = 0; i < 20000; ++i) {
        const bool gone = i % 7 == 3;
        lines.append(QString("C:\\Many\\%1.mp3").arg(gone ? 50 + i : i * 13 % 50));
        if (!gone)
            expected.append(lines.last());
    }
    env.drive.write("C:\\long.txt", lines.join("\r\n").toLatin1());
    LoadTextPlaylist(model, "C:\\long.txt");
    EXPECT_EQ(model.Entries, expected);
    EXPECT_TRUE(env.messages.calls().isEmpty());
}

// The playlist's name must hold ".txt" in its last five characters, exactly; the file must exist.
TEST_F(PlaylistModelTest, LoadTextPlaylistRejectsOtherNames) {
    env.drive.write("C:\\LIST.TXT", "C:\\Music\\One.mp3\r\n");
    env.drive.write("C:\\list.m3u", "C:\\Music\\One.mp3\r\n");
    env.drive.write("C:\\list.txt~", "C:\\Music\\One.mp3\r\n");
    env.drive.write("C:\\empty.txt");
    for (const char* path : {"C:\\LIST.TXT", "C:\\list.m3u", "C:\\missing.txt", ""}) {
        env.messages.expectMsgBox("No Valid File selected", vbOKOnly, "Error");
        LoadTextPlaylist(model, QString::fromUtf8(path));
    }
    LoadTextPlaylist(model, "C:\\list.txt~"); // ".txt~" holds ".txt"
    LoadTextPlaylist(model, "C:\\empty.txt");
    EXPECT_EQ(model.Entries, QStringList{"C:\\Music\\One.mp3"});
    EXPECT_EQ(env.messages.problems(), QStringList());
}
