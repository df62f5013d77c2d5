#include "app/Security.h"

#include "app/MessageService.h"
#include "app/PathHelpers.h"
#include "dbase/dBase.h"
#include "files/IniFile.h"
#include "log/DiagnosticLog.h"
#include "platform/Ansi.h"
#include "platform/PathNames.h"
#include "platform/SmallFile.h"
#include "suite/SuiteSettings.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

namespace hv {
namespace {

const QString kModule = QStringLiteral("mMain");

bool isConsoleUser(const QString &upperName)
{
    return upperName == QLatin1String("HVSETUP") || upperName == QLatin1String("HVADMIN");
}

// The text of element (column, row); empty for nothing or a column the table lacks.
std::optional<QString> cellText(const TableArray &table, int column, int row)
{
    if (column > table.ColumnUpper())
        return std::nullopt;
    return table.Cell(column, row).value_or(QString());
}

// Reads the whole table; raises DbaseError when it cannot be read. A table whose header
// misstates its records (cut short, a record length shorter than its fields, an impossible
// count) counts as unreadable: the rows it hides may be the ones that ask for a login.
TableArray readTable(const QString &path)
{
    dBase table;
    table.OpenFile(path);
    if (!table.FileExists())
        throw DbaseError(dbase_errors::kFileNotFound,
                         QStringLiteral("dBase File Not Found '%1'").arg(path));
    table.ReadHeader();
    if (const QString damage = table.headerDamage(); !damage.isEmpty())
        throw DbaseError(dbase_errors::kInvalidFileType,
                         QStringLiteral("Invalid dBase File Type: ") + damage);
    TableArray values = table.GetTableValues();
    table.CloseFile();
    return values;
}

// Why a file that exists cannot be read, as an errno and its text; 0 when it can be read or
// does not exist. Opened without blocking: a FIFO in its place must not hold the start up.
int readError(const QString &path, QString &text)
{
    const QString found = paths::findExisting(path);
    if (found.isEmpty())
        return 0;
    ReadOnlyFile file(found);
    if (file.isOpen() && file.stat())
        return 0;
    const int number = file.error() ? file.error() : EIO;
    text = number == EINVAL && file.isOpen() ? QStringLiteral("it is not a regular file")
                                             : QString::fromLocal8Bit(std::strerror(number));
    return number;
}

QString errorEntry(int number, const QString &description)
{
    return QStringLiteral("Error: %1 - %2").arg(number).arg(description);
}

// The security table's path and, when a settings file on the way exists but cannot be read,
// that file's path: the table it would have named is unknown, so no start without a login.
struct SecurityLocation {
    QString path;
    QString unreadableSettings;
};

SecurityLocation locateSecurityFile()
{
    const QString procedure = QStringLiteral("GetSecurityFilePath");
    SecurityLocation location;
    auto refuse = [&](const QString &file, const QString &reason) {
        QString text = reason;
        int number = readError(file, text);
        if (!number)
            number = EIO;
        WriteLog(kModule, procedure,
                 errorEntry(number, QStringLiteral("Cannot read %1: %2").arg(file, text)));
        location.unreadableSettings = file;
    };

    SuiteSettings suite;
    suite.SetProductKey(QStringLiteral("HV50"));
    if (!suite.Load()) {
        refuse(suite.SuiteFile(), suite.LastError());
        return location;
    }
    location.path = suite.SecurityTable();

    const QString settingsFile = suite.SettingsFile();
    INIfile settings;
    const IniResult loaded = settings.LoadFile(settingsFile);
    if (!loaded) {
        refuse(settingsFile, loaded.error);
        return location;
    }
    for (const INIline &line : settings.INIlines()) {
        if (line.Section().trimmed().toUpper() != QLatin1String("HVSECURE.SECURITYFILE"))
            continue;
        QString value = DecodeSuiteValue(line.Value());
        if (value.startsWith(u'"'))
            value = value.mid(1, value.size() - 2);
        // A relative path belongs to the folder of the file that names it.
        if (!value.isEmpty() && !value.startsWith(u'/'))
            value = FolderOfPath(settingsFile) + value;
        location.path = value;
    }
    return location;
}

bool namesConsoleUser(const TableArray &values)
{
    if (!values.IsArray() || values.ColumnCount() < 1)
        return false;
    for (int row = values.RowLower(); row <= values.RowUpper(); ++row) {
        const QString name = cellText(values, values.ColumnLower(), row).value_or(QString());
        if (isConsoleUser(ansi::trimSpaces(name.left(7).toUpper()).toString()))
            return true;
    }
    return false;
}

} // namespace

QString GetSecurityFilePath()
{
    return locateSecurityFile().path;
}

SecurityAssessment AssessSecurity()
{
    const SecurityLocation location = locateSecurityFile();
    SecurityAssessment outcome;
    outcome.securityFile = location.path;
    const QString &path = outcome.securityFile;
    WriteLog(kModule, QStringLiteral("CheckSecurity"),
             QStringLiteral("Checking Security File=") + path);

    const QString notOpened = QCoreApplication::translate(
        "hv::CheckSecurity", "Security file specified could not be opened!\n%1");
    if (!location.unreadableSettings.isEmpty()) {
        outcome.canStart = false;
        outcome.message = notOpened.arg(location.unreadableSettings);
        return outcome;
    }
    bool read = false;
    if (IsFilePresent(path)) {
        try {
            outcome.loginRequired = namesConsoleUser(readTable(path));
            read = true;
        } catch (const DbaseError &e) {
            // A table that is there but unreadable must not open the console without a login.
            WriteLog(kModule, QStringLiteral("CheckSecurity"),
                     QStringLiteral("Error: ") + e.text());
            outcome.canStart = false;
            outcome.message = notOpened.arg(path);
            return outcome;
        }
    }
    if (!read && !IsFolderPresent(FolderOfPath(path))) {
        outcome.canStart = false;
        outcome.message = notOpened.arg(path);
    }
    return outcome;
}

bool CheckSecurity(const LoginPrompt &showLogin)
{
    const SecurityAssessment outcome = AssessSecurity();
    bool passed = false;
    if (!outcome.canStart)
        ShowMessage(outcome.message,
                    QCoreApplication::translate("hv::CheckSecurity", "Check Security"),
                    MsgButtons::Ok, MsgIcon::Critical);
    else if (outcome.loginRequired)
        passed = showLogin && showLogin();
    else
        passed = true;
    WriteLog(kModule, QStringLiteral("CheckSecurity"),
             passed ? QStringLiteral("Security Check Passed")
                    : QStringLiteral("Security Check Failed"));
    return passed;
}

TableArray LoadSecurityTable()
{
    const SecurityLocation location = locateSecurityFile();
    const QString &path = location.path;
    if (!location.unreadableSettings.isEmpty() || !IsFilePresent(path))
        return {};
    try {
        return readTable(path);
    } catch (const DbaseError &e) {
        WriteLog(QStringLiteral("frmLogin"), QStringLiteral("Form_Load"),
                 QStringLiteral("Error: ") + e.text());
        return {};
    }
}

namespace {

LoginVerdict verdictOf(const QString &userName, const QString &password, const TableArray &table)
{
    if (!isConsoleUser(userName.left(7).toUpper()))
        return LoginVerdict::InvalidUserName;
    if (!table.IsArray() || table.ColumnCount() < 2)
        return LoginVerdict::InvalidPassword;
    const QString typedName = userName.toUpper();
    const int nameColumn = table.ColumnLower();
    for (int row = table.RowLower(); row <= table.RowUpper(); ++row) {
        const QString name =
            ansi::trimSpaces(*cellText(table, nameColumn, row)).toString().toUpper();
        // A password that is nothing (a column of another type) matches no password.
        const DbValue stored = table.Cell(nameColumn + 1, row);
        if (stored && typedName == name && password == ansi::trimSpaces(*stored))
            return LoginVerdict::Accepted;
    }
    return LoginVerdict::InvalidPassword;
}

} // namespace

LoginVerdict ValidateLogin(const QString &userName, const QString &password,
                           const TableArray &table)
{
    const LoginVerdict verdict = verdictOf(userName, password, table);
    // That a login failed, never what was typed: nothing of a login is kept.
    if (verdict != LoginVerdict::Accepted)
        WriteLog(QStringLiteral("Security"), QStringLiteral("ValidateLogin"),
                 QStringLiteral("Login refused"));
    return verdict;
}

QString LoginMessage(LoginVerdict verdict)
{
    switch (verdict) {
    case LoginVerdict::InvalidUserName:
        return QCoreApplication::translate("hv::Login", "Invalid User Name, try again!");
    case LoginVerdict::InvalidPassword:
        return QCoreApplication::translate("hv::Login", "Invalid Password, try again!");
    case LoginVerdict::Accepted:
        break;
    }
    return {};
}

} // namespace hv
