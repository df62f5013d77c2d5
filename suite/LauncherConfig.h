// The launcher configuration component: the entries of the suite's launcher in
// `hvlaunch.ini`, one [PROGRAM] section per entry with Caption, Program, Arguments, Kind and
// Flag. Adding an entry keeps the entries (and any other lines) already in the file.
#pragma once

#include "files/IniFile.h"

#include <QList>
#include <QString>

namespace hv {

struct LauncherProgram {
    QString caption;
    QString program;
    QString arguments;
    qint16 kind = 0;
    bool flag = false;
};

class LauncherConfig {
public:
    const QString &ConfigFile() const { return m_configFile; }
    void SetConfigFile(const QString &path) { m_configFile = path; }

    // Queues an entry for the next WriteConfig.
    LauncherProgram &AddProgram(const QString &caption, const QString &program,
                                const QString &arguments, qint16 kind, bool flag);

    // Reads the file as it is now, appends the queued entries and saves it. A file that
    // cannot be read or written is reported and left as it was.
    IniResult WriteConfig();

    // The entries in the file (for callers that list them, and for tests).
    static QList<LauncherProgram> ReadPrograms(const QString &configFile,
                                               IniResult *result = nullptr);

private:
    QString m_configFile;
    QList<LauncherProgram> m_added;
};

} // namespace hv
