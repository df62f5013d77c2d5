#include "ui/mainwindow/FolderPlaces.h"
#include "app/AppState.h"
#include "app/UserSettings.h"
#include "files/DirClass.h"
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

#include <QAction>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace hv;

namespace {

// A folder on a file system of its own that can be made read-only: a tmpfs mounted over it,
// remounted read-only once filled. Mounting needs root (as on CI); elsewhere isMounted() is
// false and the test skips.
class ReadOnlyMount {
public:
    explicit ReadOnlyMount(const QString &path) : m_path(path)
    {
        QDir().mkpath(path);
        m_mounted =
            ::geteuid() == 0 &&
            hvtest::runProgram("mount", {"-t", "tmpfs", "-o", "size=4m", "tmpfs", path}).exitCode ==
                0;
    }
    ~ReadOnlyMount()
    {
        if (m_mounted)
            hvtest::runProgram("umount", {"-l", m_path});
    }
    bool isMounted() const { return m_mounted; }
    bool makeReadOnly() const
    {
        return hvtest::runProgram("mount", {"-o", "remount,ro", m_path}).exitCode == 0;
    }

private:
    QString m_path;
    bool m_mounted = false;
};

class FolderPlacesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppState::instance().reset();
        plant.addTemplate("LINE4.HVT", "Line 4");
        office.addTemplate("VISIT.HVT", "Visitor Log");
        AppState::instance().SetProjectFolder(plant.slashed());
    }
    void TearDown() override { AppState::instance().reset(); }

    std::unique_ptr<frmHVSetup> startWindow()
    {
        auto window = std::make_unique<frmHVSetup>();
        ReadRegWindowInfo(*window, false);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        waitUntilSettled(*window);
        return window;
    }
    // The list is filled and the folder's access known.
    static void waitUntilSettled(frmHVSetup &window)
    {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return !window.isFilling() && !window.folderAccess()->isChecking(); }, 10000));
    }

    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    hvtest::ProjectFolder plant{config.path(), QStringLiteral("plant")};
    hvtest::ProjectFolder office{config.path(), QStringLiteral("office")};
};

} // namespace

TEST_F(FolderPlacesTest, AReadOnlyFolderIsShownAsSuchAndNothingOffersToChangeIt)
{
    const QString locked = config.path() + QStringLiteral("/locked");
    const ReadOnlyMount mount(locked);
    if (!mount.isMounted())
        GTEST_SKIP() << "needs root to mount a read-only file system";
    hvtest::ProjectFolder folder{config.path(), QStringLiteral("locked")};
    folder.addTemplate("LINE4.HVT", "Line 4");
    folder.addDirectory("MENU.DIR", "Menu", 1);
    ASSERT_TRUE(mount.makeReadOnly());

    AppState::instance().SetProjectFolder(folder.slashed());
    auto window = startWindow();
    QLabel *panel = window->statusPanel(3);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->text(), "read-only");
    const QStringList changing = {"mnuRenameRight", "mnuClearData", "mnuDeleteAll", "mnuRenameDir",
                                  "mnuDeleteDir"};
    for (const QString &name : changing) {
        auto *action = window->findChild<QAction *>(name);
        EXPECT_FALSE(action->isEnabled()) << name.toStdString();
        EXPECT_TRUE(action->toolTip().contains("read-only")) << name.toStdString();
    }
    EXPECT_TRUE(window->findChild<QAction *>("mnuDesktopApp")->isEnabled());

    // The editor keeps Save disabled, even once something changed.
    DirClass dir{dirTemplateLookup(folder.slashed())};
    frmDIR editor(dir);
    ASSERT_TRUE(editor.prepare(folder.slashed() + "MENU.DIR"));
    editor.txtDIRCaption()->setText("Changed");
    auto *save = editor.findChild<QAction *>("mnuSave");
    EXPECT_FALSE(save->isEnabled());
    EXPECT_TRUE(save->toolTip().contains("read-only"));

    // A writable folder gives everything back.
    Q_EMIT window->hvFolderTree()->folderClicked(plant.path());
    waitUntilSettled(*window);
    EXPECT_FALSE(panel->isVisible());
    for (const QString &name : changing)
        EXPECT_TRUE(window->findChild<QAction *>(name)->isEnabled()) << name.toStdString();
}

TEST_F(FolderPlacesTest, TypedAndRecentFoldersOpenAsIfClickedInTheTree)
{
    hvtest::LogCapture log;
    auto window = startWindow();
    QAction *goTo = window->folderPlaces()->goToFolder();
    EXPECT_EQ(goTo->shortcut(), QKeySequence("Ctrl+L"));

    // The folder typed is logged as typed, then opened with the separator appended.
    const auto typed = hvtest::whenModalOpens<QInputDialog>([&](QInputDialog *dialog) {
        EXPECT_EQ(dialog->textValue(), plant.path());
        dialog->setTextValue(office.path() + "/");
        dialog->accept();
    });
    goTo->trigger();
    waitUntilSettled(*window);
    EXPECT_EQ(AppState::instance().ProjectFolder(), office.slashed());
    EXPECT_EQ(window->hvFolderTree()->selectedFolder(), office.path());
    EXPECT_TRUE(log.waitForMessage("Project Folder=[" + office.path() + "]"));

    // A folder that is not there changes nothing.
    const auto missing = hvtest::whenModalOpens<QInputDialog>([&](QInputDialog *dialog) {
        dialog->setTextValue(config.path() + "/nowhere");
        dialog->accept();
    });
    goTo->trigger();
    waitUntilSettled(*window);
    EXPECT_EQ(boxes.texts(), QStringList{"Selected Drive invalid."});
    EXPECT_EQ(AppState::instance().ProjectFolder(), office.slashed());

    // Recent Folders lists what was opened, newest first, and opens it again.
    QMenu *recent = window->folderPlaces()->recentFolders();
    window->folderPlaces()->fillRecent();
    ASSERT_EQ(recent->actions().size(), 1);
    EXPECT_EQ(recent->actions().at(0)->text(), "&1 " + office.path());
    Q_EMIT window->hvFolderTree()->folderClicked(plant.path());
    waitUntilSettled(*window);
    EXPECT_TRUE(log.waitForMessage("Project Folder=[" + plant.path() + "]"));
    window->folderPlaces()->fillRecent();
    ASSERT_EQ(recent->actions().size(), 2);
    recent->actions().at(1)->trigger();
    waitUntilSettled(*window);
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
