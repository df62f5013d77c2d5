// The item commands end to end: a copy of the demo project, the stand-in suite programs as
// real processes (they record their calls in calls.log), and the windows answered by clicks.
#include "ui/ItemActions.h"
#include "app/AppState.h"
#include "app/DataTableModel.h"
#include "ops/History.h"
#include "suite/FileLockService.h"
#include "suite/SuiteSettings.h"
#include "tests/common/FakeMessageService.h"
#include "tests/common/ModalWindows.h"
#include "tests/common/TempConfig.h"
#include "tests/common/TestSupport.h"
#include "tests/ui/mainwindow/MainWindowTestSupport.h"
#include "ui/dialogs/DataWindow.h"
#include "ui/dialogs/HistoryWindow.h"
#include "ui/dialogs/frmRename.h"
#include "ui/dialogs/frmWarning.h"
#include "ui/dialogs/frmfileLock.h"
#include "ui/mainwindow/CategoryBar.h"
#include "ui/mainwindow/CategoryListModel.h"
#include "ui/mainwindow/FolderTree.h"
#include "ui/mainwindow/ItemFilterBox.h"
#include "ui/mainwindow/ItemListView.h"
#include "ui/mainwindow/PathLabel.h"
#include "ui/mainwindow/StatusNoticePanel.h"
#include "ui/mainwindow/frmHVSetup.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace hv;

namespace {

using hvtest::whenModalOpens;

class ItemActionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppState::instance().reset();
        // The history and the trash of this test only.
        for (const char *name : {"XDG_STATE_HOME", "XDG_DATA_HOME"})
            savedEnv.append(qgetenv(name));
        qputenv("XDG_STATE_HOME", QFile::encodeName(config.path() + QStringLiteral("/state")));
        qputenv("XDG_DATA_HOME",
                QFile::encodeName(config.path() + QStringLiteral("/home/.local/share")));
        for (const QString &root : {project, twin}) {
            QDir().mkpath(root);
            const QDir demo(qEnvironmentVariable("HV_SOURCE_DIR") + QStringLiteral("/demo"));
            for (const QString &file : demo.entryList(QDir::Files))
                if (file != QLatin1String("make-demo.sh"))
                    QFile::copy(demo.filePath(file), root + u'/' + file);
        }
        QDir().mkpath(suite);
        // The home trash needs the home folder.
        QDir().mkpath(config.path() + QStringLiteral("/home"));
        for (const char *program : {"hvAppl.EXE", "hvpopup.EXE", "hvglobal.EXE", "HVFilePack.exe"})
            ASSERT_TRUE(QFile::copy(qEnvironmentVariable("HV_STANDIN"),
                                    suite + u'/' + QLatin1String(program)));
        config.writeConfigFile("suite.ini", "[Suite]\nProgramFolder=" + suite.toUtf8() + "\n");
        qputenv("HV_STANDIN_SECONDS", "0");
        AppState::instance().SetProjectFolder(project);
        window = std::make_unique<frmHVSetup>();
        ReadRegWindowInfo(*window, false);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        waitForList();
    }
    void TearDown() override
    {
        window.reset();
        qunsetenv("HV_STANDIN_SECONDS");
        AppState::instance().reset();
        for (int i = 0; i < 2; ++i) {
            const char *name = i == 0 ? "XDG_STATE_HOME" : "XDG_DATA_HOME";
            if (savedEnv.value(i).isEmpty())
                qunsetenv(name);
            else
                qputenv(name, savedEnv.value(i));
        }
    }

    QStringList calls() const
    {
        QFile log(suite + QStringLiteral("/calls.log"));
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
    // The list fills off the user-interface thread: what reads it waits for the last fill.
    void waitForList() const
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window->isFilling(); }, 10000));
    }
    void showCategory(int row)
    {
        window->grdOUtlookBar()->setCurrentCell(row, 1);
        waitForList();
    }
    QAbstractItemView *view() const { return window->lstHVSETUP()->currentView(); }
    int rowOf(const QString &key) const
    {
        waitForList();
        return window->lstHVSETUP()->model()->rowOfKey(key);
    }
    QPoint pointOf(const QString &key) const
    {
        return view()->visualRect(window->lstHVSETUP()->viewIndex(rowOf(key))).center();
    }
    // A double-click as the window system delivers it: press, release, press, double-click,
    // release.
    static void doubleClickAt(QWidget *widget, const QPoint &at)
    {
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QTest::mousePress(widget, Qt::LeftButton, {}, at);
        QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    }
    void doubleClick(const QString &key) { doubleClickAt(view()->viewport(), pointOf(key)); }
    void rightClick(const QString &key)
    {
        QTest::mousePress(view()->viewport(), Qt::RightButton, {}, pointOf(key));
    }
    QStringList files(const QString &folder) const { return QDir(folder).entryList(QDir::Files); }
    // Runs `command` and waits, a bounded time, until the item command it started (whose
    // work runs as a job) has come to its end.
    static bool completes(ItemActions *actions, const std::function<void()> &command)
    {
        QSignalSpy done(actions, &ItemActions::commandFinished);
        command();
        return QTest::qWaitFor([&] { return !done.isEmpty(); }, 10000);
    }
    bool completes(const std::function<void()> &command)
    {
        return completes(window->itemActions(), command);
    }

    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    const QString project = config.path() + QStringLiteral("/project");
    const QString twin = config.path() + QStringLiteral("/twin");
    const QString suite = config.path() + QStringLiteral("/suite");
    std::unique_ptr<frmHVSetup> window;
    QByteArrayList savedEnv;
};

