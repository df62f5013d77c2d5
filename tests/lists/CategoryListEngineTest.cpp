#include "lists/CategoryListEngine.h"
#include "lists/DirectorySummary.h"
#include "log/DiagnosticLog.h"
#include "suite/TemplateFileInfo.h"
#include "tests/common/LogCapture.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <gtest/gtest.h>

#include <cerrno>

#include <sys/stat.h>

using namespace hv;

namespace {

// What the fake components of one test saw.
struct FakeLog {
    int instances = 0;
    QStringList applicationPaths;
    QStringList popupPaths;
};

// A template information component that reports titles from a table instead of files.
class FakeTemplateInfo : public TemplateInfo {
public:
    FakeTemplateInfo(FakeLog &log, const QHash<QString, QString> &titles)
        : m_log(log), m_titles(titles)
    {
        ++m_log.instances;
    }
    void SetTemplatePath(const QString &path) override { m_path = path; }
    QString TemplatePath() const override { return m_path; }
    void OpenTemplate() override {}
    bool IsValidTemplate() override { return true; }
    QString TemplateTitle() override { return m_path; }
    TemplateEntries Entries() const override { return {}; }
    QString BasePath() const override { return {}; }
    void CloseTemplate() override {}
    void GetApplicationInfo(const QString &path, QString &title, qint32 &count,
                            QString &stamp) override
    {
        m_log.applicationPaths << path;
        report(path, title, count, stamp);
    }
    void GetPopupInfo(const QString &path, QString &title, qint32 &count, QString &stamp) override
    {
        m_log.popupPaths << path;
        report(path, title, count, stamp);
    }

private:
    void report(const QString &path, QString &title, qint32 &count, QString &stamp)
    {
        const QString name = path.mid(path.lastIndexOf(u'/') + 1);
        title = m_titles.value(name, name);
        count = qint32(name.size());
        stamp = QStringLiteral("stamp of ") + name;
    }
    FakeLog &m_log;
    QHash<QString, QString> m_titles;
    QString m_path;
};

class CategoryLists : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + u'/';
    }
    void touch(const QString &name, const QByteArray &bytes = "[TEMPLATE]\r\n")
    {
        hvtest::writeFile(folder + name, bytes);
    }
    ListSource fakeSource(const QHash<QString, QString> &titles = {})
    {
        ListSource source;
        source.projectFolder = folder;
        source.templateFactory = [this, titles] {
            return std::make_unique<FakeTemplateInfo>(seen, titles);
        };
        return source;
    }
    static QStringList keys(const CategoryList &list)
    {
        QStringList out;
        for (const ListRow &row : list.rows)
            out << row.key;
        return out;
    }
    // Column titles, right-aligned ones marked with " >".
    static QStringList columns(const CategoryList &list)
    {
        QStringList out;
        for (const ListColumn &column : list.columns)
            out << column.title + (column.alignRight ? QStringLiteral(" >") : QString());
        return out;
    }
    // Key, text, icon and sub-items of a row.
    static QStringList describe(const ListRow &row)
    {
        return QStringList{row.key, row.text, QString::number(row.icon)} + row.subItems;
    }
    static QStringList texts(const CategoryList &list)
    {
        QStringList out;
        for (const ListRow &row : list.rows)
            out << row.text;
        return out;
    }
    QTemporaryDir dir;
    QString folder;
    FakeLog seen;
};

} // namespace

TEST_F(CategoryLists, EmptyFolderGivesOnlyTheCreateNewRow)
{
    const CategoryList list = LoadApplicationSection(fakeSource());
    EXPECT_EQ(columns(list),
              (QStringList{"Application Title", "Filename", "Records >", "Date/Time"}));
    ASSERT_EQ(list.rows.size(), 1);
    EXPECT_EQ(describe(list.rows[0]),
              (QStringList{"NEW", "Create New Application", "2", "", "0", ""}));
    EXPECT_EQ(list.selectedRow, 0);
    EXPECT_EQ(seen.instances, 1);

    const CategoryList popups = LoadPopupSection(fakeSource());
    EXPECT_EQ(popups.columns[0].title, QStringLiteral("Popup Title"));
    EXPECT_EQ(texts(popups), QStringList{"Create New Popup"});
}

