#include "platform/ParallelReads.h"

#include "platform/FileNames.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include <cerrno>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace hv::parallel {
namespace {

std::atomic<bool> g_lowerBackgroundThreads{true};

// File systems whose every call may wait on another computer or on a user-space server.
bool isRemoteFileSystem(unsigned long type)
{
    switch (type) {
    case 0x6969:     // NFS
    case 0x517B:     // SMB
    case 0xFF534D42: // CIFS
    case 0xFE534D42: // SMB2
    case 0x65735546: // FUSE (sshfs and the like)
    case 0x00C36400: // Ceph
    case 0x5346414F: // AFS
    case 0x73757245: // Coda
    case 0x01021997: // 9P
    case 0x564C:     // NCP
        return true;
    default:
        return false;
    }
}

// Names handed from a listing to the readers while the listing goes on, numbered in the
// order found. A reader waits for the next name until the listing has ended.
class NameQueue {
public:
    void push(QStringList &names)
    {
        if (names.isEmpty())
            return;
        const std::lock_guard lock(m_mutex);
        for (QString &name : names)
            m_pending.emplace_back(m_found++, std::move(name));
        names.clear();
        if (m_waiting)
            m_changed.notify_all();
    }
    // No name comes after the ones pushed; with `dropPending`, not even those.
    void close(bool dropPending = false)
    {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
        if (dropPending)
            m_pending.clear();
        m_changed.notify_all();
    }
    // Moves up to `most` of the next names to `taken` (at least one), or returns false once
    // the listing has ended and every name was taken.
    bool pop(std::deque<std::pair<qsizetype, QString>> &taken, qsizetype most)
    {
        std::unique_lock lock(m_mutex);
        while (m_pending.empty() && !m_closed) {
            ++m_waiting;
            m_changed.wait(lock);
            --m_waiting;
        }
        if (m_pending.empty())
            return false;
        for (qsizetype i = 0; i < most && !m_pending.empty(); ++i) {
            taken.push_back(std::move(m_pending.front()));
            m_pending.pop_front();
        }
        return true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::pair<qsizetype, QString>> m_pending;
    qsizetype m_found = 0;
    int m_waiting = 0;
    bool m_closed = false;
};

// One call of forEachIndex or forEachListedName: the calls still to make, and the threads
// still making them.
class Batch {
public:
    // step(reader) makes the reader's next call, and returns false when none is left.
    Batch(const std::function<bool(int)> &step, const std::function<void(int)> &release,
          NameQueue *queue = nullptr)
        : m_step(step), m_release(release), m_queue(queue)
    {
    }

    // Makes calls until none is left, then releases the reader.
    void read(int reader) noexcept
    {
        try {
            while (!m_stopped.load(std::memory_order_relaxed) && m_step(reader)) {
            }
        } catch (...) {
            fail();
        }
        try {
            if (m_release)
                m_release(reader);
        } catch (...) {
            fail();
        }
    }

    // Keeps the current exception for the caller; no further call is made.
    void fail() noexcept
    {
        m_stopped = true;
        if (m_queue)
            m_queue->close(true);
        const std::lock_guard lock(m_mutex);
        if (!m_error)
            m_error = std::current_exception();
    }

    void enter()
    {
        const std::lock_guard lock(m_mutex);
        ++m_helpers;
    }
    // The last touch of the batch by a helper: the caller may destroy it right after.
    void leave() noexcept
    {
        const std::lock_guard lock(m_mutex);
        if (--m_helpers == 0)
            m_finished.notify_all();
    }

