// Renaming an application, a popup or a directory file together with all its files.
//
// Every file of the item's set is renamed to the new base name in the project folder, one by
// one. For applications and popups every completed step is remembered; when any step fails,
// every completed step is undone and the result says which step failed, with the system's
// reason. Before the first step the file-lock service is asked about every file of the set
// and every file of the new name; a held one refuses the rename with the "File Locked"
// message ("locked by another process"), with nothing touched (`locks` null uses the
// service of this computer). Files of the new name in the way go to the trash. Each step,
// and each undo of one, is one move that never replaces a file and never copies
// (moveNoReplace), so a rename racing another to the same name fails instead of overwriting
// the other's file. Names are found on disk without regard to letter case; new names are
// written as given here. An application's template is read only when its numbered companion
// files move (with an hvm file); one that reads but is not valid has no entries, one that
// cannot be read refuses the rename with the system's reason.
#pragma once

#include "ops/OpResult.h"
#include "platform/PathNames.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <memory>

namespace hv {

class FileLockService;
class TemplateInfo;

// The prompt and window caption of the rename window for an item's file name.
struct RenamePrompt {
    QString prompt;
    QString caption;
};
RenamePrompt RenamePromptFor(const QString &fileName);

// True when `name` is not empty, does not start with '.' (that would hide the item) and
// holds none of the characters * ? ! / < > | " : ; backslash and no control character.
bool Check_Filename(const QString &name);

enum class RenameOutcome {
    Renamed,     // every file of the set was renamed
    InvalidName, // the new name holds a forbidden character; nothing renamed
    NameTaken,   // the new name already belongs to an item; nothing renamed
    Undone,      // a file is held, or a step failed; the steps done before it were renamed back
    Failed,      // a directory file could not be renamed, or an application's template
                 // cannot be read; nothing renamed
    NotAnItem,   // the file name is not that of an application, popup or directory file
};

// What a rename did, and what the user is told.
// `ok` is true exactly for Renamed; the message is empty for Renamed and NotAnItem; the
// files touched are the new paths of the renames that took effect.
struct RenameResult : OpResult {
    RenameOutcome outcome = RenameOutcome::Renamed;
    // Renames that took effect, as (old path on disk, new path), in order. After an undo,
    // empty unless some could not be renamed back (see notRestored).
    QList<QPair<QString, QString>> renamed;
    QStringList strayTrashed; // files of the new name sent to the trash to make way
    QStringList notRestored;  // new paths that an undo could not rename back

    // True when the rename window closes after this result.
    bool closesWindow() const
    {
        return outcome == RenameOutcome::Renamed || outcome == RenameOutcome::InvalidName ||
               outcome == RenameOutcome::NotAnItem;
    }
};

// Rename of the application `oldBase` to `newBase` in `folder` (ending with a separator).
// `info` reads the renamed template's entries, whose keys number the companion files.
// Each finds its files through `index` when the caller has already looked in the folder for
// this rename, otherwise through a folder index of its own. A dry run makes every check and
// reports in `renamed` and `strayTrashed` what would move, touching nothing.
RenameResult Rename_Application(const QString &folder, const QString &oldBase,
                                const QString &newBase, TemplateInfo &info,
                                const std::shared_ptr<paths::FolderIndex> &index = {},
                                FileLockService *locks = nullptr, bool dryRun = false);
RenameResult Rename_Popup(const QString &folder, const QString &oldBase, const QString &newBase,
                          const std::shared_ptr<paths::FolderIndex> &index = {},
                          FileLockService *locks = nullptr, bool dryRun = false);
RenameResult Rename_Dir(const QString &folder, const QString &oldBase, const QString &newBase,
                        const std::shared_ptr<paths::FolderIndex> &index = {},
                        FileLockService *locks = nullptr, bool dryRun = false);

// The rename window's OK: checks `newName` as typed and renames the item listed as
// `fileName` in `folder` by the kind of its extension.
RenameResult RenameItem(const QString &folder, const QString &fileName, const QString &newName,
                        TemplateInfo &info, const std::shared_ptr<paths::FolderIndex> &index = {},
                        FileLockService *locks = nullptr);

// The same checks as RenameItem, reporting what would be renamed and cleared away; nothing is
// touched or recorded.
RenameResult PlanRenameItem(const QString &folder, const QString &fileName, const QString &newName,
                            TemplateInfo &info,
                            const std::shared_ptr<paths::FolderIndex> &index = {},
                            FileLockService *locks = nullptr);

} // namespace hv
