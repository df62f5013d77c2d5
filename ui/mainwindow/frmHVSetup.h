// The console's main window (caption "HV Admin"). On the left the category bar and, below
// it, the folder tree that chooses the project folder; on the right a toolbar with the four
// view modes, the filter box and the item list of the selected category; a status bar along
// the bottom with the project folder, the count of the items shown and the version. A
// vertical splitter divides left and right in a ratio that starts at one half in every run.
#pragma once

#include "lists/ListRows.h"
#include "ui/ItemHost.h"
#include "ui/mainwindow/ListPlace.h"
#include "ui/support/Main.h"
#include "ui/support/WindowPlacement.h"

#include <QMainWindow>
#include <QPointer>
#include <QSet>

class QLabel;
class QTimer;
class QStatusBar;
class QToolBar;

namespace hv {

class CategoryBar;
class FolderAccess;
class FolderPlaces;
class FolderTree;
class FolderWatch;
class HelpOpener;
class ItemActions;
class ItemFilterBox;
class ItemListView;
class Job;
class JobProgressView;
class ListFill;
class MainActions;
class PathLabel;
class SplitterGrip;
class StatusNoticePanel;
class UndoCommands;

class frmHVSetup : public QMainWindow,
                   public LoadableWindow,
                   public ItemHost,
                   public StartupFolderView {
    Q_OBJECT
public:
    // The window's smallest size, in twips (width by height).
    static constexpr int kMinWidthTwips = 8800;
    static constexpr int kMinHeightTwips = 8400;
    // The least height of the folder tree, in twips.
    static constexpr int kMinFolderTreeTwips = 1440;

    explicit frmHVSetup(QWidget *parent = nullptr);
    ~frmHVSetup() override;

    // Runs Form_Load once: the window is filled from the shared state (project folder, view
    // mode) and shows the applications. Showing the window loads it when nothing did before.
    void Load() override;
    // The start-up's folder has not answered yet: the status bar says so.
    void showFolderNotAnswering() override;
    // The start-up's folder answered after the window was shown: the project folder (a
    // fallback when it was missing) is shown and listed.
    void openProjectFolder() override;
    bool isLoaded() const { return m_loaded; }
    bool isLoading() const { return m_loading; }

    // Lays out every control from the client area's size and the split ratio.
    void Resize_Form();
    // Fills the item list for the bar's current category, off the user-interface thread: a
    // fill still running is cancelled and its list dropped. listFilled() follows when the
    // list shows the new rows (at once for the settings categories).
    void RefillList();
    // A fill is running, or a chosen folder is being checked before one: the list takes no
    // mouse or keyboard input until it ends.
    bool isFilling() const;

    const QString &SuiteFolder() const { return m_suiteFolder; }
    double splitRatio() const { return m_splitRatio; }

    CategoryBar *grdOUtlookBar() const { return m_bar; }
    FolderTree *hvFolderTree() const { return m_tree; }
    QToolBar *tbDetails() const { return m_toolBar; }
    ItemListView *lstHVSETUP() const { return m_list; }
    ItemFilterBox *txtFind() const { return m_filter; }
    QStatusBar *hvStatusBar() const { return m_statusBar; }
    // Status bar panels: 1 the project folder, 2 the program's version, 3 "read-only" when
    // the project folder cannot be changed (hidden otherwise).
    QLabel *statusPanel(int panel) const;
    // Whether the project folder may be changed, asked with each fill.
    FolderAccess *folderAccess() const { return m_access; }
    // File > Go to Folder... and File > Recent Folders.
    FolderPlaces *folderPlaces() const { return m_places; }
    // The panel between them: the count of the items shown.
    StatusNoticePanel *countPanel() const { return m_countPanel; }
    // How a running item command or editor load is getting on, left of the version.
    JobProgressView *jobProgress() const { return m_jobProgress; }
    SplitterGrip *imgSplit() const { return m_grip; }
    QWidget *clientArea() const { return m_client; }
    MainActions *actions() const { return m_actions; }
    ItemActions *itemActions() const { return m_itemActions; }
    // The watch on the project folder that refills the list when items come, go or change.
    FolderWatch *folderWatch() const { return m_watch; }
    UndoCommands *undoCommands() const { return m_undo; }

    // The item commands' host: the list's selection, the bar's category, the program runs.
    QWidget *ownerWidget() override { return this; }
    QList<ItemRef> selectedItems() const override;
    Category category() const override;
    bool listIsCurrent() const override { return !isFilling(); }
    QString suiteFolder() const override { return m_suiteFolder; }
    void refill() override { RefillList(); }
    void selectAfterRefill(const QString &key) override;
    void selectInPlaceOf(const QStringList &keys) override;
    void selectNewFileAfterRefill() override;
    void hideForProgram(bool placeBack) override;
    void showAfterProgram(bool placeBack) override;
    void openDirectoryFile(const QString &key, std::function<void()> closed) override;

Q_SIGNALS:
    void listFilled();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void applySizeLimits();
    void setUpFolderPlaces();
    void showProjectFolderInStatusBar();
    void showItemCounts();

    void showFilledList(const hv::CategoryList &list);
    void restorePlace(bool samePlace);
    // After the next refill, the rows of `keys` that are there are selected.
    void selectAllAfterRefill(const QStringList &keys);
    void selectNewestOf(const QStringList &keys);
    void onFolderChanged();
    bool mayRefreshNow() const;
    void onFolderMissing(bool missing);
    void showFolderMissing();
    void onFillRunning(bool running);
    void onCategorySelected(hv::Category category);
    void onFolderClicked(const QString &path);
    struct FolderCheck;
    void openCheckedFolder(const QString &shownPath, const FolderCheck &check);
    void onViewModeChosen(int mode);
    void onSplitterMoved();

    void mnuContents_Click();
    void mnuAbout_Click();

    QString m_suiteFolder;
    bool m_loaded = false;
    bool m_loading = false;
    // The folder is said not to answer: a fill's progress that has read nothing keeps that.
    bool m_saidNotAnswering = false;
    double m_splitRatio = 0.5;

    QWidget *m_client;
    CategoryBar *m_bar;
    FolderTree *m_tree;
    QToolBar *m_toolBar;
    ItemFilterBox *m_filter;
    ItemListView *m_list;
    QStatusBar *m_statusBar;
    PathLabel *m_folderPanel;
    StatusNoticePanel *m_countPanel;
    JobProgressView *m_jobProgress;
    QLabel *m_versionPanel;
    SplitterGrip *m_grip;
    MainActions *m_actions;
    ItemActions *m_itemActions;
    ListFill *m_fill;
    FolderAccess *m_access;
    QLabel *m_accessPanel;
    FolderPlaces *m_places = nullptr;
    UndoCommands *m_undo = nullptr;
    HelpOpener *m_help;
    QPointer<Job> m_folderCheck; // a chosen folder being checked before it is opened

    // What a refill selects once the create-new row is selected: the item a command asked
    // for, else the place the list was left at.
    struct PlaceRequest {
        enum Kind { None, Key, InPlaceOf, NewFile } kind = None;
        Category category = Category::Applications;
        QStringList keys;         // Key: those to select; InPlaceOf: those going
        int row = -1;             // InPlaceOf: the row of the last of them
        QString below, above;     // InPlaceOf: the rows around the last of them, not going
        QSet<QString> keysBefore; // NewFile: the keys the list showed before
    };
    PlaceRequest m_request;
    listplace::Place m_place;
    Category m_shownCategory = Category::Applications;
    QString m_shownFolder; // the folder of the list shown; empty before the first fill
    quint64 m_shownGeneration = 0;
    FolderWatch *m_watch;
    QTimer *m_refreshLater; // a change seen while the window could not refill
};

} // namespace hv
