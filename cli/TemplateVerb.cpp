// hvadmin-cli template: what the template information component reports about one template.
#include "cli/CliSupport.h"
#include "cli/Verbs.h"
#include "ops/FileSet.h"
#include "suite/TemplateFileInfo.h"

#include <QDir>

namespace hv::cli {

int runTemplate(const QStringList &args)
{
    if (args.size() != 1)
        return usage();
    const QString path = args.at(0);
    TemplateFileInfo component(QDir::currentPath());

    component.SetTemplatePath(path);
    const bool valid = component.IsValidTemplate();
    const QString title = component.TemplateTitle();
    component.OpenTemplate();
    QJsonArray entries;
    const TemplateEntries list = component.Entries();
    for (qint32 i = 1; i <= list.Count(); ++i)
        entries.append(list.Item(i).Key);
    const QString basePath = component.BasePath();
    component.CloseTemplate();

    const TemplateSummary summary = fileset::ItemKindOf(path) == fileset::ItemKind::Popup
                                        ? component.popupSummary(path)
                                        : component.applicationSummary(path);
    printJson(QJsonObject{{QStringLiteral("valid"), valid},
                          {QStringLiteral("title"), title},
                          {QStringLiteral("entries"), entries},
                          {QStringLiteral("basePath"), basePath},
                          {QStringLiteral("recordCount"), summary.recordCount},
                          {QStringLiteral("dateTime"), summary.dateTime}});
    return kExitOk;
}

} // namespace hv::cli
