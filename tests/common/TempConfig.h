// A private suite configuration for one test: XDG_CONFIG_HOME and HOME point into a temporary
// folder while the object lives.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

} // namespace hvtest
