#include "ops/ItemRename.h"
#include "suite/TemplateFileInfo.h"
#include "tests/common/SlowShare.h"
#include "tests/ops/ItemFolder.h"

#include <QDirIterator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <latch>
#include <thread>

using namespace hv;

namespace {

const QString kAppLocked =
    "Error occured during Rename operation. The Application files are locked by another "
    "process. This may be caused by another Halvora product having this Application Open. "
    "Rename operation has been cancelled.";
const QString kPopupLocked =
    "Error occurred during Rename operation. The Popup files are locked by another process. "
    "This may be caused by another Halvora product having this Popup open. Rename operation "
    "has been cancelled.";
const QString kExists = "File already exists. Rename operation has been cancelled.";

// The message of a step that failed for another reason than a held file.
QString stepFailed(const QString &step)
{
    return "Error occurred during Rename operation. " + step +
           " Rename operation has been cancelled.";
}

} // namespace

class ItemRename : public ItemFolder {
protected:
    RenameResult rename(const QString &fileName, const QString &newName)
    {
        TemplateFileInfo info(folder);
        return RenameItem(folder, fileName, newName, info, {}, &locks);
    }
    HeldFilesService locks;
};

TEST(RenameWindowText, PromptAndCaptionByKindAndForbiddenCharacters)
{
    EXPECT_EQ(RenamePromptFor("Line 4.hvt").prompt,
              "Please Enter New Application Filename Without an Extension:");
    EXPECT_EQ(RenamePromptFor("Line 4.hvt").caption, "Rename Application");
    EXPECT_EQ(RenamePromptFor("Pick.HPT").prompt,
              "Please Enter New Popup Filename Without an Extension:");
    EXPECT_EQ(RenamePromptFor("Pick.HPT").caption, "Rename Popup");
    EXPECT_EQ(RenamePromptFor("menu.dir").caption, "Rename DIR");
    EXPECT_EQ(RenamePromptFor("menu.dir").prompt,
              "Please Enter New DIR Filename Without an Extension:");
    EXPECT_EQ(RenamePromptFor("notes.txt").prompt,
              "Please enter new Application Name without an extension:");
    EXPECT_EQ(RenamePromptFor("notes.txt").caption, "Rename Application");

    for (const QChar c : QStringLiteral("*?!/<>|\":;\\\n\t\x01\x7f"))
        EXPECT_FALSE(Check_Filename(QStringLiteral("a") + c + "b")) << QString(c).toStdString();
    // Names that would hide the item among the dot-files.
    for (const char *name : {"", ".", "..", ".x"})
        EXPECT_FALSE(Check_Filename(name)) << name;
    for (const char *name : {" ", "Line 4 ", "a.b", "a-b_c", "x."})
        EXPECT_TRUE(Check_Filename(name)) << name;
}

TEST_F(ItemRename, RenamesOnlyTheFilesThatExistUnderTheNamesItWrites)
{
    write("A.HVT", "[TEMPLATE]\r\n");
    write("a.HVD", "data");
    write("AB.hvn");
    const RenameResult r = rename("A.HVT", "B");
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.closesWindow());
    EXPECT_TRUE(r.message.isEmpty());
    EXPECT_EQ(r.renamed.size(), 2);
    EXPECT_EQ(names(), (QStringList{"AB.hvn", "B.hvd", "B.hvt"}));
    EXPECT_EQ(hvtest::readFile(folder + "B.hvd"), "data");
}

TEST_F(ItemRename, StrayFilesOfTheNewNameGoToTheTrash)
{
    write("A.hvt", "[TEMPLATE]\r\n");
    write("A.hvd", "new");
    write("b.HVN", "stray");
    write("B.hvd", "old");
    const RenameResult r = rename("A.hvt", "B");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.strayTrashed, (QStringList{folder + "B.hvd", folder + "b.HVN"}));
    EXPECT_EQ(names(), (QStringList{"B.hvd", "B.hvt"}));
    EXPECT_EQ(hvtest::readFile(folder + "B.hvd"), "new");
    EXPECT_EQ(trashed(), (QStringList{"B.hvd", "b.HVN"}));
}

