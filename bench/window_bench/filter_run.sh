#!/bin/bash
# Filter typing benchmark: types a word into the main window's filter box key by key on a
# generated project folder of 10,000 applications (offscreen) and erases it again; prints the
# median and the longest time a keystroke kept the window busy (filter_typing_bench.cpp).
#
# Environment: HV_BUILD_DIR (default build), HV_BENCH_DIR (where the folder is generated,
# default $TMPDIR/hv-lists-bench, shared with the main window fill benchmark), HV_BENCH_ROUNDS
# (default 5), HV_BENCH_APPS (default 10000), HV_BENCH_WORD (default inspection).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${HV_BUILD_DIR:-$root/build}
case $build in /*) ;; *) build=$root/$build ;; esac
work=${HV_BENCH_DIR:-${TMPDIR:-/tmp}/hv-lists-bench}
rounds=${HV_BENCH_ROUNDS:-5}
apps=${HV_BENCH_APPS:-10000}

[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target filter_typing_bench --parallel 2 >/dev/null
bench=$(find "$build" -name filter_typing_bench -type f -perm -u+x | head -1)

folder=$work/window$apps
stamp="$apps $(md5sum <"$root/bench/lists_bench/gen_folder.py" | cut -c1-8)"
if [ "$(cat "$folder/.generated" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$folder"
    /usr/bin/python3 "$root/bench/lists_bench/gen_folder.py" "$folder" "$apps" 0
    echo "$stamp" >"$folder/.generated"
fi
QT_QPA_PLATFORM=offscreen "$bench" "$folder" "$rounds" "${HV_BENCH_WORD:-inspection}"
