#!/usr/bin/env bash
# The other platforms: the whole suite against Qt 5.15, the computation library and its tests
# as 32-bit x86 code, and the library cross-compiled for 32-bit Windows (MinGW-w64).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh test
jobs=$(nproc)

echo "== Qt 5.15"
cmake -S . -B build-qt5 -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRIPART_QT_MAJOR=5 -DTRIPART_BENCH=OFF >/dev/null
cmake --build build-qt5 -j "$jobs"
ctest --test-dir build-qt5 --output-on-failure -j "$jobs"

echo "== 32-bit x86"
cmake -S . -B build-i686 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/linux-i686.cmake -DCMAKE_BUILD_TYPE=Release \
  -DTRIPART_UI=OFF -DTRIPART_BENCH=OFF >/dev/null
cmake --build build-i686 -j "$jobs"
file -L build-i686/tests/calc_tests | grep -q '32-bit' || { echo "calc_tests is not 32-bit code"; exit 1; }
ctest --test-dir build-i686 --output-on-failure -j "$jobs"

echo "== 32-bit Windows (library only)"
cmake -S . -B build-mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-mingw -j "$jobs"
i686-w64-mingw32-objdump -f build-mingw/calc/libcalc.a | grep -q 'pe-i386' || { echo "libcalc.a is not Win32 code"; exit 1; }