// Holds a file open from another process for the lifetime of the object.
class FileHolder {
public:
    explicit FileHolder(const QString &path)
    {
        m_process.start(QStringLiteral("tail"), {QStringLiteral("-f"), path});
        EXPECT_TRUE(m_process.waitForStarted());
        QTRY_VERIFY(ProcFileLockService().IsFileOpen(path));
    }
    ~FileHolder()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
};

TEST_F(ItemActionsTest, AnApplicationOpensInItsProgramWhileTheWindowIsHidden)
{
    qputenv("HV_STANDIN_SECONDS", "1");
    int visibleWhileRunning = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (visibleWhileRunning < 0 && !calls().isEmpty())
            visibleWhileRunning = window->isVisible();
    });
    watch.start(5);
    QSignalSpy fills(window->lstHVSETUP()->model(), &QAbstractItemModel::modelReset);
    ASSERT_TRUE(completes([&] { doubleClick("PLANT1.HVT"); }));
    EXPECT_EQ(calls(), QStringList{"hvAppl.EXE\t@" + project + "/PLANT1.HVT"});
    EXPECT_EQ(visibleWhileRunning, 0);
    EXPECT_TRUE(window->isVisible());
    waitForList();
    EXPECT_EQ(fills.count(), 1);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ItemActionsTest, CtrlEnterShowsAPopupsDataBesideTheWindow)
{
    showCategory(1);
    window->lstHVSETUP()->selectRow(rowOf("DEFECTS.HPT"));
    view()->setFocus();
    QTest::keyClick(view(), Qt::Key_Return, Qt::ControlModifier);
    auto *data = window->findChild<DataWindow *>();
    ASSERT_NE(data, nullptr);
    EXPECT_FALSE(data->isModal());
    ASSERT_TRUE(QTest::qWaitFor([&] { return data->model()->liveRecords() >= 0; }, 10000));
    EXPECT_EQ(data->windowTitle(), "Defect Codes - DEFECTS.HPD");
    EXPECT_EQ(data->model()->rowCount(), 5);
    EXPECT_TRUE(calls().isEmpty()); // no suite program started
}

TEST_F(ItemActionsTest, TheCreateNewRowPassesTheFolderAndTheNewTemplateIsListedAfter)
{
    window->lstHVSETUP()->selectRow(rowOf("NEW"));
    view()->setFocus();
    QTest::keyClick(view(), Qt::Key_Return);
    EXPECT_EQ(calls(), QStringList{"hvAppl.EXE\t@" + project + "/"});
    EXPECT_NE(rowOf("NEW1.HVT"), -1);
    EXPECT_TRUE(hvtest::columnTexts(view()).contains("New Application 1"));
}

TEST_F(ItemActionsTest, PopupsAndSettingsOpenWithTheirCommandLines)
{
    showCategory(1);
    doubleClick("DEFECTS.HPT");
    showCategory(2);
    doubleClick("RULES");
    showCategory(4);
    doubleClick("SECURITY");
    // The bar's units row, with the list's row selected (a settings fill selects none).
    showCategory(3);
    window->lstHVSETUP()->selectRow(0);
    const QRect cell = window->grdOUtlookBar()->visualItemRect(window->grdOUtlookBar()->item(3, 1));
    doubleClickAt(window->grdOUtlookBar()->viewport(), cell.center());
    EXPECT_EQ(calls(),
              (QStringList{"hvpopup.EXE\t@" + project + "/DEFECTS.HPT", "hvglobal.EXE\t@RULES",
                           "hvglobal.EXE\t@SECURITY", "hvglobal.EXE\t@UNITS"}));
    // Nothing selected in the list: the bar's double-click does nothing.
    window->lstHVSETUP()->selectRow(-1);
    doubleClickAt(window->grdOUtlookBar()->viewport(), cell.center());
    EXPECT_EQ(calls().size(), 4);
}

