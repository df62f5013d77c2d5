#include "tests/common/SlowShare.h"
#include "tests/ops/ItemFolder.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <cstdio>

namespace {

// Stalls the share and runs hvadmin-cli for at most `seconds`; a run that does not end by then
// is killed once the share answers again, and counts as a failure.
struct BoundedRun {
    bool finished = false;
    int exitCode = -1;
    QByteArray out;
    qint64 ms = 0;
};
BoundedRun runWhileStalled(const QStringList &args, int seconds, hvtest::SlowShare &share)
{
    BoundedRun run;
    QProcess p;
    QElapsedTimer clock;
    share.stall();
    clock.start();
    p.start(hvtest::cliPath(), args);
    run.finished = p.waitForStarted(10000) && p.waitForFinished(seconds * 1000);
    run.ms = clock.elapsed();
    if (!run.finished) {
        p.kill();
        // A request the share holds keeps even a killed process until it is answered.
        share.release();
        p.waitForFinished(10000);
        return run;
    }
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = p.readAllStandardOutput();
    return run;
}

} // namespace

using StalledShareCli = ItemFolder;

TEST_F(StalledShareCli, ALocalItemIsHandledWhileAFileOnAStalledShareIsHeld)
{
    hvtest::SlowShare share;
    if (!share.mount())
        GTEST_SKIP() << share.skipReason().toStdString();
    const QString onShare = share.mountPoint() + "/LINE4.HVD";
    hvtest::writeFile(onShare, "data on the share");
    hvtest::FileHolder holder(onShare);
    ASSERT_TRUE(holder.started());
    write("A.HVT", "[TEMPLATE]\r\n");
    write("A.HVD", "local data");

    // While the share is stalled, anything that looks at it waits until it answers again.
    const BoundedRun check = runWhileStalled({"lock-check", folder + "A.HVD"}, 20, share);
    const BoundedRun clear = runWhileStalled({"clear", folder, "A.HVT"}, 20, share);
    share.release();
    std::printf("lock-check %lld ms, clear %lld ms with the share stalled\n",
                static_cast<long long>(check.ms), static_cast<long long>(clear.ms));

    ASSERT_TRUE(check.finished) << "lock-check waited on the stalled share";
    EXPECT_EQ(check.exitCode, 0);
    EXPECT_FALSE(QJsonDocument::fromJson(check.out).object().value("open").toBool());
    ASSERT_TRUE(clear.finished) << "clear waited on the stalled share";
    EXPECT_EQ(clear.exitCode, 0);
    EXPECT_EQ(QJsonDocument::fromJson(clear.out).object().value("trashed").toArray(),
              QJsonArray{folder + "A.HVD"});
    EXPECT_EQ(names(), QStringList{"A.HVT"});
}
