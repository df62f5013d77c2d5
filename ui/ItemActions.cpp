#include "ui/ItemActions.h"

#include "ui/DirectoryActivation.h"
#include "ui/NamedMenus.h"

#include "app/AppState.h"
#include "app/MessageService.h"
#include "app/PathHelpers.h"
#include "app/ProgramLauncher.h"
#include "app/SuiteCommands.h"
#include "log/DiagnosticLog.h"
#include "ops/FileSet.h"
#include "ops/ItemDelete.h"
#include "ops/Shortcuts.h"
#include "suite/TemplateFileInfo.h"
#include "ui/CategoryBar.h"
#include "ui/CategoryListModel.h"
#include "ui/ItemListView.h"
#include "ui/WindowPlacement.h"
#include "ui/frmHVSetup.h"
#include "ui/frmRename.h"
#include "ui/frmWarning.h"
#include "ui/frmfileLock.h"

#include <QAbstractItemView>
#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeView>

namespace hv {

namespace {

const QString kModule = QStringLiteral("frmHVSetup");

// Clears the list's selection (the views share one selection model).
void clearSelection(ItemListView *list)
{
    list->selectRow(-1);
}

} // namespace

ItemActions::ItemActions(frmHVSetup &window) : QObject(&window), m_window(window)
{
    buildContextMenus();
    ItemListView *list = m_window.lstHVSETUP();
    for (QAbstractItemView *view : {static_cast<QAbstractItemView *>(list->detailsView()),
                                    static_cast<QAbstractItemView *>(list->iconView())}) {
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
    }
    connect(m_window.grdOUtlookBar(), &QTableWidget::cellDoubleClicked, this,
            [this] { grdOUtlookBar_DblClick(); });
}

QAction *ItemActions::makeAction(const char *name, const QString &caption,
                                 void (ItemActions::*slot)())
{
    auto *action = new QAction(caption, &m_window);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void ItemActions::buildContextMenus()
{
    QWidget *owner = &m_window;
    // Applications and popups.
    m_rightClickList = addNamedMenu(owner, "mnuRightClickList", QStringLiteral("RightClick"));
    m_filePack = makeAction("mnuFilePack", QStringLiteral("Application FilePack"),
                            &ItemActions::mnuFilePack_Click);
    m_rightClickList->addAction(m_filePack);
    m_separatorRight0 = addNamedSeparator(m_rightClickList, "mnuSeperatorRight0");
    m_renameRight =
        makeAction("mnuRenameRight", QStringLiteral("Rename"), &ItemActions::mnuRenameRight_Click);
    m_rightClickList->addAction(m_renameRight);
    addNamedSeparator(m_rightClickList, "mnuSeperatorRight2");
    QMenu *deleteClear = addNamedMenu(owner, "mnuDeleteClear", QStringLiteral("Delete/Clear"));
    m_clearData = makeAction("mnuClearData", QStringLiteral("Clear ___ Data"),
                             &ItemActions::mnuClearData_Click);
    deleteClear->addAction(m_clearData);
    addNamedSeparator(deleteClear, "mnuSeperatorRight1");
    m_deleteAll = makeAction("mnuDeleteAll", QStringLiteral("Delete ___ and Data"),
                             &ItemActions::mnuDeleteAll_Click);
    deleteClear->addAction(m_deleteAll);
    m_rightClickList->addMenu(deleteClear);
    addNamedSeparator(m_rightClickList, "mnuSeperator14");
    m_shortcutApp = addNamedMenu(owner, "mnuShortcutApp", QStringLiteral("Create Shortcut"));
    m_shortcutApp->addAction(
        makeAction("mnuDesktopApp", QStringLiteral("On Desktop"), &ItemActions::mnuDesktop_Click));
    m_shortcutApp->addAction(makeAction("mnuHVLaunchAPP", QStringLiteral("In HVLaunch"),
                                        &ItemActions::mnuHVLaunch_Click));
    m_rightClickList->addMenu(m_shortcutApp);

    // Directory files.
    m_rightDir = addNamedMenu(owner, "mnuRightDir", QStringLiteral("RightDir"));
    QMenu *shortcutDir = addNamedMenu(owner, "mnuShortcutDIR", QStringLiteral("Create Shortcut"));
    shortcutDir->addAction(
        makeAction("mnuDesktopDIR", QStringLiteral("On Destop"), &ItemActions::mnuDesktop_Click));
    shortcutDir->addAction(makeAction("mnuHVLaunchDIR", QStringLiteral("In HVLaunch"),
                                      &ItemActions::mnuHVLaunch_Click));
    m_rightDir->addMenu(shortcutDir);
    m_rightDir->addAction(makeAction("mnuRenameDir", QStringLiteral("Rename Dir File"),
                                     &ItemActions::mnuRenameDir_Click));
    addNamedSeparator(m_rightDir, "mnuSeperator10");
    m_rightDir->addAction(makeAction("mnuDeleteDir", QStringLiteral("Delete Dir File"),
                                     &ItemActions::mnuDeleteDir_Click));
}

bool ItemActions::selectedItem(SelectedItem &item) const
{
    const ItemListView *list = m_window.lstHVSETUP();
    const int row = list->selectedRow();
    if (row < 0 || row >= list->model()->list().rows.size())
        return false;
    const ListRow &selected = list->model()->list().rows.at(row);
    item = {selected.key, selected.text};
    return true;
}

bool ItemActions::eventFilter(QObject *watched, QEvent *event)
{
    ItemListView *list = m_window.lstHVSETUP();
    QAbstractItemView *view = list->currentView();
    if (watched == view->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            const QModelIndex index = view->indexAt(mouse->position().toPoint());
            lstHVSetup_MouseDown(mouse->button(), index.isValid() ? index.row() : -1,
                                 mouse->globalPosition().toPoint());
            // The right button's menu is the whole answer; the left goes on to the view.
            return mouse->button() == Qt::RightButton || !index.isValid();
        }
        if (event->type() == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
                lstHVSetup_DblClick();
            return true;
        }
        // The menu was shown on the press already.
        if (event->type() == QEvent::ContextMenu)
            return true;
        return false;
    }
    if (watched != view)
        return false;
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            lstHVSetup_DblClick();
            return true;
        }
        if (key->key() == Qt::Key_Menu ||
            (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
            popUpMenuAtSelection();
            return true;
        }
    } else if (event->type() == QEvent::ContextMenu) {
        if (static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard)
            popUpMenuAtSelection();
        return true;
    }
    return false;
}

