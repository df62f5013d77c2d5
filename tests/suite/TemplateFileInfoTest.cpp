#include "suite/TemplateFileInfo.h"
#include "dbase/Header.h"
#include "tests/common/TestSupport.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include <ctime>

using namespace hv;

namespace {

// The 12 leading header bytes of a dBase III table.
QByteArray headerBytes(int version, int month, qint32 count, qint16 headerLength,
                       qint16 recordLength)
{
    QByteArray h(12, '\0');
    h[0] = char(version);
    h[1] = char(126);
    h[2] = char(month);
    h[3] = char(7);
    qToLittleEndian<qint32>(count, h.data() + 4);
    qToLittleEndian<qint16>(headerLength, h.data() + 8);
    qToLittleEndian<qint16>(recordLength, h.data() + 10);
    return h;
}

// A table with one character field of width 10 and `records` records.
QByteArray table(qint32 headerCount, int records)
{
    QByteArray t = headerBytes(3, 12, headerCount, 65, 11);
    t.append(QByteArray(20, '\0'));
    QByteArray descriptor("NAME\0\0\0\0\0\0\0C", 12);
    descriptor.append(QByteArray(4, '\0')).append(char(10)).append(QByteArray(15, '\0'));
    t.append(descriptor).append('\r');
    for (int i = 0; i < records; ++i)
        t.append(' ').append(QByteArray(10, 'x'));
    return t.append('\x1a');
}

void setModified(const QString &path, const QString &isoUtc)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::fromString(isoUtc, Qt::ISODate),
                              QFileDevice::FileModificationTime));
}

class TemplateFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + u'/';
    }
    void write(const QString &name, const QByteArray &bytes)
    {
        hvtest::writeFile(folder + name, bytes);
    }
    QTemporaryDir dir;
    QString folder;
};

} // namespace

TEST(DataHeaderCount, AcceptsOnlyValidTableHeaders)
{
    const qint64 big = 1 << 20;
    EXPECT_EQ(dbase::recordCountFromHeader(headerBytes(3, 12, 7, 65, 11), big), 7);
    EXPECT_EQ(dbase::recordCountFromHeader(headerBytes(0x83, 12, 7, 65, 11), big), 0);
    EXPECT_EQ(dbase::recordCountFromHeader(headerBytes(3, 0, 7, 65, 11), big), 0);
    EXPECT_EQ(dbase::recordCountFromHeader(headerBytes(3, 13, 7, 65, 11), big), 0);
    EXPECT_EQ(dbase::recordCountFromHeader(headerBytes(3, 1, 7, 32, 11), big), 0);
    EXPECT_EQ(dbase::recordCountFromHeader(headerBytes(3, 1, 7, 33, 11), big), 0); // no field
    EXPECT_EQ(dbase::recordCountFromHeader(headerBytes(3, 1, 7, 8457, 11), big), 0);
    EXPECT_EQ(dbase::recordCountFromHeader(headerBytes(3, 1, 7, 8456, 11), big), 7);
    EXPECT_EQ(dbase::recordCountFromHeader(headerBytes(3, 1, 7, 65, 0), big), 0);
    EXPECT_EQ(dbase::recordCountFromHeader(headerBytes(3, 12, 7, 65, 11).left(11), big), 0);
}

TEST(DataHeaderCount, NeverNegativeAndNeverBeyondTheFile)
{
    EXPECT_EQ(dbase::recordCountFromHeader(headerBytes(3, 12, -5, 65, 11), 1000), 0);
    // 65 + 3 * 11 + 5 bytes hold 3 whole records, whatever the header claims.
    EXPECT_EQ(dbase::recordCountFromHeader(headerBytes(3, 12, 1000000, 65, 11), 65 + 33 + 5), 3);
    EXPECT_EQ(dbase::recordCountFromHeader(headerBytes(3, 12, 9, 65, 11), 40), 0);
}

TEST_F(TemplateFiles, ReadsTitleEntriesAndBasePathWithoutRegardToCase)
{
    write(QStringLiteral("Line 4.HVT"),
          "; comment\r\n[template]\r\n  title = Plant Inspection \r\n[ENTRY]\r\nKey=1\r\n"
          "[Entry]\nkey=5\n[ENTRY]\nOther=x\n");
    TemplateFileInfo info(folder);
    info.SetTemplatePath(QStringLiteral("line 4.hvt")); // relative, other letter case
    EXPECT_TRUE(info.IsValidTemplate());
    EXPECT_EQ(info.TemplateTitle(), QStringLiteral("Plant Inspection"));
    info.OpenTemplate();
    ASSERT_EQ(info.Entries().Count(), 3);
    EXPECT_EQ(info.Entries().Item(1).Key, QStringLiteral("1"));
    EXPECT_EQ(info.Entries().Item(2).Key, QStringLiteral("5"));
    EXPECT_EQ(info.Entries().Item(3).Key, QString());
    EXPECT_EQ(info.Entries().Item(4).Key, QString());
    EXPECT_EQ(info.BasePath(), folder + QStringLiteral("line 4"));
    info.CloseTemplate();
    EXPECT_EQ(info.Entries().Count(), 0);
}

