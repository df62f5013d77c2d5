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
    // The launcher is no picture: the console's icon, or the suite's own beside its programs.
    EXPECT_TRUE(lines.contains(QStringLiteral("Icon=") + hv::kConsoleIconName));
    hvtest::writeFile(suite + "HV.PNG", "png");
    ASSERT_TRUE(hv::CreateItemShortcut(project, suite, "LINE4.HVT", "Line 4").ok);
    EXPECT_TRUE(linesOf(r.path).contains("Icon=" + suite + "HV.PNG"));

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

TEST_F(Shortcuts, LauncherEntriesAreAddedAfterEveryLineAlreadyThere)
{
    // Comments, a line without '=', the key spelling and a last line without its line end.
    const QByteArray before = "; launcher\r\n[GENERAL]\r\nTheme=dark\r\nloose words\n"
                              "[PROGRAM]\r\nCaption=Old\r\nprogram=/x";
    hvtest::writeFile(suite + "hvlaunch.ini", before);
    const hv::ShortcutResult app = hv::AddLauncherEntry(project, suite, "LINE4.HVT", "Line 4");
    ASSERT_TRUE(app.ok) << app.message.toStdString();
    EXPECT_EQ(app.message, "The Line 4 template has been added to HVLaunch.");
    const hv::ShortcutResult dir = hv::AddLauncherEntry(project, suite, "PLANT.DIR", "Plant");
    ASSERT_TRUE(dir.ok);
    EXPECT_EQ(dir.message, "The Plant Directory file has been added to HVLaunch.");
    EXPECT_TRUE(hvtest::readFile(suite + "hvlaunch.ini").startsWith(before + "\r\n[PROGRAM]\r\n"));

    const QList<hv::LauncherProgram> programs =
        hv::LauncherConfig::ReadPrograms(suite + "hvlaunch.ini");
    ASSERT_EQ(programs.size(), 3);
    EXPECT_EQ(programs[0].caption, "Old");
    EXPECT_EQ(programs[0].program, "/x");
    EXPECT_EQ(programs[1].caption, "Line 4");
    EXPECT_EQ(programs[1].program, suite + "hv");
    EXPECT_EQ(programs[1].arguments, project + "LINE4.HVT");
    EXPECT_EQ(programs[1].kind, 2);
    EXPECT_TRUE(programs[1].flag);
    EXPECT_EQ(programs[2].caption, "Plant");
}

TEST_F(Shortcuts, LauncherRefusesTextItsFileCannotHold)
{
    hvtest::writeFile(suite + "hvlaunch.ini", "[PROGRAM]\r\nCaption=Old\r\n");
    // A line break would add keys of its own; the others would be written as '?'.
    const hv::ShortcutResult broken =
        hv::AddLauncherEntry(project, suite, "PLANT.DIR", "Plant\r\nKIND=9");
    EXPECT_FALSE(broken.ok);
    EXPECT_NE(broken.message.indexOf("line break"), -1) << broken.message.toStdString();
    const hv::ShortcutResult folder =
        hv::AddLauncherEntry(home.path() + "/\u65E5\u672C proj/", suite, "A.HVT", "A");
    EXPECT_FALSE(folder.ok);
    EXPECT_NE(folder.message.indexOf("'\u65E5'"), -1) << folder.message.toStdString();
    EXPECT_EQ(hvtest::readFile(suite + "hvlaunch.ini"), "[PROGRAM]\r\nCaption=Old\r\n");
    // Letters of the code page pass.
    EXPECT_TRUE(
        hv::AddLauncherEntry(project, suite, "\u00C9t\u00E9.HVT", "\u00C9t\u00E9 \u20AC").ok);
}

TEST_F(Shortcuts, ShortcutOverASymlinkReplacesTheLinkNotItsTarget)
{
    const QString target = home.path() + "/precious.txt";
    hvtest::writeFile(target, "keep me");
    QDir().mkpath(home.path() + "/Desk top");
    const QString link = home.path() + "/Desk top/Line 4.desktop";
    ASSERT_TRUE(QFile::link(target, link));
    const hv::ShortcutResult r = hv::CreateItemShortcut(project, suite, "LINE4.HVT", "Line 4");
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.path, link);
    EXPECT_EQ(hvtest::readFile(target), "keep me");
    EXPECT_FALSE(QFileInfo(target).isExecutable());
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(linesOf(link).contains("Name=Line 4"));
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
