// The security check at start-up and the validation behind the login window.
//
// The suite keeps its users in a dBase table, the security table (column 1 the user name,
// column 2 the password). When that table names the console's own users ("HVSETUP" or
// "HVADMIN", first seven characters, any case), the console asks for a login before it
// starts. A table that is missing from a folder that exists asks for none; a table whose
// folder is missing as well, a table that exists but cannot be read (or whose header
// misstates its records: dbase::headerDamage), or a settings file on the way to it that
// exists but cannot be read (a FIFO in its place included), stops the console.
#pragma once

#include "dbase/TableArray.h"

#include <QString>

#include <functional>

namespace hv {

// The security table's path: the suite's default security table, overridden by the last
// "HVSECURE.SECURITYFILE" key (any case, any section) of the suite's settings file; a value
// in double quotes loses its first and last character, and a relative one is taken in the
// settings file's folder. Values are read as UTF-8 where valid, as Windows-1252 otherwise.
// When suite.ini or the settings file exists but cannot be read, the error is logged, the
// path is the default table's (empty when suite.ini itself cannot be read), and
// AssessSecurity refuses the start.
QString GetSecurityFilePath();

// The outcome of the check before any login window.
struct SecurityAssessment {
    QString securityFile;
    bool loginRequired = false; // the table names HVSETUP or HVADMIN
    bool canStart = true;       // false: the console must not start (see message)
    QString message;            // the text of the message box when canStart is false
};

// Looks at the security table and decides; logs "Checking Security File=<path>" (and the
// error of a table that cannot be read).
SecurityAssessment AssessSecurity();

// Shows the login window modally and returns true when the login succeeded.
using LoginPrompt = std::function<bool()>;

// The whole start-up check: AssessSecurity, the message box "Security file specified could
// not be opened!" (title "Check Security") when the console may not start, the login window
// when the table asks for a login; logs "Security Check Passed" or "Security Check Failed".
// Returns true when the console may start.
bool CheckSecurity(const LoginPrompt &showLogin);

// The security table's rows for the login window; not an array when the table is missing or
// cannot be read (then no name and password match).
TableArray LoadSecurityTable();

enum class LoginVerdict { Accepted, InvalidUserName, InvalidPassword };

// Judges a login as typed: the first seven characters of the user name, upper-cased and not
// trimmed, must be HVSETUP or HVADMIN; then a row must hold the whole user name (compared
// upper-cased with the row's name trimmed) and exactly the password (compared with the row's
// password trimmed, letter case counting).
LoginVerdict ValidateLogin(const QString &userName, const QString &password,
                           const TableArray &table);

// The login window's message for a rejected login ("Invalid User Name, try again!" or
// "Invalid Password, try again!"); empty for an accepted one.
QString LoginMessage(LoginVerdict verdict);

} // namespace hv
