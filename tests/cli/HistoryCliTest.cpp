#include "tests/ops/ItemFolder.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>

#include <unistd.h>

namespace {

// Item operations through hvadmin-cli with a history of their own.
class HistoryCli : public ItemFolder {
protected:
    void SetUp() override
    {
        ItemFolder::SetUp();
        ASSERT_TRUE(state.isValid());
        savedState = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", state.path().toUtf8());
    }
    void TearDown() override
    {
        qputenv("XDG_STATE_HOME", savedState);
        ItemFolder::TearDown();
    }

    QJsonDocument ok(const QStringList &args)
    {
        const hvtest::ProcessResult r = hvtest::runCli(args);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QJsonDocument::fromJson(r.out);
    }
    QString failure(const QStringList &args)
    {
        const hvtest::ProcessResult r = hvtest::runCli(args);
        EXPECT_EQ(r.exitCode, 1) << r.out.toStdString();
        return QString::fromUtf8(r.err).trimmed();
    }
    // Every file of the project folder with its bytes.
    QMap<QString, QByteArray> contents() const
    {
        QMap<QString, QByteArray> files;
        for (const QString &name : names())
            files.insert(name, hvtest::readFile(folder + name));
        return files;
    }
    QStringList trashRecords() const { return QDir(trashPath() + "/info").entryList(QDir::Files); }

    QTemporaryDir state;
    QByteArray savedState;
};

} // namespace

TEST_F(HistoryCli, ClearAndDeleteComeBackFromTheTrashByteForByte)
{
    write("Line 4.HVT", "[TEMPLATE]\r\n");
    write("line 4.HVD", "records");
    write("Line 4.hvi", "index");
    write("Pick.hpt", "popup");
    write("pick.HPD", "popup records");
    const auto before = contents();
    ok({"clear", folder, "Line 4.HVT"});
    ok({"delete", folder, "Pick.hpt"});
    ASSERT_EQ(names(), QStringList{"Line 4.HVT"});

    const QJsonArray history = ok({"history"}).array();
    ASSERT_EQ(history.size(), 2);
    const QJsonObject newest = history.at(0).toObject();
    EXPECT_EQ(newest.value("verb"), "delete");
    EXPECT_EQ(newest.value("folder"), folder);
    EXPECT_EQ(newest.value("items"), QJsonArray{"Pick.hpt"});
    EXPECT_EQ(newest.value("files"),
              (QJsonArray{QJsonObject{{"from", folder + "Pick.hpt"}, {"to", QJsonValue::Null}},
                          QJsonObject{{"from", folder + "pick.HPD"}, {"to", QJsonValue::Null}}}));
    EXPECT_TRUE(newest.value("undoable").toBool());
    EXPECT_FALSE(newest.value("undone").toBool());
    EXPECT_TRUE(QRegularExpression(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d$)")
                    .match(newest.value("time").toString())
                    .hasMatch());
    const qint64 clearId = history.at(1).toObject().value("id").toInteger();
    EXPECT_LT(clearId, newest.value("id").toInteger());

    // The older one by its id, then the newest not undone.
    QJsonObject out = ok({"undo", QString::number(clearId)}).object();
    EXPECT_EQ(out.value("undone").toInteger(), clearId);
    EXPECT_EQ(out.value("restored"), (QJsonArray{folder + "line 4.HVD", folder + "Line 4.hvi"}));
    out = ok({"undo"}).object();
    EXPECT_EQ(out.value("undone").toInteger(), newest.value("id").toInteger());
    EXPECT_EQ(contents(), before);
    EXPECT_TRUE(trashed().isEmpty());
    EXPECT_TRUE(trashRecords().isEmpty());
    for (const QJsonValue &entry : ok({"history"}).array())
        EXPECT_TRUE(entry.toObject().value("undone").toBool());
    EXPECT_EQ(failure({"undo"}), "There is nothing to undo.");
    EXPECT_NE(failure({"undo", QString::number(clearId)}).indexOf("undone already"), -1);
}