    // Waits for the helpers, then rethrows the first exception of any call.
    void finish()
    {
        std::unique_lock lock(m_mutex);
        m_finished.wait(lock, [this] { return m_helpers == 0; });
        if (m_error)
            std::rethrow_exception(m_error);
    }

private:
    const std::function<bool(int)> &m_step;
    const std::function<void(int)> &m_release;
    NameQueue *const m_queue;
    std::atomic<bool> m_stopped{false};
    std::mutex m_mutex;
    std::condition_variable m_finished;
    int m_helpers = 0;
    std::exception_ptr m_error;
};

// The threads that help forEachIndex, parked between calls. Idle threads are taken newest
// first, so that the same few stay warm, and one idle for kIdleLife ends. The pool is never
// destroyed: at exit its threads may be parked or stuck in the kernel, and nothing waits for
// them.
class ReaderPool {
public:
    static ReaderPool &instance(FileTable table)
    {
        static auto *shared = new ReaderPool(FileTable::Shared);
        static auto *own = new ReaderPool(FileTable::Own);
        return table == FileTable::Own ? *own : *shared;
    }

    // Runs batch->read(reader) on an idle thread, or on a new one when none is idle; false when
    // no thread can be started.
    bool start(Batch *batch, int reader)
    {
        const std::lock_guard lock(m_mutex);
        if (!m_idle.empty()) {
            Worker *worker = m_idle.back();
            m_idle.pop_back();
            worker->batch = batch;
            worker->reader = reader;
            worker->wake.notify_one();
            return true;
        }
        auto *worker = new Worker{batch, reader, {}};
        try {
            std::thread(&ReaderPool::serve, this, worker).detach();
        } catch (const std::system_error &) {
            delete worker;
            return false;
        }
        return true;
    }

private:
    static constexpr std::chrono::seconds kIdleLife{60};

    explicit ReaderPool(FileTable table) : m_table(table) {}

    struct Worker {
        Batch *batch;
        int reader;
        std::condition_variable wake;
    };

    void serve(Worker *worker)
    {
        makeCurrentThreadBackground();
        if (m_table == FileTable::Own)
            takeOwnFileTable();
        std::unique_lock lock(m_mutex);
        for (;;) {
            if (!worker->batch && !worker->wake.wait_for(lock, kIdleLife, [worker] {
                    return worker->batch != nullptr;
                })) {
                std::erase(m_idle, worker);
                delete worker;
                return;
            }
            Batch *batch = std::exchange(worker->batch, nullptr);
            lock.unlock();
            batch->read(worker->reader);
            lock.lock();
            // Idle again before the caller learns that this thread is done, so that the
            // caller's next call finds it.
            m_idle.push_back(worker);
            lock.unlock();
            batch->leave();
            lock.lock();
        }
    }

    // Gives the calling thread a descriptor table of its own and closes in it the copies of
    // the process's descriptors but the standard three: a copy would keep a pipe or a socket
    // of the process open after the process closed it. Where the copies cannot be closed
    // (a kernel without close_range), the thread keeps the process's table.
    static void takeOwnFileTable()
    {
        constexpr unsigned kFirstToClose = 3;
        if (::close_range(~0U, ~0U, 0) != 0) // closes nothing: only asks for the call
            return;
        if (::unshare(CLONE_FILES) == 0)
            ::close_range(kFirstToClose, ~0U, 0);
    }

