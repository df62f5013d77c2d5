#!/usr/bin/env bash
# Starts the console under a virtual X server on a fresh copy of the demo project and saves a
# picture of each category in details view, of the applications in the other three view
# modes, of the applications sorted by their records and narrowed by the filter box, of the
# status bar's notice with its Undo link after a delete and of the History window, of the
# data window on the forklift checks (as opened, with deleted records shown, filtered), of the
# About window, and of the directory editor on OFFICE.DIR (one red row for its
# missing template) with its template picker and Save As dialog, as PNG files in
# <build>/screenshots/; the same tour under a dark palette in <build>/screenshots/dark/, at
# twice the scale on a 1280 by 800 screen in <build>/screenshots/scale2/ and under a German
# locale in <build>/screenshots/de/; then the pictures of the item commands
# (scripts/item-screenshots.sh), in English and in German (<build>/screenshots/de/).
# The English pictures are taken under the C locale, whatever the desktop's language.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh --target hvadmin-screenshots
build="${HV_BUILD_DIR:-build}"
out="$build/screenshots"
work="$build/screenshots-run"
rm -rf "$out" "$work" "$work-dark" "$work-2x" "$work-de"
source scripts/demo-env.sh

# run_tour WORK OUT SCREEN [VARIABLE=VALUE...]: the tour on a fresh copy of the demo under a
# virtual screen of SCREEN (WIDTHxHEIGHT), with the variables given (LC_ALL=C.UTF-8 unless one
# of them sets it; the desktop's list of languages, LANGUAGE, is left out).
run_tour() {
  local run="$1" shots="$2" screen="$3"
  shift 3
  rm -rf "$run"
  mkdir -p "$shots"
  (hv_prepare_demo "$run/config" "$run/demo"
   # The tour deletes and renames: its history and trash are its own. The folders are given
   # absolute: a relative XDG_STATE_HOME or XDG_DATA_HOME counts as not set, which would put
   # the tour's operations into the user's own history.
   local run_abs
   run_abs="$(cd "$run" && pwd)"
   export XDG_STATE_HOME="$run_abs/state" XDG_DATA_HOME="$run_abs/data"
   # A window of 1000 by 700 pixels at 96 DPI (the placement is stored in twips).
   echo 'Window="0,0,15000,10500,0"' >> "$run/config/Halvora/HV50/HVAdmin.ini"
   # Two forklift checks marked deleted, for the data window's pictures.
   python3 - "$run/demo/FORKLIFT.HVD" <<'EOF'
import struct, sys
with open(sys.argv[1], "r+b") as f:
    header_length, record_length = struct.unpack("<HH", f.read(12)[8:12])
    for n in (2, 6):
        f.seek(header_length + n * record_length)
        f.write(b"*")
EOF
   # Fixed file times, so the pictures show the same dates on every run.
   find "$run/demo" -type f -exec touch -d '2026-03-02 09:30' {} +
   unset QT_QPA_PLATFORM LANGUAGE
   timeout 120 xvfb-run -a -s "-screen 0 ${screen}x24" \
     env TZ="${TZ:-UTC}" LC_ALL=C.UTF-8 "$@" "$build/tools/hvadmin-screenshots" "$(cd "$shots" && pwd)" \
     2>"$run/stderr.txt") || {
    echo "The console failed; its messages:" >&2
    cat "$run/stderr.txt" >&2
    exit 1
  }
}
run_tour "$work" "$out" 1100x760
# The same under a dark palette, and at twice the scale on a screen of 1280 by 800 pixels.
run_tour "$work-dark" "$out/dark" 1100x760 HV_SCREENSHOT_PALETTE=dark
run_tour "$work-2x" "$out/scale2" 1280x800 QT_SCALE_FACTOR=2
run_tour "$work-de" "$out/de" 1100x760 LC_ALL=de_DE.UTF-8
source scripts/item-screenshots.sh
hv_item_screenshots "$build" "$out"
hv_item_screenshots "$build" "$out/de" LC_ALL=de_DE.UTF-8
ls "$out"
