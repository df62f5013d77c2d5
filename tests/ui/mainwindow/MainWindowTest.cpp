#include "app/AppState.h"
#include "app/PathHelpers.h"
#include "app/UserSettings.h"
#include "ops/History.h"
#include "platform/FileNames.h"
#include "tests/common/FakeMessageService.h"
#include "tests/common/LogCapture.h"
#include "tests/common/ModalWindows.h"
#include "tests/common/TempConfig.h"
#include "tests/common/TestSupport.h"
#include "tests/ui/mainwindow/MainWindowTestSupport.h"
#include "ui/ItemActions.h"
#include "ui/dialogs/ShortcutsWindow.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/mainwindow/CategoryBar.h"
#include "ui/mainwindow/CategoryListModel.h"
#include "ui/mainwindow/FolderModel.h"
#include "ui/mainwindow/FolderTree.h"
#include "ui/mainwindow/ItemListView.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/SplitterGrip.h"
#include "ui/mainwindow/frmHVSetup.h"
#include "ui/support/HelpOpener.h"
#include "ui/support/Main.h"
#include "ui/support/Twips.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeDatabase>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace hv;

namespace {

const QString kFolderPrefix = QStringLiteral("Selected Project Folder:   ");

// The list fills off the user-interface thread: waits until it shows the last fill asked for.
bool waitForList(frmHVSetup &window)
{
    return QTest::qWaitFor([&] { return !window.isFilling(); }, 10000);
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppState::instance().reset();
        plant.addTemplate("ZETA.HVT", "Zeta");
        plant.addTemplate("alpha.hvt", "alpha");
        plant.addTemplate("BETA.HVT", "Beta");
        plant.addTemplate("$TEMP.HVT", "Scratch");
        plant.addTemplate("CODES.HPT", "Defect Codes");
        plant.addDirectory("Plant.DIR", "Plant Floor", 3);
        office.addTemplate("VISIT.HVT", "Visitor Log");
        AppState::instance().SetProjectFolder(plant.path());
    }
    void TearDown() override { AppState::instance().reset(); }

    // A window loaded and shown as the start-up sequence does it.
    std::unique_ptr<frmHVSetup> startWindow()
    {
        auto window = std::make_unique<frmHVSetup>();
        ReadRegWindowInfo(*window, false);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        EXPECT_TRUE(waitForList(*window));
        return window;
    }

    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    hvtest::ProjectFolder plant{config.path(), QStringLiteral("plant")};
    hvtest::ProjectFolder office{config.path(), QStringLiteral("office")};
};

QStringList listTexts(frmHVSetup &window, int column = 0)
{
    return hvtest::columnTexts(window.lstHVSETUP()->detailsView(), column);
}

// The window's item list fills are counted by its model's resets.
int countFills(frmHVSetup &window, const std::function<void()> &action)
{
    QSignalSpy fills(window.lstHVSETUP()->model(), &QAbstractItemModel::modelReset);
    action();
    EXPECT_TRUE(waitForList(window));
    return int(fills.count());
}

} // namespace