TEST_F(CategoryLists, SortsOnceByTitleIgnoringCaseBelowTheCreateNewRow)
{
    touch(QStringLiteral("z.HVT"));
    touch(QStringLiteral("a.hvt"));
    touch(QStringLiteral("b.Hvt"));
    touch(QStringLiteral("$TEMP.HVT"));
    const CategoryList list = LoadApplicationSection(
        fakeSource({{"z.HVT", "Zeta"}, {"a.hvt", "alpha"}, {"b.Hvt", "Beta"}}));
    EXPECT_EQ(texts(list), (QStringList{"Create New Application", "alpha", "Beta", "Zeta"}));
    EXPECT_EQ(keys(list), (QStringList{"NEW", "a.hvt", "b.Hvt", "z.HVT"}));
    EXPECT_EQ(describe(list.rows[1]),
              (QStringList{"a.hvt", "alpha", "1", "a.hvt", "5", "stamp of a.hvt"}));
    // One component for the fill, asked with the full path of each template.
    EXPECT_EQ(seen.instances, 1);
    QStringList asked = seen.applicationPaths;
    asked.sort();
    EXPECT_EQ(asked, (QStringList{folder + "a.hvt", folder + "b.Hvt", folder + "z.HVT"}));
    EXPECT_TRUE(seen.popupPaths.isEmpty());
}

TEST_F(CategoryLists, DollarRuleAppliesToApplicationsOnly)
{
    touch(QStringLiteral("$TEMP.HVT"));
    touch(QStringLiteral("$TEMP.HPT"));
    touch(QStringLiteral("x$.hvt"));
    EXPECT_EQ(keys(LoadApplicationSection(fakeSource())), (QStringList{"NEW", "x$.hvt"}));
    EXPECT_EQ(keys(LoadPopupSection(fakeSource())), (QStringList{"NEW", "$TEMP.HPT"}));
    EXPECT_EQ(seen.popupPaths, QStringList{folder + "$TEMP.HPT"});
}

TEST_F(CategoryLists, ListsRegularFilesOfTheExtensionInAnyCaseOnly)
{
    touch(QStringLiteral("x.hvt"));
    touch(QStringLiteral("X.Hvt"));
    touch(QStringLiteral(".hidden.HVT"));
    touch(QStringLiteral("notes.hvt.bak"));
    touch(QStringLiteral("HVT"));
    QDir(folder).mkdir(QStringLiteral("folder.HVT"));
    QStringList listed = keys(LoadApplicationSection(fakeSource()));
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"NEW", "X.Hvt", "x.hvt"}));
}

TEST_F(CategoryLists, VanishedFolderGivesJustTheFirstRow)
{
    ListSource source = fakeSource();
    source.projectFolder = folder + QStringLiteral("gone/");
    EXPECT_EQ(keys(LoadApplicationSection(source)), QStringList{"NEW"});
    EXPECT_EQ(keys(LoadPopupSection(source)), QStringList{"NEW"});
    EXPECT_EQ(keys(LoadDIRSection(source)), QStringList{"NEW"});
}

TEST_F(CategoryLists, SettingsCategoriesShowOneRowAndSelectNothing)
{
    const struct {
        Category category;
        const char *key;
        const char *text;
    } cases[] = {{Category::Units, "UNITS", "Edit Units of Measure"},
                 {Category::Rules, "RULES", "Edit Rules Settings"},
                 {Category::Security, "SECURITY", "Edit Security Settings"}};
    touch(QStringLiteral("a.hvt"));
    for (const auto &c : cases) {
        const CategoryList list = LoadCategory(c.category, fakeSource());
        EXPECT_EQ(list.category, c.category);
        EXPECT_EQ(columns(list), QStringList{"Settings"});
        ASSERT_EQ(list.rows.size(), 1);
        EXPECT_EQ(describe(list.rows[0]), (QStringList{c.key, c.text, "2"}));
        EXPECT_EQ(list.selectedRow, -1);
    }
    EXPECT_EQ(seen.instances, 0);
}

