// Helpers of the start-up tests: a private configuration folder and a diagnostic log viewer
// that collects entries.
#pragma once

#include "app/log/DiagnosticLog.h"
#include "app/log/LogViewer.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <gtest/gtest.h>

#include <ostream>

#include <vector>

// Readable QString values in failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace hvtest {

// Points XDG_CONFIG_HOME and HOME at a temporary folder for the lifetime of the object.
class TempConfig {
public:
    TempConfig()
        : m_oldXdg(qgetenv("XDG_CONFIG_HOME")), m_oldHome(qgetenv("HOME")),
          m_hadXdg(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path() + QStringLiteral("/config")));
        qputenv("HOME", QFile::encodeName(m_dir.path() + QStringLiteral("/home")));
    }
    ~TempConfig()
    {
        if (m_hadXdg)
            qputenv("XDG_CONFIG_HOME", m_oldXdg);
        else
            qunsetenv("XDG_CONFIG_HOME");
        qputenv("HOME", m_oldHome);
    }

    // The temporary folder (for project folders, tables, programs).
    QString path() const { return m_dir.path(); }
    // The suite's configuration folder, ending in '/'.
    QString configFolder() const { return m_dir.path() + QStringLiteral("/config/Halvora/HV50/"); }
    // Writes a file into the configuration folder (created when missing).
    void writeConfigFile(const QString &name, const QByteArray &bytes) const
    {
        QDir().mkpath(configFolder());
        QFile file(configFolder() + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldXdg;
    QByteArray m_oldHome;
    bool m_hadXdg;
};

// A viewer under a name of its own that collects the entries of this process's WriteLog.
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

    void listen() { ASSERT_TRUE(m_viewer.listen(m_name)) << m_viewer.errorString().toStdString(); }
    void close() { m_viewer.close(); }
    const QString &name() const { return m_name; }

    // Waits until `count` entries have arrived (5 s at most).
    bool waitFor(size_t count)
    {
        return QTest::qWaitFor([&] { return entries.size() >= count; }, 5000);
    }

    // The messages received, in order.
    QStringList messages() const
    {
        QStringList list;
        for (const auto &e : entries)
            list.append(e.message);
        return list;
    }

    std::vector<hv::log::LogEntry> entries;

private:
    QString m_name;
    hv::log::LogViewer m_viewer;
};

} // namespace hvtest
