#include "platform/FileMove.h"
#include "tests/common/SlowShare.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

using namespace hv;

namespace {

// Moves a file and a symbolic link (as the link) in `folder`, and refuses an existing target
// with both files left as they were.
void checkMoves(const QString &folder)
{
    hvtest::writeFile(folder + "/a", "first");
    hvtest::writeFile(folder + "/b", "second");
    EXPECT_TRUE(moveNoReplace(folder + "/a", folder + "/c").ok);
    const MoveResult refused = moveNoReplace(folder + "/c", folder + "/b");
    EXPECT_EQ(refused.error, EEXIST);
    EXPECT_EQ(refused.reason, QString::fromLocal8Bit(std::strerror(EEXIST)));
    EXPECT_EQ(hvtest::readFile(folder + "/c"), "first");
    EXPECT_EQ(hvtest::readFile(folder + "/b"), "second");
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
    // On a share that answers a rename that refuses with EINVAL, as NFS does, a link and an
    // unlink do the move.
    hvtest::SlowShare share;
    if (!share.mount("delay_us=0,cache_s=0,norename2"))
        GTEST_SKIP() << share.skipReason().toStdString();
    checkMoves(share.mountPoint());
}
