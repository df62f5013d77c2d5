#!/usr/bin/python3
"""measure.py RUNS COMMAND [ARGS...] [--- COMMAND [ARGS...]]...

Runs each command (commands are separated by "---") RUNS times with its output discarded,
interleaved: one run of each in turn per round, after one warm-up round, so that a busy
machine slows every side alike. Prints one line per command: the median wall time and the
median processor time (user + system) in milliseconds. Processor time is the steadier figure
on a busy machine.
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
    code = os.waitstatus_to_exitcode(status)
    if code != 0:
        sys.exit("%s failed with exit code %d" % (command[0], code))
    return wall * 1000, (usage.ru_utime + usage.ru_stime) * 1000


def main():
    runs = int(sys.argv[1])
    commands, current = [], []
    for arg in sys.argv[2:]:
        if arg == "---":
            commands.append(current)
            current = []
        else:
            current.append(arg)
    commands.append(current)
    for command in commands:
        once(command)
    samples = [[] for _ in commands]
    for _ in range(runs):
        for i, command in enumerate(commands):
            samples[i].append(once(command))
    for s in samples:
        print("%.1f %.1f" % (statistics.median(x[0] for x in s), statistics.median(x[1] for x in s)))


if __name__ == "__main__":
    main()
