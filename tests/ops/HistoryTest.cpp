#include "ops/History.h"
#include "ops/ItemDelete.h"
#include "platform/FileNames.h"
#include "tests/common/TestSupport.h"

#include <QFileInfo>

#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

using namespace hv;

namespace {

// A history of its own in a temporary state folder.
class History : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(state.isValid());
        saved = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", state.path().toUtf8());
    }
    void TearDown() override { qputenv("XDG_STATE_HOME", saved); }

    static history::Entry entry(const QString &item)
    {
        history::Entry e;
        e.verb = QStringLiteral("delete");
        e.folder = QStringLiteral("/p/");
        e.items << item;
        e.files << history::FileRecord{QStringLiteral("/p/") + item, {}, true, {}};
        return e;
    }
    static void append(const QString &item)
    {
        history::Entry e = entry(item);
        UserText error;
        ASSERT_TRUE(history::Append(e, &error)) << error.english.toStdString();
    }

    QTemporaryDir state;
    QByteArray saved;
};

} // namespace

TEST_F(History, KeepsTheNewestOperationsWithinTheLimits)
{
    for (int i = 1; i <= history::kMaxEntries + 5; ++i)
        append(QString::number(i));
    ASSERT_TRUE(history::MarkUndone(history::kMaxEntries + 5));
    QList<history::Entry> entries = history::Entries();
    ASSERT_EQ(entries.size(), history::kMaxEntries);
    EXPECT_EQ(entries.first().id, history::kMaxEntries + 5);
    EXPECT_TRUE(entries.first().undone);
    EXPECT_EQ(entries.last().items, QStringList{"6"});
    EXPECT_EQ(history::NewestNotUndone()->id, history::kMaxEntries + 4);

    // Large entries: the journal stays within its size, the newest kept, ids still rising.
    const QString big(1024 * 1024, u'x');
    for (int i = 0; i < 10; ++i)
        append(big + QString::number(i));
    EXPECT_LE(QFileInfo(history::JournalPath()).size(), history::kMaxBytes);
    entries = history::Entries();
    EXPECT_EQ(entries.first().items, QStringList{big + "9"});
    EXPECT_EQ(entries.first().id, history::kMaxEntries + 15);
}

TEST_F(History, TwoWritersAtOnceKeepEveryEntryWithItsOwnId)
{
    constexpr int kEach = 60;
    const auto writer = [](const QString &prefix) {
        for (int i = 0; i < kEach; ++i)
            append(prefix + QString::number(i));
    };
    std::thread first(writer, QStringLiteral("a"));
    std::thread second(writer, QStringLiteral("b"));
    first.join();
    second.join();
    const QList<history::Entry> entries = history::Entries();
    ASSERT_EQ(entries.size(), 2 * kEach);
    QSet<qint64> ids;
    QSet<QString> items;
    for (const history::Entry &e : entries) {
        ids.insert(e.id);
        items.insert(e.items.value(0));
    }
    EXPECT_EQ(ids.size(), 2 * kEach);
    EXPECT_EQ(items.size(), 2 * kEach);
}

TEST_F(History, NamesThatAreNotUtf8ComeBackAsTheirBytes)
{
    const QString odd = paths::decodeName("caf\xe9\n.hvt");
    history::Entry e = entry(odd);
    e.files.first().to = QStringLiteral("/p/") + odd;
    e.files.first().permanent = false;
    ASSERT_TRUE(history::Append(e));
    const history::Entry back = history::Entries().value(0);
    EXPECT_EQ(back.items, QStringList{odd});
    EXPECT_EQ(back.files.value(0).from, QStringLiteral("/p/") + odd);
    EXPECT_EQ(back.files.value(0).to, QStringLiteral("/p/") + odd);
    EXPECT_TRUE(back.undoable());
    EXPECT_FALSE(entry(odd).undoable()); // deleted permanently
}

TEST_F(History, ABatchIsOneEntryAndCaptionsNameTheItems)
{
    ItemOpResult first;
    first.touched = first.deletedOutright = QStringList{"/p/A.hpt"};
    ItemOpResult second;
    second.touched = second.deletedOutright = QStringList{"/p/B.hpt", "/p/B.hpd"};
    {
        history::Batch batch;
        history::RecordRemoval("delete", "/p/A.hpt", first);
        history::RecordRemoval("delete", "/p/B.hpt", second, "Bravo");
        EXPECT_TRUE(history::Entries().isEmpty());
    }
    const QList<history::Entry> entries = history::Entries();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries.first().items, (QStringList{"A.hpt", "B.hpt"}));
    EXPECT_EQ(entries.first().files.size(), 3);
    EXPECT_EQ(entries.first().caption(), "Delete 2 popups");
    // A title stays with its item; one without is named by its file.
    EXPECT_EQ(entries.first().itemName(0), "A");
    EXPECT_EQ(entries.first().itemName(1), "Bravo");
    history::Entry one = entries.first();
    one.items = QStringList{"B.hpt"};
    one.titles = QStringList{"Bravo"};
    EXPECT_EQ(one.caption(), "Delete Bravo");
    one.items << "C.HVT";
    EXPECT_EQ(one.caption(), "Delete 2 items");

    history::Entry rename;
    rename.verb = "rename";
    rename.items << "Forklift.HVT";
    rename.newName = "Lift";
    EXPECT_EQ(rename.caption(), "Rename Forklift to Lift");
}
