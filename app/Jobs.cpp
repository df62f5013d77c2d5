#include "app/Jobs.h"

#include "platform/MountTable.h"
#include "platform/ParallelReads.h"

#include <QDir>
#include <QHash>
#include <QTimer>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <thread>

#include <unistd.h>

namespace hv {

namespace detail {

struct JobShared {
    enum State { Queued, Running, Done };
    std::atomic<int> state{Queued};
    std::atomic<bool> cancelled{false};
    std::function<void(JobControl &)> work;
    QString lane;

    std::mutex mutex;   // guards what follows
    Job *job = nullptr; // null once the job object is gone
    qint64 done = 0;
    qint64 total = 0;
    QString what;
    quint64 sequence = 0;                             // counts the work's progress reports
    std::function<std::pair<qint64, qint64>()> probe; // while the work runs
    std::condition_variable stateChanged;             // taken up, or returned (state is Done)

    // Runs `call` on the job's thread unless the job is gone by then (the job owns this).
    template <class F> void post(F call)
    {
        const std::lock_guard lock(mutex);
        if (job)
            QMetaObject::invokeMethod(
                job,
                [this, job = job, call] {
                    // Qt's event queue already orders what the worker wrote before posting;
                    // taking the lock the post was made under shows that order to
                    // ThreadSanitizer, which cannot see inside Qt.
                    {
                        const std::lock_guard posted(mutex);
                    }
                    call(job);
                },
                Qt::QueuedConnection);
    }
    static void started(Job *job) { job->onStarted(); }
    static void finished(Job *job, const QString &error) { job->onFinished(error); }
};

} // namespace detail

namespace {

using detail::JobShared;

std::mutex g_timingsMutex;
JobTimings g_timings;
std::atomic<int> g_running{0};

// The lane of a folder: the mount point of the file system that holds it. The mount table
// comes from /proc, which answers even when a share does not.
QString laneOf(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    const QString path = QDir::cleanPath(QDir(folder).absolutePath());
    const MountTable table = MountTable::fromSystem();
    const MountEntry *mount = table.mountOf(path);
    return mount ? mount->mountPoint : QString();
}

// Threads of the program's own, reused while idle; a lane per file system. Never destroyed
// (its threads are detached and may outlive main()).
class JobPool {
public:
    static JobPool &instance()
    {
        static JobPool *pool = new JobPool;
        return *pool;
    }

    void submit(std::shared_ptr<JobShared> job)
    {
        const std::lock_guard lock(m_mutex);
        Lane &lane = m_lanes[job->lane];
        if (lane.running >= kJobsPerFileSystem) {
            lane.waiting.push_back(std::move(job));
            return;
        }
        ++lane.running;
        makeReady(std::move(job));
    }

private:
    struct Lane {
        int running = 0;
        std::deque<std::shared_ptr<JobShared>> waiting;
    };

    // With m_mutex held.
    void makeReady(std::shared_ptr<JobShared> job)
    {
        m_ready.push_back(std::move(job));
        if (m_idle >= qsizetype(m_ready.size()))
            m_wake.notify_one();
        else
            std::thread([this] {
                parallel::makeCurrentThreadBackground();
                work();
            }).detach();
    }

    void work()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            while (m_ready.empty()) {
                ++m_idle;
                const bool timedOut =
                    m_wake.wait_for(lock, std::chrono::seconds(60)) == std::cv_status::timeout;
                --m_idle;
                if (timedOut && m_ready.empty())
                    return;
            }
            std::shared_ptr<JobShared> job = std::move(m_ready.front());
            m_ready.pop_front();
            lock.unlock();
            run(job);
            lock.lock();
            Lane &lane = m_lanes[job->lane];
            if (!lane.waiting.empty()) {
                m_ready.push_back(std::move(lane.waiting.front()));
                lane.waiting.pop_front();
            } else if (--lane.running == 0) {
                m_lanes.remove(job->lane);
            }
        }
    }

    static void run(const std::shared_ptr<JobShared> &shared)
    {
        JobShared &job = *shared;
        int queued = JobShared::Queued;
        {
            const std::lock_guard lock(job.mutex);
            if (!job.state.compare_exchange_strong(queued, JobShared::Running))
                return; // cancelled before it started
        }
        job.stateChanged.notify_all();
        ++g_running;
        job.post([](Job *owner) { JobShared::started(owner); });
        QString error;
        try {
            JobControl control(shared);
            job.work(control);
        } catch (const std::exception &e) {
            error = QString::fromLocal8Bit(e.what());
            if (error.isEmpty())
                error = QStringLiteral("unknown error");
        } catch (...) {
            error = QStringLiteral("unknown error");
        }
        job.work = nullptr;
        {
            const std::lock_guard lock(job.mutex);
            job.probe = nullptr;
        }
        {
            const std::lock_guard lock(job.mutex);
            job.state = JobShared::Done;
        }
        job.stateChanged.notify_all();
        job.post([error](Job *owner) { JobShared::finished(owner, error); });
        --g_running; // after the post: a count of 0 means every result is on its way
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::shared_ptr<JobShared>> m_ready;
    QHash<QString, Lane> m_lanes;
    qsizetype m_idle = 0;
};

} // namespace

