#include "playlist/listrows.h"

#include "platform/dosfs.h"

QStringList BuildRows(const QStringList& entries, ViewMode mode) {
    if (mode == ViewMode::All) return entries; // shares the strings
    QStringList rows;
    rows.reserve(entries.size());
    for (const QString& e : entries)
        rows.append(dosfs::FileNameOf(e)); // the tag view shows file names until tags are read
    return rows;
}
