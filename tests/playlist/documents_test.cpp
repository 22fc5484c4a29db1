#include "appenvironment.h"
#include "playlist/documents.h"

#include <QFile>
#include <QUrl>
#include <gtest/gtest.h>

// M3U lines: comments and headers skipped, absolute, relative, and the ancestor search for lines
// starting with a backslash (nearest ancestor first, never the playlist's own folder).
TEST(M3u, LineRules) {
    AppEnvironment env;
    for (const char* f : {"C:\\x\\y\\song.mp3", "C:\\x\\y\\music\\a.mp3", "C:\\x\\rock\\a.mp3",
                          "C:\\rock\\a.mp3", "C:\\rock\\b.mp3", "C:\\top.mp3", "C:\\x\\y\\top.mp3",
                          "C:\\x\\y\\odd#name.mp3", "C:\\x\\y\\notes.txt"})
        env.drive.write(QString::fromUtf8(f));
    env.drive.write("C:\\x\\y\\list.m3u", "#EXTM3U\r\n"
                                          "#EXTINF:123,Artist - Title\r\n"
                                          "song.mp3\r\n"
                                          "music\\a.mp3\r\n"
                                          "\\rock\\a.mp3\r\n" // C:\x\rock before C:\rock
                                          "\\rock\\b.mp3\r\n" // only C:\rock has it
                                          "\\top.mp3\r\n"     // not C:\x\y\top.mp3
                                          "odd#name.mp3\r\n"  // "#" anywhere: skipped
                                          "\r\n"
                                          "C:\\x\\y\\song.mp3\r\n"
                                          "c:\\X\\Y\\SONG.MP3\r\n"
                                          "missing.mp3\r\n"
                                          "\\missing.mp3\r\n"
                                          "notes.txt\r\n"
                                          "..\\rock\\a.mp3");
    PlaylistModel model;
    EXPECT_TRUE(ReadM3uPlaylist(model, "C:\\x\\y\\list.m3u"));
    EXPECT_EQ(model.Entries, QStringList({
                                 "C:\\x\\y\\song.mp3",
                                 "C:\\x\\y\\music\\a.mp3",
                                 "C:\\x\\rock\\a.mp3",
                                 "C:\\rock\\b.mp3",
                                 "C:\\top.mp3",
                                 "C:\\x\\y\\song.mp3",
                                 "C:\\X\\Y\\SONG.MP3",
                                 "C:\\x\\y\\..\\rock\\a.mp3",
                             }));
    EXPECT_TRUE(env.messages.calls().isEmpty());
    // A playlist in a drive's root: its own folder is never searched.
    env.drive.write("C:\\root.m3u", "\\top.mp3\r\n");
    PlaylistModel fromRoot;
    EXPECT_TRUE(ReadM3uPlaylist(fromRoot, "C:\\root.m3u"));
    EXPECT_EQ(fromRoot.EntryCount(), 0);
}

// Lists written by Linux players: UTF-8 lines (the code page when a line is no valid UTF-8, UTF-8
// always in ".m3u8"), host paths and file URLs through the drive table; names the code page cannot
// hold are reported once each and never added.
TEST(M3u, ListsFromLinuxPlayers) {
    AppEnvironment env;
    const QString cafe = QStringLiteral(u"C:\\m\\Caf\u00e9.mp3"), blank = "C:\\m\\a b.mp3",
                  song = QStringLiteral(u"C:\\m\\\u041f\u0435\u0441\u043d\u044f.mp3");
    for (const QString& f : {cafe, blank, song})
        env.drive.write(f);
    const QByteArray cafeHost = env.drive.host(cafe).toUtf8();
    const QString refused = "Cannot use this file name in a playlist: " + song;
    const struct {
        const char* what;
        const char* name; // of the list, in C:\m
        QByteArray lines;
        QStringList entries;
        QStringList messages;
    } cases[] = {
        {"UTF-8", "l.m3u", "Caf\xc3\xa9.mp3\n", {cafe}, {}},
        {"code page", "l.m3u", "Caf\xe9.mp3\n", {cafe}, {}},
        {"m3u8 is UTF-8", "l.m3u8", "Caf\xe9.mp3\nCaf\xc3\xa9.mp3\n", {cafe}, {}},
        {"host path", "l.m3u", cafeHost + "\r\n" + env.drive.host(blank).toUtf8(), {cafe, blank}, {}},
        {"file URL",
         "l.m3u",
         "file://" + QUrl::toPercentEncoding(QString::fromUtf8(cafeHost), "/") + "\nFILE://" +
             QUrl::fromLocalFile(env.drive.host(blank)).toEncoded().mid(7),
         {cafe, blank},
         {}},
        {"outside every drive", "l.m3u", "/no/drive/a.mp3\nfile:///no/drive/b.mp3\n", {}, {}},
        {"outside the code page",
         "l.m3u",
         QStringLiteral(u"\u041f\u0435\u0441\u043d\u044f.mp3\nCaf\u00e9.mp3\n").toUtf8() +
             env.drive.host(song).toUtf8(),
         {cafe},
         {refused}},
    };
    for (const auto& c : cases) {
        const QString list = "C:\\m\\" + QString::fromUtf8(c.name);
        env.drive.write(list, c.lines);
        for (const QString& m : c.messages)
            env.messages.expectMsgBox(m, vbOKOnly, "Error");
        PlaylistModel model;
        EXPECT_TRUE(ReadM3uPlaylist(model, list)) << c.what;
        EXPECT_EQ(model.Entries, c.entries) << c.what;
        EXPECT_EQ(env.messages.problems(), QStringList()) << c.what;
    }
}

