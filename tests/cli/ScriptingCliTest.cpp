// hvadmin-cli as a script sees it: exit codes, named fields, dry runs, help, and what the
// diagnostic log viewer receives from it.
#include "tests/ops/ItemFolder.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

class ScriptingCli : public ItemFolder {
protected:
    QJsonDocument json(const QStringList &args)
    {
        const hvtest::ProcessResult r = hvtest::runCli(args);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QJsonDocument::fromJson(r.out);
    }
    // Every file under the project folder with the checksum of its bytes.
    QMap<QString, QByteArray> checksums()
    {
        QMap<QString, QByteArray> sums;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            sums[path] =
                QCryptographicHash::hash(hvtest::readFile(path), QCryptographicHash::Sha256);
        }
        return sums;
    }
    // An application with a data table of `records` records, changed at `time`.
    void application(const QString &base, const QString &title, int records, const QDateTime &time)
    {
        write(base + ".HVT", "[TEMPLATE]\r\nTitle=" + title.toUtf8() + "\r\n");
        const QString table = folder + base + ".HVD";
        ASSERT_EQ(hvtest::runCli({"dbf", "create", table, "NAME:C:8"}).exitCode, 0);
        QByteArray rows = "[";
        for (int i = 0; i < records; ++i)
            rows += QByteArray(i ? "," : "") + "[\"r\"]";
        ASSERT_EQ(hvtest::runCli({"dbf", "append", table}, rows + "]").exitCode, 0);
        QFile file(table);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
    }
};

} // namespace

TEST_F(ScriptingCli, AMissingFolderFailsAndUsageErrorsSayWhatWasWrong)
{
    const QString missing = folder + "gone";
    write("file.txt");
    for (const QStringList &args : {QStringList{"list", "applications", missing},
                                    {"list", "directories", folder + "file.txt"},
                                    {"clear", missing, "A.HVT"},
                                    {"delete", "--dry-run", missing, "A.HVT"},
                                    {"rename", missing, "A.HVT", "B"}}) {
        const hvtest::ProcessResult r = hvtest::runCli(args);
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    // The settings categories read no folder.
    EXPECT_EQ(hvtest::runCli({"list", "units", missing}).exitCode, 0);

    hvtest::ProcessResult r = hvtest::runCli({"list", "apps", folder});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.startsWith("list: unknown category 'apps'\nusage: hvadmin-cli list"))
        << r.err.toStdString();
    r = hvtest::runCli({"rename", folder, "A.HVT"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.startsWith("rename: missing argument\n")) << r.err.toStdString();
    for (const QStringList &args : {QStringList{"clear", "--help"}, {"help", "clear"}}) {
        r = hvtest::runCli(args);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.out, "usage: hvadmin-cli clear [--permanent] [--dry-run] FOLDER FILE...\n");
    }
}

TEST_F(ScriptingCli, ItemRowsCarryNamedFieldsAndPrettyOutputIsTheSameDocument)
{
    const QDateTime changed(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::UTC);
    application("FULL", "Full", 3, changed);
    application("EMPTY", "Empty", 0, changed);
    write("MENU.DIR", "[DIRECTORY]\r\nCaption=Menu\r\n[FILE]\r\nTitle=a\r\n[FILE]\r\nTitle=b\r\n");

    const QJsonArray rows = json({"list", "applications", folder}).object()["rows"].toArray();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_FALSE(rows[0].toObject().contains("file")); // the create-new row
    // The selection a script makes: applications with records.
    QStringList withRecords;
    for (const QJsonValue &row : rows) {
        if (row["records"].toInt() > 0)
            withRecords << row["file"].toString();
    }
    EXPECT_EQ(withRecords, QStringList{"FULL.HVT"});
    const QJsonObject full = rows[2].toObject();
    EXPECT_EQ(full["title"].toString(), "Full");
    EXPECT_TRUE(full["records"].isDouble());
    EXPECT_EQ(full["modified"].toString(), "2026-01-02T03:04:05+00:00");
    // An offset of hours and minutes, either side of UTC, as the history writes it.
    for (const auto &[zone, expected] : {std::pair{"IST-5:30", "2026-01-02T08:34:05+05:30"},
                                         std::pair{"NST3:30", "2026-01-01T23:34:05-03:30"}}) {
        const QByteArray savedZone = qgetenv("TZ");
        qputenv("TZ", zone);
        const QJsonArray zoned =
            json({"list", "--items", "applications", folder}).object()["rows"].toArray();
        qputenv("TZ", savedZone);
        ASSERT_EQ(zoned.size(), 2);
        EXPECT_EQ(zoned[1]["modified"].toString(), expected);
    }
    EXPECT_EQ(full["subitems"].toArray()[1].toString(), "3"); // the window's row stays

    const QJsonArray items = json({"list", "--items", "directories", folder})["rows"].toArray();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0]["entries"].toInt(), 2);
    EXPECT_FALSE(items[0].toObject().contains("records"));

    const hvtest::ProcessResult pretty = hvtest::runCli({"--pretty", "list", "popups", folder});
    EXPECT_TRUE(pretty.out.contains("\n  \"rows\": [\n    {\n      \"key\": \"NEW\",\n"))
        << pretty.out.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(pretty.out), json({"list", "popups", folder}));
}

