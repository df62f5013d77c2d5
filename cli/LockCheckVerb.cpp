// hvadmin-cli lock-check: whether a file is held open, and the explanation the file access
// error window would show.
#include "cli/CliSupport.h"
#include "cli/Verbs.h"
#include "ops/LockCheck.h"

#include <QFileInfo>

namespace hv::cli {

int runLockCheck(const QStringList &args)
{
    if (args.size() != 1 || args.at(0).isEmpty())
        return usage();
    const QString path =
        NetworkPaths::PathIsUNC(args.at(0)) ? args.at(0) : QFileInfo(args.at(0)).absoluteFilePath();
    const LockCheckResult result =
        isFileLocked(path, defaultFileLockServiceFactory(), NetworkPaths());
    if (result.outcome == LockOutcome::CheckFailed)
        return fail(QStringLiteral("The file-lock service could not be used."));

    QJsonArray holders;
    for (const LockHolder &holder : result.holders)
        holders.append(QJsonObject{{QStringLiteral("user"), holder.UserName},
                                   {QStringLiteral("computer"), holder.ComputerName}});
    QJsonObject out{{QStringLiteral("open"), result.isOpen()},
                    {QStringLiteral("path"), result.path},
                    {QStringLiteral("rc"), result.rc},
                    {QStringLiteral("holders"), holders}};
    if (result.isOpen())
        out.insert(QStringLiteral("message"), result.message);
    if (result.outcome == LockOutcome::ErrorInfo && !result.rows.isEmpty())
        out.insert(QStringLiteral("error"), result.rows.first().value(0));
    printJson(out);
    return kExitOk;
}

} // namespace hv::cli