TEST_F(MainWindowTest, FirstRunShowsTheApplicationsOfTheProgramFolderInDetails)
{
    // Nothing stored: the start-up sequence takes the program folder and the details view.
    // The history holds one operation, which Edit > Undo names.
    history::Entry deleted;
    deleted.verb = QStringLiteral("delete");
    deleted.folder = plant.path();
    deleted.items = QStringList{QStringLiteral("LINE4.HVT")};
    deleted.files.append({plant.path() + QStringLiteral("LINE4.HVT"), {}, false, {}});
    ASSERT_TRUE(history::Append(deleted));
    std::unique_ptr<QWidget> created =
        Main([] { return std::unique_ptr<QWidget>(std::make_unique<frmHVSetup>()); });
    ASSERT_NE(created, nullptr);
    auto &window = *qobject_cast<frmHVSetup *>(created.get());
    ASSERT_TRUE(waitForList(window));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "HV Admin");

    EXPECT_EQ(window.grdOUtlookBar()->currentRow(), 0);
    EXPECT_EQ(window.grdOUtlookBar()->currentColumn(), 1);
    EXPECT_EQ(window.grdOUtlookBar()->item(0, 1)->text(), "Applications");
    EXPECT_EQ(AppState::instance().ListViewMode(), 3);
    EXPECT_TRUE(window.actions()->viewModeAction(3)->isChecked());
    auto *details = qobject_cast<QToolButton *>(
        window.tbDetails()->widgetForAction(window.actions()->viewModeAction(3)));
    ASSERT_NE(details, nullptr);
    EXPECT_TRUE(details->isChecked());
    EXPECT_TRUE(window.lstHVSETUP()->detailsView()->isVisible());

    const QString programFolder = ProgramFolder();
    EXPECT_EQ(window.statusPanel(1)->text(), kFolderPrefix + programFolder);
    EXPECT_EQ(window.hvFolderTree()->selectedFolder(), programFolder);
    EXPECT_EQ(window.SuiteFolder(), programFolder + u'/');
    EXPECT_EQ(listTexts(window).value(0), "Create New Application");
    EXPECT_EQ(window.lstHVSETUP()->selectedKey(), "NEW");
    EXPECT_TRUE(boxes.shown.empty());
    // The program's icon is looked up once the window has been painted.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.windowIcon().isNull(); }, 5000));
    // So are the toolbar's, the category bar's and the list's; the bars hold their places in
    // blank till then.
    const auto drawsSomething = [](const QIcon &icon) {
        const QImage image = icon.pixmap(16, 16).toImage();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(image.pixel(x, y)) > 0)
                    return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return drawsSomething(window.actions()->viewModeAction(3)->icon()) &&
                   drawsSomething(window.actions()->refresh()->icon()) &&
                   drawsSomething(window.lstHVSETUP()
                                      ->model()
                                      ->index(0, 0)
                                      .data(Qt::DecorationRole)
                                      .value<QIcon>()) &&
                   drawsSomething(window.grdOUtlookBar()->item(5, 1)->icon());
        },
        5000));
    EXPECT_EQ(window.actions()->mnuUndo()->text(), "&Undo Delete LINE4");
    EXPECT_TRUE(window.actions()->mnuUndo()->isEnabled());
}

TEST_F(MainWindowTest, LoadFillsTheBarTheListAndTheStatusBar)
{
    auto window = startWindow();
    CategoryBar *bar = window->grdOUtlookBar();
    ASSERT_EQ(bar->rowCount(), 6);
    QStringList names;
    for (int row = 0; row < bar->rowCount(); ++row) {
        EXPECT_TRUE(bar->item(row, 0)->text().isEmpty());
        names.append(bar->item(row, 1)->text());
    }
    EXPECT_EQ(names, (QStringList{"Applications", "Popups", "Rules", "Units of Measure", "Security",
                                  "Directory Files"}));
    EXPECT_EQ(bar->height(), int(10.5 * bar->rowHeight(0)));
    EXPECT_EQ(bar->columnWidth(0), twips::toPixelsX(200, bar));
    EXPECT_EQ(bar->palette().color(QPalette::Base), QColor(0, 168, 168));
    EXPECT_EQ(bar->highlightColour(), QApplication::palette().color(QPalette::Window));

    EXPECT_EQ(listTexts(*window), (QStringList{"Create New Application", "alpha", "Beta", "Zeta"}));
    EXPECT_EQ(listTexts(*window, 1), (QStringList{"", "alpha.hvt", "BETA.HVT", "ZETA.HVT"}));
    QHeaderView *header = window->lstHVSETUP()->detailsView()->header();
    EXPECT_EQ(header->model()->headerData(0, Qt::Horizontal).toString(), "Application Title");
    EXPECT_EQ(window->lstHVSETUP()->selectedKey(), "NEW");
    EXPECT_EQ(window->lstHVSETUP()->toolTip(), "Right Mouse Click Item for Additional Options");
    EXPECT_EQ(window->lstHVSETUP()->detailsView()->toolTip(),
              "Right Mouse Click Item for Additional Options");

    EXPECT_EQ(window->statusPanel(1)->text(), kFolderPrefix + plant.path());
    EXPECT_EQ(window->hvFolderTree()->selectedFolder(), plant.path());
    EXPECT_FALSE(window->isLoading());
    // Loading twice (a second ReadRegWindowInfo) does not fill again.
    EXPECT_EQ(countFills(*window, [&] { window->Load(); }), 0);
}

