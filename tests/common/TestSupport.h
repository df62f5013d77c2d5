// Helpers shared by the test programs: files, fixtures and running hvadmin-cli.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace hvtest {

// Sets the offscreen platform and a fixed locale before Qt starts.
void prepareEnvironment();

// Whole-file helpers; they fail the current test on an I/O error.
QByteArray readFile(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);

// The path of hvadmin-cli as built (from HV_CLI), or empty when unknown.
QString cliPath();

struct ProcessResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a program to its end with the given standard input (30 s at most).
ProcessResult runProgram(const QString &program, const QStringList &args,
                         const QByteArray &input = {}, const QString &workDir = {});

// Runs hvadmin-cli with the given arguments and standard input.
ProcessResult runCli(const QStringList &args, const QByteArray &input = {},
                     const QString &workDir = {});

// Makes a FIFO at `path` and runs `call` on a thread of its own: true when it returns within
// 5 s. A call stuck in a blocking open of the FIFO is then let go by a writer that opens and
// closes it, so that the test ends either way.
bool returnsDespiteFifo(const QString &path, const std::function<void()> &call);

} // namespace hvtest
