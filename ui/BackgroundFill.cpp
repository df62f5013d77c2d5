#include "ui/BackgroundFill.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <thread>

namespace hv {

CategoryList fillInBackground(Category category, ListSource source,
                              const FillProgressReport &report)
{
    ListProgress progress;
    source.progress = &progress;
    CategoryList list;
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    QTimer ticker;
    ticker.setInterval(100);
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
        if (report && clock.elapsed() >= kProgressAfterMs)
            report(progress.read.load(), progress.found.load());
    });
    ticker.start();
    std::thread worker([&] {
        list = LoadCategory(category, source);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    return list;
}

} // namespace hv
