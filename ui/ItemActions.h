// The item commands: activation of a list item or a settings category, the item list's
// context menus, and the commands of those menus. This class owns the context menus and
// their actions. Each command asks its host (ItemHost: the items chosen, the category) and
// its window (frmWarning, frmRename, the file access error window) and hands the work to
// the operations of ops/; it starts and awaits the suite's programs through the host,
// which hides the window meanwhile.
#pragma once

#include "lists/ListRows.h"
#include "ops/ItemDelete.h"
#include "ops/LockCheck.h"
#include "ui/ItemHost.h"

#include <QObject>
#include <QPoint>

class QAction;
class QMenu;

namespace hv {

class ItemActions : public QObject {
    Q_OBJECT
public:
    // Builds the context menus (owned by the host's widget).
    ItemActions(ItemHost &host, QObject *parent = nullptr);

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

    // The context-menu commands, on the selected item.
    void mnuFilePack_Click();
    void mnuRenameRight_Click();
    void mnuClearData_Click();
    void mnuDeleteAll_Click();
    void mnuDesktop_Click();
    void mnuHVLaunch_Click();
    void mnuRenameDir_Click();
    void mnuDeleteDir_Click();

private:
    void buildContextMenus();
    QAction *makeAction(const char *name, const QString &caption, void (ItemActions::*slot)());
    // The one item a command works on: the first chosen; false when none is.
    bool selectedItem(ItemRef &item) const;
    // The lock check before an application's data file at `path` is opened: true when it may
    // be opened (not held, Continue, a Retry that found it released, or a failed check).
    bool mayOpen(const QString &path);
    // Clear (data only) or delete through the confirmation window.
    void removeWithWarning(bool dataOnly);
    void rename();
    // The suite's program folder for a shortcut or launcher entry; false (after a message
    // box) when suite.ini cannot be read.
    static bool readSuiteFolder(QString &folder);
    // Shows what a clear or delete could not do, with the system's reason as the detail.
    static void reportRemoval(const ItemOpResult &result);

    ItemHost &m_host;
    FileLockServiceFactory m_lockService = defaultFileLockServiceFactory();
    bool m_running = false; // a suite program is being awaited
    QMenu *m_rightClickList = nullptr;
    QMenu *m_rightDir = nullptr;
    QMenu *m_shortcutApp = nullptr;
    QAction *m_filePack = nullptr;
    QAction *m_separatorRight0 = nullptr;
    QAction *m_renameRight = nullptr;
    QAction *m_clearData = nullptr;
    QAction *m_deleteAll = nullptr;
};

} // namespace hv