TEST_F(MainWindowTest, AFolderClickRefillsOnlyTheFolderCategories)
{
    auto window = startWindow();
    FolderTree *tree = window->hvFolderTree();

    // Rules do not depend on the folder: the status bar changes, the list stays.
    window->grdOUtlookBar()->setCurrentCell(2, 1);
    EXPECT_EQ(listTexts(*window), QStringList{"Edit Rules Settings"});
    ASSERT_TRUE(tree->showFolder(office.path()));
    QTRY_VERIFY(tree->indexOfFolder(office.path()).isValid());
    const QModelIndex officeIndex = tree->indexOfFolder(office.path());
    QTRY_VERIFY(tree->visualRect(officeIndex).isValid() &&
                tree->viewport()->rect().contains(tree->visualRect(officeIndex).center()));
    const int fills = countFills(*window, [&] {
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualRect(officeIndex).center());
    });
    EXPECT_EQ(fills, 0);
    EXPECT_EQ(AppState::instance().ProjectFolder(), office.slashed());
    EXPECT_EQ(window->statusPanel(1)->text(), kFolderPrefix + office.path());
    EXPECT_EQ(listTexts(*window), QStringList{"Edit Rules Settings"});

    // Back on applications, the list is the new folder's.
    window->grdOUtlookBar()->setCurrentCell(0, 1);
    ASSERT_TRUE(waitForList(*window));
    EXPECT_EQ(listTexts(*window), (QStringList{"Create New Application", "Visitor Log"}));

    // On directory files a folder choice (Enter on the keyboard) refills at once.
    window->grdOUtlookBar()->setCurrentCell(5, 1);
    ASSERT_TRUE(waitForList(*window));
    tree->showFolder(plant.path());
    // Selected once a job has found it a folder.
    QTRY_COMPARE(tree->folderModel()->filePath(tree->currentIndex()), plant.path());
    EXPECT_EQ(countFills(*window, [&] { QTest::keyClick(tree, Qt::Key_Return); }), 1);
    EXPECT_EQ(listTexts(*window), (QStringList{"Create New DIR File", "Plant Floor"}));
    EXPECT_EQ(listTexts(*window, 2), (QStringList{"0", "3"}));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MainWindowTest, AFolderThatCannotBeListedIsRefusedAndChangesNothing)
{
    hvtest::LogCapture log;
    auto window = startWindow();
    const QString vanished = config.path() + QStringLiteral("/vanished");
    QDir().mkpath(vanished);
    QDir(vanished).removeRecursively();

    const int fills =
        countFills(*window, [&] { Q_EMIT window->hvFolderTree()->folderClicked(vanished); });
    EXPECT_EQ(fills, 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Selected Drive invalid.");
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(AppState::instance().ProjectFolder(), plant.slashed());
    EXPECT_EQ(window->statusPanel(1)->text(), kFolderPrefix + plant.path());
    EXPECT_EQ(window->hvFolderTree()->selectedFolder(), plant.path());
    EXPECT_EQ(listTexts(*window).size(), 4);

    QStringList messages;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        messages.clear();
        for (const auto &entry : log.entries) {
            if (entry.module == "frmHVSetup" && entry.procedure == "hvFolderTree_FolderClick")
                messages.append(entry.message);
        }
        return messages.size() >= 3;
    }));
    EXPECT_EQ(messages.mid(0, 2), (QStringList{"Start...", "Folder Tree=[" + vanished + "]"}));
    EXPECT_TRUE(messages.at(2).startsWith("ERROR: 2 - ")) << messages.at(2).toStdString();
    EXPECT_EQ(messages.size(), 3); // no "End...": the click was refused
}

