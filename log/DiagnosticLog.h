// The diagnostic log: one entry of module, procedure and message per call.
//
// Entries go to the diagnostic log viewer (the `hvdebug` program) over the local socket
// "HVDebug.Application" (see log/LogProtocol.h for where it lies). The console never starts a
// viewer: it only connects to one that is already listening, and only to one run by the same
// user. The connection stays open while the viewer runs; when it breaks, the next entry
// connects again.
//
// Whether anything is sent in a run is decided by the first call: when no viewer listens
// then, logging stays off for the rest of the process (it costs nothing). Once one entry has
// reached a viewer, every later call tries again, so a viewer that is closed and reopened
// keeps receiving entries.
//
// Logging is a side channel: it never fails its caller, never throws, and never waits on the
// viewer. Entries are handed to a writer thread through a bounded buffer; when a viewer stops
// reading and the buffer is full, further entries are dropped, and the next entry that gets
// in ends with "[N earlier entries dropped: the viewer did not keep up]". At the end of the
// process, entries still waiting get half a second to leave.
#pragma once

#include <QString>

namespace hv {

// Sends one entry to the diagnostic log viewer, when one is attached, stamped with the time it
// was written and this process's id.
void WriteLog(const QString &module, const QString &procedure, const QString &message);

namespace log {

// Back to the state of a new process (nothing tried yet), sending to the viewer named
// `serverName`. For tests, which listen under a name of their own.
void ResetLogState(const QString &serverName);

// The program name sent with every entry: the executable's name without its extension.
QString LogProgramName();

} // namespace log
} // namespace hv
