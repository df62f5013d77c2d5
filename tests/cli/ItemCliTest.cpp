#include "tests/ops/ItemFolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

class ItemCli : public ItemFolder {
protected:
    QJsonObject ok(const QStringList &args, const QString &workDir = {})
    {
        const hvtest::ProcessResult r = hvtest::runCli(args, {}, workDir);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QJsonDocument::fromJson(r.out).object();
    }
    // The failure's one line on stderr.
    QString failure(const QStringList &args)
    {
        const hvtest::ProcessResult r = hvtest::runCli(args);
        EXPECT_EQ(r.exitCode, 1) << r.out.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        return QString::fromUtf8(r.err).trimmed();
    }
    // hvadmin-cli run as the unprivileged user 65534, to whom the project folder is open for
    // reading only (it belongs to root).
    hvtest::ProcessResult asNobody(const QStringList &args)
    {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::ExeOther);
        return hvtest::runProgram("setpriv", QStringList{"--reuid=65534", "--regid=65534",
                                                         "--clear-groups", hvtest::cliPath()} +
                                                 args);
    }
    static bool canDropToNobody()
    {
        return ::geteuid() == 0 && !QStandardPaths::findExecutable("setpriv").isEmpty();
    }
};

} // namespace

TEST_F(ItemCli, ClearAndDeleteSendTheSetToTheTrash)
{
    for (const char *name : {"Line 4.HVT", "line 4.HVD", "Line 4.hvi", "Line 4.hvx", "Pick.hpt",
                             "pick.HPD", "menu.Dir"})
        write(name);
    write("Line 4.HVT", "[TEMPLATE]\r\n");
    QJsonObject out = ok({"clear", folder, "Line 4.HVT"});
    EXPECT_EQ(out.value("trashed").toArray(),
              (QJsonArray{folder + "line 4.HVD", folder + "Line 4.hvi"}));
    EXPECT_EQ(out.value("deletedOutright").toArray(), QJsonArray());
    ok({"delete", folder, "Line 4.HVT"});
    ok({"clear", folder, "Pick.hpt"});
    // A relative folder is taken from the current one.
    ok({"delete", ".", "menu.Dir"}, folder);
    EXPECT_EQ(names(), QStringList{"Pick.hpt"});
    EXPECT_EQ(trashed(), (QStringList{"Line 4.HVT", "Line 4.hvi", "Line 4.hvx", "line 4.HVD",
                                      "menu.Dir", "pick.HPD"}));
}

TEST_F(ItemCli, RenameReportsWhatItRenamedAndFailsWithTheWindowsMessages)
{
    write("A.hvt", "[TEMPLATE]\r\n");
    write("A.HVD");
    write("C.hvt");
    const QJsonObject out = ok({"rename", folder.chopped(1), "A.hvt", "B"});
    EXPECT_EQ(out.value("renamed").toArray(),
              (QJsonArray{QJsonObject{{"from", folder + "A.HVD"}, {"to", folder + "B.hvd"}},
                          QJsonObject{{"from", folder + "A.hvt"}, {"to", folder + "B.hvt"}}}));
    EXPECT_EQ(failure({"rename", folder, "B.hvt", "c"}),
              "File already exists. Rename operation has been cancelled.");
    EXPECT_EQ(failure({"rename", folder, "B.hvt", "x|y"}), "Invalid Filename");
    blockWithFolder("D.hvt");
    write("E.hvt");
    blockWithFolder("F.hvd");
    // A failure that is no lock says what failed, and the system's reason after a colon.
    EXPECT_EQ(failure({"rename", folder, "B.hvt", "F"}),
              "Error occurred during Rename operation. The folder " + folder +
                  "F.hvd is in the way of the new name. Rename operation has been cancelled: " +
                  QString::fromLocal8Bit(std::strerror(EISDIR)));
    EXPECT_EQ(names(), (QStringList{"B.hvd", "B.hvt", "C.hvt", "D.hvt", "E.hvt", "F.hvd"}));
}

TEST_F(ItemCli, ItemsThatAreNotThereOrNotItemsAreRefused)
{
    write("notes.txt");
    write("menu.dir");
    EXPECT_EQ(failure({"delete", folder, "gone.hvt"}), "No such item in " + folder + ": gone.hvt");
    EXPECT_EQ(failure({"clear", folder, "notes.txt"}),
              "Not an application, popup or directory file: notes.txt");
    EXPECT_EQ(failure({"clear", folder, "menu.dir"}),
              "A directory file has no data to clear: menu.dir");
    EXPECT_EQ(hvtest::runCli({"rename", folder, "menu.dir"}).exitCode, 2);
    EXPECT_EQ(names(), (QStringList{"menu.dir", "notes.txt"}));
}

