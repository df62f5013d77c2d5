#include "ops/Undo.h"

#include "log/DiagnosticLog.h"
#include "ops/History.h"
#include "platform/FileMove.h"
#include "platform/FileNames.h"
#include "platform/PathNames.h"

#include <sys/stat.h>
#include <unistd.h>

namespace hv {
namespace {

using history::Entry;
using history::FileRecord;

UserText undoFailed()
{
    return UserText::translate("hv::Undo", "Undo Failed");
}

// One file to move back: from where the operation left it to where it was.
struct Step {
    QString current;
    QString original;
    QString trashRecord; // the trash record to remove once it is back; empty for a rename
};

bool present(const QString &path)
{
    struct stat info {};
    return ::lstat(paths::encodeName(path).constData(), &info) == 0;
}

QString shown(const QString &path)
{
    return paths::displayName(path);
}

// The steps of undoing `entry`, in order, or the failure that refuses it.
bool planSteps(const Entry &entry, QList<Step> &steps, OpResult &result)
{
    // The renames are reversed last step first; the files sent to the trash to make way for
    // them come back once the renamed files have left their places.
    for (auto it = entry.files.crbegin(); it != entry.files.crend(); ++it) {
        if (!it->to.isEmpty())
            steps << Step{it->to, it->from, {}};
    }
    for (const FileRecord &file : entry.files) {
        if (!file.inTrash())
            continue;
        const std::optional<trash::TrashedFile> found = trash::FindAgain(file.trash);
        if (!found) {
            result.fail(UserText::translate("hv::Undo",
                                            "The file %1 is no longer in the trash, so nothing was "
                                            "undone.")
                            .arg(shown(file.from)),
                        undoFailed());
            return false;
        }
        steps << Step{found->filePath(), file.from, found->infoPath()};
    }
    return true;
}

// Checks that every file is where the operation left it and that its place is free (or is
// freed by an earlier step).
bool checkSteps(const QList<Step> &steps, OpResult &result)
{
    QStringList freed;
    for (const Step &step : steps) {
        if (!present(step.current)) {
            result.fail(UserText::translate("hv::Undo",
                                            "The file %1 is no longer where the operation left it, "
                                            "so nothing was undone.")
                            .arg(shown(step.current)),
                        undoFailed());
            return false;
        }
        const QString folder = step.original.left(step.original.lastIndexOf(u'/') + 1);
        if (!paths::isFolder(folder)) {
            result.fail(UserText::translate(
                            "hv::Undo", "The folder %1 is no longer there, so nothing was undone.")
                            .arg(shown(folder)),
                        undoFailed());
            return false;
        }
        // Names are found without regard to case: "line4.hvd" is in the way of "LINE4.HVD".
        const QString inTheWay = paths::findExisting(step.original);
        if (!inTheWay.isEmpty() && !freed.contains(inTheWay)) {
            result.fail(
                UserText::translate("hv::Undo", "The file %1 is in the way, so nothing was undone.")
                    .arg(shown(inTheWay)),
                undoFailed());
            return false;
        }
        freed << step.current;
    }
    return true;
}

} // namespace

OpResult UndoOperation(qint64 id)
{
    OpResult result;
    UserText error;
    const std::optional<Entry> entry = history::Find(id, &error);
    if (!entry) {
        result.fail(
            error.isEmpty()
                ? UserText::translate("hv::Undo", "The history holds no operation %1.").arg(id)
                : error,
            undoFailed());
        return result;
    }
    if (entry->undone) {
        result.fail(UserText::translate("hv::Undo", "%1 has been undone already.")
                        .arg(entry->captionText()),
                    undoFailed());
        return result;
    }
    for (const FileRecord &file : entry->files) {
        if (file.permanent) {
            result.fail(UserText::translate("hv::Undo",
                                            "%1 cannot be undone: the file %2 was deleted "
                                            "permanently.")
                            .arg(entry->captionText(), shown(file.from)),
                        undoFailed());
            return result;
        }
    }
    QList<Step> steps;
    if (!planSteps(*entry, steps, result) || !checkSteps(steps, result))
        return result;
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const MoveResult moved = moveNoReplace(steps.at(i).current, steps.at(i).original);
        if (moved)
            continue;
        UserText back = UserText::translate(
                            "hv::Undo", "The file %1 could not be moved back to %2, so nothing was "
                                        "undone.")
                            .arg(shown(steps.at(i).current), shown(steps.at(i).original));
        // The files already back return to where the operation left them.
        for (qsizetype j = i - 1; j >= 0; --j) {
            if (!moveNoReplace(steps.at(j).original, steps.at(j).current)) {
                back =
                    back + UserText::translate("hv::Undo", " The file %1 is back and stays there.")
                               .arg(shown(steps.at(j).original));
            }
        }
        result.fail(back, undoFailed(), moved.reason);
        return result;
    }
    for (const Step &step : steps) {
        result.touched << step.original;
        if (!step.trashRecord.isEmpty() &&
            ::unlink(paths::encodeName(step.trashRecord).constData()) != 0)
            WriteLog(QStringLiteral("History"), QStringLiteral("Undo"),
                     QStringLiteral("The trash record %1 could not be removed.")
                         .arg(shown(step.trashRecord)));
    }
    if (!history::MarkUndone(id, &error))
        WriteLog(QStringLiteral("History"), QStringLiteral("Undo"), error.english);
    result.succeed(UserText::translate("hv::Undo", "Undone: %1").arg(entry->captionText()));
    return result;
}

} // namespace hv
