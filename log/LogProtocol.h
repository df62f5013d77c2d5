// The wire format between the console and the diagnostic log viewer.
//
// The viewer listens on the local socket kLogServerName. One entry is one line: program,
// module, procedure and message, UTF-8, separated by TAB and ended by LF. Backslash, TAB
// and LF inside a field are written as "\\", "\t" and "\n", so a field never breaks the line.
//
// The writer stamps each entry: two fields before the program, the local date and time it
// was written to the millisecond with its offset from UTC ("2026-12-08T14:03:07.125+01:00")
// and the writer's process id. A line without them (from an older writer) still reads.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <utility>

namespace hv::log {

// The name under which the viewer listens.
inline constexpr char kLogServerName[] = "HVDebug.Application";

// Where the socket of a server name lies: a name that is an absolute path as it is, any
// other in $XDG_RUNTIME_DIR when that is set (it is private to the user), in the temporary
// folder otherwise. The console, hvadmin-cli and hvdebug all find it here.
QString socketPath(const QString &name);

struct LogEntry {
    LogEntry() = default;
    LogEntry(QString program_, QString module_, QString procedure_, QString message_,
             QString time_ = {}, qint64 pid_ = 0)
        : program(std::move(program_)), module(std::move(module_)),
          procedure(std::move(procedure_)), message(std::move(message_)), time(std::move(time_)),
          pid(pid_)
    {
    }

    QString program;
    QString module;
    QString procedure;
    QString message;
    QString time;   // when it was written, as stampTime gives it; empty when not stamped
    qint64 pid = 0; // the writer's process id; 0 when not stamped

    // Two entries say the same when their four fields do; the stamp says when and by whom.
    friend bool operator==(const LogEntry &a, const LogEntry &b)
    {
        return a.program == b.program && a.module == b.module && a.procedure == b.procedure &&
               a.message == b.message;
    }
};

// `time` in ISO 8601 with its offset from UTC ("2026-12-08T20:40:32+01:00"), to the second
// or, with `milliseconds`, to the millisecond.
QString isoTimeText(const QDateTime &time, bool milliseconds);
// The stamp text of the present moment: local time to the millisecond with its offset.
QString stampTime();

// One field with backslash, TAB and LF escaped.
QString escapeField(const QString &field);

// The inverse of escapeField; an unknown escape or a lone trailing backslash is kept as is.
QString unescapeField(const QString &field);

// A field as the viewer prints it: backslash and every control character escaped ("\\",
// "\n", "\t", "\r", "\x1b"...), so no message can start a line of its own or move the
// terminal's cursor.
QString printableField(const QString &field);

// The line for one entry, LF included; stamped when the entry carries a time.
QByteArray encodeEntry(const LogEntry &entry);

// The entry of one line (with or without its LF, a CR before the LF is dropped). A line with
// fewer than four fields leaves the missing ones empty; TABs beyond the third belong to the
// message, so a sender that did not escape its message loses nothing.
LogEntry decodeEntry(QByteArrayView line);

} // namespace hv::log