bool detail::runAndWait(const QString &folder, int timeoutMs, std::function<void()> work)
{
    struct Waiter {
        std::mutex mutex;
        std::condition_variable returned;
        bool done = false;
    };
    auto waiter = std::make_shared<Waiter>();
    auto shared = std::make_shared<JobShared>();
    shared->lane = laneOf(folder);
    shared->work = [waiter, work = std::move(work)](JobControl &) {
        // Told even when the work throws (the pool turns that into a failure).
        struct Tell {
            Waiter &waiter;
            ~Tell()
            {
                const std::lock_guard lock(waiter.mutex);
                waiter.done = true;
                waiter.returned.notify_all();
            }
        } tell{*waiter};
        work();
    };
    JobPool::instance().submit(shared);
    std::unique_lock lock(waiter->mutex);
    if (waiter->returned.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [&] { return waiter->done; }))
        return true;
    // Not begun yet: it never will.
    shared->cancelled = true;
    int queued = JobShared::Queued;
    shared->state.compare_exchange_strong(queued, JobShared::Done);
    return false;
}

void exitWithin(int ms, int code)
{
    std::thread([ms, code] {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        std::fflush(nullptr);
        ::_exit(code);
    }).detach();
}

JobTimings jobTimings()
{
    const std::lock_guard lock(g_timingsMutex);
    return g_timings;
}

void setJobTimings(const JobTimings &timings)
{
    const std::lock_guard lock(g_timingsMutex);
    g_timings = timings;
}

int runningJobCount()
{
    return g_running.load();
}

bool JobControl::isCancelled() const
{
    return m_shared->cancelled.load(std::memory_order_relaxed);
}

const std::atomic<bool> &JobControl::cancelledFlag() const
{
    return m_shared->cancelled;
}

void JobControl::progress(qint64 done, qint64 total, const QString &what)
{
    const std::lock_guard lock(m_shared->mutex);
    m_shared->done = done;
    m_shared->total = total;
    m_shared->what = what;
    ++m_shared->sequence;
}

void JobControl::setProgressProbe(std::function<std::pair<qint64, qint64>()> probe)
{
    const std::lock_guard lock(m_shared->mutex);
    m_shared->probe = std::move(probe);
}

Job::Job(const QString &folder)
    : m_folder(folder), m_shared(std::make_shared<detail::JobShared>()), m_ticker(new QTimer(this)),
      m_timings(jobTimings())
{
    m_shared->job = this;
    m_ticker->setInterval(m_timings.tickMs);
    connect(m_ticker, &QTimer::timeout, this, &Job::tick);
}

Job::~Job()
{
    // Work still running has nobody left to report to: it may as well stop.
    m_shared->cancelled = true;
    const std::lock_guard lock(m_shared->mutex);
    m_shared->job = nullptr;
}

void Job::submit(std::function<void(JobControl &)> work,
                 std::function<void(const QString &, bool)> fail)
{
    m_fail = std::move(fail);
    m_shared->work = std::move(work);
    m_shared->lane = laneOf(m_folder);
    m_clock.start();
    m_ticker->start();
    JobPool::instance().submit(m_shared);
}

void Job::cancel()
{
    if (m_finished)
        return;
    m_shared->cancelled = true;
    int queued = detail::JobShared::Queued;
    if (m_shared->state.compare_exchange_strong(queued, detail::JobShared::Done)) {
        // Never started: it finishes without running, once the caller is back in its loop.
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_ticker->stop();
                m_finished = true;
                m_fail(QString(), true);
                Q_EMIT finished();
                deleteLater();
            },
            Qt::QueuedConnection);
    }
}

bool Job::isCancelled() const
{
    return m_shared->cancelled.load();
}

bool Job::waitForWork(int timeoutMs, int takeUpMs)
{
    using detail::JobShared;
    std::unique_lock lock(m_shared->mutex);
    if (!m_shared->stateChanged.wait_for(lock, std::chrono::milliseconds(takeUpMs),
                                         [this] { return m_shared->state != JobShared::Queued; }))
        return false;
    const bool returned =
        m_shared->stateChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                        [this] { return m_shared->state == JobShared::Done; });
    return returned && !m_shared->cancelled; // cancelled before it began: it never ran
}

bool Job::isRunning() const
{
    return m_shared->state.load() == detail::JobShared::Running;
}

void Job::onStarted()
{
    Q_EMIT started();
}

void Job::onFinished(const QString &error)
{
    m_ticker->stop();
    m_finished = true;
    if (!error.isEmpty()) {
        m_errorString = error;
        m_fail(error, false);
    }
    Q_EMIT finished();
    deleteLater();
}

void Job::tick()
{
    if (m_finished)
        return;
    const qint64 now = m_clock.elapsed();
    qint64 done = 0;
    qint64 total = 0;
    QString what;
    bool changed = false;
    {
        const std::lock_guard lock(m_shared->mutex);
        if (m_shared->probe) {
            const auto [probedDone, probedTotal] = m_shared->probe();
            if (probedDone != m_shared->done || probedTotal != m_shared->total) {
                m_shared->done = probedDone;
                m_shared->total = probedTotal;
                ++m_shared->sequence;
            }
        }
        if (m_shared->sequence != m_seenSequence) {
            m_seenSequence = m_shared->sequence;
            changed = true;
        }
        done = m_shared->done;
        total = m_shared->total;
        what = m_shared->what;
    }
    if (changed) {
        m_lastChangeMs = now;
        m_notAnswering = false;
    }
    if (now >= m_timings.progressAfterMs && (changed || !m_progressShown)) {
        m_progressShown = true;
        Q_EMIT progress(done, total, what);
    }
    if (!m_notAnswering && now - m_lastChangeMs >= m_timings.notAnsweringAfterMs) {
        m_notAnswering = true;
        Q_EMIT notAnswering();
    }
}

} // namespace hv
