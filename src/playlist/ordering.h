#pragma once
// Reordering and inspecting the whole playlist: the sorts by path or by file name, mixing, and the
// search for two entries with the same file name. Each entry's key is computed once per call.

#include <QStringList>
#include <optional>
#include <random>

namespace ordering {

// The path key is the entry as stored; the name key is the file name as the disk spells it, the
// empty text when no file exists there (dosfs::FileNameOf).
enum class SortKey { Path, Name };
enum class Direction { Ascending, Descending };

// Sorts entries by key with ordinal comparison (UTF-16 code units, no case folding). Stable:
// entries with equal keys keep their order, in both directions. Sorting by name returns the
// names in the new order of the entries; by path, nothing.
QStringList SortEntries(QStringList& entries, SortKey key, Direction direction);

struct DoublePair {
    qsizetype first = 0;  // the earlier entry of the pair
    qsizetype second = 0; // the later one
    QString name;         // their common name key
};
// The first pair (i, j), from <= i < j, in the order of i and then j, whose name keys are equal.
std::optional<DoublePair> FindDoublePair(const QStringList& entries, qsizetype from);

// A single-precision uniform number in [0, 1).
float NextRandom(std::mt19937& generator);
// Between 501 and 1000 exchanges of two different entries drawn at random; nothing with fewer
// than two entries.
void MixEntries(QStringList& entries, std::mt19937& generator);

} // namespace ordering
