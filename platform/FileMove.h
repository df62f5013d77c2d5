// Moving a file to a new name within its file system without ever replacing or copying.
//
// A move is one rename that refuses an existing target (renameat2 with RENAME_NOREPLACE).
// File systems that do not know that rename (NFS, some SMB servers answer EINVAL or ENOSYS)
// get a hard link under the new name and the old name removed instead, which refuses an
// existing target just as well. Where neither works the move fails with the system's reason;
// it is never done by copying, which could truncate a file another process has just put
// there. A symbolic link is moved as the link itself.
#pragma once

#include <QString>

namespace hv {

struct MoveResult {
    bool ok = false;
    int error = 0;  // errno value when the move failed
    QString reason; // the system's text for it

    explicit operator bool() const { return ok; }
};

// Moves `from` to `to`, which must not exist; on failure both names are as they were.
MoveResult moveNoReplace(const QString &from, const QString &to);

} // namespace hv
