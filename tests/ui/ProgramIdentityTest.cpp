#include "ui/support/ConsoleCommandLine.h"
#include "ui/support/Icons.h"
#include "ui/support/ProgramInfo.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hv;

TEST(ConsoleCommandLine, AnswersHelpAndVersionAndRefusesEveryArgument)
{
    EXPECT_FALSE(AnswerInformationOptions({}));
    // The window system's options are Qt's to take; they are no information options.
    EXPECT_FALSE(AnswerInformationOptions({"-platform", "offscreen"}));
    for (const QString &option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const auto help = AnswerInformationOptions({"-style", "fusion", option});
        ASSERT_TRUE(help);
        EXPECT_EQ(help->exitCode, 0);
        EXPECT_TRUE(help->out.startsWith("usage: HVAdmin\n")) << help->out.toStdString();
        EXPECT_TRUE(help->err.isEmpty());
    }
    const auto version = AnswerInformationOptions({"--version"});
    ASSERT_TRUE(version);
    EXPECT_EQ(version->out, "HVAdmin " + statusBarVersionText().mid(1) + '\n');
    // After "--" every word is an argument, which the console refuses.
    EXPECT_FALSE(AnswerInformationOptions({"--", "--help"}));

    EXPECT_FALSE(RefuseArguments({}));
    const auto refused = RefuseArguments({"/srv/plant", "--verbose"});
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->exitCode, 2);
    EXPECT_TRUE(refused->out.isEmpty());
    EXPECT_TRUE(refused->err.contains("'/srv/plant'")) << refused->err.toStdString();
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