void ItemActions::lstHVSetup_MouseDown(Qt::MouseButton button, int row, const QPoint &globalPos)
{
    ItemListView *list = m_window.lstHVSETUP();
    if (row < 0) {
        clearSelection(list);
        return;
    }
    list->selectRow(row);
    if (button == Qt::RightButton)
        popUpMenu(row, globalPos);
}

void ItemActions::popUpMenuAtSelection()
{
    ItemListView *list = m_window.lstHVSETUP();
    const int row = list->selectedRow();
    if (row < 0)
        return;
    QAbstractItemView *view = list->currentView();
    const QModelIndex index = list->model()->index(row, 0);
    view->scrollTo(index);
    const QRect rect = view->visualRect(index);
    popUpMenu(row, view->viewport()->mapToGlobal(rect.bottomLeft() + QPoint(rect.height(), 0)));
}

void ItemActions::popUpMenu(int row, const QPoint &globalPos)
{
    const CategoryList &shown = m_window.lstHVSETUP()->model()->list();
    if (row < 0 || row >= shown.rows.size())
        return;
    const ListRow &item = shown.rows.at(row);
    // The create-new row has no menu.
    if (item.key == QLatin1String(kKeyNew))
        return;
    const Category category = m_window.grdOUtlookBar()->currentCategory();
    if (category == Category::Directories) {
        m_filePack->setVisible(false);
        m_separatorRight0->setVisible(false);
        m_rightDir->popup(globalPos);
        return;
    }
    if (category != Category::Applications && category != Category::Popups)
        return;

    const bool application = category == Category::Applications;
    const QString path = AppState::instance().ProjectFolder() + item.key;
    qint32 records = 0;
    {
        TemplateFileInfo info(AppState::instance().ProjectFolder());
        records = application ? info.applicationSummary(path).recordCount
                              : info.popupSummary(path).recordCount;
    }
    m_shortcutApp->setEnabled(application);
    m_shortcutApp->menuAction()->setVisible(application);
    m_clearData->setEnabled(records != 0);
    m_clearData->setText(application ? QStringLiteral("Clear Application Data")
                                     : QStringLiteral("Clear Popup Data"));
    m_deleteAll->setText(application ? QStringLiteral("Delete Application and any Associated Data")
                                     : QStringLiteral("Delete Popup and any Associated Data"));
    m_renameRight->setText(application ? QStringLiteral("Rename Application")
                                       : QStringLiteral("Rename Popup"));
    m_filePack->setVisible(application);
    m_separatorRight0->setVisible(application);
    m_rightClickList->popup(globalPos);
}

void ItemActions::runHidden(const QString &commandLine)
{
    m_window.hide();
    ShellandWait(commandLine);
    m_window.show();
}

void ItemActions::launchAndComeBack(const std::function<void()> &launch)
{
    m_running = true;
    WriteRegWindowInfo(m_window);
    QCoreApplication::processEvents();
    launch();
    QCoreApplication::processEvents();
    ReadRegWindowInfo(m_window, false);
    m_window.RefillList();
    m_running = false;
}

