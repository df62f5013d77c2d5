// hvadmin-cli list: the rows that the item list shows for one category of a project folder.
#include "cli/CliSupport.h"
#include "cli/JsonWriter.h"
#include "cli/Verbs.h"
#include "lists/CategoryListEngine.h"
#include "platform/FileNames.h"
#include "platform/PathNames.h"
#include "suite/TemplateFileInfo.h"

#include <cstdio>
#include <optional>

namespace hv::cli {
namespace {

std::optional<Category> categoryNamed(const QString &name)
{
    static const std::pair<const char *, Category> names[] = {
        {"applications", Category::Applications},
        {"popups", Category::Popups},
        {"rules", Category::Rules},
        {"units", Category::Units},
        {"security", Category::Security},
        {"directories", Category::Directories},
    };
    for (const auto &[text, category] : names) {
        if (name == QLatin1String(text))
            return category;
    }
    return std::nullopt;
}

void appendString(QByteArray &out, const QString &text)
{
    JsonWriter::appendString(out, text);
}

// The list as one compact JSON document. Written directly rather than through QJsonDocument:
// a folder of thousands of templates gives thousands of rows, and this is several times
// faster.
QByteArray listJson(const CategoryList &list)
{
    QByteArray out;
    out.reserve(128 + list.rows.size() * 96);
    out.append("{\"columns\":[");
    for (qsizetype i = 0; i < list.columns.size(); ++i) {
        out.append(i ? ",{\"title\":" : "{\"title\":");
        appendString(out, list.columns[i].title);
        out.append(list.columns[i].alignRight ? ",\"align\":\"right\"}" : ",\"align\":\"left\"}");
    }
    out.append("],\"rows\":[");
    for (qsizetype i = 0; i < list.rows.size(); ++i) {
        const ListRow &row = list.rows[i];
        out.append(i ? ",{\"key\":" : "{\"key\":");
        appendString(out, paths::displayName(row.key));
        // An item's name as its bytes on disk, for a caller that must name the file exactly.
        if (row.icon == kIconItem)
            out.append(",\"fileBytes\":\"")
                .append(paths::encodeName(row.key).toBase64())
                .append('"');
        out.append(",\"text\":");
        appendString(out, row.text);
        out.append(",\"icon\":").append(QByteArray::number(row.icon));
        out.append(",\"subitems\":[");
        for (qsizetype j = 0; j < row.subItems.size(); ++j) {
            if (j)
                out.append(',');
            appendString(out, row.subItems[j]);
        }
        out.append("]}");
    }
    out.append("]}\n");
    return out;
}

// Writes the bytes to stdout as they are.
void printBytes(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

} // namespace

int runList(const QStringList &args)
{
    if (args.isEmpty() || args.size() > 2)
        return usage();
    const std::optional<Category> category = categoryNamed(args.at(0));
    if (!category)
        return usage();
    const std::optional<QString> folder = absoluteArgument(args.value(1, QStringLiteral(".")));
    if (!folder)
        return kExitFailure;
    ListSource source;
    source.projectFolder = paths::withTrailingSeparator(*folder);
    source.templateFactory = templateFileInfoFactory(source.projectFolder);
    printBytes(listJson(LoadCategory(*category, source)));
    return kExitOk;
}

} // namespace hv::cli
