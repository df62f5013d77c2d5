// HVAdmin: the administration console.
#include "ui/Main.h"
#include "ui/frmHVSetup.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window =
        hv::Main([] { return std::unique_ptr<QWidget>(std::make_unique<hv::frmHVSetup>()); });
    if (!window)
        return 1;
    return app.exec();
}
