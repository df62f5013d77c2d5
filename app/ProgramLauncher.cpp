#include "app/ProgramLauncher.h"

#include "app/MessageService.h"
#include "app/PathHelpers.h"
#include "log/DiagnosticLog.h"
#include "platform/FileNames.h"
#include "platform/PathNames.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

namespace hv {
namespace {

// How long one wait for the program's end may hold up the application's events.
constexpr int kPollStepMs = 50;

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

// Where the suite's programs are looked for, and what to change when they are not there: the
// ProgramFolder key of suite.ini.
QString programFolderHint()
{
    const auto text = [](const char *source) {
        return QCoreApplication::translate("hv::ShellandWait", source);
    };
    const SuiteFolderResult suite = ReadSuiteFolder();
    const QString folder = paths::displayName(suite.folder);
    const QString file = paths::displayName(suite.suiteFile);
    if (!suite.ok)
        return text("The suite's programs are looked for in the folder that ProgramFolder names "
                    "in the [Suite] section of %1, but that file cannot be read (%2), so they "
                    "are looked for in the console's own folder %3.")
            .arg(file, suite.reason, folder);
    if (suite.fromSuiteFile)
        return text("The suite's programs are looked for in %1, the folder that ProgramFolder "
                    "names in the [Suite] section of %2.")
            .arg(folder, file);
    return text("The suite's programs are looked for in the console's own folder %1, as %2 "
                "names no ProgramFolder. Set ProgramFolder in its [Suite] section to the folder "
                "of the suite's programs (see HVAdmin(1)).")
        .arg(folder, file);
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

    // A program's arguments are passed as UTF-8: a name that is not would reach another file.
    if (paths::hasRawBytes(commandLine)) {
        WriteLog(module, procedure,
                 QStringLiteral("Not started: ") + paths::rawBytesRefusal(commandLine));
        ShowMessage(paths::rawBytesRefusal(commandLine), QStringLiteral("Halvora"), MsgButtons::Ok,
                    MsgIcon::Exclamation);
        return;
    }
    const CommandLineParts parts = SplitCommandLine(commandLine);
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    if (!parts.program.isEmpty())
        process.start(parts.program, parts.arguments);
    if (parts.program.isEmpty() || !process.waitForStarted(-1)) {
        WriteLog(module, procedure,
                 QStringLiteral("Could not start: ") + commandLine + QStringLiteral(": ") +
                     (parts.program.isEmpty() ? QStringLiteral("no program named")
                                              : process.errorString()));
        ShowMessage(QCoreApplication::translate("hv::ShellandWait",
                                                "Error executing the following statement:\n\n%1")
                        .arg(commandLine),
                    QStringLiteral("Halvora"), MsgButtons::Ok, MsgIcon::Exclamation,
                    programFolderHint());
        return;
    }
    process.closeWriteChannel();
    // The wait itself learns of the program's end, not the event loop: an application that
    // has been asked to quit runs no event loop any more, and the program must still be
    // awaited (and reaped) then.
    while (!process.waitForFinished(kPollStepMs) && process.state() != QProcess::NotRunning)
        QCoreApplication::processEvents(QEventLoop::AllEvents, kPollStepMs);

    WriteLog(module, procedure, QStringLiteral("Shell Returned for: ") + commandLine);
}

} // namespace hv