TEST_F(ItemActionsTest, AHeldDataFileAsksBeforeTheProgramStarts)
{
    FileHolder holder(project + "/PLANT1.HVD");
    QString message;
    whenModalOpens<frmfileLock>(window.get(), [&](frmfileLock *lock) {
        message = lock->lblMessage()->text();
        EXPECT_EQ(lock->focusWidget(), lock->cmdRetry());
        QTest::mouseClick(lock->cmdCancel(), Qt::LeftButton);
    });
    ASSERT_TRUE(completes([&] { doubleClick("PLANT1.HVT"); }));
    EXPECT_TRUE(message.startsWith("The application 's (" + project + "/PLANT1.HVD) data file"));
    EXPECT_TRUE(calls().isEmpty());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(AppState::instance().FileLockCancelled());

    // Escape after an earlier Continue still means Cancel, never the earlier answer.
    AppState::instance().SetFileLockCancelled(false);
    whenModalOpens<frmfileLock>(window.get(),
                                [](frmfileLock *lock) { QTest::keyClick(lock, Qt::Key_Escape); });
    ASSERT_TRUE(completes([&] { doubleClick("PLANT1.HVT"); }));
    EXPECT_TRUE(calls().isEmpty());

    whenModalOpens<frmfileLock>(window.get(), [](frmfileLock *lock) {
        QTest::mouseClick(lock->cmdRetry(), Qt::LeftButton);
        // The check runs as a job; Retry waits for its answer.
        EXPECT_FALSE(lock->cmdRetry()->isEnabled());
        EXPECT_TRUE(QTest::qWaitFor([&] { return lock->cmdRetry()->isEnabled(); }, 10000));
        EXPECT_TRUE(lock->isVisible()); // still held
        EXPECT_TRUE(lock->lblMessage()->text().startsWith("The application 's ("));
        QTest::mouseClick(lock->cmdContinue(), Qt::LeftButton);
    });
    ASSERT_TRUE(completes([&] { doubleClick("PLANT1.HVT"); }));
    EXPECT_EQ(calls(), QStringList{"hvAppl.EXE\t@" + project + "/PLANT1.HVT"});
    EXPECT_FALSE(AppState::instance().FileLockCancelled());
}

