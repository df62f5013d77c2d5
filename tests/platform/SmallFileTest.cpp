#include "platform/SmallFile.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ctime>
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
