#!/usr/bin/env bash
# Fails on a C++ file of the project that strays from .clang-format, and names it.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -- '*.cpp' '*.h' 2>/dev/null || find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
[ ${#files[@]} -eq 0 ] && exit 0
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/hv-format.$$; then
  echo "These files stray from .clang-format (run clang-format -i on them):" >&2
  grep -oE '^[^ :]+\.(cpp|h):[0-9]+' /tmp/hv-format.$$ | cut -d: -f1 | sort -u >&2
  rm -f /tmp/hv-format.$$
  exit 1
fi
rm -f /tmp/hv-format.$$
