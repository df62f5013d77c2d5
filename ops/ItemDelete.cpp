#include "ops/ItemDelete.h"

#include "log/DiagnosticLog.h"
#include "log/UserText.h"
#include "ops/FileSet.h"
#include "ops/HeldFiles.h"
#include "ops/History.h"
#include "ops/Trash.h"
#include "platform/FileNames.h"
#include "platform/PathNames.h"
#include "suite/TemplateInfo.h"

#include <optional>

namespace hv {
namespace {

using fileset::ItemKind;
using fileset::ItemOperation;
using fileset::SetMember;

// A text marked with QT_TRANSLATE_NOOP in this file's context, translated.
QString translated(const char *source)
{
    return QCoreApplication::translate("hv::ItemDelete", source);
}

// A confirmation's two-line headline, translated, its lines joined by CR LF as the window
// expects them.
QString headlineText(const char *source)
{
    return translated(source).replace(u'\n', QStringLiteral("\r\n"));
}

// Fills in the failure of `path`: by default, it could be neither trashed nor deleted, or
// it is held; `reason` is the system's.
void failOn(const QString &path, ItemOpResult &result, const QString &reason = {},
            const UserText &message = {})
{
    result.failedPath = path;
    const UserText shown =
        message.isEmpty() ? UserText::translate("hv::ItemDelete",
                                                "The file %1 could not be deleted. It may be open "
                                                "in another program. The remaining files were "
                                                "not touched.")
                          : message;
    result.fail(shown.arg(paths::displayName(path)),
                UserText::translate("hv::ItemDelete", "Delete Failed"), reason);
}

// Sends the files of one operation away, asking once whether the files the trash refuses
// may be deleted permanently.
class Remover {
public:
    Remover(paths::FolderIndex &index, const PermanentDeleteQuestion &askPermanent)
        : m_index(index), m_askPermanent(askPermanent)
    {
    }

