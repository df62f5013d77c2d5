// hvadmin-screenshots FOLDER: starts the console as HVAdmin does, takes the reviewers'
// pictures of its windows into FOLDER and ends. Used by scripts/screenshots.sh.
#include "ui/support/Main.h"
#include "tools/screenshots/ScreenshotTour.h"
#include "ui/mainwindow/frmHVSetup.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: hvadmin-screenshots FOLDER\n");
        return 2;
    }
    std::unique_ptr<QWidget> window =
        hv::Main([] { return std::unique_ptr<QWidget>(std::make_unique<hv::frmHVSetup>()); });
    if (!window)
        return 1;
    hv::StartScreenshotTour(static_cast<hv::frmHVSetup &>(*window), args.at(1));
    return app.exec();
}