TEST_F(CategoryLists, RealComponentFillsTitlesCountsAndFallbacks)
{
    QByteArray table(65, '\0');
    table[0] = 3;
    table[2] = 12;
    table[4] = 2;  // two records
    table[8] = 65; // header length
    table[10] = 3; // record length
    table.append("  a  b\x1a");
    touch(QStringLiteral("Line 4.HVT"), "[TEMPLATE]\r\nTitle=Line 4\r\n");
    touch(QStringLiteral("LINE 4.hvd"), table);
    touch(QStringLiteral("untitled.hvt"), "[TEMPLATE]\r\n");
    touch(QStringLiteral("corrupt.HVT"), "[TEMPLATE]\r\nTitle=Corrupt\r\n");
    touch(QStringLiteral("corrupt.HVD"), "\x03garbage");
    ListSource source;
    source.projectFolder = folder;
    source.templateFactory = templateFileInfoFactory(folder);
    const CategoryList list = LoadApplicationSection(source);
    source.templateFactory = nullptr; // the same component by default
    EXPECT_EQ(texts(LoadApplicationSection(source)), texts(list));
    // A relative project folder is taken from the current folder.
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QFileInfo(dir.path()).path()));
    source.projectFolder = QFileInfo(dir.path()).fileName();
    const QStringList relative = texts(LoadApplicationSection(source));
    QDir::setCurrent(previous);
    EXPECT_EQ(relative, texts(list));
    EXPECT_EQ(texts(list),
              (QStringList{"Create New Application", "Corrupt", "Line 4", "untitled.hvt"}));
    EXPECT_EQ(list.rows[1].subItems[1], QStringLiteral("0"));
    EXPECT_EQ(list.rows[2].subItems[1], QStringLiteral("2"));
    EXPECT_EQ(list.rows[3].subItems[1], QStringLiteral("0"));
    EXPECT_FALSE(list.rows[2].subItems[2].isEmpty());
}

TEST_F(CategoryLists, DirectoryFilesShowCaptionAndEntryCount)
{
    auto entries = [](int n) {
        QByteArray text;
        for (int i = 1; i <= n; ++i)
            text += "\r\n[FILE]\r\n     Title        = T" + QByteArray::number(i) +
                    "\r\n     Filename     = f.hvt\r\n     Access       = W\r\n";
        return text;
    };
    touch(QStringLiteral("three.dir"), "[DIRECTORY]\r\n     Caption      = Three\r\n" + entries(3));
    touch(QStringLiteral("five.DIR"),
          "[DIRECTORY]\r\nCaption=Five\r\n" + entries(5) + "[FILE]\r\nFilename=untitled.hvt\r\n");
    touch(QStringLiteral("lower.Dir"), "[directory]\ncaption=Lower case\ncaption=Last wins\n");
    touch(QStringLiteral("nocaption.dir"), "[FILE]\r\nTitle=Only\r\n");
    touch(QStringLiteral("old.dir"), "\"LINE4\",\"HVT\",\"Line 4\"\r\nA\tB,C\tD\r\n12\r\nx,y\r\n");
    QByteArray garbage;
    for (int i = 0; i < 256; ++i)
        garbage.append(char(i));
    touch(QStringLiteral("garbage.dir"), garbage);
    touch(QStringLiteral(".hidden.dir"), "[DIRECTORY]\r\nCaption=Hidden\r\n");

    const CategoryList list = LoadDIRSection(fakeSource());
    EXPECT_EQ(columns(list), (QStringList{"Directory Title", "Filename", "Entries >"}));
    QHash<QString, QStringList> byKey;
    for (const ListRow &row : list.rows)
        byKey.insert(row.key, QStringList{row.text} + row.subItems);
    EXPECT_EQ(byKey.value("NEW"), (QStringList{"Create New DIR File", "", "0"}));
    EXPECT_EQ(byKey.value("three.dir"), (QStringList{"Three", "three.dir", "3"}));
    EXPECT_EQ(byKey.value("five.DIR"), (QStringList{"Five", "five.DIR", "5"}));
    EXPECT_EQ(byKey.value("lower.Dir"), (QStringList{"Last wins", "lower.Dir", "0"}));
    EXPECT_EQ(byKey.value("nocaption.dir"), (QStringList{"", "nocaption.dir", "1"}));
    EXPECT_EQ(byKey.value("old.dir"), (QStringList{"", "old.dir", "2"}));
    EXPECT_EQ(byKey.value("garbage.dir"), (QStringList{"", "garbage.dir", "0"}));
    EXPECT_FALSE(byKey.contains(".hidden.dir"));
    EXPECT_EQ(list.rows.size(), 7);
    // Empty captions sort first, the create-new row stays on top.
    EXPECT_EQ(list.rows[0].key, QStringLiteral("NEW"));
    EXPECT_EQ(list.rows.last().key, QStringLiteral("three.dir"));
    EXPECT_EQ(seen.instances, 0);
}

