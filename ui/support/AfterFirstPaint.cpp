#include "ui/support/AfterFirstPaint.h"

#include <QEvent>
#include <QMetaObject>
#include <QWidget>

#include <utility>

namespace hv {

namespace {

// Watches its window (its parent) for the first paint event, then queues the work on the
// window and goes away.
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget &window, std::function<void()> work)
        : QObject(&window), m_work(std::move(work))
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched == parent() && m_work) {
            // Queued: the work runs after the paint and the rest of the window's.
            QMetaObject::invokeMethod(parent(), std::exchange(m_work, {}), Qt::QueuedConnection);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_work;
};

} // namespace

void afterFirstPaint(QWidget &window, std::function<void()> work)
{
    new FirstPaintWatch(window, std::move(work));
}

} // namespace hv
