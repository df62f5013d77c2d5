#!/usr/bin/env bash
# INI dump benchmark: hvadmin-cli ini dump (load and JSON output, as a process) against a
# process that parses the same file once with inih, collecting every entry
# (inih_load_bench.c with one load), on the generated file of 100,000 lines.
# Usage: bench/ini_bench/dump_run.sh [ROUNDS]   (default 9; medians of interleaved runs)
set -euo pipefail
cd "$(dirname "$0")/../.."
rounds="${1:-9}"
scripts/install-deps.sh libinih-dev
out=bench/out/ini; mkdir -p "$out"
build="${HV_BUILD_DIR:-build}"
/usr/bin/python3 bench/ini_bench/gen_ini.py "$out/bench.ini" 100000
cmake --build "$build" --target hvadmin-cli --parallel 2 >/dev/null
cc -O2 bench/ini_bench/inih_load_bench.c $(pkg-config --cflags --libs inih) -o "$out/inih_load_bench"
result=$(/usr/bin/python3 bench/lists_bench/measure.py "$rounds" \
  "$build/cli/hvadmin-cli" ini dump "$out/bench.ini" --- "$out/inih_load_bench" "$out/bench.ini" 1)
{ read -r w_ours c_ours; read -r w_inih c_inih; } <<<"$result"
awk -v a="$w_ours" -v b="$w_inih" -v c="$c_ours" -v d="$c_inih" 'BEGIN {
  printf "hvadmin-cli ini dump %.1f ms (cpu %.1f), inih parse %.1f ms (cpu %.1f), ratio %.2f (cpu %.2f)\n",
    a, c, b, d, a / b, c / d }'
