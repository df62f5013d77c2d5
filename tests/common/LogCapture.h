// A diagnostic log viewer under a name of its own that collects the entries this process
// writes with WriteLog, for tests that check what was logged.
#pragma once

#include "log/DiagnosticLog.h"
#include "log/LogViewer.h"

#include <QStringList>
#include <QTest>
#include <QUuid>

#include <gtest/gtest.h>

#include <vector>

namespace hvtest {

class LogCapture {
public:
    explicit LogCapture(bool listenNow = true)
        : m_name(QStringLiteral("hvtest-log-") + QUuid::createUuid().toString(QUuid::Id128))
    {
        QObject::connect(&m_viewer, &hv::log::LogViewer::entryReceived,
                         [this](const hv::log::LogEntry &e) { entries.push_back(e); });
        hv::log::ResetLogState(m_name);
        if (listenNow)
            listen();
    }
    ~LogCapture() { hv::log::ResetLogState(QString::fromLatin1(hv::log::kLogServerName)); }
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    void listen() { ASSERT_TRUE(m_viewer.listen(m_name)) << m_viewer.errorString().toStdString(); }
    void close() { m_viewer.close(); }
    const QString &name() const { return m_name; }

    // Waits until `count` entries have arrived (5 s at most).
    bool waitFor(size_t count)
    {
        return QTest::qWaitFor([&] { return entries.size() >= count; }, 5000);
    }

    // Waits until an entry with this message has arrived (5 s at most).
    bool waitForMessage(const QString &message)
    {
        return QTest::qWaitFor(
            [&] {
                for (const auto &e : entries) {
                    if (e.message == message)
                        return true;
                }
                return false;
            },
            5000);
    }

    // The messages received so far, in order.
    QStringList messages() const
    {
        QStringList list;
        for (const auto &e : entries)
            list.append(e.message);
        return list;
    }

    // Everything logged so far, as "procedure: message": a closing entry is written and
    // awaited, so every earlier entry has arrived too.
    QStringList procedureMessages()
    {
        hv::WriteLog(QStringLiteral("test"), QStringLiteral("test"), QStringLiteral("end"));
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return !entries.empty() && entries.back().module == u"test"; }, 5000));
        if (!entries.empty() && entries.back().module == u"test")
            entries.pop_back();
        QStringList list;
        for (const auto &e : entries)
            list << e.procedure + QStringLiteral(": ") + e.message;
        return list;
    }

    std::vector<hv::log::LogEntry> entries;

private:
    QString m_name;
    hv::log::LogViewer m_viewer;
};

} // namespace hvtest
