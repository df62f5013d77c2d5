#include "app/PathHelpers.h"
#include "suite/SuiteSettings.h"
#include "tests/common/TempConfig.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>

using namespace hv;

TEST(PathHelpers, PresenceIgnoresLetterCaseAndNeverFails)
{
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + "/Plant QA");
    hvtest::writeFile(dir.path() + "/Plant QA/SECURITY.DBF", "x");

    EXPECT_TRUE(IsFilePresent(dir.path() + "/plant qa/security.dbf"));
    EXPECT_TRUE(IsFilePresent(dir.path() + "/Plant QA")); // a folder is a path that exists
    EXPECT_FALSE(IsFilePresent(dir.path() + "/Plant QA/missing.dbf"));
    EXPECT_FALSE(IsFilePresent(""));

    EXPECT_TRUE(IsFolderPresent(dir.path() + "/PLANT QA/"));
    EXPECT_TRUE(IsFolderPresent(dir.path() + "/Plant QA/SECURITY.DBF")); // a file counts too
    EXPECT_FALSE(IsFolderPresent(dir.path() + "/gone/"));
    EXPECT_FALSE(IsFolderPresent(""));
    EXPECT_FALSE(IsFolderPresent(QString(5000, u'a')));

    EXPECT_EQ(FolderOfPath("/data/sec.dbf"), "/data/");
    EXPECT_EQ(FolderOfPath("sec.dbf"), "");
    EXPECT_EQ(FolderOfPath("/"), "/");
    EXPECT_EQ(FolderOfPath("/data/qa/"), "/data/qa/");
}

TEST(SuiteSettings, DefaultsLieInTheConfigurationFolderWhichLoadingCreates)
{
    hvtest::TempConfig config;
    EXPECT_EQ(SuiteConfigFolder(), config.configFolder());
    SuiteSettings settings;
    EXPECT_EQ(settings.ProductKey(), "HV50");
    EXPECT_TRUE(settings.Load());
    EXPECT_TRUE(QFileInfo(config.configFolder()).isDir());
    EXPECT_EQ(settings.SettingsFile(), config.configFolder() + "hv.ini");
    EXPECT_EQ(settings.SecurityTable(), config.configFolder() + "SECURITY.DBF");
    EXPECT_EQ(settings.ProgramFolder(), "");

    EXPECT_EQ(GetSuiteFolder(), ProgramFolder() + "/");
}

TEST(SuiteSettings, ValuesFromSuiteIni)
{
    hvtest::TempConfig config;
    config.writeConfigFile("SUITE.INI", "[Other]\nProgramFolder=/wrong\n"
                                        "[suite]\r\nprogramfolder = \"/opt/hv suite\"\r\n"
                                        "SettingsFile=conf/hv.ini\n"
                                        "SecurityTable=/srv/Jos\xc3\xa9/SEC.DBF\n"
                                        "SecurityTable=/srv/Ren\xe9/SEC.DBF");
    SuiteSettings settings;
    EXPECT_TRUE(settings.Load());
    EXPECT_EQ(settings.ProgramFolder(), "/opt/hv suite");
    EXPECT_EQ(settings.SettingsFile(), config.configFolder() + "conf/hv.ini");
    // The last key wins; bytes that are not UTF-8 are Windows-1252.
    EXPECT_EQ(settings.SecurityTable(), QString::fromUtf8("/srv/Ren\xc3\xa9/SEC.DBF"));
    EXPECT_EQ(GetSuiteFolder(), "/opt/hv suite/");

    config.writeConfigFile("suite.ini", "[Suite]\nSecurityTable=/srv/Jos\xc3\xa9/SEC.DBF\n"
                                        "ProgramFolder=bin/");
    EXPECT_TRUE(settings.Load());
    EXPECT_EQ(settings.SecurityTable(), QString::fromUtf8("/srv/Jos\xc3\xa9/SEC.DBF"));
    EXPECT_EQ(settings.SettingsFile(), config.configFolder() + "hv.ini");
    EXPECT_EQ(GetSuiteFolder(), config.configFolder() + "bin/");

    // A suite.ini that cannot be read: the defaults, and the reason.
    QFile::remove(config.configFolder() + "suite.ini");
    QFile::remove(config.configFolder() + "SUITE.INI");
    QDir().mkpath(config.configFolder() + "suite.ini");
    EXPECT_FALSE(settings.Load());
    EXPECT_FALSE(settings.LastError().isEmpty());
    EXPECT_EQ(settings.ProgramFolder(), "");
    EXPECT_EQ(settings.SecurityTable(), config.configFolder() + "SECURITY.DBF");
}
