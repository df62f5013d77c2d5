// The item commands: activation of a list item or a settings category, the item list's
// context menus, and the commands of those menus. This class owns the context menus and
// their actions. Each command asks its host (ItemHost: the items chosen, the category) and
// its window (frmWarning, frmRename, the file access error window) and hands the work to
// the operations of ops/ as a job off the user-interface thread (clear, delete, rename, the
// lock checks); it starts and awaits the suite's programs with the host's window hidden.
// One command runs at a time: while one does, the menus' commands are disabled and the
// others do nothing. commandFinished() tells when a command has come to its end.
#pragma once

#include "app/Jobs.h"
#include "lists/ListRows.h"
#include "ops/ItemDelete.h"
#include "ops/LockCheck.h"
#include "ui/ItemHost.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>

class QAction;
class QMenu;

namespace hv {

class JobControl;
struct RenameResult;

class ItemActions : public QObject {
    Q_OBJECT
public:
    // Builds the context menus (owned by the host's widget).
    ItemActions(ItemHost &host, QObject *parent = nullptr);
    // Cancels a job that has not begun to move anything.
    ~ItemActions() override;

    // True while a command runs (a job, a window of its own or a suite program).
    bool isBusy() const { return m_running; }
    // A project folder the user cannot change: rename, clear and delete are disabled, with
    // `why` as their tool tip.
    void setFolderReadOnly(bool readOnly, const QString &why);

    // For applications and popups, and for directory files.
    QMenu *mnuRightClickList() const { return m_rightClickList; }
    QMenu *mnuRightDir() const { return m_rightDir; }

    // A double-click on the list: opens the selected item in the suite program that edits it
    // and waits for it, with the window hidden; then the window returns at its stored
    // placement and the list is refilled. Nothing happens without a selected item.
    void lstHVSetup_DblClick();
    // A double-click on the category bar (with an item of the list selected): the settings
    // program for the rules, units of measure and security rows.
    void grdOUtlookBar_DblClick();
    // Pops up the selected item's context menu at `globalPos`, by the category shown.
    void popUpMenu(const QPoint &globalPos);
    // Gives `list` the item commands' keys, which work only while the keyboard focus is in
    // it: F2 renames the selected item, Del (and Shift+Del) deletes it, Ctrl+C copies its path.
    void attachKeys(QWidget *list);
    // The keys' commands, which act by the category shown as the menus' commands do.
    QAction *renameKey() const { return m_renameKey; }
    QAction *deleteKey() const { return m_deleteKey; }
    QAction *copyPath() const { return m_copyPath; }
    QAction *openContainingFolder() const { return m_openFolder; }

    // The context-menu commands, on the selected item.
    void mnuFilePack_Click();
    void mnuRenameRight_Click();
    void mnuClearData_Click();
    void mnuDeleteAll_Click();
    void mnuDesktop_Click();
    void mnuHVLaunch_Click();
    void mnuRenameDir_Click();
    void mnuDeleteDir_Click();
    // Opens the data window on the selected application's or popup's data file.
    void mnuViewData_Click();
    // The selected item's full path to the clipboard, and its folder in the file manager.
    void mnuCopyPath_Click();
    void mnuOpenFolder_Click();

Q_SIGNALS:
    // A command has come to its end: its job finished and the list was refilled, or it was
    // answered No or Cancel.
    void commandFinished();
    // A clear, delete or rename took effect; `notice` says what it did ("Deleted Forklift
    // (4 files to the trash)"). Comes before commandFinished().
    void operationDone(const QString &notice);
    // A job of a command began; `what` says what it does (for a progress display).
    void jobStarted(hv::Job *job, const QString &what);

private:
    void buildContextMenus();
    QAction *makeAction(const char *name, const QString &caption, void (ItemActions::*slot)());
    // An action that is no command of its own, so it stays enabled while a command runs.
    QAction *makeHelperAction(const char *name, const QString &caption);
    // The items chosen when they are files of the project folder shown (not the create-new
    // row); none while the list still shows the rows of a category or folder left.
    QList<ItemRef> selectedFiles() const;
    // F2 and Del: the rename of the one item chosen, the delete of the items chosen.
    void renameByKey();
    void deleteByKey();
    // The one item a command works on; false when none or several are chosen.
    bool selectedItem(ItemRef &item) const;
    void setBusy(bool busy);
    // Ends the running command: enables the commands, refills the list when asked.
    void finishCommand(bool refill);
    // After the lock check of the data file at `path` found `result`: asks the file access
    // error window when the file is held, then calls `then` with whether it may be opened
    // (not held, Continue, a Retry that found it released, or a failed check).
    void askAboutHeldFile(const QString &path, const LockCheckResult &result,
                          const std::function<void(bool mayOpen)> &then);
    // Clear (data only) or delete through the confirmation window.
    void removeWithWarning(bool dataOnly);
    // The same for several items of the category shown, asked once and run as one job.
    void removeSeveral(const QList<ItemRef> &items, bool dataOnly);
    // Runs a clear or delete as a job; its end refills the list and reports a failure.
    // `notice` says what a result that took effect did.
    void startRemoval(const QString &folder, const QString &what,
                      const std::function<ItemOpResult(JobControl &)> &work,
                      const std::function<QString(const ItemOpResult &)> &notice);
    void rename();
    // The suite's program folder for a shortcut or launcher entry; false (after a message
    // box) when suite.ini cannot be read.
    static bool readSuiteFolder(QString &folder);
    // Shows what a clear or delete could not do, with the system's reason as the detail.
    static void reportRemoval(const ItemOpResult &result);
    static QString renamedKey(const QString &oldKey, const QString &newName,
                              const RenameResult &result);

    ItemHost &m_host;
    FileLockServiceFactory m_lockService = defaultFileLockServiceFactory();
    bool m_running = false;      // a command runs
    QPointer<Job> m_job;         // the last job started
    QList<QAction *> m_commands; // every command of the menus
    QList<QAction *> m_changing; // the commands that change the project folder's files
    bool m_readOnly = false;     // the project folder cannot be changed
    QMenu *m_rightClickList = nullptr;
    QMenu *m_rightDir = nullptr;
    QMenu *m_shortcutApp = nullptr;
    QMenu *m_shortcutDir = nullptr;
    QAction *m_filePack = nullptr;
    QAction *m_separatorRight0 = nullptr;
    QAction *m_renameRight = nullptr;
    QAction *m_clearData = nullptr;
    QAction *m_deleteAll = nullptr;
    QAction *m_renameDir = nullptr;
    QAction *m_separatorViewData = nullptr;
    QAction *m_viewData = nullptr;
    QAction *m_copyPath = nullptr;
    QAction *m_openFolder = nullptr;
    QAction *m_renameKey = nullptr;
    QAction *m_deleteKey = nullptr;
};

} // namespace hv
