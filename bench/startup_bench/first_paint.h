// Start-up benchmark: prints the monotonic clock, in microseconds, when the first paint event
// of a window of the given kind arrives, and ends the process right there.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>

// Watches every event of the application for the first paint of a window that `isTarget`
// accepts.
template <typename Predicate> class FirstPaint : public QObject {
public:
    explicit FirstPaint(Predicate isTarget) : m_isTarget(isTarget) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->isWindow() && m_isTarget(watched)) {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::printf("%lld\n", (long long)now.tv_sec * 1000000 + now.tv_nsec / 1000);
            std::fflush(stdout);
            std::_Exit(0); // the time to the first paint is what is measured, not the exit
        }
        return false;
    }

private:
    Predicate m_isTarget;
};
