#!/usr/bin/env bash
# The Windows program, built here for 32-bit (i686) or 64-bit (x86_64) Windows: Debian's
# MinGW-w64 compiler, and GMP and a static Qt 5.15 cross-built from Debian's own sources
# (tools/wincross.sh, cached; the first Qt build takes long). Checks that the executable is a
# GUI program that needs no DLL beyond Windows' own, and writes dist/tripart-<version>-win32 or
# -win64 as a zip (the executable, a short read-me, the licences) and as a Windows Installer
# package (the same files, a Start-menu shortcut, an entry in the installed programs).
#   tools/windows.sh ARCH            build and package
#   tools/windows.sh ARCH --test     then also run it under Wine in Xvfb (tests/windows/wine_test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/config.sh
arch=${1:-}
arch_names "$arch" 2>/dev/null || { echo "usage: $0 i686|x86_64 [--test]" >&2; exit 2; }
tools/deps.sh group native mingw$bits packaging
jobs=$(nproc)

gmp=$(tools/wincross.sh "$arch" gmp | tail -n1)
qt=$(tools/wincross.sh "$arch" qt | tail -n1)

# The icon files are drawn by the program's own code, built for this machine.
cmake --preset release >/dev/null
cmake --build build -j "$jobs" --target tripart_iconfiles reporttexts

dir=build-win-$arch
cmake --preset "win-$arch" -DTRIPART_WIN_GMP="$gmp" -DTRIPART_WIN_QT="$qt" -DTRIPART_HOST_ICONFILES="$PWD/build/ui/tripart_iconfiles" >/dev/null
cmake --build "$dir" -j "$jobs"
exe=$dir/ui/tripart.exe

# Windows' own DLLs only; a GUI program, so that no console window opens beside it.
headers=$("$host-objdump" -p "$exe")
dlls=$(sed -n 's/^\tDLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
own="advapi32.dll comdlg32.dll dwmapi.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll netapi32.dll
ole32.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll userenv.dll uxtheme.dll version.dll
winmm.dll ws2_32.dll wtsapi32.dll mpr.dll setupapi.dll"
for dll in $dlls; do
  [[ " $(echo $own) " == *" $dll "* ]] || { echo "FAIL: $exe needs $dll, which Windows does not ship"; exit 1; }
done
grep -q '^Subsystem.*(Windows GUI)' <<<"$headers" || { echo "FAIL: $exe is no GUI program"; exit 1; }
echo "$exe: Windows GUI program; DLLs: $(echo $dlls)"

# What is handed out: the stripped executable, its icon for the installer, the read-me, the
# licences and where the source of what is linked in comes from, with Windows line ends.
version=$(project_version)
stage=$dir/stage
rm -rf "$stage"
mkdir -p "$stage" dist
cp "$exe" "$stage/tripart.exe"
"$host-strip" "$stage/tripart.exe"
cp "$dir/ui/icons/tripart.ico" "$stage/tripart.ico"
crlf() { sed 's/$/\r/' "$1" >"$2"; }
crlf ui/LIESMICH.txt "$stage/LIESMICH.txt"
crlf /usr/share/common-licenses/GPL-3 "$stage/GPL-3.txt"
crlf /usr/share/common-licenses/LGPL-3 "$stage/LGPL-3.txt"
gmp_version=$(tools/debsource.sh version gmp)
qt_version=$(tools/debsource.sh version qtbase-opensource-src)
upstream() { local v=${1#*:}; echo "${v%%[+-]*}"; }
sed -e "s/@VERSION@/$version/g" -e "s/@GMP_VERSION@/$gmp_version/g" -e "s/@QT_VERSION@/$qt_version/g" \
  -e "s/@GMP_UPSTREAM@/$(upstream "$gmp_version")/g" -e "s/@QT_UPSTREAM@/$(upstream "$qt_version")/g" \
  packaging/LIZENZEN.txt.in >"$stage/LIZENZEN.txt.lf"
crlf "$stage/LIZENZEN.txt.lf" "$stage/LIZENZEN.txt"
# The notices of the third-party code inside Qt, from Qt's own attribution files.
tools/qtnotices.py "$(tools/debsource.sh orig qtbase-opensource-src "$qt_version")" >"$stage/QT-LIZENZEN.txt.lf"
crlf "$stage/QT-LIZENZEN.txt.lf" "$stage/QT-LIZENZEN.txt"
rm "$stage"/*.lf

zip=dist/tripart-$version-win$bits.zip
rm -f "$zip"
(cd "$stage" && zip -q -X "$OLDPWD/$zip" tripart.exe LIESMICH.txt LIZENZEN.txt QT-LIZENZEN.txt GPL-3.txt LGPL-3.txt)
echo "$zip: $(du -k "$zip" | cut -f1) KiB"

# The Windows Installer package (wixl reads the files relative to the folder it runs in).
msi=dist/tripart-$version-win$bits.msi
(cd "$stage" && wixl -a "$msi_arch" -D Version="$version" -D Win64="$([ "$arch" = x86_64 ] && echo yes || echo no)" \
  -D Bin=. -o "$OLDPWD/$msi" "$OLDPWD/packaging/tripart.wxs")
echo "$msi: $(du -k "$msi" | cut -f1) KiB"

if [ "${2:-}" = --test ]; then
  tools/deps.sh group wine$bits
  export WINE=$wine_loader
  [ "$arch" = i686 ] || export WINELOADER=$wine_loader
  WINEPREFIX=${WINEPREFIX:-$PWD/$dir/wine} tests/windows/wine_test.sh "$exe" \
    "$dir/tests/winprobe.exe" build/tests/reporttexts "${TRIPART_WINE_SHOT:-}"
fi
