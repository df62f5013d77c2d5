// The launcher configuration component: the entries of the suite's launcher in
// `hvlaunch.ini`, one [PROGRAM] section per entry with Caption, Program, Arguments, Kind and
// Flag. Adding an entry keeps every line already in the file as it is (other entries,
// comments, lines of other programs) and appends the new entry. Values are Windows-1252
// text of one line each; a value that cannot be written so is refused, not changed.
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
    // cannot be read or written, or an entry that cannot be written, is reported and the
    // file left as it was.
    IniResult WriteConfig();

    // The entries in the file (for callers that list them, and for tests).
    static QList<LauncherProgram> ReadPrograms(const QString &configFile,
                                               IniResult *result = nullptr);

private:
    // Replaces the file with `bytes` atomically.
    static IniResult saveBytes(const QString &configFile, const QByteArray &bytes);

    QString m_configFile;
    QList<LauncherProgram> m_added;
};

} // namespace hv
