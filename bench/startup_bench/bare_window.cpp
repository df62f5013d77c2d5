// The peer of the start-up benchmark: a bare Qt Widgets program that shows an empty window.
#include "first_paint.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    FirstPaint watch([](QObject *) { return true; });
    app.installEventFilter(&watch);
    QWidget window;
    window.resize(1000, 700);
    window.show();
    return app.exec();
}
