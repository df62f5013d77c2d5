// HVAdmin: the administration console.
#include "ui/Main.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window = hv::Main([] {
        auto mainWindow = std::make_unique<QMainWindow>();
        mainWindow->setObjectName(QStringLiteral("frmHVSetup"));
        mainWindow->setWindowTitle(QStringLiteral("HV Admin"));
        return std::unique_ptr<QWidget>(std::move(mainWindow));
    });
    if (!window)
        return 1;
    return app.exec();
}
