// Reading many small files at once.
//
// A list fill reads thousands of small files. On a local disk each read takes microseconds
// and a few readers suffice; on a network share each one waits a round trip to the server,
// and many reads in flight hide those waits. Results are kept by position, so the order in
// which the reads finish never shows.
#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

namespace hv::parallel {

// How many reads to keep in flight for the files of `folder`: the number of processors on a
// local file system (at least 2, at most 8), kNetworkReaders on a network or user-space one.
int readerCountFor(const QString &folder);

inline constexpr int kNetworkReaders = 128;

// How much lower than the rest of the process the threads that do file work in the background
// run (a nice value added to the thread's own): when the machine is busy, the window's thread
// gets the processor first and the window goes on painting.
inline constexpr int kBackgroundNiceness = 10;

// Lowers the calling thread's priority by kBackgroundNiceness, unless turned off below; the
// pools' threads call it once when they start.
void makeCurrentThreadBackground();
// Whether makeCurrentThreadBackground lowers threads (it does unless told otherwise). A
// process without a window to keep painting, such as hvadmin-cli, turns it off before its
// first pool thread starts: there the helpers are the work itself, and a lowered one waits
// behind every other program of the machine.
void setBackgroundThreadsLowered(bool lowered);

// The descriptor table of the threads that help a call.
enum class FileTable {
    // The process's: the work may use any descriptor of the process.
    Shared,
    // One of each thread's own, holding none of the process's descriptors: the work opens,
    // reads and closes files of its own and uses no other descriptor (no log, no kept file).
    // Every open and close takes its table's lock, and readers of thousands of small files
    // sharing one table wait on it for each other.
    Own,
};

// Calls work(index, reader) once for every index from 0 to count - 1, with up to `readers`
// threads at a time (the calling thread is one of them; `reader` numbers the thread from 0 to
// readers - 1, for state of its own), and returns when all calls have returned. With one
// reader, the calls run in order on the calling thread.
//
// The other threads come from a pool kept for the life of the process: idle ones are reused,
// and when all are busy (one may be stuck in a read that never returns) new ones are started,
// so that a stalled call never holds up another. Nothing waits for the pool at exit. When a
// call throws, no further indices are handed out, and the first exception is rethrown here
// once every thread has finished.
void forEachIndex(qsizetype count, int readers,
                  const std::function<void(qsizetype index, int reader)> &work);
// The same, stopping early once `cancelled` turns true: no further index is handed out (the
// calls under way finish), and the indices never handed out are not called.
void forEachIndex(qsizetype count, int readers,
                  const std::function<void(qsizetype index, int reader)> &work,
                  const std::atomic<bool> &cancelled);
// The same with the helping threads' table; `release(reader)`, when given, is called on each
// reader's thread after its last call, for what that reader kept open (a descriptor of a
// table of its own means nothing on another thread).
void forEachIndex(qsizetype count, int readers,
                  const std::function<void(qsizetype index, int reader)> &work,
                  const std::atomic<bool> &cancelled, FileTable table,
                  const std::function<void(int reader)> &release);

// Calls work(index, name, reader) for every name that `list` finds, while it is still finding
// them: list runs on the calling thread and hands each name to found(name); the other
// readers take the names found so far, and the calling thread joins them once list returns.
// Names are numbered from 0 in the order found. Returns the names found, all of them also when
// cancelled (only the calls stop); an exception of list or of any call reaches the caller once
// every thread has finished. `table` and `release` as for forEachIndex.
QStringList forEachListedName(
    int readers, const std::function<void(const std::function<void(const QString &)> &found)> &list,
    const std::function<void(qsizetype index, const QString &name, int reader)> &work,
    const std::atomic<bool> &cancelled, FileTable table,
    const std::function<void(int reader)> &release);

// Calls work(begin, end) for `count` indices split into consecutive runs, one for each
// processor (at most 8) and each of at least `minimumRun` indices, and returns when all have
// returned: for work that only computes, such as a list's rows after their files were read.
// With one run, it runs on the calling thread. Returns the number of runs: run k of n covers
// the indices from k * count / n up to (k + 1) * count / n.
qsizetype forEachRun(qsizetype count, qsizetype minimumRun,
                     const std::function<void(qsizetype begin, qsizetype end)> &work);

// A run of fewer items than this, each a few strings to make or write, costs less on the
// calling thread than handing it to another.
inline constexpr qsizetype kMinimumRowRun = 1024;

} // namespace hv::parallel
