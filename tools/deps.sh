#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those still missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config file
  libgmp-dev libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev fonts-liberation2
  xvfb xauth xdotool xclip desktop-file-utils
  clang libclang-rt-14-dev
  qtbase5-dev
  g++-multilib libgmp-dev:i386
  g++-mingw-w64-i686
)

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
  # The 32-bit build takes GMP from Debian's i386 packages.
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
