#include "app/Startup.h"
#include "app/AppState.h"
#include "app/Jobs.h"
#include "app/PathHelpers.h"
#include "app/UserSettings.h"
#include "dbase/dBase.h"
#include "tests/common/FakeMessageService.h"
#include "tests/common/LogCapture.h"
#include "tests/common/SlowShare.h"
#include "tests/common/TempConfig.h"
#include "tests/common/TestSupport.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace hv;

namespace {

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { AppState::instance().reset(); }
    void TearDown() override { AppState::instance().reset(); }

    // Runs the start-up sequence with a login window that answers `loginAnswer`.
    StartupDecision start(bool loginAnswer = true)
    {
        return RunStartup([this, loginAnswer] {
            ++loginsShown;
            return loginAnswer;
        });
    }

    QString securityTable() const { return config.configFolder() + "SECURITY.DBF"; }
    void writeTableWithAdmin()
    {
        QDir().mkpath(config.configFolder());
        dBase table;
        table.Fields().Add("USER", "C", 10, 0, 0);
        table.Fields().Add("PASS", "C", 10, 0, 0);
        table.SetOpenMode(1);
        table.OpenFile(securityTable());
        table.InitRecord();
        table.SetValue(1, QStringLiteral("HVADMIN"));
        table.SetValue(2, QStringLiteral("pw"));
        table.PutRecord(0);
        table.CloseFile();
    }

    // The messages of the log, each with its module and procedure.
    QStringList logLines() const
    {
        QStringList lines;
        for (const auto &e : log.entries)
            lines.append(e.module + "." + e.procedure + ": " + e.message);
        return lines;
    }

    hvtest::TempConfig config;
    hvtest::LogCapture log;
    hvtest::FakeMessageService boxes;
    int loginsShown = 0;
};

} // namespace

TEST_F(StartupTest, FirstRunOpensTheProgramFolderInDetailsView)
{
    const StartupDecision d = start();
    EXPECT_TRUE(d.start);
    EXPECT_EQ(d.listViewMode, 3);
    EXPECT_EQ(d.projectFolder, ProgramFolder() + "/");
    EXPECT_EQ(AppState::instance().ProjectFolder(), ProgramFolder() + "/");
    EXPECT_EQ(AppState::instance().ListViewMode(), 3);
    EXPECT_EQ(loginsShown, 0);
    EXPECT_TRUE(boxes.shown.empty());

    ASSERT_TRUE(log.waitFor(3));
    EXPECT_EQ(logLines(),
              (QStringList{"mMain.Main: HVAdmin Started",
                           "mMain.CheckSecurity: Checking Security File=" + securityTable(),
                           "mMain.CheckSecurity: Security Check Passed"}));
}

TEST_F(StartupTest, StoredFolderAndViewModeAreRestored)
{
    const QString project = config.path() + "/plant qa";
    QDir().mkpath(project);
    WriteLastFolder("  " + project); // leading spaces are trimmed
    WriteListViewMode(0);

    const StartupDecision d = start();
    EXPECT_TRUE(d.start);
    EXPECT_EQ(d.projectFolder, project + "/");
    EXPECT_EQ(d.listViewMode, 0);
    EXPECT_EQ(AppState::instance().ProjectFolder(), project + "/");
    EXPECT_EQ(AppState::instance().ListViewMode(), 0);
}

