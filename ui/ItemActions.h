// The item commands of the main window: activation of a list row or a settings category,
// the item list's context menus, and the commands of those menus. This class owns the
// context menus and their actions, turns each command into the operations of ops/ (through
// the item windows frmWarning, frmRename and the file access error window), and starts and
// awaits the suite's programs; frmHVSetup only lays the window out.
//
// Mouse and keyboard on the item list:
// - a press of any button selects the row under the mouse, or clears the selection over
//   empty space; the right button then pops up the row's context menu;
// - a double-click, or Enter, activates the selected row;
// - the Menu key or Shift+F10 pops up the selected row's context menu at the row.
#pragma once

#include "lists/ListRows.h"
#include "ops/ItemDelete.h"

#include <QObject>
#include <QPoint>

#include <functional>

class QAction;
class QMenu;

namespace hv {

class frmHVSetup;

class ItemActions : public QObject {
    Q_OBJECT
public:
    // Builds the context menus and watches the window's item list and category bar.
    explicit ItemActions(frmHVSetup &window);

    // For applications and popups, and for directory files.
    QMenu *mnuRightClickList() const { return m_rightClickList; }
    QMenu *mnuRightDir() const { return m_rightDir; }

    // A double-click on the list: opens the selected row in the suite program that edits it
    // and waits for it, with the window hidden; then the window returns at its stored
    // placement and the list is refilled. Nothing happens without a selected row.
    void lstHVSetup_DblClick();
    // A double-click on the category bar (with a row of the list selected): the settings
    // program for the rules, units of measure and security rows.
    void grdOUtlookBar_DblClick();
    // A press of `button` over row `row` of the list (-1: empty space) at `globalPos`.
    void lstHVSetup_MouseDown(Qt::MouseButton button, int row, const QPoint &globalPos);

    // The context-menu commands, on the selected row.
    void mnuFilePack_Click();
    void mnuRenameRight_Click();
    void mnuClearData_Click();
    void mnuDeleteAll_Click();
    void mnuDesktop_Click();
    void mnuHVLaunch_Click();
    void mnuRenameDir_Click();
    void mnuDeleteDir_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct SelectedItem {
        QString key;   // the row's key: its file name, or "NEW", "UNITS", ...
        QString title; // the row's text
    };

    void buildContextMenus();
    QAction *makeAction(const char *name, const QString &caption, void (ItemActions::*slot)());
    bool selectedItem(SelectedItem &item) const;
    // Pops up the context menu of row `row` at `globalPos`, by the category shown.
    void popUpMenu(int row, const QPoint &globalPos);
    // The keyboard's context menu: at the selected row.
    void popUpMenuAtSelection();
    // Starts the command line with the window hidden and waits until the program has ended.
    void runHidden(const QString &commandLine);
    // Saves the window's placement, runs `launch` (which hides the window around the
    // program it starts), then restores the placement and refills the list.
    void launchAndComeBack(const std::function<void()> &launch);
    // Clear (data only) or delete through the confirmation window.
    void removeWithWarning(bool dataOnly);
    void rename();
    // The suite's program folder for a shortcut or launcher entry; false (after a message
    // box) when suite.ini cannot be read.
    static bool readSuiteFolder(QString &folder);
    // Shows what a clear or delete could not do, with the system's reason as the detail.
    static void reportRemoval(const ItemOpResult &result);

    frmHVSetup &m_window;
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
