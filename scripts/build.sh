#!/usr/bin/env bash
# Configures (once) and builds the project incrementally in build/.
# HV_BUILD_DIR names another build folder; HV_CMAKE_ARGS gives CMake options (for example
# -DHV_WERROR=ON), which configure the folder again when given.
set -euo pipefail
cd "$(dirname "$0")/.."
"$PWD/scripts/install-deps.sh"
build="${HV_BUILD_DIR:-build}"
read -r -a options <<<"${HV_CMAKE_ARGS:-}"
if [ ! -f "$build/CMakeCache.txt" ] || [ ${#options[@]} -gt 0 ]; then
  launcher=()
  # A compiler cache, where the machine has one, makes rebuilds of other checkouts cheap.
  if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    "${options[@]}"
fi
cmake --build "$build" --parallel "$(nproc)" "$@"
