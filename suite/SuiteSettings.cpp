#include "suite/SuiteSettings.h"

#include "files/IniFile.h"
#include "platform/Ansi.h"

#include <QDir>
#include <QStandardPaths>
#include <QStringDecoder>

namespace hv {
namespace {

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

QString DecodeSuiteValue(const QString &value)
{
    const QByteArray bytes = ansi::fromText(value);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    return decoder.hasError() ? value : text;
}

QString SuiteConfigFolder(const QString &productKey)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Halvora/") + productKey + u'/';
}

QString SuiteSettings::SuiteFile() const
{
    return SuiteConfigFolder(m_productKey) + QStringLiteral("suite.ini");
}

bool SuiteSettings::Load()
{
    const QString folder = SuiteConfigFolder(m_productKey);
    QDir().mkpath(folder);
    m_lastError.clear();

    QString settingsFile, securityTable, programFolder;
    INIfile ini;
    const IniResult loaded = ini.LoadFile(SuiteFile());
    if (!loaded)
        m_lastError = loaded.error;
    for (const INIline &line : ini.INIlines()) {
        if (line.Group().compare(QLatin1String("[SUITE]"), Qt::CaseInsensitive) != 0)
            continue;
        const QString key = line.Section().trimmed();
        const QString value = unquoted(DecodeSuiteValue(line.Value().trimmed()));
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
