#include "playlist/listrows.h"

#include "mp3info/mp3tag.h"
#include "platform/dosfs.h"

QStringList BuildRows(const EntryList& entries, ViewMode mode) {
    if (mode == ViewMode::All)
        return entries.toStringList();
    QStringList rows;
    rows.reserve(entries.size());
    for (const QString& e : entries)
        rows.append(mode == ViewMode::Tag ? TagRowText(e) : dosfs::FileNameOf(e));
    return rows;
}
