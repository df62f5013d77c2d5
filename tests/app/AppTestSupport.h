// Helpers of the start-up tests: a private configuration folder and a diagnostic log viewer
// that collects entries.
#pragma once

#include "tests/common/LogCapture.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <ostream>
#include <thread>

#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Makes a FIFO at `path` and runs `call` on a thread of its own: true when it returns within
// 5 s. A call stuck in a blocking open of the FIFO is then let go by a writer that opens and
// closes it, so that the test ends either way.
inline bool returnsDespiteFifo(const QString &path, const std::function<void()> &call)
{
    const QByteArray fifo = QFile::encodeName(path);
    EXPECT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    std::atomic<bool> done = false;
    std::thread thread([&] {
        call();
        done = true;
    });
    const bool returned = QTest::qWaitFor([&] { return done.load(); }, 5000);
    QTest::qWaitFor([&] {
        if (const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK); fd >= 0)
            ::close(fd);
        return done.load();
    });
    thread.join();
    return returned;
}

} // namespace hvtest