TEST_F(TemplateFiles, TitleFallsBackToThePathOrTheFileName)
{
    write(QStringLiteral("untitled.hvt"), "[TEMPLATE]\r\nTitle=\r\n");
    write(QStringLiteral("plain.hvt"), "Title=Not a template\r\n");
    write(QStringLiteral("binary.hvt"), QByteArray("\x00\xff\x01[TEMPLATE]", 13));
    TemplateFileInfo info(folder);

    const QString untitled = folder + QStringLiteral("untitled.hvt");
    info.SetTemplatePath(untitled);
    EXPECT_TRUE(info.IsValidTemplate());
    EXPECT_EQ(info.TemplateTitle(), untitled);
    EXPECT_EQ(info.applicationSummary(untitled).title, QStringLiteral("untitled.hvt"));

    for (const char *name : {"plain.hvt", "binary.hvt", "missing.hvt"}) {
        info.SetTemplatePath(QLatin1String(name));
        EXPECT_FALSE(info.IsValidTemplate()) << name;
        EXPECT_EQ(info.TemplateTitle(), QLatin1String(name));
        const TemplateSummary s = info.applicationSummary(folder + QLatin1String(name));
        EXPECT_EQ(s.title, QLatin1String(name));
        EXPECT_EQ(s.recordCount, 0);
    }
    info.SetTemplatePath(QStringLiteral("missing.hvt"));
    info.OpenTemplate();
    EXPECT_EQ(info.Entries().Count(), 0);
    EXPECT_EQ(info.BasePath(), folder + QStringLiteral("missing"));
}

TEST_F(TemplateFiles, CountsRecordsOfTheDataFileInAnyLetterCase)
{
    write(QStringLiteral("Mixed.Hvt"), "[TEMPLATE]\r\nTitle=Mixed\r\n");
    write(QStringLiteral("MIXED.hVD"), table(4, 4));
    write(QStringLiteral("Pop.HPT"), "[TEMPLATE]\r\nTitle=Pop\r\n");
    write(QStringLiteral("pop.hpd"), table(2, 2));
    write(QStringLiteral("pop.hvd"), table(9, 9)); // an application's data file: not the popup's
    setModified(folder + QStringLiteral("MIXED.hVD"), QStringLiteral("2026-12-07T14:03:59Z"));

    TemplateFileInfo info(folder);
    const TemplateSummary app = info.applicationSummary(folder + QStringLiteral("mixed.HVT"));
    EXPECT_EQ(app.title, QStringLiteral("Mixed"));
    EXPECT_EQ(app.recordCount, 4);
    EXPECT_EQ(app.dateTime, QStringLiteral("2026-12-07 14:03"));
    EXPECT_EQ(info.popupSummary(folder + QStringLiteral("Pop.HPT")).recordCount, 2);
}

TEST_F(TemplateFiles, ExactDataFileNameWinsOverOtherLetterCase)
{
    write(QStringLiteral("a.hvt"), "[TEMPLATE]\r\nTitle=A\r\n");
    write(QStringLiteral("A.HVD"), table(5, 5));
    write(QStringLiteral("a.hvd"), table(1, 1));
    TemplateFileInfo info(folder);
    EXPECT_EQ(info.applicationSummary(folder + QStringLiteral("a.hvt")).recordCount, 1);
}

TEST_F(TemplateFiles, CorruptOrMissingDataFileCountsZero)
{
    write(QStringLiteral("bad.hvt"), "[TEMPLATE]\r\nTitle=Bad\r\n");
    write(QStringLiteral("bad.hvd"), "not a table at all");
    write(QStringLiteral("short.hvt"), "[TEMPLATE]\r\nTitle=Short\r\n");
    write(QStringLiteral("short.hvd"), table(50, 2)); // claims more than it holds
    write(QStringLiteral("none.hvt"), "[TEMPLATE]\r\nTitle=None\r\n");
    setModified(folder + QStringLiteral("none.hvt"), QStringLiteral("2025-01-02T03:04:00Z"));
    QDir(folder).mkdir(QStringLiteral("folder.hvd"));
    write(QStringLiteral("folder.hvt"), "[TEMPLATE]\r\n");

    TemplateFileInfo info(folder);
    const TemplateSummary bad = info.applicationSummary(folder + QStringLiteral("bad.hvt"));
    EXPECT_EQ(bad.title, QStringLiteral("Bad"));
    EXPECT_EQ(bad.recordCount, 0);
    EXPECT_FALSE(bad.dateTime.isEmpty());
    EXPECT_EQ(info.applicationSummary(folder + QStringLiteral("short.hvt")).recordCount, 2);
    const TemplateSummary none = info.applicationSummary(folder + QStringLiteral("none.hvt"));
    EXPECT_EQ(none.recordCount, 0);
    EXPECT_EQ(none.dateTime, QStringLiteral("2025-01-02 03:04")); // the template's own time
    EXPECT_EQ(info.applicationSummary(folder + QStringLiteral("folder.hvt")).recordCount, 0);
}

