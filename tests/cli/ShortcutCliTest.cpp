#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// hvadmin-cli with HOME and XDG_CONFIG_HOME inside a temporary folder.
hvtest::ProcessResult runIsolated(const QString &home, const QStringList &args)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home + "/.config");
    process.setProcessEnvironment(env);
    process.start(hvtest::cliPath(), args);
    hvtest::ProcessResult r;
    if (!process.waitForFinished(30000))
        return r;
    r.exitCode = process.exitCode();
    r.out = process.readAllStandardOutput();
    r.err = process.readAllStandardError();
    return r;
}

} // namespace

TEST(ShortcutCli, WritesTheShortcutAndTheLauncherEntry)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString suite = home.path() + "/suite";
    QDir().mkpath(home.path() + "/.config/Halvora/HV50");
    hvtest::writeFile(home.path() + "/.config/Halvora/HV50/suite.ini",
                      "[Suite]\r\nProgramFolder=" + QFile::encodeName(suite) + "\r\n");
    hvtest::writeFile(home.path() + "/.config/user-dirs.dirs",
                      "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n");
    QDir().mkpath(suite);

    const hvtest::ProcessResult shortcut =
        runIsolated(home.path(), {"shortcut", home.path() + "/proj", "A.HVT", "Line/4"});
    ASSERT_EQ(shortcut.exitCode, 0) << shortcut.err.toStdString();
    const QString path = QString::fromUtf8(shortcut.out).trimmed();
    EXPECT_EQ(path, home.path() + "/Desktop/Line_4.desktop");
    EXPECT_NE(hvtest::readFile(path).indexOf("Exec=\"" + QFile::encodeName(suite) + "/hv.exe\" \""),
              -1);

    const hvtest::ProcessResult launcher =
        runIsolated(home.path(), {"launcher", home.path() + "/proj", "P.DIR", "Plant"});
    ASSERT_EQ(launcher.exitCode, 0) << launcher.err.toStdString();
    EXPECT_EQ(launcher.out.trimmed(), "The Plant Directory file has been added to HVLaunch.");
    EXPECT_NE(hvtest::readFile(suite + "/hvlaunch.ini").indexOf("P.DIR"), -1);

    EXPECT_EQ(runIsolated(home.path(), {"shortcut", "x"}).exitCode, 2);
}

TEST(ShortcutCli, AnUnreadableSuiteIniRefusesBothAndWritesNothing)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    // A folder where suite.ini should be: it exists but cannot be read as a file.
    const QString suiteIni = home.path() + "/.config/Halvora/HV50/suite.ini";
    ASSERT_TRUE(QDir().mkpath(suiteIni));
    hvtest::writeFile(home.path() + "/.config/user-dirs.dirs",
                      "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n");
    // Without the refusal, both would fall back to the tool's own folder.
    const QString toolLauncher = QFileInfo(hvtest::cliPath()).absolutePath() + "/hvlaunch.ini";
    ASSERT_FALSE(QFile::exists(toolLauncher));

    for (const char *verb : {"shortcut", "launcher"}) {
        const hvtest::ProcessResult r =
            runIsolated(home.path(), {verb, home.path() + "/proj", "A.HVT", "Line 4"});
        EXPECT_EQ(r.exitCode, 1) << verb;
        EXPECT_TRUE(r.out.isEmpty()) << verb;
        EXPECT_TRUE(QString::fromUtf8(r.err).startsWith("Cannot read " + suiteIni + ": "))
            << r.err.toStdString();
    }
    EXPECT_TRUE(QDir(home.path() + "/Desktop").entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(QFile::exists(toolLauncher));
}