TEST_F(ItemActionsTest, ContextMenusFollowTheRowUnderTheMouse)
{
    // The captions as shown, without their access keys, which must each open one item of
    // their menu.
    QStringList keyProblems;
    auto captions = [&](QMenu *menu) {
        QStringList texts;
        QList<QKeySequence> keys;
        for (QAction *action : menu->actions()) {
            if (!action->isVisible())
                continue;
            texts.append(action->isSeparator() ? QStringLiteral("-")
                                               : QString(action->text()).remove(u'&'));
            const QKeySequence key = QKeySequence::mnemonic(action->text());
            if (!action->isSeparator() && (key.isEmpty() || keys.contains(key)))
                keyProblems.append(action->text());
            keys.append(key);
        }
        return texts;
    };
    ItemActions *actions = window->itemActions();
    auto *clear = window->findChild<QAction *>("mnuClearData");
    rightClick("VISITORS.HVT"); // no records
    ASSERT_TRUE(actions->mnuRightClickList()->isVisible());
    actions->mnuRightClickList()->close();
    EXPECT_EQ(window->lstHVSETUP()->selectedKey(), "VISITORS.HVT");
    EXPECT_FALSE(clear->isEnabled());
    EXPECT_EQ(clear->text().remove(u'&'), "Clear Application Data");
    EXPECT_EQ(captions(actions->mnuRightClickList()),
              (QStringList{"Application FilePack", "-", "Rename Application", "-", "Delete/Clear",
                           "-", "Create Shortcut", "-", "View Data…", "-", "Copy Path",
                           "Open Containing Folder"}));
    for (const char *submenu : {"mnuDeleteClear", "mnuShortcutApp", "mnuShortcutDIR"})
        captions(window->findChild<QMenu *>(submenu));
    EXPECT_EQ(captions(actions->mnuRightDir()),
              (QStringList{"Create Shortcut", "Rename Dir File", "-", "Delete Dir File", "-",
                           "Copy Path", "Open Containing Folder"}));
    EXPECT_EQ(keyProblems, QStringList());
    rightClick("PLANT1.HVT");
    actions->mnuRightClickList()->close();
    EXPECT_TRUE(clear->isEnabled());

    // The keyboard's menu key opens the menu of the selected row.
    QTest::keyClick(view(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(actions->mnuRightClickList()->isVisible());
    actions->mnuRightClickList()->close();

    // The create-new row gets no menu, empty space clears the selection.
    rightClick("NEW");
    EXPECT_FALSE(actions->mnuRightClickList()->isVisible());
    EXPECT_EQ(window->lstHVSETUP()->selectedKey(), "NEW");
    QTest::mousePress(view()->viewport(), Qt::RightButton, {},
                      view()->viewport()->rect().bottomRight() - QPoint(3, 3));
    EXPECT_EQ(window->lstHVSETUP()->selectedRow(), -1);
    EXPECT_FALSE(actions->mnuRightClickList()->isVisible());

    showCategory(1);
    rightClick("DEFECTS.HPT");
    EXPECT_EQ(captions(actions->mnuRightClickList()),
              (QStringList{"Rename Popup", "-", "Delete/Clear", "-", "View Data…", "-", "Copy Path",
                           "Open Containing Folder"}));
    EXPECT_EQ(keyProblems, QStringList());
    actions->mnuRightClickList()->close();
    showCategory(5);
    rightClick("PLANT.DIR");
    EXPECT_TRUE(actions->mnuRightDir()->isVisible());
    actions->mnuRightDir()->close();
    showCategory(2);
    rightClick("RULES");
    EXPECT_FALSE(actions->mnuRightDir()->isVisible());
    EXPECT_FALSE(actions->mnuRightClickList()->isVisible());

    // An application titled like the create-new row still has its menu.
    showCategory(0);
    hvtest::writeFile(project + "/LOOKALIKE.HVT", "[TEMPLATE]\r\nTitle=Create New Application\r\n");
    window->RefillList();
    rightClick("LOOKALIKE.HVT");
    EXPECT_TRUE(actions->mnuRightClickList()->isVisible());
    actions->mnuRightClickList()->close();
}

// F2, Del, Shift+Del and Ctrl+C act on the selected item only while the list has the focus;
// in the filter box they edit the text.
TEST_F(ItemActionsTest, ItemKeysActOnlyFromTheList)
{
    // A key as the user presses it: the window active (a closed modal window leaves none
    // active), its list filled, the focus in `target`.
    const auto press = [this](QWidget *target, Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        waitForList();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        target->setFocus();
        QTest::keyClick(target, key, mods);
    };
    QStringList opened;
    window->lstHVSETUP()->selectRow(rowOf("PLANT1.HVT"));
    for (const Qt::KeyboardModifiers mods : {Qt::NoModifier, Qt::ShiftModifier}) {
        const auto warning = whenModalOpens<frmWarning>([&](frmWarning *w) {
            opened << w->metaObject()->className();
            QTest::mouseClick(w->cmdNo(), Qt::LeftButton);
        });
        // The confirmation opens once its template has been read.
        EXPECT_TRUE(completes([&] { press(view(), Qt::Key_Delete, mods); }));
    }
    const auto rename = whenModalOpens<frmRename>([&](frmRename *w) {
        opened << w->windowTitle();
        w->reject();
    });
    press(view(), Qt::Key_F2);
    EXPECT_EQ(opened, (QStringList{"hv::frmWarning", "hv::frmWarning", "Rename Application"}));
    press(view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), project + "/PLANT1.HVT");
    QGuiApplication::clipboard()->clear();
    hvtest::UrlRecorder urls({"file"});
    window->itemActions()->openContainingFolder()->trigger();
    EXPECT_EQ(urls.opened, QList<QUrl>{QUrl::fromLocalFile(project + "/")});

    // From here on a window that a key opens is an item command's: it is closed and named.
    QStringList strayWindows;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout,
                     [&] { strayWindows += hvtest::closeModalWindows(); });
    closer.start(50);
    window->txtFind()->setText("PLANT");
    press(window->txtFind(), Qt::Key_Home);
    for (const Qt::Key key : {Qt::Key_Delete, Qt::Key_F2})
        press(window->txtFind(), key);
    EXPECT_EQ(window->txtFind()->text(), "LANT");
    window->txtFind()->clear();

    // Directory files take the directory commands; the create-new row takes none.
    showCategory(5);
    window->lstHVSETUP()->selectRow(rowOf("OFFICE.DIR"));
    press(view(), Qt::Key_Delete);
    EXPECT_EQ(boxes.texts(), QStringList{"Do you wish to delete the OFFICE.DIR file?"});
    window->lstHVSETUP()->selectRow(rowOf("NEW"));
    press(view(), Qt::Key_Delete);
    press(view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
    EXPECT_EQ(strayWindows, QStringList());
}

TEST_F(ItemActionsTest, RenameDeleteAndCreateNewLeaveWhatTheyMadeOrTheNextRowSelected)
{
    const auto selectedKey = [this] {
        waitForList();
        return window->lstHVSETUP()->selectedKey();
    };
    whenModalOpens<frmRename>(window.get(), [](frmRename *rename) {
        rename->txtRename()->setText("PLANT9");
        QTest::mouseClick(rename->OKButton(), Qt::LeftButton);
    });
    window->lstHVSETUP()->selectRow(rowOf("PLANT1.HVT"));
    ASSERT_TRUE(completes([&] { window->findChild<QAction *>("mnuRenameRight")->trigger(); }));
    EXPECT_EQ(selectedKey(), "PLANT9.hvt");

    // A deleted row gives its place to the row below it; the last row to the row above.
    const auto keyAt = [this](int viewRow) {
        return view()->model()->index(viewRow, 0).data(CategoryListModel::KeyRole).toString();
    };
    const auto deleteItem = [&](const QString &key) {
        whenModalOpens<frmWarning>(window.get(), [](frmWarning *warning) {
            QTest::mouseClick(warning->cmdYes(), Qt::LeftButton);
        });
        window->lstHVSETUP()->selectRow(rowOf(key));
        ASSERT_TRUE(completes([&] { window->findChild<QAction *>("mnuDeleteAll")->trigger(); }));
    };
    const QString below = keyAt(window->lstHVSETUP()->viewIndex(rowOf("LINE4.HVT")).row() + 1);
    ASSERT_FALSE(below.isEmpty());
    deleteItem("LINE4.HVT");
    EXPECT_EQ(selectedKey(), below);
    const int last = view()->model()->rowCount() - 1;
    const QString above = keyAt(last - 1);
    deleteItem(keyAt(last));
    EXPECT_EQ(selectedKey(), above);

    // The stand-in application program makes a template NEWn.HVT.
    doubleClick(QString::fromLatin1(kKeyNew));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return selectedKey().startsWith("NEW") && selectedKey().endsWith(".HVT"); }, 10000))
        << selectedKey().toStdString();
}