TEST_F(ItemRename, NumberedFilesFollowTheKeysOnlyWhenAnHvmFileExists)
{
    const QByteArray tmpl = "[TEMPLATE]\r\n[ENTRY]\r\nKey=7\r\n[ENTRY]\r\nKey=12\r\n";
    write("A.hvt", tmpl);
    write("A.v7");
    write("A.V12");
    write("A.V1");
    EXPECT_TRUE(rename("A.hvt", "B").ok);
    EXPECT_EQ(names(), (QStringList{"A.V1", "A.V12", "A.v7", "B.hvt"}));

    write("B.HVM");
    write("C.V7", "stray");
    const RenameResult r = rename("b.hvt", "C");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(names(), (QStringList{"A.V1", "A.V12", "A.v7", "C.hvm", "C.hvt"}));

    // With an hvm file, the files numbered by the keys follow; others keep their names.
    write("A.hvt", tmpl);
    write("A.HVM");
    EXPECT_TRUE(rename("A.hvt", "D").ok);
    EXPECT_EQ(names(), (QStringList{"A.V1", "C.hvm", "C.hvt", "D.V12", "D.V7", "D.hvm", "D.hvt"}));
}

TEST_F(ItemRename, ATakenNameIsRefusedAndNothingChanges)
{
    for (const char *name :
         {"A.hvt", "A.hvd", "b.HVT", "Pick.hpt", "PICK2.HPT", "menu.DIR", "Menu2.dir"})
        write(name);
    RenameResult r = rename("A.hvt", "B");
    EXPECT_EQ(r.outcome, RenameOutcome::NameTaken);
    EXPECT_EQ(r.message, kExists);
    EXPECT_EQ(r.title, "Invalid Filename");
    EXPECT_FALSE(r.closesWindow());
    // The same name in other letter case is taken too.
    EXPECT_EQ(rename("A.hvt", "a").outcome, RenameOutcome::NameTaken);
    EXPECT_EQ(rename("Pick.hpt", "pick2").message, kExists);
    EXPECT_EQ(rename("menu.DIR", "MENU2").message, kExists);
    EXPECT_EQ(names(), (QStringList{"A.hvd", "A.hvt", "Menu2.dir", "PICK2.HPT", "Pick.hpt", "b.HVT",
                                    "menu.DIR"}));
}

TEST_F(ItemRename, InvalidOrUnknownNamesTouchNothingButCloseTheWindow)
{
    write("A.hvt");
    RenameResult r = rename("A.hvt", "B:C");
    EXPECT_EQ(r.outcome, RenameOutcome::InvalidName);
    EXPECT_EQ(r.message, "Invalid Filename");
    EXPECT_TRUE(r.title.isEmpty());
    EXPECT_TRUE(r.closesWindow());
    r = rename("notes.txt", "B");
    EXPECT_EQ(r.outcome, RenameOutcome::NotAnItem);
    EXPECT_TRUE(r.closesWindow());
    EXPECT_EQ(names(), QStringList{"A.hvt"});
}

TEST_F(ItemRename, ANameIsUsedAsTypedWithSpaces)
{
    write("A.hvt", "[TEMPLATE]\r\n");
    write("A.hvd");
    EXPECT_TRUE(rename("A.hvt", "B ").ok);
    EXPECT_EQ(names(), (QStringList{"B .hvd", "B .hvt"}));
    for (const char *hiding : {"", "..", ".x", "y?", "y*", "y\nz"})
        EXPECT_EQ(rename("B .hvt", hiding).outcome, RenameOutcome::InvalidName) << hiding;
    EXPECT_EQ(names(), (QStringList{"B .hvd", "B .hvt"}));
}

