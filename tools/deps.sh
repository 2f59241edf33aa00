#!/usr/bin/env bash
# Installs the Debian packages still missing for one purpose:
#   tools/deps.sh run            what building and starting the program needs
#   tools/deps.sh test           what every stage of tools/test.sh needs, group by group; a group
#                                that cannot be installed is named with apt's reason, and the
#                                others are installed all the same
#   tools/deps.sh group NAME...  only these groups; fails when one of them cannot be installed
#   tools/deps.sh list run|test|NAME   prints the packages and installs nothing
# The groups, by the stages that need them:
#   native     the release and sanitizer builds, their tests, the fuzz targets, the benchmarks
#   qt5        the suite against Qt 5.15
#   i686       the library as 32-bit x86 Linux code
#   qemu       the same, and 32-bit Windows, on a machine that cannot execute 32-bit x86 code
#   mingw32    building for 32-bit Windows (and Debian's sources for GMP and Qt)
#   wine32     running 32-bit Windows programs
#   wineroot   a root of Debian's i386 packages with Wine, where wine32 cannot be installed here
#   mingw64    building for 64-bit Windows
#   wine64     running 64-bit Windows programs and the window tests under Wine
#   packaging  checking the Debian package and building the Windows Installer packages
#   web        the web page: emscripten, GMP built for it from Debian's source, Chromium and
#              its WebDriver for the page's tests
# TRIPART_APT_FAIL="GROUP..." makes those groups fail to install, installed or not, to check
# the paths that handle it.
set -euo pipefail

run_packages=(
  build-essential cmake ninja-build pkg-config
  libgmp-dev qt6-base-dev fonts-liberation2
)
declare -A groups=(
  [native]="${run_packages[*]} file libgtest-dev libgmock-dev libbenchmark-dev qt6-base-private-dev
    xvfb xauth xdotool xclip desktop-file-utils clang libclang-rt-14-dev"
  [qt5]="qtbase5-dev qtbase5-private-dev"
  [i686]="g++-multilib libgmp-dev:i386"
  [qemu]="qemu-user-static"
  [mingw32]="g++-mingw-w64-i686 dpkg-dev xz-utils m4 autoconf automake libtool zip python3"
  [wine32]="wine wine32"
  [wineroot]="mmdebstrap arch-test"
  [mingw64]="g++-mingw-w64-x86-64 dpkg-dev xz-utils m4 autoconf automake libtool zip python3"
  [wine64]="wine wine64 xvfb xauth xdotool xclip openbox fonts-wine imagemagick"
  [packaging]="lintian appstream desktop-file-utils wixl zip"
  [web]="emscripten dpkg-dev xz-utils m4 autoconf automake libtool chromium chromium-driver python3-selenium"
)
group_order=(native qt5 i686 qemu mingw32 wine32 wineroot mingw64 wine64 packaging web)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

missing_of() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

# One index that fails (a mirror in the middle of a sync) is no reason to stop: apt-get update
# is tried a few times, and then apt-get install decides with the lists it has. Once a run.
updated=
update() {
  [ -z "$updated" ] || return 0
  updated=1
  local try
  for try in 1 2 3; do
    if "${sudo_cmd[@]}" apt-get update -qq -o DPkg::Lock::Timeout=300 >/tmp/tripart-apt-update.$$ 2>&1; then
      rm -f /tmp/tripart-apt-update.$$
      return 0
    fi
    [ "$try" = 3 ] || sleep "${TRIPART_APT_PAUSE:-5}"
  done
  echo "apt-get update failed three times; going on with the lists there are:" >&2
  grep '^[EW]:' /tmp/tripart-apt-update.$$ | head -n 3 >&2 || true
  rm -f /tmp/tripart-apt-update.$$
}

# Installs what is missing of the packages $2...; on failure prints one line naming them, the
# purpose $1 and apt's reason, and returns 1.
install() {
  local purpose=$1
  shift
  local missing forced=
  mapfile -t missing < <(missing_of "$@")
  for name in $purpose; do
    [[ " ${TRIPART_APT_FAIL:-} " != *" $name "* ]] || forced=1
  done
  if [ -n "$forced" ]; then
    echo "cannot install for $purpose: ${missing[*]:-$*} (TRIPART_APT_FAIL names it)" >&2
    return 1
  fi
  [ "${#missing[@]}" -gt 0 ] || return 0
  echo "Installing for $purpose: ${missing[*]}"
  if [[ " ${missing[*]} " == *":i386 "* || " ${missing[*]} " == *" wine32 "* ]] &&
    ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
    updated=
  fi
  update
  local log
  log=$(mktemp)
  if DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends -o DPkg::Lock::Timeout=300 \
    "${missing[@]}" >"$log" 2>&1; then
    rm -f "$log"
    return 0
  fi
  # apt names the package it cannot have on a line of its own, and the error on an E: line.
  local reason
  reason=$( (grep -E '^ [^ ].*(Depends|PreDepends|Breaks|Conflicts):' "$log" | head -n1
    grep '^E:' "$log" | head -n1) | sed 's/^ *//' | paste -sd ' ' -)
  echo "cannot install for $purpose: ${missing[*]} (apt: ${reason:-$(tail -n1 "$log")})" >&2
  rm -f "$log"
  return 1
}

packages_of() {
  local name
  for name in "$@"; do
    [ -n "${groups[$name]+x}" ] || { echo "no such group: $name" >&2; exit 2; }
    echo ${groups[$name]}
  done | tr ' ' '\n' | awk 'NF && !seen[$0]++'
}

case ${1:-} in
run)
  install "the program" "${run_packages[@]}"
  ;;
test)
  # Without the native group nothing can be tested; the stages of tools/test.sh say what they
  # could not do without any other.
  for group in "${group_order[@]}"; do
    mapfile -t packages < <(packages_of "$group")
    install "$group" "${packages[@]}" || [ "$group" != native ] || exit 1
  done
  ;;
group)
  shift
  mapfile -t packages < <(packages_of "$@")
  install "$*" "${packages[@]}"
  ;;
list)
  case ${2:-} in
  run) printf '%s\n' "${run_packages[@]}" ;;
  test) packages_of "${group_order[@]}" ;;
  '') echo "usage: $0 list run|test|GROUP" >&2; exit 2 ;;
  *) packages_of "$2" ;;
  esac
  ;;
*)
  echo "usage: $0 run | test | group NAME... | list run|test|NAME" >&2
  exit 2
  ;;
esac
