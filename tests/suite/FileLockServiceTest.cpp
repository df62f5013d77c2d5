#include "suite/FileLockService.h"
#include "platform/MountTable.h"
#include "tests/common/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

hv::MountTable mountsFrom(const QByteArray &text)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return hv::MountTable::parse(buffer);
}

// A child process that holds `path` open on descriptor 3 until it is killed.
class Holder {
public:
    explicit Holder(const QString &path)
    {
        process.start(QStringLiteral("sh"),
                      {QStringLiteral("-c"), QStringLiteral("exec 3<\"$1\"; exec sleep 30"),
                       QStringLiteral("sh"), path});
        started = process.waitForStarted(5000);
    }
    ~Holder()
    {
        process.kill();
        process.waitForFinished(5000);
    }
    QProcess process;
    bool started = false;
};

using hv::MountTable;

class FileLockService : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        file = dir.path() + "/LINE4.HVD";
        hvtest::writeFile(file, "data");
    }
    QTemporaryDir dir;
    QString file;
    hv::ProcFileLockService service{MountTable()};
};

} // namespace

TEST_F(FileLockService, FileNobodyHoldsIsNotOpen)
{
    // This process opening the file does not count: only other processes hold it.
    QFile own(file);
    ASSERT_TRUE(own.open(QIODevice::ReadOnly));
    EXPECT_FALSE(service.IsFileOpen(file));
    EXPECT_EQ(service.GetFileLockInfo(file), 0);
    EXPECT_EQ(service.LockUsers().Count(), 0);
}

TEST_F(FileLockService, FileHeldByAnotherProcessIsOpenWithoutUsers)
{
    Holder holder(file);
    ASSERT_TRUE(holder.started);
    // The shell opens the file right after it starts; wait until it has.
    bool open = false;
    for (int i = 0; i < 100 && !open; ++i) {
        open = service.IsFileOpen(file);
        if (!open)
            holder.process.waitForFinished(50);
    }
    EXPECT_TRUE(open);
    EXPECT_EQ(service.GetFileLockInfo(file), 0);
    EXPECT_EQ(service.LockUsers().Count(), 0);
    // The name the console builds may differ in letter case from the one on disk.
    EXPECT_TRUE(service.IsFileOpen(dir.path() + "/Line4.hvd"));

    // Another file in the same folder is not affected.
    const QString other = dir.path() + "/OTHER.HVD";
    hvtest::writeFile(other, "x");
    EXPECT_FALSE(service.IsFileOpen(other));
    // A whole set is asked about in one pass; the held member is named.
    EXPECT_EQ(service.firstOpen({other, dir.path() + "/gone", file}), file);

    holder.process.kill();
    ASSERT_TRUE(holder.process.waitForFinished(5000));
    EXPECT_FALSE(service.IsFileOpen(file));
    EXPECT_EQ(service.firstOpen({other, file}), QString());
}

TEST_F(FileLockService, NameInOtherLetterCaseMeansTheFileOnDisk)
{
    // The data-file form asks for "…HVD"; the file on disk is written in lower case.
    const QString onDisk = dir.path() + "/line5.hvd";
    hvtest::writeFile(onDisk, "data");
    Holder holder(onDisk);
    ASSERT_TRUE(holder.started);
    bool open = false;
    for (int i = 0; i < 100 && !open; ++i) {
        open = service.IsFileOpen(dir.path() + "/LINE5.HVD");
        if (!open)
            holder.process.waitForFinished(50);
    }
    EXPECT_TRUE(open);
}

TEST_F(FileLockService, LocksOfProcessesWhoseDescriptorsAreHiddenCount)
{
    // A process table with no readable descriptors (another user's processes) whose locks
    // table names the file; this process's own locks and waiters hold nothing.
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(file).constData(), &st), 0);
    const QByteArray id = QByteArray::number(major(st.st_dev), 16) + ':' +
                          QByteArray::number(minor(st.st_dev), 16) + ':' +
                          QByteArray::number(qulonglong(st.st_ino));
    const QString proc = dir.path() + "/proc";
    ASSERT_TRUE(QDir().mkpath(proc));
    const QByteArray self = QByteArray::number(qint64(getpid()));
    hvtest::writeFile(proc + "/locks", "1: FLOCK  ADVISORY  WRITE " + self + " " + id +
                                           " 0 EOF\n"
                                           "1: -> FLOCK  ADVISORY  WRITE 4242 " +
                                           id + " 0 EOF\n");
    hv::ProcFileLockService scan(MountTable(), proc);
    EXPECT_FALSE(scan.IsFileOpen(file));
    hvtest::writeFile(proc + "/locks", "2: POSIX  ADVISORY  READ 4243 " + id + " 0 EOF\n");
    EXPECT_TRUE(scan.IsFileOpen(file));
    EXPECT_EQ(scan.firstOpen({dir.path() + "/proc/locks", file}), file);
    EXPECT_EQ(scan.GetFileLockInfo(file), 0);
    hvtest::writeFile(proc + "/locks", "3: OFDLCK ADVISORY  WRITE -1 " + id + "9 0 EOF\n");
    EXPECT_FALSE(scan.IsFileOpen(file));
}

