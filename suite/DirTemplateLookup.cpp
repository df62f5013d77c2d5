#include "suite/DirTemplateLookup.h"

#include "platform/FileNames.h"
#include "platform/PathNames.h"
#include "suite/TemplateFileInfo.h"

#include <QDir>

#include <memory>

namespace hv {

DirTemplateLookup dirTemplateLookup(const QString &folder)
{
    auto component = std::make_shared<TemplateFileInfo>(folder);
    return [component](const QString &fileName) -> std::optional<QString> {
        component->SetTemplatePath(fileName);
        if (!component->IsValidTemplate())
            return std::nullopt;
        return component->TemplateTitle();
    };
}

bool dirTemplateFileExists(const QString &folder, const QString &fileName)
{
    // Names are written trimmed, so they are looked up trimmed.
    const QString name = fileName.trimmed();
    if (name.isEmpty())
        return false;
    const QString path =
        QDir::isAbsolutePath(name) ? name : paths::withTrailingSeparator(folder) + name;
    const QString found = paths::findExisting(path);
    return !found.isEmpty() && paths::isRegularFile(found);
}

} // namespace hv
