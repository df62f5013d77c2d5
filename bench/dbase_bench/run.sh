#!/usr/bin/env bash
# dBase reading benchmark: GetTableValues (dbase_read_bench) and `hvadmin-cli dbf dump`
# against a shapelib reader (shp_read.c) that copies every value into memory, on one
# generated table of 1,000,000 records (fields C10, C20, C8, C30; every 10th deleted).
# Runs the programs in turn, ROUNDS times, and prints medians of wall time and peak memory
# and the ratios ours / shapelib.
# Usage: bench/dbase_bench/run.sh [ROUNDS]   (default 5)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
cd "$root"
rounds="${1:-5}"
scripts/install-deps.sh libshp-dev time
build="${HV_BUILD_DIR:-build}"
out=bench/out/dbase; mkdir -p "$out"

[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel 2 --target dbase_read_bench hvadmin-cli >/dev/null
cc -O2 -o "$out/gen_table" "$here/gen_table.c"
cc -O2 -o "$out/shp_read" "$here/shp_read.c" $(pkg-config --cflags --libs shapelib 2>/dev/null || echo -lshp)
table="$out/bench.dbf"
[ -f "$table" ] || "$out/gen_table" "$table" 1000000
size=$(stat -c %s "$table")
echo "table: $table, $size bytes"

# One measurement: "seconds peak_kb" of a command, its output discarded.
measure() { /usr/bin/time -f "%e %M" -o "$out/time.txt" "$@" >/dev/null; cat "$out/time.txt"; }

: > "$out/ours.txt"; : > "$out/cli.txt"; : > "$out/shp.txt"
for ((i = 1; i <= rounds; i++)); do
  measure "$build/bench/dbase_read_bench" "$table" >> "$out/ours.txt"
  measure "$build/cli/hvadmin-cli" dbf dump "$table" >> "$out/cli.txt"
  measure "$out/shp_read" "$table" >> "$out/shp.txt"
done
median() { awk -v c="$2" '{print $c}' "$1" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
t_ours=$(median "$out/ours.txt" 1); m_ours=$(median "$out/ours.txt" 2)
t_cli=$(median "$out/cli.txt" 1); m_cli=$(median "$out/cli.txt" 2)
t_shp=$(median "$out/shp.txt" 1); m_shp=$(median "$out/shp.txt" 2)
awk -v to="$t_ours" -v tc="$t_cli" -v ts="$t_shp" -v mo="$m_ours" -v mc="$m_cli" -v ms="$m_shp" -v sz="$size" 'BEGIN {
  printf "GetTableValues program: %.2f s, peak %.1f MB (%.2f x the table file)\n", to, mo / 1024, mo * 1024 / sz
  printf "hvadmin-cli dbf dump:   %.2f s, peak %.1f MB\n", tc, mc / 1024
  printf "shapelib reader:        %.2f s, peak %.1f MB\n", ts, ms / 1024
  printf "ratio GetTableValues / shapelib: time %.2f, memory %.2f\n", to / ts, mo / ms
  printf "ratio dbf dump / shapelib:       time %.2f, memory %.2f\n", tc / ts, mc / ms
}'
