#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

class ListCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + u'/';
    }
    QJsonObject run(const QStringList &args, const QString &workDir = {})
    {
        const hvtest::ProcessResult r = hvtest::runCli(args, {}, workDir);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QJsonDocument::fromJson(r.out).object();
    }
    QTemporaryDir dir;
    QString folder;
};

} // namespace

TEST_F(ListCli, ListsApplicationsWithColumnsAndRows)
{
    hvtest::writeFile(folder + "b.HVT", "[TEMPLATE]\r\nTitle=beta\r\n");
    hvtest::writeFile(folder + "A.hvt", "[TEMPLATE]\r\nTitle=Alpha\r\n");
    hvtest::writeFile(folder + "$skip.hvt", "[TEMPLATE]\r\n");
    const QJsonObject out = run({"list", "applications", folder});
    const QJsonArray columns = out.value("columns").toArray();
    ASSERT_EQ(columns.size(), 4);
    EXPECT_EQ(columns[2].toObject(), (QJsonObject{{"title", "Records"}, {"align", "right"}}));
    const QJsonArray rows = out.value("rows").toArray();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].toObject(), (QJsonObject{{"key", "NEW"},
                                               {"text", "Create New Application"},
                                               {"icon", 2},
                                               {"subitems", QJsonArray{"", "0", ""}}}));
    EXPECT_EQ(rows[1].toObject().value("text").toString(), "Alpha");
    EXPECT_EQ(rows[2].toObject().value("key").toString(), "b.HVT");
    EXPECT_EQ(rows[2].toObject().value("subitems").toArray()[0].toString(), "b.HVT");
}

// Names and titles that must be escaped, and names whose bytes end in each of base64's three
// paddings, come out as their exact text and bytes.
TEST_F(ListCli, EscapedNamesAndTitlesKeepTheirTextAndBytes)
{
    // The key shows a backslash doubled; fileBytes holds the name's bytes.
    const QList<std::pair<QString, QString>> names = {{"a.HVT", "a.HVT"},
                                                      {"ab.HVT", "ab.HVT"},
                                                      {"abc.HVT", "abc.HVT"},
                                                      {"q\"\\.HVT", "q\"\\\\.HVT"},
                                                      {"\u00e9t\u00e9.HVT", "\u00e9t\u00e9.HVT"}};
    for (const auto &[name, shown] : names)
        hvtest::writeFile(folder + name, "[TEMPLATE]\r\nTitle=" + QByteArray::number(name.size()) +
                                             " \"\\\x01\x1f;\r\n");
    const hvtest::ProcessResult r = hvtest::runCli({"list", "--items", "applications", folder});
    const QJsonArray rows = QJsonDocument::fromJson(r.out)["rows"].toArray();
    ASSERT_EQ(rows.size(), names.size()) << r.out.toStdString();
    for (const auto &[name, shown] : names) {
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const QJsonValue &value) {
            return value["key"].toString() == shown;
        });
        ASSERT_NE(row, rows.end()) << shown.toStdString();
        const QJsonObject item = row->toObject();
        EXPECT_EQ(item["file"].toString(), shown);
        EXPECT_EQ(item["text"].toString(), QString::number(name.size()) + " \"\\\x01\x1f;");
        EXPECT_EQ(item["title"].toString(), item["text"].toString());
        EXPECT_EQ(item["fileBytes"].toString().toLatin1(), name.toUtf8().toBase64());
    }
}

// A folder of thousands of templates is written in runs on several threads and joined: one
// document, every row once, in the list's order.
TEST_F(ListCli, ManyApplicationsMakeOneDocumentInOrder)
{
    constexpr int kCount = 3000;
    for (int i = 0; i < kCount; ++i)
        hvtest::writeFile(folder + QStringLiteral("app%1.HVT").arg(i),
                          "[TEMPLATE]\r\nTitle=T" + QByteArray::number((i * 7) % kCount) + "\r\n");
    const hvtest::ProcessResult r = hvtest::runCli({"list", "--items", "applications", folder});
    QJsonParseError error{};
    const QJsonArray rows = QJsonDocument::fromJson(r.out, &error)["rows"].toArray();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    ASSERT_EQ(rows.size(), kCount);
    QStringList titles;
    for (const QJsonValue &row : rows)
        titles << row["title"].toString();
    QStringList sorted = titles;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(titles, sorted);
    EXPECT_EQ(QSet<QString>(titles.begin(), titles.end()).size(), kCount);
}

