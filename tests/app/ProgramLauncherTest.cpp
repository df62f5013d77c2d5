#include "app/ProgramLauncher.h"
#include "tests/common/FakeMessageService.h"
#include "tests/common/LogCapture.h"
#include "tests/common/TempConfig.h"
#include "tests/common/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

using hv::CommandLineParts;
using hv::ShellandWait;
using hv::SplitCommandLine;

namespace {

// Writes an executable shell script.
QString writeScript(const QString &path, const QByteArray &body)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    hvtest::writeFile(path, "#!/bin/sh\n" + body);
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeUser);
    return path;
}

// A script that records how many arguments it got and what they were, one per line.
QByteArray recordArgs(const QString &file)
{
    return "printf '%s\\n' \"$#\" \"$@\" > '" + file.toUtf8() + "'\n";
}

class ShellandWaitTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    hvtest::FakeMessageService boxes;
    hvtest::LogCapture log;
};

} // namespace

TEST(SplitCommandLine, ProgramIsTheLongestLeadingPartThatNamesAFile)
{
    QTemporaryDir dir;
    const QString suite = dir.path() + "/hv suite/";
    writeScript(suite + "hvappl", ""); // a Linux build: no ".exe"
    writeScript(suite + "HVFilePack.exe", "");
    writeScript(dir.path() + "/hv", ""); // a shorter prefix that is a file too

    // Found without regard to case, without ".exe", in a folder with a space.
    EXPECT_EQ(SplitCommandLine(suite + "hvAppl.EXE @/home/ann/my project/LINE 4.HVT"),
              (CommandLineParts{suite + "hvappl", {"@/home/ann/my project/LINE 4.HVT"}}));
    EXPECT_EQ(SplitCommandLine(suite + "HVAPPL.exe"), (CommandLineParts{suite + "hvappl", {}}));
    // One pair of enclosing quotes goes; the spaces after the program do too.
    EXPECT_EQ(SplitCommandLine(suite + "hvfilepack.exe  \"/data/a b/X.HVT\""),
              (CommandLineParts{suite + "HVFilePack.exe", {"/data/a b/X.HVT"}}));
    EXPECT_EQ(SplitCommandLine(suite + "HVFilePack.exe \"\"a\"\""),
              (CommandLineParts{suite + "HVFilePack.exe", {"\"a\""}}));
    // No part names a file: the text up to the first space.
    EXPECT_EQ(SplitCommandLine("/nowhere/hv suite/x.exe @RULES"),
              (CommandLineParts{"/nowhere/hv", {"suite/x.exe @RULES"}}));
    EXPECT_EQ(SplitCommandLine("hvglobal.exe"), (CommandLineParts{"hvglobal.exe", {}}));
    EXPECT_EQ(SplitCommandLine(""), (CommandLineParts{"", {}}));
    // A folder is not a program.
    EXPECT_EQ(SplitCommandLine(dir.path() + " x"), (CommandLineParts{dir.path(), {"x"}}));
}

TEST_F(ShellandWaitTest, ProgramThatEndsAtOnceReturnsWithItsLogEntries)
{
    const QString args = dir.path() + "/args.txt";
    const QString suite = dir.path() + "/Suite Folder/";
    writeScript(suite + "hvappl", recordArgs(args));
    const QString command = suite + "hvAppl.EXE @" + dir.path() + "/My Project/";

    ShellandWait(command);
    EXPECT_EQ(hvtest::readFile(args), "1\n@" + dir.path().toUtf8() + "/My Project/\n");
    EXPECT_TRUE(boxes.shown.empty());
    ASSERT_TRUE(log.waitFor(2));
    EXPECT_EQ(log.messages(), (QStringList{"Shell: " + command + " and waiting for return",
                                           "Shell Returned for: " + command}));
    EXPECT_EQ(log.entries.at(0).module, "mMain");
    EXPECT_EQ(log.entries.at(0).procedure, "ShellandWait");
}

TEST_F(ShellandWaitTest, EventsKeepBeingProcessedWhileAProgramRuns)
{
    const QString done = dir.path() + "/done";
    writeScript(dir.path() + "/slow", "sleep 1\ntouch '" + done.toUtf8() + "'\n");
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(50);

    ShellandWait(dir.path() + "/slow");
    EXPECT_TRUE(QFile::exists(done)); // returned only after the program ended
    EXPECT_GE(ticks, 5);
}

