#!/bin/bash
# Slow share benchmark: a generated project folder of 10,000 applications and 1,000
# directory files, shown through slowfs (a FUSE passthrough that waits before every lookup,
# open, read and directory read, 1 ms by default), and on it, in one run, interleaved:
# hvadmin-cli list applications, list directories, the serial C reader (listread.c, apps and
# dirs) and cat of the same files; then the main window fill (window_fill_bench, which also
# runs the command-line tool beside it). Then, on a copy of the folder mounted the same way,
# the longest stalls of the main window's user-interface thread during a fill and during a
# clear, a delete and a rename of an application there (ui_stall_bench).
#
# Environment: HV_BUILD_DIR (default build), HV_BENCH_DIR (default $TMPDIR/hv-fuse-bench, or /var/tmp/...),
# HV_BENCH_ROUNDS (default 1, after a warm-up round: the serial readers take minutes),
# HV_BENCH_DELAY_US (default 1000), HV_BENCH_APPS (default 10000; a tenth as many directory
# files), HV_BENCH_PART (lists: the first part only, stalls: the second only; both by default),
# HV_BENCH_STALL_ROUNDS (default 3), HV_BENCH_SAMPLE_MS (with it, ui_stall_bench prints the
# user-interface thread's stacks sampled while it was silent longer than that),
# HV_BENCH_SERVER_NICE (niceness of the file system's server, default 0: on a real share the
# server runs elsewhere), HV_BENCH_WORKER_NICE (see ui_stall_bench.cpp).
# Needs /dev/fuse and fusermount3 (Debian fuse3) and libfuse3-dev; where the container cannot
# mount a FUSE file system, the script says so and exits 0 without measuring.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${HV_BUILD_DIR:-$root/build}
case $build in /*) ;; *) build=$root/$build ;; esac
# The window lists the folders above its project folder and follows their changes: away from a
# busy /tmp by default.
work=${HV_BENCH_DIR:-${TMPDIR:-/var/tmp}/hv-fuse-bench}
rounds=${HV_BENCH_ROUNDS:-1}
delay=${HV_BENCH_DELAY_US:-1000}
apps=${HV_BENCH_APPS:-10000}
dirs=$((apps / 10))
part=${HV_BENCH_PART:-all}

"$root/scripts/install-deps.sh" libfuse3-dev fuse3
if [ ! -c /dev/fuse ] || ! command -v fusermount3 >/dev/null; then
    echo "fuse_bench: skipped, this machine has no /dev/fuse or no fusermount3"
    exit 0
fi
mkdir -p "$work/mnt"
cc -O2 -Wall -o "$work/slowfs" "$here/slowfs.c" $(pkg-config --cflags --libs fuse3)
cc -O2 -Wall -o "$work/listread" "$root/bench/lists_bench/listread.c"
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target hvadmin-cli window_fill_bench ui_stall_bench --parallel 2 >/dev/null

folder=$work/src
stamp="$apps $dirs $(md5sum <"$root/bench/lists_bench/gen_folder.py" | cut -c1-8)"
if [ "$(cat "$folder/.generated" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$folder"
    /usr/bin/python3 "$root/bench/lists_bench/gen_folder.py" "$folder" "$apps" "$dirs"
    echo "$stamp" >"$folder/.generated"
fi

mounts=()
trap 'for m in "${mounts[@]}"; do fusermount3 -u "$m" 2>/dev/null || true; done' EXIT
# Mounts folder $1 on $2 through slowfs.
mount_slow() {
    mkdir -p "$2"
    if ! nice -n "${HV_BENCH_SERVER_NICE:-0}" "$work/slowfs" "$1" "$2" -o delay_us="$delay" -o max_threads=256 2>"$work/mount.err"; then
        echo "fuse_bench: skipped, the FUSE file system could not be mounted: $(cat "$work/mount.err")"
        exit 0
    fi
    mounts+=("$2")
    echo "slowfs: $1 on $2, ${delay} us per request"
}

if [ "$part" != stalls ]; then
    mnt=$work/mnt
    mount_slow "$folder" "$mnt"

    cli=$build/cli/hvadmin-cli
    shopt -s nullglob nocaseglob
    app_files=("$mnt"/*.hvt "$mnt"/*.hvd)
    dir_files=("$mnt"/*.dir)
    shopt -u nullglob nocaseglob
    out=$(/usr/bin/python3 "$root/bench/lists_bench/measure.py" "$rounds" \
        "$cli" list applications "$mnt" --- "$cli" list directories "$mnt" \
        --- "$work/listread" "$mnt" apps --- "$work/listread" "$mnt" dirs \
        --- cat "${app_files[@]}" --- cat "${dir_files[@]}")
    { read -r w_apps c_apps; read -r w_dirs c_dirs; read -r w_capps c_capps; read -r w_cdirs c_cdirs
      read -r w_catapps c_catapps; read -r w_catdirs c_catdirs; } <<<"$out"
    ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
    printf "%-34s %10s %10s\n" command "wall ms" "cpu ms"
    printf "%-34s %10s %10s\n" "hvadmin-cli list applications" "$w_apps" "$c_apps" \
        "hvadmin-cli list directories" "$w_dirs" "$c_dirs" \
        "listread (serial C) apps" "$w_capps" "$c_capps" "listread (serial C) dirs" "$w_cdirs" "$c_cdirs" \
        "cat (applications' files)" "$w_catapps" "$c_catapps" "cat (directory files)" "$w_catdirs" "$c_catdirs"
    echo "list applications / serial C: $(ratio "$w_apps" "$w_capps");" \
        "list directories / serial C: $(ratio "$w_dirs" "$w_cdirs")"

    bench=$(find "$build" -name window_fill_bench -type f -perm -u+x | head -1)
    QT_QPA_PLATFORM=offscreen "$bench" "$mnt" "$rounds" "$cli" 3
fi

if [ "$part" != lists ]; then
    # The commands change the folder: they work on a fresh copy.
    copy=$work/ops-src
    rm -rf "$copy"
    cp -a "$folder" "$copy"
    mount_slow "$copy" "$work/mnt-ops"
    stall=$(find "$build" -name ui_stall_bench -type f -perm -u+x | head -1)
    echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
    QT_QPA_PLATFORM=offscreen "$stall" "$work/mnt-ops" "${HV_BENCH_STALL_ROUNDS:-3}" \
        ${HV_BENCH_SAMPLE_MS:+"$HV_BENCH_SAMPLE_MS"}
    echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
fi
