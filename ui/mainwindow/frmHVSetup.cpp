#include "ui/mainwindow/frmHVSetup.h"

#include "app/AppState.h"
#include "app/Jobs.h"
#include "app/MessageService.h"
#include "app/PathHelpers.h"
#include "app/UserSettings.h"
#include "app/WindowLayout.h"
#include "lists/CategoryListEngine.h"
#include "log/DiagnosticLog.h"
#include "platform/FileNames.h"
#include "suite/TemplateFileInfo.h"
#include "ui/ItemActions.h"
#include "ui/dialogs/HistoryWindow.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/mainwindow/BackgroundFill.h"
#include "ui/mainwindow/CategoryBar.h"
#include "ui/mainwindow/CategoryListModel.h"
#include "ui/mainwindow/DirectoryActivation.h"
#include "ui/mainwindow/FolderAccess.h"
#include "ui/mainwindow/FolderPlaces.h"
#include "ui/mainwindow/FolderTree.h"
#include "ui/mainwindow/FolderWatch.h"
#include "ui/mainwindow/ItemFilterBox.h"
#include "ui/mainwindow/ItemListInput.h"
#include "ui/mainwindow/ItemListView.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/PathLabel.h"
#include "ui/mainwindow/SplitterGrip.h"
#include "ui/mainwindow/StatusNoticePanel.h"
#include "ui/support/AfterFirstPaint.h"
#include "ui/support/ClientArea.h"
#include "ui/support/HelpOpener.h"
#include "ui/support/Icons.h"
#include "ui/support/JobProgressView.h"
#include "ui/support/ProgramInfo.h"
#include "ui/support/Twips.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QUrl>

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace hv {

namespace {

const QString kModule = QStringLiteral("frmHVSetup");

// Moves and sizes a control unless the rectangle does not fit (the window is too small for
// the layout): such a control keeps its place, as the other controls still move.
void place(QWidget *widget, const QRectF &rect, TwipsPerPixel grid)
{
    if (fits(rect))
        widget->setGeometry(toPixels(rect, grid));
}

QString withoutLastCharacter(const QString &text)
{
    return text.isEmpty() ? text : text.chopped(1);
}

// The categories whose rows are files of the project folder.
bool listsFolder(Category category)
{
    return category == Category::Applications || category == Category::Popups ||
           category == Category::Directories;
}

// How often a change seen while the window could not refill is tried again (milliseconds).
constexpr int kRefreshRetryMs = 250;

} // namespace

frmHVSetup::frmHVSetup(QWidget *parent)
    : QMainWindow(parent), m_client(new ClientArea([this] { Form_Resize(); })),
      m_bar(new CategoryBar(m_client)), m_tree(new FolderTree(m_client)),
      m_toolBar(new QToolBar(m_client)), m_filter(new ItemFilterBox(m_client)),
      m_list(new ItemListView(m_client)), m_statusBar(new QStatusBar(m_client)),
      m_folderPanel(new PathLabel(m_statusBar)), m_countPanel(new StatusNoticePanel(m_statusBar)),
      m_jobProgress(new JobProgressView(m_statusBar)), m_versionPanel(new QLabel(m_statusBar)),
      m_grip(new SplitterGrip(m_client)), m_actions(new MainActions(this)),
      m_itemActions(new ItemActions(*this, this)), m_fill(new ListFill(this)),
      m_access(new FolderAccess(this)), m_accessPanel(new QLabel(m_statusBar)),
      m_help(new HelpOpener(this))
{
    setObjectName(QStringLiteral("frmHVSetup"));
    setWindowTitle(QString::fromLatin1(kMainWindowCaption));
    // Looking the icons up in the icon themes waits until the window has been painted: the
    // first look-up reads the themes' indexes.
    m_list->model()->holdIcons();
    afterFirstPaint(*this, [this] {
        m_list->model()->showIcons();
        m_actions->lookUpIcons();
        m_bar->lookUpIcons();
        m_undo->refreshCaption(); // reads the history
        setWindowIcon(icons::program(QCoreApplication::applicationDirPath()));
    });
    setCentralWidget(m_client);
    // The list's and the bar's requests go to the item commands. The list's input is watched
    // first, so filters installed later see its events before the item commands do.
    auto *input = new ItemListInput(*m_list, this);
    connect(input, &ItemListInput::activateRequested, m_itemActions,
            &ItemActions::lstHVSetup_DblClick);
    connect(input, &ItemListInput::menuRequested, m_itemActions, &ItemActions::popUpMenu);
    connect(m_bar, &QTableWidget::cellDoubleClicked, m_itemActions,
            &ItemActions::grdOUtlookBar_DblClick);
    m_itemActions->attachKeys(m_list);

    m_actions->buildMenuBar(menuBar());
    m_toolBar->setObjectName(QStringLiteral("tbDetails"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(24, 24));
    m_actions->buildToolBar(m_toolBar);
    // The menu commands' shortcuts work anywhere in the window.
    addActions(m_actions->viewModes()->actions());
    addAction(m_actions->refresh());

    m_statusBar->setObjectName(QStringLiteral("hvStatusBar"));
    m_statusBar->setSizeGripEnabled(false);
    m_folderPanel->setObjectName(QStringLiteral("hvStatusPanel1"));
    m_versionPanel->setObjectName(QStringLiteral("hvStatusPanel2"));
    m_statusBar->addWidget(m_folderPanel, 1);
    m_statusBar->addWidget(m_countPanel);
    m_statusBar->addPermanentWidget(m_jobProgress);
    m_statusBar->addPermanentWidget(m_accessPanel);
    m_statusBar->addPermanentWidget(m_versionPanel);
    setUpFolderPlaces();

    // The filter box narrows the list as it is typed; Ctrl+F goes to it from anywhere in the
    // window.
    connect(m_filter, &QLineEdit::textChanged, m_list, &ItemListView::setFilterText);
    connect(m_filter, &ItemFilterBox::enterListRequested, m_list, &ItemListView::enterFromFilter);
    connect(m_list, &ItemListView::shownRowsChanged, this, &frmHVSetup::showItemCounts);
    auto *find = new QAction(tr("Find"), this);
    find->setObjectName(QStringLiteral("actFind"));
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, m_filter, [this] {
        m_filter->setFocus(Qt::ShortcutFocusReason);
        m_filter->selectAll();
    });
    addAction(find);

    // Undo: Edit > Undo and the status bar's link undo the newest operation of the history;
    // what an operation did shows in the status bar until the category or folder changes.
    m_undo = new UndoCommands(
        m_actions->mnuUndo(), [this] { return !m_itemActions->isBusy(); }, this);
    addAction(m_actions->mnuUndo());
    connect(m_itemActions, &ItemActions::operationDone, this, [this](const QString &notice) {
        m_undo->refreshCaption();
        m_countPanel->showNotice(notice, m_actions->mnuUndo()->isEnabled());
    });
    connect(m_itemActions, &ItemActions::jobStarted, m_jobProgress, &JobProgressView::watch);
    connect(m_itemActions, &ItemActions::commandFinished, m_undo, &UndoCommands::refreshCaption);
    connect(m_countPanel, &StatusNoticePanel::undoRequested, m_undo, &UndoCommands::undoNewest);
    // What an undo brought back is selected once the list shows it.
    connect(m_undo, &UndoCommands::undone, this,
            [this](const QString &notice, const QString &folder, const QStringList &items) {
                m_countPanel->showNotice(notice, false);
                if (folder == AppState::instance().ProjectFolder())
                    selectAllAfterRefill(items);
                RefillList();
            });
    connect(m_actions->mnuHistory(), &QAction::triggered, this, [this] {
        HistoryWindow window(*m_undo, this);
        window.exec();
    });
    connect(m_bar, &CategoryBar::categorySelected, m_countPanel, &StatusNoticePanel::clearNotice);
    connect(m_tree, &FolderTree::folderClicked, m_countPanel, &StatusNoticePanel::clearNotice);

    // What a screen reader calls each control.
    menuBar()->setAccessibleName(tr("Menu bar"));
    m_bar->setAccessibleName(tr("Categories"));
    m_tree->setAccessibleName(tr("Project folder"));
    m_toolBar->setAccessibleName(tr("View mode"));
    m_statusBar->setAccessibleName(tr("Status bar"));
    m_folderPanel->setAccessibleName(tr("Selected project folder"));
    m_versionPanel->setAccessibleName(tr("Version"));
    m_grip->setAccessibleName(tr("Splitter"));

    // Keyboard order: the bar, the tree, the list, then the filter box (Ctrl+F goes there
    // straight away).
    setTabOrder(m_bar, m_tree);
    setTabOrder(m_tree, m_list->detailsView());
    setTabOrder(m_list->detailsView(), m_list->iconView());
    setTabOrder(m_list->iconView(), m_filter);

    // While a fill runs, the list's rows are those of the category or folder left: the
    // list's input is held back (this filter, installed after the item commands' own, sees
    // the events first), and so is a double-click on the bar.
    for (QAbstractItemView *view : {static_cast<QAbstractItemView *>(m_list->detailsView()),
                                    static_cast<QAbstractItemView *>(m_list->iconView())}) {
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
    }
    m_bar->viewport()->installEventFilter(this);
    connect(m_fill, &ListFill::filled, this, &frmHVSetup::showFilledList);
    connect(m_fill, &ListFill::runningChanged, this, &frmHVSetup::onFillRunning);
    connect(m_fill, &ListFill::progress, this, [this](qsizetype read, qsizetype found) {
        if (m_saidNotAnswering && read == 0 && found == 0)
            return;
        m_saidNotAnswering = false;
        m_statusBar->showMessage(
            tr("Reading files: %L1 of %L2").arg(qint64(read)).arg(qint64(found)));
    });
    connect(m_fill, &ListFill::notAnswering, this, &frmHVSetup::showFolderNotAnswering);

    // The project folder is watched: items that come, go or change are shown by a refill.
    m_watch = new FolderWatch(this);
    m_refreshLater = new QTimer(this);
    m_refreshLater->setInterval(kRefreshRetryMs);
    connect(m_refreshLater, &QTimer::timeout, this, &frmHVSetup::onFolderChanged);
    connect(m_watch, &FolderWatch::changed, this, &frmHVSetup::onFolderChanged);
    connect(m_watch, &FolderWatch::missingChanged, this, &frmHVSetup::onFolderMissing);

    connect(m_bar, &CategoryBar::categorySelected, this, &frmHVSetup::onCategorySelected);
    connect(m_tree, &FolderTree::folderClicked, this, &frmHVSetup::onFolderClicked);
    connect(m_actions, &MainActions::viewModeChosen, this, &frmHVSetup::onViewModeChosen);
    connect(m_grip, &SplitterGrip::moved, this, &frmHVSetup::onSplitterMoved);
    connect(m_actions->refresh(), &QAction::triggered, this, &frmHVSetup::RefillList);
    connect(m_actions->refresh(), &QAction::triggered, m_tree, &FolderTree::refresh);
    connect(m_actions->mnuExit(), &QAction::triggered, this, &QWidget::close);
    connect(m_actions->mnuContents(), &QAction::triggered, this, &frmHVSetup::mnuContents_Click);
    connect(m_actions->mnuAbout(), &QAction::triggered, this, &frmHVSetup::mnuAbout_Click);
    const std::pair<QAction *, MakerPage> webPages[] = {
        {m_actions->mnuWebProducts(), MakerPage::Products},
        {m_actions->mnuWebTraining(), MakerPage::Training},
        {m_actions->mnuWebTips(), MakerPage::Tips},
        {m_actions->mnuWebHome(), MakerPage::Home},
    };
    for (const auto &[action, page] : webPages) {
        connect(action, &QAction::triggered, this,
                [page = page] { QDesktopServices::openUrl(makerPageUrl(page)); });
    }
}

frmHVSetup::~frmHVSetup() = default;

void frmHVSetup::Load()
{
    if (!m_loaded)
        Form_Load();
}

void frmHVSetup::showFolderNotAnswering()
{
    m_saidNotAnswering = true;
    m_statusBar->showMessage(
        tr("The folder %1 is not answering.")
            .arg(paths::displayName(withoutLastCharacter(AppState::instance().ProjectFolder()))));
}

void frmHVSetup::openProjectFolder()
{
    const QString folder = AppState::instance().ProjectFolder();
    m_saidNotAnswering = false;
    m_statusBar->clearMessage();
    showProjectFolderInStatusBar();
    m_tree->showFolder(folder);
    if (!m_loaded)
        return; // the first fill lists it
    const Category category = m_bar->currentCategory();
    if (category == Category::Applications || category == Category::Popups ||
        category == Category::Directories)
        RefillList();
}

QLabel *frmHVSetup::statusPanel(int panel) const
{
    switch (panel) {
    case 1:
        return m_folderPanel;
    case 2:
        return m_versionPanel;
    case 3:
        return m_accessPanel;
    }
    return nullptr;
}

void frmHVSetup::Form_Load()
{
    m_loaded = true;
    // 1. The window's size limits.
    applySizeLimits();

    // 2. The folder of the suite programs and the help file.
    m_suiteFolder = GetSuiteFolder();

    // 3. Fill the category bar while loading.
    m_loading = true;
    m_bar->setLoading(true);
    m_bar->LoadGrid(width());

    // 4. The toolbar shows the stored view mode.
    AppState &state = AppState::instance();
    m_actions->showViewMode(state.ListViewMode());
    m_list->setViewMode(state.ListViewMode());

    // 5. The folder tree shows the project folder.
    m_tree->showFolder(state.ProjectFolder());

    // 6. The status bar: the project folder and the program's version.
    showProjectFolderInStatusBar();
    m_versionPanel->setText(statusBarVersionText());

    // 7. Lay the controls out for the current size.
    Resize_Form();

    // 8. Applications are shown first.
    m_bar->setCurrentCell(0, 0);
    m_bar->setFocus(Qt::OtherFocusReason);
    RefillList();
    m_loading = false;
    m_bar->setLoading(false);
}

void frmHVSetup::applySizeLimits()
{
    SetFittingMinimumSize(*this, QSize(twips::toPixelsX(kMinWidthTwips, this),
                                       twips::toPixelsY(kMinHeightTwips, this)));
    if (const QScreen *screen = this->screen())
        setMaximumSize(screen->availableSize().expandedTo(minimumSize()));
}

void frmHVSetup::setUpFolderPlaces()
{
    // The third panel says when the project folder cannot be changed; the item commands that
    // would change it are disabled meanwhile.
    m_accessPanel->setObjectName(QStringLiteral("hvStatusPanel3"));
    m_accessPanel->hide();
    connect(m_access, &FolderAccess::readOnlyChanged, this, [this](bool readOnly) {
        const QString why = tr("The project folder %1 is read-only: its files cannot be changed.")
                                .arg(paths::displayName(withoutLastCharacter(m_access->folder())));
        m_accessPanel->setText(readOnly ? tr("read-only") : QString());
        m_accessPanel->setToolTip(readOnly ? why : QString());
        m_accessPanel->setVisible(readOnly);
        m_itemActions->setFolderReadOnly(readOnly, why);
    });

    auto *file = findChild<QMenu *>(QStringLiteral("mnuFile"));
    m_places = new FolderPlaces(file, m_actions->mnuExit(), this);
    connect(m_places->goToFolder(), &QAction::triggered, this, [this] {
        m_places->askForFolder(withoutLastCharacter(AppState::instance().ProjectFolder()));
    });
    connect(m_places, &FolderPlaces::folderChosen, this, &frmHVSetup::onFolderClicked);
}

void frmHVSetup::showProjectFolderInStatusBar()
{
    m_folderPanel->setCaptionAndPath(
        tr("Selected Project Folder:   "),
        paths::displayName(withoutLastCharacter(AppState::instance().ProjectFolder())));
}

void frmHVSetup::Form_Resize()
{
    if (!isMinimized())
        Resize_Form();
}

void frmHVSetup::Resize_Form()
{
    MainWindowInputs in;
    in.grid = twips::pixelGrid(this);
    in.client = toTwips(m_client->size(), in.grid);
    in.splitRatio = m_splitRatio;
    in.statusBar = m_statusBar->sizeHint().height() * in.grid.y;
    in.toolBar = m_toolBar->sizeHint().height() * in.grid.y;
    in.rowAboveList = m_filter->sizeHint().height() * in.grid.y;
    // The category bar keeps its own height of 10.5 rows, unless the window is too short to
    // show an inch of the folder tree below it.
    in.categoryBar = m_bar->naturalHeight() * in.grid.y;
    in.minFolderTree = kMinFolderTreeTwips;
    const MainWindowLayout rects = layOutMainWindow(in);
    place(m_statusBar, rects.statusBar, in.grid);
    place(m_grip, rects.grip, in.grid);
    place(m_toolBar, rects.toolBar, in.grid);
    place(m_filter, rects.rowAboveList, in.grid);
    place(m_list, rects.itemList, in.grid);
    place(m_bar, rects.categoryBar, in.grid);
    place(m_tree, rects.folderTree, in.grid);
    // The list's columns fit their contents.
    m_list->AutoSizeColumns();
}

void frmHVSetup::RefillList()
{
    const AppState &state = AppState::instance();
    ListSource source;
    source.projectFolder = state.ProjectFolder();
    source.listViewMode = state.ListViewMode();
    source.templateFactory = templateFileInfoFactory(source.projectFolder);
    m_refreshLater->stop();
    if (!m_shownFolder.isEmpty())
        m_place = listplace::capture(*m_list->currentView());
    m_fill->start(m_bar->currentCategory(), source);
    m_access->check(source.projectFolder);
}

bool frmHVSetup::isFilling() const
{
    return m_fill->isRunning() || !m_folderCheck.isNull();
}

void frmHVSetup::showFilledList(const CategoryList &list)
{
    m_saidNotAnswering = false;
    const AppState &state = AppState::instance();
    const QString folder = state.ProjectFolder();
    const bool samePlace =
        !m_shownFolder.isEmpty() && list.category == m_shownCategory && folder == m_shownFolder;
    m_list->setViewMode(state.ListViewMode());
    m_list->setCategoryList(list);
    if (state.ListViewMode() == ViewDetails)
        m_list->AutoSizeColumns();
    m_shownCategory = list.category;
    m_shownFolder = folder;
    ++m_shownGeneration;
    // The create-new row is selected; then the user's place comes back.
    if (samePlace)
        listplace::restoreScroll(*m_list->currentView(), m_place);
    restorePlace(samePlace);
    m_watch->setFolder(listsFolder(list.category) ? folder : QString());
    if (m_watch->isMissing())
        showFolderMissing();
    Q_EMIT listFilled();
}

bool frmHVSetup::mayRefreshNow() const
{
    // Not under an open dialog, menu or command, nor while the window is away for a program.
    return isVisible() && !m_loading && !isFilling() && !m_itemActions->isBusy() &&
           !m_undo->isBusy() && !QApplication::activeModalWidget() &&
           !QApplication::activePopupWidget();
}

void frmHVSetup::onFolderChanged()
{
    if (!listsFolder(category())) {
        m_refreshLater->stop();
        return;
    }
    if (!mayRefreshNow()) {
        m_refreshLater->start();
        return;
    }
    RefillList();
}

void frmHVSetup::onFolderMissing(bool missing)
{
    if (missing)
        showFolderMissing();
    else
        m_statusBar->clearMessage();
}

void frmHVSetup::showFolderMissing()
{
    m_statusBar->showMessage(
        tr("The folder %1 is no longer there.")
            .arg(paths::displayName(m_watch->folder().endsWith(u'/')
                                        ? withoutLastCharacter(m_watch->folder())
                                        : m_watch->folder())));
}

void frmHVSetup::onFillRunning(bool running)
{
    if (running) {
        m_list->setCursor(Qt::BusyCursor);
        return;
    }
    m_list->unsetCursor();
    if (m_watch->isMissing())
        showFolderMissing();
    else
        m_statusBar->clearMessage();
}

bool frmHVSetup::eventFilter(QObject *watched, QEvent *event)
{
    if (!isFilling())
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // Tab still leaves the list.
        const int key = static_cast<QKeyEvent *>(event)->key();
        return key != Qt::Key_Tab && key != Qt::Key_Backtab && watched != m_bar->viewport();
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::ContextMenu:
        return watched != m_bar->viewport();
    default:
        return QMainWindow::eventFilter(watched, event);
    }
}

