// The Retry of the file access error window: asks the file-lock service again about a data
// file and describes the answer in the window's own Retry texts. Unlike the first check
// (ops/LockCheck.h) it writes no log entries, its "Access has been denied" messages say "the
// application (" without "'s", and its error column is "File Locked - Error Information".
#pragma once

#include "ops/LockCheck.h"

namespace hv {

// NotLocked when the file has been released, CheckFailed when the service cannot be used
// (the window then lets the file be opened, as a broken first check does); otherwise the
// explanation, columns and rows that the window shows now.
LockCheckResult RetryFileLock(const QString &path, const FileLockServiceFactory &createService,
                              const NetworkPaths &network);

} // namespace hv
