#include "ops/LockRetry.h"

#include <exception>

namespace hv {

namespace {

const QString kYouMayStillOpen =
    QStringLiteral("You may still open the file but you will be unable to save your changes "
                   "until the file is unlocked.");

QString errorInfoMessage(const QString &path)
{
    return QStringLiteral("Access has been denied to the application (") + path +
           QStringLiteral(") data file you are trying to open. It is unclear why this is "
                          "occurring. Below is the system error message. Please contact your "
                          "system administrator to ensure proper network, user and system "
                          "configurations. This may also be caused by another user accessing "
                          "the same file. Consult Help for further instructions. ") +
           kYouMayStillOpen;
}

QString otherUsersMessage(const QString &path)
{
    return QStringLiteral("Access has been denied to the application (") + path +
           QStringLiteral(") data file you are trying to open. It is being accessed by another "
                          "user. The list below shows all current connections to the file. ") +
           kYouMayStillOpen;
}

QString sameComputerMessage(const QString &path)
{
    return QStringLiteral("The application 's (") + path +
           QStringLiteral(") data file you are trying to open is being used by another Halvora "
                          "Process running on this computer. This is caused by having the same "
                          "application open in another Halvora Product. ") +
           kYouMayStillOpen;
}

} // namespace

LockCheckResult RetryFileLock(const QString &path, const FileLockServiceFactory &createService,
                              const NetworkPaths &network)
{
    LockCheckResult result;
    result.path = path;
    try {
        QString error;
        std::unique_ptr<FileLockService> service = createService ? createService(error) : nullptr;
        if (!service || !service->IsFileOpen(path)) {
            result.outcome = service ? LockOutcome::NotLocked : LockOutcome::CheckFailed;
            return result;
        }
        if (network.IsRemotePath(path) && !network.IsValidUNC(path))
            result.path = network.MakePathUNC(path);
        result.rc = service->GetFileLockInfo(result.path);
        if (result.rc != 0) {
            result.outcome = LockOutcome::ErrorInfo;
            result.listVisible = true;
            result.columns = {QStringLiteral("File Locked - Error Information")};
            result.message = errorInfoMessage(result.path);
            result.rows.append({service->GetExtendedError(result.rc)});
            return result;
        }
        const LockUserList &users = service->LockUsers();
        if (users.Count() == 0) {
            result.outcome = LockOutcome::SameComputer;
            result.message = sameComputerMessage(result.path);
            return result;
        }
        result.outcome = LockOutcome::OtherUsers;
        result.listVisible = true;
        result.message = otherUsersMessage(result.path);
        result.columns = {QStringLiteral("USER"), QStringLiteral("Computer")};
        for (qint32 i = 1; i <= users.Count(); ++i) {
            const LockHolder &holder = users.Item(i);
            result.holders.append(holder);
            result.rows.append({holder.UserName, QStringLiteral("on ") + holder.ComputerName});
        }
        return result;
    } catch (const std::exception &) {
        result = LockCheckResult();
        result.path = path;
        result.outcome = LockOutcome::CheckFailed;
        return result;
    }
}

} // namespace hv
