#include "app/Jobs.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>

using namespace hv;

namespace {

// Work that waits until released (bounded, so a failing test never hangs).
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool isOpen = false;
    std::atomic<bool> entered{false};
    int inside = 0;
    void pass()
    {
        entered = true;
        std::unique_lock lock(mutex);
        ++inside;
        changed.wait_for(lock, std::chrono::seconds(10), [this] { return isOpen; });
        --inside;
        changed.notify_all();
    }
    void open()
    {
        std::lock_guard lock(mutex);
        isOpen = true;
        changed.notify_all();
    }
    // A test that failed early still lets its work go before the gate is gone.
    ~Gate()
    {
        open();
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return inside == 0; });
    }
};

// Short intervals for the time of a test.
struct ShortTimings {
    ShortTimings()
    {
        JobTimings timings;
        timings.progressAfterMs = 20;
        timings.notAnsweringAfterMs = 150;
        timings.tickMs = 10;
        setJobTimings(timings);
    }
    ~ShortTimings() { setJobTimings(JobTimings()); }
};

} // namespace

TEST(Jobs, ResultArrivesOnTheStartingThreadAndTheJobDeletesItself)
{
    QTemporaryDir dir;
    Qt::HANDLE worker = nullptr;
    auto *job = startJob<OpResult>(dir.path(), [&](JobControl &) {
        worker = QThread::currentThreadId();
        OpResult result;
        result.touched << QStringLiteral("x");
        result.succeed();
        return result;
    });
    QPointer<Job> alive(job);
    Qt::HANDLE deliveredOn = nullptr;
    OpResult delivered;
    QObject::connect(job, &Job::finished, [&] {
        deliveredOn = QThread::currentThreadId();
        delivered = job->result();
    });
    QSignalSpy finished(job, &Job::finished);
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_TRUE(delivered.ok);
    EXPECT_EQ(delivered.touched, QStringList{QStringLiteral("x")});
    EXPECT_EQ(deliveredOn, QThread::currentThreadId());
    EXPECT_NE(worker, QThread::currentThreadId());
    EXPECT_TRUE(QTest::qWaitFor([&] { return alive.isNull(); }, 5000));
}

TEST(Jobs, CancelledBeforeStartNeverRunsAndAThrowingJobFails)
{
    QTemporaryDir dir;
    // Fill the folder's lane with blocked jobs, so that the next one waits for a worker.
    Gate gate;
    int blockersDone = 0;
    for (int i = 0; i < kJobsPerFileSystem; ++i) {
        auto *blocker = startJob<int>(dir.path(), [&](JobControl &) {
            gate.pass();
            return 0;
        });
        QObject::connect(blocker, &Job::finished, [&] { ++blockersDone; });
    }
    std::atomic<bool> ran{false};
    auto *queued = startJob<OpResult>(dir.path(), [&](JobControl &) {
        ran = true;
        return OpResult();
    });
    queued->cancel();
    QSignalSpy cancelled(queued, &Job::finished);
    ASSERT_TRUE(cancelled.wait(5000));

    auto *throwing = startJob<OpResult>(
        dir.path(), [](JobControl &) -> OpResult { throw std::runtime_error("disk on fire"); });
    OpResult thrown;
    QString error;
    QObject::connect(throwing, &Job::finished, [&] {
        thrown = throwing->result();
        error = throwing->errorString();
    });
    QSignalSpy threw(throwing, &Job::finished);
    gate.open();
    ASSERT_TRUE(threw.wait(5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return blockersDone == kJobsPerFileSystem; }, 5000));
    EXPECT_FALSE(ran);
    EXPECT_FALSE(thrown.ok);
    EXPECT_EQ(thrown.reason, QStringLiteral("disk on fire"));
    EXPECT_EQ(error, QStringLiteral("disk on fire"));
}

TEST(Jobs, AStuckJobDelaysNeitherAnotherFolderNorTheCallerAndSaysItIsNotAnswering)
{
    ShortTimings timings;
    QTemporaryDir stuckDir;
    QTemporaryDir otherDir;
    Gate gate;
    auto *stuck = startJob<int>(stuckDir.path(), [&](JobControl &control) {
        control.progress(1, 2, QStringLiteral("first"));
        gate.pass();
        return 1;
    });
    QSignalSpy progress(stuck, &Job::progress);
    QSignalSpy notAnswering(stuck, &Job::notAnswering);
    QSignalSpy stuckDone(stuck, &Job::finished);

    auto *other = startJob<int>(otherDir.path(), [](JobControl &) { return 2; });
    QSignalSpy otherDone(other, &Job::finished);
    ASSERT_TRUE(otherDone.wait(5000));
    EXPECT_TRUE(stuckDone.isEmpty());

    ASSERT_TRUE(QTest::qWaitFor([&] { return !notAnswering.isEmpty(); }, 5000));
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.first().at(0).toLongLong(), 1);
    EXPECT_EQ(progress.first().at(2).toString(), QStringLiteral("first"));
    EXPECT_TRUE(gate.entered);
    EXPECT_TRUE(stuckDone.isEmpty());
    gate.open();
    ASSERT_TRUE(stuckDone.wait(5000));
}

// Code without an event loop yet (the start-up) waits for a job's work a bounded time; the
// result is there once the wait says the work returned, and finished() still comes later.
TEST(Jobs, WaitingForTheWorkWithoutAnEventLoopIsBoundedAndSeesTheResult)
{
    QTemporaryDir dir;
    Gate gate;
    auto *job = startJob<int>(dir.path(), [&](JobControl &) {
        gate.pass();
        return 7;
    });
    QSignalSpy finished(job, &Job::finished);
    EXPECT_FALSE(job->waitForWork(50));
    gate.open();
    ASSERT_TRUE(job->waitForWork(5000));
    EXPECT_EQ(job->result(), 7);
    EXPECT_TRUE(finished.isEmpty());
    ASSERT_TRUE(finished.wait(5000));
}
