#include "ui/mainwindow/CategoryListModel.h"
#include "lists/CategoryListEngine.h"
#include "tests/common/TestSupport.h"
#include "ui/mainwindow/ItemListView.h"

#include <QAbstractItemModelTester>
#include <QListView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace hv;

namespace {

CategoryList applications()
{
    CategoryList list;
    list.category = Category::Applications;
    list.columns = {
        {"Application Title", false}, {"Filename", false}, {"Records", true}, {"Date/Time", false}};
    list.rows = {{"NEW", "Create New Application", kIconNew, {"", "0", ""}},
                 {"A.HVT", "alpha", kIconItem, {"A.HVT", "12", "2026-01-02 03:04"}},
                 // A row with fewer sub-items than columns shows empty cells.
                 {"B.HVT", "Beta", kIconItem, {"B.HVT"}}};
    list.selectedRow = 0;
    return list;
}

CategoryList units()
{
    CategoryList list;
    list.category = Category::Units;
    list.columns = {{"Settings", false}};
    list.rows = {{"UNITS", "Edit Units of Measure", kIconNew, {}}};
    list.selectedRow = -1;
    return list;
}

} // namespace

TEST(CategoryListModel, PassesTheModelTesterThroughEveryKindOfFill)
{
    CategoryListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setList(applications());
    model.setList(units());
    model.setList(CategoryList{});
    model.setList(applications());

    QTemporaryDir dir;
    hvtest::writeFile(dir.path() + "/P.HPT", "[TEMPLATE]\r\nTitle=Codes\r\n");
    hvtest::writeFile(dir.path() + "/plant.dir", "[DIRECTORY]\r\nCaption=Plant\r\n");
    ListSource source;
    source.projectFolder = dir.path();
    for (Category category : {Category::Applications, Category::Popups, Category::Rules,
                              Category::Units, Category::Security, Category::Directories})
        model.setList(LoadCategory(category, source));
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.index(1, 0).data().toString(), "Plant");
}

TEST(CategoryListModel, ShowsCellsKeysIconsAndTheRightAlignedCount)
{
    CategoryListModel model;
    model.setList(applications());
    ASSERT_EQ(model.columnCount(), 4);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "Records");
    EXPECT_EQ(model.headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_FALSE(model.headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).isValid());
    EXPECT_EQ(model.index(1, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(model.index(1, 0).data().toString(), "alpha");
    EXPECT_EQ(model.index(1, 3).data().toString(), "2026-01-02 03:04");
    EXPECT_EQ(model.index(2, 2).data().toString(), "");
    EXPECT_EQ(model.index(2, 0).data(CategoryListModel::KeyRole).toString(), "B.HVT");
    EXPECT_EQ(model.index(0, 0).data(CategoryListModel::IconNumberRole).toInt(), kIconNew);
    EXPECT_FALSE(model.index(1, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_FALSE(model.index(1, 1).data(Qt::DecorationRole).isValid());
    EXPECT_EQ(model.rowOfKey("B.HVT"), 2);
    EXPECT_EQ(model.rowOfKey("b.hvt"), -1);
}

// Icons held back for a window's first paint come with a change of every row's first cell.
TEST(CategoryListModel, HeldIconsComeWithAChangeOfTheRows)
{
    CategoryListModel model;
    model.holdIcons();
    model.setList(applications());
    EXPECT_TRUE(model.index(1, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.showIcons();
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(0, 0));
    EXPECT_EQ(changed[0][1].toModelIndex(), model.index(model.rowCount() - 1, 0));
    EXPECT_EQ(changed[0][2].value<QList<int>>(), QList<int>{Qt::DecorationRole});
    EXPECT_FALSE(model.index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_FALSE(model.index(1, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    model.setList(applications());
    EXPECT_FALSE(model.index(1, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
}

TEST(ItemListView, KeepsTheSelectionAcrossViewModesAndSelectsWhatTheFillSays)
{
    ItemListView view;
    view.resize(400, 300);
    view.setCategoryList(applications());
    EXPECT_EQ(view.selectedKey(), "NEW");
    view.selectRow(2);
    view.setViewMode(0);
    EXPECT_EQ(view.iconView()->selectionModel(), view.detailsView()->selectionModel());
    EXPECT_EQ(view.selectedKey(), "B.HVT");
    EXPECT_EQ(view.currentView(), view.iconView());
    view.setViewMode(3);
    EXPECT_EQ(view.selectedRow(), 2);
    EXPECT_EQ(view.currentView(), view.detailsView());

    // A settings fill selects nothing; an out-of-range mode falls back to the nearest one.
    view.setCategoryList(units());
    EXPECT_EQ(view.selectedRow(), -1);
    EXPECT_EQ(view.selectedKey(), "");
    view.setViewMode(7);
    EXPECT_EQ(view.viewMode(), 3);
}
