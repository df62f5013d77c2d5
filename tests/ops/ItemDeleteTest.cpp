#include "ops/ItemDelete.h"
#include "suite/TemplateFileInfo.h"
#include "tests/ops/ItemFolder.h"

using namespace hv;

namespace {

const QByteArray kTwoEntries =
    "[TEMPLATE]\r\nTitle=Line Four\r\n[ENTRY]\r\nKey=7\r\n[ENTRY]\r\nKey=9\r\n";

} // namespace

using ItemDelete = ItemFolder;

TEST(DeleteConfirmation, TextsOfTheFourModes)
{
    DeleteConfirmation t = DeleteConfirmationText(true, true, "Line 4", 12);
    EXPECT_EQ(t.caption, "Warning! Confirm Delete");
    EXPECT_EQ(t.headline, "Warning!\r\nAll Data will be Lost!");
    EXPECT_EQ(t.question, "You are about to delete 12 data records associated with the Line 4 "
                          "Application. Do you wish to continue?");
    t = DeleteConfirmationText(true, false, "Line 4", 0);
    EXPECT_EQ(t.headline, "Warning!\r\nApplication And All Associated Data Will Be Lost!");
    EXPECT_EQ(t.question, "You are about to delete the Line 4 Application with all 0 data records "
                          "and the script associated with it. Do you wish to continue?");
    t = DeleteConfirmationText(false, true, "Pick", 3);
    EXPECT_EQ(t.headline, "Warning!\r\nAll Data Will Be Lost!");
    EXPECT_EQ(t.question, "You are about to delete 3 data records associated with the Pick Popup. "
                          "Do you wish to continue?");
    t = DeleteConfirmationText(false, false, "Pick", 3);
    EXPECT_EQ(t.headline, "Warning!\r\nPopup And All Associated Data Will Be Lost!");
    EXPECT_EQ(t.question, "You are about to delete the Pick Popup with all 3 data records "
                          "associated with it. Do you wish to continue?");
    EXPECT_EQ(DeleteDirQuestion("menu.DIR"), "Do you wish to delete the menu.DIR file?");
    EXPECT_EQ(DeleteDirCaption(), "Confirm Delete");
}

TEST_F(ItemDelete, ConfirmationTakesTitleAndCountFromTheTemplate)
{
    write("Line 4.HVT", kTwoEntries);
    write("Pick.hpt", "[TEMPLATE]\r\n");
    TemplateFileInfo info(folder);
    EXPECT_EQ(DeleteConfirmationFor(info, folder + "Line 4.HVT", true, true).question,
              "You are about to delete 0 data records associated with the Line Four Application. "
              "Do you wish to continue?");
    // A popup without a title is named by its file name.
    EXPECT_EQ(DeleteConfirmationFor(info, folder + "Pick.hpt", false, false).question,
              "You are about to delete the Pick.hpt Popup with all 0 data records associated "
              "with it. Do you wish to continue?");
}

TEST_F(ItemDelete, ClearingSendsOnlyTheDataFilesInAnyCaseToTheTrash)
{
    for (const char *name : {"Line 4.HVT", "Line 4.HVD", "line 4.hvi", "Line 4.Hvn", "Line 4.hva",
                             "Line 4.hvm", "Line 40.hvd", "Pick.HPT", "PICK.hpd", "Pick.hpi"})
        write(name);
    ItemOpResult r = ClearItemData(folder + "Line 4.HVT", true);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.trashed,
              (QStringList{folder + "Line 4.HVD", folder + "line 4.hvi", folder + "Line 4.Hvn"}));
    r = ClearItemData(folder + "Pick.HPT", false);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(names(),
              (QStringList{"Line 4.HVT", "Line 4.hva", "Line 4.hvm", "Line 40.hvd", "Pick.HPT"}));
    EXPECT_EQ(trashed(),
              (QStringList{"Line 4.HVD", "Line 4.Hvn", "PICK.hpd", "Pick.hpi", "line 4.hvi"}));
    // Nothing left to clear: nothing happens, and that is no failure.
    r = ClearItemData(folder + "Line 4.HVT", true);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.trashed.isEmpty());
}

