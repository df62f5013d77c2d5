// hvadmin-cli against hostile and unlucky files: FIFOs and devices, huge or odd contents,
// full disks, lost output and parallel writers. Every case must end in a clear error or a
// valid file, never a hang, a flood of memory or a silent loss.
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using hvtest::runCli;
using hvtest::runProgram;

// AddressSanitizer reserves terabytes of address space for its shadow memory when a program
// starts, so no program of that build starts under an address-space limit.
#ifdef __SANITIZE_ADDRESS__
#define SKIP_WITHOUT_ADDRESS_LIMITS()                                                              \
    GTEST_SKIP() << "AddressSanitizer's shadow memory cannot live under prlimit --as"
#else
#define SKIP_WITHOUT_ADDRESS_LIMITS() static_cast<void>(0)
#endif

class FileSafety : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    // hvadmin-cli under an address-space limit: 8 times `fileBytes` plus 64 MiB, and 128 MiB
    // for the program's own code and libraries.
    hvtest::ProcessResult runLimited(qint64 fileBytes, const QStringList &args,
                                     const QByteArray &input = {})
    {
        const qint64 limit = 8 * fileBytes + (qint64(192) << 20);
        return runProgram(
            QStringLiteral("prlimit"),
            QStringList{QStringLiteral("--as=%1").arg(limit), hvtest::cliPath()} + args, input);
    }
    QTemporaryDir dir;
};

TEST_F(FileSafety, FifosAndDevicesAreRefusedAndLeftOutOfTheList)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(path("pipe"), path("x.dir")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path("z.dir")));
    for (const char *name : {"x.dir", "z.dir"}) {
        for (const QStringList &verb :
             {QStringList{"dir", "show"}, QStringList{"ini", "dump"}, QStringList{"dbf", "info"}}) {
            const auto r = runCli(verb + QStringList{path(name)});
            EXPECT_EQ(r.exitCode, 1) << name << " " << verb.join(' ').toStdString();
            EXPECT_TRUE(r.err.contains("not a regular file")) << r.err.toStdString();
        }
    }
    const auto list = runCli({"list", "directories", dir.path()});
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_FALSE(list.out.contains("x.dir") || list.out.contains("z.dir")) << list.out.data();
}

TEST_F(FileSafety, ValuesCannotAddLinesAndWritesStayReadable)
{
    const auto r = runCli(
        {"dir", "write", path("D.DIR")},
        R"({"caption":"Cap\r\n[EVIL]\r\nX=1","entries":[{"title":"A","filename":"A.HVT"}]})");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(QFile::exists(path("D.DIR")));
    // A directory larger than `dir show` reads is not written either.
    const QByteArray title(17 << 20, 'x');
    const auto big =
        runCli({"dir", "write", path("D.DIR")},
               R"({"caption":"C","entries":[{"title":")" + title + R"(","filename":"A.HVT"}]})");
    EXPECT_EQ(big.exitCode, 1) << big.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("D.DIR")));
}

TEST_F(FileSafety, MemoryStaysWithinEightTimesTheFile)
{
    SKIP_WITHOUT_ADDRESS_LIMITS();
    const qint64 size = 16 << 20;
    hvtest::writeFile(path("EMPTY.HVT"), QByteArray(size - 1, '\n'));
    QByteArray csv;
    while (csv.size() < size - 16)
        csv.append("a,b,c\r\n");
    hvtest::writeFile(path("CSV.DIR"), csv);
    EXPECT_EQ(runLimited(size, {"list", "applications", dir.path()}).exitCode, 0);
    const auto dirs = runLimited(size, {"list", "directories", dir.path()});
    EXPECT_EQ(dirs.exitCode, 0);
    EXPECT_TRUE(dirs.out.contains(QByteArray::number(csv.count('\n')))) << dirs.out.data();
    // The shortest key lines there are: one line object each would cost 27 times the file.
    QByteArray keys("[S]\r\n");
    while (keys.size() < size - 4)
        keys.append("a=\r\n");
    hvtest::writeFile(path("KEYS.INI"), keys);
    const auto dump = runLimited(size, {"ini", "dump", path("KEYS.INI")});
    EXPECT_EQ(dump.exitCode, 0) << dump.err.data();
    EXPECT_TRUE(dump.out.endsWith("{\"group\":\"[S]\",\"section\":\"A\",\"value\":\"\"}]\n"));
}

