#include "platform/ParallelReads.h"

#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>

#include <unistd.h>

using hv::parallel::forEachIndex;

namespace {

using namespace std::chrono_literals;

// The kernel's ids of the threads that run a call of `readers` indices with `readers` readers;
// each call waits for all the others to begin, so every index has a thread of its own. Thread
// ids are not reused soon, unlike std::thread::id.
std::set<pid_t> threadsOfOneCall(int readers)
{
    std::mutex mutex;
    std::condition_variable allIn;
    std::set<pid_t> ids;
    forEachIndex(readers, readers, [&](qsizetype, int) {
        std::unique_lock lock(mutex);
        ids.insert(::gettid());
        allIn.notify_all();
        allIn.wait_for(lock, 10s, [&] { return ids.size() == size_t(readers); });
    });
    EXPECT_EQ(ids.size(), size_t(readers));
    ids.erase(::gettid());
    return ids;
}

} // namespace

TEST(ParallelReads, ConsecutiveCallsReuseTheSameThreads)
{
    const std::set<pid_t> first = threadsOfOneCall(8);
    EXPECT_EQ(first.size(), 7u);
    EXPECT_EQ(threadsOfOneCall(8), first);
}

TEST(ParallelReads, AnExceptionInAnyReaderReachesTheCaller)
{
    for (int readers : {1, 4}) {
        for (qsizetype bad : {0, 37, 99})
            EXPECT_THROW(forEachIndex(100, readers,
                                      [bad](qsizetype index, int) {
                                          if (index == bad)
                                              throw std::runtime_error("unreadable");
                                      }),
                         std::runtime_error);
    }
    EXPECT_EQ(threadsOfOneCall(4).size(), 3u); // the pool still serves
}

TEST(ParallelReads, ACallStuckInItsReadsDoesNotHoldUpAnother)
{
    const int stuckReaders = hv::parallel::kNetworkReaders;
    std::promise<void> release;
    const std::shared_future<void> released = release.get_future().share();
    std::atomic<int> waiting = 0;
    std::thread stuck([&] {
        forEachIndex(stuckReaders, stuckReaders, [&](qsizetype, int) {
            ++waiting;
            released.wait_for(30s);
        });
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return waiting == stuckReaders; }, 10000));

    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(threadsOfOneCall(8).size(), 7u);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    release.set_value();
    stuck.join();
}
