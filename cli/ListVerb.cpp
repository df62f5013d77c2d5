// hvadmin-cli list: the rows that the item list shows for one category of a project folder.
#include "cli/CliSupport.h"
#include "cli/Verbs.h"
#include "lists/CategoryListEngine.h"
#include "suite/TemplateFileInfo.h"

#include <QDir>

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

QJsonObject listJson(const CategoryList &list)
{
    QJsonArray columns;
    for (const ListColumn &column : list.columns) {
        columns.append(
            QJsonObject{{QStringLiteral("title"), column.title},
                        {QStringLiteral("align"),
                         column.alignRight ? QStringLiteral("right") : QStringLiteral("left")}});
    }
    QJsonArray rows;
    for (const ListRow &row : list.rows) {
        rows.append(
            QJsonObject{{QStringLiteral("key"), row.key},
                        {QStringLiteral("text"), row.text},
                        {QStringLiteral("icon"), row.icon},
                        {QStringLiteral("subitems"), QJsonArray::fromStringList(row.subItems)}});
    }
    return {{QStringLiteral("columns"), columns}, {QStringLiteral("rows"), rows}};
}

} // namespace

int runList(const QStringList &args)
{
    if (args.isEmpty() || args.size() > 2)
        return usage();
    const std::optional<Category> category = categoryNamed(args.at(0));
    if (!category)
        return usage();
    const QString folder = QDir::current().absoluteFilePath(args.value(1, QStringLiteral(".")));
    ListSource source;
    source.projectFolder = QDir::cleanPath(folder) + u'/';
    source.templateFactory = templateFileInfoFactory(source.projectFolder);
    printJson(listJson(LoadCategory(*category, source)));
    return kExitOk;
}

} // namespace hv::cli
