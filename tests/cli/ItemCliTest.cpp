#include "tests/ops/ItemFolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cstring>

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
