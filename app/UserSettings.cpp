#include "app/UserSettings.h"

#include "app/AppState.h"
#include "app/PathHelpers.h"
#include "log/DiagnosticLog.h"
#include "platform/PathNames.h"
#include "platform/SmallFile.h"
#include "suite/SuiteSettings.h"

#include <QSettings>
#include <QStringList>

namespace hv {
namespace {

const QString kSettingsSection = QStringLiteral("Settings");

QString settingsKey(const QString &section, const QString &key)
{
    return section + u'/' + key;
}

} // namespace

QString UserSettingsFile()
{
    return SuiteConfigFolder(QStringLiteral("HV50")) + QStringLiteral("HVAdmin.ini");
}

namespace {

// False, with the error logged, when the settings file is there but not a regular file:
// QSettings would open a FIFO in its place blocking and wait for ever.
bool settingsFileUsable(const QString &procedure)
{
    QString reason;
    if (isRegularOrAbsent(UserSettingsFile(), &reason))
        return true;
    WriteLog(QStringLiteral("mConfig"), procedure,
             QStringLiteral("Error: Cannot use %1: %2").arg(UserSettingsFile(), reason));
    return false;
}

} // namespace

QString ReadSetting(const QString &section, const QString &key)
{
    if (!settingsFileUsable(QStringLiteral("ReadSetting")))
        return {};
    QSettings store(UserSettingsFile(), QSettings::IniFormat);
    const QVariant value = store.value(settingsKey(section, key));
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

void WriteSetting(const QString &section, const QString &key, const QString &value)
{
    if (!settingsFileUsable(QStringLiteral("WriteSetting")))
        return;
    QSettings store(UserSettingsFile(), QSettings::IniFormat);
    store.setValue(settingsKey(section, key), value);
    store.sync();
    if (store.status() != QSettings::NoError) {
        const QString reason = store.status() == QSettings::AccessError
                                   ? QStringLiteral("access denied")
                                   : QStringLiteral("the file is not in INI form");
        WriteLog(QStringLiteral("mConfig"), QStringLiteral("WriteSetting"),
                 QStringLiteral("Error: %1 - Cannot write %2 to %3: %4")
                     .arg(int(store.status()))
                     .arg(key, store.fileName(), reason));
    }
}

WindowSetting DefaultWindowSetting(TwipsPerPixel tpp)
{
    return {0, 0, twips::toTwips(800, tpp.x), twips::toTwips(600, tpp.y), WindowSetting::kNormal};
}

std::optional<WindowSetting> ParseWindowSetting(const QString &text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() < 5)
        return std::nullopt;
    int values[5];
    for (int i = 0; i < 5; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (values[2] <= 0 || values[3] <= 0)
        return std::nullopt;
    const int state =
        values[4] == WindowSetting::kMaximised ? WindowSetting::kMaximised : WindowSetting::kNormal;
    return WindowSetting{values[0], values[1], values[2], values[3], state};
}

QString FormatWindowSetting(const WindowSetting &s)
{
    return QStringLiteral("%1,%2,%3,%4,%5")
        .arg(s.top)
        .arg(s.left)
        .arg(s.width)
        .arg(s.height)
        .arg(s.state);
}

WindowSetting ReadWindowSetting(TwipsPerPixel tpp)
{
    const QString stored = ReadSetting(kSettingsSection, QStringLiteral("Window"));
    if (stored.isEmpty())
        return DefaultWindowSetting(tpp);
    return ParseWindowSetting(stored).value_or(DefaultWindowSetting(tpp));
}

void WriteWindowSetting(const WindowSetting &setting)
{
    WriteSetting(kSettingsSection, QStringLiteral("Window"), FormatWindowSetting(setting));
}

QString ReadLastFolder()
{
    const QString stored = ReadSetting(kSettingsSection, QStringLiteral("LastFolder"));
    return stored.isEmpty() ? ProgramFolder() : stored;
}

void WriteLastFolder(const QString &path)
{
    WriteSetting(kSettingsSection, QStringLiteral("LastFolder"), path);
}

int ReadListViewMode()
{
    bool ok = false;
    const int mode =
        ReadSetting(kSettingsSection, QStringLiteral("ListViewMode")).trimmed().toInt(&ok);
    if (!ok || mode < ViewLargeIcons || mode > ViewDetails)
        return ViewDetails;
    return mode;
}

void WriteListViewMode(int mode)
{
    WriteSetting(kSettingsSection, QStringLiteral("ListViewMode"), QString::number(mode));
}

QString GetLastFolder()
{
    return paths::withTrailingSeparator(ReadLastFolder());
}

void SaveLastFolder(const QString &path)
{
    WriteLastFolder(path);
}

void LoadListViewMode()
{
    AppState::instance().SetListViewMode(ReadListViewMode());
}

void SaveListViewMode()
{
    WriteListViewMode(AppState::instance().ListViewMode());
}

} // namespace hv
