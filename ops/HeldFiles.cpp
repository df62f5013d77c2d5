#include "ops/HeldFiles.h"

#include "suite/FileLockService.h"

#include <memory>

namespace hv {

QString FirstHeldFile(const QStringList &paths, FileLockService *locks)
{
    std::unique_ptr<FileLockService> own;
    if (!locks) {
        own = std::make_unique<ProcFileLockService>();
        locks = own.get();
    }
    for (const QString &path : paths) {
        if (locks->IsFileOpen(path))
            return path;
    }
    return {};
}

} // namespace hv
