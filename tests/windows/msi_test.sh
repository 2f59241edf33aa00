#!/usr/bin/env bash
# The Windows Installer package under Wine, as a school's IT would use it: a silent install
# puts the program, its texts and the Start-menu shortcut "Dreiecke" in place and enters it in
# the installed programs; the shortcut starts the program; a package with a higher version
# replaces it (one copy stays), one with a lower version does not; a silent removal leaves no
# file, shortcut or registry key behind.
#   msi_test.sh MSI WXS STAGE ARCH
# STAGE is the folder the package was built from (wixl builds the other versions from it); ARCH
# is x86 or x64. Runs in an X server (tools/xsession.sh); WINE names the loader.
set -euo pipefail
msi=$(realpath "$1")
wxs=$(realpath "$2")
stage=$3
arch=$4
wine=${WINE:-wine}
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/../../tools/config.sh"
version=$(project_version)
IFS=. read -r major minor patch <<<"$version"
win64=$([ "$arch" = x64 ] && echo yes || echo no)
for v in "$major.$minor.$((patch + 1))" "$major.$minor.$patch"; do
  (cd "$stage" && wixl -a "$arch" -D Version="$v" -D Win64="$win64" -D Bin=. -o "$work/tripart-$v.msi" "$wxs")
done
newer=$work/tripart-$major.$minor.$((patch + 1)).msi

c="$WINEPREFIX/drive_c"
if [ "$arch" = x64 ]; then
  dir="$c/Program Files/tripart"
  uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
else
  dir="$c/Program Files (x86)/tripart"
  uninstall='HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall'
  # A 32-bit Windows (a prefix of 32-bit Wine) has one Program Files, and no second view of
  # the registry.
  if [ ! -d "$c/Program Files (x86)" ]; then
    dir="$c/Program Files/tripart"
    uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
  fi
fi
# For all users (ALLUSERS=1) Windows puts the shortcut into the common Start menu; Wine 8
# resolves the package's Start-menu folder to the installing user's.
shortcuts=("$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Dreiecke.lnk"
  "$c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Dreiecke.lnk")
title="Dreiecke mit dem Umfang n und ganzzahligen Seitenlängen"

msiexec() { "$wine" msiexec "$1" "Z:${2//\//\\}" /qn >/dev/null 2>&1; }
# The entries of the installed programs that are this program's, one "version" line each.
entries() {
  "$wine" reg query "$uninstall" /s 2>/dev/null | tr -d '\r' |
    awk '/^HKEY/ {mine = 0} /DisplayName.*Dreiecke \(tripart/ {mine = 1} mine && /DisplayVersion/ {print $NF}'
}

# Install.
msiexec /i "$msi" || fail "the silent install failed"
for file in tripart.exe LIESMICH.txt LIZENZEN.txt QT-LIZENZEN.txt GPL-3.txt LGPL-3.txt; do
  [ -s "$dir/$file" ] || fail "no $file in $dir"
done
shortcut=
for candidate in "${shortcuts[@]}"; do
  [ -s "$candidate" ] && shortcut=$candidate
done
[ -n "$shortcut" ] || fail "no Start-menu shortcut"
[ "$(entries)" = "$version" ] || fail "installed programs list: '$(entries)'"
"$wine" reg query "$uninstall" /s 2>/dev/null | tr -d '\r' | grep -q 'Publisher.*Die Entwickler von tripart' ||
  fail "no publisher in the installed programs list"
echo "installed $version: program, texts, shortcut (${shortcut#"$c/"}), entry in the installed programs"

# The shortcut starts the program.
"$wine" start /unix "$shortcut" >/dev/null 2>&1 &
window=""
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "the shortcut opened no window"
# Closed as a user closes it, and gone before the next package touches its files.
for _ in $(seq 10); do
  xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4 2>/dev/null || true
  sleep 1
  pgrep -f 'tripart\\tripart\.exe' >/dev/null || break
done
pgrep -f 'tripart\\tripart\.exe' >/dev/null && fail "the program is still running after its window was closed"
echo "the shortcut starts the program"

# A newer version replaces it; an older one does not replace the newer.
msiexec /i "$newer" || fail "installing the newer version failed"
[ "$(entries)" = "$major.$minor.$((patch + 1))" ] || fail "after the upgrade: '$(entries)'"
msiexec /i "$msi" && fail "an older version installed over a newer one"
[ "$(entries)" = "$major.$minor.$((patch + 1))" ] || fail "after the refused downgrade: '$(entries)'"
echo "a newer version replaces the older; an older one is refused"

# Remove.
msiexec /x "$newer" || fail "the silent removal failed"
[ ! -e "$dir" ] || fail "$dir is left: $(ls "$dir")"
for candidate in "${shortcuts[@]}"; do
  [ ! -e "$candidate" ] || fail "the shortcut is left: $candidate"
done
[ -z "$(entries)" ] || fail "the installed programs still list it"
"$wine" reg query 'HKLM\Software\tripart' >/dev/null 2>&1 && fail "the registry key is left"
echo "removed: no file, shortcut or registry key left"