TEST_F(ItemRename, AStepThatFailsUndoesTheStepsBeforeIt)
{
    write("A.hvt", "[TEMPLATE]\r\n");
    write("A.HVD", "d");
    write("A.hvn", "n");
    write("A.hvi", "i");
    write("B.hvd", "stray");
    // A folder of the new name cannot be deleted as a stray file.
    blockWithFolder("B.hvi");
    const RenameResult r = rename("A.hvt", "B");
    EXPECT_EQ(r.outcome, RenameOutcome::Undone);
    // Not a lock: the message says what failed, and the system why.
    EXPECT_EQ(r.title, "Rename Failed");
    EXPECT_TRUE(r.message.startsWith(
        stepFailed("The folder " + folder + "B.hvi is in the way of the new name.")));
    EXPECT_EQ(r.reason, QString::fromLocal8Bit(std::strerror(EISDIR)));
    EXPECT_FALSE(r.closesWindow());
    EXPECT_TRUE(r.renamed.isEmpty());
    EXPECT_TRUE(r.notRestored.isEmpty());
    // The stray that made way stays in the trash, and the message says so.
    EXPECT_EQ(r.strayTrashed, QStringList{folder + "B.hvd"});
    EXPECT_TRUE(r.message.endsWith("moved to the trash: " + folder + "B.hvd"));
    EXPECT_EQ(trashed(), QStringList{"B.hvd"});
    EXPECT_EQ(names(), (QStringList{"A.HVD", "A.hvi", "A.hvn", "A.hvt", "B.hvi"}));
    EXPECT_EQ(hvtest::readFile(folder + "A.HVD"), "d");
}

TEST_F(ItemRename, ARefusedCompanionFileUndoesTheWholeApplication)
{
    // The companion file's new name is too long for the file system; the others are not.
    const QString longName(246, u'n');
    write("A.hvt", "[TEMPLATE]\r\n[ENTRY]\r\nKey=123456789\r\n");
    for (const char *name : {"A.hvd", "A.hvn", "A.hvi", "A.hvx", "A.hva", "A.hvm", "A.V123456789"})
        write(name);
    const QStringList before = names();
    const RenameResult r = rename("A.hvt", longName);
    EXPECT_EQ(r.outcome, RenameOutcome::Undone);
    EXPECT_EQ(r.message, stepFailed("The file " + folder + "A.V123456789 could not be renamed to " +
                                    folder + longName + ".V123456789."));
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_EQ(names(), before);
}

TEST_F(ItemRename, PopupsRenameAndUndoWithTheirOwnMessage)
{
    write("Pick.HPT");
    write("pick.hpd");
    write("Pick.hpi");
    blockWithFolder("Q.hpi");
    RenameResult r = rename("Pick.HPT", "Q");
    EXPECT_EQ(r.outcome, RenameOutcome::Undone);
    EXPECT_EQ(r.message,
              stepFailed("The folder " + folder + "Q.hpi is in the way of the new name."));
    EXPECT_EQ(names(), (QStringList{"Pick.HPT", "Pick.hpi", "Q.hpi", "pick.hpd"}));
    r = rename("Pick.HPT", "R");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(names(), (QStringList{"Q.hpi", "R.hpd", "R.hpi", "R.hpt"}));
}

TEST_F(ItemRename, DirectoryFilesRenameAndAFailureIsNoSuccess)
{
    write("menu.dir", "[DIRECTORY]\r\n");
    RenameResult r = rename("menu.dir", "Main");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(names(), QStringList{"Main.DIR"});
    r = rename("menu.dir", "Other");
    EXPECT_EQ(r.outcome, RenameOutcome::Failed);
    EXPECT_EQ(r.title, "Rename Failed");
    EXPECT_EQ(r.message, "Error occurred during Rename operation. The DIR file could not be "
                         "renamed. Rename operation has been cancelled.");
    EXPECT_EQ(r.reason, "No such file or directory");
    EXPECT_FALSE(r.closesWindow());
    EXPECT_EQ(rename("Main.DIR", QString(260, u'x')).outcome, RenameOutcome::Failed);
    EXPECT_EQ(names(), QStringList{"Main.DIR"});
}

