#include "platform/base/WorkerPool.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <stdexcept>
#include <vector>

namespace ambiscan {
namespace {

TEST(WorkerPool, TasksGiveTheirResultsAndKnowTheirWorker) {
    for (const std::size_t workers : {0u, 1u, 2u, 3u}) {
        WorkerPool pool(workers);
        std::vector<std::future<std::size_t>> results;
        std::atomic<bool> inRange = true;
        for (std::size_t k = 0; k < 20; ++k) {
            results.push_back(pool.submit([&, k](std::size_t worker) {
                // A pool without threads runs each task at once, as worker 0.
                inRange = inRange && worker < std::max<std::size_t>(1, workers);
                return k * k;
            }));
        }
        for (std::size_t k = 0; k < 20; ++k) {
            EXPECT_EQ(results[k].get(), k * k) << workers;
        }
        EXPECT_TRUE(inRange) << workers;
    }
}

TEST(WorkerPool, AFailureLandsInItsTaskOnly) {
    WorkerPool pool(2);
    auto failed = pool.submit([](std::size_t) -> int { throw std::runtime_error("no"); });
    auto fine = pool.submit([](std::size_t) { return 7; });
    EXPECT_THROW(failed.get(), std::runtime_error);
    EXPECT_EQ(fine.get(), 7);
}

TEST(WorkerPool, ForEachCallsEveryIndexOnce) {
    for (const std::size_t workers : {0u, 1u, 2u, 4u}) {
        WorkerPool pool(workers);
        for (const std::size_t count : {0u, 1u, 2u, 100u}) {
            std::vector<std::atomic<int>> calls(count);
            pool.forEach(count, [&](std::size_t i) { ++calls[i]; });
            for (std::size_t i = 0; i < count; ++i) {
                EXPECT_EQ(calls[i].load(), 1) << workers << " " << count << " " << i;
            }
        }
    }
}

// The evidence shares its work out from a task of the pool: with every worker busy the caller
// does the work itself rather than wait for a worker that never comes.
TEST(WorkerPool, ForEachFromInsideATaskWithEveryWorkerBusy) {
    WorkerPool pool(1);
    auto outer = pool.submit([&pool](std::size_t) {
        std::vector<int> squares(50);
        pool.forEach(squares.size(), [&](std::size_t i) { squares[i] = static_cast<int>(i * i); });
        return std::accumulate(squares.begin(), squares.end(), 0);
    });
    EXPECT_EQ(outer.get(), 40425);  // 0 + 1 + 4 + ... + 49 * 49
}

TEST(WorkerPool, ForEachRaisesAFailureOnceEveryCallIsDone) {
    WorkerPool pool(2);
    std::atomic<int> done = 0;
    EXPECT_THROW(pool.forEach(40,
                              [&](std::size_t i) {
                                  if (i == 3) {
                                      throw std::runtime_error("bad");
                                  }
                                  ++done;
                              }),
                 std::runtime_error);
    EXPECT_EQ(done.load(), 39);
}

}  // namespace
}  // namespace ambiscan
