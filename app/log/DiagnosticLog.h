// The diagnostic log: one entry of module, procedure and message per call.
//
// Logging is a side channel: it never fails its caller and never blocks it for long.
#pragma once

#include <QString>

namespace hv {

// Sends one entry to the diagnostic log viewer, when one is attached.
void WriteLog(const QString &module, const QString &procedure, const QString &message);

} // namespace hv
