#include "ops/ItemRename.h"

#include "log/DiagnosticLog.h"
#include "ops/FileSet.h"
#include "ops/HeldFiles.h"
#include "ops/History.h"
#include "ops/Trash.h"
#include "platform/FileMove.h"
#include "platform/FileNames.h"
#include "platform/PathNames.h"
#include "suite/TemplateInfo.h"

#include <QSet>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

#include <memory>
#include <utility>

namespace hv {
namespace {

using fileset::ItemKind;
using fileset::SetMember;

UserText invalidFilename()
{
    return UserText::translate("hv::ItemRename", "Invalid Filename");
}

UserText fileLocked()
{
    return UserText::translate("hv::ItemRename", "File Locked");
}

UserText renameFailed()
{
    return UserText::translate("hv::ItemRename", "Rename Failed");
}

UserText applicationLocked()
{
    return UserText::translate("hv::ItemRename",
                               "Error occured during Rename operation. The Application files are "
                               "locked by another process. This may be caused by another Halvora "
                               "product having this Application Open. Rename operation has been "
                               "cancelled.");
}

UserText popupLocked()
{
    return UserText::translate("hv::ItemRename",
                               "Error occurred during Rename operation. The Popup files are locked "
                               "by another process. This may be caused by another Halvora product "
                               "having this Popup open. Rename operation has been cancelled.");
}

// True when `path` is a folder itself (not a link to one).
bool isRealFolder(const QString &path)
{
    struct stat info {};
    return ::lstat(paths::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Paths for a message, in their display form.
QString shownList(const QStringList &list)
{
    QStringList shown;
    for (const QString &path : list)
        shown << paths::displayName(path);
    return shown.join(QStringLiteral(", "));
}

// `result` (what was done so far) as a rename that did not happen.
RenameResult notRenamed(RenameOutcome outcome, const UserText &title, const UserText &message,
                        RenameResult result = {}, const QString &reason = {})
{
    result.outcome = outcome;
    result.fail(message, title, reason);
    return result;
}

// The message of a step that failed for a reason other than a held file: what failed.
UserText stepFailedMessage(const UserText &step)
{
    return UserText::translate("hv::ItemRename", "Error occurred during Rename operation. %1 "
                                                 "Rename operation has been cancelled.")
        .arg(step);
}

RenameResult nameTaken()
{
    return notRenamed(RenameOutcome::NameTaken, invalidFilename(),
                      UserText::translate("hv::ItemRename",
                                          "File already exists. Rename operation has been "
                                          "cancelled."));
}

// The steps of one rename, remembered so that a failure can undo them.
class RenameSteps {
public:
    // A dry run checks every step as it would be taken and remembers it, but moves nothing.
    explicit RenameSteps(const std::shared_ptr<paths::FolderIndex> &index = {}, bool dryRun = false)
        : m_index(index ? index : std::make_shared<paths::FolderIndex>()), m_dryRun(dryRun)
    {
    }
    const std::shared_ptr<paths::FolderIndex> &index() const { return m_index; }
    // Sends a file of the new name to the trash, when there is one, so that the rename can
    // take its place. A file this rename has just written is no stray; a folder is not
    // cleared away.
    bool clearStray(const QString &path)
    {
        const QString found = m_index->findExisting(path);
        if (found.isEmpty())
            return true;
        for (const auto &step : std::as_const(m_result.renamed)) {
            if (step.second == found)
                return true;
        }
        if (isRealFolder(found))
            return failStep(UserText::translate("hv::ItemRename",
                                                "The folder %1 is in the way of the new name.")
                                .arg(paths::displayName(found)),
                            QString::fromLocal8Bit(std::strerror(EISDIR)));
        if (!m_dryRun) {
            if (const trash::TrashResult trashed = trash::RecycleFiles({found}); !trashed.ok)
                return failStep(UserText::translate("hv::ItemRename",
                                                    "The file %1 of the new name could not be "
                                                    "moved to the trash.")
                                    .arg(paths::displayName(found)),
                                trashed.reason);
        }
        m_index->noteRemoved(found);
        m_result.strayTrashed << found;
        return true;
    }

    // Renames `from` to `to` when `from` exists, and remembers the step.
    bool move(const QString &from, const QString &to)
    {
        const QString found = m_index->findExisting(from);
        if (found.isEmpty())
            return true;
        if (const MoveResult moved = m_dryRun ? MoveResult{true, 0, {}} : moveNoReplace(found, to);
            !moved)
            return failStep(
                UserText::translate("hv::ItemRename", "The file %1 could not be renamed to %2.")
                    .arg(paths::displayName(found), paths::displayName(to)),
                moved.reason);
        m_index->noteRemoved(found);
        m_index->noteCreated(to);
        m_result.renamed.append({found, to});
        return true;
    }

    // Clears away a stray of the new name, then renames the old file to it.
    bool replace(const QString &from, const QString &to)
    {
        return clearStray(to) && move(from, to);
    }

    RenameResult done()
    {
        noteTouched();
        if (m_failedStep.isEmpty())
            m_result.succeed();
        return m_result;
    }

    // Renames every completed step back, first to last, and reports the step that failed.
    RenameResult undoFailedStep()
    {
        return undo(stepFailedMessage(m_failedStep), renameFailed(), m_reason);
    }

    // Renames every completed step back, first to last, and reports `message`.
    RenameResult undo(const UserText &message, const UserText &title = fileLocked(),
                      const QString &reason = {})
    {
        QList<QPair<QString, QString>> left;
        for (const auto &[oldPath, newPath] : m_result.renamed) {
            if (m_dryRun)
                continue; // nothing was moved
            if (!moveNoReplace(newPath, oldPath)) {
                m_result.notRestored << newPath;
                left.append({oldPath, newPath});
                continue;
            }
            m_index->noteRemoved(newPath);
            m_index->noteCreated(oldPath);
        }
        m_result.renamed = left;
        m_result.outcome = RenameOutcome::Undone;
        noteTouched();
        UserText text = message;
        if (!m_result.notRestored.isEmpty())
            text = text + UserText::translate("hv::ItemRename",
                                              "\n\nThese files could not be renamed back: %1")
                              .arg(shownList(m_result.notRestored));
        if (!m_result.strayTrashed.isEmpty() && !m_dryRun)
            text = text + UserText::translate("hv::ItemRename", "\n\nThese files of the new name "
                                                                "were moved to the trash: %1")
                              .arg(shownList(m_result.strayTrashed));
        m_result.fail(text, title, reason);
        return m_result;
    }

    // What failed in the step that failed, and the system's reason.
    const UserText &failedStep() const { return m_failedStep; }
    const QString &reason() const { return m_reason; }

private:
    bool failStep(const UserText &step, const QString &reason)
    {
        m_failedStep = step;
        m_reason = reason;
        return false;
    }

    // The files the rename changed: strays trashed, and the new paths that took effect.
    void noteTouched()
    {
        m_result.touched = m_result.strayTrashed;
        for (const auto &step : m_result.renamed)
            m_result.touched << step.second;
    }

    std::shared_ptr<paths::FolderIndex> m_index;
    bool m_dryRun = false;
    RenameResult m_result;
    UserText m_failedStep; // what failed, as a sentence; empty while every step succeeded
    QString m_reason;
};

// The files of `paths` that exist, as they are named on disk.
QStringList existingFiles(paths::FolderIndex &index, const QStringList &paths)
{
    QStringList found;
    for (const QString &path : paths) {
        if (QString onDisk = index.findExisting(path); !onDisk.isEmpty())
            found << std::move(onDisk);
    }
    return found;
}

// A rename refused before its first step, as the refusal of its first step would be.
RenameResult refusedUntouched(const UserText &message)
{
    return RenameSteps().undo(message);
}

RenameResult failed(const UserText &message, RenameResult result = {}, const QString &reason = {})
{
    return notRenamed(RenameOutcome::Failed, renameFailed(), message, std::move(result), reason);
}

// A key that would lead out of the project folder names no companion file of this item.
bool isUsableKey(const QString &key)
{
    return !key.contains(u'/') && !key.contains(u'\\');
}

} // namespace

RenamePrompt RenamePromptFor(const QString &fileName)
{
    switch (fileset::ItemKindOf(fileName)) {
    case ItemKind::Application:
        return {
            QCoreApplication::translate(
                "hv::ItemRename", "Please Enter New Application Filename Without an Extension:"),
            QCoreApplication::translate("hv::ItemRename", "Rename Application")};
    case ItemKind::Popup:
        return {QCoreApplication::translate(
                    "hv::ItemRename", "Please Enter New Popup Filename Without an Extension:"),
                QCoreApplication::translate("hv::ItemRename", "Rename Popup")};
    case ItemKind::Directory:
        return {QCoreApplication::translate("hv::ItemRename",
                                            "Please Enter New DIR Filename Without an Extension:"),
                QCoreApplication::translate("hv::ItemRename", "Rename DIR")};
    case ItemKind::Unknown:
        break;
    }
    return {QCoreApplication::translate("hv::ItemRename",
                                        "Please enter new Application Name without an extension:"),
            QCoreApplication::translate("hv::ItemRename", "Rename Application")};
}

bool Check_Filename(const QString &name)
{
    // Beyond what the other platform refuses: a name that is empty or starts with '.' would
    // hide the item here (the list leaves out dot-files), and '?', '*' and control characters
    // fail there.
    if (name.isEmpty() || name.startsWith(u'.'))
        return false;
    static const QString forbidden = QStringLiteral("*!/<>|\":;\\?");
    for (const QChar c : name) {
        if (forbidden.contains(c) || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

RenameResult Rename_Application(const QString &folder, const QString &oldBase,
                                const QString &newBase, TemplateInfo &info,
                                const std::shared_ptr<paths::FolderIndex> &index,
                                FileLockService *locks, bool dryRun)
{
    using fileset::BaseNameFile;
    // One folder index for the whole rename: the template, the set and the new names.
    RenameSteps steps(index, dryRun);
    paths::FolderIndex &names = *steps.index();
    if (names.exists(BaseNameFile(folder, newBase, QStringLiteral("hvt"))))
        return nameTaken();
    const auto members =
        fileset::FilesTouched(fileset::ItemOperation::Rename, ItemKind::Application);
    // Without an hvm file the numbered companion files keep their names, and the template's
    // keys are not needed.
    const bool withNumbered = names.exists(BaseNameFile(folder, oldBase, QStringLiteral("hvm")));
    QStringList keys;
    if (withNumbered) {
        info.useFolderIndex(steps.index());
        // The template's keys number the companion files; without them those would stay
        // behind under the old name for a later item of that name to take over. A template
        // that reads but is not valid has no keys.
        info.SetTemplatePath(BaseNameFile(folder, oldBase, QStringLiteral("hvt")));
        if (const QString problem = info.ReadError(); !problem.isEmpty())
            return failed(UserText::translate("hv::ItemRename",
                                              "Error occurred during Rename operation. The "
                                              "template %1 cannot be read, so the files that "
                                              "belong to it cannot be found. Rename operation "
                                              "has been cancelled.")
                              .arg(paths::displayName(info.PathOnDisk())),
                          {}, problem);
        info.OpenTemplate();
        const TemplateEntries entries = info.Entries();
        info.CloseTemplate();
        // Each key once: keys that differ only in letter case name the same file.
        QSet<QString> seen;
        for (qint32 i = 1; i <= entries.Count(); ++i) {
            const QString key = entries.Item(i).Key;
            if (isUsableKey(key) && !seen.contains(key.toUpper())) {
                seen.insert(key.toUpper());
                keys << key;
            }
        }
    }
    // The set's files, and the files of the new name that the rename would clear away.
    QStringList setFiles;
    for (const QString &base : {oldBase, newBase}) {
        for (const SetMember &member : members) {
            if (member.form != SetMember::Form::Numbered)
                setFiles << BaseNameFile(folder, base, member.letters);
            else if (withNumbered)
                for (const QString &key : keys)
                    setFiles << fileset::BaseNameNumberedFile(folder, base, key);
        }
    }
    if (!FirstHeldFile(existingFiles(names, setFiles), locks).isEmpty())
        return refusedUntouched(applicationLocked());

    for (const SetMember &member : members) {
        if (member.form == SetMember::Form::Numbered) {
            for (const QString &key : keys) {
                if (!steps.replace(fileset::BaseNameNumberedFile(folder, oldBase, key),
                                   fileset::BaseNameNumberedFile(folder, newBase, key)))
                    return steps.undoFailedStep();
            }
            continue;
        }
        const QString from = BaseNameFile(folder, oldBase, member.letters);
        const QString to = BaseNameFile(folder, newBase, member.letters);
        if (member.letters == u"hvm") {
            // Without an hvm file the numbered companion files keep their names.
            if (!steps.clearStray(to))
                return steps.undoFailedStep();
            if (!names.exists(from))
                return steps.done();
        }
        if (!steps.replace(from, to))
            return steps.undoFailedStep();
    }
    return steps.done();
}

RenameResult Rename_Popup(const QString &folder, const QString &oldBase, const QString &newBase,
                          const std::shared_ptr<paths::FolderIndex> &index, FileLockService *locks,
                          bool dryRun)
{
    using fileset::BaseNameFile;
    RenameSteps steps(index, dryRun);
    paths::FolderIndex &names = *steps.index();
    if (names.exists(BaseNameFile(folder, newBase, QStringLiteral("hpt"))))
        return nameTaken();
    const auto members = fileset::FilesTouched(fileset::ItemOperation::Rename, ItemKind::Popup);
    QStringList setFiles; // with the files of the new name that would be cleared away
    for (const SetMember &member : members)
        setFiles << BaseNameFile(folder, oldBase, member.letters)
                 << BaseNameFile(folder, newBase, member.letters);
    if (!FirstHeldFile(existingFiles(names, setFiles), locks).isEmpty())
        return refusedUntouched(popupLocked());
    for (const SetMember &member : members) {
        if (!steps.replace(BaseNameFile(folder, oldBase, member.letters),
                           BaseNameFile(folder, newBase, member.letters)))
            return steps.undoFailedStep();
    }
    return steps.done();
}

RenameResult Rename_Dir(const QString &folder, const QString &oldBase, const QString &newBase,
                        const std::shared_ptr<paths::FolderIndex> &index, FileLockService *locks,
                        bool dryRun)
{
    using fileset::BaseNameFile;
    RenameSteps steps(index, dryRun);
    paths::FolderIndex &names = *steps.index();
    if (names.exists(BaseNameFile(folder, newBase, QStringLiteral("dir"))))
        return nameTaken();
    const QString from = BaseNameFile(folder, oldBase, QStringLiteral("DIR"));
    const QString to = BaseNameFile(folder, newBase, QStringLiteral("DIR"));
    // A directory file that is missing, held or refuses is a failure, not a rename.
    QString reason;
    if (!names.exists(from))
        reason = QStringLiteral("No such file or directory");
    else if (!FirstHeldFile(existingFiles(names, {from}), locks).isEmpty())
        reason = QStringLiteral("another process has it open");
    else if (!steps.replace(from, to))
        reason = steps.reason();
    if (!reason.isEmpty() || !steps.failedStep().isEmpty()) {
        return failed(UserText::translate("hv::ItemRename",
                                          "Error occurred during Rename operation. The DIR file "
                                          "could not be renamed. Rename operation has been "
                                          "cancelled."),
                      steps.done(), reason);
    }
    return steps.done();
}

namespace {

RenameResult renameItem(const QString &folder, const QString &fileName, const QString &newName,
                        TemplateInfo &info, const std::shared_ptr<paths::FolderIndex> &index,
                        FileLockService *locks, bool dryRun)
{
    if (!Check_Filename(newName))
        return notRenamed(RenameOutcome::InvalidName, QString(), invalidFilename());
    const QString oldBase = fileset::BaseNameOf(fileName);
    switch (fileset::ItemKindOf(fileName)) {
    case ItemKind::Application:
        return Rename_Application(folder, oldBase, newName, info, index, locks, dryRun);
    case ItemKind::Popup:
        return Rename_Popup(folder, oldBase, newName, index, locks, dryRun);
    case ItemKind::Directory:
        return Rename_Dir(folder, oldBase, newName, index, locks, dryRun);
    case ItemKind::Unknown:
        break;
    }
    return notRenamed(RenameOutcome::NotAnItem, QString(), QString());
}

// Tells the log what a rename did: the files moved, or why it did not happen.
void logOutcome(const QString &folder, const QString &fileName, const QString &newName,
                const RenameResult &result)
{
    QString text =
        QStringLiteral("Rename of ") + folder + fileName + QStringLiteral(" to ") + newName;
    if (result.ok) {
        QStringList moves;
        for (const auto &[from, to] : result.renamed)
            moves << from + QStringLiteral(" -> ") + to;
        text += QStringLiteral(": ") + moves.join(QStringLiteral(", "));
    } else {
        text +=
            QStringLiteral(" failed: ") +
            (result.message.isEmpty() ? QStringLiteral("not an item") : result.messageWithReason());
    }
    if (!result.strayTrashed.isEmpty())
        text += QStringLiteral("; to the trash to make way: ") +
                result.strayTrashed.join(QStringLiteral(", "));
    WriteLog(QStringLiteral("ItemRename"), QStringLiteral("RenameItem"), text);
}

} // namespace

RenameResult RenameItem(const QString &folder, const QString &fileName, const QString &newName,
                        TemplateInfo &info, const std::shared_ptr<paths::FolderIndex> &index,
                        FileLockService *locks)
{
    const RenameResult result = renameItem(folder, fileName, newName, info, index, locks, false);
    if (result.outcome != RenameOutcome::NotAnItem)
        history::RecordRename(folder, fileName, newName, result);
    logOutcome(folder, fileName, newName, result);
    return result;
}

RenameResult PlanRenameItem(const QString &folder, const QString &fileName, const QString &newName,
                            TemplateInfo &info, const std::shared_ptr<paths::FolderIndex> &index,
                            FileLockService *locks)
{
    return renameItem(folder, fileName, newName, info, index, locks, true);
}

} // namespace hv
