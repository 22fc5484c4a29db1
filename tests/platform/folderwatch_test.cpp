#include "platform/folderwatch.h"
#include "tempdrive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

void append(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("x");
}

} // namespace

// A folder's stamp holds while nothing changes in the folder or on the way down to it, and no
// longer once something does; changes beside the way leave it.
TEST(FolderWatch, NoticesChangesInAndAboveTheFolder) {
    const struct {
        const char* what;
        std::function<void(const QString&)> change; // given the root
        bool changed;
    } cases[] = {
        {"nothing", [](const QString&) {}, false},
        {"a file in it written", [](const QString& r) { append(r + "/a/b/song.mp3"); }, true},
        {"a file added to it", [](const QString& r) { writeFile(r + "/a/b/new.mp3"); }, true},
        {"Wine's attribute set",
         [](const QString& r) { TempDrive::setDosAttrib(r + "/a/b/song.mp3", "0x2"); }, true},
        {"a file removed", [](const QString& r) { QFile::remove(r + "/a/b/song.mp3"); }, true},
        {"the folder renamed", [](const QString& r) { QDir(r).rename("a/b", "a/b2"); }, true},
        {"a folder above renamed", [](const QString& r) { QDir(r).rename("a", "a2"); }, true},
        {"the forgetting of every watch", [](const QString&) { folderwatch::reset(); }, true},
        {"a file beside the way written", [](const QString& r) { append(r + "/a/other.txt"); }, false},
        {"another folder written to", [](const QString& r) { append(r + "/c/x.txt"); }, false},
    };
    for (const auto& c : cases) {
        QTemporaryDir root;
        const QString r = root.path();
        for (const char* file : {"/a/b/song.mp3", "/a/other.txt", "/c/x.txt"})
            writeFile(r + file);
        const folderwatch::Stamp stamp = folderwatch::watch(QFile::encodeName(r + "/a/b").toStdString());
        c.change(r);
        folderwatch::update();
        EXPECT_EQ(!folderwatch::unchanged({stamp}).front(), c.changed) << c.what;
    }
}

// A folder that cannot be watched never counts as unchanged.
TEST(FolderWatch, AnUnwatchableFolderAlwaysChanged) {
    QTemporaryDir root;
    QDir(root.path()).mkdir("real");
    QFile::link(root.path() + "/real", root.path() + "/link");
    for (const QString& folder : {root.path() + "/link", root.path() + "/missing", QStringLiteral("relative")}) {
        const folderwatch::Stamp stamp = folderwatch::watch(QFile::encodeName(folder).toStdString());
        folderwatch::update();
        EXPECT_FALSE(folderwatch::unchanged({stamp}).front()) << qPrintable(folder);
    }
}