TEST_F(ItemRename, KeysThatNameAnotherFolderAreLeftAlone)
{
    QDir(folder).mkdir("sub");
    write("A.hvt", "[TEMPLATE]\r\n[ENTRY]\r\nKey=/../sub/x\r\n[ENTRY]\r\nKey=2\r\n");
    write("A.hvm");
    write("A.V2");
    write("sub/x", "keep");
    EXPECT_TRUE(rename("A.hvt", "B").ok);
    EXPECT_EQ(names(), (QStringList{"B.V2", "B.hvm", "B.hvt", "sub"}));
    EXPECT_EQ(hvtest::readFile(folder + "sub/x"), "keep");
}

TEST_F(ItemRename, AHeldFileRefusesTheRenameWithNothingTouched)
{
    write("A.hvt", "[TEMPLATE]\r\n[ENTRY]\r\nKey=3\r\n");
    write("A.hvm");
    write("a.v3");
    write("B.hvd", "stray");
    write("Pick.hpt");
    write("Pick.HPI");
    write("menu.dir");
    locks.held = {folder + "a.v3", folder + "Pick.HPI", folder + "menu.dir"};
    RenameResult r = rename("A.hvt", "B");
    EXPECT_EQ(r.outcome, RenameOutcome::Undone);
    EXPECT_EQ(r.title, "File Locked");
    EXPECT_EQ(r.message, kAppLocked);
    EXPECT_EQ(rename("Pick.hpt", "Q").message, kPopupLocked);
    EXPECT_EQ(rename("menu.dir", "Main").outcome, RenameOutcome::Failed);
    EXPECT_EQ(names(),
              (QStringList{"A.hvm", "A.hvt", "B.hvd", "Pick.HPI", "Pick.hpt", "a.v3", "menu.dir"}));
    EXPECT_TRUE(trashed().isEmpty());
}

TEST_F(ItemRename, RepeatedKeysRenameTheirFileOnce)
{
    // The same key twice, and two keys that differ only in letter case.
    write("A.hvt", "[TEMPLATE]\r\n[ENTRY]\r\nKey=1\r\n[ENTRY]\r\nKey=1\r\n"
                   "[ENTRY]\r\nKey=x\r\n[ENTRY]\r\nKey=X\r\n");
    write("A.hvm");
    write("A.V1", "one");
    write("A.Vx", "ex");
    const RenameResult r = rename("A.hvt", "B");
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_TRUE(r.strayTrashed.isEmpty());
    EXPECT_EQ(names(), (QStringList{"B.V1", "B.Vx", "B.hvm", "B.hvt"}));
    EXPECT_EQ(hvtest::readFile(folder + "B.V1"), "one");
    EXPECT_EQ(hvtest::readFile(folder + "B.Vx"), "ex");
    EXPECT_TRUE(trashed().isEmpty());
}

TEST_F(ItemRename, AnInvalidTemplateHasNoKeysButOneThatCannotBeReadIsNotRenamed)
{
    write("A.hvt", "no header");
    write("A.hvm");
    write("A.V1");
    write("E.HVT", "");
    write("E.hvd");
    EXPECT_TRUE(rename("A.hvt", "B").ok);
    // Without an hvm file the template is not needed at all.
    EXPECT_TRUE(rename("e.hvt", "F").ok);
    EXPECT_EQ(names(), (QStringList{"A.V1", "B.hvm", "B.hvt", "F.hvd", "F.hvt"}));

    blockWithFolder("BAD.HVT");
    write("BAD.hvm");
    const RenameResult r = rename("BAD.hvt", "C");
    EXPECT_EQ(r.outcome, RenameOutcome::Failed);
    EXPECT_EQ(r.message, "Error occurred during Rename operation. The template " + folder +
                             "BAD.HVT cannot be read, so the files that belong to it cannot be "
                             "found. Rename operation has been cancelled.");
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_EQ(names(),
              (QStringList{"A.V1", "B.hvm", "B.hvt", "BAD.HVT", "BAD.hvm", "F.hvd", "F.hvt"}));
}

