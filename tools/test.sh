#!/usr/bin/env bash
# Builds everything and runs every test: a release build, the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, short runs of the fuzz targets, then the
# other platforms (Qt 5.15, 32-bit x86, 32-bit Windows).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh test
jobs=$(nproc)

echo "== the run command's packages"
tools/runcheck.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRIPART_UI=ON -DTRIPART_TESTS=ON -DTRIPART_BENCH=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRIPART_SANITIZE=ON -DTRIPART_UI=ON -DTRIPART_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

tools/fuzz.sh "${TRIPART_FUZZ_SECONDS:-30}"

tools/platforms.sh
