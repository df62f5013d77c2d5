#!/usr/bin/python3
"""measure.py RUNS COMMAND [ARGS...]

Runs the command RUNS times (after one warm-up run) with its output discarded and prints
the median wall time and the median processor time (user + system) in milliseconds.
Processor time is the steadier figure on a busy machine.
"""
import os
import statistics
import subprocess
import sys
import time


def once(command):
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        sys.exit("%s failed with exit code %d" % (command[0], process.returncode))
    return wall * 1000, (usage.ru_utime + usage.ru_stime) * 1000


def main():
    runs, command = int(sys.argv[1]), sys.argv[2:]
    once(command)
    samples = [once(command) for _ in range(runs)]
    print("%.1f %.1f" % (statistics.median(s[0] for s in samples),
                         statistics.median(s[1] for s in samples)))


if __name__ == "__main__":
    main()
