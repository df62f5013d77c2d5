#!/usr/bin/python3
"""measure_startup.py ROUNDS CONSOLE BARE [TEXT]

Starts the programs in turn, ROUNDS times after one warm-up round, and takes from each
run the time from just before the process is started to the first paint of its window (the
program prints the monotonic clock at that paint and ends). Prints the medians in
milliseconds and the ratio console / bare; with TEXT (a window that shows text, so loads the
fonts as the console does), also its median and the ratio console / text.
"""
import statistics
import subprocess
import sys
import time


def once(program):
    start = time.clock_gettime_ns(time.CLOCK_MONOTONIC) // 1000
    out = subprocess.run([program], capture_output=True, text=True, check=True).stdout
    return (int(out.split()[-1]) - start) / 1000.0


def main():
    rounds, console, bare = int(sys.argv[1]), sys.argv[2], sys.argv[3]
    programs = {"console": console, "bare": bare}
    if len(sys.argv) > 4:
        programs["text"] = sys.argv[4]
    for program in programs.values():
        once(program)
    times = {name: [] for name in programs}
    for _ in range(rounds):
        for name, program in programs.items():
            times[name].append(once(program))
    c, b = statistics.median(times["console"]), statistics.median(times["bare"])
    line = "console to first paint %.1f ms, bare Qt window %.1f ms, ratio %.2f" % (c, b, c / b)
    if "text" in times:
        t = statistics.median(times["text"])
        line += "; Qt window with text %.1f ms, ratio %.2f" % (t, c / t)
    print(line)


if __name__ == "__main__":
    main()