void frmHVSetup::showItemCounts()
{
    const ShownCounts counts = m_list->shownCounts();
    // The total of records may pass an int, which tr() takes to choose the plural form: such a
    // total is shown in full, in the form of a large number.
    const int recordsForm =
        counts.records <= std::numeric_limits<int>::max() ? int(counts.records) : 1000000;
    const QString records = tr("%L1 records", nullptr, recordsForm).arg(counts.records);
    QString text;
    switch (m_list->model()->list().category) {
    case Category::Applications:
        text = tr("%1 · %2").arg(tr("%Ln applications", nullptr, counts.items), records);
        break;
    case Category::Popups:
        text = tr("%1 · %2").arg(tr("%Ln popups", nullptr, counts.items), records);
        break;
    case Category::Directories:
        text = tr("%Ln directory files", nullptr, counts.items);
        break;
    case Category::Rules:
    case Category::Units:
    case Category::Security:
        break;
    }
    m_countPanel->setText(text);
}

void frmHVSetup::onCategorySelected(Category)
{
    // A filter typed for one category does not narrow the next.
    m_filter->clear();
    if (!m_loading)
        RefillList();
}

// What the check of a chosen folder found, off the user-interface thread.
struct frmHVSetup::FolderCheck {
    std::optional<QString> exact; // the folder the shown path means, when only one does
    int error = 0;                // why it cannot be listed (errno), or 0
};

