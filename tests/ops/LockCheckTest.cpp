#include "ops/LockCheck.h"
#include "log/DiagnosticLog.h"
#include "tests/common/LogCapture.h"
#include "tests/common/TestSupport.h"

#include <QBuffer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <cerrno>
#include <stdexcept>

#include <gtest/gtest.h>

namespace {

// A service that answers as it is told and records the paths it was asked about.
class ScriptedService : public hv::FileLockService {
public:
    bool IsFileOpen(const QString &path) override
    {
        asked->append(path);
        return open;
    }
    qint32 GetFileLockInfo(const QString &path) override
    {
        asked->append(path);
        if (throws)
            throw std::runtime_error("service stopped");
        return rc;
    }
    const hv::LockUserList &LockUsers() const override { return users; }
    QString GetExtendedError(qint32 code) const override
    {
        return QStringLiteral("system text %1").arg(code);
    }

    bool open = false;
    qint32 rc = 0;
    bool throws = false;
    hv::LockUserList users;
    QStringList *asked = nullptr; // outlives the service, which the check releases
};

hv::NetworkPaths networkWith(const QByteArray &table)
{
    QBuffer buffer;
    buffer.setData(table);
    buffer.open(QIODevice::ReadOnly);
    return hv::NetworkPaths(hv::MountTable::parse(buffer));
}

const QByteArray kMounts = "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                           "30 22 0:50 / /mnt/plant rw - cifs //filer/plant rw\n";

using hvtest::LogCapture;

class LockCheck : public ::testing::Test {
protected:
    hv::LockCheckResult check(const QString &path, const hv::NetworkPaths &network)
    {
        return hv::isFileLocked(
            path,
            [this](QString &) -> std::unique_ptr<hv::FileLockService> {
                auto service = std::make_unique<ScriptedService>(script);
                service->asked = &asked;
                return service;
            },
            network);
    }
    ScriptedService script;
    QStringList asked;
};

} // namespace

TEST_F(LockCheck, FileNobodyHoldsNeedsNoWindowAndIsLogged)
{
    LogCapture log;
    const hv::LockCheckResult r = check("/home/a/LINE4.HVD", networkWith(kMounts));
    EXPECT_EQ(r.outcome, hv::LockOutcome::NotLocked);
    EXPECT_FALSE(r.isOpen());
    EXPECT_TRUE(r.message.isEmpty());
    EXPECT_EQ(asked, QStringList{"/home/a/LINE4.HVD"});
    ASSERT_TRUE(log.waitForMessage("File is not locked!"));
    EXPECT_EQ(log.entries.front().module, "mMain");
    EXPECT_EQ(log.entries.front().procedure, "isFileLocked");
}

TEST_F(LockCheck, HolderOnThisComputerGivesThePlainWindow)
{
    script.open = true;
    const hv::LockCheckResult r = check("/home/a/LINE4.HVD", networkWith(kMounts));
    EXPECT_EQ(r.outcome, hv::LockOutcome::SameComputer);
    EXPECT_TRUE(r.isOpen());
    EXPECT_FALSE(r.listVisible);
    EXPECT_TRUE(r.message.startsWith("The application 's (/home/a/LINE4.HVD) data file you"));
    EXPECT_TRUE(r.message.endsWith("until the file is unlocked."));
    EXPECT_EQ(asked, (QStringList{"/home/a/LINE4.HVD", "/home/a/LINE4.HVD"}));
}

