#include "suite/SuiteSettings.h"

#include "files/IniFile.h"
#include "platform/Ansi.h"

#include <QDir>
#include <QStandardPaths>
#include <QStringDecoder>

namespace hv {
namespace {

// The INI model decodes Windows-1252; a value that was written as UTF-8 is decoded again.
QString utf8WhereValid(const QString &value)
{
    const QByteArray bytes = ansi::fromText(value);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    return decoder.hasError() ? value : text;
}

QString unquoted(const QString &value)
{
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        return value.mid(1, value.size() - 2);
    return value;
}

QString inFolder(const QString &folder, const QString &path)
{
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return path;
    return folder + path;
}

} // namespace

QString SuiteConfigFolder(const QString &productKey)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Halvora/") + productKey + u'/';
}

bool SuiteSettings::Load()
{
    const QString folder = SuiteConfigFolder(m_productKey);
    QDir().mkpath(folder);
    m_lastError.clear();

    QString settingsFile, securityTable, programFolder;
    INIfile ini;
    const IniResult loaded = ini.LoadFile(folder + QStringLiteral("suite.ini"));
    if (!loaded)
        m_lastError = loaded.error;
    for (const INIline &line : ini.INIlines()) {
        if (line.Group().compare(QLatin1String("[SUITE]"), Qt::CaseInsensitive) != 0)
            continue;
        const QString key = line.Section().trimmed();
        const QString value = unquoted(utf8WhereValid(line.Value().trimmed()));
        if (key.compare(QLatin1String("SettingsFile"), Qt::CaseInsensitive) == 0)
            settingsFile = value;
        else if (key.compare(QLatin1String("SecurityTable"), Qt::CaseInsensitive) == 0)
            securityTable = value;
        else if (key.compare(QLatin1String("ProgramFolder"), Qt::CaseInsensitive) == 0)
            programFolder = value;
    }

    m_settingsFile =
        settingsFile.isEmpty() ? folder + QStringLiteral("hv.ini") : inFolder(folder, settingsFile);
    m_securityTable = securityTable.isEmpty() ? folder + QStringLiteral("SECURITY.DBF")
                                              : inFolder(folder, securityTable);
    m_programFolder = inFolder(folder, programFolder);
    return loaded.ok;
}

} // namespace hv
