#include "ui/BackgroundFill.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
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

TEST(BackgroundFill, WindowThreadRunsAndReportsProgressWhileTheFillWaits)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char *name : {"b.HVT", "a.HVT", "c.hvt"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    std::atomic<bool> open{false};
    ListSource source;
    source.projectFolder = dir.path();
    source.templateFactory = [&open] { return std::make_unique<GatedTemplateInfo>(open); };

    // The gate opens only once the window thread has reported progress, which it does from
    // half a second into the fill on.
    qsizetype reportedFound = -1;
    const CategoryList list =
        fillInBackground(Category::Applications, source, [&](qsizetype, qsizetype found) {
            reportedFound = found;
            open = true;
        });
    EXPECT_EQ(reportedFound, 3);
    ASSERT_EQ(list.rows.size(), 4);
    EXPECT_EQ(list.rows[1].text, QStringLiteral("a.HVT"));
    EXPECT_EQ(list.rows[3].text, QStringLiteral("c.hvt"));
}
