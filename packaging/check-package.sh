#!/usr/bin/env bash
# The package test: builds the Debian package with CPack from a built tree, unpacks it into a
# temporary root with dpkg -x, runs the unpacked hvadmin-cli (--version, and a list on the
# demo project) and checks the package with lintian, which must report no errors.
#   check-package.sh BUILD_DIR SOURCE_DIR VERSION [OUTPUT_DIR]
# The package is left in OUTPUT_DIR (a temporary folder, removed at the end, when not given).
set -euo pipefail
build="$(cd "$1" && pwd)" src="$(cd "$2" && pwd)" version="$3" out="${4:-}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
[ -n "$out" ] || out="$work/packages"
mkdir -p "$out"
out="$(cd "$out" && pwd)"

rm -f "$out"/hvadmin_*.deb
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$work/cpack.log" 2>&1) || {
  cat "$work/cpack.log" >&2; exit 1; }
rm -rf "$out/_CPack_Packages"
deb="$(ls "$out"/hvadmin_*.deb)"
echo "package: $deb"

depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
grep -q 'libqt6widgets6' <<<"$depends" || { echo "FAIL: no Qt dependency found by dpkg-shlibdeps" >&2; exit 1; }

root="$work/root"
dpkg -x "$deb" "$root"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
mkdir -p "$HOME"
got="$("$root/usr/bin/hvadmin-cli" --version)"
[ "$got" = "hvadmin-cli $version" ] || { echo "FAIL: hvadmin-cli --version printed '$got'" >&2; exit 1; }
list="$("$root/usr/bin/hvadmin-cli" list applications "$src/demo")"
grep -q '"key":"LINE4.HVT"' <<<"$list" || { echo "FAIL: list on the demo: $list" >&2; exit 1; }
echo "unpacked hvadmin-cli: $got; list on the demo ok"

# lintian exits non-zero on errors; its warnings are printed for the record.
lintian --fail-on error --tag-display-limit 0 "$deb" | tee "$work/lintian.txt"
echo "lintian: no errors"
