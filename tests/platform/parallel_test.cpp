#include "platform/parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

// Short runs stay on one thread, long ones are shared out in slices: either way every index is
// handed out exactly once.
TEST(ForEachSlice, CoversEveryIndexOnce) {
    for (qsizetype count : {0, 1, 2047, 2048, 2049, 10000}) {
        std::vector<std::atomic<int>> hits(static_cast<std::size_t>(count));
        ForEachSlice(count, [&](qsizetype begin, qsizetype end) {
            ASSERT_LT(begin, end);
            for (qsizetype i = begin; i < end; ++i)
                ++hits[static_cast<std::size_t>(i)];
        });
        for (qsizetype i = 0; i < count; ++i)
            ASSERT_EQ(hits[static_cast<std::size_t>(i)], 1) << "index " << i << " of " << count;
    }
}

TEST(ForEachSlice, PassesAFailureOnToTheCaller) {
    const auto failAt = [](qsizetype index) {
        return [index](qsizetype begin, qsizetype end) {
            if (begin <= index && index < end)
                throw std::runtime_error("lookup failed");
        };
    };
    EXPECT_THROW(ForEachSlice(10, failAt(5)), std::runtime_error);
    EXPECT_THROW(ForEachSlice(10000, failAt(9000)), std::runtime_error);
}