TEST_F(ItemActionsTest, RenameAndDeleteThroughTheirWindowsChangeTheFilesAsTheCliDoes)
{
    QStringList seen;
    whenModalOpens<frmRename>(window.get(), [&](frmRename *rename) {
        seen << rename->windowTitle() << rename->txtRename()->text();
        rename->txtRename()->setText("FORKLIFT");
        QTest::mouseClick(rename->OKButton(), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return rename->OKButton()->isEnabled(); }, 10000));
        EXPECT_TRUE(rename->isVisible()); // a taken name keeps the window open
        rename->txtRename()->setText("PLANT9");
        QTest::mouseClick(rename->OKButton(), Qt::LeftButton);
    });
    window->lstHVSETUP()->selectRow(rowOf("PLANT1.HVT"));
    ASSERT_TRUE(completes([&] { window->findChild<QAction *>("mnuRenameRight")->trigger(); }));
    EXPECT_EQ(seen, (QStringList{"Rename Application", "PLANT1"}));
    EXPECT_EQ(AppState::instance().SelectedItemFile(), "PLANT1.HVT");
    EXPECT_EQ(boxes.texts(),
              QStringList{"File already exists. Rename operation has been cancelled."});
    EXPECT_NE(rowOf("PLANT9.hvt"), -1);

    whenModalOpens<frmWarning>(window.get(), [&](frmWarning *warning) {
        seen << warning->lblWarning()->text() << warning->txtWarning()->toPlainText();
        EXPECT_EQ(warning->focusWidget(), warning->cmdYes());
        QTest::mouseClick(warning->cmdYes(), Qt::LeftButton);
    });
    window->lstHVSETUP()->selectRow(rowOf("LINE4.HVT"));
    ASSERT_TRUE(completes([&] { window->findChild<QAction *>("mnuDeleteAll")->trigger(); }));
    EXPECT_EQ(seen.at(2), "Warning!\nApplication And All Associated Data Will Be Lost!");
    EXPECT_EQ(AppState::instance().SelectedItemPath(), project + "/LINE4.HVT");
    EXPECT_TRUE(seen.at(3).startsWith("You are about to delete the Line 4 Safety Audit"));
    EXPECT_EQ(rowOf("LINE4.HVT"), -1);

    ASSERT_EQ(hvtest::runCli({"rename", twin, "PLANT1.HVT", "PLANT9"}).exitCode, 0);
    const hvtest::ProcessResult deleted = hvtest::runCli({"delete", twin, "LINE4.HVT"});
    ASSERT_EQ(deleted.exitCode, 0) << deleted.err.toStdString();
    EXPECT_EQ(files(project), files(twin));

    // A directory file: "No" keeps it, and the list is filled again either way.
    showCategory(5);
    window->lstHVSETUP()->selectRow(rowOf("OFFICE.DIR"));
    boxes.answers = {MsgAnswer::No};
    window->findChild<QAction *>("mnuDeleteDir")->trigger();
    EXPECT_EQ(boxes.shown.back().caption, "Confirm Delete");
    EXPECT_EQ(boxes.shown.back().text, "Do you wish to delete the OFFICE.DIR file?");
    EXPECT_NE(rowOf("OFFICE.DIR"), -1);
}

// A host of the commands other than the main window: the chosen items, the category and the
// refills are all the commands know of it.
class FakeHost : public ItemHost {
public:
    QWidget *ownerWidget() override { return &owner; }
    QList<ItemRef> selectedItems() const override { return items; }
    Category category() const override { return shown; }
    bool listIsCurrent() const override { return current; }
    QString suiteFolder() const override { return suite; }
    void refill() override { ++refills; }
    void hideForProgram(bool) override { ++hides; }
    void showAfterProgram(bool) override {}
    void openDirectoryFile(const QString &, std::function<void()>) override {}

    QWidget owner;
    QList<ItemRef> items;
    Category shown = Category::Popups;
    QString suite;
    bool current = true;
    int refills = 0;
    int hides = 0;
};