TEST_F(FileSafety, TablesOfOneByteFieldsStayWithinEightTimesTheFile)
{
    SKIP_WITHOUT_ADDRESS_LIMITS();
    // 100 one-byte fields: a reference per cell would cost nine times the file.
    QStringList create{"dbf", "create", path("NARROW.DBF")};
    for (int i = 1; i <= 100; ++i)
        create << QStringLiteral("F%1:C:1").arg(i);
    ASSERT_EQ(runCli(create).exitCode, 0);
    QByteArray table = hvtest::readFile(path("NARROW.DBF"));
    table.chop(1); // the end marker
    const QByteArray record = " " + QByteArray("ABCDEFGHIJ").repeated(10);
    const qint32 records = (48 << 20) / record.size();
    qToLittleEndian(records, table.data() + 4);
    table += record.repeated(records) + '\x1a';
    hvtest::writeFile(path("NARROW.DBF"), table);

    const qint64 limit = 8 * table.size() + (qint64(192) << 20);
    const auto dump = runProgram(
        QStringLiteral("sh"),
        {"-c", QStringLiteral("prlimit --as=%1 \"$0\" dbf dump \"$1\" | tail -c 15").arg(limit),
         hvtest::cliPath(), path("NARROW.DBF")});
    EXPECT_EQ(dump.out, QByteArray("\"H\",\"I\",\"J\"]]}\n")) << dump.err.data();
}

TEST_F(FileSafety, JsonOnStandardInputStaysWithinEightTimesItsSize)
{
    SKIP_WITHOUT_ADDRESS_LIMITS();
    // A parsed document of the whole input would cost ten times the input and more.
    const auto repeated = [](const QByteArray &element, qint64 bytes) {
        return '[' + (element + ',').repeated(bytes / (element.size() + 1)).chopped(1) + ']';
    };
    QStringList create{"dbf", "create", path("T.DBF")};
    for (int i = 1; i <= 50; ++i)
        create << QStringLiteral("F%1:C:1").arg(i);
    ASSERT_EQ(runCli(create).exitCode, 0);
    const QByteArray rows = repeated('[' + QByteArray("\"A\",").repeated(49) + "\"B\"]", 48 << 20);
    const auto append = runLimited(rows.size(), {"dbf", "append", path("T.DBF")}, rows);
    EXPECT_EQ(append.exitCode, 0) << append.err.data();
    EXPECT_TRUE(runCli({"dbf", "info", path("T.DBF")})
                    .out.contains("\"recordCount\":" + QByteArray::number(rows.count('[') - 1)));

    const QByteArray lines = repeated(R"({"group":"[S]","section":"K","value":""})", 48 << 20);
    const auto ini = runLimited(lines.size(), {"ini", "write", path("T.INI")}, lines);
    EXPECT_TRUE(ini.err.contains("would be larger than")) << ini.err.data();

    // Entries with nothing in them: 3 bytes of input each, over 73 bytes of file.
    const QByteArray entries = R"({"caption":"C","entries":)" + repeated("{}", 3 * 400000) + '}';
    const auto dir = runLimited(entries.size(), {"dir", "write", path("T.DIR")}, entries);
    EXPECT_TRUE(dir.err.contains("would be larger than")) << dir.err.data();
}

