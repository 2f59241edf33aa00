#!/usr/bin/env bash
# Installs the Debian packages still missing for one purpose:
#   tools/deps.sh run     what building and starting the program needs
#   tools/deps.sh test    all of that, and what the tests, benchmarks, fuzzing and the other
#                         platforms need
#   tools/deps.sh list run|test   prints the list and installs nothing
set -euo pipefail

run_packages=(
  build-essential cmake ninja-build pkg-config
  libgmp-dev qt6-base-dev fonts-liberation2
)
test_packages=(
  "${run_packages[@]}"
  file libgtest-dev libgmock-dev libbenchmark-dev qt6-base-private-dev
  xvfb xauth xdotool xclip desktop-file-utils
  clang libclang-rt-14-dev
  qtbase5-dev qtbase5-private-dev
  g++-multilib libgmp-dev:i386
  g++-mingw-w64-i686 wine32 wine dpkg-dev xz-utils m4 autoconf automake libtool zip
)

case ${1:-} in
run) packages=("${run_packages[@]}") ;;
test) packages=("${test_packages[@]}") ;;
list)
  case ${2:-} in
  run) printf '%s\n' "${run_packages[@]}" ;;
  test) printf '%s\n' "${test_packages[@]}" ;;
  *) echo "usage: $0 list run|test" >&2; exit 2 ;;
  esac
  exit 0
  ;;
*) echo "usage: $0 run|test|list run|test" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  # The 32-bit builds take GMP and Wine from Debian's i386 packages.
  if [[ " ${missing[*]} " == *":i386 "* || " ${missing[*]} " == *" wine32 "* ]] &&
    ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
