// Whether another process holds one of an item's files open.
//
// Linux lets a file that another program has open be renamed or deleted, and that program
// then goes on writing into the trash or under the old name. So clear, delete and rename ask
// the file-lock service about every file of the set before their first step, and treat a
// held file as the refusal the other platform would give.
#pragma once

#include <QString>
#include <QStringList>

namespace hv {

class FileLockService;

// The first of `paths` that another process holds open, or empty when none is held. Paths
// that name nothing are not held. `locks` null uses the service of this computer.
QString FirstHeldFile(const QStringList &paths, FileLockService *locks);

} // namespace hv