TEST_F(StartupTest, DeletedStoredFolderFallsBackSilently)
{
    const QString project = config.path() + "/gone";
    QDir().mkpath(project);
    WriteLastFolder(project + "/");
    QDir(project).removeRecursively();

    const StartupDecision d = start();
    EXPECT_TRUE(d.start);
    EXPECT_EQ(d.projectFolder, ProgramFolder() + "/");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(StartupTest, StoredFolderThatIsNowAFileFallsBack)
{
    const QString file = config.path() + "/file.txt";
    hvtest::writeFile(file, "not a folder");
    WriteLastFolder(file + "/");
    EXPECT_EQ(start().projectFolder, ProgramFolder() + "/");
}

TEST_F(StartupTest, AStoredFolderOnAShareThatStoppedAnsweringDoesNotHoldTheStart)
{
    hvtest::SlowShare share;
    if (!share.mount())
        GTEST_SKIP() << share.skipReason().toStdString();
    const QString project = share.mountPoint() + "/plant";
    ASSERT_TRUE(QDir().mkpath(project));
    WriteLastFolder(project + "/");
    const auto answerAgain = qScopeGuard([&share] { share.release(); });
    if (!share.stall())
        GTEST_SKIP() << "the share went on answering after it was told to stall";

    QElapsedTimer clock;
    clock.start();
    const StartupDecision d = start();
    EXPECT_LT(clock.elapsed(), kStartupFolderGraceMs + 400);
    EXPECT_TRUE(d.start);
    EXPECT_FALSE(d.projectFolderAnswered);
    EXPECT_EQ(d.projectFolder, project + "/");
    ASSERT_NE(d.folderCheck, nullptr);
    ASSERT_TRUE(log.waitFor(2));
    EXPECT_EQ(logLines().mid(0, 2),
              (QStringList{"mMain.Main: HVAdmin Started",
                           "mMain.Main: Last Folder Not Answering=[" + project + "/]"}));

    // Once the share answers, the folder stays the project folder.
    QSignalSpy answered(d.folderCheck.get(), &StartupFolderCheck::answered);
    share.release();
    ASSERT_TRUE(answered.wait(5000));
    EXPECT_EQ(AppState::instance().ProjectFolder(), project + "/");
}

// A folder found missing after the start stopped waiting for it gives way as it would have:
// a folder named on the command line to the last folder, a last folder to the program folder.
TEST_F(StartupTest, AFolderFoundMissingAfterTheStartFallsBackAsAtTheStart)
{
    hvtest::SlowShare share;
    if (!share.mount())
        GTEST_SKIP() << share.skipReason().toStdString();
    const auto answerAgain = qScopeGuard([&share] { share.release(); });
    const QString gone = share.mountPoint() + "/gone";
    const QString office = config.path() + "/office";
    QDir().mkpath(office);
    struct Case {
        QString argument;
        QString lastFolder;
        QString opened;
        QString missingArgument;
    };
    for (const Case &c : {Case{{}, gone + "/", ProgramFolder() + "/", {}},
                          Case{gone, office + "/", office + "/", gone}}) {
        WriteLastFolder(c.lastFolder);
        if (!share.stall())
            GTEST_SKIP() << "the share went on answering after it was told to stall";
        const StartupDecision d = RunStartup([] { return true; }, c.argument);
        ASSERT_NE(d.folderCheck, nullptr);
        QSignalSpy answered(d.folderCheck.get(), &StartupFolderCheck::answered);
        share.release();
        ASSERT_TRUE(answered.wait(5000));
        EXPECT_EQ(AppState::instance().ProjectFolder(), c.opened);
        EXPECT_EQ(d.folderCheck->missingArgument(), c.missingArgument);
    }
}

TEST_F(StartupTest, LoginDecidesWhenTheTableNamesTheConsoleUser)
{
    writeTableWithAdmin();
    EXPECT_TRUE(start(true).start);
    EXPECT_EQ(loginsShown, 1);

    EXPECT_FALSE(start(false).start);
    EXPECT_EQ(loginsShown, 2);
    EXPECT_TRUE(boxes.shown.empty());
    ASSERT_TRUE(log.waitFor(6));
    EXPECT_EQ(log.entries.at(2).message, "Security Check Passed");
    EXPECT_EQ(log.entries.at(5).message, "Security Check Failed");
}

TEST_F(StartupTest, SecurityFileThatCannotBeOpenedStopsTheStart)
{
    // Neither the table nor its folder exists; then a table that is not a dBase table.
    const QStringList tables{"/no/such/folder/SEC.DBF", config.path() + "/broken.dbf"};
    hvtest::writeFile(tables[1], QByteArray(600, '\x7f'));
    for (const QString &table : tables) {
        config.writeConfigFile("hv.ini", "HVSECURE.SECURITYFILE=" + table.toUtf8() + "\r\n");
        boxes.shown.clear();
        log.entries.clear();

        EXPECT_FALSE(start().start);
        EXPECT_EQ(loginsShown, 0);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "Security file specified could not be opened!\n" + table);
        EXPECT_EQ(boxes.shown[0].caption, "Check Security");
        EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Critical);
        EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::Ok);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return log.messages().contains("Security Check Failed"); }, 5000));
        EXPECT_EQ(log.messages().first(), "HVAdmin Started");
    }
}
