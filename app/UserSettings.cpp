#include "app/UserSettings.h"

#include "app/AppState.h"
#include "app/PathHelpers.h"
#include "log/DiagnosticLog.h"
#include "platform/FileNames.h"
#include "platform/PathNames.h"
#include "platform/SmallFile.h"
#include "suite/SuiteSettings.h"

#include <QSettings>
#include <QStringList>

#include <algorithm>

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

namespace {

const QString kRecentFoldersKey = QStringLiteral("RecentFolders");

QString withoutTrailingSeparator(QString folder)
{
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}

} // namespace

QStringList ReadRecentFolders()
{
    if (!settingsFileUsable(QStringLiteral("ReadSetting")))
        return {};
    // A list of its own, so that a comma in a folder's name is kept.
    QSettings store(UserSettingsFile(), QSettings::IniFormat);
    QStringList folders;
    for (const QString &stored :
         store.value(settingsKey(kSettingsSection, kRecentFoldersKey)).toStringList()) {
        const QString folder = withoutTrailingSeparator(stored.trimmed());
        if (!folder.isEmpty() && !folders.contains(folder))
            folders.append(folder);
    }
    return folders.mid(0, kRecentFolderCount);
}

void RememberRecentFolder(const QString &folder)
{
    const QString entry = withoutTrailingSeparator(folder);
    if (entry.isEmpty() || paths::hasRawBytes(entry))
        return;
    QStringList folders = ReadRecentFolders();
    folders.removeAll(entry);
    folders.prepend(entry);
    if (!settingsFileUsable(QStringLiteral("WriteSetting")))
        return;
    QSettings store(UserSettingsFile(), QSettings::IniFormat);
    store.setValue(settingsKey(kSettingsSection, kRecentFoldersKey),
                   folders.mid(0, kRecentFolderCount));
    store.sync();
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

namespace {

// The part of a category's keys after "ListSort" and "ListColumnWidths"; empty for the
// categories whose list has nothing to sort.
QString listKeySuffix(Category category)
{
    switch (category) {
    case Category::Applications:
        return QStringLiteral("Applications");
    case Category::Popups:
        return QStringLiteral("Popups");
    case Category::Directories:
        return QStringLiteral("DirectoryFiles");
    case Category::Rules:
    case Category::Units:
    case Category::Security:
        break;
    }
    return {};
}

} // namespace

ListSortSetting ReadListSort(Category category)
{
    const QString suffix = listKeySuffix(category);
    if (suffix.isEmpty())
        return {};
    const QStringList parts =
        ReadSetting(kSettingsSection, QStringLiteral("ListSort") + suffix).split(u',');
    bool columnOk = false;
    bool orderOk = false;
    const int column = parts.value(0).trimmed().toInt(&columnOk);
    const int order = parts.value(1).trimmed().toInt(&orderOk);
    if (parts.size() != 2 || !columnOk || !orderOk || column < 0 || (order != 0 && order != 1))
        return {};
    return {column, order == 1};
}

void WriteListSort(Category category, const ListSortSetting &sort)
{
    const QString suffix = listKeySuffix(category);
    if (suffix.isEmpty())
        return;
    WriteSetting(kSettingsSection, QStringLiteral("ListSort") + suffix,
                 QStringLiteral("%1,%2").arg(std::max(sort.column, -1)).arg(sort.descending));
}

QList<int> ReadListColumnWidths(Category category)
{
    const QString suffix = listKeySuffix(category);
    if (suffix.isEmpty())
        return {};
    const QString stored =
        ReadSetting(kSettingsSection, QStringLiteral("ListColumnWidths") + suffix);
    QList<int> widths;
    if (stored.trimmed().isEmpty())
        return widths;
    for (const QString &part : stored.split(u',')) {
        bool ok = false;
        const int width = part.trimmed().toInt(&ok);
        widths.append(ok && width > 0 ? width : 0);
    }
    return widths;
}

void WriteListColumnWidths(Category category, const QList<int> &widths)
{
    const QString suffix = listKeySuffix(category);
    if (suffix.isEmpty())
        return;
    QStringList parts;
    for (const int width : widths)
        parts.append(QString::number(std::max(width, 0)));
    WriteSetting(kSettingsSection, QStringLiteral("ListColumnWidths") + suffix, parts.join(u','));
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
