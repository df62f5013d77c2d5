#include "platform/ParallelReads.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

using hv::parallel::forEachIndex;
using namespace std::chrono_literals;

namespace {

// The kernel's ids (not soon reused, unlike std::thread::id) of the threads other than the
// caller's that run a call of `readers` indices; each call waits for all to begin, so every
// index has a thread of its own.
std::set<pid_t> helpersOfOneCall(int readers)
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
    ids.erase(::gettid());
    EXPECT_EQ(ids.size(), size_t(readers - 1));
    return ids;
}

} // namespace

TEST(ParallelReads, HelperThreadsRunBelowTheCallersPriority)
{
    // The window's thread must win the processor from the readers on a busy machine.
    const int caller = ::getpriority(PRIO_PROCESS, id_t(::gettid()));
    const std::set<pid_t> helpers = helpersOfOneCall(4);
    ASSERT_FALSE(helpers.empty());
    for (const pid_t helper : helpers)
        EXPECT_GT(::getpriority(PRIO_PROCESS, id_t(helper)), caller);
}

// A process without a window keeps its background threads at its own priority.
TEST(ParallelReads, BackgroundThreadsAreLoweredUnlessTurnedOff)
{
    const auto priorityAfterLowering = [] {
        int priority = 0;
        std::thread([&] {
            hv::parallel::makeCurrentThreadBackground();
            priority = ::getpriority(PRIO_PROCESS, id_t(::gettid()));
        }).join();
        return priority;
    };
    const int caller = ::getpriority(PRIO_PROCESS, id_t(::gettid()));
    EXPECT_GT(priorityAfterLowering(), caller);
    hv::parallel::setBackgroundThreadsLowered(false);
    EXPECT_EQ(priorityAfterLowering(), caller);
    hv::parallel::setBackgroundThreadsLowered(true);
    EXPECT_GT(priorityAfterLowering(), caller);
}

TEST(ParallelReads, ConsecutiveCallsReuseTheSameThreads)
{
    EXPECT_EQ(helpersOfOneCall(8), helpersOfOneCall(8));
}

TEST(ParallelReads, AnExceptionInAnyReaderReachesTheCallerAndThePoolStillServes)
{
    for (int readers : {1, 4})
        for (qsizetype bad : {0, 37, 99})
            EXPECT_THROW(forEachIndex(100, readers,
                                      [bad](qsizetype index, int) {
                                          if (index == bad)
                                              throw std::runtime_error("unreadable");
                                      }),
                         std::runtime_error);
    helpersOfOneCall(4);
}

TEST(ParallelReads, ACancelStopsHandingOutIndices)
{
    for (int readers : {1, 4}) {
        std::atomic<bool> cancelled{false};
        std::atomic<int> calls{0};
        forEachIndex(
            1000, readers,
            [&](qsizetype, int) {
                if (++calls == 10)
                    cancelled = true;
            },
            cancelled);
        EXPECT_LE(calls, 10 + readers) << readers << " readers";
    }
}

TEST(ParallelReads, ACallStuckInItsReadsDoesNotHoldUpAnother)
{
    const int stuckReaders = hv::parallel::kNetworkReaders;
    std::promise<void> release;
    std::atomic<int> waiting = 0;
    std::thread stuck([&, released = release.get_future().share()] {
        forEachIndex(stuckReaders, stuckReaders, [&](qsizetype, int) {
            ++waiting;
            released.wait_for(30s);
        });
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return waiting == stuckReaders; }, 10000));
    const auto started = std::chrono::steady_clock::now();
    helpersOfOneCall(8);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    release.set_value();
    stuck.join();
}

// Readers of many small files take descriptor tables of their own. A helper's table holds none
// of the process's descriptors (a copy would keep the process's pipe open after it closed it),
// and what a reader opened is released on its own thread, where its descriptors mean it.
TEST(ParallelReads, HelpersWithTablesOfTheirOwnHoldNoDescriptorOfTheProcess)
{
    int pipeEnds[2];
    ASSERT_EQ(::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK), 0);
    constexpr int kReaders = 6;
    std::mutex mutex;
    std::condition_variable allIn;
    int in = 0;
    std::vector<pid_t> ranOn(kReaders), releasedOn(kReaders);
    std::vector<int> opened(kReaders, -1);
    std::atomic<int> helpersSeeingThePipe{0};
    const std::atomic<bool> never{false};
    forEachIndex(
        kReaders, kReaders,
        [&](qsizetype, int reader) {
            {
                std::unique_lock lock(mutex);
                ++in;
                allIn.notify_all();
                allIn.wait_for(lock, 10s, [&] { return in == kReaders; });
            }
            ranOn[size_t(reader)] = ::gettid();
            if (reader > 0 && ::fcntl(pipeEnds[1], F_GETFD) != -1)
                ++helpersSeeingThePipe;
            opened[size_t(reader)] = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        },
        never, hv::parallel::FileTable::Own,
        [&](int reader) {
            releasedOn[size_t(reader)] = ::gettid();
            EXPECT_EQ(::close(opened[size_t(reader)]), 0) << "reader " << reader;
        });
    EXPECT_EQ(helpersSeeingThePipe, 0);
    EXPECT_EQ(releasedOn, ranOn);
    ASSERT_EQ(::close(pipeEnds[1]), 0);
    char byte = 0;
    EXPECT_EQ(::read(pipeEnds[0], &byte, 1), 0) << "the pipe was still open for writing";
    ::close(pipeEnds[0]);
}