TEST_F(ItemDelete, DeletingAnApplicationNumbersCompanionFilesByEntryCountNotByKey)
{
    write("A.hvt", kTwoEntries);
    for (const char *name : {"A.V1", "a.v2", "A.V3", "A.V7", "A.HVM", "A.hvd", "A.HVI", "A.hvn",
                             "A.hva", "A.hvx", "AB.hvd"})
        write(name);
    TemplateFileInfo info(folder);
    const ItemOpResult r = DeleteItem(folder + "A.hvt", true, info);
    EXPECT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.trashed, (QStringList{folder + "A.V1", folder + "a.v2", folder + "A.HVM",
                                      folder + "A.hvd", folder + "A.HVI", folder + "A.hvn",
                                      folder + "A.hva", folder + "A.hvt", folder + "A.hvx"}));
    EXPECT_TRUE(r.deletedOutright.isEmpty());
    EXPECT_EQ(names(), (QStringList{"A.V3", "A.V7", "AB.hvd"}));
}

TEST_F(ItemDelete, DeletingAPopupOrADirectoryFile)
{
    for (const char *name : {"pick.HPT", "Pick.HPD", "menu.Dir", "other.dir"})
        write(name);
    TemplateFileInfo info(folder);
    ItemOpResult r = DeleteItem(folder + "pick.HPT", false, info);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.trashed, (QStringList{folder + "pick.HPT", folder + "Pick.HPD"}));
    r = DeleteDirFile(folder + "MENU.DIR");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(names(), QStringList{"other.dir"});
    EXPECT_EQ(trashed(), (QStringList{"Pick.HPD", "menu.Dir", "pick.HPT"}));

    // A directory file that vanished meanwhile is reported, not passed over.
    r = DeleteDirFile(folder + "menu.DIR");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "The file " + folder + "menu.DIR no longer exists.");
}

TEST_F(ItemDelete, RefusedByTheTrashNothingIsDeletedUnlessPermanentDeletionIsChosen)
{
    write("A.hvt", "[TEMPLATE]\r\n");
    write("A.hvd");
    breakTrash();
    TemplateFileInfo info(folder);
    QStringList asked;
    const auto answer = [&](bool yes) {
        return [&asked, yes](const QString &path, const QString &reason) {
            asked << path + " / " + (reason.isEmpty() ? "no reason" : "reason");
            return yes;
        };
    };
    // Without a question, and answered No: the refused file and the rest stay.
    for (const ItemOpResult &r :
         {DeleteItem(folder + "A.hvt", true, info),
          DeleteItem(folder + "A.hvt", true, info, {}, nullptr, answer(false))}) {
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.trashRefused);
        EXPECT_EQ(r.failedPath, folder + "A.hvd");
        EXPECT_EQ(r.message,
                  "The trash cannot take " + folder + "A.hvd, so nothing more was deleted.");
        EXPECT_FALSE(r.reason.isEmpty());
        EXPECT_TRUE(r.touched.isEmpty());
    }
    EXPECT_EQ(names(), (QStringList{"A.hvd", "A.hvt"}));
    // Yes is asked once and holds for the rest of the set.
    const ItemOpResult r = DeleteItem(folder + "A.hvt", true, info, {}, nullptr, answer(true));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(asked, (QStringList{folder + "A.hvd / reason", folder + "A.hvd / reason"}));
    EXPECT_TRUE(r.trashed.isEmpty());
    EXPECT_EQ(r.deletedOutright, (QStringList{folder + "A.hvd", folder + "A.hvt"}));
    EXPECT_TRUE(names().isEmpty());
}

TEST_F(ItemDelete, AFileThatCannotGoStopsTheOperationAndIsReported)
{
    write("A.hvt", "[TEMPLATE]\r\n");
    write("A.hvd");
    blockWithFolder("A.hvi");
    write("A.hvn");
    breakTrash();
    TemplateFileInfo info(folder);
    const ItemOpResult r = DeleteItem(folder + "A.hvt", true, info, {}, nullptr,
                                      [](const QString &, const QString &) { return true; });
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.trashRefused);
    EXPECT_FALSE(r.reason.isEmpty()); // the system's reason for the failed delete
    EXPECT_EQ(r.deletedOutright, QStringList{folder + "A.hvd"});
    EXPECT_EQ(r.failedPath, folder + "A.hvi");
    EXPECT_EQ(r.title, "Delete Failed");
    EXPECT_EQ(r.message, "The file " + folder +
                             "A.hvi could not be deleted. It may be open in another program. The "
                             "remaining files were not touched.");
    EXPECT_EQ(names(), (QStringList{"A.hvi", "A.hvn", "A.hvt"}));
}

