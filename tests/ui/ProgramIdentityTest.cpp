#include "ui/support/ConsoleCommandLine.h"
#include "ui/support/Icons.h"
#include "ui/support/ProgramInfo.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <tuple>

#include <gtest/gtest.h>

using namespace hv;

TEST(ConsoleCommandLine, AnswersHelpAndVersionTakesOneFolderAndRefusesTheRest)
{
    EXPECT_FALSE(AnswerInformationOptions({}));
    // The window system's options are Qt's to take; they are no information options.
    EXPECT_FALSE(AnswerInformationOptions({"-platform", "offscreen"}));
    for (const QString &option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const auto help = AnswerInformationOptions({"-style", "fusion", option});
        ASSERT_TRUE(help);
        EXPECT_EQ(help->exitCode, 0);
        EXPECT_TRUE(help->out.startsWith("usage: HVAdmin [FOLDER]\n")) << help->out.toStdString();
        EXPECT_TRUE(help->err.isEmpty());
    }
    for (const QString &option : {QStringLiteral("--version"), QStringLiteral("-v")}) {
        const auto version = AnswerInformationOptions({option});
        ASSERT_TRUE(version);
        EXPECT_EQ(version->out, "HVAdmin " + statusBarVersionText().mid(1) + '\n');
    }
    // After "--" every word is an argument: a folder.
    EXPECT_FALSE(AnswerInformationOptions({"--", "--help"}));

    EXPECT_EQ(ReadConsoleArguments({"--", "-plant"}).folder, "-plant");
    // A second folder, or an option Qt did not take, is named in the refusal.
    const auto second = ReadConsoleArguments({"/srv/plant", "/srv/office"}).exit;
    ASSERT_TRUE(second);
    EXPECT_EQ(second->exitCode, 2);
    EXPECT_TRUE(second->err.contains("'/srv/office'")) << second->err.toStdString();
    const auto option = ReadConsoleArguments({"--verbose", "/srv/plant"}).exit;
    ASSERT_TRUE(option);
    EXPECT_TRUE(option->err.contains("'--verbose'")) << option->err.toStdString();
}

TEST(ConsoleCommandLine, WithoutADisplayItEndsWithOneLineUnlessAPlatformIsChosen)
{
    const auto none = [](const char *) { return QString(); };
    EXPECT_FALSE(RefuseWithoutDisplay({"-platform", "offscreen"}, none));
    EXPECT_FALSE(RefuseWithoutDisplay({"--platform", "offscreen"}, none));
    EXPECT_TRUE(RefuseWithoutDisplay({"--", "-platform"}, none)); // a folder of that name

    // The program itself, with none of them set: one line and exit 1, and the information
    // options still answer.
    const QString console = qEnvironmentVariable("HV_CONSOLE");
    ASSERT_FALSE(console.isEmpty()) << "HV_CONSOLE is not set";
    const auto run = [&](const QStringList &args) {
        QProcess process;
        QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            noDisplay.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(noDisplay);
        process.start(console, args);
        EXPECT_TRUE(process.waitForFinished(30000));
        return std::tuple(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                          process.readAllStandardOutput(), process.readAllStandardError());
    };
    EXPECT_EQ(run({}),
              std::tuple(1, QByteArray(),
                         QByteArray("HVAdmin: no display; set DISPLAY or run under Xvfb\n")));
    for (const char *option : {"--help", "--version", "-v"})
        EXPECT_EQ(std::get<0>(run({QString::fromLatin1(option)})), 0) << option;
}

TEST(ProgramIcon, ComesFromTheIconThemeBesideAnInstalledProgram)
{
    QTemporaryDir prefix;
    const QString programFolder = prefix.path() + QStringLiteral("/bin");
    EXPECT_NE(icons::program(programFolder).name(), kDesktopId);

    const QString hicolor = prefix.path() + QStringLiteral("/share/icons/hicolor");
    ASSERT_TRUE(QDir().mkpath(hicolor + QStringLiteral("/48x48/apps")));
    QFile index(hicolor + QStringLiteral("/index.theme"));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=Hicolor\nDirectories=48x48/apps\n\n"
                "[48x48/apps]\nSize=48\nType=Fixed\n");
    index.close();
    QImage picture(48, 48, QImage::Format_ARGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(hicolor + QStringLiteral("/48x48/apps/") + kDesktopId +
                             QStringLiteral(".png")));

    const QIcon icon = icons::program(programFolder);
    EXPECT_EQ(icon.name(), kDesktopId);
    EXPECT_EQ(icon.pixmap(48).toImage().pixelColor(24, 24), QColor(Qt::darkCyan));
}
