// hvadmin-cli: runs the console's operations from a shell (see README.md).
#include "cli/CliSupport.h"
#include "cli/Verbs.h"
#include "platform/UserFolders.h"

#include <QCoreApplication>

#include <utility>

int main(int argc, char **argv)
{
    hv::paths::dropRelativeBaseFolders();
    QCoreApplication app(argc, argv);
    // The bytes as given: a file name that is not UTF-8 must reach exactly that file.
    QStringList args = hv::cli::argumentsOf(argc, argv);
    if (args.isEmpty())
        return hv::cli::usage();
    const QString verb = args.takeFirst();
    if (const int exitCode = hv::cli::informationOption(verb); exitCode >= 0)
        return hv::cli::finishOutput(exitCode);
    for (const auto &[name, handler] : hv::cli::verbs()) {
        if (verb == QLatin1String(name))
            return hv::cli::finishOutput(handler(args));
    }
    return hv::cli::usage();
}
