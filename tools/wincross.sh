#!/usr/bin/env bash
# Cross-builds what the 32-bit Windows program links, from Debian's own source packages, with
# Debian's MinGW-w64 i686 compiler (posix threads), and keeps the results in a cache outside the
# tree, one folder per source version, so that later runs find them ready:
#   tools/wincross.sh gmp    GMP with its C++ interface, static          (a few minutes)
#   tools/wincross.sh qt     a static Qt 5.15 qtbase: Core, Gui, Widgets and the Windows
#                            platform plugin                               (long: see README)
#   tools/wincross.sh qt --cached    only says where a finished Qt is; fails when there is none
#   tools/wincross.sh cache          the cache folder (the Wine prefix of the tests lives there)
# Each prints the folder of what it built (or found) as its last line.
# TRIPART_CACHE sets the cache; it is /var/cache/tripart for root, ~/.cache/tripart otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:?gmp, qt or cache}
only_cached=${2:-}

if [ "$(id -u)" -eq 0 ]; then
  cache=${TRIPART_CACHE:-/var/cache/tripart}
else
  cache=${TRIPART_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tripart}
fi
host=i686-w64-mingw32
jobs=$(nproc)
if [ "$what" = cache ]; then
  mkdir -p "$cache"
  echo "$cache"
  exit 0
fi

# Debian's sources through a private apt configuration: the system's own lists stay as they are.
apt_dir=$cache/apt
apt_opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o "Dir::State::Lists=$apt_dir/lists" -o Debug::NoDropPrivs=true)
source_version() {
  apt-cache "${apt_opts[@]}" showsrc "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -V | tail -n1
}
ensure_sources_list() {
  if [ ! -f "$apt_dir/sources.list" ] || [ -z "$(source_version "$1")" ]; then
    mkdir -p "$apt_dir/lists/partial"
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main" \
      >"$apt_dir/sources.list"
    apt-get "${apt_opts[@]}" update -qq >&2
  fi
}
# Unpacks (patches applied) the source package $1 at version $2 into $3.
unpack() {
  local package=$1 version=$2 into=$3 src=$cache/src
  [ -d "$into" ] && return
  mkdir -p "$src" "$(dirname "$into")"
  (cd "$src" && apt-get "${apt_opts[@]}" source --download-only -qq "$package=$version" >&2)
  # apt has checked the files against the signed index; the keyring dpkg-source would check the
  # signature of the .dsc with is no build dependency, so its warning about it is dropped.
  dpkg-source -x "$src/${package}_${version#*:}.dsc" "$into" >/dev/null 2>&1 ||
    dpkg-source -x "$src/${package}_${version#*:}.dsc" "$into"
}

# The compiler names the Qt and GMP builds look for, bound to the posix-threads variant that
# CMake uses for the program, so that everything links against one runtime.
bin=$cache/bin-$host
mkdir -p "$bin"
for tool in gcc g++; do
  ln -sf "$(command -v "$host-$tool-posix")" "$bin/$host-$tool"
done
export PATH=$bin:$PATH

case $what in
gmp)
  ensure_sources_list gmp
  version=$(source_version gmp)
  prefix=$cache/gmp-${version//[:+~]/_}-$host
  if [ ! -f "$prefix/.done" ]; then
    work=$cache/build/gmp-${version//[:+~]/_}
    rm -rf "$work" "$prefix"
    unpack gmp "$version" "$work/src"
    # Debian's patches take the documentation out of the build files; regenerate them as its
    # own build does.
    (cd "$work/src" && autoreconf -fi >"$work/autoreconf.log" 2>&1) || { tail -n 30 "$work/autoreconf.log" >&2; exit 1; }
    mkdir -p "$work/build"
    (cd "$work/build" && "$work/src/configure" --host=$host --prefix="$prefix" --enable-cxx \
      --disable-shared --enable-static CFLAGS=-O2 CXXFLAGS=-O2 >"$work/configure.log" 2>&1 &&
      make -j "$jobs" >"$work/make.log" 2>&1 && make -j "$jobs" install >"$work/install.log" 2>&1) ||
      { tail -n 30 "$work"/*.log >&2; exit 1; }
    touch "$prefix/.done"
    rm -rf "$work"
  fi
  echo "$prefix"
  ;;
qt)
  ensure_sources_list qtbase-opensource-src
  version=$(source_version qtbase-opensource-src)
  prefix=$cache/qtbase-${version//[:+~]/_}-$host-static
  if [ "$only_cached" = --cached ] && [ ! -f "$prefix/.done" ]; then
    exit 1
  fi
  if [ ! -f "$prefix/.done" ]; then
    work=$cache/build/qtbase-${version//[:+~]/_}
    # Always from a fresh tree: configuring an old one again makes qmake rewrite qconfig.h and
    # everything is compiled twice.
    rm -rf "$work" "$prefix"
    unpack qtbase-opensource-src "$version" "$work/src"
    mkdir -p "$work/build"
    # Only what a widgets program needs; the platform plugin and the static runtime make an
    # executable that needs no DLL beyond Windows' own. Debian's source leaves out the Wintab
    # headers (their licence), so tablet events are off.
    (cd "$work/build" && "$work/src/configure" -prefix "$prefix" -opensource -confirm-license \
      -release -static -static-runtime -xplatform win32-g++ -device-option CROSS_COMPILE=$host- \
      -nomake examples -nomake tests -no-opengl -no-dbus -no-icu -no-openssl -no-sql-sqlite \
      -no-feature-sql -no-feature-network -no-feature-testlib -no-feature-xml -no-feature-printer \
      -no-feature-concurrent -qt-zlib -qt-libpng -no-libjpeg -qt-pcre -qt-harfbuzz -qt-freetype \
      -no-feature-vulkan -no-feature-tabletevent >"$work/configure.log" 2>&1 &&
      make -j "$jobs" >"$work/make.log" 2>&1 && make -j "$jobs" install >"$work/install.log" 2>&1) ||
      { tail -n 40 "$work"/*.log >&2; exit 1; }
    touch "$prefix/.done"
    rm -rf "$work"
  fi
  echo "$prefix"
  ;;
*)
  echo "usage: $0 gmp|qt [--cached]|cache" >&2
  exit 2
  ;;
esac