TEST_F(ItemActionsTest, TheCommandsWorkOnTheItemsTheirHostChose)
{
    FakeHost host;
    ItemActions actions(host);
    auto *clear = host.owner.findChild<QAction *>("mnuClearData");
    ASSERT_NE(clear, nullptr);
    // Nothing chosen: no window, no refill.
    clear->trigger();
    EXPECT_EQ(host.refills, 0);

    host.items = {{"DEFECTS.HPT", "Defects"}, {"PLANT1.HVT", "Plant Inspection"}};
    QString headline;
    whenModalOpens<frmWarning>(&host.owner, [&](frmWarning *warning) {
        headline = warning->lblWarning()->text();
        QTest::mouseClick(warning->cmdYes(), Qt::LeftButton);
    });
    ASSERT_TRUE(completes(&actions, [&] { clear->trigger(); }));
    EXPECT_EQ(headline, "Warning!\nAll Data Will Be Lost!");
    EXPECT_EQ(host.refills, 1);
    EXPECT_FALSE(QFile::exists(project + "/DEFECTS.HPD"));
    EXPECT_TRUE(QFile::exists(project + "/DEFECTS.HPT"));
    EXPECT_FALSE(QFile::exists(project + "/PLANT1.HVD"));
    EXPECT_TRUE(QFile::exists(project + "/PLANT1.HVT"));

    // While the list still shows the rows of a category or folder left, the item keys do
    // nothing: the item chosen is not what the category says.
    QGuiApplication::clipboard()->clear();
    host.current = false;
    actions.copyPath()->trigger();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
    host.current = true;
    actions.copyPath()->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              project + "/DEFECTS.HPT\n" + project + "/PLANT1.HVT");
}

TEST_F(ItemActionsTest, ShortcutsLauncherEntriesAndTheFilePack)
{
    window->lstHVSETUP()->selectRow(rowOf("PLANT1.HVT"));
    window->findChild<QAction *>("mnuDesktopApp")->trigger();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(QFile::exists(config.path() + "/home/Desktop/Plant Inspection.desktop"));
    window->findChild<QAction *>("mnuHVLaunchAPP")->trigger();
    EXPECT_EQ(boxes.texts(),
              QStringList{"The Plant Inspection template has been added to HVLaunch."});
    QSignalSpy fills(window->lstHVSETUP()->model(), &QAbstractItemModel::modelReset);
    window->findChild<QAction *>("mnuFilePack")->trigger();
    EXPECT_EQ(calls(), QStringList{"HVFilePack.exe\t" + project + "/PLANT1.HVT"});
    EXPECT_EQ(fills.count(), 0);
    EXPECT_TRUE(window->isVisible());

    // The file pack is only waited for: its host is never hidden.
    FakeHost host;
    host.suite = suite + u'/';
    host.shown = Category::Applications;
    host.items = {{"LINE4.HVT", "Line 4"}};
    ItemActions actions(host);
    host.owner.findChild<QAction *>("mnuFilePack")->trigger();
    EXPECT_EQ(calls().last(), "HVFilePack.exe\t" + project + "/LINE4.HVT");
    EXPECT_EQ(host.hides, 0);
}

TEST_F(ItemActionsTest, WhereTheTrashRefusesTheConsoleAsksBeforeDeletingPermanently)
{
    // A file where the home trash's folder would be: the trash refuses every file.
    QDir().mkpath(config.path() + "/home/.local/share");
    hvtest::writeFile(config.path() + "/home/.local/share/Trash", "not a folder");
    const QStringList before = files(project);
    const auto deleteLine4 = [&] {
        whenModalOpens<frmWarning>(window.get(), [](frmWarning *warning) {
            QTest::mouseClick(warning->cmdYes(), Qt::LeftButton);
        });
        window->lstHVSETUP()->selectRow(rowOf("LINE4.HVT"));
        EXPECT_TRUE(completes([&] { window->findChild<QAction *>("mnuDeleteAll")->trigger(); }));
    };
    boxes.answers = {MsgAnswer::No};
    // The delete runs as a job: its question is asked on the user-interface thread, and
    // meanwhile the item commands are disabled.
    bool askedOnTheUserThread = false;
    bool renameEnabled = true;
    boxes.onShow = [&](const auto &) {
        askedOnTheUserThread = QThread::currentThread() == qApp->thread();
        renameEnabled = window->findChild<QAction *>("mnuRenameRight")->isEnabled();
    };
    deleteLine4();
    EXPECT_TRUE(askedOnTheUserThread);
    EXPECT_FALSE(renameEnabled);
    EXPECT_TRUE(window->findChild<QAction *>("mnuRenameRight")->isEnabled());
    ASSERT_EQ(boxes.shown.size(), 1u);
    const auto &question = boxes.shown.front();
    EXPECT_TRUE(question.text.startsWith("The trash cannot take " + project + "/LINE4."));
    EXPECT_TRUE(question.text.endsWith(". Delete it permanently?"));
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_FALSE(question.detail.isEmpty()); // the trash's own reason
    EXPECT_EQ(files(project), before);
    EXPECT_NE(rowOf("LINE4.HVT"), -1);

    // Yes, asked once, deletes every file of the item.
    boxes.answers = {MsgAnswer::Yes};
    deleteLine4();
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(rowOf("LINE4.HVT"), -1);
    EXPECT_TRUE(files(project).filter("LINE4").isEmpty());
}

