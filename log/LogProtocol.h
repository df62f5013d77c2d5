// The wire format between the console and the diagnostic log viewer.
//
// The viewer listens on the local socket kLogServerName. One entry is one line: program,
// module, procedure and message, UTF-8, separated by TAB and ended by LF. Backslash, TAB
// and LF inside a field are written as "\\", "\t" and "\n", so a field never breaks the line.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace hv::log {

// The name under which the viewer listens.
inline constexpr char kLogServerName[] = "HVDebug.Application";

// Where the socket of a server name lies: a name that is an absolute path as it is, any
// other in $XDG_RUNTIME_DIR when that is set (it is private to the user), in the temporary
// folder otherwise. The console, hvadmin-cli and hvdebug all find it here.
QString socketPath(const QString &name);

struct LogEntry {
    QString program;
    QString module;
    QString procedure;
    QString message;

    friend bool operator==(const LogEntry &, const LogEntry &) = default;
};

// One field with backslash, TAB and LF escaped.
QString escapeField(const QString &field);

// The inverse of escapeField; an unknown escape or a lone trailing backslash is kept as is.
QString unescapeField(const QString &field);

// A field as the viewer prints it: backslash and every control character escaped ("\\",
// "\n", "\t", "\r", "\x1b"...), so no message can start a line of its own or move the
// terminal's cursor.
QString printableField(const QString &field);

// The line for one entry, LF included.
QByteArray encodeEntry(const LogEntry &entry);

// The entry of one line (with or without its LF, a CR before the LF is dropped). A line with
// fewer than four fields leaves the missing ones empty; TABs beyond the third belong to the
// message, so a sender that did not escape its message loses nothing.
LogEntry decodeEntry(QByteArrayView line);

} // namespace hv::log
