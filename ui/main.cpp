// HVAdmin: the administration console.
#include "ui/support/Main.h"
#include "app/Jobs.h"
#include "platform/UserFolders.h"
#include "ui/mainwindow/frmHVSetup.h"
#include "ui/support/AfterFirstPaint.h"
#include "ui/support/ConsoleCommandLine.h"
#include "ui/support/FontConfiguration.h"
#include "ui/support/Icons.h"
#include "ui/support/ProgramInfo.h"
#include "ui/support/Translations.h"

#include <QApplication>

int main(int argc, char **argv)
{
    hv::paths::dropRelativeBaseFolders();
    // --help and --version need no window system: they are answered before Qt starts, and so
    // is a start without a display, where Qt would abort.
    const QStringList given = hv::ArgumentsAfterName(argc, argv);
    if (const auto exit = hv::AnswerInformationOptions(given))
        return hv::Finish(*exit);
    if (const auto exit = hv::RefuseWithoutDisplay(given))
        return hv::Finish(*exit);
    hv::startReadingFontConfiguration();
    QApplication app(argc, argv);
    const hv::FontConfigurationWait fontsRead;
    hv::installTranslations();
    const hv::ConsoleArguments arguments =
        hv::ReadConsoleArguments(hv::ArgumentsAfterName(argc, argv));
    if (arguments.exit)
        return hv::Finish(*arguments.exit);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(hv::kDesktopId));
    std::unique_ptr<QWidget> window =
        hv::Main([] { return std::unique_ptr<QWidget>(std::make_unique<hv::frmHVSetup>()); },
                 arguments.folder);
    if (!window)
        return 1;
    // The icon themes are searched for the program's icon once the window has been painted.
    hv::afterFirstPaint(*window, [] {
        QApplication::setWindowIcon(hv::icons::program(QCoreApplication::applicationDirPath()));
    });
    const int code = app.exec();
    // The settings were saved as the window closed. A job, or the folder tree's reader, may
    // be stuck on a share that stopped answering: the clean-up gets a moment, then the
    // process ends all the same.
    hv::exitWithin(800, code);
    return code;
}
