#include "log/DiagnosticLog.h"
#include "log/LogProtocol.h"
#include "tests/common/LogCapture.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using hv::WriteLog;
using hv::log::LogEntry;

namespace {

// Sends a line of its own to the viewer on a connection of its own; once it has arrived, an
// entry written before it would have had its time to arrive too.
void sendMarker(const QString &name)
{
    QLocalSocket socket;
    socket.connectToServer(hv::log::socketPath(name));
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

    // A stamped entry gives its time and process id; one without a stamp has none.
    const LogEntry stamped{"P", "M", "F", "m\tx", "2026-12-08T14:03:07.125+01:00", 4242};
    const LogEntry read = hv::log::decodeEntry(hv::log::encodeEntry(stamped));
    EXPECT_EQ(read, stamped);
    EXPECT_EQ(read.time, stamped.time);
    EXPECT_EQ(read.pid, 4242);
    EXPECT_TRUE(hv::log::decodeEntry("P\tM\tF\tmsg\n").time.isEmpty());
    // A program whose name is a number is no stamp.
    EXPECT_EQ(hv::log::decodeEntry("2026\t42\tF\tmsg\n"), (LogEntry{"2026", "42", "F", "msg"}));
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

    WriteLog("m", "p", "two (no viewer)");

    log.listen();
    WriteLog("m", "p", "three");
    WriteLog("m", "p", "four");
    ASSERT_TRUE(log.waitFor(3));
    EXPECT_EQ(log.messages(), (QStringList{"one", "three", "four"}));
}

TEST(DiagnosticLog, BurstOfEntriesArrivesWholeAndInOrder)
{
    hvtest::LogCapture log;
    QStringList sent;
    for (int i = 0; i < 10000; ++i) {
        sent.append(QString::number(i));
        WriteLog("m", "p", sent.back());
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return log.entries.size() >= 10000; }, 60000));
    EXPECT_EQ(log.messages(), sent);
}

TEST(DiagnosticLog, ViewerThatStopsReadingCostsEntriesAndSaysHowMany)
{
    // The viewer runs on this thread, so it reads nothing while entries are written: the
    // socket's buffers and the log's own buffer fill up, later entries are dropped.
    hvtest::LogCapture log;
    const QString big(300000, u'x');
    const int bigOnes = 40;
    for (int i = 0; i < bigOnes; ++i)
        WriteLog("m", "p", big);
    // Once the viewer reads again, an entry gets in and tells how many were lost before it.
    int attempts = 0;
    const QRegularExpression note(R"(^after (\d+) \[(\d+) earlier entries dropped: )");
    QRegularExpressionMatch match;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            WriteLog("m", "p", QStringLiteral("after %1").arg(attempts++));
            for (const auto &e : log.entries) {
                if ((match = note.match(e.message)).hasMatch())
                    return true;
            }
            return false;
        },
        20000));
    // A big entry may itself get through after some were dropped, carrying a note of its own:
    // up to the "after" entry found, every entry that did not arrive is counted by a note.
    const QRegularExpression dropped(R"( \[(\d+) earlier entries dropped: [^\]]*\]$)");
    int received = 0;
    int counted = 0;
    for (const auto &e : log.entries) {
        if (e.message.startsWith(big))
            ++received;
        if (const auto m = dropped.match(e.message); m.hasMatch())
            counted += m.captured(1).toInt();
        if (e.message.startsWith(QStringLiteral("after %1 ").arg(match.captured(1))))
            break;
    }
    EXPECT_GT(received, 0);
    EXPECT_LT(received, bigOnes);
    // Every big entry that did not arrive is counted, and so is every "after" before it.
    EXPECT_EQ(counted, bigOnes - received + match.captured(1).toInt());
}