void frmHVSetup::onFolderClicked(const QString &shownPath)
{
    const QString procedure = QStringLiteral("hvFolderTree_FolderClick");
    WriteLog(kModule, procedure, QStringLiteral("Start..."));
    WriteLog(kModule, procedure, QStringLiteral("Folder Tree=[") + shownPath + QStringLiteral("]"));

    // The folder is checked off the user-interface thread: it may be on a share that stopped
    // answering. A later choice replaces a check still waiting.
    if (m_folderCheck) {
        m_folderCheck->disconnect(this);
        m_folderCheck->cancel();
    }
    auto *job = startJob<FolderCheck>(shownPath, [shownPath](JobControl &) {
        FolderCheck check;
        // The tree shows each byte of a name that is not UTF-8 as U+FFFD: the folder it
        // means must be the only one that looks like that, or it is not taken.
        check.exact = paths::exactPathOfQtPath(shownPath);
        if (check.exact)
            check.error = FolderTree::folderListingError(*check.exact);
        return check;
    });
    m_folderCheck = job;
    connect(job, &Job::notAnswering, this, [this, shownPath] {
        m_statusBar->showMessage(tr("The folder %1 is not answering.").arg(shownPath));
    });
    connect(job, &Job::finished, this, [this, job, shownPath] {
        m_folderCheck = nullptr;
        m_statusBar->clearMessage();
        if (!job->isCancelled())
            openCheckedFolder(shownPath, job->result());
    });
}

