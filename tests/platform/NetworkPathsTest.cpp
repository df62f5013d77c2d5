#include "platform/NetworkPaths.h"
#include "tests/common/SlowShare.h"

#include <QBuffer>
#include <QDir>

#include <gtest/gtest.h>

namespace {

hv::NetworkPaths pathsWith(const QByteArray &table)
{
    QBuffer buffer;
    buffer.setData(table);
    buffer.open(QIODevice::ReadOnly);
    return hv::NetworkPaths(hv::MountTable::parse(buffer));
}

const QByteArray kTable = "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                          "23 22 0:40 / /home rw - ext4 /dev/sda2 rw\n"
                          "30 22 0:50 / /mnt/plant rw - cifs //filer/plant rw\n"
                          "31 22 0:51 / /net/nfs rw - nfs fileserver:/export/hv rw\n"
                          "32 22 0:52 / /media/ssh rw - fuse.sshfs bob@box:/srv/hv rw\n";

} // namespace

TEST(NetworkPaths, UncPathsAreRecognisedInBothSpellings)
{
    const hv::NetworkPaths paths = pathsWith(kTable);
    EXPECT_TRUE(paths.IsValidUNC("//filer/plant/A.HVD"));
    EXPECT_TRUE(paths.IsValidUNC("\\\\filer\\plant\\A.HVD"));
    EXPECT_FALSE(paths.IsValidUNC("/mnt/plant/A.HVD"));
    EXPECT_TRUE(paths.IsRemotePath("//filer/plant/A.HVD"));
    EXPECT_EQ(paths.MakePathUNC("//filer/plant/A.HVD"), QString());
}

TEST(NetworkPaths, NetworkMountsOfEachKindGiveTheirShare)
{
    const hv::NetworkPaths paths = pathsWith(kTable);
    EXPECT_TRUE(paths.IsRemotePath("/mnt/plant/Line 4.HVD"));
    EXPECT_EQ(paths.PathRoot("/mnt/plant/Line 4.HVD"), "/mnt/plant");
    EXPECT_EQ(paths.MakePathUNC("/mnt/plant/Line 4.HVD"), "//filer/plant/Line 4.HVD");

    EXPECT_TRUE(paths.IsRemotePath("/net/nfs/p/A.HVD"));
    EXPECT_EQ(paths.MakePathUNC("/net/nfs/p/A.HVD"), "//fileserver/export/hv/p/A.HVD");

    EXPECT_TRUE(paths.IsRemotePath("/media/ssh/A.HVD"));
    EXPECT_EQ(paths.MakePathUNC("/media/ssh/A.HVD"), "//box/srv/hv/A.HVD");
    EXPECT_EQ(paths.MakePathUNC("/media/ssh/../../mnt/plant/B.HVD"), "//filer/plant/B.HVD");
}

TEST(NetworkPaths, OnlyTheLeadingMountPointIsReplaced)
{
    const hv::NetworkPaths paths = pathsWith(kTable);
    EXPECT_EQ(paths.MakePathUNC("/mnt/plant/copy/mnt/plant/A.HVD"),
              "//filer/plant/copy/mnt/plant/A.HVD");
}

TEST(NetworkPaths, LocalPathsAreNotRemoteAndHaveNoShare)
{
    const hv::NetworkPaths paths = pathsWith(kTable);
    for (const QString path : {"/home/ann/A.HVD", "/mnt/plantation/A.HVD", "/tmp/A.HVD"}) {
        EXPECT_FALSE(paths.IsRemotePath(path)) << path.toStdString();
        EXPECT_EQ(paths.PathRoot(path), path);
        EXPECT_EQ(paths.MakePathUNC(path), QString());
    }
    QString share;
    EXPECT_FALSE(paths.NetConnection("/home", share));
    EXPECT_FALSE(paths.NetConnection("/nowhere", share));
    EXPECT_FALSE(pathsWith("").IsRemotePath("/mnt/plant/A.HVD"));
    EXPECT_FALSE(paths.IsRemotePath(QString()));
}

TEST(NetworkPaths, TheSystemTableIsReadWhole)
{
    // procfs reports the table's size as 0; the root mount is always in it.
    const hv::MountTable table = hv::MountTable::fromSystem();
    ASSERT_FALSE(table.entries().isEmpty());
    const hv::MountEntry *root = table.mountOf(QStringLiteral("/"));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->mountPoint, "/");
}

TEST(NetworkPaths, OnlyLocalMountsThatAreNotFuseAreLocal)
{
    const hv::MountTable table = hv::MountTable::parseText(
        kTable + "33 22 0:53 / /mnt/slow rw - fuse slowfs rw\n"
                 "34 23 0:54 / /home/ann/usb rw - fuseblk /dev/sdb1 rw\n");
    EXPECT_TRUE(table.isLocalPath("/home/ann/plant"));
    EXPECT_TRUE(table.isLocalPath("/mnt/plantation"));
    for (const char *path :
         {"/mnt/plant/x", "/net/nfs", "/media/ssh/p", "/mnt/slow/p", "/home/ann/usb/p"})
        EXPECT_FALSE(table.isLocalPath(QString::fromLatin1(path))) << path;
    EXPECT_FALSE(hv::MountTable().isLocalPath("/home"));
}

// The system's table is kept between calls and read again when a mount comes or goes.
TEST(MountTable, TheSystemTableFollowsMountsAndUnmounts)
{
    const auto mounted = [](const QString &mountPoint) {
        const hv::MountTable table = hv::MountTable::fromSystem();
        const hv::MountEntry *mount = table.mountOf(mountPoint);
        return mount && mount->mountPoint == mountPoint;
    };
    EXPECT_TRUE(mounted(QStringLiteral("/")));
    QString mountPoint;
    {
        hvtest::SlowShare share;
        if (!share.mount())
            GTEST_SKIP() << share.skipReason().toStdString();
        mountPoint = QDir::cleanPath(share.mountPoint());
        EXPECT_TRUE(mounted(mountPoint));
        EXPECT_EQ(hv::MountTable::fromSystem().mountOf(mountPoint)->fsType.left(4), "fuse");
    }
    EXPECT_FALSE(mounted(mountPoint));
}
