// The fast sorts and double-entry search against a plain transcription of the bubble sort and the
// nested search they replace, on random lists; and mixing.
#include "appenvironment.h"
#include "platform/dosfs.h"
#include "playlist/ordering.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

using namespace ordering;

namespace {

struct OrderingTest : ::testing::Test {
    AppEnvironment env;
    // Name keys for the reference, looked up once per path: the reference stays a transcription of
    // the algorithms while the lookups that dominate its time are memoised.
    QHash<QString, QString> knownNames;
    QString nameKey(const QString& path) {
        auto it = knownNames.find(path);
        if (it == knownNames.end())
            it = knownNames.insert(path, dosfs::FileNameOf(path));
        return *it;
    }
    QStringList namesOf(const QStringList& paths) {
        QStringList l;
        for (const QString& p : paths)
            l.append(nameKey(p));
        return l;
    }
    QString key(const QString& path, SortKey k) { return k == SortKey::Path ? path : nameKey(path); }

    // Bubble sort with early stop; equal keys are never exchanged.
    void bubbleSort(QStringList& e, SortKey k, Direction d) {
        qsizetype p = 0;
        bool exchanged;
        do {
            exchanged = false;
            for (qsizetype i = 0; i <= e.size() - 2 - p; ++i) {
                const QString a = key(e[i], k), b = key(e[i + 1], k);
                if (d == Direction::Ascending ? a > b : a < b) {
                    e.swapItemsAt(i, i + 1);
                    exchanged = true;
                }
            }
            ++p;
        } while (exchanged);
    }

    // The first pair in the order of i, then j.
    std::optional<std::pair<qsizetype, qsizetype>> nestedSearch(const QStringList& e, qsizetype from) {
        for (qsizetype i = from; i < e.size(); ++i)
            for (qsizetype j = i + 1; j < e.size(); ++j)
                if (nameKey(e[i]) == nameKey(e[j]))
                    return std::pair(i, j);
        return std::nullopt;
    }
};

} // namespace

// Equal keys, missing files, mixed case in folders and names, the same file under two spellings,
// lists of none to three entries: upper case sorts first, missing files have the empty name, equal
// keys keep their order in both directions.
TEST_F(OrderingTest, FastResultsEqualTheTranscription) {
    QStringList pool;
    for (const char* p : {"C:\\Music\\a.mp3", "C:\\Music\\B.mp3", "C:\\music\\b.mp3", "C:\\Z\\A.mp3",
                          "C:\\A\\b.mp3", "C:\\A\\song.mp3", "C:\\Z\\Song.mp3", "C:\\Z\\song.MP3",
                          "C:\\Deep\\Er\\x.mp3", "C:\\A\\_x.mp3", "C:\\A\\\u00e9t\u00e9.mp3"})
        env.drive.write(QString::fromUtf8(p));
    for (const char* p :
         {"C:\\Music\\a.mp3", "C:\\MUSIC\\A.MP3", "C:\\Music\\B.mp3", "C:\\music\\b.mp3", "C:\\Z\\A.mp3",
          "C:\\A\\b.mp3", "C:\\a\\SONG.mp3", "C:\\Z\\Song.mp3", "C:\\Z\\song.MP3", "C:\\Deep\\Er\\x.mp3",
          "C:\\A\\_x.mp3", "C:\\A\\\u00e9t\u00e9.mp3", "C:\\Gone\\a.mp3", "C:\\Music\\gone.mp3",
          "C:\\A\\s?ng.mp3"})
        pool.append(QString::fromUtf8(p));
    std::mt19937 random(20261206);
    for (int round = 0; round < 40; ++round) {
        const qsizetype size = round < 4 ? round : std::uniform_int_distribution<qsizetype>(0, 200)(random);
        QStringList list;
        for (qsizetype i = 0; i < size; ++i)
            list.append(pool[std::uniform_int_distribution<qsizetype>(0, pool.size() - 1)(random)]);
        for (SortKey k : {SortKey::Path, SortKey::Name})
            for (Direction d : {Direction::Ascending, Direction::Descending}) {
                EntryList fast = list;
                QStringList reference = list;
                const QStringList names = SortEntries(fast, k, d);
                bubbleSort(reference, k, d);
                ASSERT_EQ(fast, reference) << "round " << round << " key " << int(k) << " dir " << int(d);
                ASSERT_EQ(names, k == SortKey::Name ? namesOf(fast.toStringList()) : QStringList());
            }
        // -1: no row selected, from the first; from a row below a pair's first, or beyond the end.
        for (qsizetype from : {qsizetype(-1), qsizetype(0), size / 3, size / 2, size - 2, size - 1, size, size + 3}) {
            const auto fast = FindDoublePair(list, from);
            const auto reference = nestedSearch(list, std::max<qsizetype>(from, 0));
            ASSERT_EQ(fast.has_value(), reference.has_value()) << "round " << round << " from " << from;
            if (fast) {
                EXPECT_EQ(std::pair(fast->first, fast->second), *reference) << "round " << round;
                EXPECT_EQ(fast->name, nameKey(list[reference->second]));
            }
        }
    }
}

// The search looks names up a block of thousands at a time: pairs across blocks are found, and the
// earliest first entry wins over a pair closed before it.
TEST_F(OrderingTest, DoublePairsAcrossBlocks) {
    QDir().mkpath(env.drive.root() + "/D");
    QStringList list;
    for (int i = 0; i < 9000; ++i) {
        QFile(env.drive.root() + QStringLiteral("/D/n%1.mp3").arg(i)).open(QIODevice::WriteOnly);
        list.append(QStringLiteral("C:\\D\\n%1.mp3").arg(i));
    }
    list[8500] = list[5];
    list[8301] = list[8300];
    const struct {
        qsizetype from, first, second;
    } cases[] = {{0, 5, 8500}, {5, 5, 8500}, {6, 8300, 8301}, {8301, -1, -1}};
    for (const auto& c : cases) {
        const auto pair = FindDoublePair(list, c.from);
        EXPECT_EQ(pair ? pair->first : -1, c.first) << "from " << c.from;
        EXPECT_EQ(pair ? pair->second : -1, c.second) << "from " << c.from;
    }
}

// Two entries: the number of exchanges decides the order, so both orders come up.
TEST_F(OrderingTest, MixDrawsBothParities) {
    int swapped = 0;
    for (unsigned seed = 0; seed < 40; ++seed) {
        std::mt19937 g(seed);
        EntryList two{"a", "b"};
        MixEntries(two, g);
        swapped += two.at(0) == "b";
    }
    EXPECT_GT(swapped, 5);
    EXPECT_LT(swapped, 35);

    for (qsizetype n : {0, 1}) { // fewer than two: untouched, no number drawn
        std::mt19937 g(1), untouched(1);
        EntryList few = QStringList(n, "a");
        MixEntries(few, g);
        EXPECT_EQ(few.size(), n);
        EXPECT_EQ(g(), untouched());
    }
}
