#include "playlist/listrows.h"

#include "mp3info/mp3tag.h"
#include "platform/dosfs.h"
#include "platform/parallel.h"

QStringList BuildRows(const EntryList& entries, ViewMode mode) {
    if (mode == ViewMode::All)
        return entries.toStringList();
    // Each row waits on the file system: the rows are looked up on every core.
    QStringList rows(entries.size());
    QString* out = rows.data(); // detached once, before the threads write their own rows
    ForEachSlice(entries.size(), [&entries, out, mode](qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i)
            out[i] = mode == ViewMode::Tag ? TagRowText(entries.at(i)) : dosfs::FileNameOf(entries.at(i));
    });
    return rows;
}
