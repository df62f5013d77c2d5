#include "platform/PathNames.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
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

    // The names are also handed over one by one, in the list's order, whether the folder is
    // listed by the call or was listed before.
    paths::FolderIndex index;
    for (int pass = 0; pass < 2; ++pass) {
        QStringList found;
        const QStringList listed =
            index.listFiles(root + QStringLiteral("project one"), QStringLiteral(".HVT"),
                            [&](const QString &name) { found << name; });
        EXPECT_EQ(found, listed) << "pass " << pass;
        EXPECT_EQ(listed.size(), 3);
    }
    EXPECT_EQ(index.listingCount(), 2); // the root, to find "project one", and the project
}

TEST_F(PathNames, FolderIndexListsEachFolderOnceAndFollowsTheOperationsChanges)
{
    const QString project = root + QStringLiteral("Project One/");
    paths::FolderIndex index;
    // Exact names are tried as they are until a name misses.
    EXPECT_EQ(index.findExisting(project + QStringLiteral("a.hvt")), project + "a.hvt");
    EXPECT_EQ(index.listingCount(), 0);
    for (int i = 0; i < 50; ++i)
        EXPECT_TRUE(index.findExisting(project + QStringLiteral("a.v%1").arg(i)).isEmpty());
    EXPECT_EQ(index.findExisting(root + QStringLiteral("PROJECT ONE/line 4.hvd")),
              project + "Line 4.HVD");
    EXPECT_EQ(index.listFiles(project, QStringLiteral(".hvd")), QStringList{"Line 4.HVD"});
    EXPECT_EQ(index.listingCount(), 2); // the root (for "PROJECT ONE") and the project

    ASSERT_TRUE(QFile::rename(project + "Line 4.HVD", project + "moved.hvd"));
    index.noteRemoved(project + "Line 4.HVD");
    index.noteCreated(project + "moved.hvd");
    EXPECT_TRUE(index.findExisting(project + "line 4.hvd").isEmpty());
    EXPECT_EQ(index.findExisting(root + QStringLiteral("project one/MOVED.HVD")),
              project + "moved.hvd");
    EXPECT_EQ(index.listingCount(), 2);
}

TEST(PathNameKeys, AgreeWithCaseInsensitiveComparison)
{
    const QStringList names{"ΟΔΟΣ", "οδος", "οδοσ", "Straße", "STRASSE", "Ǆ", "ǆ", "ǅ", "İ",
                            "i",    "ı",    "Ω",    "Ω",      "𐐀",       "𐐨", "K", "K"};
    for (const QString &a : names) {
        for (const QString &b : names)
            EXPECT_EQ(paths::nameKey(a) == paths::nameKey(b), paths::sameName(a, b))
                << a.toStdString() << " " << b.toStdString();
    }
}
