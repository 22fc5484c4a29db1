#include "mp3info/mp3tag.h"
#include "playlist/tagrows.h"
#include "tempdrive.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// Some audio and an ID3v1 block with that title and interpret.
QByteArray tagged(const QByteArray& title, const QByteArray& interpret = {}) {
    QByteArray b = QByteArray(200, '\x55') + "TAG" + title.leftJustified(30, '\0', true) +
                   interpret.leftJustified(30, '\0', true);
    return b.leftJustified(200 + 128, '\0');
}

struct TagRowCacheTest : ::testing::Test {
    TempDrive drive;
    EntryList entries{"C:\\M\\a.mp3", "C:\\M\\b.mp3", "C:\\M\\c.mp3", "C:\\M\\gone.mp3",
                      "C:\\M\\a.mp3", "c:\\m\\C.MP3", "C:\\N\\d.mp3"};
    TagRowCache cache;
    void SetUp() override {
        drive.write("C:\\M\\a.mp3", tagged("Song", "Band"));
        drive.write("C:\\M\\b.mp3", QByteArray(300, '\x55'));
        drive.write("C:\\M\\c.mp3", tagged("Alone"));
        drive.write("C:\\N\\d.mp3", tagged("Other", "Band"));
    }
    // The kept rows against rows read afresh.
    void expectFresh(const char* after) {
        QStringList fresh;
        for (const QString& e : entries)
            fresh.append(TagRowText(e));
        EXPECT_EQ(cache.rows(entries), fresh) << "after " << after;
    }
};

} // namespace

// Whatever changes, in the list or on the disk, the kept rows are the rows of the files as they are.
TEST_F(TagRowCacheTest, FollowsTheListAndTheFiles) {
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"the first rebuild", [] {}},
        {"nothing", [] {}},
        {"a swap", [&] { entries.swapItemsAt(1, 2); }},
        {"a move to the top", [&] { entries.move(5, 0); }},
        {"a new order", [&] { entries.reorder({6, 5, 4, 3, 2, 1, 0}); }},
        {"an entry added and one removed", [&] { entries.append(u"C:\\M\\b.mp3"); entries.removeAt(0); }},
        {"a new tag of another size", [&] { drive.write("C:\\M\\a.mp3", tagged("Longer song", "Band") + "x"); }},
        {"a file hidden", [&] { TempDrive::setDosAttrib(drive.host("C:\\M\\b.mp3"), "0x2"); }},
        {"a file made", [&] { drive.write("C:\\M\\gone.mp3", tagged("Back")); }},
        {"a file replaced", [&] { QFile::rename(drive.host("C:\\N\\d.mp3"), drive.host("C:\\M\\c.mp3")); }},
        {"a folder renamed", [&] { QDir(drive.root()).rename("N", "N2"); }},
        {"a folder renamed back", [&] { QDir(drive.root()).rename("N2", "N"); }},
    };
    for (const auto& [what, change] : steps) {
        change();
        expectFresh(what);
    }
}

// A file whose identity, size and modification time stayed is not read again: a tag rewritten
// in place with its time put back still shows its old text, until the time moves.
TEST_F(TagRowCacheTest, ReadsOnlyChangedFiles) {
    expectFresh("the first rebuild");
    const QByteArray host = QFile::encodeName(drive.host("C:\\M\\a.mp3"));
    struct stat before {};
    ASSERT_EQ(::stat(host.constData(), &before), 0);
    {
        QFile f(QString::fromUtf8(host));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.write(tagged("Same", "Size"));
    }
    const timespec times[] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, host.constData(), times, 0), 0);
    EXPECT_EQ(cache.rows(entries).at(0), u"Band - Song");
    const timespec later[] = {before.st_atim, {before.st_mtim.tv_sec + 1, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, host.constData(), later, 0), 0);
    EXPECT_EQ(cache.rows(entries).at(0), u"Size - Same");
}