TEST_F(ScriptingCli, DryRunsReportTheMovesAndRefuseAsTheRealRunWouldTouchingNothing)
{
    application("LINE4", "Line 4", 2, QDateTime::currentDateTime());
    write("LINE4.HVX");
    write("P.HPT");
    write("LINE5.HVD", "stray of the new name");
    const QMap<QString, QByteArray> before = checksums();

    QJsonObject plan = json({"clear", "--dry-run", folder, "LINE4.HVT"}).object();
    EXPECT_EQ(plan["files"].toArray(),
              (QJsonArray{QJsonObject{{"from", folder + "LINE4.HVD"}, {"to", QJsonValue()}}}));
    plan = json({"delete", folder, "LINE4.HVT", "P.HPT", "--dry-run"}).object();
    EXPECT_EQ(plan["verb"].toString(), "delete");
    EXPECT_EQ(plan["items"].toArray(), (QJsonArray{"LINE4.HVT", "P.HPT"}));
    EXPECT_EQ(plan["files"].toArray().size(), 4);
    plan = json({"rename", "--dry-run", folder, "LINE4.HVT", "LINE5"}).object();
    const QJsonArray moves = plan["files"].toArray();
    EXPECT_TRUE(moves.contains(QJsonObject{{"from", folder + "LINE5.HVD"}, {"to", QJsonValue()}}));
    EXPECT_TRUE(
        moves.contains(QJsonObject{{"from", folder + "LINE4.HVD"}, {"to", folder + "LINE5.hvd"}}));
    EXPECT_EQ(hvtest::runCli({"rename", "--dry-run", folder, "LINE4.HVT", "a:b"}).exitCode, 1);

    // A held file refuses the dry run as it would the operation.
    QProcess holder;
    holder.start("sh",
                 {"-c", "exec 3<\"$1\" && echo open && exec sleep 60", "sh", folder + "LINE4.HVD"});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    for (const char *verb : {"clear", "delete"})
        EXPECT_EQ(hvtest::runCli({verb, "--dry-run", folder, "LINE4.HVT"}).exitCode, 1);
    holder.kill();
    holder.waitForFinished(5000);

    EXPECT_EQ(checksums(), before);

    // A step that would fail refuses the dry run; nothing is undone that was never done.
    blockWithFolder("LINE5.hvx");
    const QMap<QString, QByteArray> blocked = checksums();
    EXPECT_EQ(hvtest::runCli({"rename", "--dry-run", folder, "LINE4.HVT", "LINE5"}).exitCode, 1);
    EXPECT_EQ(checksums(), blocked);
    for (const QJsonValue &entry : json({"history"}).array())
        EXPECT_NE(entry["folder"].toString(), folder);
}

TEST_F(ScriptingCli, TheViewerReceivesTheToolsOutcomesStampedWithTimeAndProcessId)
{
    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    const QString output = runtime.path() + "/support.log";
    QProcess viewer;
    viewer.setProcessEnvironment(env);
    viewer.start(qEnvironmentVariable("HV_BINARY_DIR") + "/log/hvdebug",
                 {"--filter", "a.hvt", "--output", output});
    ASSERT_TRUE(viewer.waitForStarted(5000));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return viewer.readAllStandardError().contains("listening"); }, 5000));

    write("A.HVT", "[TEMPLATE]\r\n");
    write("A.HVD");
    QProcess cli;
    cli.setProcessEnvironment(env);
    cli.start(hvtest::cliPath(), {"clear", folder, "A.HVT"});
    ASSERT_TRUE(cli.waitForStarted(5000));
    const qint64 pid = cli.processId();
    ASSERT_TRUE(cli.waitForFinished(10000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    QByteArray out;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            out += viewer.readAllStandardOutput();
            return out.contains('\n');
        },
        5000));
    viewer.terminate();
    viewer.waitForFinished(5000);
    out += viewer.readAllStandardOutput();

    // One entry passes the filter: the clear's outcome under the module that did the work,
    // never the window's confirmation.
    const QStringList lines = QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1) << out.toStdString();
    const QRegularExpression entry(
        R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}  (\d+)  hvadmin-cli  ItemDelete  RemoveItems  )"
        R"(Clear .*A\.HVT: to the trash: .*A\.HVD$)");
    const QRegularExpressionMatch match = entry.match(lines[0]);
    EXPECT_TRUE(match.hasMatch()) << lines[0].toStdString();
    EXPECT_EQ(match.captured(1).toLongLong(), pid);
    EXPECT_FALSE(out.contains("cmdYes_Click"));
    EXPECT_EQ(hvtest::readFile(output), out);
}

TEST(CliCompletion, OffersOnlyTheFilesEachVerbTakes)
{
    QTemporaryDir dir;
    for (const char *name : {"A.HVT", "b.hpt", "m.Dir", "A.hvd", "x.txt", "t.DBF", "v.ini"})
        hvtest::writeFile(dir.path() + "/" + name, "x");
    const QString script =
        qEnvironmentVariable("HV_SOURCE_DIR") + "/packaging/completion/hvadmin-cli";
    const auto complete = [&](const QString &words) {
        const QString shell = "source \"$1\"; complete -p hvadmin-cli >/dev/null || exit 1; "
                              "COMP_WORDS=(" +
                              words +
                              "); COMP_CWORD=$((${#COMP_WORDS[@]}-1)); "
                              "_hvadmin_cli; printf '%s\\n' \"${COMPREPLY[@]}\" | sort";
        const hvtest::ProcessResult r =
            hvtest::runProgram("bash", {"-c", shell, "bash", script}, {}, dir.path());
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
    };
    EXPECT_EQ(complete("hvadmin-cli delete . ''"), (QStringList{"A.HVT", "b.hpt", "m.Dir"}));
    EXPECT_EQ(complete("hvadmin-cli rename --dry-run . ''"),
              (QStringList{"A.HVT", "b.hpt", "m.Dir"}));
    EXPECT_EQ(complete("hvadmin-cli dbf dump ''"), (QStringList{"A.hvd", "t.DBF"}));
    EXPECT_EQ(complete("hvadmin-cli ini dump ''"), (QStringList{"v.ini"}));
}
