#!/usr/bin/env bash
# The 32-bit Windows program, built here: Debian's MinGW-w64 compiler, and GMP and a static
# Qt 5.15 cross-built from Debian's own sources (tools/wincross.sh, cached; the first Qt build
# takes long). Checks that the executable is a GUI program that needs no DLL beyond Windows'
# own, and writes dist/tripart-<version>-win32.zip: the executable and a short read-me.
#   tools/windows.sh            build and package
#   tools/windows.sh --test     then also run it under Wine in Xvfb (tests/windows/wine_test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh test
jobs=$(nproc)

gmp=$(tools/wincross.sh gmp | tail -n1)
qt=$(tools/wincross.sh qt | tail -n1)

# The icon files are drawn by the program's own code, built for this machine.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs" --target tripart_iconfiles reporttexts

cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
  -DTRIPART_WIN_GMP="$gmp" -DTRIPART_WIN_QT="$qt" -DTRIPART_HOST_ICONFILES="$PWD/build/ui/tripart_iconfiles" >/dev/null
cmake --build build-win -j "$jobs"
exe=build-win/ui/tripart.exe

# Windows' own DLLs only; a GUI program, so that no console window opens beside it.
headers=$(i686-w64-mingw32-objdump -p "$exe")
dlls=$(sed -n 's/^\tDLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
own="advapi32.dll comdlg32.dll dwmapi.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll netapi32.dll
ole32.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll userenv.dll uxtheme.dll version.dll
winmm.dll ws2_32.dll wtsapi32.dll mpr.dll setupapi.dll"
for dll in $dlls; do
  [[ " $(echo $own) " == *" $dll "* ]] || { echo "FAIL: $exe needs $dll, which Windows does not ship"; exit 1; }
done
grep -q '^Subsystem.*(Windows GUI)' <<<"$headers" || { echo "FAIL: $exe is no GUI program"; exit 1; }
echo "$exe: Windows GUI program; DLLs: $(echo $dlls)"

version=$(sed -n 's/^project(tripart VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
mkdir -p dist
zip=dist/tripart-$version-win32.zip
rm -f "$zip"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/tripart.exe"
i686-w64-mingw32-strip "$stage/tripart.exe"
sed 's/$/\r/' ui/LIESMICH.txt >"$stage/LIESMICH.txt"
(cd "$stage" && zip -q -X "$OLDPWD/$zip" tripart.exe LIESMICH.txt)
echo "$zip: $(du -k "$zip" | cut -f1) KiB"

if [ "${1:-}" = --test ]; then
  WINEPREFIX=${WINEPREFIX:-$(tools/wincross.sh cache)/wine} tests/windows/wine_test.sh "$exe" \
    build-win/tests/winprobe.exe build/tests/reporttexts "${TRIPART_WINE_SHOT:-}"
fi
