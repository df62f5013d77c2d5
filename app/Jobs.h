// Work that runs off the user-interface thread: a job, in the manner of a file manager's jobs.
//
//     auto *job = hv::startJob<RenameResult>(folderPath, [=](hv::JobControl &control) {
//         return RenameItem(...);                    // runs on a worker of the job pool
//     });
//     connect(job, &hv::Job::progress, this, [](qint64 done, qint64 total, const QString &what)
//     {}); connect(job, &hv::Job::notAnswering, this, [] { /* "the folder is not answering" */ });
//     connect(job, &hv::Job::finished, this, [job] {
//         const RenameResult r = job->result();       // on the thread that started the job
//     });
//     job->cancel();                                 // asks; the work decides what it can undo
//
// The life of a job:
// - startJob() queues the work and returns at once. The job belongs to the thread that
//   started it (which must run an event loop): every signal arrives there.
// - started() when a worker takes the work up.
// - progress(done, total, what) once the job has run for JobTimings::progressAfterMs (with
//   whatever the work reported, possibly nothing yet), then whenever the work reports more.
// - notAnswering() once when the work has reported nothing for JobTimings::notAnsweringAfterMs
//   (a share that stopped answering); progress() after it means it answers again.
// - finished() exactly once, when the work has returned (or thrown, or was cancelled before
//   it started); result() is then set. The job deletes itself after finished() (deleteLater):
//   read what you need in the slot.
//
// Cancelling: before a worker took the work up, the work never runs and finished() follows
// with isCancelled() true and a result that says so (an OpResult-like result is a failure
// whose message says the operation was cancelled). Once running, the work sees
// JobControl::isCancelled() and decides: stop, undo, or finish what cannot be left half done;
// finished() comes when it returns. Work stuck in the kernel may never return: nothing waits
// for it, and a later job does not queue behind it unless it is on the same file system and
// that file system's workers are all taken.
//
// An exception thrown by the work becomes a failed result (an OpResult-like result fails with
// the exception's text as its reason; any other result is default-constructed) and
// errorString() holds the text.
//
// The pool: workers are threads of this program's own (never Qt's global pool, whose
// destructor waits at exit), reused while idle; they are detached, so leaving the process
// never waits for one stuck in a system call. Jobs are put in lanes by the file system
// (mount) of their folder; each lane runs up to kJobsPerFileSystem jobs at once and the
// lanes run side by side, so a share that stalls delays only work on that share.
#pragma once

#include "ops/OpResult.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <type_traits>
#include <utility>

class QTimer;

namespace hv {

class Job;

// How many jobs of one file system run at once; more wait in its lane.
inline constexpr int kJobsPerFileSystem = 4;

// When a running job reports (milliseconds). Tests shorten them through setJobTimings().
struct JobTimings {
    int progressAfterMs = 500;      // first progress() of a job still running
    int notAnsweringAfterMs = 5000; // notAnswering() after this long without progress
    int tickMs = 100;               // how often a running job looks at its work's progress
};
JobTimings jobTimings();
// Applies to jobs started afterwards.
void setJobTimings(const JobTimings &timings);

namespace detail {
struct JobShared;
}

// What the work sees of its job: whether it is asked to stop, and where it reports progress.
// Safe to use from the worker; cheap enough to call per file.
class JobControl {
public:
    explicit JobControl(std::shared_ptr<detail::JobShared> shared) : m_shared(std::move(shared)) {}
    bool isCancelled() const;
    // A flag that turns true when the job is cancelled, for code below app/ that takes one.
    const std::atomic<bool> &cancelledFlag() const;
    // `done` of `total` (either may be 0 when unknown), and what is being done.
    void progress(qint64 done, qint64 total, const QString &what = {});
    // For work whose counts live in code that cannot call progress(): the job asks `probe`
    // for done and total at each tick while the work runs (from the job's thread; the probe
    // must be thread-safe and keep what it reads alive), and a change counts as progress.
    void setProgressProbe(std::function<std::pair<qint64, qint64>()> probe);

private:
    std::shared_ptr<detail::JobShared> m_shared;
};

class Job : public QObject {
    Q_OBJECT
public:
    ~Job() override;

