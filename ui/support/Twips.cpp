#include "ui/support/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace hv::twips {

namespace {

const QScreen *screenOf(const QWidget *widget)
{
    if (widget && widget->screen())
        return widget->screen();
    return QGuiApplication::primaryScreen();
}

} // namespace

double perPixelX(const QWidget *widget)
{
    const QScreen *screen = screenOf(widget);
    return perPixel(screen ? screen->logicalDotsPerInchX() : 96.0);
}

double perPixelY(const QWidget *widget)
{
    const QScreen *screen = screenOf(widget);
    return perPixel(screen ? screen->logicalDotsPerInchY() : 96.0);
}

TwipsPerPixel pixelGrid(const QWidget *widget)
{
    return {perPixelX(widget), perPixelY(widget)};
}

int toPixelsX(int twips, const QWidget *widget)
{
    return toPixels(twips, perPixelX(widget));
}

int toPixelsY(int twips, const QWidget *widget)
{
    return toPixels(twips, perPixelY(widget));
}

} // namespace hv::twips
