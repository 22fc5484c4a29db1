#include "platform/parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>
#include <vector>

namespace {
// Runs shorter than this stay on the calling thread: starting a thread costs more than they do.
constexpr qsizetype kParallelFrom = 2048;
constexpr qsizetype kSlice = 256;
constexpr unsigned kMostThreads = 4;
} // namespace

void ForEachSlice(qsizetype count, const std::function<void(qsizetype, qsizetype)>& work) {
    const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads);
    if (count < kParallelFrom || cores == 1) {
        if (count > 0)
            work(0, count);
        return;
    }
    std::atomic<qsizetype> next{0};
    std::exception_ptr failure;
    std::atomic_flag failed = ATOMIC_FLAG_INIT;
    auto run = [&] {
        try {
            for (qsizetype begin; (begin = next.fetch_add(kSlice)) < count;)
                work(begin, std::min(begin + kSlice, count));
        } catch (...) {
            next = count; // the others stop after their slice
            if (!failed.test_and_set())
                failure = std::current_exception();
        }
    };
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < cores; ++t)
        helpers.emplace_back(run);
    run();
    for (std::thread& h : helpers)
        h.join();
    if (failure)
        std::rethrow_exception(failure);
}
