#include "platform/SmallFile.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

using namespace hv;

TEST(SmallFile, ReadsSmallAndLargeFilesWholeUpToTheLimit)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + u'/';
    QByteArray large(ReadOnlyFile::kFirstReadBytes * 2 + 17, 'x');
    large[large.size() - 1] = 'z';
    hvtest::writeFile(folder + "large", large);
    hvtest::writeFile(folder + "small", "abc");
    hvtest::writeFile(folder + "empty", "");

    QByteArray buffer;
    qint64 length = -1;
    ReadOnlyFile largeFile(folder + "large");
    ASSERT_TRUE(largeFile.readWhole(buffer, large.size(), length));
    EXPECT_EQ(QByteArray(buffer.constData(), length), large);
    // The buffer is reused: a smaller file afterwards reads only its own bytes.
    ReadOnlyFile smallFile(folder + "small");
    ASSERT_TRUE(smallFile.readWhole(buffer, 100, length));
    EXPECT_EQ(QByteArray(buffer.constData(), length), QByteArray("abc"));
    ReadOnlyFile emptyFile(folder + "empty");
    ASSERT_TRUE(emptyFile.readWhole(buffer, 100, length));
    EXPECT_EQ(length, 0);

    ReadOnlyFile tooLarge(folder + "large");
    EXPECT_FALSE(tooLarge.readWhole(buffer, large.size() - 1, length));
    ReadOnlyFile tinyLimit(folder + "small");
    EXPECT_FALSE(tinyLimit.readWhole(buffer, 2, length));
}

TEST(SmallFile, FoldersFifosAndMissingFilesAreRefusedWithoutBlocking)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + u'/';
    QDir(folder).mkdir("sub");
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + "pipe").constData(), 0600), 0);
    QByteArray buffer;
    qint64 length = 0;

    ReadOnlyFile missing(folder + "missing");
    EXPECT_FALSE(missing.isOpen());
    EXPECT_NE(missing.error(), 0);
    ReadOnlyFile sub(folder + "sub");
    EXPECT_FALSE(sub.isOpen() && sub.readWhole(buffer, 100, length));
    ReadOnlyFile pipe(folder + "pipe"); // would block forever if opened blocking
    EXPECT_TRUE(pipe.isOpen());
    EXPECT_FALSE(pipe.stat());

    // Through a kept folder descriptor, and for a path without a folder.
    hvtest::writeFile(folder + "sub/f.txt", "hello");
    FolderHandles handles;
    std::optional<ReadOnlyFile> file;
    handles.open(file, folder + "sub/f.txt");
    ASSERT_TRUE(file->isOpen());
    ASSERT_TRUE(file->readWhole(buffer, 100, length));
    EXPECT_EQ(QByteArray(buffer.constData(), length), QByteArray("hello"));
    handles.open(file, folder + "gone/f.txt");
    EXPECT_FALSE(file->isOpen());
    handles.open(file, "no-such-file-here");
    EXPECT_FALSE(file->isOpen());
}

// Reading a file for a list leaves its access time alone. A plain read of a file with the
// same times shows whether this file system updates access times at all.
TEST(SmallFile, ReadingLeavesTheAccessTime)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto makeOld = [&](const QString &name) {
        const QString path = dir.filePath(name);
        hvtest::writeFile(path, "[TEMPLATE]\r\n");
        const timespec times[2] = {{1000000000, 0}, {1600000000, 0}}; // accessed before modified
        EXPECT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
        return QFile::encodeName(path);
    };
    const auto accessed = [](const QByteArray &path) {
        struct stat info {};
        EXPECT_EQ(::stat(path.constData(), &info), 0);
        return info.st_atim.tv_sec;
    };
    const QByteArray plain = makeOld(QStringLiteral("plain.HVT"));
    const QByteArray listed = makeOld(QStringLiteral("listed.HVT"));
    QFile control(QString::fromLocal8Bit(plain));
    ASSERT_TRUE(control.open(QIODevice::ReadOnly));
    control.readAll();
    control.close();
    if (accessed(plain) == 1000000000)
        GTEST_SKIP() << "this file system does not update access times";
    ReadOnlyFile file(QString::fromLocal8Bit(listed));
    QByteArray buffer;
    qint64 length = 0;
    ASSERT_TRUE(file.readWhole(buffer, 1024, length));
    EXPECT_EQ(length, 12);
    EXPECT_EQ(accessed(listed), 1000000000);
}
