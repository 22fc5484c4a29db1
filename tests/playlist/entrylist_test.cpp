// The entry list against a plain list of strings: random edits applied to both leave the same
// entries, also across the compaction after many removals; a copy keeps what it held; entries
// taken out come back where they were.
#include "playlist/entrylist.h"
#include "printers.h"

#include <gtest/gtest.h>
#include <numeric>
#include <random>

TEST(EntryList, BehavesAsAListOfStrings) {
    std::mt19937 random(2026);
    auto draw = [&](qsizetype n) { return std::uniform_int_distribution<qsizetype>(0, n - 1)(random); };
    // Every byte of the code page, the C1 bytes among them, and long and empty entries.
    const QStringList pool = {QStringLiteral(u"C:\\Caf\u00e9 \u20ac\u0081\u0178.mp3"), QString(),
                              QStringLiteral("D:\\") + QString(5000, u'x'), QStringLiteral("C:\\a.mp3")};
    EntryList list;
    QStringList reference;
    EntryList snapshot;
    QStringList snapshotReference;
    constexpr int kSteps = 6000; // growing, then shrinking: removed bytes pile up and are compacted
    for (int step = 0; step < kSteps; ++step) {
        const qsizetype n = list.size();
        const qsizetype kind = n == 0 ? 0 : draw(7);
        switch (n > 0 && step > kSteps / 2 && kind < 2 ? 2 : kind) {
        case 0:
        case 1: {
            const QString e = pool[draw(pool.size())] + QString::number(step);
            ASSERT_TRUE(list.append(e));
            reference.append(e);
            break;
        }
        case 2: {
            const qsizetype i = draw(n);
            list.removeAt(i);
            reference.removeAt(i);
            break;
        }
        case 3: {
            std::vector<qsizetype> order(n);
            std::iota(order.begin(), order.end(), 0);
            std::shuffle(order.begin(), order.end(), random);
            list.reorder(order);
            QStringList reordered;
            for (qsizetype i : order)
                reordered.append(reference[i]);
            reference = reordered;
            break;
        }
        case 4: { // some entries out and back in, or the last ones
            std::vector<qsizetype> indices;
            for (qsizetype i = 0; i < n; ++i)
                if (draw(4) == 0)
                    indices.push_back(i);
            const EntryList taken = list.takeAt(indices);
            ASSERT_EQ(taken.size(), qsizetype(indices.size()));
            for (std::size_t k = 0; k < indices.size(); ++k)
                ASSERT_EQ(taken.at(qsizetype(k)), reference[indices[k]]);
            ASSERT_EQ(list.size(), n - taken.size());
            list.insertAt(indices, taken);
            break;
        }
        case 5: {
            const qsizetype from = draw(n + 1);
            const EntryList tail = list.takeFrom(from);
            ASSERT_EQ(tail, reference.mid(from));
            ASSERT_EQ(list, reference.mid(0, from));
            list.appendEntries(tail);
            break;
        }
        default:
            snapshot = list;
            snapshotReference = reference;
        }
        if (step % 499 == 0) {
            ASSERT_EQ(list, reference) << "step " << step;
            ASSERT_EQ(snapshot, snapshotReference) << "step " << step;
        }
    }
    ASSERT_EQ(list, reference);
    for (const QString& e : pool.mid(0, 2)) {
        list.append(e);
        reference.append(e);
    }
    EXPECT_EQ(list.indexOf(reference.last()), reference.indexOf(reference.last()));
    EXPECT_EQ(list.indexOf(QStringLiteral("C:\\none.mp3")), -1);
    // An entry the code page cannot hold would be saved as "?", a wildcard: the list refuses it.
    EXPECT_FALSE(list.append(QStringLiteral(u"C:\\\u65e5.mp3")));
    EXPECT_EQ(list, reference);
}
