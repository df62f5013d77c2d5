#include "tests/common/SlowShare.h"
#include "tests/ops/ItemFolder.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <cstdio>

using StalledShareCli = ItemFolder;

TEST_F(StalledShareCli, ALocalItemIsHandledWhileAFileOnAStalledShareIsHeld)
{
    hvtest::SlowShare share;
    if (!share.mount())
        GTEST_SKIP() << share.skipReason().toStdString();
    const QString onShare = share.mountPoint() + "/LINE4.HVD";
    hvtest::writeFile(onShare, "data on the share");
    QProcess holder;
    holder.start("sh", {"-c", "exec 3<\"$1\" && echo open && exec sleep 60", "sh", onShare});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    write("A.HVT", "[TEMPLATE]\r\n");
    write("A.HVD", "local data");

    // Each run with the share stalled; one that does not end in 20 s is killed once the share
    // answers again (a request the share holds keeps even a killed process).
    const auto runWhileStalled = [&](const QStringList &args, QByteArray &out) {
        share.stall();
        QElapsedTimer clock;
        clock.start();
        QProcess cli;
        cli.start(hvtest::cliPath(), args);
        const bool ended = cli.waitForFinished(20000);
        std::printf("%s: %lld ms with the share stalled\n", qPrintable(args.first()),
                    static_cast<long long>(clock.elapsed()));
        cli.kill();
        share.release();
        cli.waitForFinished(10000);
        out = cli.readAllStandardOutput();
        return ended && cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    };
    QByteArray out;
    EXPECT_EQ(runWhileStalled({"lock-check", folder + "A.HVD"}, out), 0);
    EXPECT_FALSE(QJsonDocument::fromJson(out).object().value("open").toBool());
    EXPECT_EQ(runWhileStalled({"clear", folder, "A.HVT"}, out), 0);
    EXPECT_EQ(QJsonDocument::fromJson(out).object().value("trashed").toArray(),
              QJsonArray{folder + "A.HVD"});
    holder.kill();
    holder.waitForFinished(5000);
}
