#include "ui/mainwindow/FolderPlaces.h"
#include "app/AppState.h"
#include "app/UserSettings.h"
#include "suite/DirTemplateLookup.h"
#include "tests/common/FakeMessageService.h"
#include "tests/common/LogCapture.h"
#include "tests/common/ModalWindows.h"
#include "tests/common/TempConfig.h"
#include "tests/ui/mainwindow/MainWindowTestSupport.h"
#include "ui/direditor/frmDIR.h"
#include "ui/mainwindow/FolderAccess.h"
#include "ui/mainwindow/FolderTree.h"
#include "ui/mainwindow/frmHVSetup.h"

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace hv;

namespace {

class FolderPlacesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppState::instance().reset();
        AppState::instance().SetProjectFolder(plant.slashed());
    }
    void TearDown() override { AppState::instance().reset(); }

    std::unique_ptr<frmHVSetup> startWindow()
    {
        auto window = std::make_unique<frmHVSetup>();
        ReadRegWindowInfo(*window, false);
        settle(*window);
        return window;
    }
    // The list is filled and the folder's access known.
    static void settle(frmHVSetup &window)
    {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return !window.isFilling() && !window.folderAccess()->isChecking(); }, 10000));
    }
    static bool mount(const QStringList &args)
    {
        return hvtest::runProgram("mount", args).exitCode == 0;
    }

    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    hvtest::ProjectFolder plant{config.path(), QStringLiteral("plant")};
    hvtest::ProjectFolder office{config.path(), QStringLiteral("office")};
};

} // namespace

TEST_F(FolderPlacesTest, AReadOnlyFolderIsShownAsSuchAndNothingOffersToChangeIt)
{
    // A file system of its own, remounted read-only once filled (mounting needs root, as on CI).
    hvtest::ProjectFolder locked{config.path(), QStringLiteral("locked")};
    if (::geteuid() != 0 || !mount({"-t", "tmpfs", "-o", "size=4m", "tmpfs", locked.path()}))
        GTEST_SKIP() << "needs root to mount a read-only file system";
    const auto unmount = qScopeGuard([&] { hvtest::runProgram("umount", {"-l", locked.path()}); });
    locked.addTemplate("LINE4.HVT", "Line 4");
    locked.addDirectory("MENU.DIR", "Menu", 1);
    ASSERT_TRUE(mount({"-o", "remount,ro", locked.path()}));

    AppState::instance().SetProjectFolder(locked.slashed());
    auto window = startWindow();
    EXPECT_TRUE(window->statusPanel(3)->isVisible());
    EXPECT_EQ(window->statusPanel(3)->text(), "read-only");
    const QStringList changing = {"mnuRenameRight", "mnuClearData", "mnuDeleteAll", "mnuRenameDir",
                                  "mnuDeleteDir"};
    for (const QString &name : changing) {
        auto *action = window->findChild<QAction *>(name);
        EXPECT_FALSE(action->isEnabled()) << name.toStdString();
        EXPECT_TRUE(action->toolTip().contains("read-only")) << name.toStdString();
    }
    EXPECT_TRUE(window->findChild<QAction *>("mnuDesktopApp")->isEnabled());

    // The editor keeps Save disabled, even once something changed.
    DirClass dir{dirTemplateLookup(locked.slashed())};
    frmDIR editor(dir);
    QSignalSpy loaded(&editor, &frmDIR::loaded);
    editor.load(locked.slashed() + "MENU.DIR");
    ASSERT_TRUE(loaded.wait(10000) && loaded.first().first().toBool());
    editor.txtDIRCaption()->setText("Changed");
    auto *save = editor.findChild<QAction *>("mnuSave");
    EXPECT_FALSE(save->isEnabled());
    EXPECT_TRUE(save->toolTip().contains("read-only"));
}

TEST_F(FolderPlacesTest, TypedAndRecentFoldersOpenAsIfClickedInTheTree)
{
    hvtest::LogCapture log;
    auto window = startWindow();
    QAction *goTo = window->folderPlaces()->goToFolder();
    EXPECT_EQ(goTo->shortcut(), QKeySequence("Ctrl+L"));
    const auto typed = hvtest::whenModalOpens<QInputDialog>([&](QInputDialog *dialog) {
        EXPECT_EQ(dialog->textValue(), plant.path());
        dialog->setTextValue(office.path() + "/");
        dialog->accept();
    });
    goTo->trigger();
    settle(*window);
    EXPECT_EQ(AppState::instance().ProjectFolder(), office.slashed());
    EXPECT_EQ(window->hvFolderTree()->selectedFolder(), office.path());

    // A click is logged as clicked, before the separator is appended.
    Q_EMIT window->hvFolderTree()->folderClicked(plant.path());
    settle(*window);
    EXPECT_TRUE(log.waitForMessage("Project Folder=[" + plant.path() + "]"));

    // Recent Folders lists what was opened, newest first, and opens it again.
    QMenu *recent = window->folderPlaces()->recentFolders();
    window->folderPlaces()->fillRecent();
    ASSERT_EQ(recent->actions().size(), 2);
    EXPECT_EQ(recent->actions().at(1)->text(), "&2 " + office.path());
    recent->actions().at(1)->trigger();
    settle(*window);
    EXPECT_EQ(AppState::instance().ProjectFolder(), office.slashed());
    EXPECT_EQ(ReadRecentFolders(), (QStringList{office.path(), plant.path()}));

    // Ten are kept; a comma in a name survives the store.
    for (int i = 0; i < 12; ++i)
        RememberRecentFolder(QStringLiteral("/srv/a,b %1/").arg(i));
    const QStringList kept = ReadRecentFolders();
    ASSERT_EQ(kept.size(), 10);
    EXPECT_EQ(kept.first(), "/srv/a,b 11");
    EXPECT_EQ(kept.last(), "/srv/a,b 2");
}
