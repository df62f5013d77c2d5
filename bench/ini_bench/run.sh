#!/usr/bin/env bash
# INI loading benchmark: INIfile::LoadFile against inih collecting every section, key and
# value, on the same generated file of about 100,000 lines.
# Usage: bench/ini_bench/run.sh [ROUNDS] [LOADS]   (defaults 7 rounds of 20 loads each)
# Prints each round and the ratio of the medians (ours / inih).
set -euo pipefail
cd "$(dirname "$0")/../.."
rounds="${1:-7}"; loads="${2:-20}"
scripts/install-deps.sh libinih-dev
out=bench/out/ini; mkdir -p "$out"
build="${HV_BENCH_BUILD_DIR:-build-bench}"

/usr/bin/python3 bench/ini_bench/gen_ini.py "$out/bench.ini" 100000

# Our program: the CMake target when bench/ is part of the build, else compiled here
# against the project's libraries.
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHV_BUILD_TESTS=OFF >/dev/null
fi
if cmake --build "$build" --parallel 2 --target ini_load_bench >/dev/null 2>&1; then
  ours=$(find "$build" -name ini_load_bench -type f -perm -u+x | head -n 1)
else
  cmake --build "$build" --parallel 2 --target hv_files
  ours="$out/ini_load_bench"
  c++ -std=c++20 -O2 -fPIC -I. bench/ini_bench/ini_load_bench.cpp \
    "$build/files/libhv_files.a" "$build/log/libhv_log.a" "$build/platform/libhv_platform.a" \
    $(pkg-config --cflags --libs Qt6Core Qt6Network) -o "$ours"
fi
cc -O2 bench/ini_bench/inih_load_bench.c $(pkg-config --cflags --libs inih) -o "$out/inih_load_bench"

# Alternate the two programs so that both see the same machine state.
: > "$out/ours.txt"; : > "$out/inih.txt"
for ((i = 1; i <= rounds; i++)); do
  "$ours" "$out/bench.ini" "$loads" | tee -a "$out/ours.txt"
  "$out/inih_load_bench" "$out/bench.ini" "$loads" | tee -a "$out/inih.txt"
done
median() { awk '{print $3}' "$1" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
m_ours=$(median "$out/ours.txt"); m_inih=$(median "$out/inih.txt")
awk -v a="$m_ours" -v b="$m_inih" \
  'BEGIN {printf "median of round medians: ours %.3f ms, inih %.3f ms, ratio ours/inih %.2f\n", a, b, a / b}'
