// hvadmin-cli clear, delete and rename: the item operations of the item list's context menu,
// without the confirmation window (the caller has confirmed). Clear and delete take several
// items, as one operation of the history. Where the trash refuses a file, clear and delete
// stop with it untouched unless --permanent allows deleting it outright.
#include "cli/CliSupport.h"
#include "cli/JsonWriter.h"
#include "cli/Verbs.h"
#include "ops/FileSet.h"
#include "ops/ItemDelete.h"
#include "ops/ItemRename.h"
#include "platform/FileNames.h"
#include "platform/PathNames.h"
#include "suite/TemplateFileInfo.h"

#include <memory>

namespace hv::cli {
namespace {

using fileset::ItemKind;

// The project folder of an argument, absolute and ending with a separator; nullopt (with the
// failure printed) when it is not a folder, or relative with no current folder.
std::optional<QString> projectFolder(const QString &arg)
{
    return folderArgument(arg);
}

// Paths as the output shows them.
void writePaths(JsonWriter &out, const QStringList &list)
{
    for (const QString &path : list)
        out.value(paths::displayName(path));
}

// What a dry run found would happen, in the shape of a history entry: each file with where
// it would go, null for the trash.
void printPlan(const QString &verb, const QString &folder, const QStringList &items,
               const QList<QPair<QString, QString>> &moves)
{
    JsonWriter out;
    out.beginObject()
        .member("dryRun", true)
        .member("verb", verb)
        .member("folder", paths::displayName(folder))
        .key("items")
        .beginArray();
    writePaths(out, items);
    out.endArray().key("files").beginArray();
    for (const auto &[from, to] : moves) {
        out.beginObject().member("from", paths::displayName(from)).key("to");
        if (to.isEmpty())
            out.null();
        else
            out.value(paths::displayName(to));
        out.endObject();
    }
    out.endArray().endObject().finish();
}

// Checks that FILE names an item of FOLDER, through the index that the operation then goes on
// with; prints the failure otherwise.
bool checkItem(const QString &folder, const QString &fileName, ItemKind kind,
               paths::FolderIndex &index)
{
    if (kind == ItemKind::Unknown) {
        fail(QStringLiteral("Not an application, popup or directory file: %1")
                 .arg(paths::displayName(fileName)));
        return false;
    }
    if (fileName.contains(u'/') || !index.exists(folder + fileName)) {
        fail(QStringLiteral("No such item in %1: %2")
                 .arg(paths::displayName(folder), paths::displayName(fileName)));
        return false;
    }
    return true;
}

// Takes --permanent off `args`, before or after the others as --dry-run; true when it was there.
bool takePermanent(QStringList &args)
{
    return takeOption(args, QLatin1StringView("--permanent"));
}

// The answer --permanent gives when the trash refuses a file.
PermanentDeleteQuestion permanentAnswer(bool permanent)
{
    return [permanent](const QString &, const QString &) { return permanent; };
}

int report(const ItemsOpResult &result, const QStringList &fileNames)
{
    if (result.trashRefused)
        return fail(result.messageWithReason() +
                    QStringLiteral(" (--permanent deletes what the trash cannot take)"));
    if (!result.ok)
        return fail(result.messageWithReason());
    // Members in the order of their names, as the tool has always written them: the files of
    // all items, and each item's own.
    JsonWriter out;
    out.beginObject().key("deletedOutright").beginArray();
    writePaths(out, result.deletedOutright);
    out.endArray().key("items").beginArray();
    for (qsizetype i = 0; i < result.items.size(); ++i) {
        const ItemOpResult &item = result.items.at(i);
        out.beginObject().key("deletedOutright").beginArray();
        writePaths(out, item.deletedOutright);
        out.endArray().member("file", paths::displayName(fileNames.value(i))).key("trashed");
        out.beginArray();
        writePaths(out, item.trashed);
        out.endArray().endObject();
    }
    out.endArray().key("trashed").beginArray();
    writePaths(out, result.trashed);
    out.endArray().endObject().finish();
    return kExitOk;
}

// clear and delete: [--permanent] FOLDER FILE..., all the items as one operation. Every item
// is checked before any is touched.
int runRemoval(const QStringList &given, bool dataOnly)
{
    QStringList args = given;
    const bool permanent = takePermanent(args);
    const bool dryRun = takeOption(args, QLatin1StringView("--dry-run"));
    if (args.size() < 2)
        return wrongArguments(args, 2, 2);
    const std::optional<QString> found = projectFolder(args.at(0));
    if (!found)
        return kExitFailure;
    const QString &folder = *found;
    QStringList fileNames = args.mid(1);
    fileNames.removeDuplicates();
    const auto index = keepUntilExit(std::make_shared<paths::FolderIndex>());
    QStringList itemPaths;
    for (const QString &fileName : std::as_const(fileNames)) {
        const ItemKind kind = fileset::ItemKindOf(fileName);
        if (!checkItem(folder, fileName, kind, *index))
            return kExitFailure;
        if (dataOnly && kind == ItemKind::Directory)
            return fail(QStringLiteral("A directory file has no data to clear: %1")
                            .arg(paths::displayName(fileName)));
        itemPaths << folder + fileName;
    }
    TemplateFileInfo info(folder);
    if (dryRun) {
        const ItemsOpResult plan = PlanRemoveItems(itemPaths, dataOnly, info, index);
        if (!plan.ok)
            return fail(plan.messageWithReason());
        QList<QPair<QString, QString>> moves;
        for (const QString &path : plan.trashed)
            moves.append({path, QString()});
        printPlan(dataOnly ? QStringLiteral("clear") : QStringLiteral("delete"), folder, fileNames,
                  moves);
        return kExitOk;
    }
    return report(
        RemoveItems(itemPaths, dataOnly, info, index, nullptr, permanentAnswer(permanent)),
        fileNames);
}

} // namespace

int runClear(const QStringList &args)
{
    return runRemoval(args, true);
}

int runDelete(const QStringList &args)
{
    return runRemoval(args, false);
}

int runRename(const QStringList &given)
{
    QStringList args = given;
    const bool dryRun = takeOption(args, QLatin1StringView("--dry-run"));
    if (args.size() != 3)
        return wrongArguments(args, 3, 3);
    const std::optional<QString> found = projectFolder(args.at(0));
    if (!found)
        return kExitFailure;
    const QString &folder = *found;
    const QString fileName = args.at(1);
    const auto index = keepUntilExit(std::make_shared<paths::FolderIndex>());
    if (!checkItem(folder, fileName, fileset::ItemKindOf(fileName), *index))
        return kExitFailure;
    TemplateFileInfo info(folder);
    const RenameResult result = dryRun ? PlanRenameItem(folder, fileName, args.at(2), info, index)
                                       : RenameItem(folder, fileName, args.at(2), info, index);
    if (!result.ok)
        return fail(result.messageWithReason());
    if (dryRun) {
        QList<QPair<QString, QString>> moves;
        for (const QString &stray : result.strayTrashed)
            moves.append({stray, QString()});
        moves += result.renamed;
        printPlan(QStringLiteral("rename"), folder, {fileName}, moves);
        return kExitOk;
    }
    JsonWriter out;
    out.beginObject().key("renamed").beginArray();
    for (const auto &[from, to] : result.renamed)
        out.beginObject()
            .member("from", paths::displayName(from))
            .member("to", paths::displayName(to))
            .endObject();
    out.endArray().key("strayTrashed").beginArray();
    writePaths(out, result.strayTrashed);
    out.endArray().endObject().finish();
    return kExitOk;
}

} // namespace hv::cli