void frmHVSetup::openCheckedFolder(const QString &shownPath, const FolderCheck &check)
{
    const QString procedure = QStringLiteral("hvFolderTree_FolderClick");
    if (!check.exact) {
        ShowMessage(tr("The folder %1 cannot be told apart from another folder whose name differs "
                       "only in bytes that are not UTF-8, so it was not opened.")
                        .arg(shownPath),
                    QString(), MsgButtons::Ok, MsgIcon::Exclamation);
        m_tree->showFolder(AppState::instance().ProjectFolder());
        return;
    }
    const QString &path = *check.exact;

    // A folder that cannot be listed does not become the project folder: the list and the
    // status bar keep showing the folder they showed, and the tree goes back to it.
    if (check.error != 0) {
        WriteLog(kModule, procedure,
                 QStringLiteral("ERROR: %1 - %2")
                     .arg(check.error)
                     .arg(QString::fromLocal8Bit(std::strerror(check.error))));
        ShowMessage(tr("Selected Drive invalid."), QString(), MsgButtons::Ok);
        m_tree->showFolder(AppState::instance().ProjectFolder());
        return;
    }

    // Logged as clicked, before the separator is appended.
    WriteLog(kModule, procedure, QStringLiteral("Project Folder=[") + path + QStringLiteral("]"));
    AppState::instance().SetProjectFolder(path);
    showProjectFolderInStatusBar();
    // A folder typed or chosen from the recent ones is shown in the tree too.
    if (m_tree->selectedFolder() != path)
        m_tree->showFolder(path);
    FolderPlaces::remember(path);

    // Rules, units of measure and security do not depend on the folder.
    const Category category = m_bar->currentCategory();
    if (category == Category::Applications || category == Category::Popups ||
        category == Category::Directories)
        RefillList();
    WriteLog(kModule, procedure, QStringLiteral("End..."));
}

