#!/usr/bin/env bash
# Data window benchmark: data_view_bench on the 1,000,000-record table of the dBase reading
# benchmark (bench/dbase_bench/gen_table.c), generated into bench/out/dbase/ when missing.
# Usage: bench/data_view/run.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
cd "$root"
build="${HV_BUILD_DIR:-build}"
out=bench/out/dbase; mkdir -p "$out"
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel 2 --target data_view_bench >/dev/null
table="$out/bench.dbf"
if [ ! -f "$table" ]; then
  cc -O2 -o "$out/gen_table" bench/dbase_bench/gen_table.c
  "$out/gen_table" "$table" 1000000
fi
QT_QPA_PLATFORM=offscreen "$build/bench/data_view_bench" "$table"
