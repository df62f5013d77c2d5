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
    return paths.isEmpty() ? QString() : locks->firstOpen(paths);
}

} // namespace hv
