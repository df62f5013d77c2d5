#include "ops/LockCheck.h"

#include "log/DiagnosticLog.h"

#include <QCoreApplication>

#include <exception>

namespace hv {

namespace {

void logStep(const QString &message)
{
    WriteLog(QStringLiteral("mMain"), QStringLiteral("isFileLocked"), message);
}

QString errorInfoMessage(const QString &path)
{
    return QCoreApplication::translate(
               "hv::LockCheck",
               "Access has been denied to the application's (%1) data file you are trying to open. "
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
               "hv::LockCheck",
               "Access has been denied to the application's (%1) data file you are trying to open. "
               "It is being accessed by another user. The list below shows all current connections "
               "to the file. You may still open the file but you will be unable to save your "
               "changes until the file is unlocked.")
        .arg(path);
}

QString sameComputerMessage(const QString &path)
{
    return QCoreApplication::translate(
               "hv::LockCheck",
               "The application 's (%1) data file you are trying to open is being used by another "
               "Halvora Process running on this computer. This is caused by having the same "
               "application open in another Halvora Product. You may still open the file but you "
               "will be unable to save your changes until the file is unlocked.")
        .arg(path);
}

LockCheckResult checkFailed(const QString &path, int number, const QString &description)
{
    logStep(QStringLiteral("Error: %1 - %2").arg(number).arg(description));
    LockCheckResult result;
    result.outcome = LockOutcome::CheckFailed;
    result.path = path;
    return result;
}

void describeHolders(LockCheckResult &result, FileLockService &service)
{
    if (result.rc != 0) {
        result.outcome = LockOutcome::ErrorInfo;
        result.listVisible = true;
        result.columns = {QCoreApplication::translate("hv::LockCheck", "Error Information")};
        result.message = errorInfoMessage(result.path);
        const QString text = service.GetExtendedError(result.rc);
        logStep(QStringLiteral("objFileLock.GetExtendedError=") + text);
        result.rows.append({text});
        return;
    }
    const LockUserList &users = service.LockUsers();
    const qint32 count = users.Count();
    logStep(QStringLiteral("LockUsers.Count=%1").arg(count));
    if (count > 0) {
        result.outcome = LockOutcome::OtherUsers;
        result.listVisible = true;
        result.message = otherUsersMessage(result.path);
        result.columns = {QCoreApplication::translate("hv::LockCheck", "USER"),
                          QCoreApplication::translate("hv::LockCheck", "Computer")};
        for (qint32 i = 1; i <= count; ++i) {
            const LockHolder &holder = users.Item(i);
            logStep(QStringLiteral("User=") + holder.UserName + QStringLiteral(", Computer=") +
                    holder.ComputerName);
            result.holders.append(holder);
            result.rows.append(
                {holder.UserName,
                 QCoreApplication::translate("hv::LockCheck", "on %1").arg(holder.ComputerName)});
        }
        return;
    }
    result.outcome = LockOutcome::SameComputer;
    result.listVisible = false;
    result.message = sameComputerMessage(result.path);
}

} // namespace

FileLockServiceFactory defaultFileLockServiceFactory()
{
    return [](QString &) -> std::unique_ptr<FileLockService> {
        return std::make_unique<ProcFileLockService>();
    };
}

LockCheckResult isFileLocked(const QString &path, const FileLockServiceFactory &createService,
                             const NetworkPaths &network)
{
    try {
        logStep(QStringLiteral("Creating HVFileLockSvc Object..."));
        QString error;
        std::unique_ptr<FileLockService> service = createService ? createService(error) : nullptr;
        if (!service)
            return checkFailed(
                path, 429,
                error.isEmpty() ? QStringLiteral("Cannot create the file-lock service") : error);
        logStep(QStringLiteral("Created HVFileLockSvc Object"));

        LockCheckResult result;
        result.path = path;
        logStep(QStringLiteral("Checking File Lock for: ") + path);
        if (!service->IsFileOpen(path)) {
            logStep(QStringLiteral("File is not locked!"));
            return result;
        }
        logStep(QStringLiteral("File is locked!"));

        logStep(QStringLiteral("Call IsRemotePath"));
        if (network.IsRemotePath(path)) {
            logStep(QStringLiteral("Call IsValidUNC"));
            if (!network.IsValidUNC(path)) {
                logStep(QStringLiteral("Call MakePathUNC"));
                result.path = network.MakePathUNC(path);
            }
        }
        logStep(QStringLiteral("Call GetFileLockInfo"));
        result.rc = service->GetFileLockInfo(result.path);
        logStep(QStringLiteral("Call GetFileLockInfo RC=%1").arg(result.rc));
        describeHolders(result, *service);
        return result;
    } catch (const std::exception &e) {
        return checkFailed(path, 440, QString::fromLocal8Bit(e.what()));
    }
}

} // namespace hv
