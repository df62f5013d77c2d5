#include "ui/ItemActions.h"

#include "ui/dialogs/DataWindow.h"
#include "ui/dialogs/frmRename.h"
#include "ui/dialogs/frmWarning.h"
#include "ui/dialogs/frmfileLock.h"
#include "ui/mainwindow/NamedMenus.h"

#include "app/AppState.h"
#include "app/Jobs.h"
#include "app/MessageService.h"
#include "app/PathHelpers.h"
#include "app/ProgramLauncher.h"
#include "app/SuiteCommands.h"
#include "log/DiagnosticLog.h"
#include "ops/FileSet.h"
#include "ops/ItemRename.h"
#include "ops/LockRetry.h"
#include "ops/Shortcuts.h"
#include "platform/FileNames.h"
#include "suite/TemplateFileInfo.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QUrl>

#include <limits>

namespace hv {

namespace {

const QString kModule = QStringLiteral("frmHVSetup");

// Asks whether the file at `path`, which the trash refuses for `reason`, may be deleted
// permanently; true for Yes.
bool AskDeletePermanently(const QString &path, const QString &reason)
{
    return ShowMessage(PermanentDeleteQuestionText(path), ItemActions::tr("Delete"),
                       MsgButtons::YesNo, MsgIcon::Exclamation, reason) == MsgAnswer::Yes;
}

// The same question asked from a job's worker: the message box opens on the user-interface
// thread while the worker waits for the answer.
bool AskDeletePermanentlyFromWorker(const QString &path, const QString &reason)
{
    bool yes = false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&] { yes = AskDeletePermanently(path, reason); },
        Qt::BlockingQueuedConnection);
    return yes;
}

// The result of work that saw its cancel before its first move.
template <class R> R cancelledResult()
{
    R result;
    result.fail(ItemActions::tr("The operation was cancelled."), ItemActions::tr("Cancelled"));
    return result;
}

// What a clear or delete of `title` did, for the status bar.
QString removalNotice(const ItemOpResult &result, const QString &title, bool dataOnly,
                      qint32 recordCount)
{
    if (dataOnly)
        return ItemActions::tr("Cleared %n records of %1", nullptr, recordCount).arg(title);
    const int trashed = int(result.trashed.size());
    const int gone = int(result.deletedOutright.size());
    if (gone > 0)
        return ItemActions::tr("Deleted %1 (%n files deleted permanently)", nullptr, gone)
            .arg(title);
    return ItemActions::tr("Deleted %1 (%n files to the trash)", nullptr, trashed).arg(title);
}

// "1 record", "3 records": a total of records may pass an int, which tr() takes to choose the
// plural form; such a total is shown in full, in the form of a large number.
QString recordsText(qint64 n)
{
    const int form = n <= std::numeric_limits<int>::max() ? int(n) : 1000000;
    return ItemActions::tr("%1 records", nullptr, form).arg(n);
}

// What a clear or delete of `count` items of `kind` did, for the status bar.
QString severalNotice(const ItemOpResult &result, fileset::ItemKind kind, qsizetype count,
                      bool dataOnly, qint64 recordCount)
{
    const int n = int(count);
    const QString items =
        kind == fileset::ItemKind::Application ? ItemActions::tr("%n applications", nullptr, n)
        : kind == fileset::ItemKind::Popup     ? ItemActions::tr("%n popups", nullptr, n)
                                               : ItemActions::tr("%n directory files", nullptr, n);
    if (dataOnly)
        return ItemActions::tr("Cleared %1 of %2").arg(recordsText(recordCount), items);
    if (!result.deletedOutright.isEmpty())
        return ItemActions::tr("Deleted %1 (%2 deleted permanently)")
            .arg(items, ItemActions::tr("%n files", nullptr, int(result.deletedOutright.size())));
    return ItemActions::tr("Deleted %1 (%2 to the trash)")
        .arg(items, ItemActions::tr("%n files", nullptr, int(result.trashed.size())));
}

// The kind of the items that `category` lists.
fileset::ItemKind kindListed(Category category)
{
    return category == Category::Applications ? fileset::ItemKind::Application
           : category == Category::Popups     ? fileset::ItemKind::Popup
                                              : fileset::ItemKind::Directory;
}

} // namespace

