#!/bin/bash
# Category list benchmark: hvadmin-cli list applications / list directories against a C
# program that does only the unavoidable work (listread.c) and against cat of the same files,
# on generated project folders of 1,000 and 10,000 applications (plus a tenth as many
# directory files). Prints medians in milliseconds and the ratios.
#
# Environment: HV_BUILD_DIR (default build), HV_BENCH_DIR (where the folders are generated,
# default $TMPDIR/hv-lists-bench), HV_BENCH_RUNS (runs per measurement, default 7),
# HV_BENCH_SIZES (default "1000 10000").
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${HV_BUILD_DIR:-$root/build}
case $build in /*) ;; *) build=$root/$build ;; esac
cli=$build/cli/hvadmin-cli
work=${HV_BENCH_DIR:-${TMPDIR:-/tmp}/hv-lists-bench}
runs=${HV_BENCH_RUNS:-7}
sizes=${HV_BENCH_SIZES:-1000 10000}

if [ ! -x "$cli" ]; then
    cmake -S "$root" -B "$build" -G Ninja >/dev/null
    cmake --build "$build" --target hvadmin-cli --parallel 2
fi
mkdir -p "$work"
cc -O2 -Wall -o "$work/listread" "$here/listread.c"

# One line "wall_ms cpu_ms" per command: medians over interleaved runs (see measure.py).
measure() { /usr/bin/python3 "$here/measure.py" "$runs" "$@"; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

header="%-6s %-12s %9s %9s %9s %7s %7s | %9s %9s %9s %7s %7s\n"
printf "$header" apps list cli_wall c_wall cat_wall cli/c cli/cat cli_cpu c_cpu cat_cpu cli/c cli/cat
declare -A cli_apps per_app
mkdir -p "$work/empty"
for n in $sizes; do
    dirs=$((n / 10))
    folder=$work/apps$n
    stamp="$n $dirs $(md5sum <"$here/gen_folder.py" | cut -c1-8)"
    if [ "$(cat "$folder/.generated" 2>/dev/null)" != "$stamp" ]; then
        rm -rf "$folder"
        /usr/bin/python3 "$here/gen_folder.py" "$folder" "$n" "$dirs"
        echo "$stamp" >"$folder/.generated"
    fi
    shopt -s nullglob nocaseglob
    app_files=("$folder"/*.hvt "$folder"/*.hvd)
    dir_files=("$folder"/*.dir)
    shopt -u nullglob nocaseglob

    for kind in applications directories; do
        if [ $kind = applications ]; then
            mode=apps
            files=("${app_files[@]}")
        else
            mode=dirs
            files=("${dir_files[@]}")
        fi
        out=$(measure "$cli" list $kind "$folder" --- "$work/listread" "$folder" $mode \
            --- cat "${files[@]}" --- "$cli" list $kind "$work/empty")
        { read -r w_cli c_cli; read -r w_c c_c; read -r w_cat c_cat; read -r w_0 c_0; } <<<"$out"
        if [ $kind = applications ]; then
            cli_apps[$n]="$w_cli $c_cli"
            # The cost per application beyond the fixed cost of a run on an empty folder.
            per_app[$n]="$(awk -v t="$w_cli" -v z="$w_0" -v n="$n" 'BEGIN { printf "%.1f", (t - z) * 1000 / n }') \
$(awk -v t="$c_cli" -v z="$c_0" -v n="$n" 'BEGIN { printf "%.1f", (t - z) * 1000 / n }') $w_0 $c_0"
        fi
        printf "$header" "$n" $kind "$w_cli" "$w_c" "$w_cat" "$(ratio "$w_cli" "$w_c")" \
            "$(ratio "$w_cli" "$w_cat")" "$c_cli" "$c_c" "$c_cat" "$(ratio "$c_cli" "$c_c")" \
            "$(ratio "$c_cli" "$c_cat")"
    done
done
set -- $sizes
if [ $# -ge 2 ]; then
    first=$1
    last=${!#}
    read -r w_first c_first <<<"${cli_apps[$first]}"
    read -r w_last c_last <<<"${cli_apps[$last]}"
    echo "list applications, $first to $last applications ($((last / first))x the files):" \
        "wall $(ratio "$w_last" "$w_first")x, processor $(ratio "$c_last" "$c_first")x"
fi
for n in $sizes; do
    read -r pw pc w0 c0 <<<"${per_app[$n]}"
    echo "list applications, $n applications: ${pw} us wall, ${pc} us processor per application" \
        "beyond an empty folder's ${w0} ms wall, ${c0} ms processor"
done