TEST_F(FileLockService, AHolderInAnotherMountNamespaceThroughABindMountIsFound)
{
    // The holder sees the folder at another path, in a mount table of its own whose mount
    // ids differ from this process's: only the device and inode say it is the same file.
    const QString other = dir.path() + "/bound";
    ASSERT_TRUE(QDir().mkpath(other));
    QProcess holder;
    holder.start("unshare", {"-m", "--propagation", "private", "sh", "-c",
                             "mount --bind \"$1\" \"$2\" && exec 3<\"$2/LINE4.HVD\" && echo open "
                             "&& exec sleep 30",
                             "sh", dir.path(), other});
    if (!holder.waitForReadyRead(5000) || !holder.readAllStandardOutput().contains("open"))
        GTEST_SKIP() << "cannot make a mount namespace here";
    EXPECT_TRUE(service.IsFileOpen(file));
    EXPECT_EQ(service.firstOpen({other + "/x", file}), file);
    holder.kill();
    holder.waitForFinished(5000);
}

TEST_F(FileLockService, DescriptorsAreKnownFromFdinfoAndTheHoldersOwnMountTable)
{
    // A /proc tree of processes holding the file, each told apart by what /proc says alone;
    // the file's mount id, inode and mount as this process sees them.
    QFile own(file);
    ASSERT_TRUE(own.open(QIODevice::ReadOnly));
    QByteArray mountId, inode, mountLine;
    for (const QByteArray &line :
         hvtest::readFile("/proc/self/fdinfo/" + QString::number(own.handle())).split('\n')) {
        (line.startsWith("mnt_id:") ? mountId
         : line.startsWith("ino:")  ? inode
                                    : mountLine) = line.mid(line.indexOf(':') + 1).trimmed();
    }
    for (const QByteArray &line : hvtest::readFile("/proc/self/mountinfo").split('\n')) {
        if (line.startsWith(mountId + ' '))
            mountLine = line;
    }
    ASSERT_FALSE(mountLine.isEmpty());
    const QString proc = dir.path() + "/proc";
    const auto process = [&](const char *pid, const QByteArray &space, const QByteArray &fdinfo,
                             const QByteArray &mountinfo = {}) {
        const QString folder = proc + '/' + pid;
        ASSERT_TRUE(QDir().mkpath(folder + "/fdinfo") && QDir().mkpath(folder + "/ns") &&
                    QDir().mkpath(folder + "/fd"));
        ASSERT_TRUE(QFile::link(QString::fromLatin1(space), folder + "/ns/mnt"));
        hvtest::writeFile(folder + "/fdinfo/3", "pos:\t0\nflags:\t0100000\n" + fdinfo);
        if (!mountinfo.isEmpty())
            hvtest::writeFile(folder + "/mountinfo", mountinfo);
    };
    hv::ProcFileLockService scan(MountTable(), proc);
    // Another namespace, where the file's mount has id 90001 and id 90002 is another mount,
    // and a third, where 90002 is the file's mount: each holder's own table counts.
    QByteArray elsewhere = mountLine;
    elsewhere.replace(0, mountId.size(), "90001");
    const QByteArray holding = "mnt_id:\t90002\nino:\t" + inode + "\n";
    process("200", "mnt:[7]", holding, "90002 1 0:999 / /x rw - tmpfs tmpfs rw\n" + elsewhere);
    EXPECT_FALSE(scan.IsFileOpen(file));
    elsewhere.replace(0, 5, "90002");
    process("201", "mnt:[8]", holding, elsewhere);
    EXPECT_TRUE(scan.IsFileOpen(file));
    ASSERT_TRUE(QDir(proc + "/201").removeRecursively());

    // A kernel that writes no inode: the descriptor's link names the file, which counts only
    // in this process's own mount namespace.
    process("self", "mnt:[1]", "");
    process("202", "mnt:[7]", "mnt_id:\t" + mountId + "\n");
    ASSERT_TRUE(QFile::link(file, proc + "/202/fd/3"));
    EXPECT_FALSE(scan.IsFileOpen(file));
    process("203", "mnt:[1]", "mnt_id:\t" + mountId + "\n");
    ASSERT_TRUE(QFile::link(file, proc + "/203/fd/3"));
    EXPECT_TRUE(scan.IsFileOpen(file));
}

