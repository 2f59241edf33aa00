#!/usr/bin/env bash
# The other platforms: the whole suite against Qt 5.15, the computation library and its tests
# as 32-bit x86 code, and as 32-bit Windows code (MinGW-w64) run under Wine.
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

echo "== 32-bit Windows: the library's tests as Windows executables under Wine"
# GMP comes cross-built from Debian's source (cached after the first run).
gmp=$(tools/wincross.sh gmp | tail -n1)
export WINEPREFIX=$(tools/wincross.sh cache)/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
  -DTRIPART_WIN_GMP="$gmp" >/dev/null
cmake --build build-win -j "$jobs"
i686-w64-mingw32-objdump -f build-win/tests/calc_tests.exe | grep -q 'pei-i386' || { echo "calc_tests.exe is not Win32 code"; exit 1; }
# One Wine server, and its services, for all the tests: one per test, starting while the last
# shuts down, drops the connection now and then; services started by a test would hold on to
# its output, and CTest would wait for them.
wineserver -p
wine cmd /c exit >/dev/null 2>&1 </dev/null
trap 'wineserver -k 2>/dev/null || true' EXIT
ctest --test-dir build-win --output-on-failure -j "$jobs"

# The program itself needs the cross-built Qt, which is too long a build for every fresh CI
# machine; once it is in the cache, every run checks the program under Wine too.
if qt=$(tools/wincross.sh qt --cached 2>/dev/null | tail -n1) && [ -n "$qt" ]; then
  echo "== 32-bit Windows: the program under Wine"
  tools/windows.sh --test
else
  echo "== 32-bit Windows: the program is not checked: no cross-built Qt in the cache (tools/wincross.sh qt builds it)"
fi