TEST_F(MainWindowTest, SplitterStopsThreeHundredTwipsFromEitherEdge)
{
    auto window = startWindow();
    window->resize(900, 650);
    QWidget *client = window->clientArea();
    SplitterGrip *grip = window->imgSplit();
    const int limit = twips::toPixelsX(300, grip);
    EXPECT_DOUBLE_EQ(window->splitRatio(), 0.5);
    EXPECT_EQ(grip->x(), int(client->width() * 0.5));
    EXPECT_EQ(grip->width(), twips::toPixelsX(80, grip));

    auto drag = [&](int dx) {
        QTest::mousePress(grip, Qt::LeftButton, {}, QPoint(2, 50));
        EXPECT_TRUE(grip->dragBar()->isVisible());
        QTest::mouseMove(grip, QPoint(2 + dx, 50));
        QTest::mouseRelease(grip, Qt::LeftButton, {}, QPoint(2 + dx, 50));
        EXPECT_FALSE(grip->dragBar()->isVisible());
    };
    drag(-grip->x() - 200); // far beyond the left edge
    EXPECT_EQ(grip->x(), limit);
    EXPECT_DOUBLE_EQ(window->splitRatio(), double(limit) / client->width());
    EXPECT_EQ(window->grdOUtlookBar()->width(), limit);
    EXPECT_EQ(window->hvFolderTree()->width(), limit);
    EXPECT_EQ(window->lstHVSETUP()->x(), grip->x() + grip->width());

    drag(client->width()); // beyond the right edge
    EXPECT_EQ(grip->x(), client->width() - limit);
    EXPECT_EQ(window->lstHVSETUP()->x() + window->lstHVSETUP()->width(), client->width());
    EXPECT_EQ(window->tbDetails()->x(), grip->x() + grip->width());

    // Left and Right move it too, 150 twips a press, within the same limits.
    EXPECT_TRUE(grip->focusPolicy() & Qt::TabFocus);
    QTest::keyClick(grip, Qt::Key_Left);
    EXPECT_EQ(grip->x(), client->width() - limit - twips::toPixelsX(150, grip));
    EXPECT_EQ(window->lstHVSETUP()->x(), grip->x() + grip->width());
    QTest::keyClick(grip, Qt::Key_Right);
    QTest::keyClick(grip, Qt::Key_Right);
    EXPECT_EQ(grip->x(), client->width() - limit);

    // The ratio holds when the window grows.
    const double ratio = window->splitRatio();
    window->resize(1000, 700);
    EXPECT_EQ(grip->x(), int(client->width() * ratio));

    // A window that is started again splits in the middle.
    window->close();
    auto again = startWindow();
    EXPECT_DOUBLE_EQ(again->splitRatio(), 0.5);
}

TEST(SplitterLimits, TheRightLimitWinsOnANarrowWindow)
{
    EXPECT_EQ(ClampSplitterLeft(5, 1000, 20), 20);
    EXPECT_EQ(ClampSplitterLeft(990, 1000, 20), 980);
    EXPECT_EQ(ClampSplitterLeft(500, 1000, 20), 500);
    EXPECT_EQ(ClampSplitterLeft(5, 30, 20), 10);
}

TEST_F(MainWindowTest, TheWindowKeepsItsMinimumSize)
{
    auto window = startWindow();
    const QSize minimum(twips::toPixelsX(frmHVSetup::kMinWidthTwips, window.get()),
                        twips::toPixelsY(frmHVSetup::kMinHeightTwips, window.get()));
    EXPECT_EQ(window->minimumSize(), minimum);
    window->resize(100, 100);
    EXPECT_EQ(window->size(), minimum);
    const QSize screen = window->screen()->availableSize();
    EXPECT_EQ(window->maximumSize(), screen.expandedTo(minimum));
    // The smallest window still lays every control out inside it.
    const QRect client = window->clientArea()->rect();
    for (QWidget *control : {static_cast<QWidget *>(window->grdOUtlookBar()),
                             static_cast<QWidget *>(window->hvFolderTree()),
                             static_cast<QWidget *>(window->lstHVSETUP()),
                             static_cast<QWidget *>(window->hvStatusBar())})
        EXPECT_TRUE(client.contains(control->geometry())) << control->objectName().toStdString();
}

TEST_F(MainWindowTest, AClickOnTheBarsMarginSelectsTheNameAndFillsTheList)
{
    auto window = startWindow();
    CategoryBar *bar = window->grdOUtlookBar();
    const QRect margin = bar->visualItemRect(bar->item(3, 0));
    const int fills = countFills(
        *window, [&] { QTest::mouseClick(bar->viewport(), Qt::LeftButton, {}, margin.center()); });
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(bar->currentRow(), 3);
    EXPECT_EQ(bar->currentColumn(), 1);
    EXPECT_TRUE(bar->item(3, 1)->isSelected());
    EXPECT_FALSE(bar->item(3, 0)->isSelected());
    EXPECT_EQ(listTexts(*window), QStringList{"Edit Units of Measure"});
    EXPECT_EQ(window->lstHVSETUP()->model()->index(0, 0).data(CategoryListModel::KeyRole), "UNITS");
    EXPECT_EQ(window->lstHVSETUP()->selectedRow(), -1);

    // A click on a name fills the list for that row; the highlight follows.
    const QRect popups = bar->visualItemRect(bar->item(1, 1));
    QTest::mouseClick(bar->viewport(), Qt::LeftButton, {}, popups.center());
    ASSERT_TRUE(waitForList(*window));
    EXPECT_EQ(listTexts(*window), (QStringList{"Create New Popup", "Defect Codes"}));
    EXPECT_EQ(bar->highlightColour(), QApplication::palette().color(QPalette::Window));
}