TEST_F(FileLockService, MissingFileGivesErrnoAndItsText)
{
    const QString missing = dir.path() + "/gone/NONE.HVD";
    EXPECT_FALSE(service.IsFileOpen(missing));
    const qint32 rc = service.GetFileLockInfo(missing);
    EXPECT_EQ(rc, ENOENT);
    EXPECT_EQ(service.GetExtendedError(rc), QString::fromLocal8Bit(std::strerror(ENOENT)));
    EXPECT_EQ(service.GetFileLockInfo(QString()), ENOENT);
}

TEST_F(FileLockService, UnreadableProcessListIsAnError)
{
    hv::ProcFileLockService broken(MountTable(), dir.path() + "/no-proc");
    EXPECT_FALSE(broken.IsFileOpen(file));
    EXPECT_EQ(broken.GetFileLockInfo(file), ENOENT);
}

TEST_F(FileLockService, SharePathIsLookedUpUnderItsMountPoint)
{
    const QByteArray table = "30 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                             "40 30 0:50 / " +
                             QFile::encodeName(dir.path()) + " rw - cifs //srv/data rw\n";
    hv::ProcFileLockService mapped(mountsFrom(table));
    EXPECT_EQ(mapped.localPathOf("//srv/data/LINE4.HVD"), file);
    EXPECT_EQ(mapped.localPathOf("\\\\srv\\data\\LINE4.HVD"), file);
    EXPECT_EQ(mapped.localPathOf("//other/data/LINE4.HVD"), "//other/data/LINE4.HVD");
    EXPECT_EQ(mapped.localPathOf("/plain/path"), "/plain/path");
    // The share and its file exist locally, so the lookup succeeds.
    EXPECT_EQ(mapped.GetFileLockInfo("//srv/data/LINE4.HVD"), 0);
    EXPECT_EQ(mapped.GetFileLockInfo("//other/data/LINE4.HVD"), ENOENT);

    Holder holder(file);
    ASSERT_TRUE(holder.started);
    bool open = false;
    for (int i = 0; i < 100 && !open; ++i) {
        open = mapped.IsFileOpen("//srv/data/LINE4.HVD");
        if (!open)
            holder.process.waitForFinished(50);
    }
    EXPECT_TRUE(open);
}

TEST(MountTable, ParsesFieldsEscapesAndSkipsDamagedLines)
{
    const MountTable table = mountsFrom(
        "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "garbage line\n"
        "23 22 0:5 / /mnt/my\\040share rw shared:2 master:3 - cifs //srv/my\\040share rw\n"
        "24 22 0:6 / /mnt/nfs rw - nfs4 fileserver:/export/home rw\n"
        "25 22 0:7 / /mnt/ssh rw - fuse.sshfs alice@box:projects rw\n"
        "26 22 0:8 / relative rw - ext4 /dev/sdb rw\n"
        "27 22 0:9 / /mnt/cut rw - nfs\n");
    ASSERT_EQ(table.entries().size(), 4);
    EXPECT_EQ(table.entries()[1].mountPoint, "/mnt/my share");
    EXPECT_EQ(table.entries()[1].source, "//srv/my share");
    EXPECT_EQ(table.entries()[2].fsType, "nfs4");
    EXPECT_EQ(MountTable::shareOf(table.entries()[2]), "//fileserver/export/home");
    EXPECT_EQ(MountTable::shareOf(table.entries()[3]), "//box/projects");

    EXPECT_EQ(table.mountOf("/mnt/my share/a/b")->fsType, "cifs");
    EXPECT_EQ(table.mountOf("/mnt/my sharex/a")->fsType, "ext4");
    EXPECT_EQ(table.mountOf("/mnt/nfs")->fsType, "nfs4");
    EXPECT_EQ(MountTable().mountOf("/x"), nullptr);
    EXPECT_EQ(table.mountOfShare("//fileserver/export/home/x")->mountPoint, "/mnt/nfs");
    EXPECT_EQ(table.mountOfShare("//fileserver/export/homes/x"), nullptr);
}

TEST(MountTable, LaterMountOnTheSamePointCoversTheEarlier)
{
    const MountTable table = mountsFrom("22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                                        "23 22 0:5 / /mnt/s rw - cifs //a/b rw\n"
                                        "24 23 0:6 / /mnt/s rw - tmpfs tmpfs rw\n");
    EXPECT_EQ(table.mountOf("/mnt/s/f")->fsType, "tmpfs");
}
