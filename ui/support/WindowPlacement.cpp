#include "ui/support/WindowPlacement.h"

#include "app/WindowGeometry.h"
#include "app/WindowLayout.h"
#include "log/DiagnosticLog.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <optional>

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

// What a window's placement needs to know of its normal state once it is maximised. Under a
// window manager a maximised window's frame is not its normal frame (borders go), so the
// offset of the client area from the frame must come from the normal state; and a window
// restored maximised may never have been framed as a normal window at all.
class NormalPlacement : public QObject {
public:
    explicit NormalPlacement(QWidget &window) : QObject(&window), m_window(window)
    {
        setObjectName(QStringLiteral("hvNormalPlacement"));
        window.installEventFilter(this);
    }

    static NormalPlacement &of(QWidget &window)
    {
        auto *found = window.findChild<NormalPlacement *>(QStringLiteral("hvNormalPlacement"),
                                                          Qt::FindDirectChildrenOnly);
        return found ? *found : *new NormalPlacement(window);
    }
    static const NormalPlacement *find(const QWidget &window)
    {
        return window.findChild<NormalPlacement *>(QStringLiteral("hvNormalPlacement"),
                                                   Qt::FindDirectChildrenOnly);
    }

    // The placement just restored (frame corner, client size); `maximised` when the window
    // goes straight to the maximised state.
    void restored(const QRect &placed, bool maximised)
    {
        m_placed = placed;
        m_movedSince = !maximised;
        m_awaitingMaximised = maximised;
        m_frameOffset.reset();
    }

    // The normal placement as it is to be stored: the one restored while the window has not
    // been moved or sized in the normal state since, else the normal client rectangle less
    // the frame offset seen in the normal state, when one was seen.
    std::optional<QRect> normalPlacement() const
    {
        if (!m_movedSince)
            return m_placed;
        if (!m_frameOffset)
            return std::nullopt;
        QRect normal = m_window.normalGeometry();
        normal.moveTopLeft(normal.topLeft() - *m_frameOffset);
        return normal;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (watched != &m_window ||
            (type != QEvent::Move && type != QEvent::Resize && type != QEvent::WindowStateChange))
            return false;
        const Qt::WindowStates state = m_window.windowState();
        // A window restored maximised may pass through the normal state, at sizes and corners
        // of the window manager's choosing, until it is shown maximised: what the normal state
        // shows counts only from then on.
        if (m_awaitingMaximised) {
            const QScreen *screen = m_window.screen();
            m_awaitingMaximised = !(state & Qt::WindowMaximized) || !screen ||
                                  !m_window.frameGeometry().contains(screen->availableGeometry());
            return false;
        }
        if (type == QEvent::WindowStateChange || !m_window.isVisible() ||
            (state & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
            return false;
        m_frameOffset = m_window.geometry().topLeft() - m_window.pos();
        if (QRect(m_window.pos(), m_window.size()) != m_placed)
            m_movedSince = true;
        return false;
    }

private:
    QWidget &m_window;
    QRect m_placed;
    bool m_movedSince = true;
    bool m_awaitingMaximised = false;
    std::optional<QPoint> m_frameOffset;
};

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

    QRect placed = BringOntoScreens(WindowSettingToPixels(setting, tpp), availableScreens());
    // A window never comes back larger than the screen it comes back on (one stored at a
    // smaller scale or on a larger screen).
    if (const QScreen *screen = QGuiApplication::screenAt(placed.topLeft()))
        placed.setSize(placed.size().boundedTo(screen->availableGeometry().size()));
    window.hide();
    window.setWindowState(window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    window.move(placed.topLeft());
    window.resize(placed.size());
    if (!keepHidden) {
        window.show();
        window.raise();
    }
    const bool maximised = setting.state == WindowSetting::kMaximised;
    NormalPlacement::of(window).restored(placed, maximised);
    if (maximised)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void WriteRegWindowInfo(const QWidget &window)
{
    WriteLog(kModule, QStringLiteral("WriteRegWindowInfo"),
             QStringLiteral("Write Window Settings for: ") + windowName(window));
    const bool maximised = window.isMaximized() && !window.isMinimized();
    const NormalPlacement *tracked = NormalPlacement::find(window);
    std::optional<QRect> normal;
    if (maximised && tracked)
        normal = tracked->normalPlacement();
    if (!normal) {
        // The frame's offset from the client area, to store the frame's corner as move()
        // takes it.
        const QPoint frameOffset = window.geometry().topLeft() - window.pos();
        normal = window.normalGeometry();
        if (normal->isEmpty())
            normal = window.geometry();
        normal->moveTopLeft(normal->topLeft() - frameOffset);
    }
    WriteWindowSetting(WindowSettingFromPixels(*normal, maximised, ScreenTwipsPerPixel()));
}

void CentreOverOwner(QWidget &dialog)
{
    if (const QWidget *owner = dialog.parentWidget())
        dialog.move(centredOver(owner->frameGeometry(), dialog.frameGeometry().size(),
                                Halving::TruncatedDifference)
                        .topLeft());
}

} // namespace hv
