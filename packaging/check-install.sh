#!/usr/bin/env bash
# The install test: installs the build into a temporary prefix (and again under DESTDIR),
# then checks each installed part with the tool its ecosystem checks it with, and runs the
# installed programs.
#   check-install.sh BUILD_DIR SOURCE_DIR APP_ID VERSION
set -euo pipefail
build="$1" src="$2" app_id="$3" version="$4"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# Runs a checker; any output on stderr or a failed exit fails the check.
quiet() {
  local what="$1"; shift
  local err
  if ! err="$("$@" 2>&1 >/dev/null)" || [ -n "$err" ]; then
    fail "$what"; [ -z "$err" ] || echo "$err" >&2
  fi
}

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
DESTDIR="$work/dest" cmake --install "$build" --prefix /usr >/dev/null
listing() { (cd "$1" && find . -mindepth 1 | LC_ALL=C sort); }
[ "$(listing "$prefix")" = "$(listing "$work/dest/usr")" ] ||
  fail "DESTDIR installs other files than --prefix"
[ "$(ls -A "$work/dest")" = usr ] || fail "DESTDIR install wrote outside its prefix"

# Programs: the three, and nothing else of the build (no stand-ins, libraries or headers).
[ "$(ls "$prefix/bin" | tr '\n' ' ')" = "HVAdmin hvadmin-cli hvdebug " ] ||
  fail "bin/ holds: $(ls "$prefix/bin" | tr '\n' ' ')"
[ "$(ls "$prefix")" = "$(printf 'bin\nshare')" ] || fail "prefix holds: $(ls "$prefix" | tr '\n' ' ')"

# Desktop Entry.
desktop="$prefix/share/applications/$app_id.desktop"
if [ -f "$desktop" ]; then
  quiet "desktop-file-validate $desktop" desktop-file-validate "$desktop"
  grep -qx "Exec=HVAdmin" "$desktop" || fail "the Desktop Entry does not start HVAdmin"
  grep -qx "Icon=$app_id" "$desktop" || fail "the Desktop Entry names another icon"
  grep -q '^Categories=.*System;' "$desktop" || fail "the Desktop Entry is not a System tool"
else
  fail "no Desktop Entry $desktop"
fi

# AppStream metadata: valid without warnings (infos allowed), naming the Desktop Entry.
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
if [ -f "$metainfo" ]; then
  if ! out="$(appstreamcli validate --no-net "$metainfo" 2>&1)" || grep -q '^[EW]:' <<<"$out"; then
    fail "appstreamcli validate --no-net $metainfo"; echo "$out" >&2
  fi
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the AppStream file names another Desktop Entry"
  grep -q "<release version=\"$version\"" "$metainfo" || fail "the AppStream file lacks release $version"
  grep -q '<screenshot type="default">' "$metainfo" || fail "the AppStream file has no screenshot"
else
  fail "no AppStream file $metainfo"
fi

# Icons: the scalable picture and each PNG size at its size.
icons="$prefix/share/icons/hicolor"
[ -f "$icons/scalable/apps/$app_id.svg" ] || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
  png="$icons/${size}x${size}/apps/$app_id.png"
  file -b "$png" 2>/dev/null | grep -q "^PNG image data, $size x $size," ||
    fail "icon $png is not a $size pixel PNG"
done

# Manual pages: one per program, shown by man without warnings.
for program in HVAdmin hvadmin-cli hvdebug; do
  page="$prefix/share/man/man1/$program.1.gz"
  if [ ! -f "$page" ]; then
    fail "no manual page $page"; continue
  fi
  quiet "groff -ww -z $page" sh -c 'gzip -dc "$1" | groff -man -ww -z' sh "$page"
  quiet "man -l $page" env MANWIDTH=80 man --warnings -l "$page"
  gzip -dc "$page" | grep -q "^\.TH \"$program\" \"1\"" || fail "$page is not $program(1)"
done

# The installed programs: --version, --help and a list on the demo project.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work"
mkdir -p "$HOME"
for program in HVAdmin hvadmin-cli hvdebug; do
  out="$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/$program" --version 2>&1)" ||
    fail "$program --version failed"
  [ "$out" = "$program $version" ] || fail "$program --version printed '$out'"
  env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/$program" --help 2>&1 | grep -qi '^usage:' ||
    fail "$program --help prints no usage"
done
# Qt takes its own options (-platform, -style, ...) first; the console refuses what is left.
rc=0
out="$(QT_QPA_PLATFORM=offscreen "$prefix/bin/HVAdmin" --bogus 2>&1)" || rc=$?
[ "$rc" -eq 2 ] || fail "HVAdmin given an argument exited with $rc"
grep -q -- "--bogus" <<<"$out" || fail "HVAdmin's refusal does not name the argument: $out"
list="$("$prefix/bin/hvadmin-cli" list applications "$src/demo")" || fail "installed hvadmin-cli list failed"
grep -q '"key":"LINE4.HVT"' <<<"$list" || fail "installed hvadmin-cli list lacks the demo's LINE4.HVT: $list"

# Bash completion: the verbs it offers are the verbs of the usage text.
completion="$prefix/share/bash-completion/completions/hvadmin-cli"
complete_words() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _hvadmin_cli
           printf "%s\n" "${COMPREPLY[@]}"' sh "$completion" "$@" | LC_ALL=C sort | tr '\n' ' '
}
usage_verbs="$("$prefix/bin/hvadmin-cli" --help | sed -n 's/^  \([a-z]\)/\1/p' | tr '|' '\n' |
  awk '{print $1}' | LC_ALL=C sort -u | tr '\n' ' ')"
offered="$(complete_words hvadmin-cli '' | sed 's/--help //; s/--pretty //; s/--version //')"
[ "$offered" = "$usage_verbs" ] || fail "completion offers '$offered', usage has '$usage_verbs'"
[ "$(complete_words hvadmin-cli dbf p)" = "put " ] || fail "completion of dbf p"
[ "$(complete_words hvadmin-cli list a)" = "applications " ] || fail "completion of list a"
[ "$(complete_words hvadmin-cli ini write f.ini --u)" = "--ucase-section " ] ||
  fail "completion of ini write options"
[ "$(complete_words hvadmin-cli delete --p)" = "--permanent " ] || fail "completion of delete --p"

[ "$failures" -eq 0 ] || { echo "$failures install check(s) failed" >&2; exit 1; }
echo "install checks passed"
