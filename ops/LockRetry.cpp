#include "ops/LockRetry.h"

#include <QCoreApplication>

#include <exception>

namespace hv {

namespace {

QString errorInfoMessage(const QString &path)
{
    return QCoreApplication::translate(
               "hv::LockRetry",
               "Access has been denied to the application (%1) data file you are trying to open. "
               "It is unclear why this is occurring. Below is the system error message. Please "
               "contact your system administrator to ensure proper network, user and system "
               "configurations. This may also be caused by another user accessing the same file. "
               "Consult Help for further instructions. You may still open the file but you will be "
               "unable to save your changes until the file is unlocked.")
        .arg(path);
}

QString otherUsersMessage(const QString &path)
{
    return QCoreApplication::translate(
               "hv::LockRetry",
               "Access has been denied to the application (%1) data file you are trying to open. "
               "It is being accessed by another user. The list below shows all current connections "
               "to the file. You may still open the file but you will be unable to save your "
               "changes until the file is unlocked.")
        .arg(path);
}

QString sameComputerMessage(const QString &path)
{
    return QCoreApplication::translate(
               "hv::LockRetry",
               "The application 's (%1) data file you are trying to open is being used by another "
               "Halvora Process running on this computer. This is caused by having the same "
               "application open in another Halvora Product. You may still open the file but you "
               "will be unable to save your changes until the file is unlocked.")
        .arg(path);
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
            result.columns = {
                QCoreApplication::translate("hv::LockRetry", "File Locked - Error Information")};
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
        result.columns = {QCoreApplication::translate("hv::LockRetry", "USER"),
                          QCoreApplication::translate("hv::LockRetry", "Computer")};
        for (qint32 i = 1; i <= users.Count(); ++i) {
            const LockHolder &holder = users.Item(i);
            result.holders.append(holder);
            result.rows.append(
                {holder.UserName,
                 QCoreApplication::translate("hv::LockRetry", "on %1").arg(holder.ComputerName)});
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
