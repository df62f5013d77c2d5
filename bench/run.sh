#!/usr/bin/env bash
# Runs the benchmarks against their peer programs and prints each ratio (ours / peer).
# Usage: bench/run.sh            the dBase and INI benchmarks (a few minutes)
#        bench/run.sh --all      also the category list, main window, filter typing,
#                                start-up, slow share and refresh benchmarks
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
echo "== dBase reading"; "$here/dbase_bench/run.sh"
echo "== INI loading"; HV_BENCH_BUILD_DIR="${HV_BUILD_DIR:-build}" "$here/ini_bench/run.sh"
echo "== INI dump"; "$here/ini_bench/dump_run.sh"
echo "== One folder scan per operation"; "$here/ops_bench/run.sh"
if [ "${1:-}" = "--all" ]; then
  echo "== Category lists"; "$here/lists_bench/run.sh"
  echo "== Main window fill"; "$here/window_bench/run.sh"
  echo "== Filter typing"; "$here/window_bench/filter_run.sh"
  echo "== Start-up"; "$here/startup_bench/run.sh"
  echo "== Slow share"; "$here/fuse_bench/run.sh"
  echo "== Refresh without F5"; "$here/refresh_bench/run.sh"
fi