TEST_F(ItemActionsTest, AnUnreadableSuiteIniRefusesShortcutsAndLauncherEntries)
{
    const QString suiteIni = SuiteSettings().SuiteFile();
    ASSERT_TRUE(QFile::remove(suiteIni));
    ASSERT_TRUE(QDir().mkpath(suiteIni));
    window->lstHVSETUP()->selectRow(rowOf("PLANT1.HVT"));
    window->findChild<QAction *>("mnuDesktopApp")->trigger();
    window->findChild<QAction *>("mnuHVLaunchAPP")->trigger();
    EXPECT_EQ(boxes.texts(), (QStringList{"Cannot read " + suiteIni, "Cannot read " + suiteIni}));
    EXPECT_FALSE(boxes.shown.back().detail.isEmpty());
    EXPECT_TRUE(QDir(config.path() + "/home/Desktop").entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(QFile::exists(QCoreApplication::applicationDirPath() + "/hvlaunch.ini"));
}

TEST_F(ItemActionsTest, QuittingWhileAProgramRunsEndsCleanly)
{
    qputenv("HV_STANDIN_SECONDS", "1");
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!calls().isEmpty()) {
            watch.stop();
            QCoreApplication::quit();
        }
    });
    watch.start(5);
    QTimer::singleShot(0, [&] { doubleClick("PLANT1.HVT"); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(calls().size(), 1);
}

TEST_F(ItemActionsTest, TheStatusBarElidesALongFolderInTheMiddle)
{
    const QString deep = project + "/" + QString("very long folder name ").repeated(8).trimmed();
    QDir().mkpath(deep);
    window->hvFolderTree()->showFolder(deep);
    Q_EMIT window->hvFolderTree()->folderClicked(deep);
    waitForList();
    auto *panel = static_cast<PathLabel *>(window->statusPanel(1));
    EXPECT_EQ(panel->toolTip(), deep);
    const QString shown = panel->shownText();
    EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("name")) << shown.toStdString();
    EXPECT_TRUE(shown.startsWith("Selected Project Folder:   /"));
}

} // namespace

namespace {

// Undo through the window: the notice of what an operation did, Edit > Undo captioned by it,
// Ctrl+Z, and the History window.
class UndoTest : public ItemActionsTest {
protected:
    QMap<QString, QByteArray> contents() const
    {
        QMap<QString, QByteArray> bytes;
        for (const QString &name : files(project))
            bytes.insert(name, hvtest::readFile(project + u'/' + name));
        return bytes;
    }
    QString notice() const { return window->countPanel()->notice(); }
    QAction *undoAction() const { return window->findChild<QAction *>("mnuUndo"); }
    void remove(const QString &key, const char *command)
    {
        whenModalOpens<frmWarning>(window.get(), [](frmWarning *warning) {
            QTest::mouseClick(warning->cmdYes(), Qt::LeftButton);
        });
        window->lstHVSETUP()->selectRow(rowOf(key));
        ASSERT_TRUE(completes([&] { window->findChild<QAction *>(command)->trigger(); }));
    }
    // Presses Ctrl+Z and waits for the undo it starts.
    bool ctrlZ()
    {
        QSignalSpy done(window->undoCommands(), &UndoCommands::finished);
        window->activateWindow(); // the closed modal windows leave none active
        if (!QTest::qWaitForWindowActive(window.get()))
            return false;
        view()->setFocus();
        QTest::keyClick(view(), Qt::Key_Z, Qt::ControlModifier);
        return QTest::qWaitFor([&] { return !done.isEmpty(); }, 10000);
    }
};

} // namespace

TEST_F(UndoTest, CtrlZBringsADeletedItemBackByteForByteUnlessAFileIsInTheWay)
{
    EXPECT_EQ(undoAction()->text(), "&Undo");
    EXPECT_FALSE(undoAction()->isEnabled());
    remove("PLANT1.HVT", "mnuClearData");
    EXPECT_EQ(notice(), "Cleared 6 records of Plant Inspection");
    const auto before = contents();
    remove("FORKLIFT.HVT", "mnuDeleteAll");
    EXPECT_EQ(notice(), "Deleted Forklift Daily Check (2 files to the trash)");
    EXPECT_TRUE(window->countPanel()->undoLink()->isVisible());
    EXPECT_EQ(undoAction()->text(), "&Undo Delete Forklift Daily Check");
    EXPECT_TRUE(undoAction()->isEnabled());

    // A new file where one would come back: the undo is refused and nothing moves.
    hvtest::writeFile(project + "/FORKLIFT.HVD", "new");
    const auto blocked = contents();
    ASSERT_TRUE(ctrlZ());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown.back().text.contains("FORKLIFT.HVD"))
        << boxes.shown.back().text.toStdString();
    EXPECT_EQ(contents(), blocked);
    EXPECT_EQ(undoAction()->text(), "&Undo Delete Forklift Daily Check");

    QFile::remove(project + "/FORKLIFT.HVD");
    ASSERT_TRUE(ctrlZ());
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(contents(), before);
    EXPECT_EQ(notice(), "Undid Delete Forklift Daily Check");
    EXPECT_FALSE(window->countPanel()->undoLink()->isVisible());
    EXPECT_NE(rowOf("FORKLIFT.HVT"), -1);
    // The clear before it is next.
    EXPECT_EQ(undoAction()->text(), "&Undo Clear Plant Inspection");

    // A change of category gives the panel back to the count.
    showCategory(1);
    EXPECT_TRUE(notice().isEmpty());
}