TEST_F(ShellandWaitTest, QuitRequestedDuringTheWaitStillWaitsForTheProgram)
{
    // The application runs its event loop; while a program is awaited it is asked to quit,
    // after which no event loop runs any more. The wait must end with the program.
    const QString done = dir.path() + "/done";
    writeScript(dir.path() + "/slow", "sleep 0.5\ntouch '" + done.toUtf8() + "'\n");
    bool returned = false;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(100, qApp, &QCoreApplication::quit);
        ShellandWait(dir.path() + "/slow");
        returned = true;
        QCoreApplication::exit(0);
    });
    QCoreApplication::exec();
    EXPECT_TRUE(returned);
    EXPECT_TRUE(QFile::exists(done));
}

TEST_F(ShellandWaitTest, ProgramsThatCannotStartShowTheMessageAndReturn)
{
    hvtest::writeFile(dir.path() + "/notes.txt", "not a program\n");
    for (const QString &command : {dir.path() + "/missing/hvAppl.EXE @" + dir.path() + "/",
                                   dir.path() + "/notes.txt", QString(" hvglobal.exe")}) {
        boxes.shown.clear();
        QElapsedTimer timer;
        timer.start();
        ShellandWait(command);
        EXPECT_LT(timer.elapsed(), 2000);
        ASSERT_EQ(boxes.shown.size(), 1u) << command.toStdString();
        EXPECT_EQ(boxes.shown[0].text, "Error executing the following statement:\n\n" + command);
        EXPECT_EQ(boxes.shown[0].caption, "Halvora");
        EXPECT_EQ(boxes.shown[0].buttons, hv::MsgButtons::Ok);
        EXPECT_EQ(boxes.shown[0].icon, hv::MsgIcon::Exclamation);
        // The log says that it failed, and why, not only that it was started.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return log.messages().filter("Could not start: " + command + ": ").size() == 1; },
            5000))
            << log.messages().join(" | ").toStdString();
    }
}

TEST_F(ShellandWaitTest, StartFailureSaysWhichSettingNamesTheProgramFolder)
{
    hvtest::TempConfig config;
    const auto failureDetail = [&] {
        ShellandWait(dir.path() + "/missing/hvAppl.EXE @/p/");
        return boxes.shown.empty() ? QString() : boxes.shown.back().detail;
    };
    // Without suite.ini the console's own folder; with one, its ProgramFolder.
    const QString ini = config.configFolder() + "suite.ini";
    EXPECT_TRUE(failureDetail().contains("own folder")) << failureDetail().toStdString();
    EXPECT_TRUE(failureDetail().contains(ini + " names no ProgramFolder"));
    config.writeConfigFile("suite.ini", "[Suite]\nProgramFolder=/opt/nowhere\n");
    EXPECT_TRUE(failureDetail().contains("/opt/nowhere/, the folder that ProgramFolder names in "
                                         "the [Suite] section of " +
                                         ini))
        << failureDetail().toStdString();
}

TEST_F(ShellandWaitTest, QuotedFolderWithSpacesArrivesAsOneArgument)
{
    const QString args = dir.path() + "/args.txt";
    const QString suite = dir.path() + "/hv suite/";
    writeScript(suite + "HVFilePack", recordArgs(args));
    const QString project = dir.path() + "/plant  one/LINE 4.HVT";
    ShellandWait(suite + "HVFilePack.exe \"" + project + "\"");
    EXPECT_EQ(hvtest::readFile(args), "1\n" + project.toUtf8() + "\n");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ShellandWaitTest, ProgramsThatFailOrAreKilledAreAwaitedToTheirEndWithoutAMessage)
{
    // The highest exit status, and an end by a signal, each after a moment's work.
    const QString done = dir.path() + "/done";
    for (const QByteArray &end : {QByteArray("exit 255"), QByteArray("kill -KILL $$")}) {
        QFile::remove(done);
        const QString command =
            writeScript(dir.path() + "/ends", "sleep 0.2\ntouch '" + done.toUtf8() + "'\n" + end);
        QElapsedTimer timer;
        timer.start();
        ShellandWait(command);
        EXPECT_TRUE(QFile::exists(done)) << end.constData();
        EXPECT_LT(timer.elapsed(), 2000);
    }
    EXPECT_TRUE(boxes.shown.empty());
    ASSERT_TRUE(log.waitFor(4));
    EXPECT_EQ(log.messages().count("Shell Returned for: " + dir.path() + "/ends"), 2);
}
