// hvadmin-cli history and undo: the per-user history of clears, deletes and renames, and
// undoing one of them.
#include "cli/CliSupport.h"
#include "cli/JsonWriter.h"
#include "cli/Verbs.h"
#include "ops/History.h"
#include "ops/Undo.h"
#include "platform/FileNames.h"

namespace hv::cli {

int runHistory(const QStringList &args)
{
    if (!args.isEmpty())
        return wrongArguments(args, 0, 0);
    UserText error;
    const QList<history::Entry> entries = history::Entries(&error);
    if (!error.isEmpty())
        return fail(error.english);
    JsonWriter out;
    out.beginArray();
    for (const history::Entry &entry : entries) {
        out.beginObject()
            .member("id", entry.id)
            .member("time", history::TimeText(entry.time))
            .member("verb", entry.verb)
            .member("folder", paths::displayName(entry.folder))
            .key("items")
            .beginArray();
        for (const QString &item : entry.items)
            out.value(paths::displayName(item));
        out.endArray().key("files").beginArray();
        for (const history::FileRecord &file : entry.files) {
            out.beginObject().member("from", paths::displayName(file.from)).key("to");
            if (file.to.isEmpty())
                out.null();
            else
                out.value(paths::displayName(file.to));
            out.endObject();
        }
        out.endArray()
            .member("undoable", entry.undoable())
            .member("undone", entry.undone)
            .endObject();
        out.flushIfLarge();
    }
    out.endArray().finish();
    return kExitOk;
}

int runUndo(const QStringList &args)
{
    if (args.size() > 1)
        return wrongArguments(args, 0, 1);
    qint64 id = 0;
    UserText error;
    if (args.isEmpty()) {
        const std::optional<history::Entry> newest = history::NewestNotUndone(&error);
        if (!newest)
            return fail(error.isEmpty() ? QStringLiteral("There is nothing to undo.")
                                        : error.english);
        id = newest->id;
    } else {
        bool number = false;
        id = args.first().toLongLong(&number);
        if (!number || id <= 0)
            return usage(
                QStringLiteral("ID must be a positive number, not '%1'").arg(args.first()));
    }
    const OpResult result = UndoOperation(id);
    if (!result.ok)
        return fail(result.messageWithReason());
    JsonWriter out;
    out.beginObject().member("undone", id).key("restored").beginArray();
    for (const QString &path : result.touched)
        out.value(paths::displayName(path));
    out.endArray().endObject().finish();
    return kExitOk;
}

} // namespace hv::cli
