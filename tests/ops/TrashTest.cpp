#include "ops/Trash.h"
#include "tests/common/SlowShare.h"
#include "tests/ops/ItemFolder.h"

#include <QStandardPaths>
#include <QUrl>

using namespace hv::trash;

using Trash = ItemFolder;

TEST_F(Trash, SendsEveryPathFoundWithoutRegardToCase)
{
    write("Line 4.HVD", "data");
    write("notes.txt");
    const TrashResult r = RecycleFiles({folder + "line 4.hvd", folder + "NOTES.TXT"});
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.trashed, (QStringList{folder + "Line 4.HVD", folder + "notes.txt"}));
    EXPECT_TRUE(names().isEmpty());
    EXPECT_EQ(trashed(), (QStringList{"Line 4.HVD", "notes.txt"}));
    EXPECT_EQ(hvtest::readFile(home.path() + "/share/Trash/files/Line 4.HVD"), "data");
}

TEST_F(Trash, OneMissingPathMakesTheWholeListFailButTheOthersAreTrashed)
{
    write("a.hvd");
    const TrashResult r = RecycleFiles({folder + "gone.hvd", folder + "a.hvd"});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failed, QStringList{folder + "gone.hvd"});
    EXPECT_EQ(trashed(), QStringList{"a.hvd"});
}

TEST_F(Trash, NamesAreLiteralNotPatterns)
{
    write("a1.hvd");
    EXPECT_FALSE(RecycleFiles({folder + "a?.hvd"}).ok);
    EXPECT_FALSE(RecycleFiles({folder + "*.hvd"}).ok);
    EXPECT_EQ(names(), QStringList{"a1.hvd"});
}

TEST_F(Trash, RecycleFileDeletesOutrightOnlyWhenTheTrashRefusesAndThatIsAllowed)
{
    write("a.hvd");
    write("b.hvd");
    RemoveResult r = RecycleFile(folder + "A.HVD", false);
    EXPECT_EQ(r.outcome, RemoveOutcome::Trashed);
    EXPECT_EQ(r.onDisk, folder + "a.hvd");
    EXPECT_EQ(trashed(), QStringList{"a.hvd"});

    breakTrash();
    const TrashResult refused = RecycleFiles({folder + "b.hvd"});
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.reason.isEmpty()); // GIO's own words
    // Not allowed to delete: the file stays, and the trash's reason comes back.
    r = RecycleFile(folder + "b.hvd", false);
    EXPECT_EQ(r.outcome, RemoveOutcome::TrashRefused);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.reason, refused.reason);
    EXPECT_EQ(names(), QStringList{"b.hvd"});
    EXPECT_EQ(RecycleFile(folder + "b.hvd", true).outcome, RemoveOutcome::DeletedOutright);
    EXPECT_TRUE(names().isEmpty());

    r = RecycleFile(folder + "missing.hvd", true);
    EXPECT_EQ(r.outcome, RemoveOutcome::Failed);
    EXPECT_TRUE(r.onDisk.isEmpty());
    blockWithFolder("c.hvd");
    r = RecycleFile(folder + "c.hvd", true);
    EXPECT_EQ(r.outcome, RemoveOutcome::Failed);
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_EQ(names(), QStringList{"c.hvd"});
}

TEST_F(Trash, EveryNameRestoresToItsOwnPlace)
{
    // The trash record must encode these so that a restore cannot land anywhere else.
    const QStringList odd = {"100%41.hvd", "two\nPath=elsewhere.hvd", "with  spaces .hvd",
                             "\u00C9t\u00E9 \u65E5\u672C.hvd"};
    for (const QString &name : odd)
        write(name, name.toUtf8());
    for (const QString &name : odd)
        ASSERT_TRUE(RecycleFiles({folder + name}).ok) << name.toStdString();
    ASSERT_TRUE(names().isEmpty());
    ASSERT_EQ(trashed(), sorted(odd));

    // Restore through the desktop's trash service, on a bus of its own. `gio trash --restore`
    // takes the place as display text, with bytes outside printable ASCII written as \xNN,
    // so it restores only the first two names faithfully; the others are restored as file
    // managers do, from the place as bytes.
    if (QStandardPaths::findExecutable("gio").isEmpty() ||
        QStandardPaths::findExecutable("dbus-run-session").isEmpty())
        GTEST_SKIP() << "gio and dbus-run-session are needed to restore from the trash";
    const QString asFileManagers = R"(
from gi.repository import Gio
trash = Gio.File.new_for_uri('trash:///')
for info in trash.enumerate_children('standard::name,trash::orig-path', 0, None):
    place = Gio.File.new_for_path(info.get_attribute_byte_string('trash::orig-path'))
    trash.get_child(info.get_name()).move(place, Gio.FileCopyFlags.NONE, None, None)
)";
    // The trash service looks at every mount: not while another test holds a share stalled.
    const hvtest::StallSection noStalledShare;
    const auto restore = hvtest::runProgram(
        "dbus-run-session",
        {"--", "sh", "-c",
         "gio trash --restore \"$1\" && gio trash --restore \"$2\" && /usr/bin/python3 -c \"$3\"",
         "sh", "trash:///" + QUrl::toPercentEncoding(odd[0]),
         "trash:///" + QUrl::toPercentEncoding(odd[2]), asFileManagers});
    ASSERT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    EXPECT_EQ(names(), sorted(odd));
    for (const QString &name : odd)
        EXPECT_EQ(hvtest::readFile(folder + name), name.toUtf8());
}
