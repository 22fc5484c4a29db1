#include "playlist/ordering.h"

#include "platform/codepage.h"
#include "platform/dosfs.h"
#include "platform/parallel.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace ordering {
namespace {

// The name keys of entries begin to end, looked up on every core.
QStringList NameKeys(const EntryList& entries, qsizetype begin, qsizetype end) {
    QStringList names(end - begin);
    QString* out = names.data(); // detached once, before the threads write their own parts
    ForEachSlice(end - begin, [&entries, out, begin](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i)
            out[i] = dosfs::FileNameOf(entries.at(begin + i));
    });
    return names;
}

// Code-page bytes in the order of the UTF-16 code units they stand for.
int compareAsUtf16(QByteArrayView a, QByteArrayView b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (a[i] == b[i])
            continue;
        const char16_t x = codepage::unitOf(uchar(a[i])), y = codepage::unitOf(uchar(b[i]));
        return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// Stable: equal keys keep their order in both directions.
template <typename Key, typename Compare>
std::vector<qsizetype> stableOrder(qsizetype n, Key key, Compare compare, Direction direction) {
    std::vector<qsizetype> order(n);
    for (qsizetype i = 0; i < n; ++i)
        order[i] = i;
    const int sign = direction == Direction::Ascending ? 1 : -1;
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return sign * compare(key(a), key(b)) < 0; });
    return order;
}

} // namespace

std::vector<qsizetype> SortOrder(const EntryList& entries, SortKey key, Direction direction, QStringList* names) {
    const qsizetype n = entries.size();
    if (key == SortKey::Path)
        return stableOrder(
            n, [&](qsizetype i) { return entries.bytesAt(i); }, compareAsUtf16, direction);
    QStringList keys = NameKeys(entries, 0, n);
    std::vector<qsizetype> order = stableOrder(
        n, [&](qsizetype i) { return QStringView(keys[i]); },
        [](QStringView a, QStringView b) { return a.compare(b); }, direction);
    if (names)
        *names = std::move(keys);
    return order;
}

QStringList SortEntries(EntryList& entries, SortKey key, Direction direction, std::vector<qsizetype>* order) {
    QStringList names;
    std::vector<qsizetype> applied = SortOrder(entries, key, direction, &names);
    entries.reorder(applied);
    QStringList sortedNames;
    if (key == SortKey::Name) {
        sortedNames.reserve(names.size());
        for (qsizetype i : applied)
            sortedNames.append(names[i]);
    }
    if (order)
        *order = std::move(applied);
    return sortedNames;
}

std::optional<DoublePair> FindDoublePair(const EntryList& entries, qsizetype from) {
    // Only the first occurrence of a name key can open the earliest pair, and its second
    // occurrence closes it. Once a pair is known, the search ends as soon as every name seen
    // before the pair's first entry has found its partner: no later pair can start earlier.
    QHash<QString, qsizetype> slotOf; // name key -> its slot in firsts; -1 once paired
    std::vector<qsizetype> firsts;    // first occurrences, in order
    std::vector<char> paired;
    std::size_t earliestOpen = 0;
    std::optional<DoublePair> best;
    // Names are looked up a block at a time, so that an early pair spares the rest of the list.
    constexpr qsizetype kBlock = 8192;
    for (qsizetype block = std::max<qsizetype>(from, 0); block < entries.size(); block += kBlock) {
        QStringList names = NameKeys(entries, block, std::min(block + kBlock, entries.size()));
        for (qsizetype b = 0; b < names.size(); ++b) {
            const qsizetype k = block + b;
            QString& name = names[b];
            const auto it = slotOf.constFind(name);
            if (it == slotOf.cend()) {
                slotOf.insert(std::move(name), qsizetype(firsts.size()));
                firsts.push_back(k);
                paired.push_back(false);
            } else if (*it >= 0) {
                const qsizetype slot = *it;
                slotOf[name] = -1;
                paired[slot] = true;
                if (!best || firsts[slot] < best->first)
                    best = DoublePair{firsts[slot], k, name};
            }
            if (best) {
                while (earliestOpen < firsts.size() && paired[earliestOpen])
                    ++earliestOpen;
                if (earliestOpen == firsts.size() || firsts[earliestOpen] > best->first)
                    return best;
            }
        }
    }
    return best;
}

float NextRandom(std::mt19937& generator) {
    return float(generator() >> 8) * (1.0f / 16777216.0f); // 24 bits: every value below 1
}

void MixEntries(EntryList& entries, std::mt19937& generator, std::vector<qsizetype>* order) {
    const qsizetype n = entries.size();
    if (order) {
        order->resize(n);
        std::iota(order->begin(), order->end(), 0);
    }
    if (n < 2)
        return;
    auto draw = [&](double range) { return qsizetype(std::floor(double(NextRandom(generator)) * range)); };
    const qsizetype exchanges = draw(500) + 500;
    for (qsizetype c = 0; c <= exchanges; ++c) {
        const qsizetype a = draw(double(n));
        qsizetype b;
        do
            b = draw(double(n));
        while (b == a);
        entries.swapItemsAt(a, b);
        if (order)
            std::swap((*order)[a], (*order)[b]);
    }
}

} // namespace ordering
