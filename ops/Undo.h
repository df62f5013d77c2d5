// Undoing an operation of the history (ops/History.h).
//
// A clear or delete comes back from the trash: each file is found again by its trash record
// (its original path and deletion date), moved back to the path it was sent away from, and
// its record removed. A rename is reversed, last step first, and the files it sent to the
// trash to make way come back after it. Every move is one rename that never replaces a file
// and never copies (moveNoReplace).
//
// Everything is checked before the first move: when a file is no longer where the operation
// left it (restored by hand, the trash emptied) or a file stands in the way of one coming
// back, nothing changes and the message names that file. When a move fails all the same,
// the files moved before it are put back. Safe to call off the user-interface thread.
#pragma once

#include "ops/OpResult.h"

namespace hv {

// Undoes the operation `id` of the history and marks it undone. On success `touched` holds
// the paths the files came back to, in the order moved.
OpResult UndoOperation(qint64 id);

} // namespace hv