void ItemActions::lstHVSetup_DblClick()
{
    SelectedItem item;
    if (m_running || !selectedItem(item))
        return;
    if (m_window.grdOUtlookBar()->currentCategory() == Category::Directories) {
        // The directory editor opens over the main window, which stays visible.
        m_running = true;
        ActivateDirectoryFile(m_window, item.key);
        m_running = false;
        return;
    }
    launchAndComeBack([&] {
        WriteLog(kModule, QStringLiteral("lstHVSetup_Dblclick"),
                 QStringLiteral("Double Click List Selection"));
        const AppState &state = AppState::instance();
        const Category category = m_window.grdOUtlookBar()->currentCategory();
        const QString commandLine = ActivationCommandLine(category, m_window.SuiteFolder(),
                                                          state.ProjectFolder(), item.key);
        switch (category) {
        case Category::Applications:
            m_window.hide();
            if (item.key == QLatin1String(kKeyNew) ||
                isFileLocked(fileset::DataFileOf(state.ProjectFolder(), item.key), &m_window))
                ShellandWait(commandLine);
            m_window.show();
            break;
        case Category::Popups:
        case Category::Rules:
        case Category::Units:
        case Category::Security:
            runHidden(commandLine);
            break;
        case Category::Directories:
            break; // handled above
        }
    });
}

void ItemActions::grdOUtlookBar_DblClick()
{
    SelectedItem item;
    if (m_running || !selectedItem(item))
        return;
    launchAndComeBack([&] {
        const QString commandLine = CategoryBarCommandLine(
            m_window.grdOUtlookBar()->currentCategory(), m_window.SuiteFolder());
        m_window.hide();
        if (!commandLine.isEmpty())
            ShellandWait(commandLine);
        m_window.show();
    });
}

void ItemActions::mnuFilePack_Click()
{
    SelectedItem item;
    if (m_running || !selectedItem(item))
        return;
    m_running = true;
    runHidden(FilePackCommandLine(m_window.SuiteFolder(), AppState::instance().ProjectFolder(),
                                  item.key));
    m_running = false;
}

void ItemActions::reportRemoval(const ItemOpResult &result)
{
    // Files deleted permanently were deleted as the user chose; a refusal of the trash that
    // was answered No is no failure to report either.
    if (!result.ok && !result.trashRefused)
        ShowResult(result);
}

void ItemActions::removeWithWarning(bool dataOnly)
{
    SelectedItem item;
    if (m_running || !selectedItem(item))
        return;
    AppState &state = AppState::instance();
    state.SetSelectedItemPath(state.ProjectFolder() + item.key);
    frmWarning warning(&m_window);
    if (m_window.grdOUtlookBar()->currentCategory() == Category::Applications)
        warning.IsApplication(true);
    else
        warning.IsPopup(true);
    warning.DeleteDataOnly(dataOnly);
    warning.exec();
    m_window.RefillList();
    if (warning.answeredYes())
        reportRemoval(warning.result());
}

void ItemActions::mnuClearData_Click()
{
    removeWithWarning(true);
}

void ItemActions::mnuDeleteAll_Click()
{
    removeWithWarning(false);
}

void ItemActions::mnuDeleteDir_Click()
{
    SelectedItem item;
    if (m_running || !selectedItem(item))
        return;
    AppState &state = AppState::instance();
    state.SetSelectedItemPath(state.ProjectFolder() + item.key);
    const MsgAnswer answer =
        ShowMessage(DeleteDirQuestion(item.key), DeleteDirCaption(), MsgButtons::YesNo);
    if (answer == MsgAnswer::Yes) {
        const ItemOpResult result =
            DeleteDirFile(state.SelectedItemPath(), {}, nullptr, AskDeletePermanently);
        m_window.RefillList();
        reportRemoval(result);
        return;
    }
    m_window.RefillList();
}

void ItemActions::rename()
{
    SelectedItem item;
    if (m_running || !selectedItem(item))
        return;
    AppState::instance().SetSelectedItemFile(item.key);
    frmRename window(&m_window);
    window.exec();
    m_window.RefillList();
}

void ItemActions::mnuRenameRight_Click()
{
    rename();
}

void ItemActions::mnuRenameDir_Click()
{
    rename();
}

bool ItemActions::readSuiteFolder(QString &folder)
{
    const SuiteFolderResult suite = ReadSuiteFolder();
    if (!suite.ok) {
        ShowResult(suite);
        return false;
    }
    folder = suite.folder;
    return true;
}

void ItemActions::mnuDesktop_Click()
{
    SelectedItem item;
    QString suiteFolder;
    if (!selectedItem(item) || !readSuiteFolder(suiteFolder))
        return;
    const ShortcutResult result =
        CreateItemShortcut(AppState::instance().ProjectFolder(), suiteFolder, item.key, item.title);
    // A shortcut that cannot be written is skipped without a message.
    if (!result.ok)
        WriteLog(kModule, QStringLiteral("mnuDesktop_Click"), result.messageWithReason());
}

void ItemActions::mnuHVLaunch_Click()
{
    SelectedItem item;
    QString suiteFolder;
    if (!selectedItem(item) || !readSuiteFolder(suiteFolder))
        return;
    const ShortcutResult result =
        AddLauncherEntry(AppState::instance().ProjectFolder(), suiteFolder, item.key, item.title);
    if (result.ok)
        ShowMessage(result.message);
    else
        ShowResult(result);
}

} // namespace hv
