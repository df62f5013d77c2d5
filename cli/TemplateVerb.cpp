// hvadmin-cli template: what the template information component reports about one template.
#include "cli/CliSupport.h"
#include "cli/JsonWriter.h"
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
    JsonWriter out;
    out.beginObject().member("valid", valid).member("title", title);
    out.key("entries").beginArray();
    const TemplateEntries list = component.Entries();
    for (qint32 i = 1; i <= list.Count(); ++i)
        out.value(list.Item(i).Key);
    out.endArray();
    const QString basePath = component.BasePath();
    component.CloseTemplate();

    const TemplateSummary summary = fileset::ItemKindOf(path) == fileset::ItemKind::Popup
                                        ? component.popupSummary(path)
                                        : component.applicationSummary(path);
    out.member("basePath", basePath);
    out.member("recordCount", summary.recordCount);
    out.member("dateTime", summary.dateTime);
    out.endObject().finish();
    return kExitOk;
}

} // namespace hv::cli