TEST_F(HistoryCli, SeveralItemsAreOneOperationThatOneUndoBringsBack)
{
    write("Line 4.HVT", "[TEMPLATE]\r\n");
    write("line 4.HVD", "records");
    write("Pick.hpt", "[TEMPLATE]\r\nTitle=Pick List\r\n");
    write("pick.HPD", "popup records");
    write("Plant.dir", "directory");
    const auto before = contents();
    const QStringList all{"Line 4.HVT", "Pick.hpt", "Plant.dir"};

    // A file of the last item held open: the first items are not touched either.
    {
        QProcess holder;
        holder.start("sh", {"-c", "exec 3<\"$1\"; exec sleep 30", "sh", folder + "Plant.dir"});
        ASSERT_TRUE(holder.waitForStarted(5000));
        const auto stop = qScopeGuard([&] {
            holder.kill();
            holder.waitForFinished(5000);
        });
        const QString held = QString("/proc/%1/fd/3").arg(holder.processId());
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return QFileInfo(held).symLinkTarget() == folder + "Plant.dir"; }, 5000));
        EXPECT_NE(failure(QStringList{"delete", folder} + all).indexOf("Plant.dir"), -1);
        EXPECT_EQ(contents(), before);
        EXPECT_TRUE(ok({"history"}).array().isEmpty());
    }

    const QJsonObject out = ok(QStringList{"delete", folder} + all).object();
    EXPECT_EQ(out.value("trashed").toArray().size(), 5);
    const QJsonArray items = out.value("items").toArray();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items.at(1).toObject(),
              (QJsonObject{{"file", "Pick.hpt"},
                           {"trashed", QJsonArray{folder + "Pick.hpt", folder + "pick.HPD"}},
                           {"deletedOutright", QJsonArray()}}));
    EXPECT_TRUE(names().isEmpty());
    const QJsonArray history = ok({"history"}).array();
    ASSERT_EQ(history.size(), 1);
    EXPECT_EQ(history.at(0).toObject().value("items"), QJsonArray::fromStringList(all));
    // The title where the template has one, by which the console names the item.
    EXPECT_TRUE(hvtest::readFile(state.path() + "/hvadmin/history.jsonl")
                    .contains(R"("titles":["","Pick List",""])"));
    ok({"undo"});
    EXPECT_EQ(contents(), before);
    EXPECT_TRUE(trashRecords().isEmpty());
}

TEST_F(HistoryCli, RenameIsReversedAndTheFileItTrashedComesBack)
{
    write("A.hpt", "template");
    write("A.HPD", "records of A");
    write("B.hpd", "stray of B"); // in the way of the new name: the rename trashes it
    const auto before = contents();
    ok({"rename", folder, "A.hpt", "B"});
    ASSERT_EQ(names(), (QStringList{"B.hpd", "B.hpt"}));
    const QJsonObject entry = ok({"history"}).array().at(0).toObject();
    EXPECT_EQ(entry.value("verb"), "rename");
    EXPECT_EQ(entry.value("files").toArray().size(), 3);
    ok({"undo"});
    EXPECT_EQ(contents(), before);
    EXPECT_TRUE(trashed().isEmpty());
}

TEST_F(HistoryCli, UndoChangesNothingWhenAFileIsNotWhereTheOperationLeftIt)
{
    write("A.hpt", "template");
    write("A.HPD", "records");
    ok({"delete", folder, "A.hpt"});
    // A new file of the same name (in another case) stands in the way.
    write("a.hpd", "new records");
    EXPECT_EQ(failure({"undo"}),
              QString("The file %1a.hpd is in the way, so nothing was undone.").arg(folder));
    EXPECT_EQ(names(), QStringList{"a.hpd"});
    EXPECT_EQ(trashed(), (QStringList{"A.HPD", "A.hpt"}));
    EXPECT_EQ(trashRecords().size(), 2);
    EXPECT_FALSE(ok({"history"}).array().at(0).toObject().value("undone").toBool());

    // The trash emptied of one of them.
    ASSERT_TRUE(QFile::remove(folder + "a.hpd"));
    ASSERT_TRUE(QFile::remove(trashPath() + "/files/A.HPD"));
    EXPECT_EQ(
        failure({"undo"}),
        QString("The file %1A.HPD is no longer in the trash, so nothing was undone.").arg(folder));
    EXPECT_EQ(trashed(), QStringList{"A.hpt"});
    EXPECT_TRUE(names().isEmpty());

    // A renamed file moved away by hand.
    write("C.hpt", "c");
    write("C.hpd", "c records");
    ok({"rename", folder, "C.hpt", "D"});
    ASSERT_TRUE(QFile::rename(folder + "D.hpd", folder + "elsewhere"));
    EXPECT_NE(failure({"undo"}).indexOf("D.hpd is no longer where the operation left it"), -1);
    EXPECT_EQ(names(), (QStringList{"D.hpt", "elsewhere"}));
}