void frmHVSetup::onViewModeChosen(int mode)
{
    AppState &state = AppState::instance();
    if (m_loading) {
        m_actions->showViewMode(state.ListViewMode());
        return;
    }
    state.SetListViewMode(mode);
    m_list->setViewMode(mode);
    RefillList();
}

void frmHVSetup::onSplitterMoved()
{
    const int clientWidth = m_client->width();
    if (clientWidth > 0)
        m_splitRatio = double(m_grip->x()) / clientWidth;
    Resize_Form();
}

void frmHVSetup::mnuContents_Click()
{
    m_help->open(m_suiteFolder);
}

void frmHVSetup::mnuAbout_Click()
{
    frmAbout about(this);
    about.exec();
}

bool frmHVSetup::event(QEvent *event)
{
    // On another screen the limits follow that screen's size and resolution.
    if (event->type() == QEvent::ScreenChangeInternal && m_loaded)
        applySizeLimits();
    return QMainWindow::event(event);
}

void frmHVSetup::showEvent(QShowEvent *event)
{
    Load();
    QMainWindow::showEvent(event);
}

void frmHVSetup::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    QMainWindow::closeEvent(event);
}

void frmHVSetup::Form_Unload()
{
    WriteRegWindowInfo(*this);
    const AppState &state = AppState::instance();
    SaveLastFolder(state.ProjectFolder());
    SaveListViewMode();
}

