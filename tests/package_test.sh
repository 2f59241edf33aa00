#!/usr/bin/env bash
# The Debian package: built by CPack from the build tree, its dependencies, its files, and the
# installed program started from a scratch root under Xvfb.
#   package_test.sh <build directory> <xvfb test script> <Qt major version>
set -euo pipefail
build=$1
xvfb_test=$2
qt=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/tripart_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
case $qt in
  5) qt_libraries="libqt5widgets5 libqt5gui5" ;;
  *) qt_libraries="libqt6widgets6 libqt6gui6" ;;
esac
for needed in $qt_libraries libgmp10 fonts-liberation2; do
  [[ "$depends" == *"$needed"* ]] || fail "no dependency on $needed"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
[ -x "$root/usr/bin/tripart" ] || fail "no program"
desktop="$root/usr/share/applications/de.tripart.Tripart.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop entry does not validate"
fi
grep -qx 'Exec=tripart' "$desktop" || fail "desktop entry does not start tripart"
grep -qx 'Icon=tripart' "$desktop" || fail "desktop entry names no icon"
for size in 16 32; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/tripart.png"
  [ -f "$png" ] || fail "no ${size}px icon"
  # Width and height stand big-endian at bytes 16 and 20 of a PNG.
  read -r width height < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "${size}px icon is ${width}x${height}"
done

for file in usr/share/doc/tripart/copyright usr/share/doc/tripart/changelog.gz usr/share/man/man1/tripart.1.gz \
  usr/share/metainfo/de.tripart.Tripart.metainfo.xml; do
  [ -s "$root/$file" ] || fail "no $file"
done
grep -q '^License: GPL-3+$' "$root/usr/share/doc/tripart/copyright" || fail "the copyright file names no licence"
# (Both come with the test command's packaging packages; without them this says so.)
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/de.tripart.Tripart.metainfo.xml" || fail "AppStream metadata"
else
  echo "appstreamcli is not installed: the AppStream metadata is not validated"
fi
# Nothing at error or warning level (info and pedantic findings are allowed).
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" >"$work/lintian" 2>&1 || { cat "$work/lintian"; fail "lintian"; }
  grep -E '^[EW]: ' "$work/lintian" && fail "lintian reports errors or warnings"
else
  echo "lintian is not installed: the package is not checked by it"
fi

"$xvfb_test" "$root/usr/bin/tripart" smoke