// A list converts the times of one minute once: the times around a change to summer time, and
// in a zone whose offset has seconds (so that its minutes do not begin at a whole local
// minute), must come out as the C library gives them one by one.
TEST_F(ListCli, ModifiedTimesAreLocalAcrossAChangeOfOffset)
{
    const QList<std::pair<const char *, qint64>> files = {
        {"a.HVT", 1774745950},  // 2026-03-29 00:59:10 UTC
        {"b.HVT", 1774745990},  // 00:59:50, the same minute
        {"c.HVT", 1774746030}}; // 01:00:30, just after summer time began in Europe
    for (const auto &[name, seconds] : files) {
        hvtest::writeFile(folder + name, "[TEMPLATE]\r\n");
        const timespec times[2] = {{seconds, 0}, {seconds, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(folder + name).constData(), times, 0), 0);
    }
    const QList<std::pair<const char *, QStringList>> zones = {
        {"CET-1CEST,M3.5.0,M10.5.0/3",
         {"2026-03-29T01:59:10+01:00", "2026-03-29T01:59:50+01:00", "2026-03-29T03:00:30+02:00"}},
        {"ODD+0:44:30",
         {"2026-03-29T00:14:40-00:44", "2026-03-29T00:15:20-00:44", "2026-03-29T00:16:00-00:44"}}};
    const QByteArray zoneBefore = qgetenv("TZ");
    for (const auto &[zone, expected] : zones) {
        qputenv("TZ", zone);
        const QJsonArray rows = run({"list", "--items", "applications", folder})["rows"].toArray();
        QStringList modified;
        for (const QJsonValue &row : rows)
            modified << row["modified"].toString();
        EXPECT_EQ(modified, expected) << zone;
    }
    if (zoneBefore.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", zoneBefore);
}

TEST_F(ListCli, FolderDefaultsToTheCurrentOneAndMayBeRelative)
{
    QDir(folder).mkdir("proj");
    hvtest::writeFile(folder + "proj/menu.DIR",
                      "[DIRECTORY]\r\nCaption=Menu\r\n[FILE]\r\nTitle=x\r\n");
    const QJsonArray here = run({"list", "directories"}, folder + "proj").value("rows").toArray();
    const QJsonArray relative =
        run({"list", "directories", "proj"}, folder).value("rows").toArray();
    EXPECT_EQ(here, relative);
    ASSERT_EQ(here.size(), 2);
    EXPECT_EQ(here[1].toObject().value("text").toString(), "Menu");
    EXPECT_EQ(here[1].toObject().value("subitems").toArray(), (QJsonArray{"menu.DIR", "1"}));

    const QJsonObject units = run({"list", "units", folder + "missing"});
    EXPECT_EQ(units.value("rows").toArray().size(), 1);
    EXPECT_EQ(units.value("rows").toArray()[0].toObject().value("subitems").toArray(),
              QJsonArray());
}

TEST_F(ListCli, BadUsageExitsWithTwo)
{
    EXPECT_EQ(hvtest::runCli({"list"}).exitCode, 2);
    EXPECT_EQ(hvtest::runCli({"list", "templates", folder}).exitCode, 2);
    EXPECT_EQ(hvtest::runCli({"list", "units", folder, "extra"}).exitCode, 2);
    EXPECT_EQ(hvtest::runCli({"template"}).exitCode, 2);
}

TEST_F(ListCli, TemplateReportsWhatTheComponentReads)
{
    hvtest::writeFile(folder + "Line 4.HVT",
                      "[TEMPLATE]\r\nTitle=Line 4\r\n[ENTRY]\r\nKey=1\r\n[ENTRY]\r\nKey=5\r\n");
    const QJsonObject out = run({"template", "line 4.hvt"}, folder);
    EXPECT_TRUE(out.value("valid").toBool());
    EXPECT_EQ(out.value("title").toString(), "Line 4");
    EXPECT_EQ(out.value("entries").toArray(), (QJsonArray{"1", "5"}));
    EXPECT_EQ(out.value("basePath").toString(), QDir(folder).canonicalPath() + "/line 4");
    EXPECT_EQ(out.value("recordCount").toInt(), 0);

    const QJsonObject missing = run({"template", "nothing.hpt"}, folder);
    EXPECT_FALSE(missing.value("valid").toBool());
    EXPECT_EQ(missing.value("title").toString(), "nothing.hpt");
    EXPECT_EQ(missing.value("entries").toArray(), QJsonArray());
    EXPECT_EQ(missing.value("dateTime").toString(), "");
}
