#!/usr/bin/env bash
# Installs what is missing, builds incrementally and runs every test with CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
scripts/check-format.sh
build="${HV_BUILD_DIR:-build}"
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" "$@"
