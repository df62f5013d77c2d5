// hvadmin-cli lock-check: whether a file is held open, and the explanation the file access
// error window would show.
#include "cli/CliSupport.h"
#include "cli/JsonWriter.h"
#include "cli/Verbs.h"
#include "ops/LockCheck.h"
#include "platform/FileNames.h"

namespace hv::cli {

int runLockCheck(const QStringList &args)
{
    if (args.size() != 1)
        return wrongArguments(args, 1, 1);
    if (args.at(0).isEmpty())
        return usage(QStringLiteral("PATH is empty"));
    const std::optional<QString> path =
        NetworkPaths::PathIsUNC(args.at(0)) ? args.at(0) : absoluteArgument(args.at(0));
    if (!path)
        return kExitFailure;
    const LockCheckResult result =
        isFileLocked(*path, defaultFileLockServiceFactory(), NetworkPaths());
    if (result.outcome == LockOutcome::CheckFailed)
        return fail(QStringLiteral("The file-lock service could not be used."));

    // Members in the order of their names, as the tool has always written them.
    JsonWriter out;
    out.beginObject();
    if (result.outcome == LockOutcome::ErrorInfo && !result.rows.isEmpty())
        out.member("error", result.rows.first().value(0));
    out.key("holders").beginArray();
    for (const LockHolder &holder : result.holders) {
        out.beginObject().member("computer", holder.ComputerName);
        out.member("user", holder.UserName).endObject();
    }
    out.endArray();
    if (result.isOpen())
        out.member("message", result.message);
    out.member("open", result.isOpen()).member("path", paths::displayName(result.path));
    out.member("rc", qint64(result.rc)).endObject().finish();
    return kExitOk;
}

} // namespace hv::cli
