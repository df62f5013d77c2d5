// INI files on disk: finding them without regard to case, missing files, and saves that
// replace the file only when they succeed.
#include "files/IniFile.h"
#include "tests/common/TestSupport.h"
#include "tests/files/IniTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hv;

namespace {

class IniFileIo : public ::testing::Test {
protected:
    QString path(const QString &name) const { return dir.filePath(name); }

    // Every entry of the folder, to see that a failed save leaves no temporary file.
    QStringList entries() const
    {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    static INIfile twoLines()
    {
        INIfile ini;
        ini.INIlines().Add("[DIRECTORY]", "", "");
        ini.INIlines().Add("[DIRECTORY]", "Caption", "Plant");
        return ini;
    }

    QTemporaryDir dir;
};

TEST_F(IniFileIo, MissingFileGivesNoLinesAndNoError)
{
    INIfile ini;
    ini.INIlines().Add("", "OLD", "x");
    const IniResult r = ini.LoadFile(path("absent.ini"));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(ini.INIlines().Count(), 0);
    EXPECT_FALSE(QFileInfo::exists(path("absent.ini"))) << "loading must not create the file";
}

TEST_F(IniFileIo, FileNamesMatchWithoutRegardToCase)
{
    hvtest::writeFile(path("Line 4.Dir"), "[directory]\r\ncaption=Plant\r\n");
    INIfile ini;
    ASSERT_TRUE(ini.LoadFile(path("LINE 4.DIR")).ok);
    ASSERT_EQ(ini.INIlines().Count(), 2);
    EXPECT_EQ(ini.INIlines().Item(2).Value(), QStringLiteral("Plant"));

    // Saving under another case replaces the existing file rather than adding a second one.
    ASSERT_TRUE(twoLines().SaveFile(path("line 4.DIR")).ok);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("Line 4.Dir")});
    EXPECT_EQ(hvtest::readFile(path("Line 4.Dir")),
              QByteArray("[DIRECTORY]\r\n   Caption      = Plant\r\n"));
}

TEST_F(IniFileIo, AFolderCannotBeLoadedOrReplaced)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub.ini")));
    INIfile ini;
    IniResult r = ini.LoadFile(path("sub.ini"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QLatin1String("sub.ini"))) << r.error.toStdString();

    r = twoLines().SaveFile(path("SUB.INI"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(QFileInfo(path("sub.ini")).isDir());
}

TEST_F(IniFileIo, SaveWhereNoFileCanBeIsReported)
{
    const QString target = path("missing/x.ini");
    IniResult r = twoLines().SaveFile(target);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(target)) << r.error.toStdString();

    // A folder that is a file.
    hvtest::writeFile(path("plain"), "old");
    r = twoLines().SaveFile(path("plain/x.ini"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(hvtest::readFile(path("plain")), QByteArray("old"));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("plain")});
}

TEST_F(IniFileIo, FailedSaveLeavesTheOldFileAsItWas)
{
    const QByteArray old("[OLD]\r\n   KEY          = kept\r\n");
    hvtest::writeFile(path("keep.ini"), old);
    INIfile ini = twoLines();
    ini.SetEqualPos(ini::kMaxLayoutColumn * 2);
    const IniResult r = ini.SaveFile(path("keep.ini"));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(hvtest::readFile(path("keep.ini")), old);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("keep.ini")});
}

TEST_F(IniFileIo, SaveReplacesTheWholeFile)
{
    hvtest::writeFile(path("a.ini"), QByteArray(5000, 'x'));
    ASSERT_TRUE(twoLines().SaveFile(path("a.ini")).ok);
    EXPECT_EQ(hvtest::readFile(path("a.ini")),
              QByteArray("[DIRECTORY]\r\n   Caption      = Plant\r\n"));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("a.ini")});

    // An empty list writes an empty file.
    ASSERT_TRUE(INIfile().SaveFile(path("a.ini")).ok);
    EXPECT_EQ(QFileInfo(path("a.ini")).size(), 0);
}

TEST_F(IniFileIo, Windows1252BytesRoundTripThroughLoadAndSave)
{
    QByteArray value;
    for (int b = 0x80; b < 256; ++b)
        value.append(char(b));
    const QByteArray text = "[CP]\r\n   K            = " + value + "\r\n";
    hvtest::writeFile(path("cp.ini"), text);
    INIfile ini;
    ASSERT_TRUE(ini.LoadFile(path("cp.ini")).ok);
    ASSERT_EQ(ini.INIlines().Count(), 2);
    ASSERT_TRUE(ini.SaveFile(path("copy.ini")).ok);
    EXPECT_EQ(hvtest::readFile(path("copy.ini")), text);
}

TEST_F(IniFileIo, LongFilesLoadAndSaveCompletely)
{
    QByteArray text = "[BIG]\r\n";
    const int keys = 40000;
    for (int i = 1; i <= keys; ++i)
        text += "K" + QByteArray::number(i) + "=" + QByteArray::number(i * 7) + "\r\n";
    hvtest::writeFile(path("big.ini"), text);
    INIfile ini;
    ASSERT_TRUE(ini.LoadFile(path("big.ini")).ok);
    ASSERT_EQ(ini.INIlines().Count(), keys + 1);
    ASSERT_TRUE(ini.SaveFile(path("big2.ini")).ok);
    INIfile again;
    ASSERT_TRUE(again.LoadFile(path("big2.ini")).ok);
    EXPECT_EQ(initest::asVector(again.INIlines()), initest::asVector(ini.INIlines()));
    EXPECT_EQ(again.INIlines().Item(keys + 1).Value(), QString::number(keys * 7));
}

} // namespace
