#!/usr/bin/env bash
# A root of Debian's i386 packages with 32-bit Wine in it, for the 32-bit Windows tests on a
# machine whose own wine32 cannot be installed (an i386 index of the machine's sources that does
# not match its amd64 one, say). Made with mmdebstrap from the machine's own Debian archive,
# its release and -updates suites only, and kept in the cache beside the cross-built Qt and GMP;
# made again when its package list changes. Only Wine runs inside: the X server, the window
# manager, xdotool and the test scripts stay the machine's own.
#   tools/wineroot.sh make          make it (or find it made); prints its folder
#   tools/wineroot.sh bin DIR       make it, and write DIR/wine and DIR/wineserver, which start
#                                   the root's; put DIR first in PATH and set WINE=DIR/wine
#   tools/wineroot.sh run CMD...    run CMD inside, in the same folder, with /proc, /dev, /sys,
#                                   /tmp (the X server's socket), the work tree, the cache and the
#                                   machine's fonts bound at their own places
# Every mount lives in a mount namespace of the command's own: nothing stays mounted once it
# ends, however it ends.
# TRIPART_ROOT_ARCH=amd64 makes the same root with 64-bit Wine, so that all of this can be
# checked with 64-bit programs on a machine that cannot execute 32-bit code.
set -euo pipefail
tools=$(cd "$(dirname "$0")" && pwd)
top=$(dirname "$tools")
arch=${TRIPART_ROOT_ARCH:-i386}
wine_package=$([ "$arch" = i386 ] && echo wine32 || echo wine64)
loader=/usr/lib/wine/$([ "$arch" = i386 ] && echo wine || echo wine64)
# Wine, its own fonts, and the X and font libraries its X11 driver loads (Recommends, which
# the root leaves out otherwise).
packages=(wine "$wine_package" fonts-wine fontconfig libx11-6 libxext6 libxrender1 libxrandr2 libxi6
  libxcursor1 libxcomposite1 libxinerama1 libxfixes3 libxxf86vm1 libfreetype6 libfontconfig1 libgnutls30)
cache=$("$tools/wincross.sh" cache)

make_root() {
  local codename source uri keyring hash dir
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  hash=$(printf '%s\n' "$codename" "$arch" "${packages[@]}" | sha1sum | cut -c1-8)
  dir=$cache/root-$arch-$codename-$hash
  exec {lock}>"$cache/.lock-root-$arch"
  flock "$lock"
  if [ ! -f "$dir/.done" ]; then
    source=$("$tools/debsource.sh" archive "$codename")
    uri=$(sed -n 1p <<<"$source")
    keyring=$(sed -n 2p <<<"$source")
    rm -rf "$dir" "$dir.new"
    # No security suite: its index is the one that has been out of step; the release and its
    # updates are consistent with each other.
    mmdebstrap --quiet --arch="$arch" --variant=apt --aptopt='APT::Install-Recommends "false"' \
      --include="$(IFS=,; echo "${packages[*]}")" "$codename" "$dir.new" \
      "deb ${keyring:+[signed-by=$keyring] }$uri $codename main" \
      "deb ${keyring:+[signed-by=$keyring] }$uri $codename-updates main" >&2
    mv "$dir.new" "$dir"
    touch "$dir/.done"
    # Roots of older package lists go.
    find "$cache" -maxdepth 1 -name "root-$arch-*" ! -name "$(basename "$dir")" -exec rm -rf {} +
  fi
  flock -u "$lock"
  echo "$dir"
}

run_inside() {
  local root=$1
  shift
  # The work tree and the cache at their own paths, so that every path a test names is the
  # same inside and out.
  local binds=(/dev /sys /tmp "$top" "$cache" /usr/share/fonts)
  [ "$PWD" = "$top" ] || [[ "$PWD" == "$top"/* ]] || binds+=("$PWD")
  exec unshare --mount --propagation private -- bash -euc '
    root=$1; work=$2; shift 2
    mount -t proc proc "$root/proc"
    while [ "$1" != -- ]; do
      mkdir -p "$root$1"
      mount --rbind "$1" "$root$1"
      shift
    done
    shift
    exec chroot "$root" /usr/bin/env PATH=/usr/local/bin:/usr/bin:/bin bash -c "cd \"\$0\" && exec \"\$@\"" "$work" "$@"
  ' bash "$root" "$PWD" "${binds[@]}" -- "$@"
}

case ${1:-} in
make) make_root ;;
bin)
  dir=${2:?usage: $0 bin DIR}
  root=$(make_root)
  mkdir -p "$dir"
  for name in wine wineserver; do
    target=$([ "$name" = wine ] && echo "$loader" || echo /usr/bin/wineserver)
    printf '#!/bin/sh\nexec %q run-in %q %q "$@"\n' "$tools/wineroot.sh" "$root" "$target" >"$dir/$name"
    chmod +x "$dir/$name"
  done
  echo "$root"
  ;;
run)
  shift
  run_inside "$(make_root)" "$@"
  ;;
run-in)
  shift
  run_inside "$@"
  ;;
*)
  echo "usage: $0 make | bin DIR | run COMMAND..." >&2
  exit 2
  ;;
esac
