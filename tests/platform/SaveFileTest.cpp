#include "platform/SaveFile.h"
#include "tests/common/SlowShare.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

using namespace hv;

namespace {

// Whether thread `tid` of this process is inside the system call `number`.
bool inSystemCall(pid_t tid, long number)
{
    QFile file(QStringLiteral("/proc/self/task/%1/syscall").arg(tid));
    return file.open(QIODevice::ReadOnly) &&
           file.readAll().startsWith(QByteArray::number(qlonglong(number)) + ' ');
}

} // namespace

// A folder lock waiting on a share that stopped answering keeps no other folder from being
// locked, and locks of one folder nest in one thread.
TEST(FolderLock, AShareThatStoppedAnsweringHoldsUpOnlyItsOwnFolders)
{
    QTemporaryDir local;
    {
        FolderLock outer(local.filePath(QStringLiteral("a")));
        FolderLock inner(local.filePath(QStringLiteral("b")));
    }
    hvtest::SlowShare share;
    if (!share.mount())
        GTEST_SKIP() << share.skipReason().toStdString();
    if (!share.stall())
        GTEST_SKIP() << "the share went on answering after it was told to stall";
    std::atomic<pid_t> stuckTid{0};
    std::thread stuck([&] {
        stuckTid = pid_t(::syscall(SYS_gettid));
        FolderLock lock(share.mountPoint() + QStringLiteral("/sub/file"));
    });
    const bool waiting =
        QTest::qWaitFor([&] { return stuckTid != 0 && inSystemCall(stuckTid, SYS_openat); }, 5000);

    auto localLocked = std::make_shared<std::atomic<bool>>(false);
    std::thread([localLocked, path = local.filePath(QStringLiteral("c"))] {
        FolderLock lock(path);
        *localLocked = true;
    }).detach();
    const bool locked = QTest::qWaitFor([&] { return bool(*localLocked); }, 2000);
    share.release();
    stuck.join();
    ASSERT_TRUE(waiting) << "the lock never reached the share";
    EXPECT_TRUE(locked) << "a local folder's lock waited on the stalled share";
    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(*localLocked); }, 5000));
}
