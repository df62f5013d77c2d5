#!/usr/bin/python3
"""measure_startup.py ROUNDS CONSOLE BARE

Starts the two programs in turn, ROUNDS times after one warm-up round, and takes from each
run the time from just before the process is started to the first paint of its window (the
program prints the monotonic clock at that paint and ends). Prints the medians in
milliseconds and the ratio console / bare.
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
    once(console)
    once(bare)
    times = {"console": [], "bare": []}
    for _ in range(rounds):
        times["console"].append(once(console))
        times["bare"].append(once(bare))
    c, b = statistics.median(times["console"]), statistics.median(times["bare"])
    print("console to first paint %.1f ms, bare Qt window %.1f ms, ratio %.2f" % (c, b, c / b))


if __name__ == "__main__":
    main()
