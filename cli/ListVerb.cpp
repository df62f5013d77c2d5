// hvadmin-cli list: the rows that the item list shows for one category of a project folder.
#include "cli/CliSupport.h"
#include "cli/JsonWriter.h"
#include "cli/Verbs.h"
#include "lists/CategoryListEngine.h"
#include "ops/History.h"
#include "platform/FileNames.h"
#include "platform/PathNames.h"
#include "platform/SmallFile.h"
#include "suite/TemplateFileInfo.h"

#include <QDateTime>

#include <cstdio>
#include <ctime>
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

bool isFileCategory(Category category)
{
    return category == Category::Applications || category == Category::Popups ||
           category == Category::Directories;
}

// ISO 8601 local time with its offset, as the history writes times ("2026-12-08T11:32:07+01:00"),
// through the C library: a list formats one per row, and QDateTime's local time conversion
// costs several times as much.
QByteArray isoLocalTime(qint64 secondsSinceEpoch)
{
    const time_t seconds = time_t(secondsSinceEpoch);
    struct tm local {};
    if (!::localtime_r(&seconds, &local))
        return history::TimeText(QDateTime::fromSecsSinceEpoch(secondsSinceEpoch)).toUtf8();
    const long offset = local.tm_gmtoff;
    const long minutes = (offset < 0 ? -offset : offset) / 60;
    char text[64];
    const int length = std::snprintf(
        text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld", local.tm_year + 1900,
        local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
        offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
    return QByteArray(text, length);
}

// The named fields of an item row, after the row's own: what a script selects on without
// knowing the columns' order. A count column that does not read as a number is left out.
void appendNamedFields(QByteArray &out, const ListRow &row, Category category,
                       const QString &folder)
{
    out.append(",\"file\":");
    appendString(out, paths::displayName(row.key));
    out.append(",\"title\":");
    appendString(out, row.text);
    bool number = false;
    const qint64 count = row.subItems.value(1).toLongLong(&number);
    if (number)
        out.append(category == Category::Directories ? ",\"entries\":" : ",\"records\":")
            .append(QByteArray::number(count));
    // A directory file shows no date: its own modification time.
    const qint64 modified =
        category == Category::Directories ? modifiedSecsOf(folder + row.key) : row.modifiedSecs;
    out.append(",\"modified\":");
    if (modified < 0)
        out.append("null");
    else
        out.append('"').append(isoLocalTime(modified)).append('"');
}

// The list as one compact JSON document. Written directly rather than through QJsonDocument:
// a folder of thousands of templates gives thousands of rows, and this is several times
// faster.
QByteArray listJson(const CategoryList &list, const QString &folder, bool itemsOnly)
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
    bool first = true;
    for (const ListRow &row : list.rows) {
        const bool item = row.icon == kIconItem && isFileCategory(list.category);
        if (itemsOnly && !item)
            continue;
        out.append(first ? "{\"key\":" : ",{\"key\":");
        first = false;
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
        out.append(']');
        if (item)
            appendNamedFields(out, row, list.category, folder);
        out.append('}');
    }
    out.append("]}\n");
    return out;
}

// Writes the bytes to stdout as they are.
void printBytes(const QByteArray &bytes)
{
    writeOutput(bytes);
}

} // namespace

int runList(const QStringList &given)
{
    QStringList args = given;
    const bool itemsOnly = takeOption(args, QLatin1StringView("--items"));
    if (args.isEmpty() || args.size() > 2)
        return wrongArguments(args, 1, 2);
    const std::optional<Category> category = categoryNamed(args.at(0));
    if (!category)
        return usage(QStringLiteral("unknown category '%1'").arg(paths::displayName(args.at(0))));
    const QString folderArg = args.value(1, QStringLiteral("."));
    // The settings categories read no folder.
    const std::optional<QString> folder =
        isFileCategory(*category) ? folderArgument(folderArg) : absoluteArgument(folderArg);
    if (!folder)
        return kExitFailure;
    ListSource source;
    source.projectFolder = paths::withTrailingSeparator(*folder);
    source.templateFactory = templateFileInfoFactory(source.projectFolder);
    printBytes(listJson(LoadCategory(*category, source), source.projectFolder, itemsOnly));
    return kExitOk;
}

} // namespace hv::cli
