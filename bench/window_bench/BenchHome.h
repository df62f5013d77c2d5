// The window benchmarks' own home: their settings, log, history and home trash go to a
// temporary folder of the run, and the window is drawn offscreen unless a platform is given.
// Call before the QApplication is made.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

inline void useOwnHome(const QTemporaryDir &home)
{
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_STATE_HOME", (home.path() + QStringLiteral("/state")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
