// HVAdmin: the administration console.
#include "ui/Main.h"
#include "ui/ScreenshotTour.h"
#include "ui/frmHVSetup.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window =
        hv::Main([] { return std::unique_ptr<QWidget>(std::make_unique<hv::frmHVSetup>()); });
    if (!window)
        return 1;
    // Reviewers' pictures (scripts/screenshots.sh): a tour of the window, then the end.
    const QString screenshots = qEnvironmentVariable("HV_SCREENSHOT_DIR");
    if (!screenshots.isEmpty())
        hv::StartScreenshotTour(static_cast<hv::frmHVSetup &>(*window), screenshots);
    return app.exec();
}
