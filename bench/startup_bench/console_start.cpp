// The console's start-up as ui/main.cpp runs it (font configuration read ahead, catalogues of
// texts, start-up sequence, login check, main window loaded, placed, filled and shown), up to
// the first paint of the main window.
#include "first_paint.h"
#include "ui/mainwindow/frmHVSetup.h"
#include "ui/support/FontConfiguration.h"
#include "ui/support/Main.h"
#include "ui/support/ProgramInfo.h"
#include "ui/support/Translations.h"

#include <QApplication>

int main(int argc, char **argv)
{
    hv::startReadingFontConfiguration();
    QApplication app(argc, argv);
    const hv::FontConfigurationWait fontsRead;
    hv::installTranslations();
    QGuiApplication::setDesktopFileName(QString::fromLatin1(hv::kDesktopId));
    FirstPaint watch([](QObject *object) { return qobject_cast<hv::frmHVSetup *>(object); });
    app.installEventFilter(&watch);
    std::unique_ptr<QWidget> window =
        hv::Main([] { return std::unique_ptr<QWidget>(std::make_unique<hv::frmHVSetup>()); });
    if (!window)
        return 1;
    return app.exec();
}