    // Sends one file away when it exists; false (with the result filled in) when it could
    // be neither trashed nor deleted, or the trash refused it and it was to stay.
    bool removeIfPresent(const QString &path, ItemOpResult &result)
    {
        const QString found = m_index.findExisting(path);
        if (found.isEmpty())
            return true;
        trash::RemoveResult removed = trash::RecycleFile(found, m_permanent);
        if (removed.outcome == trash::RemoveOutcome::TrashRefused) {
            m_permanent = m_askPermanent && m_askPermanent(removed.onDisk, removed.reason);
            if (!m_permanent) {
                failOn(removed.onDisk, result, removed.reason,
                       UserText::translate("hv::ItemDelete",
                                           "The trash cannot take %1, so nothing more was "
                                           "deleted."));
                result.trashRefused = true;
                return false;
            }
            removed = trash::RecycleFile(found, true);
        }
        switch (removed.outcome) {
        case trash::RemoveOutcome::Trashed:
            result.trashed << removed.onDisk;
            break;
        case trash::RemoveOutcome::DeletedOutright:
            result.deletedOutright << removed.onDisk;
            break;
        case trash::RemoveOutcome::TrashRefused:
        case trash::RemoveOutcome::Failed:
            failOn(removed.onDisk.isEmpty() ? path : removed.onDisk, result, removed.reason);
            return false;
        }
        m_index.noteRemoved(removed.onDisk);
        result.touched << removed.onDisk;
        return true;
    }

private:
    paths::FolderIndex &m_index;
    const PermanentDeleteQuestion &m_askPermanent;
    bool m_permanent = false; // the user chose to delete what the trash refuses
};

// The files of the set that `operation` touches for the item that exist, as they are named
// on disk, in order; `entries` numbers the numbered companion files.
QStringList existingSet(ItemOperation operation, ItemKind kind, const QString &itemPath,
                        int entries, paths::FolderIndex &index)
{
    QStringList files;
    const auto addExisting = [&](const QString &path) {
        if (const QString found = index.findExisting(path); !found.isEmpty())
            files << found;
    };
    for (const SetMember &member : fileset::FilesTouched(operation, kind)) {
        if (member.form == SetMember::Form::Numbered) {
            for (int n = 1; n <= entries; ++n)
                addExisting(fileset::StemMemberFile(itemPath, member, n));
        } else {
            addExisting(fileset::StemMemberFile(itemPath, member));
        }
    }
    return files;
}

// Tells the log what a clear or delete did: the files sent away, or why it stopped.
void logOutcome(const char *procedure, bool dataOnly, const QString &itemPath,
                const ItemOpResult &result)
{
    QString text = (dataOnly ? QStringLiteral("Clear") : QStringLiteral("Delete"));
    if (!result.ok) {
        text += QStringLiteral(" of ") + itemPath + QStringLiteral(" failed: ") +
                result.messageWithReason();
    } else {
        text += QStringLiteral(" ") + itemPath + QStringLiteral(": ");
        if (result.trashed.isEmpty() && result.deletedOutright.isEmpty())
            text += QStringLiteral("no files to remove");
        if (!result.trashed.isEmpty())
            text += QStringLiteral("to the trash: ") + result.trashed.join(QStringLiteral(", "));
        if (!result.deletedOutright.isEmpty())
            text += (result.trashed.isEmpty() ? QString() : QStringLiteral("; ")) +
                    QStringLiteral("deleted permanently: ") +
                    result.deletedOutright.join(QStringLiteral(", "));
    }
    WriteLog(QStringLiteral("ItemDelete"), QLatin1String(procedure), text);
}

// Sends `files` away in order through `remover`; false where it stopped.
bool removeAll(const QStringList &files, Remover &remover, ItemOpResult &result)
{
    for (const QString &file : files) {
        if (!remover.removeIfPresent(file, result))
            return false;
    }
    return true;
}

// Sends away the files that `operation` touches for the item, in order; `entries` numbers
// the numbered companion files. When another process holds any of them, nothing is sent.
ItemOpResult removeSet(ItemOperation operation, ItemKind kind, const QString &itemPath, int entries,
                       paths::FolderIndex &index, FileLockService *locks,
                       const PermanentDeleteQuestion &askPermanent)
{
    const QStringList files = existingSet(operation, kind, itemPath, entries, index);
    ItemOpResult result;
    if (const QString held = FirstHeldFile(files, locks); !held.isEmpty()) {
        failOn(held, result);
        return result;
    }
    Remover remover(index, askPermanent);
    if (removeAll(files, remover, result))
        result.succeed();
    return result;
}

// The number of entries of the application template at `itemPath`, which numbers its
// companion files; false (with `result` failed) when the template cannot be read at all.
bool readEntries(const QString &itemPath, TemplateInfo &info, const SharedFolderIndex &index,
                 int &entries, ItemOpResult &result)
{
    info.useFolderIndex(index);
    // Without the template the companion files would be left behind, and a later item of
    // the same name would take them over. A template that reads but is not valid has no
    // entries; one that cannot be read at all stops the delete.
    info.SetTemplatePath(itemPath);
    if (const QString problem = info.ReadError(); !problem.isEmpty()) {
        failOn(info.PathOnDisk(), result, problem,
               UserText::translate("hv::ItemDelete",
                                   "The template %1 cannot be read, so the files that belong "
                                   "to it cannot be found. Nothing was deleted."));
        return false;
    }
    info.OpenTemplate();
    entries = info.Entries().Count();
    info.CloseTemplate();
    return true;
}

ItemKind kindOf(bool isApplication)
{
    return isApplication ? ItemKind::Application : ItemKind::Popup;
}

SharedFolderIndex orOwn(const SharedFolderIndex &index)
{
    return index ? index : std::make_shared<paths::FolderIndex>();
}

QString fileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

// The template's title where it has one of its own; empty where its file name stands in.
QString titleOf(TemplateInfo &info, const QString &itemPath, ItemKind kind)
{
    const TemplateSummary summary = kind == ItemKind::Application
                                        ? info.applicationSummary(itemPath)
                                        : info.popupSummary(itemPath);
    return summary.title == fileNameOf(itemPath) ? QString() : summary.title;
}

// One item of a clear or delete of several, before anything moves.
struct PlannedItem {
    QString path;
    QString title;
    QStringList files; // its files that exist, as named on disk
};

// Every item's files, found before anything moves; nullopt (with `whole` failed) when an item
// is missing, its template cannot be read, or another process holds any of the files.
std::optional<QList<PlannedItem>> planItems(const QStringList &itemPaths, bool dataOnly,
                                            TemplateInfo &info, const SharedFolderIndex &index,
                                            FileLockService *locks, ItemsOpResult &whole)
{
    const ItemOperation operation = dataOnly ? ItemOperation::ClearData : ItemOperation::Delete;
    QList<PlannedItem> planned;
    QStringList all;
    for (const QString &path : itemPaths) {
        const ItemKind kind = fileset::ItemKindOf(fileNameOf(path));
        PlannedItem item{path, {}, {}};
        if (kind == ItemKind::Directory) {
            const QString found = index->findExisting(path);
            if (found.isEmpty()) {
                failOn(path, whole, {},
                       UserText::translate("hv::ItemDelete", "The file %1 no longer exists."));
                return std::nullopt;
            }
            if (!dataOnly)
                item.files << found;
        } else if (kind == ItemKind::Application || kind == ItemKind::Popup) {
            item.title = titleOf(info, path, kind);
            int entries = 0;
            if (!dataOnly && kind == ItemKind::Application &&
                !readEntries(path, info, index, entries, whole))
                return std::nullopt;
            item.files = existingSet(operation, kind, path, entries, *index);
        } else {
            failOn(path, whole, {},
                   UserText::translate("hv::ItemDelete",
                                       "%1 is not an application, popup or directory file."));
            return std::nullopt;
        }
        all += item.files;
        planned << item;
    }
    if (const QString held = FirstHeldFile(all, locks); !held.isEmpty()) {
        failOn(held, whole);
        return std::nullopt;
    }
    return planned;
}

} // namespace

DeleteConfirmation DeleteConfirmationText(bool isApplication, bool dataOnly, const QString &title,
                                          qint32 recordCount)
{
    DeleteConfirmation text;
    text.caption = QCoreApplication::translate("hv::ItemDelete", "Warning! Confirm Delete");
    const char *headline = nullptr;
    const char *question = nullptr;
    if (isApplication && dataOnly) {
        headline = QT_TRANSLATE_NOOP("hv::ItemDelete", "Warning!\nAll Data will be Lost!");
        question = QT_TRANSLATE_NOOP("hv::ItemDelete",
                                     "You are about to delete %1 data records associated with "
                                     "the %2 Application. Do you wish to continue?");
    } else if (isApplication) {
        headline = QT_TRANSLATE_NOOP("hv::ItemDelete",
                                     "Warning!\nApplication And All Associated Data Will Be "
                                     "Lost!");
        question = QT_TRANSLATE_NOOP("hv::ItemDelete",
                                     "You are about to delete the %2 Application with all %1 "
                                     "data records and the script associated with it. Do you "
                                     "wish to continue?");
    } else if (dataOnly) {
        headline = QT_TRANSLATE_NOOP("hv::ItemDelete", "Warning!\nAll Data Will Be Lost!");
        question = QT_TRANSLATE_NOOP("hv::ItemDelete",
                                     "You are about to delete %1 data records associated with "
                                     "the %2 Popup. Do you wish to continue?");
    } else {
        headline = QT_TRANSLATE_NOOP("hv::ItemDelete",
                                     "Warning!\nPopup And All Associated Data Will Be Lost!");
        question = QT_TRANSLATE_NOOP("hv::ItemDelete",
                                     "You are about to delete the %2 Popup with all %1 data "
                                     "records associated with it. Do you wish to continue?");
    }
    text.headline = headlineText(headline);
    // Both places are filled in one pass, so that a "%1" in the title stays as it is.
    text.question = translated(question).arg(QString::number(recordCount), title);
    return text;
}

DeleteConfirmation DeleteConfirmationFor(TemplateInfo &info, const QString &itemPath,
                                         bool isApplication, bool dataOnly)
{
    const TemplateSummary summary =
        isApplication ? info.applicationSummary(itemPath) : info.popupSummary(itemPath);
    // A template without a title is named by its file name, shown as names are shown.
    const QString title =
        paths::hasRawBytes(summary.title) ? paths::displayName(summary.title) : summary.title;
    return DeleteConfirmationText(isApplication, dataOnly, title, summary.recordCount);
}

QString PermanentDeleteQuestionText(const QString &path)
{
    return QCoreApplication::translate("hv::ItemDelete",
                                       "The trash cannot take %1. Delete it permanently?")
        .arg(paths::displayName(path));
}

ItemOpResult ClearItemData(const QString &itemPath, bool isApplication,
                           const SharedFolderIndex &index, FileLockService *locks,
                           const PermanentDeleteQuestion &askPermanent)
{
    ItemOpResult result = removeSet(ItemOperation::ClearData, kindOf(isApplication), itemPath, 0,
                                    *orOwn(index), locks, askPermanent);
    history::RecordRemoval(QStringLiteral("clear"), itemPath, result);
    logOutcome("ClearItemData", true, itemPath, result);
    return result;
}

ItemOpResult DeleteItem(const QString &itemPath, bool isApplication, TemplateInfo &info,
                        const SharedFolderIndex &shared, FileLockService *locks,
                        const PermanentDeleteQuestion &askPermanent)
{
    // One folder index for the whole delete: the template's entries and the files.
    const SharedFolderIndex index = orOwn(shared);
    int entries = 0;
    if (isApplication) {
        ItemOpResult failed;
        if (!readEntries(itemPath, info, index, entries, failed)) {
            logOutcome("DeleteItem", false, itemPath, failed);
            return failed;
        }
    }
    ItemOpResult result = removeSet(ItemOperation::Delete, kindOf(isApplication), itemPath, entries,
                                    *index, locks, askPermanent);
    history::RecordRemoval(QStringLiteral("delete"), itemPath, result);
    logOutcome("DeleteItem", false, itemPath, result);
    return result;
}

QString DeleteDirQuestion(const QString &fileName)
{
    return QCoreApplication::translate("hv::ItemDelete", "Do you wish to delete the %1 file?")
        .arg(paths::displayName(fileName));
}

QString DeleteDirCaption()
{
    return QCoreApplication::translate("hv::ItemDelete", "Confirm Delete");
}

ItemOpResult DeleteDirFile(const QString &itemPath, const SharedFolderIndex &shared,
                           FileLockService *locks, const PermanentDeleteQuestion &askPermanent)
{
    ItemOpResult result;
    const SharedFolderIndex index = orOwn(shared);
    const QString found = index->findExisting(itemPath);
    if (found.isEmpty())
        failOn(itemPath, result, {},
               UserText::translate("hv::ItemDelete", "The file %1 no longer exists."));
    else if (!FirstHeldFile({found}, locks).isEmpty())
        failOn(found, result);
    else if (Remover(*index, askPermanent).removeIfPresent(found, result))
        result.succeed();
    if (!found.isEmpty())
        history::RecordRemoval(QStringLiteral("delete"), itemPath, result);
    logOutcome("DeleteDirFile", false, itemPath, result);
    return result;
}

DeleteConfirmation SeveralConfirmationText(ItemKind kind, bool dataOnly, qsizetype count)
{
    const auto counted = [count](const char *source) {
        return QCoreApplication::translate("hv::ItemDelete", source, nullptr, int(count));
    };
    DeleteConfirmation text;
    if (kind == ItemKind::Directory) {
        text.caption = DeleteDirCaption();
        text.question =
            counted(QT_TRANSLATE_N_NOOP("hv::ItemDelete", "Delete %n directory files?"));
        return text;
    }
    const bool applications = kind == ItemKind::Application;
    text.caption = QCoreApplication::translate("hv::ItemDelete", "Warning! Confirm Delete");
    if (dataOnly) {
        text.headline =
            headlineText(QT_TRANSLATE_NOOP("hv::ItemDelete", "Warning!\nAll Data Will Be Lost!"));
        text.question =
            applications
                ? counted(
                      QT_TRANSLATE_N_NOOP("hv::ItemDelete", "Clear the data of %n applications?"))
                : counted(QT_TRANSLATE_N_NOOP("hv::ItemDelete", "Clear the data of %n popups?"));
    } else if (applications) {
        text.headline = headlineText(QT_TRANSLATE_NOOP(
            "hv::ItemDelete", "Warning!\nApplications And All Associated Data Will Be Lost!"));
        text.question = counted(QT_TRANSLATE_N_NOOP(
            "hv::ItemDelete", "Delete %n applications and all their associated data?"));
    } else {
        text.headline = headlineText(QT_TRANSLATE_NOOP(
            "hv::ItemDelete", "Warning!\nPopups And All Associated Data Will Be Lost!"));
        text.question = counted(QT_TRANSLATE_N_NOOP(
            "hv::ItemDelete", "Delete %n popups and all their associated data?"));
    }
    return text;
}

ItemsOpResult RemoveItems(const QStringList &itemPaths, bool dataOnly, TemplateInfo &info,
                          const SharedFolderIndex &shared, FileLockService *locks,
                          const PermanentDeleteQuestion &askPermanent)
{
    const SharedFolderIndex index = orOwn(shared);
    ItemsOpResult whole;
    // Every item's files first: nothing moves until all of them are known and free.
    const std::optional<QList<PlannedItem>> planned =
        planItems(itemPaths, dataOnly, info, index, locks, whole);
    if (!planned) {
        logOutcome("RemoveItems", dataOnly, itemPaths.join(QStringLiteral(", ")), whole);
        return whole;
    }
    // One entry of the history for all of them, however far they get.
    history::Batch batch;
    Remover remover(*index, askPermanent);
    const QString verb = dataOnly ? QStringLiteral("clear") : QStringLiteral("delete");
    for (const PlannedItem &item : *planned) {
        ItemOpResult part;
        const bool done = removeAll(item.files, remover, part);
        if (done)
            part.succeed();
        history::RecordRemoval(verb, item.path, part, item.title);
        logOutcome("RemoveItems", dataOnly, item.path, part);
        whole.trashed += part.trashed;
        whole.deletedOutright += part.deletedOutright;
        whole.touched += part.touched;
        whole.items << part;
        if (!done) {
            whole.failedPath = part.failedPath;
            whole.trashRefused = part.trashRefused;
            whole.fail(part.message, part.title, part.reason);
            return whole;
        }
    }
    whole.succeed();
    return whole;
}

ItemsOpResult PlanRemoveItems(const QStringList &itemPaths, bool dataOnly, TemplateInfo &info,
                              const SharedFolderIndex &shared, FileLockService *locks)
{
    ItemsOpResult whole;
    const std::optional<QList<PlannedItem>> planned =
        planItems(itemPaths, dataOnly, info, orOwn(shared), locks, whole);
    if (!planned)
        return whole;
    for (const PlannedItem &item : *planned) {
        ItemOpResult part;
        part.trashed = item.files;
        part.succeed();
        whole.trashed += item.files;
        whole.items << part;
    }
    whole.succeed();
    return whole;
}

} // namespace hv