TEST_F(UndoTest, TheHistoryWindowUndoesTheChosenOperation)
{
    whenModalOpens<frmRename>(window.get(), [](frmRename *rename) {
        rename->txtRename()->setText("PLANT9");
        QTest::mouseClick(rename->OKButton(), Qt::LeftButton);
    });
    window->lstHVSETUP()->selectRow(rowOf("PLANT1.HVT"));
    ASSERT_TRUE(completes([&] { window->findChild<QAction *>("mnuRenameRight")->trigger(); }));
    EXPECT_EQ(notice(), "Renamed PLANT1 to PLANT9");
    remove("LINE4.HVT", "mnuDeleteAll");

    QStringList seen;
    whenModalOpens<HistoryWindow>(window.get(), [&](HistoryWindow *history) {
        QTreeWidget *list = history->list();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            seen << list->topLevelItem(i)->text(1) + u'|' + list->topLevelItem(i)->text(3);
        list->setCurrentItem(list->topLevelItem(1));
        QSignalSpy done(window->undoCommands(), &UndoCommands::finished);
        QTest::mouseClick(history->undoButton(), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !done.isEmpty(); }, 10000));
        seen << list->topLevelItem(1)->text(3);
        EXPECT_FALSE(history->undoButton()->isEnabled()); // the chosen one is undone
        history->reject();
    });
    window->findChild<QAction *>("mnuHistory")->trigger();
    EXPECT_EQ(seen,
              (QStringList{"Delete Line 4 Safety Audit|", "Rename PLANT1 to PLANT9|", "Undone"}));
    EXPECT_TRUE(QFile::exists(project + "/PLANT1.HVT"));
    EXPECT_FALSE(QFile::exists(project + "/PLANT9.HVT"));
    EXPECT_FALSE(QFile::exists(project + "/LINE4.HVT"));
    EXPECT_EQ(notice(), "Undid Rename PLANT1 to PLANT9");
    EXPECT_EQ(undoAction()->text(), "&Undo Delete Line 4 Safety Audit");
}

TEST_F(UndoTest, SeveralItemsAreAskedAboutOnceGoAsOneOperationAndComeBackAtOnce)
{
    const auto before = contents();
    const QStringList both{"FORKLIFT.HVT", "LINE4.HVT"};
    const auto selected = [this] {
        QStringList keys;
        for (const ItemRef &item : window->selectedItems())
            keys << item.key;
        return keys;
    };
    const auto deleteSelected = [this] {
        QString question;
        whenModalOpens<frmWarning>(window.get(), [&](frmWarning *warning) {
            question = warning->txtWarning()->toPlainText();
            QTest::mouseClick(warning->cmdYes(), Qt::LeftButton);
        });
        EXPECT_TRUE(completes([&] { window->findChild<QAction *>("mnuDeleteAll")->trigger(); }));
        waitForList();
        return question;
    };
    // Ctrl adds a row; a right-click inside the selection keeps it, and the commands of one
    // item are disabled.
    window->lstHVSETUP()->selectRow(rowOf("FORKLIFT.HVT"));
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      pointOf("LINE4.HVT"));
    rightClick("LINE4.HVT");
    ASSERT_TRUE(window->itemActions()->mnuRightClickList()->isVisible());
    window->itemActions()->mnuRightClickList()->close();
    EXPECT_EQ(selected(), both);
    EXPECT_FALSE(window->findChild<QAction *>("mnuRenameRight")->isEnabled());
    EXPECT_FALSE(window->findChild<QMenu *>("mnuShortcutApp")->isEnabled());
    EXPECT_TRUE(window->findChild<QAction *>("mnuClearData")->isEnabled());

    // A held file of the second item refuses the whole before the first moves.
    {
        FileHolder holder(project + "/LINE4.HVD");
        EXPECT_EQ(deleteSelected(), "Delete 2 applications and all their associated data?");
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_TRUE(boxes.shown.back().text.contains("LINE4.HVD"));
        EXPECT_EQ(contents(), before);
        EXPECT_TRUE(history::Entries().isEmpty());
    }
    waitForList();
    EXPECT_EQ(selected(), both);

    deleteSelected();
    EXPECT_EQ(notice(), "Deleted 2 applications (4 files to the trash)");
    EXPECT_EQ(history::Entries().size(), 1);
    EXPECT_EQ(undoAction()->text(), "&Undo Delete 2 applications");
    EXPECT_EQ(selected(), QStringList{"PLANT1.HVT"}); // the row below the last deleted

    // One undo brings both back, selected.
    ASSERT_TRUE(ctrlZ());
    EXPECT_EQ(contents(), before);
    waitForList();
    EXPECT_EQ(selected(), both);
}
