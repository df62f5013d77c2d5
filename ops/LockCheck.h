// The check made before an application's data file is opened: does someone hold it, and if
// so, the explanation the file access error window shows. The window itself, its buttons and
// the user's choice are not part of this; the result carries what the window needs.
#pragma once

#include "platform/NetworkPaths.h"
#include "suite/FileLockService.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace hv {

enum class LockOutcome {
    NotLocked,    // nobody holds the file: open it without asking
    ErrorInfo,    // held, but the holders could not be determined (rc not 0)
    OtherUsers,   // held by the users listed
    SameComputer, // held by another process on this computer
    CheckFailed,  // the service could not be used: open the file without asking
};

// What the check found. Not an operation's result: "may be opened" is no success of an
// operation, and a check that failed still lets the file be opened. The message is the
// window's explanation, empty when the file is not held.
struct LockCheckResult {
    LockOutcome outcome = LockOutcome::NotLocked;
    QString message;
    QString path;  // the path asked about, after mapping a share path
    qint32 rc = 0; // GetFileLockInfo's answer (held files only)
    QList<LockHolder> holders;
    bool listVisible = false; // whether the window shows its list
    QStringList columns;      // the list's column titles
    QList<QStringList> rows;  // the list's rows

    // True when the window must be shown (the file is held).
    bool isOpen() const
    {
        return outcome == LockOutcome::ErrorInfo || outcome == LockOutcome::OtherUsers ||
               outcome == LockOutcome::SameComputer;
    }
    // True when the file may be opened without asking (not held, or the check failed).
    bool mayOpen() const { return !isOpen(); }
};

// Creates the file-lock service; returns nullptr (and sets `error`) when it cannot.
using FileLockServiceFactory = std::function<std::unique_ptr<FileLockService>(QString &error)>;

// The factory of the real service.
FileLockServiceFactory defaultFileLockServiceFactory();

// Checks `path` (the data file of an application). Every step is logged under "mMain" /
// "isFileLocked"; a failure of the service is logged and gives CheckFailed.
LockCheckResult isFileLocked(const QString &path, const FileLockServiceFactory &createService,
                             const NetworkPaths &network);

} // namespace hv