TEST_F(ItemCli, FailuresGiveTheSystemsReasonAndAnUnreadableTemplateItsNameOnDisk)
{
    if (!canDropToNobody())
        GTEST_SKIP() << "needs root and setpriv to run as another user";
    write("A.hvt", "[TEMPLATE]\r\n");
    write("A.hvd");
    write("A.hvm");
    write("BAD.HVT", "[TEMPLATE]\r\n");
    write("BAD.hvm");
    QFile::setPermissions(folder + "BAD.HVT", QFile::ReadOwner | QFile::WriteOwner);
    const QString denied = QString::fromLocal8Bit(std::strerror(EACCES));
    const auto failure = [&](const QStringList &args) {
        const hvtest::ProcessResult r = asNobody(args);
        EXPECT_EQ(r.exitCode, 1) << r.out.toStdString();
        return QString::fromUtf8(r.err).trimmed();
    };
    // A folder the user may not change: the message stays, the reason is the system's.
    EXPECT_EQ(failure({"delete", folder, "A.hvt"}),
              "The file " + folder +
                  "A.hvm could not be deleted. It may be open in another program. The remaining "
                  "files were not touched: " +
                  denied);
    EXPECT_EQ(failure({"clear", folder, "A.hvt"}).section(": ", -1), denied);
    const QString renamed = failure({"rename", folder, "A.hvt", "B"});
    EXPECT_TRUE(renamed.startsWith("Error occurred during Rename operation. The file " + folder +
                                   "A.hvd could not be renamed to " + folder + "B.hvd."))
        << renamed.toStdString();
    // A template that cannot be read stops delete and rename, named as it is on disk.
    EXPECT_EQ(failure({"delete", folder, "bad.hvt"}),
              "The template " + folder +
                  "BAD.HVT cannot be read, so the files that belong to it cannot be found. "
                  "Nothing was deleted: " +
                  denied);
    EXPECT_EQ(failure({"rename", folder, "bad.hvt", "C"}),
              "Error occurred during Rename operation. The template " + folder +
                  "BAD.HVT cannot be read, so the files that belong to it cannot be found. "
                  "Rename operation has been cancelled: " +
                  denied);
    EXPECT_EQ(names(), (QStringList{"A.hvd", "A.hvm", "A.hvt", "BAD.HVT", "BAD.hvm"}));
}

TEST_F(ItemCli, WhereTheTrashRefusesNothingIsDeletedWithoutPermanent)
{
    // A tmpfs has no trash: GIO refuses to trash on it. It is mounted in a mount namespace of
    // its own, which ends with the script.
    if (::geteuid() != 0 || QStandardPaths::findExecutable("unshare").isEmpty())
        GTEST_SKIP() << "needs root and unshare to mount a tmpfs";
    const QString script = R"(
mount -t tmpfs tmpfs "$1" || exit 77
cd "$1" && printf '[TEMPLATE]\r\n' > A.hvt && echo d > A.hvd && echo m > menu.dir || exit 1
"$2" delete "$1" A.hvt; echo "rc=$?"
"$2" delete "$1" menu.dir; echo "rc=$?"
ls
"$2" delete --permanent "$1" A.hvt >/dev/null; echo "rc=$?"
ls
)";
    const hvtest::ProcessResult r =
        hvtest::runProgram("unshare", {"-m", "sh", "-c", script, "sh", folder, hvtest::cliPath()});
    if (r.exitCode == 77)
        GTEST_SKIP() << "a tmpfs cannot be mounted here";
    EXPECT_EQ(QString::fromUtf8(r.out).split(u'\n', Qt::SkipEmptyParts),
              (QStringList{"rc=1", "rc=1", "A.hvd", "A.hvt", "menu.dir", "rc=0", "menu.dir"}));
    const QStringList errors = QString::fromUtf8(r.err).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(errors.size(), 2) << r.err.toStdString();
    EXPECT_TRUE(errors.at(0).startsWith("The trash cannot take " + folder +
                                        "A.hvd, so nothing more was deleted: "))
        << errors.at(0).toStdString();
    EXPECT_TRUE(errors.at(1).endsWith("(--permanent deletes what the trash cannot take)"));
}