ItemActions::ItemActions(ItemHost &host, QObject *parent) : QObject(parent), m_host(host)
{
    buildContextMenus();
}

ItemActions::~ItemActions()
{
    // A job not yet moving anything never starts; one that moves finishes or undoes.
    if (m_job)
        m_job->cancel();
}

void ItemActions::setBusy(bool busy)
{
    m_running = busy;
    for (QAction *action : m_commands)
        action->setEnabled(!busy && !(m_readOnly && m_changing.contains(action)));
}

void ItemActions::setFolderReadOnly(bool readOnly, const QString &why)
{
    m_readOnly = readOnly;
    for (QAction *action : m_changing)
        action->setToolTip(readOnly ? why : QString());
    setBusy(m_running);
}

void ItemActions::finishCommand(bool refill)
{
    setBusy(false);
    if (refill)
        m_host.refill();
    Q_EMIT commandFinished();
}

QAction *ItemActions::makeAction(const char *name, const QString &caption,
                                 void (ItemActions::*slot)())
{
    auto *action = new QAction(caption, m_host.ownerWidget());
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, slot);
    m_commands.append(action);
    return action;
}

QAction *ItemActions::makeHelperAction(const char *name, const QString &caption)
{
    auto *action = new QAction(caption, m_host.ownerWidget());
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void ItemActions::buildContextMenus()
{
    QWidget *owner = m_host.ownerWidget();
    // Every item of the context menus has an access key; the captions' text stays as it is.
    // Applications and popups.
    m_rightClickList = addNamedMenu(owner, "mnuRightClickList", QStringLiteral("RightClick"));
    m_filePack =
        makeAction("mnuFilePack", tr("Application &FilePack"), &ItemActions::mnuFilePack_Click);
    m_rightClickList->addAction(m_filePack);
    m_separatorRight0 = addNamedSeparator(m_rightClickList, "mnuSeperatorRight0");
    m_renameRight = makeAction("mnuRenameRight", tr("&Rename"), &ItemActions::mnuRenameRight_Click);
    m_rightClickList->addAction(m_renameRight);
    addNamedSeparator(m_rightClickList, "mnuSeperatorRight2");
    QMenu *deleteClear = addNamedMenu(owner, "mnuDeleteClear", tr("&Delete/Clear"));
    m_clearData =
        makeAction("mnuClearData", tr("&Clear ___ Data"), &ItemActions::mnuClearData_Click);
    deleteClear->addAction(m_clearData);
    addNamedSeparator(deleteClear, "mnuSeperatorRight1");
    m_deleteAll =
        makeAction("mnuDeleteAll", tr("&Delete ___ and Data"), &ItemActions::mnuDeleteAll_Click);
    deleteClear->addAction(m_deleteAll);
    m_rightClickList->addMenu(deleteClear);
    addNamedSeparator(m_rightClickList, "mnuSeperator14");
    m_shortcutApp = addNamedMenu(owner, "mnuShortcutApp", tr("Create &Shortcut"));
    m_shortcutApp->addAction(
        makeAction("mnuDesktopApp", tr("On &Desktop"), &ItemActions::mnuDesktop_Click));
    m_shortcutApp->addAction(
        makeAction("mnuHVLaunchAPP", tr("In &HVLaunch"), &ItemActions::mnuHVLaunch_Click));
    m_rightClickList->addMenu(m_shortcutApp);
    // Ctrl+Enter reaches it from the list without the menu.
    m_separatorViewData = addNamedSeparator(m_rightClickList, "mnuSeperatorViewData");
    m_viewData = makeAction("mnuViewData", tr("&View Data…"), &ItemActions::mnuViewData_Click);
    m_viewData->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    owner->addAction(m_viewData);
    m_rightClickList->addAction(m_viewData);

    // Directory files.
    m_rightDir = addNamedMenu(owner, "mnuRightDir", QStringLiteral("RightDir"));
    m_shortcutDir = addNamedMenu(owner, "mnuShortcutDIR", tr("Create &Shortcut"));
    m_shortcutDir->addAction(
        makeAction("mnuDesktopDIR", tr("On &Destop"), &ItemActions::mnuDesktop_Click));
    m_shortcutDir->addAction(
        makeAction("mnuHVLaunchDIR", tr("In &HVLaunch"), &ItemActions::mnuHVLaunch_Click));
    m_rightDir->addMenu(m_shortcutDir);
    m_renameDir =
        makeAction("mnuRenameDir", tr("&Rename Dir File"), &ItemActions::mnuRenameDir_Click);
    m_rightDir->addAction(m_renameDir);
    addNamedSeparator(m_rightDir, "mnuSeperator10");
    m_rightDir->addAction(
        makeAction("mnuDeleteDir", tr("&Delete Dir File"), &ItemActions::mnuDeleteDir_Click));

    const QStringList changing = {QStringLiteral("mnuRenameRight"), QStringLiteral("mnuClearData"),
                                  QStringLiteral("mnuDeleteAll"), QStringLiteral("mnuRenameDir"),
                                  QStringLiteral("mnuDeleteDir")};
    for (QAction *action : std::as_const(m_commands))
        if (changing.contains(action->objectName()))
            m_changing.append(action);
    // Why a command is disabled shows as its tool tip.
    for (QMenu *menu : {m_rightClickList, deleteClear, m_rightDir})
        menu->setToolTipsVisible(true);

    // Both menus end with the item's path and folder, which change nothing.
    m_copyPath = makeHelperAction("mnuCopyPath", tr("&Copy Path"));
    m_copyPath->setShortcut(QKeySequence::Copy);
    connect(m_copyPath, &QAction::triggered, this, &ItemActions::mnuCopyPath_Click);
    m_openFolder = makeHelperAction("mnuOpenFolder", tr("&Open Containing Folder"));
    connect(m_openFolder, &QAction::triggered, this, &ItemActions::mnuOpenFolder_Click);
    for (QMenu *menu : {m_rightClickList, m_rightDir}) {
        addNamedSeparator(menu, menu == m_rightDir ? "mnuSeperatorDirPath" : "mnuSeperatorPath");
        menu->addAction(m_copyPath);
        menu->addAction(m_openFolder);
    }

    // The keys of the list run the commands of the items' category themselves: a menu item's
    // enablement was set for the rows it last opened on. Rename takes one item.
    m_renameKey = makeHelperAction("actRenameKey", tr("Rename"));
    m_renameKey->setShortcut(Qt::Key_F2);
    connect(m_renameKey, &QAction::triggered, this, &ItemActions::renameByKey);
    m_deleteKey = makeHelperAction("actDeleteKey", tr("Delete"));
    m_deleteKey->setShortcuts(
        {QKeySequence(Qt::Key_Delete), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    connect(m_deleteKey, &QAction::triggered, this, &ItemActions::deleteByKey);
    for (QAction *key : {m_renameKey, m_deleteKey, m_copyPath})
        key->setShortcutContext(Qt::WidgetWithChildrenShortcut);
}

void ItemActions::attachKeys(QWidget *list)
{
    list->addActions({m_renameKey, m_deleteKey, m_copyPath});
}

QList<ItemRef> ItemActions::selectedFiles() const
{
    const Category category = m_host.category();
    if (!m_host.listIsCurrent() ||
        (category != Category::Applications && category != Category::Popups &&
         category != Category::Directories))
        return {};
    QList<ItemRef> items = m_host.selectedItems();
    items.removeIf([](const ItemRef &item) { return item.key == QLatin1String(kKeyNew); });
    return items;
}

void ItemActions::renameByKey()
{
    // A project folder that cannot be changed keeps its items, as the menus' do.
    if (!m_running && !m_readOnly && selectedFiles().size() == 1)
        rename();
}

void ItemActions::deleteByKey()
{
    if (m_running || m_readOnly || selectedFiles().isEmpty())
        return;
    if (m_host.category() == Category::Directories)
        mnuDeleteDir_Click();
    else
        mnuDeleteAll_Click();
}

void ItemActions::mnuCopyPath_Click()
{
    QStringList texts;
    QByteArray uris;
    for (const ItemRef &item : selectedFiles()) {
        const QString path = AppState::instance().ProjectFolder() + item.key;
        // A name that is not UTF-8 is copied as text in its display form; the file's
        // address keeps its exact bytes.
        texts.append(paths::hasRawBytes(path) ? paths::displayName(path) : path);
        uris += "file://" + QUrl::toPercentEncoding(paths::encodeName(path), "/") + "\r\n";
    }
    if (texts.isEmpty())
        return;
    auto *data = new QMimeData;
    data->setText(texts.join(u'\n'));
    data->setData(QStringLiteral("text/uri-list"), uris);
    QGuiApplication::clipboard()->setMimeData(data);
}

void ItemActions::mnuOpenFolder_Click()
{
    if (selectedFiles().isEmpty())
        return;
    const QString folder = AppState::instance().ProjectFolder();
    if (paths::hasRawBytes(folder)) {
        ShowMessage(paths::rawBytesRefusal(folder), QString(), MsgButtons::Ok,
                    MsgIcon::Exclamation);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

bool ItemActions::selectedItem(ItemRef &item) const
{
    const QList<ItemRef> items = m_host.selectedItems();
    if (items.size() != 1)
        return false;
    item = items.front();
    return true;
}

void ItemActions::popUpMenu(const QPoint &globalPos)
{
    const QList<ItemRef> items = m_host.selectedItems();
    // The create-new row has no menu.
    if (items.isEmpty() || items.front().key == QLatin1String(kKeyNew))
        return;
    // Rename, the file pack and the shortcuts work on one item.
    const bool one = items.size() == 1;
    const Category category = m_host.category();
    if (category == Category::Directories) {
        m_filePack->setVisible(false);
        m_separatorRight0->setVisible(false);
        m_renameDir->setEnabled(one && !m_running);
        m_shortcutDir->setEnabled(one);
        m_rightDir->popup(globalPos);
        return;
    }
    if (category != Category::Applications && category != Category::Popups)
        return;

    const bool application = category == Category::Applications;
    // The counts the list shows, as its fill read them: no template is read here.
    qint64 records = 0;
    for (const ItemRef &each : items)
        records += each.records;
    m_renameRight->setEnabled(one && !m_running);
    m_filePack->setEnabled(one && !m_running);
    m_shortcutApp->setEnabled(application && one);
    m_shortcutApp->menuAction()->setVisible(application);
    m_clearData->setEnabled(records != 0 && !m_running && !m_readOnly);
    m_clearData->setText(application ? tr("&Clear Application Data") : tr("&Clear Popup Data"));
    m_deleteAll->setText(application ? tr("&Delete Application and any Associated Data")
                                     : tr("&Delete Popup and any Associated Data"));
    m_renameRight->setText(application ? tr("&Rename Application") : tr("&Rename Popup"));
    m_filePack->setVisible(application);
    m_separatorRight0->setVisible(application);
    m_separatorViewData->setVisible(application); // a popup's menu has a separator there
    m_rightClickList->popup(globalPos);
}

void ItemActions::askAboutHeldFile(const QString &path, const LockCheckResult &result,
                                   const std::function<void(bool mayOpen)> &then)
{
    if (!result.isOpen()) {
        then(true);
        return;
    }
    const QString module = QStringLiteral("mMain");
    const QString procedure = QStringLiteral("isFileLocked");
    frmfileLock window(m_host.ownerWidget(), path, result);
    QPointer<frmfileLock> asking(&window);
    connect(&window, &frmfileLock::retryRequested, this, [this, asking, path] {
        const FileLockServiceFactory service = m_lockService;
        auto *retry = startJob<LockCheckResult>(
            path, [=](JobControl &) { return RetryFileLock(path, service, NetworkPaths()); });
        m_job = retry;
        Q_EMIT jobStarted(retry, tr("Checking %1").arg(paths::displayName(path)));
        connect(retry, &Job::finished, this, [retry, asking] {
            if (!asking)
                return; // the window was answered meanwhile
            if (retry->isCancelled() || retry->result().isOpen())
                asking->showLockResult(retry->isCancelled() ? LockCheckResult() : retry->result());
            else
                asking->fileReleased();
        });
    });
    WriteLog(module, procedure, QStringLiteral("Before Show Form"));
    const bool cancelled = window.exec() != QDialog::Accepted;
    AppState::instance().SetFileLockCancelled(cancelled);
    WriteLog(module, procedure, QStringLiteral("After  Show Form"));
    then(!cancelled);
}

void ItemActions::lstHVSetup_DblClick()
{
    ItemRef item;
    if (m_running || !selectedItem(item))
        return;
    const Category category = m_host.category();
    setBusy(true);
    if (item.key == QLatin1String(kKeyNew))
        m_host.selectNewFileAfterRefill();
    if (category == Category::Directories) {
        // The directory editor opens over the main window, which stays visible.
        m_host.openDirectoryFile(item.key, [this] { finishCommand(false); });
        return;
    }
    WriteLog(kModule, QStringLiteral("lstHVSetup_Dblclick"),
             QStringLiteral("Double Click List Selection"));
    const QString folder = AppState::instance().ProjectFolder();
    const QString commandLine =
        ActivationCommandLine(category, m_host.suiteFolder(), folder, item.key);
    m_host.hideForProgram(true);
    const auto runAndComeBack = [this, commandLine](bool mayRun) {
        if (mayRun)
            ShellandWait(commandLine);
        m_host.showAfterProgram(true);
        finishCommand(false);
    };
    if (category != Category::Applications || item.key == QLatin1String(kKeyNew)) {
        runAndComeBack(true);
        return;
    }
    // The data file is asked about off this thread: a share that does not answer leaves the
    // window responsive.
    const QString path = fileset::DataFileOf(folder, item.key);
    const FileLockServiceFactory service = m_lockService;
    auto *check = startJob<LockCheckResult>(folder, [=](JobControl &control) {
        LockCheckResult result;
        if (!control.isCancelled())
            result = isFileLocked(path, service, NetworkPaths());
        return result;
    });
    m_job = check;
    Q_EMIT jobStarted(check, tr("Checking %1").arg(paths::displayName(path)));
    connect(check, &Job::finished, this, [this, check, path, runAndComeBack] {
        if (check->isCancelled()) {
            runAndComeBack(false);
            return;
        }
        askAboutHeldFile(path, check->result(), runAndComeBack);
    });
}

void ItemActions::grdOUtlookBar_DblClick()
{
    ItemRef item;
    if (m_running || !selectedItem(item))
        return;
    const QString commandLine = CategoryBarCommandLine(m_host.category(), m_host.suiteFolder());
    setBusy(true);
    m_host.hideForProgram(true);
    if (!commandLine.isEmpty())
        ShellandWait(commandLine);
    m_host.showAfterProgram(true);
    finishCommand(false);
}

void ItemActions::mnuFilePack_Click()
{
    ItemRef item;
    if (m_running || !selectedItem(item))
        return;
    const QString commandLine =
        FilePackCommandLine(m_host.suiteFolder(), AppState::instance().ProjectFolder(), item.key);
    // The window stays shown while the file pack runs; the item commands wait for it.
    setBusy(true);
    ShellandWait(commandLine);
    finishCommand(false);
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
    const QList<ItemRef> items = m_host.selectedItems();
    if (m_running || items.isEmpty())
        return;
    if (items.size() > 1) {
        removeSeveral(items, dataOnly);
        return;
    }
    const ItemRef item = items.front();
    AppState &state = AppState::instance();
    state.SetSelectedItemPath(state.ProjectFolder() + item.key);
    const QString path = state.SelectedItemPath();
    const QString folder = state.ProjectFolder();
    const bool application = m_host.category() == Category::Applications;
    // The confirmation names the template's title: it is read off the window's thread, the
    // commands disabled meanwhile.
    struct Question {
        DeleteConfirmation text;
        qint32 recordCount = 0;
    };
    setBusy(true);
    auto *read = startJob<Question>(folder, [=](JobControl &) {
        TemplateFileInfo info(folder);
        Question question{DeleteConfirmationFor(info, path, application, dataOnly), 0};
        if (dataOnly)
            question.recordCount =
                (application ? info.applicationSummary(path) : info.popupSummary(path)).recordCount;
        return question;
    });
    m_job = read;
    Q_EMIT jobStarted(read, tr("Reading %1").arg(item.title));
    connect(read, &Job::finished, this, [=, this] {
        const Question question = read->result();
        if (read->isCancelled()) {
            finishCommand(false);
            return;
        }
        frmWarning warning(m_host.ownerWidget(), question.text);
        if (warning.exec() != QDialog::Accepted) {
            finishCommand(true);
            return;
        }
        WriteLog(QStringLiteral("frmWarning"), QStringLiteral("cmdYes_Click"),
                 QStringLiteral("File Delete Initiated for: ") + path);
        m_host.selectInPlaceOf({item.key});
        startRemoval(
            folder, (dataOnly ? tr("Clearing %1") : tr("Deleting %1")).arg(item.title),
            [=](JobControl &control) {
                if (control.isCancelled())
                    return cancelledResult<ItemOpResult>();
                TemplateFileInfo info(folder);
                return ItemOpResult(RemoveItems({path}, dataOnly, info, {}, nullptr,
                                                AskDeletePermanentlyFromWorker));
            },
            [=, title = item.title, records = question.recordCount](const ItemOpResult &result) {
                return removalNotice(result, title, dataOnly, records);
            });
    });
}

void ItemActions::removeSeveral(const QList<ItemRef> &items, bool dataOnly)
{
    const QString folder = AppState::instance().ProjectFolder();
    const fileset::ItemKind kind = kindListed(m_host.category());
    const DeleteConfirmation text = SeveralConfirmationText(kind, dataOnly, items.size());
    bool yes = false;
    if (kind == fileset::ItemKind::Directory) {
        yes = ShowMessage(text.question, text.caption, MsgButtons::YesNo) == MsgAnswer::Yes;
    } else {
        frmWarning warning(m_host.ownerWidget(), text);
        yes = warning.exec() == QDialog::Accepted;
    }
    if (!yes) {
        m_host.refill();
        Q_EMIT commandFinished();
        return;
    }
    QStringList keys;
    QStringList paths;
    qint64 records = 0;
    for (const ItemRef &item : items) {
        keys << item.key;
        paths << folder + item.key;
        records += item.records;
        if (kind != fileset::ItemKind::Directory)
            WriteLog(QStringLiteral("frmWarning"), QStringLiteral("cmdYes_Click"),
                     QStringLiteral("File Delete Initiated for: ") + paths.last());
    }
    m_host.selectInPlaceOf(keys);
    startRemoval(
        folder,
        dataOnly ? tr("Clearing %n items", nullptr, int(items.size()))
                 : tr("Deleting %n items", nullptr, int(items.size())),
        [=](JobControl &control) {
            if (control.isCancelled())
                return cancelledResult<ItemOpResult>();
            TemplateFileInfo info(folder);
            return ItemOpResult(
                RemoveItems(paths, dataOnly, info, {}, nullptr, AskDeletePermanentlyFromWorker));
        },
        [=, count = items.size()](const ItemOpResult &result) {
            return severalNotice(result, kind, count, dataOnly, records);
        });
}

void ItemActions::startRemoval(const QString &folder, const QString &what,
                               const std::function<ItemOpResult(JobControl &)> &work,
                               const std::function<QString(const ItemOpResult &)> &notice)
{
    setBusy(true);
    auto *job = startJob<ItemOpResult>(folder, work);
    m_job = job;
    Q_EMIT jobStarted(job, what);
    connect(job, &Job::finished, this, [this, job, notice] {
        const ItemOpResult result = job->result();
        const bool cancelled = job->isCancelled();
        if (result.ok && !(result.trashed.isEmpty() && result.deletedOutright.isEmpty()))
            Q_EMIT operationDone(notice(result));
        finishCommand(true);
        if (!cancelled)
            reportRemoval(result);
    });
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
    const QList<ItemRef> items = m_host.selectedItems();
    if (m_running || items.isEmpty())
        return;
    if (items.size() > 1) {
        removeSeveral(items, false);
        return;
    }
    const ItemRef &item = items.front();
    AppState &state = AppState::instance();
    state.SetSelectedItemPath(state.ProjectFolder() + item.key);
    const QString path = state.SelectedItemPath();
    const MsgAnswer answer =
        ShowMessage(DeleteDirQuestion(item.key), DeleteDirCaption(), MsgButtons::YesNo);
    if (answer != MsgAnswer::Yes) {
        m_host.refill();
        Q_EMIT commandFinished();
        return;
    }
    m_host.selectInPlaceOf({item.key});
    startRemoval(
        state.ProjectFolder(), tr("Deleting %1").arg(item.title),
        [=](JobControl &control) {
            if (control.isCancelled())
                return cancelledResult<ItemOpResult>();
            return DeleteDirFile(path, {}, nullptr, AskDeletePermanentlyFromWorker);
        },
        [title = item.title](const ItemOpResult &result) {
            return removalNotice(result, title, false, 0);
        });
}

// The item's key after a rename: the new name of the file that was `oldKey`.
QString ItemActions::renamedKey(const QString &oldKey, const QString &newName,
                                const RenameResult &result)
{
    for (const auto &[from, to] : result.renamed) {
        if (from.mid(from.lastIndexOf(u'/') + 1) == oldKey)
            return to.mid(to.lastIndexOf(u'/') + 1);
    }
    const qsizetype dot = oldKey.lastIndexOf(u'.');
    return dot < 0 ? newName : newName + oldKey.mid(dot);
}

void ItemActions::rename()
{
    ItemRef item;
    if (m_running || !selectedItem(item))
        return;
    AppState &state = AppState::instance();
    state.SetSelectedItemFile(item.key);
    const QString folder = state.ProjectFolder();
    const QString file = item.key;
    const RenamePrompt prompt = RenamePromptFor(file);
    setBusy(true);
    frmRename window(m_host.ownerWidget(), prompt.prompt, prompt.caption, file);
    QPointer<frmRename> asking(&window);
    connect(&window, &frmRename::renameRequested, this, [=, this](const QString &newName) {
        auto *job = startJob<RenameResult>(folder, [=](JobControl &control) {
            if (control.isCancelled())
                return cancelledResult<RenameResult>();
            TemplateFileInfo info(folder);
            return RenameItem(folder, file, newName, info);
        });
        m_job = job;
        Q_EMIT jobStarted(job, tr("Renaming %1").arg(paths::displayName(file)));
        connect(job, &Job::finished, this, [this, job, asking, file, newName] {
            const RenameResult result = job->result();
            if (result.ok)
                m_host.selectAfterRefill(renamedKey(file, newName, result));
            if (result.ok && !result.renamed.isEmpty())
                Q_EMIT operationDone(tr("Renamed %1 to %2")
                                         .arg(paths::displayName(fileset::BaseNameOf(file)),
                                              paths::displayName(newName)));
            if (!job->isCancelled() && !result.message.isEmpty())
                ShowMessage(result.shownMessage(), result.shownTitle(), MsgButtons::Ok,
                            MsgIcon::None, result.reason);
            if (asking)
                asking->answerRename(result.ok, result.closesWindow());
            else
                finishCommand(true); // the window was closed while the rename ran
        });
    });
    window.exec();
    if (m_job && !m_job->isFinished()) {
        // Cancel while the rename was on its way: it ends as the job decides, then refills.
        m_job->cancel();
        return;
    }
    finishCommand(true);
}

void ItemActions::mnuRenameRight_Click()
{
    rename();
}

void ItemActions::mnuRenameDir_Click()
{
    rename();
}

void ItemActions::mnuViewData_Click()
{
    ItemRef item;
    const Category category = m_host.category();
    if (!selectedItem(item) || item.key == QLatin1String(kKeyNew) ||
        (category != Category::Applications && category != Category::Popups))
        return;
    // The data file beside the template: .hvd for an application, .hpd for a popup.
    const qsizetype dot = item.key.lastIndexOf(u'.');
    const QString stem = dot < 0 ? item.key : item.key.left(dot);
    const QString path =
        AppState::instance().ProjectFolder() + stem +
        (category == Category::Applications ? QStringLiteral(".hvd") : QStringLiteral(".hpd"));
    auto *window = new DataWindow(item.title, path, m_host.ownerWidget());
    window->show();
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
        ShowMessage(result.shownMessage());
    else
        ShowResult(result);
}

} // namespace hv
