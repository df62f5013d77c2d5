#include "app/Security.h"

#include "app/MessageService.h"
#include "app/PathHelpers.h"
#include "dbase/dBase.h"
#include "files/IniFile.h"
#include "log/DiagnosticLog.h"
#include "suite/SuiteSettings.h"

#include <stdexcept>

namespace hv {
namespace {

const QString kModule = QStringLiteral("mMain");

// Leading and trailing spaces removed (spaces only, as the table pads with spaces).
QString trimSpaces(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.mid(start, end - start);
}

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

// Reads the whole table; raises DbaseError when it cannot be read.
TableArray readTable(const QString &path)
{
    dBase table;
    table.OpenFile(path);
    if (!table.FileExists())
        throw DbaseError(dbase_errors::kFileNotFound,
                         QStringLiteral("dBase File Not Found '%1'").arg(path));
    TableArray values = table.GetTableValues();
    table.CloseFile();
    return values;
}

bool namesConsoleUser(const TableArray &values)
{
    if (!values.IsArray() || values.ColumnCount() < 1)
        return false;
    for (int row = values.RowLower(); row <= values.RowUpper(); ++row) {
        const QString name = cellText(values, values.ColumnLower(), row).value_or(QString());
        if (isConsoleUser(trimSpaces(name.left(7).toUpper())))
            return true;
    }
    return false;
}

} // namespace

QString GetSecurityFilePath()
{
    SuiteSettings suite;
    suite.SetProductKey(QStringLiteral("HV50"));
    suite.Load();
    QString result = suite.SecurityTable();

    INIfile settings;
    const IniResult loaded = settings.LoadFile(suite.SettingsFile());
    if (!loaded)
        WriteLog(kModule, QStringLiteral("GetSecurityFilePath"),
                 QStringLiteral("Error: ") + loaded.error);
    for (const INIline &line : settings.INIlines()) {
        if (line.Section().trimmed().toUpper() != QLatin1String("HVSECURE.SECURITYFILE"))
            continue;
        result = line.Value();
        if (result.startsWith(u'"'))
            result = result.mid(1, result.size() - 2);
    }
    return result;
}

SecurityAssessment AssessSecurity()
{
    SecurityAssessment outcome;
    outcome.securityFile = GetSecurityFilePath();
    const QString &path = outcome.securityFile;
    WriteLog(kModule, QStringLiteral("CheckSecurity"),
             QStringLiteral("Checking Security File=") + path);

    const QString notOpened =
        QStringLiteral("Security file specified could not be opened!\n") + path;
    if (IsFilePresent(path)) {
        try {
            outcome.loginRequired = namesConsoleUser(readTable(path));
        } catch (const DbaseError &e) {
            // A table that is there but unreadable must not open the console without a login.
            WriteLog(kModule, QStringLiteral("CheckSecurity"),
                     QStringLiteral("Error: ") + e.text());
            outcome.canStart = false;
            outcome.message = notOpened;
            return outcome;
        }
    }
    if (!outcome.loginRequired && !IsFolderPresent(FolderOfPath(path))) {
        outcome.canStart = false;
        outcome.message = notOpened;
    }
    return outcome;
}

bool CheckSecurity(const LoginPrompt &showLogin)
{
    const SecurityAssessment outcome = AssessSecurity();
    bool passed = false;
    if (!outcome.canStart)
        ShowMessage(outcome.message, QStringLiteral("Check Security"), MsgButtons::Ok,
                    MsgIcon::Critical);
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
    const QString path = GetSecurityFilePath();
    if (!IsFilePresent(path))
        return {};
    try {
        return readTable(path);
    } catch (const DbaseError &e) {
        WriteLog(QStringLiteral("frmLogin"), QStringLiteral("Form_Load"),
                 QStringLiteral("Error: ") + e.text());
        return {};
    }
}

LoginVerdict ValidateLogin(const QString &userName, const QString &password,
                           const TableArray &table)
{
    if (!isConsoleUser(userName.left(7).toUpper()))
        return LoginVerdict::InvalidUserName;
    if (!table.IsArray() || table.ColumnCount() < 2)
        return LoginVerdict::InvalidPassword;
    const QString typedName = userName.toUpper();
    const int nameColumn = table.ColumnLower();
    for (int row = table.RowLower(); row <= table.RowUpper(); ++row) {
        const QString name = trimSpaces(*cellText(table, nameColumn, row)).toUpper();
        const QString stored = trimSpaces(*cellText(table, nameColumn + 1, row));
        if (typedName == name && password == stored)
            return LoginVerdict::Accepted;
    }
    return LoginVerdict::InvalidPassword;
}

QString LoginMessage(LoginVerdict verdict)
{
    switch (verdict) {
    case LoginVerdict::InvalidUserName:
        return QStringLiteral("Invalid User Name, try again!");
    case LoginVerdict::InvalidPassword:
        return QStringLiteral("Invalid Password, try again!");
    case LoginVerdict::Accepted:
        break;
    }
    return {};
}

} // namespace hv