TEST_F(ItemDelete, AHeldFileRefusesTheWholeOperationWithNothingTouched)
{
    write("A.hvt", kTwoEntries);
    write("A.V2");
    write("A.hvd");
    write("A.HVI");
    write("menu.dir");
    HeldFilesService locks;
    locks.held = {folder + "A.HVI", folder + "A.V2", folder + "menu.dir"};
    TemplateFileInfo info(folder);
    for (const ItemOpResult &r : {ClearItemData(folder + "A.hvt", true, {}, &locks),
                                  DeleteItem(folder + "A.hvt", true, info, {}, &locks),
                                  DeleteDirFile(folder + "MENU.DIR", {}, &locks)}) {
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.title, "Delete Failed");
        EXPECT_TRUE(locks.held.contains(r.failedPath)) << r.failedPath.toStdString();
        EXPECT_NE(r.message.indexOf(r.failedPath), -1);
        EXPECT_TRUE(r.touched.isEmpty());
    }
    EXPECT_EQ(names(), (QStringList{"A.HVI", "A.V2", "A.hvd", "A.hvt", "menu.dir"}));
    EXPECT_TRUE(trashed().isEmpty());
    // A held numbered file alone refuses the delete.
    locks.held = {folder + "A.V2"};
    EXPECT_EQ(DeleteItem(folder + "A.hvt", true, info, {}, &locks).failedPath, folder + "A.V2");
}

TEST_F(ItemDelete, AnInvalidTemplateHasNoEntriesButOneThatCannotBeReadStopsTheDelete)
{
    // Empty, or without its header: deleted with its files, the numbered ones left.
    write("A.hvt", "not a template");
    write("A.v1");
    write("A.hvd");
    write("E.HVT", "");
    write("E.hvi");
    TemplateFileInfo info(folder);
    HeldFilesService locks;
    EXPECT_TRUE(DeleteItem(folder + "A.hvt", true, info, {}, &locks).ok);
    EXPECT_TRUE(DeleteItem(folder + "e.hvt", true, info, {}, &locks).ok);
    EXPECT_EQ(names(), QStringList{"A.v1"});
    EXPECT_EQ(trashed(), (QStringList{"A.hvd", "A.hvt", "E.HVT", "E.hvi"}));

    // A template that cannot be read is named as it is on disk, with the system's reason.
    blockWithFolder("BAD.HVT");
    write("BAD.hvd");
    const ItemOpResult r = DeleteItem(folder + "BAD.hvt", true, info, {}, &locks);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.title, "Delete Failed");
    EXPECT_EQ(r.message, "The template " + folder +
                             "BAD.HVT cannot be read, so the files that belong to it cannot be "
                             "found. Nothing was deleted.");
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_EQ(names(), (QStringList{"A.v1", "BAD.HVT", "BAD.hvd"}));
}

TEST_F(ItemDelete, SeveralItemsAreAllCheckedBeforeTheFirstMovesAndAskedAboutOnce)
{
    write("A.hvt", kTwoEntries);
    write("A.V2");
    write("A.hvd");
    write("B.hpt");
    write("B.hpd");
    blockWithFolder("BAD.HVT");
    TemplateFileInfo info(folder);
    HeldFilesService locks;
    // An unreadable template, or a held numbered file, of the last item: nothing moves.
    EXPECT_EQ(
        RemoveItems({folder + "B.hpt", folder + "BAD.HVT"}, false, info, {}, &locks).failedPath,
        folder + "BAD.HVT");
    locks.held = {folder + "A.V2"};
    EXPECT_EQ(RemoveItems({folder + "B.hpt", folder + "A.hvt"}, false, info, {}, &locks).failedPath,
              folder + "A.V2");
    EXPECT_EQ(names(), (QStringList{"A.V2", "A.hvd", "A.hvt", "B.hpd", "B.hpt", "BAD.HVT"}));

    // Where the trash refuses, one Yes holds for every item.
    locks.held.clear();
    breakTrash();
    int asked = 0;
    const ItemsOpResult r = RemoveItems({folder + "B.hpt", folder + "A.hvt"}, false, info, {},
                                        &locks, [&](const QString &, const QString &) {
                                            ++asked;
                                            return true;
                                        });
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(r.items.size(), 2);
    EXPECT_EQ(r.items.at(1).deletedOutright.size(), 3);
    EXPECT_EQ(names(), QStringList{"BAD.HVT"});
}