    // The folder the job works in (its lane is the file system holding it).
    const QString &folder() const { return m_folder; }
    // Asks the job to stop; see above. Does nothing once finished.
    void cancel();
    bool isCancelled() const;
    bool isRunning() const; // a worker has taken it up and it has not finished
    // Waits, without an event loop, for the work to return: for code that must decide before
    // there is a loop (the start-up). At most `takeUpMs` for a worker to take the work up (a
    // busy machine may be slow to run a new thread), then at most `timeoutMs` for the work.
    // True when it returned; the result is then set, and finished() still comes once the
    // thread's loop runs.
    bool waitForWork(int timeoutMs, int takeUpMs = 1000);
    bool isFinished() const { return m_finished; }
    // Whether it has gone quiet (notAnswering() was emitted and no progress since).
    bool isNotAnswering() const { return m_notAnswering; }
    // The exception's text when the work threw; empty otherwise.
    const QString &errorString() const { return m_errorString; }

Q_SIGNALS:
    void started();
    void progress(qint64 done, qint64 total, const QString &what);
    void notAnswering();
    void finished();

protected:
    explicit Job(const QString &folder);
    // Queues the work; called once by startJob().
    void submit(std::function<void(JobControl &)> work,
                std::function<void(const QString &error, bool cancelledUnrun)> fail);

private:
    void onStarted();
    void onFinished(const QString &error);
    void tick();

    QString m_folder;
    std::shared_ptr<detail::JobShared> m_shared;
    QTimer *m_ticker = nullptr;
    QElapsedTimer m_clock;
    qint64 m_lastChangeMs = 0;
    quint64 m_seenSequence = 0;
    bool m_progressShown = false;
    bool m_notAnswering = false;
    bool m_finished = false;
    QString m_errorString;
    std::function<void(const QString &, bool)> m_fail;
    JobTimings m_timings;

    friend struct detail::JobShared;
};

// A job whose work returns an R.
template <class R> class JobOf : public Job {
public:
    explicit JobOf(const QString &folder) : Job(folder) {}
    // The work's result; valid once finished() was emitted.
    const R &result() const { return *m_result; }

    template <class F> void start(F work)
    {
        auto slot = m_result; // the worker writes it before finished() is posted
        submit(
            [slot, work = std::move(work)](JobControl &control) mutable { *slot = work(control); },
            [slot](const QString &error, bool cancelledUnrun) {
                R failed{};
                if constexpr (std::is_base_of_v<OpResult, R>) {
                    if (cancelledUnrun)
                        failed.fail(UserText::translate("hv::Job", "The operation was cancelled."),
                                    UserText::translate("hv::Job", "Cancelled"));
                    else
                        failed.fail(
                            UserText::translate("hv::Job", "The operation failed unexpectedly."),
                            UserText::translate("hv::Job", "Operation Failed"), error);
                }
                *slot = std::move(failed);
            });
    }

private:
    std::shared_ptr<R> m_result = std::make_shared<R>();
};

// Starts `work` (callable as R(JobControl &)) for `folder` on the job pool.
template <class R, class F> JobOf<R> *startJob(const QString &folder, F work)
{
    auto *job = new JobOf<R>(folder);
    job->start(std::move(work));
    return job;
}

namespace detail {
// Runs `work` in `folder`'s lane; true when it returned within `timeoutMs`.
bool runAndWait(const QString &folder, int timeoutMs, std::function<void()> work);
} // namespace detail

// Runs `work` (callable as R()) for `folder` on the job pool and waits for it at most
// `timeoutMs`, without an event loop: for code that must decide before there is one (the
// start-up) or a check that the caller needs at once. std::nullopt when the work did not
// return in time (or threw); it then goes on alone, and its result is dropped.
template <class R, class F> std::optional<R> runWithin(const QString &folder, int timeoutMs, F work)
{
    auto slot = std::make_shared<std::optional<R>>();
    if (!detail::runAndWait(folder, timeoutMs,
                            [slot, work = std::move(work)]() mutable { *slot = work(); }))
        return std::nullopt;
    return *slot;
}

// Ends the process with `code` after `ms` unless it has ended by then: a process whose
// clean-up waits on a thread stuck in a system call (a share that stopped answering) still
// ends. Call once the settings are saved.
void exitWithin(int ms, int code);

// Jobs taken up by a worker and not yet returned, in this process (stuck ones included).
int runningJobCount();

} // namespace hv
