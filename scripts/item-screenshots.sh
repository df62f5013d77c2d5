# Sourced by screenshots.sh: pictures of the item commands, taken by tools/itemshots on a
# fresh copy of the demo project under a virtual X server.
#
#   hv_item_screenshots BUILD OUT [VARIABLE=VALUE...]
#
# The variables given are set for the program (LC_ALL=C.UTF-8 unless one of them sets it; the
# desktop's list of languages, LANGUAGE, is left out).
# Saves menu-application.png, menu-directory.png (the two context menus), frmWarning.png,
# frmRename.png and frmfileLock.png (the file access error window) in OUT.

hv_item_screenshots() {
  local build="$1" out="$2"
  shift 2
  local work="$build/itemshots-run"
  scripts/build.sh --target hv-itemshots hv-standin
  rm -rf "$work"
  mkdir -p "$out"
  source scripts/demo-env.sh
  hv_prepare_demo "$work/config" "$work/demo" "$build/demo-suite"
  echo 'Window="0,0,15000,10500,0"' >> "$work/config/Halvora/HV50/HVAdmin.ini"
  find "$work/demo" -type f -exec touch -d '2026-03-02 09:30' {} +
  local shots
  shots="$(cd "$out" && pwd)"
  (unset QT_QPA_PLATFORM LANGUAGE
   timeout 120 xvfb-run -a -s '-screen 0 1100x760x24' \
     env TZ="${TZ:-UTC}" LC_ALL=C.UTF-8 "$@" "$build/tools/itemshots/hv-itemshots" "$shots" 2>"$work/stderr.txt") || {
    echo "The item pictures failed; messages:" >&2
    cat "$work/stderr.txt" >&2
    return 1
  }
}
