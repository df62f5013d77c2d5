#!/bin/bash
# One-operation benchmark: the 5,000-entry delete and the 200-missing dir show (see
# ops_bench.py and README.md, "One folder scan per operation").
#
# Environment: HV_BUILD_DIR (default build), HV_BENCH_DIR (default $TMPDIR/hv-ops-bench),
# HV_BENCH_ROUNDS (default 5).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${HV_BUILD_DIR:-$root/build}
case $build in /*) ;; *) build=$root/$build ;; esac
if [ ! -x "$build/cli/hvadmin-cli" ]; then
    cmake -S "$root" -B "$build" -G Ninja >/dev/null
    cmake --build "$build" --target hvadmin-cli --parallel 2
fi
exec /usr/bin/python3 "$here/ops_bench.py" "$build/cli/hvadmin-cli" \
    "${HV_BENCH_DIR:-${TMPDIR:-/tmp}/hv-ops-bench}" "${HV_BENCH_ROUNDS:-5}"