TEST(DiagnosticLog, ConnectionStalledInsideALineHoldsBackNoOther)
{
    hvtest::LogCapture log;
    QLocalSocket stalled;
    stalled.connectToServer(hv::log::socketPath(log.name()));
    ASSERT_TRUE(stalled.waitForConnected(1000));
    stalled.write("other\tm\tp\thalf a");
    ASSERT_TRUE(stalled.waitForBytesWritten(1000));
    WriteLog("m", "p", "through");
    ASSERT_TRUE(log.waitForMessage("through"));
    stalled.write(" line\n");
    ASSERT_TRUE(log.waitForMessage("half a line"));
}

TEST(DiagnosticLog, ViewerProgramPrintsEachEntryAsOneLine)
{
    const QString viewerPath = QCoreApplication::applicationDirPath() + "/../log/hvdebug";
    ASSERT_TRUE(QFile::exists(viewerPath)) << viewerPath.toStdString();
    const QString name =
        QStringLiteral("hvtest-viewer-") + QUuid::createUuid().toString(QUuid::Id128);

    // The socket lies in the user's runtime folder, for the viewer and the writers alike.
    QTemporaryDir runtime;
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const QString socketFile = runtime.path() + "/" + name;

    QProcess viewer;
    viewer.start(viewerPath, {"--name", name});
    ASSERT_TRUE(viewer.waitForStarted(5000));
    // The viewer says on stderr when it listens.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return viewer.readAllStandardError().contains("listening"); }, 5000));

    EXPECT_TRUE(QFileInfo::exists(socketFile));

    hv::log::ResetLogState(name);
    WriteLog("mMain", "Main", "HVAdmin Started");
    // A message cannot print a line of its own, nor move the terminal's cursor.
    WriteLog("mRegistryEdit", "ReadRegWindowInfo",
             "two\n12:00:00.000  HVAdmin  mMain  Main  forged\x1b[2K\r \\n");
    WriteLog("m", "p", "last");
    QByteArray out;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            out += viewer.readAllStandardOutput();
            return out.contains("last");
        },
        5000));
    viewer.terminate();
    ASSERT_TRUE(viewer.waitForFinished(5000));
    // Stopped by a signal, it ends normally and leaves no socket behind.
    EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit);
    EXPECT_FALSE(QFileInfo::exists(socketFile));
    hv::log::ResetLogState(QString::fromLatin1(hv::log::kLogServerName));
    qputenv("XDG_RUNTIME_DIR", oldRuntime);

    const QStringList lines = QString::fromUtf8(out).split('\n');
    // Each entry starts with the date and time it was written and the writer's process id.
    const QRegularExpression first(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d\d\d  )" +
                                   QString::number(QCoreApplication::applicationPid()) +
                                   R"(  test_log  mMain  Main  HVAdmin Started$)");
    EXPECT_TRUE(first.match(lines.at(0)).hasMatch()) << lines.at(0).toStdString();
    ASSERT_EQ(lines.size(), 4); // three entries, then the empty rest after the last LF
    EXPECT_TRUE(lines.at(1).endsWith("  test_log  mRegistryEdit  ReadRegWindowInfo  "
                                     "two\\n12:00:00.000  HVAdmin  mMain  Main  forged"
                                     "\\x1b[2K\\r \\\\n"))
        << lines.at(1).toStdString();
}

TEST(DiagnosticLog, ASecondViewerLeavesTheSocketToTheFirst)
{
    hvtest::LogCapture log;
    const QByteArray path = QFile::encodeName(hv::log::socketPath(log.name()));
    QProcess second;
    second.start(QCoreApplication::applicationDirPath() + "/../log/hvdebug", {"--name", path});
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_EQ(second.readAllStandardError(),
              "hvdebug: another viewer is already listening on " + path + "\n");
    WriteLog("m", "p", "still heard");
    EXPECT_TRUE(log.waitForMessage("still heard"));

    // A socket that nobody listens on any more is taken over.
    log.close();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address)), 0);
    ::close(fd);
    log.listen();
}
