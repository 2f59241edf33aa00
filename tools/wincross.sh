#!/usr/bin/env bash
# Cross-builds what the Windows program links, from Debian's own source packages, with Debian's
# MinGW-w64 compiler (posix threads) for 32-bit (i686) or 64-bit (x86_64) Windows, and keeps the
# results in a cache outside the tree, one folder per architecture, source version and
# configuration, so that later runs find them ready:
#   tools/wincross.sh ARCH gmp    GMP with its C++ interface, static     (a few minutes)
#   tools/wincross.sh ARCH qt     a static Qt 5.15 qtbase: Core, Gui, Widgets, Test and the
#                                 Windows platform plugin                 (long: see README)
#   tools/wincross.sh ARCH qt --cached    only says where a finished Qt is; fails when there is none
#   tools/wincross.sh wasm32 gmp  GMP for the web page: WebAssembly with Debian's emscripten,
#                                 portable C without assembly, static     (a few minutes)
#   tools/wincross.sh cache       the cache folder (the Wine prefixes of the tests live there)
#   tools/wincross.sh version gmp|qtbase-opensource-src    the Debian source version used
# ARCH is i686 or x86_64. Each prints the folder of what it built (or found) as its last line.
# TRIPART_CACHE sets the cache; it is /var/cache/tripart for root, ~/.cache/tripart otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = cache ] || [ "${1:-}" = version ]; then
  arch=
  what=$1
  package=${2:-}
else
  arch=${1:-}
  what=${2:-}
  only_cached=${3:-}
  case $arch in
  i686 | x86_64) ;;
  wasm32) [ "$what" = gmp ] || { echo "usage: $0 wasm32 gmp" >&2; exit 2; } ;;
  *) echo "usage: $0 i686|x86_64 gmp|qt [--cached] | $0 wasm32 gmp | $0 cache" >&2; exit 2 ;;
  esac
fi

if [ "$(id -u)" -eq 0 ]; then
  cache=${TRIPART_CACHE:-/var/cache/tripart}
else
  cache=${TRIPART_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tripart}
fi
host=$arch-w64-mingw32
[ "$arch" != wasm32 ] || host=wasm32-emscripten
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
  mkdir -p "$apt_dir/lists/partial"
  # Two builds may start side by side; one of them fetches the index.
  exec {lock}>"$apt_dir/.lock"
  flock "$lock"
  if [ ! -f "$apt_dir/sources.list" ] || [ -z "$(source_version "$1")" ]; then
    # The archive and keyring this machine's apt uses, whatever mirror that is.
    local source uri keyring
    source=$(tools/debsource.sh)
    uri=$(sed -n 1p <<<"$source")
    keyring=$(sed -n 2p <<<"$source")
    echo "deb-src ${keyring:+[signed-by=$keyring] }$uri $(. /etc/os-release && echo "$VERSION_CODENAME") main" \
      >"$apt_dir/sources.list"
    apt-get "${apt_opts[@]}" update -qq >&2
  fi
  flock -u "$lock"
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

if [ "$what" = version ]; then
  ensure_sources_list "$package"
  source_version "$package"
  exit 0
fi

# The compiler names the Qt and GMP builds look for, bound to the posix-threads variant that
# CMake uses for the program, so that everything links against one runtime.
if [ "$arch" = wasm32 ]; then
  # Debian's emscripten finds the Node.js modules it needs (acorn) only in Debian's folder.
  export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
else
  bin=$cache/bin-$host
  mkdir -p "$bin"
  for tool in gcc g++; do
    ln -sf "$(command -v "$host-$tool-posix")" "$bin/$host-$tool"
  done
  export PATH=$bin:$PATH
fi

