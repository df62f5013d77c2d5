#!/usr/bin/env bash
# Configures (once) and builds the project incrementally in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
"$PWD/scripts/install-deps.sh"
build="${HV_BUILD_DIR:-build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  launcher=()
  # A compiler cache, where the machine has one, makes rebuilds of other checkouts cheap.
  if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
fi
cmake --build "$build" --parallel "$(nproc)" "$@"
