// How long the user-interface thread goes without handling its events.
//
// StallProbe is a 5 ms timer on the user-interface thread; the longest gap between two of its
// ticks is the longest time the thread could not answer (a click, a repaint) in the span
// measured, plus at most one interval.
//
// StallSampler, optional, finds out what the thread was doing: a watchdog thread that, while
// the probe has not ticked for longer than a threshold, interrupts the user-interface thread
// with SIGPROF every few milliseconds; the signal handler records the thread's call stack.
// report() prints the most frequent stacks, symbolised (the executable is linked with its
// symbols exported).
#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <csignal>
#include <cxxabi.h>
#include <execinfo.h>
#include <pthread.h>

namespace bench {

inline qint64 monotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class StallProbe {
public:
    static constexpr int kIntervalMs = 5;
    StallProbe()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_timer.start(kIntervalMs);
        restart();
    }
    // Starts a new span.
    void restart()
    {
        m_last = monotonicNs();
        m_start = m_last;
        m_worstMs = 0;
        m_worstEndMs = 0;
        lastTickNs().store(m_last);
    }
    // The longest gap between ticks in the span so far (the stretch up to now counts too).
    double worstMs()
    {
        tick();
        return m_worstMs;
    }
    // When the longest gap ended, in milliseconds from the span's start.
    double worstEndMs() const { return m_worstEndMs; }
    // The time of the last tick, for the sampler.
    static std::atomic<qint64> &lastTickNs()
    {
        static std::atomic<qint64> last{0};
        return last;
    }

private:
    void tick()
    {
        const qint64 now = monotonicNs();
        const double gap = (now - m_last) / 1e6;
        if (gap > m_worstMs) {
            m_worstMs = gap;
            m_worstEndMs = (now - m_start) / 1e6;
        }
        m_last = now;
        lastTickNs().store(now);
    }
    QTimer m_timer;
    qint64 m_start = 0;
    qint64 m_last = 0;
    double m_worstMs = 0;
    double m_worstEndMs = 0;
};

class StallSampler {
public:
    // Samples the calling thread (the user-interface thread) while the probe has been silent
    // for more than `thresholdMs`.
    explicit StallSampler(int thresholdMs) : m_target(pthread_self()), m_thresholdMs(thresholdMs)
    {
        void *warm[4];
        backtrace(warm, 4); // loads the unwinder before any signal needs it
        struct sigaction action {};
        action.sa_handler = &StallSampler::onSignal;
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        sigaction(SIGPROF, &action, nullptr);
        m_watch = std::thread([this] { watch(); });
    }
    ~StallSampler()
    {
        m_stop = true;
        m_watch.join();
    }

    // Names what the thread does from now on (a string that lives as long as the sampler).
    static void setPhase(const char *phase) { currentPhase().store(phase); }

