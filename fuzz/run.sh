#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer,
# then runs each for the given number of seconds (default 600), seeded with the test fixtures.
# Usage: fuzz/run.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"; shift || true
scripts/install-deps.sh clang libclang-rt-14-dev
build=build-fuzz
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DHV_BUILD_TESTS=OFF -DHV_BUILD_FUZZERS=ON \
    -DCMAKE_C_FLAGS="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined" \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
fi
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=($(cd fuzz && ls *Fuzzer.cpp | sed 's/\.cpp$//'))
cmake --build "$build" --parallel 2 --target "${targets[@]}"
for t in "${targets[@]}"; do
  corpus="fuzz/out/$t/corpus"; mkdir -p "$corpus" "fuzz/out/$t/crashes"
  seeds=()
  [ -d "fuzz/seeds/$t" ] && seeds+=("fuzz/seeds/$t")
  case "$t" in
    Dbase*) [ -d tests/dbase/fixtures ] && seeds+=(tests/dbase/fixtures) ;;
    Ini*|Dir*|Template*) [ -d tests/files/fixtures ] && seeds+=(tests/files/fixtures) ;;
  esac
  echo "== $t for ${seconds}s"
  "$build/fuzz/$t" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="fuzz/out/$t/crashes/" "$corpus" "${seeds[@]}" 2>&1 | tail -n 5
done
