#include "suite/TemplatePickerLogic.h"

#include "platform/FileNames.h"
#include "platform/PathNames.h"
#include "platform/SmallFile.h"
#include "suite/SuiteSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace hv::templatepicker {
namespace {

const QString kSettingsFile = QStringLiteral("TemplatePicker.ini");
const QString kGroup = QStringLiteral("Folders");

// The folder as one spelling: absolute, cleaned, symbolic links resolved where it exists.
QString sameFolderKey(const QString &folder)
{
    return paths::canonicalPath(folder);
}

} // namespace

QList<TemplateChoice> listTemplates(const QString &folder, TemplateInfo &info)
{
    const QString base = paths::withTrailingSeparator(folder);
    QStringList names = paths::listFiles(base, QStringLiteral(".HVT"));
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    QList<TemplateChoice> choices;
    choices.reserve(names.size());
    for (const QString &name : std::as_const(names)) {
        if (name.contains(kSeparator))
            continue;
        TemplateChoice choice;
        choice.fileName = name;
        const QString path = base + name;
        info.SetTemplatePath(path);
        choice.readable = info.IsValidTemplate();
        if (choice.readable) {
            const QString title = info.TemplateTitle();
            // Without a title the component answers with the path it was given.
            if (title != path)
                choice.title = title;
        }
        choices.append(choice);
    }
    return choices;
}

QString joinChosen(const QStringList &chosenPaths, const QString &startFolder)
{
    const QString start = sameFolderKey(startFolder);
    QStringList parts;
    for (const QString &path : chosenPaths) {
        if (path.contains(kSeparator) || path.isEmpty())
            continue;
        const QFileInfo info(path);
        parts.append(sameFolderKey(info.absolutePath()) == start ? info.fileName()
                                                                 : info.absoluteFilePath());
    }
    return parts.join(kSeparator);
}

QString firstFolder(const QString &startFolder, const QString &remembered)
{
    for (const QString &folder : {startFolder, remembered}) {
        if (!folder.isEmpty() && paths::isFolder(folder))
            return paths::withTrailingSeparator(
                QDir::cleanPath(paths::absolutePath(folder).value_or(folder)));
    }
    return paths::withTrailingSeparator(QDir::homePath());
}

QString rememberedFolder(const QString &key)
{
    if (key.isEmpty())
        return {};
    // QSettings opens the file blocking: a FIFO in its place would hold the picker up.
    if (!isRegularOrAbsent(SuiteConfigFolder() + kSettingsFile))
        return {};
    QSettings settings(SuiteConfigFolder() + kSettingsFile, QSettings::IniFormat);
    return settings.value(kGroup + u'/' + key).toString();
}

void rememberFolder(const QString &key, const QString &folder)
{
    if (key.isEmpty())
        return;
    if (!isRegularOrAbsent(SuiteConfigFolder() + kSettingsFile))
        return;
    QSettings settings(SuiteConfigFolder() + kSettingsFile, QSettings::IniFormat);
    settings.setValue(kGroup + u'/' + key, folder);
    settings.sync();
}

} // namespace hv::templatepicker