TEST_F(CategoryLists, UnreadableDirectoryFileStillLists)
{
    // A file far larger than any directory file is refused unread (sparse, so it is cheap).
    touch(QStringLiteral("huge.dir"), "[DIRECTORY]\r\nCaption=Huge\r\n");
    QFile huge(folder + QStringLiteral("huge.dir"));
    ASSERT_TRUE(huge.resize(kMaxDirectoryBytes + 1));
    QString error;
    const DirectorySummary summary = readDirectorySummary(folder + "HUGE.DIR", &error);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(summary.caption.isEmpty());
    readDirectorySummary(folder + "missing.dir", &error);
    EXPECT_FALSE(error.isEmpty());
    const CategoryList list = LoadDIRSection(fakeSource());
    EXPECT_EQ(keys(list), (QStringList{"NEW", "huge.dir"}));
    EXPECT_EQ(list.rows[1].subItems, (QStringList{"huge.dir", "0"}));
}

TEST(RowSort, IsStableAndIgnoresCase)
{
    QList<ListRow> rows = {{"1", "beta", 1, {}},
                           {"2", "Alpha", 1, {}},
                           {"3", "BETA", 1, {}},
                           {"4", "alpha", 1, {}},
                           {"5", "", 1, {}}};
    sortRowsByText(rows);
    QStringList order;
    for (const ListRow &row : rows)
        order << row.key;
    EXPECT_EQ(order, (QStringList{"5", "2", "4", "1", "3"}));
}

// The sort takes ASCII text itself: the order must stay Qt's caseless one for any text,
// including letters that fold onto ASCII ones and the punctuation between 'Z' and 'a'.
TEST(RowSort, OrdersAsQtsCaselessCompare)
{
    const QStringList texts =
        QStringLiteral(
            "k|K|\u212A|ka|\u212Aa|ss|\u00DF|\u017F|S|e|\u00E9cole|ECOLE|\u00C9COLE|_|[|`|"
            "z|Z|\u03A9|\u03C9|a\U0001F600|A\U0001F601|a||A b|a B|ab|abc\U00010428|"
            "abc\U00010400x")
            .split(u'|');
    QList<ListRow> rows;
    for (qsizetype i = 0; i < texts.size(); ++i)
        rows.append({QString::number(i), texts[(i * 7) % texts.size()], 1, {}});
    QList<ListRow> expected = rows;
    std::stable_sort(expected.begin(), expected.end(), [](const ListRow &a, const ListRow &b) {
        return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
    });
    sortRowsByText(rows);
    QStringList order, expectedOrder;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        order << rows[i].key;
        expectedOrder << expected[i].key;
    }
    EXPECT_EQ(order, expectedOrder);
}