TEST_F(MainWindowTest, TheKeyboardMovesThroughTheBarTheTreeAndTheList)
{
    auto window = startWindow();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    CategoryBar *bar = window->grdOUtlookBar();
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Down);
    ASSERT_TRUE(waitForList(*window));
    EXPECT_EQ(bar->currentRow(), 1);
    EXPECT_EQ(listTexts(*window).value(0), "Create New Popup");

    QTest::keyClick(bar, Qt::Key_Tab);
    EXPECT_TRUE(window->hvFolderTree()->hasFocus());
    QTest::keyClick(window->hvFolderTree(), Qt::Key_Tab);
    EXPECT_TRUE(window->lstHVSETUP()->detailsView()->hasFocus());
    QTest::keyClick(window->lstHVSETUP()->detailsView(), Qt::Key_Down);
    EXPECT_EQ(window->lstHVSETUP()->selectedKey(), "CODES.HPT");

    // F5 shows what has changed in the folder.
    plant.addTemplate("NEW.HPT", "Another Popup");
    QTest::keyClick(window.get(), Qt::Key_F5);
    ASSERT_TRUE(waitForList(*window));
    EXPECT_EQ(listTexts(*window),
              (QStringList{"Create New Popup", "Another Popup", "Defect Codes"}));
}

TEST_F(MainWindowTest, ViewButtonsSwitchTheModeOfOneList)
{
    auto window = startWindow();
    ItemListView *list = window->lstHVSETUP();
    MainActions *actions = window->actions();
    QListView *icons = list->iconView();

    struct Expect {
        int mode;
        QListView::ViewMode viewMode;
        QListView::Flow flow;
        int iconSize;
    };
    for (const Expect &e : {Expect{0, QListView::IconMode, QListView::LeftToRight, 32},
                            Expect{1, QListView::ListMode, QListView::LeftToRight, 16},
                            Expect{2, QListView::ListMode, QListView::TopToBottom, 16}}) {
        const int fills = countFills(*window, [&] {
            hvtest::clickToolButton(window->tbDetails(), actions->viewModeAction(e.mode));
        });
        EXPECT_EQ(fills, 1) << e.mode;
        EXPECT_EQ(AppState::instance().ListViewMode(), e.mode);
        EXPECT_EQ(list->viewMode(), e.mode);
        EXPECT_TRUE(icons->isVisible());
        EXPECT_FALSE(list->detailsView()->isVisible());
        EXPECT_EQ(icons->viewMode(), e.viewMode);
        EXPECT_EQ(icons->flow(), e.flow);
        EXPECT_TRUE(icons->isWrapping());
        EXPECT_EQ(icons->iconSize().width(), e.iconSize);
        EXPECT_EQ(hvtest::columnTexts(icons),
                  (QStringList{"Create New Application", "alpha", "Beta", "Zeta"}));
        EXPECT_EQ(list->selectedKey(), "NEW");
        // The View menu shows the same choice.
        EXPECT_TRUE(actions->viewModeAction(e.mode)->isChecked());
    }

    // Details through the View menu's action: the columns fit their longest text.
    actions->viewModeAction(3)->trigger();
    EXPECT_EQ(AppState::instance().ListViewMode(), 3);
    EXPECT_TRUE(list->detailsView()->isVisible());
    const QTreeView *details = list->detailsView();
    const QFontMetrics metrics = details->fontMetrics();
    EXPECT_GE(details->columnWidth(0), metrics.horizontalAdvance("Create New Application"));
    EXPECT_GE(details->columnWidth(2), metrics.horizontalAdvance("Records"));
}

