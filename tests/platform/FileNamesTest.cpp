#include "platform/FileNames.h"
#include "platform/PathNames.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace hv;

TEST(FileNames, EveryByteStringRoundTripsAndDistinctNamesStayDistinct)
{
    const QList<QByteArray> names = {
        "plain.HVT",
        "X\xff.HVT",
        "X\xef\xbf\xbd.HVT",
        "caf\xc3\xa9",
        "\xf0\x9f\x98\x80",
        "cut \xe2\x82",
        "overlong \xc0\xaf",
        "surrogate \xed\xa0\x80",
        "big \xf4\x90\x80\x80",
        "\x80\x80\xe2\x82\xac",
        "back\\slash",
        "X\\xff.HVT",
    };
    QStringList shown;
    for (const QByteArray &bytes : names) {
        const QString name = paths::decodeName(bytes);
        EXPECT_EQ(paths::encodeName(name), bytes) << bytes.toHex().constData();
        EXPECT_EQ(QByteArray(paths::NativeName(name).get()), bytes) << bytes.toHex().constData();
        EXPECT_EQ(paths::hasRawBytes(name), !QByteArrayView(bytes).isValidUtf8());
        shown << paths::displayName(name);
    }
    EXPECT_EQ(shown.at(1), QStringLiteral("X\\xff.HVT"));
    EXPECT_EQ(shown.at(2), QStringLiteral("X\uFFFD.HVT"));
    EXPECT_EQ(shown.at(9), QStringLiteral("\\x80\\x80\u20AC"));
    EXPECT_EQ(shown.at(11), QStringLiteral("X\\\\xff.HVT"));
    EXPECT_EQ(QSet<QString>(shown.begin(), shown.end()).size(), names.size());
    // A string that no name decodes to names no file rather than a neighbour.
    EXPECT_TRUE(paths::encodeName(QStringView(u"X\xD800.HVT")).isEmpty());
    EXPECT_TRUE(paths::encodeName(QString(QChar(0)) + QStringLiteral("a")).isEmpty());
    EXPECT_STREQ(paths::NativeName(QStringView(u"X\xD800.HVT")).get(), "");
    EXPECT_STREQ(paths::NativeName(QString(QChar(0)) + QStringLiteral("a")).get(), "");
    // Names too long for the short buffer take the long way, with the same bytes.
    for (const QByteArray &bytes :
         {QByteArray(255, 'a'), QByteArray(256, 'b'), QByteArray(300, 'c') + "\xff"}) {
        EXPECT_EQ(QByteArray(paths::NativeName(paths::decodeName(bytes)).get()), bytes);
    }
}

TEST(FileNames, NamesThatLookAlikeToQtAreTwoNamesHere)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray root = paths::encodeName(dir.path()) + '/';
    hvtest::writeFile(paths::decodeName(root + "X\xef\xbf\xbd.HVT"), "real");
    ASSERT_EQ(::mkdir(QByteArray(root + "D\xff").constData(), 0700), 0);
    const QString raw = paths::decodeName(root + "X\xff.HVT");
    // Written through the byte path, as Qt could not.
    {
        const int fd = ::creat(paths::encodeName(raw).constData(), 0600);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    QStringList listed = paths::listFiles(dir.path(), QStringLiteral(".hvt"));
    listed.sort();
    EXPECT_EQ(listed.size(), 2);
    EXPECT_TRUE(listed.contains(raw.mid(root.size())));
    EXPECT_EQ(paths::findExisting(paths::decodeName(root + "x\xff.hvt")), raw);
    EXPECT_EQ(paths::fileSize(raw), 0);
    EXPECT_EQ(paths::fileSize(raw.left(raw.size() - 5) + QChar(0xFFFD) + QStringLiteral(".HVT")),
              4);

    // A folder view's U+FFFD names the one folder it can mean, and none when two look alike.
    const QString shown = dir.path() + QStringLiteral("/D\uFFFD");
    EXPECT_EQ(paths::exactPathOfQtPath(shown), paths::decodeName(root + "D\xff"));
    ASSERT_EQ(::mkdir(QByteArray(root + "D\xef\xbf\xbd").constData(), 0700), 0);
    EXPECT_EQ(paths::exactPathOfQtPath(shown), std::nullopt);
    // QTemporaryDir cannot remove what Qt cannot name.
    ::rmdir(QByteArray(root + "D\xff").constData());
    ::unlink(paths::encodeName(raw).constData());
}

TEST(FileNames, ARelativePathWithoutACurrentFolderIsAnError)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(paths::absolutePath(QStringLiteral("a/b")), QDir::currentPath() + "/a/b");
    const QByteArray previous = paths::encodeName(QDir::currentPath());
    const QByteArray gone = paths::encodeName(dir.path()) + "/gone";
    ASSERT_EQ(::mkdir(gone.constData(), 0700), 0);
    ASSERT_EQ(::chdir(gone.constData()), 0);
    ASSERT_EQ(::rmdir(gone.constData()), 0);
    QString error;
    const std::optional<QString> path = paths::absolutePath(QStringLiteral("tmp/x"), &error);
    const std::optional<QString> absolute = paths::absolutePath(QStringLiteral("/tmp/x"));
    ASSERT_EQ(::chdir(previous.constData()), 0);
    EXPECT_EQ(path, std::nullopt);
    EXPECT_TRUE(error.contains(QStringLiteral("no current folder"))) << error.toStdString();
    EXPECT_EQ(absolute, QStringLiteral("/tmp/x"));
}