case $what in
gmp)
  ensure_sources_list gmp
  version=$(source_version gmp)
  prefix=$cache/gmp-${version//[:+~]/_}-$host
  # One build at a time; a second one waits and then finds it done.
  exec {build_lock}>"$cache/.lock-gmp-$host"
  flock "$build_lock"
  if [ ! -f "$prefix/.done" ]; then
    work=$cache/build/gmp-${version//[:+~]/_}-$host
    rm -rf "$work" "$prefix"
    unpack gmp "$version" "$work/src"
    # Debian's patches take the documentation out of the build files; regenerate them as its
    # own build does.
    (cd "$work/src" && autoreconf -fi >"$work/autoreconf.log" 2>&1) || { tail -n 30 "$work/autoreconf.log" >&2; exit 1; }
    mkdir -p "$work/build"
    if [ "$arch" = wasm32 ]; then
      # No CPU GMP knows: its portable C code, which WebAssembly runs as it is.
      configure=(emconfigure "$work/src/configure" --host=none --disable-assembly)
      make=(emmake make)
    else
      configure=("$work/src/configure" --host=$host)
      make=(make)
    fi
    (cd "$work/build" && "${configure[@]}" --prefix="$prefix" --enable-cxx \
      --disable-shared --enable-static CFLAGS=-O2 CXXFLAGS=-O2 >"$work/configure.log" 2>&1 &&
      "${make[@]}" -j "$jobs" >"$work/make.log" 2>&1 && "${make[@]}" -j "$jobs" install >"$work/install.log" 2>&1) ||
      { tail -n 30 "$work"/*.log >&2; exit 1; }
    touch "$prefix/.done"
    rm -rf "$work"
  fi
  echo "$prefix"
  ;;
qt)
  # Only what the program and its window tests use; the platform plugin and the static runtime
  # make an executable that needs no DLL beyond Windows' own. Debian's source leaves out the
  # Wintab headers (their licence), so tablet events are off. The Windows font engine draws
  # the text, so FreeType is not built; the Direct2D platform plugin is never loaded. Qt's own
  # code is optimised for size (-Os): the executable is a third smaller (16 MB become 11) and
  # Qt builds a little faster; the program's own code keeps its build's flags.
  options=(-opensource -confirm-license -release -optimize-size -static -static-runtime -xplatform win32-g++
    -device-option CROSS_COMPILE=$host- -nomake examples -nomake tests -no-opengl -no-dbus -no-icu
    -no-openssl -no-sql-sqlite -no-feature-sql -no-feature-network -no-feature-xml
    -no-feature-printer -no-feature-concurrent -qt-zlib -qt-libpng -no-libjpeg -qt-pcre
    -qt-harfbuzz -no-freetype -no-feature-vulkan -no-feature-tabletevent -no-feature-pdf
    -no-feature-textodfwriter -no-feature-graphicsview -no-feature-mdiarea
    -no-feature-calendarwidget -no-feature-colordialog -no-feature-fontdialog -no-feature-wizard
    -no-feature-direct2d)
  ensure_sources_list qtbase-opensource-src
  version=$(source_version qtbase-opensource-src)
  # Another configuration is another Qt: its own folder.
  config=$(printf '%s\n' "${options[@]}" | sha1sum | cut -c1-8)
  prefix=$cache/qtbase-${version//[:+~]/_}-$host-static-$config
  if [ "$only_cached" = --cached ] && [ ! -f "$prefix/.done" ]; then
    exit 1
  fi
  # One build of a configuration at a time; a finished one is used at once, also while another
  # configuration is being built.
  if [ ! -f "$prefix/.done" ]; then
    exec {build_lock}>"$cache/.lock-$(basename "$prefix")"
    flock "$build_lock"
  fi
  if [ ! -f "$prefix/.done" ]; then
    work=$cache/build/$(basename "$prefix")
    # Always from a fresh tree: configuring an old one again makes qmake rewrite qconfig.h and
    # everything is compiled twice.
    rm -rf "$work" "$prefix"
    unpack qtbase-opensource-src "$version" "$work/src"
    mkdir -p "$work/build"
    (cd "$work/build" && "$work/src/configure" -prefix "$prefix" "${options[@]}" >"$work/configure.log" 2>&1 &&
      make -j "$jobs" >"$work/make.log" 2>&1 && make -j "$jobs" install >"$work/install.log" 2>&1) ||
      { tail -n 40 "$work"/*.log >&2; exit 1; }
    touch "$prefix/.done"
    rm -rf "$work"
  fi
  echo "$prefix"
  ;;
*)
  echo "usage: $0 i686|x86_64 gmp|qt [--cached] | $0 cache" >&2
  exit 2
  ;;
esac
