// The compact order of the undo history: every kind of order comes back exactly, with its inverse;
// orders that sorting the other way or mixing give stay small.
#include "playlist/permutation.h"

#include <gtest/gtest.h>
#include <numeric>
#include <random>

namespace {

std::vector<qsizetype> identity(qsizetype n) {
    std::vector<qsizetype> order(n);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

} // namespace

TEST(Permutation, GivesBackTheOrderAndItsInverseInLittleSpace) {
    constexpr qsizetype n = 100'000;
    std::mt19937 random(7);
    std::vector<qsizetype> shuffled = identity(n);
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    std::vector<qsizetype> reversed = identity(n);
    std::reverse(reversed.begin(), reversed.end());
    // Descending after ascending with keys that repeat in groups of 30: the groups reversed, each
    // in its order.
    std::vector<qsizetype> groupsReversed;
    for (qsizetype g = (n - 1) / 30; g >= 0; --g)
        for (qsizetype i = g * 30; i < std::min(n, g * 30 + 30); ++i)
            groupsReversed.push_back(i);
    std::vector<qsizetype> mixed = identity(n);
    for (int k = 0; k < 1000; ++k)
        std::swap(mixed[random() % n], mixed[random() % n]);
    const struct {
        const char* name;
        std::vector<qsizetype> order;
        qsizetype atMostBytes;
    } cases[] = {
        {"empty", {}, 64},
        {"one", {0}, 64},
        {"identity", identity(n), 64},
        {"reversed", reversed, 64},
        {"groups reversed", groupsReversed, 64 + (n / 30 + 1) * 8},
        {"mixed", mixed, 64 + 4000 * 8},
        {"shuffled", shuffled, 64 + n * 4},
    };
    for (const auto& c : cases) {
        const Permutation p(c.order);
        EXPECT_EQ(p.size(), qsizetype(c.order.size())) << c.name;
        EXPECT_EQ(p.order(), c.order) << c.name;
        const std::vector<qsizetype> inverse = p.inverse();
        for (std::size_t i = 0; i < c.order.size(); ++i)
            ASSERT_EQ(inverse[c.order[i]], qsizetype(i)) << c.name;
        EXPECT_LE(p.memoryBytes(), c.atMostBytes) << c.name;
    }
}
