#include "ops/ItemDelete.h"

#include "log/DiagnosticLog.h"
#include "ops/FileSet.h"
#include "ops/Trash.h"
#include "platform/PathNames.h"
#include "suite/TemplateInfo.h"

namespace hv {
namespace {

using fileset::ItemKind;
using fileset::ItemOperation;
using fileset::SetMember;

// Sends one file away when it exists (found through the operation's folder index); false
// (with the result filled in) when it could be neither trashed nor deleted.
bool removeIfPresent(paths::FolderIndex &index, const QString &path, ItemOpResult &result)
{
    const QString found = index.findExisting(path);
    if (found.isEmpty())
        return true;
    QString onDisk;
    switch (trash::RecycleFile(found, &onDisk)) {
    case trash::RemoveOutcome::Trashed:
        index.noteRemoved(onDisk);
        result.trashed << onDisk;
        result.touched << onDisk;
        return true;
    case trash::RemoveOutcome::DeletedOutright:
        index.noteRemoved(onDisk);
        result.deletedOutright << onDisk;
        result.touched << onDisk;
        return true;
    case trash::RemoveOutcome::Failed:
        break;
    }
    result.ok = false;
    result.failedPath = onDisk.isEmpty() ? path : onDisk;
    result.title = QStringLiteral("Delete Failed");
    result.message = QStringLiteral("The file %1 could not be deleted. It may be open in "
                                    "another program. The remaining files were not touched.")
                         .arg(result.failedPath);
    return false;
}

// Sends away the files that `operation` touches for the item, in order; `entries` numbers
// the numbered companion files.
ItemOpResult removeSet(ItemOperation operation, ItemKind kind, const QString &itemPath, int entries,
                       paths::FolderIndex &index)
{
    WriteLog(QStringLiteral("frmWarning"), QStringLiteral("cmdYes_Click"),
             QStringLiteral("File Delete Initiated for: ") + itemPath);
    ItemOpResult result;
    for (const SetMember &member : fileset::FilesTouched(operation, kind)) {
        if (member.form == SetMember::Form::Numbered) {
            for (int n = 1; n <= entries; ++n) {
                if (!removeIfPresent(index, fileset::StemMemberFile(itemPath, member, n), result))
                    return result;
            }
        } else if (!removeIfPresent(index, fileset::StemMemberFile(itemPath, member), result)) {
            return result;
        }
    }
    return result;
}

ItemKind kindOf(bool isApplication)
{
    return isApplication ? ItemKind::Application : ItemKind::Popup;
}

SharedFolderIndex orOwn(const SharedFolderIndex &index)
{
    return index ? index : std::make_shared<paths::FolderIndex>();
}

} // namespace

DeleteConfirmation DeleteConfirmationText(bool isApplication, bool dataOnly, const QString &title,
                                          qint32 recordCount)
{
    const QString n = QString::number(recordCount);
    DeleteConfirmation text;
    text.caption = QStringLiteral("Warning! Confirm Delete");
    QString second;
    if (isApplication && dataOnly) {
        second = QStringLiteral("All Data will be Lost!");
        text.question = QStringLiteral("You are about to delete ") + n +
                        QStringLiteral(" data records associated with the ") + title +
                        QStringLiteral(" Application. Do you wish to continue?");
    } else if (isApplication) {
        second = QStringLiteral("Application And All Associated Data Will Be Lost!");
        text.question = QStringLiteral("You are about to delete the ") + title +
                        QStringLiteral(" Application with all ") + n +
                        QStringLiteral(" data records and the script associated with it. Do "
                                       "you wish to continue?");
    } else if (dataOnly) {
        second = QStringLiteral("All Data Will Be Lost!");
        text.question = QStringLiteral("You are about to delete ") + n +
                        QStringLiteral(" data records associated with the ") + title +
                        QStringLiteral(" Popup. Do you wish to continue?");
    } else {
        second = QStringLiteral("Popup And All Associated Data Will Be Lost!");
        text.question = QStringLiteral("You are about to delete the ") + title +
                        QStringLiteral(" Popup with all ") + n +
                        QStringLiteral(" data records associated with it. Do you wish to "
                                       "continue?");
    }
    text.headline = QStringLiteral("Warning!\r\n") + second;
    return text;
}

DeleteConfirmation DeleteConfirmationFor(TemplateInfo &info, const QString &itemPath,
                                         bool isApplication, bool dataOnly)
{
    const TemplateSummary summary =
        isApplication ? info.applicationSummary(itemPath) : info.popupSummary(itemPath);
    return DeleteConfirmationText(isApplication, dataOnly, summary.title, summary.recordCount);
}

ItemOpResult ClearItemData(const QString &itemPath, bool isApplication,
                           const SharedFolderIndex &index)
{
    return removeSet(ItemOperation::ClearData, kindOf(isApplication), itemPath, 0, *orOwn(index));
}

ItemOpResult DeleteItem(const QString &itemPath, bool isApplication, TemplateInfo &info,
                        const SharedFolderIndex &shared)
{
    // One folder index for the whole delete: the template's entries and the files.
    const SharedFolderIndex index = orOwn(shared);
    int entries = 0;
    if (isApplication) {
        info.useFolderIndex(index);
        info.SetTemplatePath(itemPath);
        info.OpenTemplate();
        entries = info.Entries().Count();
        info.CloseTemplate();
    }
    return removeSet(ItemOperation::Delete, kindOf(isApplication), itemPath, entries, *index);
}

QString DeleteDirQuestion(const QString &fileName)
{
    return QStringLiteral("Do you wish to delete the ") + fileName + QStringLiteral(" file?");
}

QString DeleteDirCaption()
{
    return QStringLiteral("Confirm Delete");
}

ItemOpResult DeleteDirFile(const QString &itemPath, const SharedFolderIndex &shared)
{
    ItemOpResult result;
    const SharedFolderIndex index = orOwn(shared);
    if (!index->exists(itemPath)) {
        result.ok = false;
        result.failedPath = itemPath;
        result.title = QStringLiteral("Delete Failed");
        result.message = QStringLiteral("The file %1 no longer exists.").arg(itemPath);
        return result;
    }
    removeIfPresent(*index, itemPath, result);
    return result;
}

} // namespace hv