TEST_F(HistoryCli, AHistoryThatCannotBeWrittenDoesNotFailTheOperation)
{
    hvtest::writeFile(state.path() + "/hvadmin", "not a folder");
    write("A.hpt", "template");
    ok({"delete", folder, "A.hpt"});
    EXPECT_EQ(trashed(), QStringList{"A.hpt"});
}

TEST_F(HistoryCli, AFileOfAnotherVolumeComesBackFromThatVolumesTrash)
{
    // A volume of its own: an ext2 image mounted through a loop device, where root may.
    QTemporaryDir volume;
    const QString image = volume.path() + "/image";
    const QString top = volume.path() + "/top";
    ASSERT_TRUE(QDir().mkpath(top));
    if (::geteuid() != 0 || QStandardPaths::findExecutable("mkfs.ext2").isEmpty())
        GTEST_SKIP() << "mounting a volume needs root and mkfs.ext2";
    ASSERT_EQ(hvtest::runProgram("truncate", {"-s", "4M", image}).exitCode, 0);
    ASSERT_EQ(hvtest::runProgram("mkfs.ext2", {"-q", image}).exitCode, 0);
    if (hvtest::runProgram("mount", {"-o", "loop", image, top}).exitCode != 0)
        GTEST_SKIP() << "no loop device to mount a volume on";
    const auto unmount = qScopeGuard([&] { hvtest::runProgram("umount", {top}); });
    const QString project = top + "/Project/";
    ASSERT_TRUE(QDir().mkpath(project));
    hvtest::writeFile(project + "A.hpt", "template");
    hvtest::writeFile(project + "A.HPD", "records");
    ok({"delete", project, "A.hpt"});
    const QString volumeTrash = top + QString("/.Trash-%1").arg(::getuid());
    ASSERT_EQ(QDir(volumeTrash + "/info").entryList(QDir::Files).size(), 2);
    ok({"undo"});
    EXPECT_EQ(hvtest::readFile(project + "A.hpt"), "template");
    EXPECT_EQ(hvtest::readFile(project + "A.HPD"), "records");
    EXPECT_TRUE(QDir(volumeTrash + "/info").entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(QDir(volumeTrash + "/files").entryList(QDir::Files).isEmpty());
}

TEST_F(HistoryCli, ARelativeDataFolderIsIgnoredByTheTrashAndTheHistoryAlike)
{
    // Not an absolute path, so not a data folder: the trash is the one under HOME, and an
    // undo finds the files there again.
    QTemporaryDir workDir;
    qputenv("XDG_DATA_HOME", "share");
    write("A.hpt", "template");
    write("A.HPD", "records");
    ASSERT_EQ(hvtest::runCli({"delete", folder, "A.hpt"}, {}, workDir.path()).exitCode, 0);
    const QString homeTrash = home.path() + "/.local/share/Trash";
    EXPECT_EQ(QDir(homeTrash + "/info").entryList(QDir::Files).size(), 2);
    EXPECT_FALSE(QFileInfo::exists(workDir.path() + "/share"));
    const hvtest::ProcessResult undo = hvtest::runCli({"undo"}, {}, workDir.path());
    EXPECT_EQ(undo.exitCode, 0) << undo.err.toStdString();
    EXPECT_EQ(hvtest::readFile(folder + "A.hpt"), "template");
    EXPECT_EQ(hvtest::readFile(folder + "A.HPD"), "records");
    EXPECT_TRUE(QDir(homeTrash + "/info").entryList(QDir::Files).isEmpty());
}
