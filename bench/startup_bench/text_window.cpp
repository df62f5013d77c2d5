// A second peer of the start-up benchmark: a Qt Widgets window that shows a line of text and a
// menu bar, so that it loads and lays out fonts as every window with text does (the bare
// window draws nothing and never reads the font configuration).
#include "first_paint.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    FirstPaint watch([](QObject *) { return true; });
    app.installEventFilter(&watch);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.setCentralWidget(new QLabel(QStringLiteral("A window with text")));
    window.resize(1000, 700);
    window.show();
    return app.exec();
}
