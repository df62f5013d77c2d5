#include "ui/ItemActions.h"

#include "ui/NamedMenus.h"
#include "ui/frmRename.h"
#include "ui/frmWarning.h"
#include "ui/frmfileLock.h"

#include "app/AppState.h"
#include "app/MessageService.h"
#include "app/PathHelpers.h"
#include "app/ProgramLauncher.h"
#include "app/SuiteCommands.h"
#include "log/DiagnosticLog.h"
#include "ops/FileSet.h"
#include "ops/ItemRename.h"
#include "ops/LockRetry.h"
#include "ops/Shortcuts.h"
#include "suite/TemplateFileInfo.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

namespace hv {

namespace {

const QString kModule = QStringLiteral("frmHVSetup");

// Asks whether the file at `path`, which the trash refuses for `reason`, may be deleted
// permanently; true for Yes.
bool AskDeletePermanently(const QString &path, const QString &reason)
{
    return ShowMessage(PermanentDeleteQuestionText(path), QStringLiteral("Delete"),
                       MsgButtons::YesNo, MsgIcon::Exclamation, reason) == MsgAnswer::Yes;
}

} // namespace

ItemActions::ItemActions(ItemHost &host, QObject *parent) : QObject(parent), m_host(host)
{
    buildContextMenus();
}

QAction *ItemActions::makeAction(const char *name, const QString &caption,
                                 void (ItemActions::*slot)())
{
    auto *action = new QAction(caption, m_host.ownerWidget());
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void ItemActions::buildContextMenus()
{
    QWidget *owner = m_host.ownerWidget();
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

bool ItemActions::selectedItem(ItemRef &item) const
{
    const QList<ItemRef> items = m_host.selectedItems();
    if (items.isEmpty())
        return false;
    item = items.front();
    return true;
}

void ItemActions::popUpMenu(const QPoint &globalPos)
{
    ItemRef item;
    if (!selectedItem(item))
        return;
    // The create-new row has no menu.
    if (item.key == QLatin1String(kKeyNew))
        return;
    const Category category = m_host.category();
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

bool ItemActions::mayOpen(const QString &path)
{
    const QString module = QStringLiteral("mMain");
    const QString procedure = QStringLiteral("isFileLocked");
    const NetworkPaths network;
    const LockCheckResult result = isFileLocked(path, m_lockService, network);
    if (!result.isOpen())
        return true;
    frmfileLock window(m_host.ownerWidget(), path, result);
    connect(&window, &frmfileLock::retryRequested, &window, [&] {
        const LockCheckResult again = RetryFileLock(path, m_lockService, network);
        if (again.isOpen())
            window.showLockResult(again);
        else
            window.fileReleased();
    });
    WriteLog(module, procedure, QStringLiteral("Before Show Form"));
    const bool cancelled = window.exec() != QDialog::Accepted;
    AppState::instance().SetFileLockCancelled(cancelled);
    WriteLog(module, procedure, QStringLiteral("After  Show Form"));
    return !cancelled;
}

void ItemActions::lstHVSetup_DblClick()
{
    ItemRef item;
    if (m_running || !selectedItem(item))
        return;
    const Category category = m_host.category();
    m_running = true;
    if (category == Category::Directories) {
        // The directory editor opens over the main window, which stays visible.
        m_host.openDirectoryFile(item.key);
        m_running = false;
        return;
    }
    WriteLog(kModule, QStringLiteral("lstHVSetup_Dblclick"),
             QStringLiteral("Double Click List Selection"));
    const QString folder = AppState::instance().ProjectFolder();
    const QString commandLine =
        ActivationCommandLine(category, m_host.suiteFolder(), folder, item.key);
    m_host.runHidden(
        [&] {
            if (category != Category::Applications || item.key == QLatin1String(kKeyNew) ||
                mayOpen(fileset::DataFileOf(folder, item.key)))
                ShellandWait(commandLine);
        },
        true);
    m_running = false;
}

void ItemActions::grdOUtlookBar_DblClick()
{
    ItemRef item;
    if (m_running || !selectedItem(item))
        return;
    const QString commandLine = CategoryBarCommandLine(m_host.category(), m_host.suiteFolder());
    m_running = true;
    m_host.runHidden(
        [&] {
            if (!commandLine.isEmpty())
                ShellandWait(commandLine);
        },
        true);
    m_running = false;
}

void ItemActions::mnuFilePack_Click()
{
    ItemRef item;
    if (m_running || !selectedItem(item))
        return;
    const QString commandLine =
        FilePackCommandLine(m_host.suiteFolder(), AppState::instance().ProjectFolder(), item.key);
    m_running = true;
    m_host.runHidden([&] { ShellandWait(commandLine); }, false);
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
    ItemRef item;
    if (m_running || !selectedItem(item))
        return;
    AppState &state = AppState::instance();
    state.SetSelectedItemPath(state.ProjectFolder() + item.key);
    const QString path = state.SelectedItemPath();
    const bool application = m_host.category() == Category::Applications;
    TemplateFileInfo info(state.ProjectFolder());
    frmWarning warning(m_host.ownerWidget(),
                       DeleteConfirmationFor(info, path, application, dataOnly));
    const bool yes = warning.exec() == QDialog::Accepted;
    ItemOpResult result;
    if (yes) {
        if (dataOnly) {
            result = ClearItemData(path, application, {}, nullptr, AskDeletePermanently);
        } else {
            TemplateFileInfo current(state.ProjectFolder());
            result = DeleteItem(path, application, current, {}, nullptr, AskDeletePermanently);
        }
    }
    m_host.refill();
    if (yes)
        reportRemoval(result);
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
    ItemRef item;
    if (m_running || !selectedItem(item))
        return;
    AppState &state = AppState::instance();
    state.SetSelectedItemPath(state.ProjectFolder() + item.key);
    const MsgAnswer answer =
        ShowMessage(DeleteDirQuestion(item.key), DeleteDirCaption(), MsgButtons::YesNo);
    if (answer == MsgAnswer::Yes) {
        const ItemOpResult result =
            DeleteDirFile(state.SelectedItemPath(), {}, nullptr, AskDeletePermanently);
        m_host.refill();
        reportRemoval(result);
        return;
    }
    m_host.refill();
}

void ItemActions::rename()
{
    ItemRef item;
    if (m_running || !selectedItem(item))
        return;
    AppState &state = AppState::instance();
    state.SetSelectedItemFile(item.key);
    const QString folder = state.ProjectFolder();
    const RenamePrompt prompt = RenamePromptFor(item.key);
    frmRename window(m_host.ownerWidget(), prompt.prompt, prompt.caption, item.key);
    connect(&window, &frmRename::renameRequested, &window, [&](const QString &newName) {
        TemplateFileInfo info(folder);
        const RenameResult result = RenameItem(folder, item.key, newName, info);
        if (!result.message.isEmpty())
            ShowMessage(result.message, result.title, MsgButtons::Ok, MsgIcon::None, result.reason);
        window.answerRename(result.ok, result.closesWindow());
    });
    window.exec();
    m_host.refill();
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
    ItemRef item;
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
    ItemRef item;
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
