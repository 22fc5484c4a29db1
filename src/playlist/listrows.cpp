#include "playlist/listrows.h"

#include "mp3info/mp3tag.h"
#include "platform/dosfs.h"

QStringList BuildRows(const QStringList& entries, ViewMode mode) {
    if (mode == ViewMode::All)
        return entries; // shares the strings
    QStringList rows;
    rows.reserve(entries.size());
    if (mode == ViewMode::Tag)
        for (const QString& e : entries)
            rows.append(TagRowText(e));
    else
        for (const QString& e : entries)
            rows.append(dosfs::FileNameOf(e));
    return rows;
}
