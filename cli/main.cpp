// hvadmin-cli: runs the console's operations from a shell (see README.md).
#include "cli/CliSupport.h"
#include "cli/Verbs.h"
#include "platform/ParallelReads.h"
#include "platform/UserFolders.h"

#include <QCoreApplication>

#include <utility>

int main(int argc, char **argv)
{
    hv::paths::dropRelativeBaseFolders();
    // No window waits on the threads that read files: they run at the process's priority.
    hv::parallel::setBackgroundThreadsLowered(false);
    QCoreApplication app(argc, argv);
    // The bytes as given: a file name that is not UTF-8 must reach exactly that file.
    QStringList args = hv::cli::argumentsOf(argc, argv);
    hv::cli::setPrettyOutput(hv::cli::takeOption(args, QLatin1StringView("--pretty")));
    if (args.isEmpty())
        return hv::cli::usage();
    const QString verb = args.takeFirst();
    if (const int exitCode = hv::cli::informationOption(verb); exitCode >= 0)
        return hv::cli::finishOutput(exitCode);
    if (verb == QLatin1String("help")) {
        if (args.size() > 1)
            return hv::cli::usage(QStringLiteral("help: one verb at most"));
        return hv::cli::finishOutput(hv::cli::verbHelp(args.value(0)));
    }
    for (const auto &[name, handler] : hv::cli::verbs()) {
        if (verb != QLatin1String(name))
            continue;
        hv::cli::setCurrentVerb(verb);
        if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h")))
            return hv::cli::finishOutput(hv::cli::verbHelp(verb));
        return hv::cli::finishOutput(handler(args));
    }
    return hv::cli::usage(QStringLiteral("unknown verb '%1'").arg(verb));
}