TEST_F(ItemRename, AHeldFileOfTheNewNameRefusesTheRenameWithNothingTouched)
{
    write("A.hvt", "[TEMPLATE]\r\n");
    write("A.hvd");
    write("B.HVI", "held stray");
    write("Pick.hpt");
    write("Q.hpd", "held stray");
    locks.held = {folder + "B.HVI", folder + "Q.hpd"};
    EXPECT_EQ(rename("A.hvt", "B").message, kAppLocked);
    EXPECT_EQ(rename("Pick.hpt", "Q").message, kPopupLocked);
    EXPECT_EQ(names(), (QStringList{"A.hvd", "A.hvt", "B.HVI", "Pick.hpt", "Q.hpd"}));
    EXPECT_TRUE(trashed().isEmpty());
}

namespace {

// Renames the applications A and D to E at once, `rounds` times, in `where`; counts the
// rounds after which a data file's bytes are not there exactly once, in that folder (with the
// trash of its volume) or in the home trash, whichever rename won.
int racesThatLoseAFile(const QString &where, const QString &homeTrash, int rounds)
{
    const QString folder = where + u'/';
    const auto copiesOf = [&](const QByteArray &bytes) {
        int copies = 0;
        for (const QString &root : {where, homeTrash}) {
            QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext())
                copies += hvtest::readFile(it.next()) == bytes ? 1 : 0;
        }
        return copies;
    };
    // Both renames ask about held files right before their first step: there they meet.
    struct MeetingPoint : HeldFilesService {
        std::latch *met = nullptr;
        QString firstOpen(const QStringList &) override
        {
            met->arrive_and_wait();
            return {};
        }
    };
    int lost = 0;
    for (int round = 0; round < rounds; ++round) {
        const QByteArray a = "data of A, round " + QByteArray::number(round);
        const QByteArray d = "data of D, round " + QByteArray::number(round);
        for (const QString &name : QDir(folder).entryList(QDir::Files))
            QFile::remove(folder + name);
        for (const char *name : {"A.hvt", "D.hvt"})
            hvtest::writeFile(folder + name, "[TEMPLATE]\r\n");
        hvtest::writeFile(folder + "A.hvd", a);
        hvtest::writeFile(folder + "D.hvd", d);
        std::latch met(2);
        const auto renameAtOnce = [&](const char *fileName) {
            MeetingPoint meetingPoint;
            meetingPoint.met = &met;
            TemplateFileInfo info(folder);
            RenameItem(folder, fileName, "E", info, {}, &meetingPoint);
        };
        std::thread first(renameAtOnce, "A.hvt");
        std::thread second(renameAtOnce, "D.hvt");
        first.join();
        second.join();
        lost += copiesOf(a) != 1 || copiesOf(d) != 1 ? 1 : 0;
    }
    return lost;
}

} // namespace

TEST_F(ItemRename, TwoRenamesToOneNewNameAtOnceLoseNoDataFile)
{
    constexpr int kRounds = 20;
    constexpr int kShareRounds = 10;
    const int lostHere = racesThatLoseAFile(project.path(), trashPath(), kRounds);
    // On a share every step waits on the server, which widens the window of the race.
    hvtest::SlowShare share;
    const int lostOnShare = share.mount("delay_us=300,cache_s=0")
                                ? racesThatLoseAFile(share.mountPoint(), trashPath(), kShareRounds)
                                : 0;
    std::printf("races that lost a data file: %d of %d here, %d of %d on a share\n", lostHere,
                kRounds, lostOnShare, kShareRounds);
    EXPECT_EQ(lostHere, 0);
    EXPECT_EQ(lostOnShare, 0);
}
