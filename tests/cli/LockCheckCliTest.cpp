#include "tests/common/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QJsonObject lockCheck(const QString &path, const QString &workDir = {})
{
    const hvtest::ProcessResult r = hvtest::runCli({"lock-check", path}, {}, workDir);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return QJsonDocument::fromJson(r.out).object();
}

} // namespace

TEST(LockCheckCli, ReportsWhetherAnotherProcessHoldsTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.path() + "/LINE4.HVD";
    hvtest::writeFile(file, "data");

    const QJsonObject free = lockCheck("LINE4.HVD", dir.path());
    EXPECT_FALSE(free.value("open").toBool());
    EXPECT_EQ(free.value("path").toString(), file);
    EXPECT_FALSE(free.contains("message"));

    QProcess holder;
    holder.start("sh", {"-c", "exec 3<\"$1\"; exec sleep 30", "sh", file});
    ASSERT_TRUE(holder.waitForStarted(5000));
    QJsonObject held;
    for (int i = 0; i < 50 && !held.value("open").toBool(); ++i) {
        held = lockCheck(file);
        if (!held.value("open").toBool())
            holder.waitForFinished(50);
    }
    holder.kill();
    holder.waitForFinished(5000);
    EXPECT_TRUE(held.value("open").toBool());
    EXPECT_EQ(held.value("rc").toInt(), 0);
    EXPECT_EQ(held.value("holders").toArray().size(), 0);
    EXPECT_TRUE(held.value("message").toString().startsWith("The application 's (" + file + ")"));
}

TEST(LockCheckCli, MissingArgumentIsBadUsage)
{
    EXPECT_EQ(hvtest::runCli({"lock-check"}).exitCode, 2);
}
