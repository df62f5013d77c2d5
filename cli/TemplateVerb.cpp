// hvadmin-cli template: what the template information component reports about one template.
#include "cli/CliSupport.h"
#include "cli/JsonWriter.h"
#include "cli/Verbs.h"
#include "ops/FileSet.h"
#include "suite/TemplateFileInfo.h"

namespace hv::cli {

int runTemplate(const QStringList &args)
{
    if (args.size() != 1)
        return wrongArguments(args, 1, 1);
    const QString path = args.at(0);
    // A relative path is read from the current folder, which must exist.
    const std::optional<QString> folder =
        path.startsWith(u'/') ? QString() : absoluteArgument(QStringLiteral("."));
    if (!folder)
        return kExitFailure;
    TemplateFileInfo component(*folder);

    component.SetTemplatePath(path);
    const bool valid = component.IsValidTemplate();
    const QString title = component.TemplateTitle();
    component.OpenTemplate();
    const TemplateEntries list = component.Entries();
    const QString basePath = component.BasePath();
    component.CloseTemplate();

    const TemplateSummary summary = fileset::ItemKindOf(path) == fileset::ItemKind::Popup
                                        ? component.popupSummary(path)
                                        : component.applicationSummary(path);
    // Members in the order of their names, as the tool has always written them.
    JsonWriter out;
    out.beginObject().member("basePath", basePath).member("dateTime", summary.dateTime);
    out.key("entries").beginArray();
    for (qint32 i = 1; i <= list.Count(); ++i)
        out.value(list.Item(i).Key);
    out.endArray();
    out.member("recordCount", summary.recordCount).member("title", title).member("valid", valid);
    out.endObject().finish();
    return kExitOk;
}

} // namespace hv::cli
