#include "app/ProgramLauncher.h"

#include "app/MessageService.h"
#include "log/DiagnosticLog.h"
#include "platform/PathNames.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <algorithm>

namespace hv {
namespace {

constexpr int kPollIntervalMs = 200;
// Events are processed at least this often while a program is awaited.
constexpr int kEventSliceMs = 20;

// The existing file that `candidate` names, as an absolute path, or empty.
QString programFile(const QString &candidate)
{
    if (candidate.trimmed().isEmpty())
        return {};
    QString found = paths::findExisting(candidate);
    if (found.isEmpty() && candidate.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        found = paths::findExisting(candidate.chopped(4));
    if (found.isEmpty())
        return {};
    const QFileInfo info(found);
    return info.isFile() ? info.absoluteFilePath() : QString();
}

QString withoutEnclosingQuotes(const QString &text)
{
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        return text.mid(1, text.size() - 2);
    return text;
}

} // namespace

CommandLineParts SplitCommandLine(const QString &commandLine)
{
    CommandLineParts parts;
    qsizetype end = commandLine.size();
    qsizetype restStart = -1;
    while (end > 0) {
        const QString found = programFile(commandLine.left(end));
        if (!found.isEmpty()) {
            parts.program = found;
            restStart = end;
            break;
        }
        end = commandLine.lastIndexOf(u' ', end - 1);
    }
    if (parts.program.isEmpty()) {
        const qsizetype space = commandLine.indexOf(u' ');
        parts.program = space < 0 ? commandLine : commandLine.left(space);
        restStart = space < 0 ? commandLine.size() : space;
    }
    qsizetype start = restStart;
    while (start < commandLine.size() && commandLine[start] == u' ')
        ++start;
    if (start < commandLine.size())
        parts.arguments.append(withoutEnclosingQuotes(commandLine.mid(start)));
    return parts;
}

void ShellandWait(const QString &commandLine)
{
    const QString module = QStringLiteral("mMain");
    const QString procedure = QStringLiteral("ShellandWait");
    WriteLog(module, procedure,
             QStringLiteral("Shell: ") + commandLine + QStringLiteral(" and waiting for return"));

    const CommandLineParts parts = SplitCommandLine(commandLine);
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    if (!parts.program.isEmpty())
        process.start(parts.program, parts.arguments);
    if (parts.program.isEmpty() || !process.waitForStarted(-1)) {
        ShowMessage(QStringLiteral("Error executing the following statement:\n\n") + commandLine,
                    QStringLiteral("Halvora"), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    process.closeWriteChannel();
    // The program's state is looked at every poll interval; meanwhile the application
    // processes its events every few milliseconds. No nested event loop: once the application
    // has been told to quit, such a loop returns at once without delivering the process's
    // end, and the wait would never end.
    QElapsedTimer poll;
    do {
        poll.start();
        for (qint64 rest = kPollIntervalMs; rest > 0; rest = kPollIntervalMs - poll.elapsed()) {
            const int slice = int(std::min<qint64>(rest, kEventSliceMs));
            if (process.state() == QProcess::NotRunning)
                QThread::msleep(slice);
            else
                process.waitForFinished(slice);
            QCoreApplication::processEvents();
        }
    } while (process.state() != QProcess::NotRunning);

    WriteLog(module, procedure, QStringLiteral("Shell Returned for: ") + commandLine);
}

} // namespace hv
