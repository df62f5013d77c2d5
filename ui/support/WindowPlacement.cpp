#include "ui/support/WindowPlacement.h"

#include "app/WindowGeometry.h"
#include "app/WindowLayout.h"
#include "log/DiagnosticLog.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace hv {
namespace {

const QString kModule = QStringLiteral("mRegistryEdit");

// The form name of a window: its object name, or its class name without the namespace.
QString windowName(const QWidget &window)
{
    if (!window.objectName().isEmpty())
        return window.objectName();
    const QString className = QString::fromLatin1(window.metaObject()->className());
    return className.mid(className.lastIndexOf(u':') + 1);
}

QList<QRect> availableScreens()
{
    QList<QRect> rects;
    for (const QScreen *screen : QGuiApplication::screens())
        rects.append(screen->availableGeometry());
    // The primary screen first: a placement that lies nowhere goes there.
    if (const QScreen *primary = QGuiApplication::primaryScreen()) {
        rects.removeOne(primary->availableGeometry());
        rects.prepend(primary->availableGeometry());
    }
    return rects;
}

} // namespace

TwipsPerPixel ScreenTwipsPerPixel()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const double dpiX = screen->logicalDotsPerInchX();
    const double dpiY = screen->logicalDotsPerInchY();
    return {twips::perPixel(dpiX), twips::perPixel(dpiY)};
}

void SetFittingMinimumSize(QWidget &window, QSize wanted)
{
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    window.setMinimumSize(fitMinimumSize(wanted, screen ? screen->availableSize() : QSize()));
}

void ReadRegWindowInfo(QWidget &window, bool keepHidden)
{
    WriteLog(kModule, QStringLiteral("ReadRegWindowInfo"),
             QStringLiteral("Read Window Settings for: ") + windowName(window));
    const TwipsPerPixel tpp = ScreenTwipsPerPixel();
    const WindowSetting setting = ReadWindowSetting(tpp);
    if (auto *loadable = dynamic_cast<LoadableWindow *>(&window))
        loadable->Load();

    const QRect placed = BringOntoScreens(WindowSettingToPixels(setting, tpp), availableScreens());
    window.hide();
    window.setWindowState(window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    window.move(placed.topLeft());
    window.resize(placed.size());
    if (!keepHidden) {
        window.show();
        window.raise();
    }
    if (setting.state == WindowSetting::kMaximised)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void WriteRegWindowInfo(const QWidget &window)
{
    WriteLog(kModule, QStringLiteral("WriteRegWindowInfo"),
             QStringLiteral("Write Window Settings for: ") + windowName(window));
    // The frame's offset from the client area, to store the frame's corner as move() takes it.
    const QPoint frameOffset = window.geometry().topLeft() - window.pos();
    QRect normal = window.normalGeometry();
    if (normal.isEmpty())
        normal = window.geometry();
    normal.moveTopLeft(normal.topLeft() - frameOffset);
    WriteWindowSetting(WindowSettingFromPixels(
        normal, window.isMaximized() && !window.isMinimized(), ScreenTwipsPerPixel()));
}

} // namespace hv
