#include "ui/BackgroundFill.h"

#include "app/Jobs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>

using namespace hv;

namespace {

// A component whose every template waits until the user-interface thread lets it go: a fill
// on the user-interface thread could never finish.
class GatedTemplateInfo : public TemplateInfo {
public:
    explicit GatedTemplateInfo(std::atomic<bool> &open) : m_open(open) {}
    void SetTemplatePath(const QString &) override {}
    QString TemplatePath() const override { return {}; }
    void OpenTemplate() override {}
    bool IsValidTemplate() override { return true; }
    QString TemplateTitle() override { return {}; }
    TemplateEntries Entries() const override { return {}; }
    QString BasePath() const override { return {}; }
    void CloseTemplate() override {}
    void GetApplicationInfo(const QString &path, QString &title, qint32 &count,
                            QString &stamp) override
    {
        QElapsedTimer waited;
        waited.start();
        while (!m_open && waited.elapsed() < 20000)
            QThread::yieldCurrentThread();
        title = m_open ? path.mid(path.lastIndexOf(u'/') + 1) : QStringLiteral("stuck");
        count = 0;
        stamp.clear();
    }
    void GetPopupInfo(const QString &path, QString &title, qint32 &count, QString &stamp) override
    {
        GetApplicationInfo(path, title, count, stamp);
    }

private:
    std::atomic<bool> &m_open;
};

} // namespace

namespace {

void makeTemplates(const QTemporaryDir &dir, std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
}

ListSource gatedSource(const QTemporaryDir &dir, std::atomic<bool> &open)
{
    ListSource source;
    source.projectFolder = dir.path();
    source.templateFactory = [&open] { return std::make_unique<GatedTemplateInfo>(open); };
    return source;
}

} // namespace

TEST(BackgroundFill, WindowThreadRunsAndReportsProgressWhileTheFillWaits)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    makeTemplates(dir, {"b.HVT", "a.HVT", "c.hvt"});
    std::atomic<bool> open{false};

    // The gate opens only once the window thread has reported progress, which it does from
    // half a second into the fill on.
    ListFill fill;
    qsizetype reportedFound = -1;
    QObject::connect(&fill, &ListFill::progress, [&](qsizetype, qsizetype found) {
        reportedFound = found;
        open = true;
    });
    QList<CategoryList> lists;
    QObject::connect(&fill, &ListFill::filled, [&](const CategoryList &list) { lists << list; });
    fill.start(Category::Applications, gatedSource(dir, open));
    EXPECT_TRUE(fill.isRunning());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !lists.isEmpty(); }, 20000));
    EXPECT_FALSE(fill.isRunning());
    EXPECT_EQ(reportedFound, 3);
    const CategoryList &list = lists.first();
    ASSERT_EQ(list.rows.size(), 4);
    EXPECT_EQ(list.rows[1].text, QStringLiteral("a.HVT"));
    EXPECT_EQ(list.rows[3].text, QStringLiteral("c.hvt"));
}

TEST(BackgroundFill, ANewFillDropsTheListOfTheFillItReplaced)
{
    QTemporaryDir stalled;
    QTemporaryDir other;
    ASSERT_TRUE(stalled.isValid() && other.isValid());
    makeTemplates(stalled, {"old.HVT"});
    makeTemplates(other, {"new.HVT"});
    std::atomic<bool> stalledOpen{false};
    std::atomic<bool> otherOpen{true};

    ListFill fill;
    QList<CategoryList> lists;
    QObject::connect(&fill, &ListFill::filled, [&](const CategoryList &list) { lists << list; });
    fill.start(Category::Applications, gatedSource(stalled, stalledOpen));
    const quint64 first = fill.generation();
    fill.start(Category::Applications, gatedSource(other, otherOpen));
    EXPECT_GT(fill.generation(), first);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !lists.isEmpty(); }, 10000));
    EXPECT_EQ(lists.first().rows.value(1).text, QStringLiteral("new.HVT"));

    // The replaced fill ends later; its list never shows.
    stalledOpen = true;
    ASSERT_TRUE(QTest::qWaitFor([] { return runningJobCount() == 0; }, 10000));
    QCoreApplication::processEvents();
    EXPECT_EQ(lists.size(), 1);
    EXPECT_FALSE(fill.isRunning());
}
