#pragma once
// Reordering and inspecting the whole playlist: the sorts by path or by file name, mixing, and the
// search for two entries with the same file name. Each entry's key is computed once per call.

#include "playlist/entrylist.h"

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
// names in the new order of the entries; by path, nothing. order, when given, receives the
// order applied, as SortOrder gives it.
QStringList SortEntries(EntryList& entries, SortKey key, Direction direction,
                        std::vector<qsizetype>* order = nullptr);
// The order that sorting would give, as SortEntries gives it: entry i of the sorted list is the
// one that stood at the order's element i. With the name key, names receives the name keys in
// the old order.
std::vector<qsizetype> SortOrder(const EntryList& entries, SortKey key, Direction direction,
                                 QStringList* names = nullptr);

struct DoublePair {
    qsizetype first = 0;  // the earlier entry of the pair
    qsizetype second = 0; // the later one
    QString name;         // their common name key
};
// The first pair (i, j), from <= i < j, in the order of i and then j, whose name keys are equal.
std::optional<DoublePair> FindDoublePair(const EntryList& entries, qsizetype from);

// A single-precision uniform number in [0, 1).
float NextRandom(std::mt19937& generator);
// Between 501 and 1000 exchanges of two different entries drawn at random; nothing with fewer
// than two entries. order, when given, receives the order the exchanges made: entry i of the
// mixed list is the one that stood at order[i].
void MixEntries(EntryList& entries, std::mt19937& generator, std::vector<qsizetype>* order = nullptr);

} // namespace ordering
