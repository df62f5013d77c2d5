#include "platform/PathNames.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hv;

class PathNames : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.path() + u'/';
        QDir(root).mkpath(QStringLiteral("Project One"));
        hvtest::writeFile(root + QStringLiteral("Project One/Line 4.HVD"), "x");
        hvtest::writeFile(root + QStringLiteral("Project One/a.hvt"), "x");
        hvtest::writeFile(root + QStringLiteral("Project One/B.Hvt"), "x");
        hvtest::writeFile(root + QStringLiteral("Project One/.hidden.HVT"), "x");
        hvtest::writeFile(root + QStringLiteral("Project One/what?.HVT"), "x");
        QDir(root).mkpath(QStringLiteral("Project One/folder.HVT"));
    }
    QTemporaryDir dir;
    QString root;
};

TEST_F(PathNames, FindsNamesWithoutRegardToCaseInEveryComponent)
{
    EXPECT_EQ(paths::findExisting(root + QStringLiteral("project one/line 4.hvd")),
              root + QStringLiteral("Project One/Line 4.HVD"));
    EXPECT_EQ(paths::findExisting(root + QStringLiteral("PROJECT ONE/")),
              root + QStringLiteral("Project One/"));
    EXPECT_TRUE(paths::findExisting(root + QStringLiteral("Project One/missing")).isEmpty());
    EXPECT_TRUE(paths::findExisting(root + QStringLiteral("Project One/what*.HVT")).isEmpty());
}

TEST_F(PathNames, ExactMatchWinsOverCaseInsensitiveOne)
{
    hvtest::writeFile(root + QStringLiteral("Project One/line 4.hvd"), "y");
    EXPECT_EQ(paths::findExisting(root + QStringLiteral("Project One/line 4.hvd")),
              root + QStringLiteral("Project One/line 4.hvd"));
}

TEST_F(PathNames, ResolveForWriteKeepsNewNamesAndResolvesFolders)
{
    EXPECT_EQ(paths::resolveForWrite(root + QStringLiteral("project one/New.HVD")),
              root + QStringLiteral("Project One/New.HVD"));
    EXPECT_EQ(paths::resolveForWrite(root + QStringLiteral("project one/LINE 4.hvd")),
              root + QStringLiteral("Project One/Line 4.HVD"));
}

TEST_F(PathNames, ListsFilesByExtensionInAnyCaseWithoutDotFilesOrFolders)
{
    QStringList names =
        paths::listFiles(root + QStringLiteral("project one"), QStringLiteral(".HVT"));
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("B.Hvt"), QStringLiteral("a.hvt"),
                                  QStringLiteral("what?.HVT")}));
    EXPECT_TRUE(paths::listFiles(root + QStringLiteral("gone"), QStringLiteral(".HVT")).isEmpty());
}
