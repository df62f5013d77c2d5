// hvadmin-cli clear, delete and rename: the item operations of the item list's context menu,
// without the confirmation window (the caller has confirmed).
#include "cli/CliSupport.h"
#include "cli/Verbs.h"
#include "ops/FileSet.h"
#include "ops/ItemDelete.h"
#include "ops/ItemRename.h"
#include "platform/PathNames.h"
#include "suite/TemplateFileInfo.h"

#include <QDir>

namespace hv::cli {
namespace {

using fileset::ItemKind;

// The project folder of an argument, absolute and ending with a separator.
QString projectFolder(const QString &arg)
{
    return paths::withTrailingSeparator(QDir::cleanPath(QDir::current().absoluteFilePath(arg)));
}

// Checks that FILE names an item of FOLDER; prints the failure otherwise.
bool checkItem(const QString &folder, const QString &fileName, ItemKind kind)
{
    if (kind == ItemKind::Unknown) {
        fail(QStringLiteral("Not an application, popup or directory file: %1").arg(fileName));
        return false;
    }
    if (fileName.contains(u'/') || !paths::exists(folder + fileName)) {
        fail(QStringLiteral("No such item in %1: %2").arg(folder, fileName));
        return false;
    }
    return true;
}

int report(const ItemOpResult &result)
{
    if (!result.ok)
        return fail(result.message);
    printJson(QJsonObject{
        {QStringLiteral("trashed"), QJsonArray::fromStringList(result.trashed)},
        {QStringLiteral("deletedOutright"), QJsonArray::fromStringList(result.deletedOutright)}});
    return kExitOk;
}

} // namespace

int runClear(const QStringList &args)
{
    if (args.size() != 2)
        return usage();
    const QString folder = projectFolder(args.at(0));
    const QString fileName = args.at(1);
    const ItemKind kind = fileset::ItemKindOf(fileName);
    if (!checkItem(folder, fileName, kind))
        return kExitFailure;
    if (kind == ItemKind::Directory)
        return fail(QStringLiteral("A directory file has no data to clear: %1").arg(fileName));
    return report(ClearItemData(folder + fileName, kind == ItemKind::Application));
}

int runDelete(const QStringList &args)
{
    if (args.size() != 2)
        return usage();
    const QString folder = projectFolder(args.at(0));
    const QString fileName = args.at(1);
    const ItemKind kind = fileset::ItemKindOf(fileName);
    if (!checkItem(folder, fileName, kind))
        return kExitFailure;
    if (kind == ItemKind::Directory)
        return report(DeleteDirFile(folder + fileName));
    TemplateFileInfo info(folder);
    return report(DeleteItem(folder + fileName, kind == ItemKind::Application, info));
}

int runRename(const QStringList &args)
{
    if (args.size() != 3)
        return usage();
    const QString folder = projectFolder(args.at(0));
    const QString fileName = args.at(1);
    if (!checkItem(folder, fileName, fileset::ItemKindOf(fileName)))
        return kExitFailure;
    TemplateFileInfo info(folder);
    const RenameResult result = RenameItem(folder, fileName, args.at(2), info);
    if (!result.ok)
        return fail(result.message);
    QJsonArray renamed;
    for (const auto &[from, to] : result.renamed)
        renamed.append(QJsonObject{{QStringLiteral("from"), from}, {QStringLiteral("to"), to}});
    printJson(QJsonObject{
        {QStringLiteral("renamed"), renamed},
        {QStringLiteral("strayTrashed"), QJsonArray::fromStringList(result.strayTrashed)}});
    return kExitOk;
}

} // namespace hv::cli
