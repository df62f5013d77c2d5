// hvadmin-cli ini: dump and write INI files through the command line.
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString iniFixture(const QString &name)
{
    // The INI fixtures of the library's own tests (HV_FIXTURES_DIR is tests/cli/fixtures).
    return QDir::cleanPath(QStringLiteral(HV_FIXTURES_DIR "/../../files/fixtures/ini/") + name);
}

QJsonDocument json(const QByteArray &bytes)
{
    return QJsonDocument::fromJson(bytes);
}

TEST(IniCli, DumpPrintsEveryLineAsGroupSectionValue)
{
    const auto r = hvtest::runCli({"ini", "dump", iniFixture("edge-cases.ini")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(json(r.out), json(hvtest::readFile(iniFixture("edge-cases.json"))));
    EXPECT_TRUE(r.out.endsWith('\n'));

    const auto missing = hvtest::runCli({"ini", "dump", "/nonexistent/none.ini"});
    EXPECT_EQ(missing.exitCode, 0);
    EXPECT_EQ(missing.out, QByteArray("[]\n"));
}

TEST(IniCli, WriteTakesTheLinesFromStdinWithTheGivenLayout)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("menu.dir");
    const auto r =
        hvtest::runCli({"ini", "write", target, "--leading-spaces", "5", "--equal-pos", "19"},
                       hvtest::readFile(iniFixture("directory-lines.json")));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(hvtest::readFile(target), hvtest::readFile(iniFixture("directory-lines.saved")));

    // Text from stdin is encoded to Windows-1252; missing properties are empty.
    const auto upper = hvtest::runCli({"ini", "write", target, "--ucase-section"},
                                      R"([{"section":"Clé","value":"Café"},{"group":"[x]"}])");
    ASSERT_EQ(upper.exitCode, 0) << upper.err.toStdString();
    EXPECT_EQ(hvtest::readFile(target), QByteArray("   CL\xC9          = Caf\xE9\r\n[X]\r\n"));

    // What dump prints, write takes back.
    const auto dump = hvtest::runCli({"ini", "dump", target});
    EXPECT_EQ(dump.out, QByteArray(R"([{"group":"","section":"CLÉ","value":"Café"},)"
                                   R"({"group":"[X]","section":"[X]","value":""}])"
                                   "\n"));
}

TEST(IniCli, FailuresPrintOneLineAndExitOne)
{
    QTemporaryDir dir;
    const QString missingFolder = dir.filePath("gone/x.ini");
    auto r = hvtest::runCli({"ini", "write", missingFolder}, "[]");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.count('\n'), 1);
    EXPECT_TRUE(r.err.contains(missingFolder.toUtf8())) << r.err.toStdString();

    const QString target = dir.filePath("x.ini");
    for (const QByteArray &input : {QByteArray("not json"), QByteArray(R"({"a":1})"),
                                    QByteArray(R"([{"section":5}])"), QByteArray("[1]")}) {
        r = hvtest::runCli({"ini", "write", target}, input);
        EXPECT_EQ(r.exitCode, 1) << input.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
    EXPECT_FALSE(QDir(dir.path()).exists("x.ini"));

    // A character Windows-1252 cannot hold is refused, not written as '?'.
    hvtest::writeFile(target, "[A]\r\nK=V\r\n");
    r = hvtest::runCli({"ini", "write", target},
                       QStringLiteral(R"([{"section":"Name","value":"\u4e2d"}])").toUtf8());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(
        r.err.contains(QStringLiteral("'\u4e2d' is not in the Windows-1252 code page").toUtf8()))
        << r.err.toStdString();
    EXPECT_EQ(hvtest::readFile(target), QByteArray("[A]\r\nK=V\r\n"));
}

TEST(IniCli, BadUsageExitsTwo)
{
    const QList<QStringList> calls = {{"ini"},
                                      {"ini", "dump"},
                                      {"ini", "dump", "a.ini", "b.ini"},
                                      {"ini", "write"},
                                      {"ini", "write", "x.ini", "--equal-pos"},
                                      {"ini", "write", "x.ini", "--equal-pos", "ten"},
                                      {"ini", "write", "x.ini", "--colour"},
                                      {"ini", "show", "x.ini"}};
    QTemporaryDir dir;
    for (const QStringList &args : calls) {
        const auto r = hvtest::runCli(args, "[]", dir.path());
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("ini: ")) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("\nusage: hvadmin-cli ini ")) << args.join(' ').toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

} // namespace
