// The suite settings: where the suite keeps its settings file, its security table and its
// programs, for one product key ("HV50").
//
// They live in `suite.ini` in the suite's per-user configuration folder
// ($XDG_CONFIG_HOME/Halvora/<product key>/, ~/.config/Halvora/HV50/ by default):
//
//     [Suite]
//     SettingsFile=/opt/halvora/hv.ini
//     SecurityTable=/srv/halvora/SECURITY.DBF
//     ProgramFolder=/opt/halvora
//
// Keys and the section name are matched without regard to case, the last of repeated keys
// wins, a value in double quotes loses them, and a relative path is taken relative to the
// configuration folder. An absent or empty key gives its default: `hv.ini` and `SECURITY.DBF`
// in the configuration folder, and no program folder. The file is read as UTF-8 where it is
// valid UTF-8 and as Windows-1252 otherwise.
#pragma once

#include <QString>

namespace hv {

// The suite's per-user configuration folder for a product key, ending in '/'.
QString SuiteConfigFolder(const QString &productKey = QStringLiteral("HV50"));

// A value of a suite settings file as the INI model decoded it (Windows-1252), decoded again
// as UTF-8 when its bytes are valid UTF-8: a path with accents written by a Linux editor
// stays whole.
QString DecodeSuiteValue(const QString &value);

class SuiteSettings {
public:
    const QString &ProductKey() const { return m_productKey; }
    void SetProductKey(const QString &key) { m_productKey = key; }

    // Reads suite.ini of the product key's configuration folder, creating the folder when it
    // is missing (as installing the suite would). A missing suite.ini gives the defaults; one
    // that cannot be read gives the defaults and false, with the reason in LastError().
    bool Load();
    const QString &LastError() const { return m_lastError; }
    // The path of suite.ini.
    QString SuiteFile() const;

    // Full path of the suite's settings INI file.
    const QString &SettingsFile() const { return m_settingsFile; }
    // Path of the security table when the settings file names none.
    const QString &SecurityTable() const { return m_securityTable; }
    // Folder of the suite's programs; may be empty.
    const QString &ProgramFolder() const { return m_programFolder; }

private:
    QString m_productKey = QStringLiteral("HV50");
    QString m_settingsFile;
    QString m_securityTable;
    QString m_programFolder;
    QString m_lastError;
};

} // namespace hv