// Names are read while the listing still finds them: here the listing goes on only once a
// reader has read a name it handed over. Every name is read once, under its number.
TEST(ParallelReads, ListedNamesAreReadWhileTheListingGoesOn)
{
    constexpr int kNames = 500;
    std::atomic<int> calls{0};
    std::vector<std::atomic<int>> readsOf(kNames);
    std::atomic<bool> mismatch{false};
    bool readDuringListing = false;
    const std::atomic<bool> never{false};
    const QStringList names = hv::parallel::forEachListedName(
        4,
        [&](const std::function<void(const QString &)> &found) {
            for (int i = 0; i < kNames; ++i) {
                found(QString::number(i));
                if (i == 100)
                    readDuringListing = QTest::qWaitFor([&] { return calls > 0; }, 10000);
            }
        },
        [&](qsizetype index, const QString &name, int) {
            if (name != QString::number(index))
                mismatch = true;
            ++readsOf[size_t(index)];
            ++calls;
        },
        never, hv::parallel::FileTable::Own, {});
    EXPECT_TRUE(readDuringListing);
    EXPECT_FALSE(mismatch);
    ASSERT_EQ(names.size(), kNames);
    EXPECT_EQ(names.last(), QString::number(kNames - 1));
    for (int i = 0; i < kNames; ++i)
        EXPECT_EQ(readsOf[size_t(i)], 1) << i;
}

// A listing that fails, or a reader's call that fails, reaches the caller once every thread
// has finished; a cancel stops the calls, not the listing.
TEST(ParallelReads, ListedNamesStopOnAFailureOrACancel)
{
    const auto listing = [](int count, int failAt) {
        return [count, failAt](const std::function<void(const QString &)> &found) {
            for (int i = 0; i < count; ++i) {
                if (i == failAt)
                    throw std::runtime_error("unreadable folder");
                found(QString::number(i));
            }
        };
    };
    const std::atomic<bool> never{false};
    for (int readers : {1, 4}) {
        EXPECT_THROW(hv::parallel::forEachListedName(readers, listing(300, 150),
                                                     [](qsizetype, const QString &, int) {}, never,
                                                     hv::parallel::FileTable::Own, {}),
                     std::runtime_error);
        EXPECT_THROW(hv::parallel::forEachListedName(readers, listing(300, -1),
                                                     [](qsizetype index, const QString &, int) {
                                                         if (index == 200)
                                                             throw std::runtime_error(
                                                                 "unreadable file");
                                                     },
                                                     never, hv::parallel::FileTable::Own, {}),
                     std::runtime_error);
        std::atomic<bool> cancelled{false};
        std::atomic<int> calls{0};
        const QStringList names =
            hv::parallel::forEachListedName(readers, listing(300, -1),
                                            [&](qsizetype, const QString &, int) {
                                                if (++calls == 10)
                                                    cancelled = true;
                                            },
                                            cancelled, hv::parallel::FileTable::Own, {});
        EXPECT_EQ(names.size(), 300);
        EXPECT_LE(calls, 10 + readers) << readers << " readers";
    }
}

TEST(ParallelReads, RunsCoverEveryIndexOnceInOrder)
{
    for (const qsizetype count : {qsizetype(0), qsizetype(5), qsizetype(10007)}) {
        std::mutex mutex;
        std::vector<std::pair<qsizetype, qsizetype>> runs;
        const qsizetype made =
            hv::parallel::forEachRun(count, 1000, [&](qsizetype begin, qsizetype end) {
                const std::lock_guard lock(mutex);
                runs.emplace_back(begin, end);
            });
        ASSERT_EQ(qsizetype(runs.size()), made);
        std::sort(runs.begin(), runs.end());
        EXPECT_EQ(runs.front().first, 0);
        EXPECT_EQ(runs.back().second, count);
        for (size_t i = 1; i < runs.size(); ++i)
            EXPECT_EQ(runs[i].first, runs[i - 1].second);
        // A run is never shorter than asked for, unless there is only one.
        if (made > 1) {
            EXPECT_GE(runs.front().second - runs.front().first, 1000);
        }
    }
}