// Every invalid entry goes with a message of its own, also two in a row.
TEST(ValidateEntries, RemovesEachInvalidEntry) {
    AppEnvironment env;
    env.drive.write("C:\\a.mp3");
    env.drive.write("C:\\d.mp3");
    PlaylistModel model;
    model.Entries = {"C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3", "C:\\d.mp3", QString(), "C:\\a.wav"};
    for (const char* p : {"C:\\b.mp3", "C:\\c.mp3", "", "C:\\a.wav"})
        env.messages.expectMsgBox(
            QStringLiteral("File: %1 became deleted\r\nfrom playlist, because it's not valid "
                           "(anymore)")
                .arg(QString::fromUtf8(p)),
            vbOKOnly, "File not found");
    EXPECT_EQ(ValidateEntries(model), QList<qsizetype>({1, 2, 4, 5}));
    EXPECT_EQ(model.Entries, QStringList({"C:\\a.mp3", "C:\\d.mp3"}));
    EXPECT_EQ(env.messages.problems(), QStringList());
}

// Full paths in the code page, CR LF after each; an empty list gives an empty file; an existing
// file's spelling is kept. A read-only file, a missing folder or an unmapped drive: the failure
// message and the file unchanged.
TEST(SavePlaylist, WritesOrLeavesTheFile) {
    AppEnvironment env;
    const QString readOnly = env.drive.write("C:\\ro.txt", "old\r\n");
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner);
    PlaylistModel two;
    two.Entries = {"C:\\Musik\\Caf\u00e9.mp3", "C:\\gone.mp3"};
    const struct {
        const PlaylistModel model;
        const char* path;
        const char* host; // the file written, with what it holds afterwards
        QByteArray after;
    } cases[] = {
        {two, "C:\\list.txt", "C:\\list.txt", "C:\\Musik\\Caf\xe9.mp3\r\nC:\\gone.mp3\r\n"},
        {PlaylistModel(), "C:\\LIST.TXT", "C:\\list.txt", ""},
        {two, "C:\\ro.txt", "C:\\ro.txt", "old\r\n"},
        {two, "C:\\no\\such\\list.txt", "C:\\no\\such\\list.txt", "<missing>"},
        {two, "Q:\\list.txt", "C:\\list.txt", ""},
    };
    for (const auto& c : cases) {
        const QString path = QString::fromUtf8(c.path);
        const bool ok = path.startsWith(u"C:\\list") || path.startsWith(u"C:\\LIST");
        env.messages.expectMsgBox(ok ? "New playlist successfully saved" : "Could not save as " + path,
                                  vbOKOnly, ok ? "Saved" : "Error");
        EXPECT_EQ(SavePlaylist(c.model, path), ok) << c.path;
        EXPECT_EQ(contents(env.drive.host(QString::fromUtf8(c.host))), c.after) << c.path;
    }
    EXPECT_FALSE(QFile::exists(env.drive.host("C:\\LIST.TXT")));
    EXPECT_EQ(env.messages.problems(), QStringList());
}

// Line by line, exactly; the line ends are the reader's. Other cases come with closing the window.
TEST(ListEqualsFile, ComparesLineByLine) {
    AppEnvironment env;
    const QStringList ab = {"C:\\a.mp3", "C:\\b.mp3"};
    const struct {
        const char* what;
        QStringList entries;
        const char* file;
        FileComparison expected;
    } cases[] = {
        {"file shorter", ab, "C:\\a.mp3\r\n", FileComparison::Differs},
        {"case differs", ab, "c:\\a.mp3\r\nC:\\b.mp3\r\n", FileComparison::Differs},
        {"both empty", {}, "", FileComparison::Equal},
    };
    for (const auto& c : cases) {
        env.drive.write("C:\\list.txt", c.file);
        PlaylistModel model;
        model.Entries = c.entries;
        EXPECT_EQ(ListEqualsFile(model, "C:\\list.txt"), c.expected) << c.what;
    }
    EXPECT_EQ(ListEqualsFile(PlaylistModel(), QString()), FileComparison::Equal);
}
