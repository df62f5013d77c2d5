#include "app/log/DiagnosticLog.h"

namespace hv {

// The viewer connection is not built yet: entries are dropped.
void WriteLog(const QString &, const QString &, const QString &)
{
}

} // namespace hv
