#!/bin/bash
# Main window fill benchmark: opens a generated project folder of 10,000 applications in the
# main window (offscreen) and runs hvadmin-cli list applications on it, interleaved, in one
# process (window_fill_bench.cpp). Prints medians and the ratio window / command-line tool.
#
# Environment: HV_BUILD_DIR (default build), HV_BENCH_DIR (where the folder is generated,
# default $TMPDIR/hv-lists-bench, shared with the category list benchmark), HV_BENCH_ROUNDS
# (default 7), HV_BENCH_APPS (default 10000), HV_BENCH_VIEW_MODE (0 large icons .. 3 details,
# the default).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${HV_BUILD_DIR:-$root/build}
case $build in /*) ;; *) build=$root/$build ;; esac
work=${HV_BENCH_DIR:-${TMPDIR:-/tmp}/hv-lists-bench}
rounds=${HV_BENCH_ROUNDS:-7}
apps=${HV_BENCH_APPS:-10000}

[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target hvadmin-cli --parallel 2
bench=$build/bench/window_bench/window_fill_bench
if cmake --build "$build" --target window_fill_bench --parallel 2 2>/dev/null; then
    [ -x "$bench" ] || bench=$(find "$build" -name window_fill_bench -type f -perm -u+x | head -1)
else
    # The benchmark is not part of this build: build it beside the project in a wrapper.
    wrap=$work/window-bench-build
    mkdir -p "$wrap/src"
    cat >"$wrap/src/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(window_bench_wrapper LANGUAGES C CXX)
set(HV_BUILD_TESTS OFF CACHE BOOL "" FORCE)
add_subdirectory("$root" hv)
add_subdirectory("$here" window_bench)
CMAKE
    cmake -S "$wrap/src" -B "$wrap/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$wrap/build" --target window_fill_bench --parallel 2
    bench=$wrap/build/window_bench/window_fill_bench
fi

folder=$work/window$apps
stamp="$apps $(md5sum <"$root/bench/lists_bench/gen_folder.py" | cut -c1-8)"
if [ "$(cat "$folder/.generated" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$folder"
    /usr/bin/python3 "$root/bench/lists_bench/gen_folder.py" "$folder" "$apps" 0
    echo "$stamp" >"$folder/.generated"
fi
QT_QPA_PLATFORM=offscreen "$bench" "$folder" "$rounds" "$build/cli/hvadmin-cli" \
    "${HV_BENCH_VIEW_MODE:-3}"
