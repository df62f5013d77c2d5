// hvadmin-screenshots FOLDER: starts the console as HVAdmin does, takes the reviewers'
// pictures of its windows into FOLDER and ends. Used by scripts/screenshots.sh.
#include "ui/support/Main.h"
#include "tools/screenshots/ScreenshotTour.h"
#include "ui/mainwindow/frmHVSetup.h"
#include "ui/support/Translations.h"

#include <QApplication>
#include <QPalette>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    hv::installTranslations();
    // HV_SCREENSHOT_PALETTE=dark: the pictures under a dark desktop palette.
    if (qEnvironmentVariable("HV_SCREENSHOT_PALETTE") == QLatin1String("dark")) {
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(53, 53, 53));
        dark.setColor(QPalette::WindowText, QColor(238, 238, 238));
        dark.setColor(QPalette::Base, QColor(35, 35, 35));
        dark.setColor(QPalette::AlternateBase, QColor(45, 45, 45));
        dark.setColor(QPalette::Text, QColor(238, 238, 238));
        dark.setColor(QPalette::Button, QColor(53, 53, 53));
        dark.setColor(QPalette::ButtonText, QColor(238, 238, 238));
        dark.setColor(QPalette::ToolTipBase, QColor(35, 35, 35));
        dark.setColor(QPalette::ToolTipText, QColor(238, 238, 238));
        dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
        dark.setColor(QPalette::HighlightedText, QColor(0, 0, 0));
        dark.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
        dark.setColor(QPalette::Link, QColor(120, 180, 255));
        dark.setColor(QPalette::LinkVisited, QColor(190, 150, 255));
        dark.setColor(QPalette::Light, QColor(80, 80, 80));
        dark.setColor(QPalette::Mid, QColor(70, 70, 70));
        dark.setColor(QPalette::Dark, QColor(30, 30, 30));
        dark.setColor(QPalette::Disabled, QPalette::Text, QColor(130, 130, 130));
        dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(130, 130, 130));
        dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(130, 130, 130));
        QApplication::setPalette(dark);
    }
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