TEST_F(FileSafety, InvalidJsonAnywhereWritesNothing)
{
    ASSERT_EQ(runCli({"dbf", "create", path("T.DBF"), "A:C:2"}).exitCode, 0);
    const QByteArray table = hvtest::readFile(path("T.DBF"));
    const QByteArray many = QByteArray(R"(["a"],)").repeated(5000);
    const QByteArray line = R"({"group":"[S]","section":"K","value":""},)";
    const QByteArray entry = R"({"title":"T","filename":"F.HVT","access":"R"},)";
    const std::vector<std::pair<QStringList, QByteArray>> cases = {
        {{"dbf", "append", path("T.DBF")}, "[" + many + R"(["a"],])"},
        {{"dbf", "append", path("T.DBF")}, "[" + many + R"(["a\"]]])"},
        {{"dbf", "append", path("T.DBF")}, "[" + many + "[nul]]"},
        {{"dbf", "append", path("T.DBF")}, "[" + many + R"(["a"]] ["b"])"},
        {{"dbf", "append", path("T.DBF")}, "null"},
        {{"dbf", "sort", "1", "0"}, "[" + many + R"(["a"] ["b"]])"},
        {{"ini", "write", path("T.INI")}, "[" + line.repeated(5000) + "{]"},
        {{"dir", "write", path("T.DIR")},
         R"({"caption":"C","entries":[)" + entry.repeated(5000) + R"({"title":x}]})"},
    };
    for (const auto &[args, input] : cases) {
        const auto r = runCli(args, input);
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString() << " " << input.right(20).data();
        EXPECT_TRUE(r.err.startsWith("Invalid JSON")) << r.err.data();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_EQ(hvtest::readFile(path("T.DBF")), table);
    EXPECT_FALSE(QFile::exists(path("T.INI")) || QFile::exists(path("T.DIR")));
}

TEST_F(FileSafety, CreationRefusesWhatItCannotReadBack)
{
    QStringList tooMany{"dbf", "create", path("T.DBF")}, tooLong = tooMany;
    for (int i = 1; i <= 264; ++i)
        tooMany << QStringLiteral("F%1:C:1").arg(i);
    for (int i = 1; i <= 130; ++i)
        tooLong << QStringLiteral("F%1:C:254").arg(i);
    EXPECT_EQ(runCli(tooMany).exitCode, 1);
    EXPECT_EQ(runCli(tooLong).exitCode, 1);
    EXPECT_FALSE(QFile::exists(path("T.DBF")));

    // Field names are upper-cased byte by byte: ß and µ stay, the name keeps 11 characters.
    ASSERT_EQ(runCli({"dbf", "create", path("T.DBF"), "ßµßµßµßµßµß:C:2"}).exitCode, 0);
    const auto info = runCli({"dbf", "info", path("T.DBF")});
    EXPECT_TRUE(info.out.contains("\"name\":\"ßµßµßµßµßµß\"")) << info.out.data();

    // A read-only table is not replaced.
    ASSERT_EQ(::chmod(QFile::encodeName(path("T.DBF")).constData(), 0444), 0);
    const QByteArray before = hvtest::readFile(path("T.DBF"));
    EXPECT_EQ(runCli({"dbf", "create", path("T.DBF"), "OTHER:C:9"}).exitCode, 1);
    EXPECT_EQ(hvtest::readFile(path("T.DBF")), before);
}

TEST_F(FileSafety, RecordsColumnAndInfoCountTheSame)
{
    ASSERT_EQ(runCli({"dbf", "create", path("APP.HVD"), "A:C:9"}).exitCode, 0);
    ASSERT_EQ(runCli({"dbf", "append", path("APP.HVD")}, R"([["1"],["2"],["3"],["4"]])").exitCode,
              0);
    hvtest::writeFile(path("APP.HVT"), "[TEMPLATE]\r\nTitle=App\r\n");
    QByteArray table = hvtest::readFile(path("APP.HVD"));
    table.truncate(table.size() - 1 - 10 - 5); // the marker, one record and half of another
    hvtest::writeFile(path("APP.HVD"), table);
    const auto info = runCli({"dbf", "info", path("APP.HVD")});
    const auto tmpl = runCli({"template", path("APP.HVT")});
    EXPECT_EQ(QJsonDocument::fromJson(info.out).object().value("heldRecords").toInt(), 2);
    EXPECT_EQ(QJsonDocument::fromJson(tmpl.out).object().value("recordCount").toInt(), 2);
}

TEST_F(FileSafety, LostOutputFailsTheVerb)
{
    hvtest::writeFile(path("A.INI"), "[A]\r\nK=V\r\n");
    ASSERT_EQ(runCli({"dbf", "create", path("T.DBF"), "A:C:2"}).exitCode, 0);
    for (const QString &verb :
         {QStringLiteral("dbf info T.DBF"), QStringLiteral("dbf dump T.DBF"),
          QStringLiteral("ini dump A.INI"), QStringLiteral("list directories .")}) {
        const auto r =
            runProgram(QStringLiteral("sh"),
                       {"-c", QStringLiteral("\"$0\" %1 > /dev/full").arg(verb), hvtest::cliPath()},
                       {}, dir.path());
        EXPECT_EQ(r.exitCode, 1) << verb.toStdString();
    }
}

TEST_F(FileSafety, ParallelAppendsLoseNoRow)
{
    ASSERT_EQ(runCli({"dbf", "create", path("T.DBF"), "A:C:4"}).exitCode, 0);
    hvtest::writeFile(path("rows.json"), R"([["a"],["b"],["c"],["d"],["e"]])");
    hvtest::writeFile(path("loop.sh"),
                      "for i in $(seq 30); do \"$1\" dbf append T.DBF < rows.json || exit 1; done");
    const auto r =
        runProgram(QStringLiteral("sh"),
                   {"-c", "sh loop.sh \"$0\" & sh loop.sh \"$0\"; a=$?; wait $!; exit $((a | $?))",
                    hvtest::cliPath()},
                   {}, dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err.data();
    const auto info = runCli({"dbf", "info", path("T.DBF")});
    EXPECT_EQ(QJsonDocument::fromJson(info.out).object().value("recordCount").toInt(), 300);
}

// A real full file system: a small tmpfs, mounted only when the tests run as root.
TEST_F(FileSafety, SavesOnAFullDiskFailAndKeepTheFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a tmpfs needs root";
    const QString mnt = path("full");
    ASSERT_TRUE(QDir().mkpath(mnt));
    if (::mount("tmpfs", QFile::encodeName(mnt).constData(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    struct Unmount {
        QByteArray at;
        ~Unmount() { ::umount2(at.constData(), MNT_DETACH); }
    } unmount{QFile::encodeName(mnt)};
    const QString ini = mnt + QStringLiteral("/A.INI");
    const QString dbf = mnt + QStringLiteral("/T.DBF");
    hvtest::writeFile(ini, "[A]\r\nK=V\r\n");
    ASSERT_EQ(runCli({"dbf", "create", dbf, "A:C:100"}).exitCode, 0);
    ASSERT_EQ(runCli({"dbf", "append", dbf}, R"([["x"]])").exitCode, 0);
    // A record longer than a page, so that appending it cannot fit in the last page's rest.
    const QString wide = mnt + QStringLiteral("/W.DBF");
    QStringList fields;
    for (char c = 'A'; c <= 'T'; ++c)
        fields << QStringLiteral("%1:C:255").arg(QLatin1Char(c));
    ASSERT_EQ(runCli(QStringList{"dbf", "create", wide} + fields).exitCode, 0);
    runProgram(QStringLiteral("dd"), {"if=/dev/zero", "of=" + mnt + "/filler", "bs=4k"});
    runProgram(QStringLiteral("dd"), {"if=/dev/zero", "of=" + mnt + "/filler2", "bs=1"});

    const auto save = runCli({"ini", "write", ini}, R"([{"group":"[B]","section":"[B]"}])");
    EXPECT_EQ(save.exitCode, 1);
    EXPECT_EQ(hvtest::readFile(ini), QByteArray("[A]\r\nK=V\r\n"));

    QByteArray rows = "[";
    for (int i = 0; i < 2000; ++i)
        rows += i == 0 ? "[\"r\"]" : ",[\"r\"]";
    EXPECT_EQ(runCli({"dbf", "append", dbf}, rows + "]").exitCode, 1);
    const QByteArray table = hvtest::readFile(dbf);
    const auto info = QJsonDocument::fromJson(runCli({"dbf", "info", dbf}).out).object();
    const int count = info.value("recordCount").toInt();
    EXPECT_EQ(table.size(), 65 + qint64(count) * 101 + 1); // whole records and the marker
    EXPECT_EQ(table.back(), '\x1A');

    // An append through put is mended the same way: no partial record, the marker back.
    const qint64 wideBefore = QFileInfo(wide).size();
    EXPECT_EQ(runCli({"dbf", "put", wide, "0"}, R"({"values":["w"]})").exitCode, 1);
    const QByteArray wideTable = hvtest::readFile(wide);
    EXPECT_EQ(wideTable.size(), wideBefore);
    EXPECT_EQ(wideTable.back(), '\x1A');
}

} // namespace