    const FileTable m_table;
    std::mutex m_mutex;
    std::vector<Worker *> m_idle;
};

} // namespace

namespace {

// Starts readers 1 to readers - 1 of `batch` on the pool's threads; fewer when no more threads
// can be started (the calling thread reads in any case).
void startHelpers(Batch &batch, int readers, FileTable table)
{
    for (int reader = 1; reader < readers; ++reader) {
        batch.enter();
        if (!ReaderPool::instance(table).start(&batch, reader)) {
            batch.leave();
            break;
        }
    }
}

} // namespace

int readerCountFor(const QString &folder)
{
    struct statfs info {};
    const QByteArray path = paths::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    if (::statfs(path.constData(), &info) == 0 && isRemoteFileSystem(info.f_type))
        return kNetworkReaders;
    return std::clamp(QThread::idealThreadCount(), 2, 8);
}

void forEachIndex(qsizetype count, int readers,
                  const std::function<void(qsizetype index, int reader)> &work)
{
    static const std::atomic<bool> never{false};
    forEachIndex(count, readers, work, never);
}

void forEachIndex(qsizetype count, int readers,
                  const std::function<void(qsizetype index, int reader)> &work,
                  const std::atomic<bool> &cancelled)
{
    forEachIndex(count, readers, work, cancelled, FileTable::Shared, {});
}

void forEachIndex(qsizetype count, int readers,
                  const std::function<void(qsizetype index, int reader)> &work,
                  const std::atomic<bool> &cancelled, FileTable table,
                  const std::function<void(int reader)> &release)
{
    const qsizetype threads = std::clamp<qsizetype>(readers, 1, std::max<qsizetype>(count, 1));
    if (threads == 1) {
        try {
            for (qsizetype i = 0; i < count && !cancelled; ++i)
                work(i, 0);
        } catch (...) {
            if (release)
                release(0);
            throw;
        }
        if (release)
            release(0);
        return;
    }
    std::atomic<qsizetype> next{0};
    const std::function<bool(int)> step = [&](int reader) {
        const qsizetype index = next.fetch_add(1, std::memory_order_relaxed);
        if (index >= count || cancelled)
            return false;
        work(index, reader);
        return true;
    };
    Batch batch(step, release);
    startHelpers(batch, int(threads), table);
    batch.read(0);
    batch.finish();
}

QStringList
forEachListedName(int readers,
                  const std::function<void(const std::function<void(const QString &)> &)> &list,
                  const std::function<void(qsizetype index, const QString &name, int reader)> &work,
                  const std::atomic<bool> &cancelled, FileTable table,
                  const std::function<void(int reader)> &release)
{
    QStringList names;
    if (readers <= 1) {
        list([&](const QString &name) { names.append(name); });
        forEachIndex(
            names.size(), 1, [&](qsizetype index, int) { work(index, names.at(index), 0); },
            cancelled, table, release);
        return names;
    }
    NameQueue queue;
    // Each reader takes a few names at a time: one hand-over per name would cost more than
    // a reader saves.
    constexpr qsizetype kTakenAtOnce = 4;
    std::vector<std::deque<std::pair<qsizetype, QString>>> taken(static_cast<size_t>(readers));
    const std::function<bool(int)> step = [&](int reader) {
        auto &mine = taken[size_t(reader)];
        if (cancelled || (mine.empty() && !queue.pop(mine, kTakenAtOnce)))
            return false;
        const auto [index, name] = std::move(mine.front());
        mine.pop_front();
        work(index, name, reader);
        return true;
    };
    Batch batch(step, release, &queue);
    startHelpers(batch, readers, table);
    try {
        // Names go to the readers a few at a time: one hand-over per name would cost more
        // than a reader saves.
        constexpr qsizetype kHandOver = 32;
        QStringList found;
        list([&](const QString &name) {
            names.append(name);
            found.append(name);
            if (found.size() >= kHandOver)
                queue.push(found);
        });
        queue.push(found);
    } catch (...) {
        batch.fail();
    }
    queue.close();
    batch.read(0);
    batch.finish();
    return names;
}

qsizetype forEachRun(qsizetype count, qsizetype minimumRun,
                     const std::function<void(qsizetype begin, qsizetype end)> &work)
{
    const qsizetype runs =
        std::clamp<qsizetype>(std::min<qsizetype>(QThread::idealThreadCount(),
                                                  count / std::max<qsizetype>(minimumRun, 1)),
                              1, 8);

    forEachIndex(runs, int(runs),
                 [&](qsizetype run, int) { work(run * count / runs, (run + 1) * count / runs); });
    return runs;
}

void setBackgroundThreadsLowered(bool lowered)
{
    g_lowerBackgroundThreads = lowered;
}

void makeCurrentThreadBackground()
{
    if (!g_lowerBackgroundThreads)
        return;
    // On Linux a nice value belongs to the thread named by its own id.
    const auto thread = id_t(::syscall(SYS_gettid));
    errno = 0;
    const int now = ::getpriority(PRIO_PROCESS, thread);
    if (errno == 0)
        ::setpriority(PRIO_PROCESS, thread, std::min(now + kBackgroundNiceness, 19));
}

} // namespace hv::parallel