TEST_F(TemplateFiles, DataFileCreatedDuringTheInstanceIsFoundUnderItsExactName)
{
    write(QStringLiteral("late.hvt"), "[TEMPLATE]\r\n");
    TemplateFileInfo info(folder);
    EXPECT_EQ(info.applicationSummary(folder + QStringLiteral("late.hvt")).recordCount, 0);
    write(QStringLiteral("late.hvd"), table(3, 3));
    EXPECT_EQ(info.applicationSummary(folder + QStringLiteral("late.hvt")).recordCount, 3);
}

TEST(DateTimeText, MatchesQtLocalTimeAcrossDaylightSavingChanges)
{
    const QByteArray oldTz = qgetenv("TZ");
    for (const char *zone : {"UTC", "Europe/Berlin", "America/New_York", "Asia/Kolkata"}) {
        qputenv("TZ", zone);
        ::tzset();
        for (const qint64 secs : {0LL, 1774742399LL, 1774746000LL, 1792000000LL, 1798761599LL}) {
            EXPECT_EQ(TemplateFileInfo::dateTimeText(secs),
                      QDateTime::fromSecsSinceEpoch(secs).toString("yyyy-MM-dd hh:mm"))
                << zone << " " << secs;
        }
    }
    qputenv("TZ", oldTz);
    ::tzset();
    EXPECT_EQ(TemplateFileInfo::dateTimeText(1796652180), QStringLiteral("2026-12-07 14:03"));
}

TEST_F(TemplateFiles, ListAndFileSetsMeanTheSameDataFileForGreekNames)
{
    // Final sigma and capital sigma fold to one letter: "ΟΔΟΣ" and "οδος" are one name, for
    // the list's record count as for the file sets that clear and delete trash.
    write(QStringLiteral("ΟΔΟΣ.HVT"), "[TEMPLATE]\r\nTitle=Road\r\n");
    write(QStringLiteral("οδος.HVD"), table(6, 6));
    TemplateFileInfo info(folder);
    EXPECT_EQ(info.applicationSummary(folder + QStringLiteral("ΟΔΟΣ.HVT")).recordCount, 6);
    EXPECT_EQ(paths::findExisting(folder + QStringLiteral("ΟΔΟΣ.hvd")),
              folder + QStringLiteral("οδος.HVD"));
}

TEST_F(TemplateFiles, ManyReadersGiveWhatOneReaderGives)
{
    QStringList templates;
    for (int i = 0; i < 60; ++i) {
        const QString name = QStringLiteral("t%1.HVT").arg(i);
        write(name, QByteArray("[TEMPLATE]\r\nTitle=T") + QByteArray::number(i % 7) + "\r\n");
        if (i % 3 == 0)
            write(QStringLiteral("T%1.hvd").arg(i), table(i, i));
        templates << folder + name;
    }
    templates << folder + QStringLiteral("missing.HVT");
    TemplateFileInfo serial(folder);
    serial.setReaderCount(1);
    TemplateFileInfo parallel(folder);
    parallel.setReaderCount(8);
    const QList<TemplateSummary> one = serial.summaries(templates, false);
    const QList<TemplateSummary> many = parallel.summaries(templates, false);
    // The same templates read while a listing still names them, a few at a time.
    TemplateFileInfo whileListing(folder);
    whileListing.setReaderCount(8);
    const QList<TemplateSummary> listed = whileListing.listedSummaries(
        folder,
        [&](const std::function<void(const QString &)> &found) {
            for (const QString &path : templates) {
                found(path.mid(folder.size()));
                std::this_thread::yield();
            }
        },
        false);
    ASSERT_EQ(one.size(), templates.size());
    ASSERT_EQ(listed.size(), templates.size());
    for (qsizetype i = 0; i < one.size(); ++i) {
        for (const QList<TemplateSummary> *other : {&many, &listed}) {
            EXPECT_EQ((*other)[i].title, one[i].title) << i;
            EXPECT_EQ((*other)[i].recordCount, one[i].recordCount) << i;
            EXPECT_EQ((*other)[i].dateTime, one[i].dateTime) << i;
        }
        EXPECT_EQ(one[i].recordCount, serial.applicationSummary(templates[i]).recordCount);
    }
    EXPECT_EQ(one[3].recordCount, 3);
}