TEST_F(MainWindowTest, PlacementFolderAndViewAreStoredAtUnloadAndRestoredAtTheNextStart)
{
    auto factory = [] { return std::unique_ptr<QWidget>(std::make_unique<frmHVSetup>()); };
    QRect placed;
    {
        std::unique_ptr<QWidget> created = Main(factory);
        auto &window = *qobject_cast<frmHVSetup *>(created.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        Q_EMIT window.hvFolderTree()->folderClicked(office.path());
        ASSERT_TRUE(waitForList(window));
        hvtest::clickToolButton(window.tbDetails(), window.actions()->viewModeAction(1));
        window.move(60, 40);
        window.resize(window.minimumWidth() + 50, window.minimumHeight() + 30);
        placed = QRect(window.pos(), window.size());
        window.actions()->mnuExit()->trigger();
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_EQ(ReadSetting("Settings", "LastFolder"), office.slashed());
    EXPECT_EQ(ReadSetting("Settings", "ListViewMode"), "1");
    EXPECT_FALSE(ReadSetting("Settings", "Window").isEmpty());

    AppState::instance().reset();
    std::unique_ptr<QWidget> created = Main(factory);
    auto &window = *qobject_cast<frmHVSetup *>(created.get());
    EXPECT_EQ(QRect(window.pos(), window.size()), placed);
    EXPECT_EQ(AppState::instance().ProjectFolder(), office.slashed());
    EXPECT_EQ(window.statusPanel(1)->text(), kFolderPrefix + office.path());
    EXPECT_TRUE(window.actions()->viewModeAction(1)->isChecked());
    ASSERT_TRUE(waitForList(window));
    EXPECT_EQ(window.lstHVSETUP()->viewMode(), 1);
    EXPECT_EQ(hvtest::columnTexts(window.lstHVSETUP()->iconView()),
              (QStringList{"Create New Application", "Visitor Log"}));
}

TEST_F(MainWindowTest, AFolderArgumentOpensThatFolderAndBecomesTheLastFolder)
{
    auto factory = [] { return std::unique_ptr<QWidget>(std::make_unique<frmHVSetup>()); };
    WriteLastFolder(plant.slashed());
    {
        std::unique_ptr<QWidget> created = Main(factory, plant.path() + "/../office");
        auto &window = *qobject_cast<frmHVSetup *>(created.get());
        ASSERT_TRUE(waitForList(window));
        EXPECT_EQ(window.statusPanel(1)->text(), kFolderPrefix + office.path());
        window.actions()->mnuExit()->trigger();
    }
    EXPECT_EQ(ReadSetting("Settings", "LastFolder"), office.slashed());
    EXPECT_TRUE(boxes.shown.empty());

    // No such folder: said so, and the last folder opens.
    AppState::instance().reset();
    const QString missing = config.path() + "/nowhere";
    std::unique_ptr<QWidget> created = Main(factory, missing);
    EXPECT_EQ(AppState::instance().ProjectFolder(), office.slashed());
    EXPECT_EQ(boxes.texts(), QStringList{"There is no folder " + missing + ". The console opens " +
                                         office.slashed() + " instead."});
}

TEST_F(MainWindowTest, KeyboardShortcutsListEveryCommandThatHasKeys)
{
    auto window = startWindow();
    QString rows = "\n";
    {
        const auto watch = hvtest::whenModalOpens<ShortcutsWindow>([&](ShortcutsWindow *keys) {
            for (int i = 0; i < keys->list()->topLevelItemCount(); ++i)
                rows += keys->list()->topLevelItem(i)->text(0) + " = " +
                        keys->list()->topLevelItem(i)->text(1) + "\n";
            keys->reject();
        });
        window->actions()->mnuKeyboardShortcuts()->trigger();
    }
    for (const char *expected :
         {"Rename = F2\n", "Delete = Del, Shift+Del\n", "Copy Path = Ctrl+C\n", "Find = Ctrl+F",
          "Refresh = F5", "Undo = Ctrl+Z", "Details = Ctrl+4\n", "Contents = F1"})
        EXPECT_TRUE(rows.contains("\n" + QLatin1String(expected)))
            << expected << rows.toStdString();
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsAndTheContextMenusStayOffTheMenuBar)
{
    auto window = startWindow();
    QStringList bar;
    for (QAction *action : window->menuBar()->actions())
        bar.append(action->text());
    EXPECT_EQ(bar, (QStringList{"&File", "&Edit", "&View", "&Help"}));

    // The captions without their access keys.
    auto captions = [&](const char *menuName) {
        QStringList texts;
        const auto *menu = window->findChild<QMenu *>(menuName);
        EXPECT_NE(menu, nullptr) << menuName;
        if (!menu)
            return texts;
        for (QAction *action : menu->actions())
            texts.append(action->isSeparator() ? QStringLiteral("-")
                                               : QString(action->text()).remove(u'&'));
        return texts;
    };
    EXPECT_EQ(captions("mnuFile"), (QStringList{"Go to Folder...", "Recent Folders", "-", "Exit"}));
    EXPECT_EQ(captions("mnuEdit"), (QStringList{"Undo", "History..."}));
    EXPECT_EQ(captions("mnuHelp"), (QStringList{"Contents", "Index", "Keyboard Shortcuts", "-",
                                                "Corvasse on the Web...", "-", "About HV Admin"}));
    EXPECT_FALSE(window->actions()->mnuIndex()->isVisible());
    EXPECT_EQ(captions("mnuWeb"), (QStringList{"Products", "Online Training", "Tips Corner", "-",
                                               "Corvasse Home Page"}));
    EXPECT_EQ(captions("mnuRightClickList"),
              (QStringList{"Application FilePack", "-", "Rename", "-", "Delete/Clear", "-",
                           "Create Shortcut", "-", "View Data…", "-", "Copy Path",
                           "Open Containing Folder"}));
    EXPECT_EQ(captions("mnuDeleteClear"),
              (QStringList{"Clear ___ Data", "-", "Delete ___ and Data"}));
    EXPECT_EQ(captions("mnuShortcutApp"), (QStringList{"On Desktop", "In HVLaunch"}));
    EXPECT_EQ(captions("mnuRightDir"),
              (QStringList{"Create Shortcut", "Rename Dir File", "-", "Delete Dir File", "-",
                           "Copy Path", "Open Containing Folder"}));
    EXPECT_EQ(captions("mnuShortcutDIR"), (QStringList{"On Destop", "In HVLaunch"}));
    EXPECT_NE(window->findChild<QAction *>("mnuSeperator7"), nullptr);
    EXPECT_FALSE(window->itemActions()->mnuRightClickList()->isVisible());
}

TEST_F(MainWindowTest, HelpOpensTheHelpFileElseTheManualElseSaysHowToReadIt)
{
    const QString suite = config.path() + "/suite";
    QDir().mkpath(suite);
    config.writeConfigFile("suite.ini", "[Suite]\nProgramFolder=" + suite.toUtf8() + "\n");
    auto window = startWindow();
    hvtest::UrlRecorder urls({"file", "man"});
    auto *help = window->findChild<HelpOpener *>();
    ASSERT_NE(help, nullptr);
    QString manHandler; // what the desktop answers for man: addresses
    help->setSchemeHandlerQuery(
        [&manHandler](const QString &scheme) { return scheme == "man" ? manHandler : QString(); });
    const auto contents = [&] {
        QSignalSpy answered(help, &HelpOpener::answered);
        window->actions()->mnuContents()->trigger();
        return QTest::qWaitFor([&] { return !answered.isEmpty(); }, 10000);
    };
    const QString helpFile = suite + "/HVAdmin.chm";
    hvtest::writeFile(helpFile, "help");
    manHandler = "man.desktop";
    ASSERT_TRUE(contents());
    ASSERT_TRUE(QFile::remove(helpFile));
    ASSERT_TRUE(contents());
    // Neither: a message with the manual's command and the missing file.
    manHandler.clear();
    ASSERT_TRUE(contents());
    EXPECT_EQ(urls.opened, (QList<QUrl>{QUrl::fromLocalFile(helpFile), QUrl("man:HVAdmin(1)")}));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains("\n    man HVAdmin\n") &&
                boxes.shown[0].text.contains(helpFile))
        << boxes.shown[0].text.toStdString();
}

TEST_F(MainWindowTest, HelpItemsOpenTheWebPagesAndTheAboutWindow)
{
    auto window = startWindow();
    hvtest::UrlRecorder urls({"https", "http"});
    MainActions *actions = window->actions();
    for (QAction *web : {actions->mnuWebProducts(), actions->mnuWebTraining(),
                         actions->mnuWebTips(), actions->mnuWebHome()})
        web->trigger();
    ASSERT_EQ(urls.opened.size(), 4);
    QSet<QString> pages;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(urls.opened[i].toString().startsWith("https://")) << i;
        EXPECT_EQ(urls.opened[i].host(), urls.opened[0].host());
        pages.insert(urls.opened[i].toString());
    }
    EXPECT_EQ(pages.size(), 4);

    // About opens modally over the window and closes with OK.
    QString seen;
    const auto aboutWatch = hvtest::whenModalOpens<frmAbout>([&](frmAbout *about) {
        seen = about->windowTitle();
        EXPECT_EQ(about->parentWidget(), window.get());
        QTest::mouseClick(about->cmdOk(), Qt::LeftButton);
    });
    actions->mnuAbout()->trigger();
    EXPECT_EQ(seen, "About");

    actions->mnuExit()->trigger();
    EXPECT_FALSE(window->isVisible());
}

