#include "ops/Shortcuts.h"
#include "suite/LauncherConfig.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Points HOME and the XDG folders at a temporary folder for the test's duration.
class Shortcuts : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        oldHome = qgetenv("HOME");
        oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + "/.config"));
        for (const char *folder : {"/.config", "/suite", "/my project"})
            QDir().mkpath(home.path() + folder);
        hvtest::writeFile(home.path() + "/.config/user-dirs.dirs",
                          "XDG_DESKTOP_DIR=\"$HOME/Desk top\"\n");
        suite = home.path() + "/suite/";
        project = home.path() + "/my project/";
        hvtest::writeFile(suite + "hv", "#!/bin/sh\n");
    }
    void TearDown() override
    {
        qputenv("HOME", oldHome);
        qputenv("XDG_CONFIG_HOME", oldConfig);
    }
    // The key lines of a Desktop Entry file, raw.
    QStringList linesOf(const QString &path)
    {
        return QString::fromUtf8(hvtest::readFile(path)).split(u'\n', Qt::SkipEmptyParts);
    }
    QTemporaryDir home;
    QByteArray oldHome, oldConfig;
    QString suite, project;
};

} // namespace

TEST_F(Shortcuts, ShortcutOnTheDesktopStartsTheLauncherWithTheItem)
{
    const hv::ShortcutResult r = hv::CreateItemShortcut(project, suite, "LINE4.HVT", "Line 4");
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.path, home.path() + "/Desk top/Line 4.desktop");
    EXPECT_TRUE(QFileInfo(r.path).isExecutable());
    const QStringList lines = linesOf(r.path);
    EXPECT_EQ(lines.first(), "[Desktop Entry]");
    EXPECT_TRUE(lines.contains("Type=Application"));
    EXPECT_TRUE(lines.contains("Name=Line 4"));
    EXPECT_TRUE(lines.contains("Comment=Line 4"));
    EXPECT_TRUE(lines.contains("Exec=\"" + suite + "hv\" \"" + project + "LINE4.HVT\""));
    EXPECT_TRUE(lines.contains("Path=" + project));
    EXPECT_TRUE(lines.contains("Icon=" + suite + "hv"));

    // The same title again replaces the first shortcut.
    const hv::ShortcutResult again = hv::CreateItemShortcut(project, suite, "OTHER.DIR", "Line 4");
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(again.path, r.path);
    EXPECT_TRUE(linesOf(r.path).contains("Exec=\"" + suite + "hv\" \"" + project + "OTHER.DIR\""));
}

TEST_F(Shortcuts, OddTitlesGiveSafeNamesAndEscapedValues)
{
    EXPECT_EQ(hv::DesktopEntryFileName("a/b\\c"), "a_b_c.desktop");
    EXPECT_EQ(hv::DesktopEntryFileName("two\nlines\t"), "two_lines_.desktop");
    EXPECT_EQ(hv::DesktopEntryFileName(".."), "_...desktop");
    EXPECT_EQ(hv::DesktopEntryFileName(""), "_.desktop");
    EXPECT_LE(hv::DesktopEntryFileName(QString(300, QChar(0x00e9))).toUtf8().size(), 255);

    EXPECT_EQ(hv::QuoteExecArgument("say \"hi\" $HOME `x` 100% a\\b"),
              "\"say \\\"hi\\\" \\$HOME \\`x\\` 100%% a\\\\b\"");
    EXPECT_EQ(hv::EscapeDesktopValue("a\\b\nc"), "a\\\\b\\nc");

    const QString title = "Q\"uote/Slash\nNew";
    const hv::ShortcutResult r = hv::CreateItemShortcut(project, suite, "it's \"$1\".HVT", title);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(QFileInfo(r.path).fileName(), "Q\"uote_Slash_New.desktop");
    const QStringList lines = linesOf(r.path);
    EXPECT_TRUE(lines.contains("Name=Q\"uote/Slash\\nNew"));
    // The quoted argument's backslashes are escaped once more by the value's own rules.
    EXPECT_TRUE(
        lines.contains("Exec=\"" + suite + "hv\" \"" + project + "it's \\\\\"\\\\$1\\\\\".HVT\""));
    EXPECT_EQ(lines.filter("Name=").size(), 1);
}

TEST_F(Shortcuts, ShortcutThatCannotBeWrittenIsReported)
{
    const hv::ShortcutResult r = hv::CreateDesktopShortcut(home.path() + "/missing/x.desktop", "x",
                                                           suite + "hv", "", "", "");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.isEmpty());
}

TEST_F(Shortcuts, LauncherEntriesAreAddedAfterThoseAlreadyThere)
{
    hvtest::writeFile(suite + "hvlaunch.ini",
                      "[GENERAL]\r\nTheme=dark\r\n[PROGRAM]\r\nCaption=Old\r\nProgram=/x\r\n");
    const hv::ShortcutResult app = hv::AddLauncherEntry(project, suite, "LINE4.HVT", "Line 4");
    ASSERT_TRUE(app.ok) << app.message.toStdString();
    EXPECT_EQ(app.message, "The Line 4 template has been added to HVLaunch.");
    const hv::ShortcutResult dir =
        hv::AddLauncherEntry(project, suite, "PLANT.DIR", "Plant\r\nKIND=9");
    ASSERT_TRUE(dir.ok);
    EXPECT_EQ(dir.message, "The Plant\r\nKIND=9 Directory file has been added to HVLaunch.");

    const QList<hv::LauncherProgram> programs =
        hv::LauncherConfig::ReadPrograms(suite + "hvlaunch.ini");
    ASSERT_EQ(programs.size(), 3);
    EXPECT_EQ(programs[0].caption, "Old");
    EXPECT_EQ(programs[1].caption, "Line 4");
    EXPECT_EQ(programs[1].program, suite + "hv");
    EXPECT_EQ(programs[1].arguments, project + "LINE4.HVT");
    EXPECT_EQ(programs[1].kind, 2);
    EXPECT_TRUE(programs[1].flag);
    // A line break in the title cannot add keys of its own.
    EXPECT_EQ(programs[2].caption, "Plant  KIND=9");
    EXPECT_EQ(programs[2].kind, 2);
    EXPECT_NE(QString::fromLatin1(hvtest::readFile(suite + "hvlaunch.ini")).indexOf("THEME"), -1);
}

TEST_F(Shortcuts, LauncherFileThatCannotBeReadOrWrittenIsReported)
{
    // A folder where the file should be cannot be read as one: nothing is written.
    QDir().mkpath(suite + "hvlaunch.ini");
    const hv::ShortcutResult unreadable = hv::AddLauncherEntry(project, suite, "A.HVT", "A");
    EXPECT_FALSE(unreadable.ok);
    EXPECT_FALSE(unreadable.message.isEmpty());
    EXPECT_TRUE(QFileInfo(suite + "hvlaunch.ini").isDir());

    // A suite folder below a plain file cannot take the new file.
    hvtest::writeFile(home.path() + "/plain", "x");
    const hv::ShortcutResult unwritable =
        hv::AddLauncherEntry(project, home.path() + "/plain/suite/", "A.HVT", "A");
    EXPECT_FALSE(unwritable.ok);
    EXPECT_FALSE(unwritable.message.isEmpty());
}