TEST_F(LockCheck, UsersOnAMappedShareAreListedUnderTheSharePath)
{
    script.open = true;
    script.users.append({"ann", "PC1"});
    script.users.append({"bob", "PC2"});
    const hv::LockCheckResult r = check("/mnt/plant/p/LINE4.HVD", networkWith(kMounts));
    EXPECT_EQ(r.outcome, hv::LockOutcome::OtherUsers);
    EXPECT_EQ(r.path, "//filer/plant/p/LINE4.HVD");
    EXPECT_EQ(asked.last(), "//filer/plant/p/LINE4.HVD");
    EXPECT_TRUE(r.listVisible);
    EXPECT_EQ(r.columns, (QStringList{"USER", "Computer"}));
    ASSERT_EQ(r.rows.size(), 2);
    EXPECT_EQ(r.rows[0], (QStringList{"ann", "on PC1"}));
    EXPECT_EQ(r.rows[1], (QStringList{"bob", "on PC2"}));
    EXPECT_TRUE(r.message.startsWith(
        "Access has been denied to the application's (//filer/plant/p/LINE4.HVD) data file"));
    EXPECT_NE(r.message.indexOf("It is being accessed by another user."), -1);
}

TEST_F(LockCheck, UncPathIsPassedOnUnchanged)
{
    script.open = true;
    const hv::LockCheckResult r = check("//filer/plant/LINE4.HVD", networkWith(kMounts));
    EXPECT_EQ(r.path, "//filer/plant/LINE4.HVD");
    EXPECT_EQ(asked.last(), "//filer/plant/LINE4.HVD");
}

TEST_F(LockCheck, ServiceErrorShowsTheSystemText)
{
    script.open = true;
    script.rc = EACCES;
    const hv::LockCheckResult r = check("/home/a/LINE4.HVD", networkWith(kMounts));
    EXPECT_EQ(r.outcome, hv::LockOutcome::ErrorInfo);
    EXPECT_EQ(r.rc, EACCES);
    EXPECT_EQ(r.columns, QStringList{"Error Information"});
    ASSERT_EQ(r.rows.size(), 1);
    EXPECT_EQ(r.rows[0], QStringList{QStringLiteral("system text %1").arg(EACCES)});
    EXPECT_NE(r.message.indexOf("It is unclear why this is occurring."), -1);
}

TEST_F(LockCheck, BrokenServiceNeverBlocksOpening)
{
    LogCapture log;
    const hv::LockCheckResult missing = hv::isFileLocked(
        "/home/a/LINE4.HVD",
        [](QString &error) -> std::unique_ptr<hv::FileLockService> {
            error = "not installed";
            return nullptr;
        },
        networkWith(kMounts));
    EXPECT_EQ(missing.outcome, hv::LockOutcome::CheckFailed);
    EXPECT_FALSE(missing.isOpen());
    EXPECT_TRUE(log.waitForMessage("Error: 429 - not installed"));

    script.open = true;
    script.throws = true;
    const hv::LockCheckResult failing = check("/home/a/LINE4.HVD", networkWith(kMounts));
    EXPECT_EQ(failing.outcome, hv::LockOutcome::CheckFailed);
    EXPECT_TRUE(log.waitForMessage("Error: 440 - service stopped"));
}

TEST(LockCheckReal, ChildProcessHoldingTheFileIsReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.path() + "/LINE4.HVD";
    hvtest::writeFile(file, "data");
    const hv::NetworkPaths local{hv::MountTable()};

    EXPECT_EQ(hv::isFileLocked(file, hv::defaultFileLockServiceFactory(), local).outcome,
              hv::LockOutcome::NotLocked);

    QProcess holder;
    holder.start("sh", {"-c", "exec 3<\"$1\"; exec sleep 30", "sh", file});
    ASSERT_TRUE(holder.waitForStarted(5000));
    hv::LockCheckResult r;
    for (int i = 0; i < 100 && r.outcome != hv::LockOutcome::SameComputer; ++i) {
        r = hv::isFileLocked(file, hv::defaultFileLockServiceFactory(), local);
        if (r.outcome != hv::LockOutcome::SameComputer)
            holder.waitForFinished(50);
    }
    holder.kill();
    holder.waitForFinished(5000);
    EXPECT_EQ(r.outcome, hv::LockOutcome::SameComputer);
    EXPECT_EQ(r.path, file);
}