// The tree lists a folder's folders only, each with the one folder icon, hidden ones left out,
// in natural order regardless of case; the files are never opened to tell what they are (a
// wait per file on a slow share).
TEST(FolderTreeTest, ListsOnlyFoldersInNaturalOrderWithoutReadingFiles)
{
    QTemporaryDir folder;
    const QString scan = folder.filePath(QStringLiteral("scan.hvt"));
    hvtest::writeFile(scan, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    ASSERT_EQ(QMimeDatabase().mimeTypeForFile(scan).name(), "image/png"); // its contents tell
    for (const char *name : {"line10", "Line9", ".hidden", "alpha"})
        ASSERT_TRUE(QDir(folder.path()).mkdir(QString::fromLatin1(name)));
    // A name that is not UTF-8 keeps its bytes.
    const QByteArray raw = QFile::encodeName(folder.path()) + "/zone\xE9";
    ASSERT_EQ(::mkdir(raw.constData(), 0755), 0);
    FolderTree tree;
    FolderModel *model = tree.folderModel();
    tree.showFolder(folder.path());
    QModelIndex shown;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return (shown = tree.indexOfFolder(folder.path())).isValid(); }, 5000));
    model->fetchMore(shown);
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->isListed(shown); }, 5000));
    QStringList names;
    for (int row = 0; row < model->rowCount(shown); ++row) {
        const QModelIndex index = model->index(row, 0, shown);
        names.append(index.data().toString());
        EXPECT_FALSE(index.data(Qt::DecorationRole).value<QIcon>().isNull());
    }
    ASSERT_EQ(names.size(), 4);
    EXPECT_EQ(names.mid(0, 3), (QStringList{"alpha", "Line9", "line10"}));
    EXPECT_EQ(names[3], QStringLiteral("zone\\xe9"));
    EXPECT_EQ(paths::encodeName(model->filePath(model->index(3, 0, shown))), raw);

    // Listed again, only the rows of the folders that came or went change: a folder listed
    // below keeps its rows.
    const QPersistentModelIndex alpha = model->index(0, 0, shown);
    model->fetchMore(alpha);
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->isListed(alpha); }, 5000));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("beta")));
    ASSERT_TRUE(QDir(folder.path()).rmdir(QStringLiteral("line10")));
    model->refresh(shown);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model->isListing(shown); }, 5000));
    names.clear();
    for (int row = 0; row < model->rowCount(shown); ++row)
        names.append(model->index(row, 0, shown).data().toString());
    EXPECT_EQ(names, (QStringList{"alpha", "beta", "Line9", QStringLiteral("zone\\xe9")}));
    EXPECT_TRUE(alpha.isValid() && model->isListed(alpha));
}

// Listing / and each folder down to the shown one would hold up the window's first paint: the
// tree lists nothing until it is painted, then selects the folder asked for before.
TEST(FolderTreeTest, ListsOncePaintedAndThenSelectsTheFolderAskedForBefore)
{
    QTemporaryDir root;
    const QString floor = QDir::cleanPath(root.filePath(QStringLiteral("plant/floor")));
    ASSERT_TRUE(QDir().mkpath(floor));
    FolderTree tree;
    EXPECT_TRUE(tree.showFolder(floor));
    EXPECT_FALSE(tree.isListing());
    EXPECT_EQ(tree.selectedFolder(), floor);

    tree.resize(300, 400);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    ASSERT_TRUE(QTest::qWaitFor([&] { return tree.currentIndex().isValid(); }, 5000));
    const QModelIndex shown = tree.currentIndex();
    ASSERT_TRUE(shown.isValid());
    EXPECT_EQ(tree.folderModel()->filePath(shown), floor);
    EXPECT_TRUE(QTest::qWaitFor([&] { return tree.isExpanded(shown.parent()); }, 5000));
}