QList<ItemRef> frmHVSetup::selectedItems() const
{
    const CategoryList &shown = m_list->model()->list();
    const bool templates =
        shown.category == Category::Applications || shown.category == Category::Popups;
    QList<ItemRef> items;
    for (const int row : m_list->selectedRows()) {
        if (row < 0 || row >= shown.rows.size())
            continue;
        const ListRow &selected = shown.rows.at(row);
        items.append(ItemRef{selected.key, selected.text,
                             templates ? selected.subItems.value(1).toLongLong() : 0});
    }
    // The create-new row is no item to work on with others.
    if (items.size() > 1)
        items.removeIf([](const ItemRef &item) { return item.key == QLatin1String(kKeyNew); });
    return items;
}

Category frmHVSetup::category() const
{
    return m_bar->currentCategory();
}

void frmHVSetup::hideForProgram(bool placeBack)
{
    if (placeBack) {
        WriteRegWindowInfo(*this);
        QCoreApplication::processEvents();
    }
    hide();
}

void frmHVSetup::showAfterProgram(bool placeBack)
{
    show();
    if (placeBack) {
        QCoreApplication::processEvents();
        ReadRegWindowInfo(*this, false);
        RefillList();
    }
}

void frmHVSetup::openDirectoryFile(const QString &key, std::function<void()> closed)
{
    ActivateDirectoryFile(*this, key, std::move(closed));
}

} // namespace hv
