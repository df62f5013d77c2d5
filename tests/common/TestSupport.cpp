#include "tests/common/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hvtest {

void prepareEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "C.UTF-8");
    // The desktop's list of languages would come before it, in Qt's locale too.
    qunsetenv("LANGUAGE");
    // Each test process keeps a history of operations of its own: tests that run side by side
    // would otherwise see each other's clears, deletes and renames as the newest to undo.
    static QTemporaryDir state;
    if (state.isValid())
        qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    return f.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
}

QString cliPath()
{
    return qEnvironmentVariable("HV_CLI");
}

ProcessResult runProgram(const QString &program, const QStringList &args, const QByteArray &input,
                         const QString &workDir)
{
    ProcessResult r;
    QProcess p;
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.start(program, args);
    if (!p.waitForStarted(10000)) {
        ADD_FAILURE() << "cannot start " << program.toStdString();
        return r;
    }
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        ADD_FAILURE() << program.toStdString() << " did not finish";
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

ProcessResult runCli(const QStringList &args, const QByteArray &input, const QString &workDir)
{
    const QString cli = cliPath();
    if (cli.isEmpty()) {
        ADD_FAILURE() << "HV_CLI is not set";
        return {};
    }
    return runProgram(cli, args, input, workDir);
}

bool returnsDespiteFifo(const QString &path, const std::function<void()> &call)
{
    const QByteArray fifo = QFile::encodeName(path);
    EXPECT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    std::atomic<bool> done = false;
    std::thread thread([&] {
        call();
        done = true;
    });
    const bool returned = QTest::qWaitFor([&] { return done.load(); }, 5000);
    static_cast<void>(QTest::qWaitFor([&] {
        if (const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK); fd >= 0)
            ::close(fd);
        return done.load();
    }));
    thread.join();
    return returned;
}

} // namespace hvtest
