#!/bin/bash
# Start-up benchmark: from the start of the process to the first painted main window, the
# console on a copy of the demo project (scripts/demo-env.sh) against a bare Qt Widgets
# program that shows an empty window and one that shows a menu bar and a line of text,
# interleaved, on the offscreen platform.
# Environment: HV_BUILD_DIR (default build), HV_BENCH_ROUNDS (default 15).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${HV_BUILD_DIR:-$root/build}
case $build in /*) ;; *) build=$root/$build ;; esac
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target startup_console_bench startup_bare_bench startup_text_bench --parallel 2 >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=../../scripts/demo-env.sh
source "$root/scripts/demo-env.sh"
hv_prepare_demo "$work/config" "$work/demo"
export HOME=$work QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
/usr/bin/python3 "$here/measure_startup.py" "${HV_BENCH_ROUNDS:-15}" \
    "$build/bench/startup_bench/startup_console_bench" "$build/bench/startup_bench/startup_bare_bench" \
    "$build/bench/startup_bench/startup_text_bench"
