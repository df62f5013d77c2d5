#include "platform/FileMove.h"
#include "tests/common/SlowShare.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

using namespace hv;

namespace {

// Moves a file, refuses an existing target with both files left as they were, and moves a
// symbolic link as the link, in `folder`.
void checkMoves(const QString &folder)
{
    hvtest::writeFile(folder + "/a", "first");
    hvtest::writeFile(folder + "/b", "second");
    EXPECT_TRUE(moveNoReplace(folder + "/a", folder + "/c").ok);
    EXPECT_FALSE(QFile::exists(folder + "/a"));
    EXPECT_EQ(hvtest::readFile(folder + "/c"), "first");

    const MoveResult refused = moveNoReplace(folder + "/c", folder + "/b");
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error, EEXIST);
    EXPECT_EQ(refused.reason, QString::fromLocal8Bit(std::strerror(EEXIST)));
    EXPECT_EQ(hvtest::readFile(folder + "/c"), "first");
    EXPECT_EQ(hvtest::readFile(folder + "/b"), "second");

    const MoveResult missing = moveNoReplace(folder + "/gone", folder + "/d");
    EXPECT_EQ(missing.error, ENOENT);
    EXPECT_FALSE(QFile::exists(folder + "/d"));

    ASSERT_TRUE(QFile::link("c", folder + "/link"));
    EXPECT_TRUE(moveNoReplace(folder + "/link", folder + "/moved").ok);
    EXPECT_EQ(QFileInfo(folder + "/moved").symLinkTarget(), folder + "/c");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::System, QDir::Name),
              (QStringList{"b", "c", "moved"}));
}

} // namespace

TEST(FileMove, NeverReplacesAnExistingFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    checkMoves(dir.path());
}

TEST(FileMove, WithoutARenameThatRefusesTheFileIsLinkedAndUnlinked)
{
    // A share that answers a rename with flags as NFS does: the kernel says EINVAL.
    hvtest::SlowShare share;
    if (!share.mount("delay_us=0,cache_s=0,norename2"))
        GTEST_SKIP() << share.skipReason().toStdString();
    checkMoves(share.mountPoint());
}