// Thousands of rows are sorted in runs on several threads and merged, ASCII texts compared as
// folded bytes and the others by Qt: the order must be the one a single stable sort gives,
// equal texts kept in their first order across the runs, and the rows kept first stay first.
TEST(RowSort, ManyRowsSortAsOneStableSort)
{
    const QStringList words = {QStringLiteral("Item"),      QStringLiteral("item"),
                               QStringLiteral("\u00CDtem"), QStringLiteral("ITEM\u212A"),
                               QStringLiteral("It_em"),     QStringLiteral("It")};
    QList<ListRow> rows = {{"first", "zzz", 2, {}}};
    for (int i = 0; i < 5000; ++i) {
        const int pick = (i * 7919) % 613;
        rows.append({QString::number(i),
                     words[pick % words.size()] + QStringLiteral(" %1").arg(pick / 7),
                     1,
                     {}});
    }
    QList<ListRow> expected = rows.mid(1);
    std::stable_sort(expected.begin(), expected.end(), [](const ListRow &a, const ListRow &b) {
        return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
    });
    expected.prepend(rows.first());
    sortRowsByText(rows, 1);
    ASSERT_EQ(rows.size(), expected.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        ASSERT_EQ(rows[i].key, expected[i].key) << "row " << i;
}

using hvtest::LogCapture;

TEST_F(CategoryLists, LogsEachFillUnderTheEngineModule)
{
    touch(QStringLiteral("a.dir"), "[DIRECTORY]\r\nCaption=A\r\n");
    touch(QStringLiteral("b.dir"), "[DIRECTORY]\r\nCaption=B\r\n");
    const QStringList perFile = {"Before INI load", "After INI load", "After Loop"};
    {
        LogCapture log;
        ListSource source = fakeSource();
        source.listViewMode = 3;
        LoadDIRSection(source);
        const QStringList messages = log.procedureMessages();
        ASSERT_EQ(messages.size(), 13) << messages.join(" | ").toStdString();
        for (const auto &e : log.entries) {
            EXPECT_EQ(e.module, QStringLiteral("mListviewengine"));
            EXPECT_EQ(e.procedure, QStringLiteral("LoadDIRSection"));
        }
        QStringList texts;
        for (const auto &e : log.entries)
            texts << e.message;
        EXPECT_EQ(texts.mid(0, 2), (QStringList{"Loading DIR List", "Enumerating DIR files..."}));
        EXPECT_TRUE(texts[2] == "Found: a.dir" || texts[2] == "Found: b.dir");
        EXPECT_EQ(texts.mid(3, 3), perFile);
        EXPECT_EQ(texts.mid(7, 3), perFile);
        EXPECT_EQ(texts.mid(10),
                  (QStringList{"Ending Enumeration", "Resize Headers", "Ending DIR List"}));
    }
    {
        LogCapture log;
        ListSource source = fakeSource();
        source.listViewMode = 1;
        LoadDIRSection(source);
        // No "Resize Headers" outside the details view.
        const QStringList messages = log.procedureMessages();
        EXPECT_EQ(messages.size(), 12);
        EXPECT_EQ(messages.last(), QStringLiteral("LoadDIRSection: Ending DIR List"));
        EXPECT_FALSE(messages.contains(QStringLiteral("LoadDIRSection: Resize Headers")));
    }
    {
        // A directory file that cannot be read is logged as a caught error, with its number.
        QFile big(folder + QStringLiteral("big.dir"));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(qint64(64) << 20));
        big.close();
        LogCapture log;
        LoadDIRSection(fakeSource());
        EXPECT_TRUE(log.procedureMessages().contains(
            QStringLiteral("LoadDIRSection: Error: %1 - %2 (big.dir)")
                .arg(EFBIG)
                .arg(qt_error_string(EFBIG))));
        QFile::remove(folder + QStringLiteral("big.dir"));
    }
    {
        LogCapture log;
        LoadApplicationSection(fakeSource());
        LoadPopupSection(fakeSource());
        LoadUntisSection(fakeSource());
        LoadRulesSection(fakeSource());
        LoadSecuritySection(fakeSource());
        EXPECT_EQ(log.procedureMessages(),
                  (QStringList{"LoadApplicationSection: Loading Applications List",
                               "LoadPopupSection: Loading Popups List",
                               "LoadUntisSection: Loading Units List",
                               "LoadRulesSection: Loading Rules List",
                               "LoadSecuritySection: Loading Security List"}));
    }
}

