// hvadmin-cli dir: show and write directory files through the command line.
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QJsonObject json(const QByteArray &bytes)
{
    return QJsonDocument::fromJson(bytes).object();
}

QJsonObject entry(const char *title, const QString &filename, const char *access, bool exists)
{
    return QJsonObject{
        {"title", title}, {"filename", filename}, {"access", access}, {"fileExists", exists}};
}

TEST(DirCli, ShowTitlesEntriesFromReadableTemplatesBesideTheFile)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    QDir().mkpath(folder + "menus");
    hvtest::writeFile(folder + "menus/LINE4.HVT", "[TEMPLATE]\r\nTitle=Line Four\r\n");
    hvtest::writeFile(folder + "menus/plant.dir", "[DIRECTORY]\r\nCaption=Plant\r\n"
                                                  "[FILE]\r\nTitle=L4\r\nFilename=line4.hvt\r\n"
                                                  "Access=r\r\n"
                                                  "[FILE]\r\nTitle=Gone\r\nFilename=GONE.HVT\r\n"
                                                  "Access=R");
    // Run from another folder with a relative path: templates resolve beside the file.
    const auto r = hvtest::runCli({"dir", "show", "menus/plant.dir"}, {}, dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject expected{{"caption", "Plant"},
                               {"entries", QJsonArray{entry("Line Four", "line4.hvt", "r", true),
                                                      entry("Gone", "GONE.HVT", "R", false)}}};
    EXPECT_EQ(json(r.out), expected);
}

TEST(DirCli, ShowReadsTheOldFormWithFullPaths)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    hvtest::writeFile(folder + "LINE4.HVT", "[TEMPLATE]\nTitle=Line Four\n");
    hvtest::writeFile(folder + "old.dir", "LINE4,HVT,Old title\r\nskip,me\r\n12\r\nA\tB\tC,D");
    const auto r = hvtest::runCli({"dir", "show", folder + "old.dir"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject expected{
        {"caption", ""},
        {"entries", QJsonArray{entry("Line Four", folder + "LINE4.HVT", "W", true),
                               entry("C,D", folder + "A.B", "W", false)}}};
    EXPECT_EQ(json(r.out), expected);
}

TEST(DirCli, ShowFailsForAMissingFileWithoutCreatingIt)
{
    QTemporaryDir dir;
    const auto r = hvtest::runCli({"dir", "show", dir.filePath("none.dir")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("none.dir"));
    EXPECT_FALSE(QFile::exists(dir.filePath("none.dir")));
    EXPECT_EQ(hvtest::runCli({"dir", "show"}).exitCode, 2);
    EXPECT_EQ(hvtest::runCli({"dir", "list", "x"}).exitCode, 2);
}

TEST(DirCli, WriteProducesTheCurrentFormAndShowReadsItBack)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("out.dir");
    const QByteArray input =
        R"({"caption":" Plant ","entries":[{"title":"A","filename":"a.hvt","access":"r"},)"
        R"({"title":"B","filename":"/x/b.hvt","access":"R"},{"title":"C"}]})";
    const auto r = hvtest::runCli({"dir", "write", target}, input);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(hvtest::readFile(target), QByteArray("[DIRECTORY]\r\n"
                                                   "     Caption      = Plant\r\n"
                                                   "\r\n[FILE]\r\n"
                                                   "     Title        = A\r\n"
                                                   "     Filename     = a.hvt\r\n"
                                                   "     Access       = W\r\n"
                                                   "\r\n[FILE]\r\n"
                                                   "     Title        = B\r\n"
                                                   "     Filename     = /x/b.hvt\r\n"
                                                   "     Access       = R\r\n"
                                                   "\r\n[FILE]\r\n"
                                                   "     Title        = C\r\n"
                                                   "     Filename     =\r\n"
                                                   "     Access       = W\r\n"));
    const auto shown = hvtest::runCli({"dir", "show", target});
    ASSERT_EQ(shown.exitCode, 0);
    EXPECT_EQ(json(shown.out).value("caption").toString(), "Plant");
    EXPECT_EQ(json(shown.out).value("entries").toArray().size(), 3);
}

TEST(DirCli, WriteRefusesWhatTheEditorRefuses)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("out.dir");
    hvtest::writeFile(target, "old");

    auto r = hvtest::runCli({"dir", "write", target},
                            R"({"caption":"","entries":[{"title":"A","filename":"a.hvt"}]})");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed(), "Directory file Caption cannot be blank.");

    r = hvtest::runCli({"dir", "write", target}, R"({"caption":"C","entries":[]})");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed(), "Directory file cannot have 0 file entries. Please enter at "
                               "least one Template.");

    r = hvtest::runCli({"dir", "write", target}, R"({"caption":"C","entries":[{"title":3}]})");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Entry 1"));

    r = hvtest::runCli({"dir", "write", target}, "[]");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(hvtest::readFile(target), "old");

    // A target that cannot be written is reported.
    r = hvtest::runCli({"dir", "write", dir.filePath("no/such/out.dir")},
                       R"({"caption":"C","entries":[{"title":"A","filename":"a.hvt"}]})");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.isEmpty());
}

} // namespace
