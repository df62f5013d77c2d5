#!/bin/bash
# Refresh latency benchmark: how soon a template (and its data file) that another process
# writes into the shown project folder appears in the main window's list, without F5
# (refresh_latency_bench.cpp). Two cases on the same generated folder of 10,000 applications:
# a local disk folder, and the same folder through slowfs (bench/fuse_bench/slowfs.c, 1 ms
# per request, as bench/fuse_bench/run.sh mounts it). One line per case, with the median.
#
# Environment: HV_BUILD_DIR (default build), HV_BENCH_DIR (default $TMPDIR/hv-refresh-bench,
# or /var/tmp/...: a local disk, not tmpfs), HV_BENCH_ROUNDS (default 7), HV_BENCH_APPS
# (default 10000), HV_BENCH_DELAY_US (default 1000), HV_BENCH_PART (local or share: that case
# only; both by default). Without /dev/fuse or fusermount3 the share case says so and is left
# out.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${HV_BUILD_DIR:-$root/build}
case $build in /*) ;; *) build=$root/$build ;; esac
# The window lists the folders above its project folder and follows their changes: away from a
# busy /tmp by default.
work=${HV_BENCH_DIR:-${TMPDIR:-/var/tmp}/hv-refresh-bench}
rounds=${HV_BENCH_ROUNDS:-7}
apps=${HV_BENCH_APPS:-10000}
delay=${HV_BENCH_DELAY_US:-1000}
part=${HV_BENCH_PART:-all}

[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target refresh_latency_bench --parallel 2 >/dev/null
bench=$(find "$build" -name refresh_latency_bench -type f -perm -u+x | head -1)

mkdir -p "$work"
folder=$work/src
stamp="$apps $(md5sum <"$root/bench/lists_bench/gen_folder.py" | cut -c1-8)"
if [ "$(cat "$folder/.generated" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$folder"
    /usr/bin/python3 "$root/bench/lists_bench/gen_folder.py" "$folder" "$apps" 0
    echo "$stamp" >"$folder/.generated"
fi
# The benchmark writes into the folder it shows (and removes what it wrote): a fresh copy.
project=$work/project
rm -rf "$project"
cp -a "$folder" "$project"

if [ "$part" != share ]; then
    QT_QPA_PLATFORM=offscreen "$bench" "$project" "$rounds" "local disk, $apps applications"
fi

if [ "$part" != local ]; then
    "$root/scripts/install-deps.sh" libfuse3-dev fuse3
    if [ ! -c /dev/fuse ] || ! command -v fusermount3 >/dev/null; then
        echo "refresh_bench: share case skipped, this machine has no /dev/fuse or no fusermount3"
        exit 0
    fi
    cc -O2 -Wall -o "$work/slowfs" "$root/bench/fuse_bench/slowfs.c" $(pkg-config --cflags --libs fuse3)
    mnt=$work/mnt
    mkdir -p "$mnt"
    if ! "$work/slowfs" "$project" "$mnt" -o delay_us="$delay" -o max_threads=256 2>"$work/mount.err"; then
        echo "refresh_bench: share case skipped, the FUSE file system could not be mounted: $(cat "$work/mount.err")"
        exit 0
    fi
    trap 'fusermount3 -u "$mnt" 2>/dev/null || true' EXIT
    QT_QPA_PLATFORM=offscreen "$bench" "$mnt" "$rounds" \
        "slow share (${delay} us per request), $apps applications"
fi
