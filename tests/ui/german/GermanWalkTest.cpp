// The windows under a German locale: the catalogues are chosen by the locale, and no text a
// user sees is left in English. This program sets the locale itself before Qt starts.
#include "app/AppState.h"
#include "tests/common/FakeMessageService.h"
#include "tests/common/TempConfig.h"
#include "tests/common/TestSupport.h"
#include "tests/ui/german/TextWalk.h"
#include "ui/ItemActions.h"
#include "ui/mainwindow/CategoryBar.h"
#include "ui/mainwindow/CategoryListModel.h"
#include "ui/mainwindow/FolderTree.h"
#include "ui/mainwindow/ItemListView.h"
#include "ui/mainwindow/frmHVSetup.h"
#include "ui/support/Translations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace hv;

TEST(GermanLocale, CataloguesFollowTheLocale)
{
    // Qt's own texts come from Qt's catalogue; a count takes its plural form in German and, with
    // no catalogue for the locale, in the English the sources are written in.
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), "Abbrechen");
    const auto files = [](int n) {
        return QCoreApplication::translate("hv::ItemActions", "%n files", nullptr, n);
    };
    EXPECT_EQ(files(1) + ", " + files(3), "1 Datei, 3 Dateien");
    installTranslations(QLocale::c());
    EXPECT_EQ(files(1) + ", " + files(3), "1 file, 3 files");
    installTranslations();
}

TEST(GermanLocale, MainWindowLeavesNoTextInEnglish)
{
    const QString demo = qEnvironmentVariable("HV_SOURCE_DIR") + QStringLiteral("/demo");
    ASSERT_TRUE(QFileInfo(demo).isDir()) << "HV_SOURCE_DIR not set?";
    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    // Access keys are unique within a menu in either language.
    QStringList clashes;
    const QStringList left = hvtest::textsLeftInEnglish([&](hvtest::TextWalk &walk) {
        AppState::instance().reset();
        AppState::instance().SetProjectFolder(demo);
        frmHVSetup window;
        window.Load();
        window.show();
        ItemListView *list = window.lstHVSETUP();
        // The items' own titles and the folders' names are the user's; the create-new and
        // settings rows are the window's.
        const auto itemRow = [](const QModelIndex &index) {
            return index.data(CategoryListModel::IconNumberRole).toInt() == kIconItem;
        };
        walk.skippedRows = {{list->detailsView()->objectName(), itemRow},
                            {list->iconView()->objectName(), itemRow},
                            {window.hvFolderTree()->objectName(), nullptr}};
        for (int row = 0; row < window.grdOUtlookBar()->rowCount(); ++row) {
            window.grdOUtlookBar()->setCurrentCell(row, 1);
            ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isFilling(); }, 10000));
            walk.collect(window);
            // An item's context menu says what it does to that kind of item.
            if (list->model()->rowCount() > 1) {
                list->selectRow(1);
                window.itemActions()->popUpMenu(window.mapToGlobal(QPoint(20, 20)));
                walk.collect(window);
                clashes += hvtest::clashingAccessKeys(window);
                for (QMenu *menu : window.findChildren<QMenu *>())
                    menu->hide();
            }
        }
    });
    EXPECT_EQ(left, QStringList{});
    clashes.removeDuplicates();
    EXPECT_EQ(clashes, QStringList{});
    EXPECT_TRUE(boxes.shown.empty());
    AppState::instance().reset();
}

int main(int argc, char **argv)
{
    hvtest::prepareEnvironment();
    qputenv("LC_ALL", "de_DE.UTF-8"); // over the shared C.UTF-8, before Qt reads it
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    installTranslations();
    return RUN_ALL_TESTS();
}
