// Clearing an application's or popup's data, and deleting an item with all its files.
//
// The confirmation is the caller's: these functions give the texts that the confirmation
// asks with, and do the work once it has been answered Yes. Every file goes to the trash.
// When the trash refuses a file (a share with no usable trash folder), nothing is deleted
// silently: `askPermanent` is asked, before that file is touched, whether to delete it
// permanently; Yes deletes it and every later file the trash refuses, No (or no question)
// stops the operation with `trashRefused` set and that file and the rest left in place.
// Files of a set that do not exist are skipped silently. When a file can be neither trashed
// nor deleted, the operation stops there: files already sent away stay sent away, the rest
// of the set is not touched, and the result carries a message for the user with the system's
// reason. Before the first file, the file-lock service is asked about every file of the
// set: when another process holds one, nothing is touched and the result is that failure
// (`locks` null uses the service of this computer).
#pragma once

#include "ops/FileSet.h"
#include "ops/OpResult.h"
#include "platform/PathNames.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace hv {

class FileLockService;
class TemplateInfo;

// What a clear or delete did.
struct ItemOpResult : OpResult {
    QStringList trashed;         // paths on disk now in the trash, in the order sent
    QStringList deletedOutright; // paths on disk deleted permanently, as chosen
    QString failedPath;          // the path on disk where the operation stopped
    bool trashRefused = false;   // it stopped because the trash refused the file at failedPath
                                 // and permanent deletion was not chosen
};

// Asked when the trash refuses the file at `path` (on disk), with the trash's reason. True
// deletes that file and every later one the trash refuses permanently.
using PermanentDeleteQuestion = std::function<bool(const QString &path, const QString &reason)>;

// The text of that question for the file at `path`.
QString PermanentDeleteQuestionText(const QString &path);

// The confirmation window's texts for an application or popup.
struct DeleteConfirmation {
    QString caption;  // "Warning! Confirm Delete"
    QString headline; // two lines joined by CR LF
    QString question;
};

// The texts for an item of title `title` holding `recordCount` records.
DeleteConfirmation DeleteConfirmationText(bool isApplication, bool dataOnly, const QString &title,
                                          qint32 recordCount);
// The same, with the title and record count that `info` reports for the item at `itemPath`.
DeleteConfirmation DeleteConfirmationFor(TemplateInfo &info, const QString &itemPath,
                                         bool isApplication, bool dataOnly);

// Each operation below finds its files through one folder index: `index` when the caller has
// already looked in the folder for this operation, otherwise one of its own.
using SharedFolderIndex = std::shared_ptr<paths::FolderIndex>;

// Sends the data files of the application or popup at `itemPath` (its full path) to the
// trash; the template and companion files stay.
ItemOpResult ClearItemData(const QString &itemPath, bool isApplication,
                           const SharedFolderIndex &index = {}, FileLockService *locks = nullptr,
                           const PermanentDeleteQuestion &askPermanent = {});

// Sends the application or popup at `itemPath` with all its files to the trash. For an
// application, `info` reads the template's entry count, which numbers its companion files;
// a template that reads but is not valid has no entries, and an application whose template
// cannot be read at all (an I/O error, no permission) is not touched.
ItemOpResult DeleteItem(const QString &itemPath, bool isApplication, TemplateInfo &info,
                        const SharedFolderIndex &index = {}, FileLockService *locks = nullptr,
                        const PermanentDeleteQuestion &askPermanent = {});

// The confirmation's texts for a clear (`dataOnly`) or delete of `count` items of one kind,
// asked once for all of them: "Delete 5 applications and all their associated data?",
// "Clear the data of 5 popups?", "Delete 5 directory files?" (a directory file asks with the
// question and caption alone).
DeleteConfirmation SeveralConfirmationText(fileset::ItemKind kind, bool dataOnly, qsizetype count);

// What a clear or delete of several items did: the whole, and each item's part in the order
// given, up to the item where it stopped.
struct ItemsOpResult : ItemOpResult {
    QList<ItemOpResult> items;
};

// Clears the data of (`dataOnly`) or deletes the items at `itemPaths` (full paths, each of the
// kind its file name's extension gives) as one operation. Every item's files are found first
// (an application's template read for its companion files), and the file-lock service is
// asked about all of them: when any cannot be found out or is held, nothing is touched. Then
// the items go in the order given, `askPermanent` asked at most once for all, and the whole
// stops at the first item that fails. The history records them as one operation, with the
// titles of the templates that have one.
ItemsOpResult RemoveItems(const QStringList &itemPaths, bool dataOnly, TemplateInfo &info,
                          const SharedFolderIndex &index = {}, FileLockService *locks = nullptr,
                          const PermanentDeleteQuestion &askPermanent = {});

// The question asked before a directory file is deleted, and its title.
QString DeleteDirQuestion(const QString &fileName);
QString DeleteDirCaption();

// Sends the directory file at `itemPath` to the trash.
ItemOpResult DeleteDirFile(const QString &itemPath, const SharedFolderIndex &index = {},
                           FileLockService *locks = nullptr,
                           const PermanentDeleteQuestion &askPermanent = {});

// The dry run of RemoveItems: the same checks (held files, the templates), and in `trashed`
// (and each item's part in `items`) the files that would be sent away, in order; nothing is
// touched or recorded. Whether the trash will take a file is known only when it is sent.
ItemsOpResult PlanRemoveItems(const QStringList &itemPaths, bool dataOnly, TemplateInfo &info,
                              const SharedFolderIndex &index = {},
                              FileLockService *locks = nullptr);

} // namespace hv
