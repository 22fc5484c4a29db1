#pragma once
// The rows of the "MP3-Tag" view kept from one rebuild to the next. A file's tag text is kept with
// the file's identity, size and modification time and read again only when they differ; the file
// is looked at again only when the kernel reports a change in its folder or on the way to it
// (folderwatch), else every rebuild looks at it. Entries that kept their place, or moved by one,
// are found without a search.

#include "platform/folderwatch.h"
#include "playlist/entrylist.h"

#include <QHash>
#include <QStringList>
#include <vector>

class TagRowCache {
public:
    // The tag row text (TagRowText) of every entry.
    QStringList rows(const EntryList& entries);

private:
    // What the last rebuild learnt of an entry's file.
    struct Known {
        folderwatch::Stamp stamp;
        quint64 device = 0, inode = 0;
        qint64 size = 0, modified = 0; // modification time in nanoseconds
        bool kept = false;             // an ordinary file at the path as written
        bool titled = false;           // its tag has a title: the row is the tag text
    };
    // The file of entry looked at now, its row into row; before and beforeRow are what was known
    // of it.
    class FolderStamps;
    static Known learn(const QString& entry, const Known* before, const QString& beforeRow, QString& row,
                       FolderStamps& stamps);
    // The position of entry i of entries in the last rebuild, -1 when it was not there.
    qsizetype previousPlace(const EntryList& entries, qsizetype i);

    EntryList entries_; // as of the last rebuild, with their rows and what was known
    QStringList rows_;
    std::vector<Known> known_;
    QHash<QByteArray, qsizetype> places_; // entries_ by bytes, made when a search is needed
};
