#include "log/DiagnosticLog.h"
#include "log/LogProtocol.h"
#include "tests/common/LogCapture.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

using hv::WriteLog;
using hv::log::LogEntry;

namespace {

// Sends a line of its own to the viewer: since entries come out in the order their
// connections were made, its arrival proves that nothing sent before it is still on its way.
void sendMarker(const QString &name)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    ASSERT_TRUE(socket.waitForConnected(1000));
    socket.write(hv::log::encodeEntry({"marker", "", "", "end"}));
    ASSERT_TRUE(socket.waitForBytesWritten(1000));
    socket.disconnectFromServer();
}

} // namespace

TEST(LogProtocol, FieldsSurviveTheirSeparatorsAndBackslashes)
{
    const LogEntry entry{"HVAdmin", "mod\\ule", "proc\tedure", "line one\nline two \\n"};
    const QByteArray line = hv::log::encodeEntry(entry);
    EXPECT_EQ(line.count('\t'), 3);
    EXPECT_EQ(line.count('\n'), 1);
    EXPECT_TRUE(line.endsWith('\n'));
    EXPECT_EQ(hv::log::decodeEntry(line), entry);

    // Lines from senders that do not follow the format lose nothing.
    EXPECT_EQ(hv::log::decodeEntry("P\tM\tF\ta\tb\r\n"), (LogEntry{"P", "M", "F", "a\tb"}));
    EXPECT_EQ(hv::log::decodeEntry("only"), (LogEntry{"only", "", "", ""}));
    EXPECT_EQ(hv::log::unescapeField("end\\"), "end\\");
    EXPECT_EQ(hv::log::unescapeField("a\\qb"), "a\\qb");
}

TEST(DiagnosticLog, EntriesArriveWithTheirFourStringsInOrder)
{
    hvtest::LogCapture log;
    WriteLog("mMain", "Main", "HVAdmin Started");
    WriteLog("frmHVSetup", "hvFolderTree_OnClick", "Error: 76 - Path not found");
    WriteLog("DirClass", "LoadDIRSection", "tab\there, back\\slash\nand a new line");
    ASSERT_TRUE(log.waitFor(3));
    const QString program = QStringLiteral("test_log");
    EXPECT_EQ(log.entries.at(0), (LogEntry{program, "mMain", "Main", "HVAdmin Started"}));
    EXPECT_EQ(log.entries.at(1), (LogEntry{program, "frmHVSetup", "hvFolderTree_OnClick",
                                           "Error: 76 - Path not found"}));
    EXPECT_EQ(log.entries.at(2), (LogEntry{program, "DirClass", "LoadDIRSection",
                                           "tab\there, back\\slash\nand a new line"}));
}

TEST(DiagnosticLog, NoViewerAtTheFirstEntryMeansNothingIsSentInThatRun)
{
    hvtest::LogCapture log(false);
    WriteLog("mMain", "Main", "HVAdmin Started"); // nobody listens
    log.listen();
    WriteLog("mMain", "CheckSecurity", "Security Check Passed");
    sendMarker(log.name());
    ASSERT_TRUE(log.waitFor(1));
    EXPECT_EQ(log.messages(), QStringList{"end"});
}

TEST(DiagnosticLog, ViewerThatClosesAndComesBackReceivesTheLaterEntries)
{
    hvtest::LogCapture log;
    WriteLog("m", "p", "one");
    ASSERT_TRUE(log.waitFor(1));
    log.close();

    QElapsedTimer timer;
    timer.start();
    WriteLog("m", "p", "two (no viewer)");
    EXPECT_LT(timer.elapsed(), 100);

    log.listen();
    WriteLog("m", "p", "three");
    WriteLog("m", "p", "four");
    ASSERT_TRUE(log.waitFor(3));
    EXPECT_EQ(log.messages(), (QStringList{"one", "three", "four"}));
}

TEST(DiagnosticLog, ViewerThatStopsReadingCostsOnlyMilliseconds)
{
    // A viewer that listens but never takes its connections or reads: the kernel's buffers
    // and the connection backlog fill up, and each entry must still return quickly.
    const QString name =
        QStringLiteral("hvtest-stuck-") + QUuid::createUuid().toString(QUuid::Id128);
    QLocalServer stuck;
    ASSERT_TRUE(stuck.listen(name));
    hv::log::ResetLogState(name);

    // Each entry is larger than a connection's socket buffer.
    const QString big(300000, u'x');
    qint64 slowest = 0;
    QElapsedTimer total;
    total.start();
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer timer;
        timer.start();
        WriteLog("m", "p", big);
        slowest = std::max(slowest, timer.elapsed());
    }
    EXPECT_LT(slowest, 100);
    EXPECT_LT(total.elapsed(), 1000);
    hv::log::ResetLogState(QString::fromLatin1(hv::log::kLogServerName));
}

TEST(DiagnosticLog, ViewerProgramPrintsEachEntryAsOneLine)
{
    const QString viewerPath = QCoreApplication::applicationDirPath() + "/../log/hvdebug";
    ASSERT_TRUE(QFile::exists(viewerPath)) << viewerPath.toStdString();
    const QString name =
        QStringLiteral("hvtest-viewer-") + QUuid::createUuid().toString(QUuid::Id128);

    QProcess viewer;
    viewer.start(viewerPath, {"--name", name});
    ASSERT_TRUE(viewer.waitForStarted(5000));
    // The viewer says on stderr when it listens.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return viewer.readAllStandardError().contains("listening"); }, 5000));

    hv::log::ResetLogState(name);
    WriteLog("mMain", "Main", "HVAdmin Started");
    WriteLog("mRegistryEdit", "ReadRegWindowInfo", "two\nlines");
    QByteArray out;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            out += viewer.readAllStandardOutput();
            return out.count('\n') >= 3;
        },
        5000));
    viewer.terminate();
    ASSERT_TRUE(viewer.waitForFinished(5000));
    // Stopped by a signal, it ends normally and leaves no socket behind.
    EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit);
    EXPECT_FALSE(QFileInfo::exists(QDir::tempPath() + "/" + name));
    hv::log::ResetLogState(QString::fromLatin1(hv::log::kLogServerName));

    const QStringList lines = QString::fromUtf8(out).split('\n');
    const QRegularExpression first(
        R"(^\d\d:\d\d:\d\d\.\d\d\d  test_log  mMain  Main  HVAdmin Started$)");
    EXPECT_TRUE(first.match(lines.at(0)).hasMatch()) << lines.at(0).toStdString();
    EXPECT_TRUE(lines.at(1).endsWith("  test_log  mRegistryEdit  ReadRegWindowInfo  two"));
    EXPECT_EQ(lines.at(2), "lines");
}
