#!/usr/bin/env bash
# Installs what is missing, builds incrementally and runs every test with CTest.
# Usage: scripts/test.sh [--ci] [ctest options...]
#   --ci  what CI runs (.ci/run): the build in build/ with warnings as errors and every test,
#         then the AddressSanitizer and UndefinedBehaviorSanitizer build in build-asan/ with
#         every test, then the ThreadSanitizer build in build-tsan/ with the threaded tests.
#         Without it, build/ keeps warnings as warnings.
set -euo pipefail
cd "$(dirname "$0")/.."
ci=0
if [ "${1:-}" = --ci ]; then
  ci=1
  shift
fi
build="${HV_BUILD_DIR:-build}"

werror=()
if [ $ci -eq 1 ]; then
  werror=(-DHV_WERROR=ON)
elif grep -qs '^HV_WERROR:BOOL=ON$' "$build/CMakeCache.txt"; then
  werror=(-DHV_WERROR=OFF) # left on by an earlier --ci run
fi
HV_CMAKE_ARGS="${werror[*]}" scripts/build.sh
scripts/check-format.sh
scripts/check-translations.sh
(cd "$build" && ctest --output-on-failure --parallel "$(nproc)" "$@")
[ $ci -eq 1 ] || exit 0

# The sanitizer builds. The sanitizers' options and suppressions are built into the programs
# (cmake/Gates.cmake); a report fails the test that met it.
for sanitizer in address,undefined thread; do
  dir=build-asan
  [ $sanitizer = thread ] && dir=build-tsan
  echo "== $dir: -fsanitize=$sanitizer"
  HV_BUILD_DIR=$dir HV_CMAKE_ARGS="-DHV_SANITIZE=$sanitizer" scripts/build.sh
  (cd $dir && ctest --output-on-failure --parallel "$(nproc)" "$@")
done
