#include "parallel.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

TEST(ParallelChunks, RunsEveryChunkOnceAndReportsOnTheCallersThread) {
    std::vector<std::atomic<int>> runs(1000);
    const auto caller = std::this_thread::get_id();
    std::vector<int> steps;
    const bool finished = ParallelChunks(
        1000, [&](int i) { runs[i].fetch_add(1); },
        [&](int done) {
            EXPECT_EQ(std::this_thread::get_id(), caller);
            steps.push_back(done);
            return true;
        },
        4);
    EXPECT_TRUE(finished);
    for (auto& r : runs) EXPECT_EQ(r.load(), 1);
    ASSERT_FALSE(steps.empty());
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
    EXPECT_EQ(steps.back(), 1000); // the display ends full, whoever ran the chunks
}

TEST(ParallelChunks, StopsWhenTheStepSaysSoAndPassesExceptionsOn) {
    std::atomic<int> ran{0};
    EXPECT_FALSE(ParallelChunks(
        100000,
        [&](int) {
            ran.fetch_add(1);
            std::this_thread::sleep_for(std::chrono::microseconds(20));
        },
        [](int) { return false; }, 4));
    EXPECT_LT(ran.load(), 100000);

    EXPECT_THROW(ParallelChunks(
                     1000,
                     [](int i) {
                         if (i == 500) throw std::runtime_error("chunk failed");
                     },
                     nullptr, 4),
                 std::runtime_error);
    EXPECT_TRUE(ParallelChunks(
        0, [](int) {}, nullptr));
}

} // namespace