    // Prints, for each phase, the functions found most often on the sampled stacks (each
    // function counted once per sample), and the most frequent innermost `depth` frames.
    void report(int topFunctions = 30, int topStacks = 3, int depth = 18)
    {
        const int n = std::min<int>(slots().used.load(), kSlots);
        std::printf("stall samples: %d (every %d ms while the thread was silent over %d ms)\n", n,
                    kPeriodMs, m_thresholdMs);
        std::vector<const char *> phases;
        for (int i = 0; i < n; ++i)
            if (std::find(phases.begin(), phases.end(), slots().slot[i].phase) == phases.end())
                phases.push_back(slots().slot[i].phase);
        for (const char *phase : phases) {
            std::map<std::string, int> functions;
            std::map<std::vector<std::string>, int> stacks;
            std::map<std::string, int> kinds;
            int samples = 0;
            for (int i = 0; i < n; ++i) {
                const Slot &s = slots().slot[i];
                if (s.phase != phase)
                    continue;
                ++samples;
                const int skip = std::min(2, s.depth); // the handler and the signal frame
                char **names = backtrace_symbols(s.frames + skip, s.depth - skip);
                std::vector<std::string> stack;
                std::vector<std::string> seen;
                for (int f = 0; f < s.depth - skip; ++f) {
                    const std::string name = demangle(names[f]);
                    if (int(stack.size()) < depth)
                        stack.push_back(name);
                    const std::string function = functionOf(name);
                    if (std::find(seen.begin(), seen.end(), function) == seen.end()) {
                        seen.push_back(function);
                        ++functions[function];
                    }
                }
                std::free(names);
                ++kinds[kindOf(seen)];
                ++stacks[stack];
            }
            std::printf("== phase %s: %d samples; functions on the stack:\n", phase ? phase : "-",
                        samples);
            for (auto &[kind, count] : kinds)
                std::printf("  %5.1f %%  [%s]\n", 100.0 * count / samples, kind.c_str());
            std::vector<std::pair<int, std::string>> byCount;
            for (auto &[function, count] : functions)
                byCount.emplace_back(count, function);
            std::sort(byCount.begin(), byCount.end(), std::greater<>());
            for (int k = 0; k < std::min<int>(topFunctions, byCount.size()); ++k)
                std::printf("  %5.1f %%  %s\n", 100.0 * byCount[k].first / samples,
                            byCount[k].second.c_str());
            std::vector<std::pair<int, std::vector<std::string>>> stackCounts;
            for (auto &[stack, count] : stacks)
                stackCounts.emplace_back(count, stack);
            std::sort(stackCounts.begin(), stackCounts.end(),
                      [](const auto &a, const auto &b) { return a.first > b.first; });
            for (int k = 0; k < std::min<int>(topStacks, stackCounts.size()); ++k) {
                std::printf("  -- %d samples:\n", stackCounts[k].first);
                for (const std::string &frame : stackCounts[k].second)
                    std::printf("       %s\n", frame.c_str());
            }
        }
    }

private:
    static constexpr int kSlots = 4096;
    static constexpr int kFrames = 64;
    static constexpr int kPeriodMs = 2;
    struct Slot {
        void *frames[kFrames];
        int depth = 0;
        const char *phase = nullptr;
    };
    struct Slots {
        Slot slot[kSlots];
        std::atomic<int> used{0};
    };
    static Slots &slots()
    {
        static Slots all;
        return all;
    }
    static void onSignal(int)
    {
        const int i = slots().used.fetch_add(1);
        if (i < kSlots) {
            slots().slot[i].phase = currentPhase().load();
            slots().slot[i].depth = backtrace(slots().slot[i].frames, kFrames);
        }
    }
    static std::atomic<const char *> &currentPhase()
    {
        static std::atomic<const char *> phase{nullptr};
        return phase;
    }
    // What a sampled stack (its functions, innermost first) shows the thread doing.
    static std::string kindOf(const std::vector<std::string> &functions)
    {
        static const char *const fileCalls[] = {"open",   "open64",   "__open64", "openat",
                                                "read",   "__read",   "fstatat",  "fstatat64",
                                                "statx",  "stat",     "lstat",    "getdents64",
                                                "access", "readlink", "close",    "__close"};
        if (functions.empty())
            return "unknown";
        for (const char *call : fileCalls)
            if (functions.front() == call)
                return "a file system call";
        if (functions.front() == "poll" || functions.front() == "__poll")
            return "waiting for events (late to run)";
        for (const std::string &f : functions)
            if (f.find("QSemaphore::acquire") != std::string::npos)
                return "painting, waiting for Qt's helper threads";
        return "processor work";
    }
    // "library(function+0x12) [0x...]" -> "function" (or the library and offset).
    static std::string functionOf(const std::string &frame)
    {
        const size_t open = frame.find('('), plus = frame.rfind('+');
        if (open == std::string::npos || plus == std::string::npos || plus <= open + 1)
            return frame.substr(0, frame.find(' '));
        return frame.substr(open + 1, plus - open - 1);
    }
    static std::string demangle(const char *symbol)
    {
        // "file(mangled+0x12) [0x...]"
        std::string text = symbol;
        const size_t open = text.find('('), plus = text.find('+', open);
        if (open == std::string::npos || plus == std::string::npos || plus == open + 1)
            return text;
        const std::string mangled = text.substr(open + 1, plus - open - 1);
        int status = 0;
        char *plain = abi::__cxa_demangle(mangled.c_str(), nullptr, nullptr, &status);
        if (status != 0)
            return text;
        std::string name = plain;
        std::free(plain);
        if (name.size() > 160)
            name = name.substr(0, 160) + "...";
        const size_t slash = text.rfind('/', open);
        return text.substr(slash == std::string::npos ? 0 : slash + 1, open - slash) + name +
               text.substr(plus);
    }
    void watch()
    {
        while (!m_stop) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kPeriodMs));
            const qint64 silentNs = monotonicNs() - StallProbe::lastTickNs().load();
            if (silentNs > qint64(m_thresholdMs) * 1000000)
                pthread_kill(m_target, SIGPROF);
        }
    }

    pthread_t m_target;
    int m_thresholdMs;
    std::atomic<bool> m_stop{false};
    std::thread m_watch;
};

} // namespace bench