TEST_F(CategoryLists, ParallelReadsGiveTheSerialRowsInTheSerialOrder)
{
    QByteArray table(65, '\0');
    table[0] = 3;
    table[2] = 12;
    table[8] = 65;
    table[10] = 3;
    for (int i = 0; i < 40; ++i) {
        table[4] = char(i % 5);
        const QByteArray title = "[TEMPLATE]\r\nTitle=T" + QByteArray::number(i % 9) + "\r\n";
        touch(QStringLiteral("app%1.HVT").arg(i), title);
        if (i % 2)
            touch(QStringLiteral("APP%1.hvd").arg(i), table + QByteArray(3 * (i % 5), ' '));
        touch(QStringLiteral("pop%1.hpt").arg(i), title);
        touch(QStringLiteral("d%1.dir").arg(i),
              "[DIRECTORY]\r\nCaption=D" + QByteArray::number(i % 4) + "\r\n[FILE]\r\nTitle=x\r\n");
    }
    // Case twins, a missing data file, unreadable templates, data and directory files.
    touch(QStringLiteral("Twin.HVT"), "[TEMPLATE]\r\nTitle=Upper\r\n");
    touch(QStringLiteral("twin.hvt"), "[TEMPLATE]\r\nTitle=Lower\r\n");
    touch(QStringLiteral("TWIN.HVD"), table);
    touch(QStringLiteral("twin.hvd"), table + "   ");
    touch(QStringLiteral("ΟΔΟΣ.HVT"), "[TEMPLATE]\r\nTitle=Road\r\n");
    touch(QStringLiteral("οδος.hvd"), table + "   ");
    touch(QStringLiteral("nodata.HVT"), "[TEMPLATE]\r\nTitle=No data\r\n");
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("dirdata.hvd")));
    touch(QStringLiteral("dirdata.HVT"), "[TEMPLATE]\r\nTitle=Folder data\r\n");
    ASSERT_TRUE(
        QFile::link(folder + QStringLiteral("gone"), folder + QStringLiteral("dangling.hvt")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + QStringLiteral("fifo.HVT")).constData(), 0600),
              0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + QStringLiteral("fifo.dir")).constData(), 0600),
              0);
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("folder.dir")));
    touch(QStringLiteral("Twin.DIR"), "[DIRECTORY]\r\nCaption=Upper\r\n");
    touch(QStringLiteral("twin.dir"), "not a directory file\r\n");

    for (Category category : {Category::Applications, Category::Popups, Category::Directories}) {
        ListSource serial;
        serial.projectFolder = folder;
        serial.readers = 1;
        ListSource parallel = serial;
        parallel.readers = 16;
        const CategoryList one = LoadCategory(category, serial);
        const CategoryList many = LoadCategory(category, parallel);
        ASSERT_EQ(many.rows.size(), one.rows.size());
        for (qsizetype i = 0; i < one.rows.size(); ++i)
            EXPECT_EQ(describe(many.rows[i]), describe(one.rows[i])) << i;
        EXPECT_GT(one.rows.size(), 40);
    }
    ListSource source;
    source.projectFolder = folder;
    source.readers = 16;
    const CategoryList apps = LoadApplicationSection(source);
    QHash<QString, QString> counts;
    for (const ListRow &row : apps.rows)
        counts.insert(row.key, row.subItems[1]);
    EXPECT_EQ(counts.value("twin.hvt"), "1");
    EXPECT_EQ(counts.value("app3.HVT"), "3");
    EXPECT_EQ(counts.value(QStringLiteral("ΟΔΟΣ.HVT")), "1");
}
