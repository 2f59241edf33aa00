#!/usr/bin/env bash
# Cross-builds what the Windows program and the web page link, from Debian's own source
# packages (tools/debsource.sh), with Debian's MinGW-w64 compiler (posix threads) for 32-bit
# (i686) or 64-bit (x86_64) Windows and with Debian's emscripten for WebAssembly, and keeps the
# results in a cache outside the tree, one folder per architecture, source version and
# configuration, so that later runs find them ready:
#   tools/wincross.sh ARCH gmp    GMP with its C++ interface, static
#   tools/wincross.sh ARCH qt     a static Qt 5.15 qtbase: Core, Gui, Widgets, Test and the
#                                 Windows platform plugin, with the features the program uses
#   tools/wincross.sh ARCH qt --cached    only says where a finished Qt is; fails when there is none
#   tools/wincross.sh wasm32 gmp  GMP for the web page: portable C without assembly, static
#   tools/wincross.sh cache       the cache folder
# ARCH is i686 or x86_64. Each prints the folder of what it built (or found) as its last line,
# and while it builds, what it builds, about how long that takes, where its log is, and a line
# a minute. One build of a thing at a time: a second run waits for the first and uses its result.
# TRIPART_CACHE sets the cache; it is /var/cache/tripart for root, ~/.cache/tripart otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
arch=${1:-}
what=${2:-}
only_cached=${3:-}
usage() {
  echo "usage: $0 i686|x86_64 gmp|qt [--cached] | $0 wasm32 gmp | $0 cache" >&2
  exit 2
}
if [ "$(id -u)" -eq 0 ]; then
  cache=${TRIPART_CACHE:-/var/cache/tripart}
else
  cache=${TRIPART_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tripart}
fi
if [ "$arch" = cache ]; then
  mkdir -p "$cache"
  echo "$cache"
  exit 0
fi
case $arch/$what in
i686/gmp | i686/qt | x86_64/gmp | x86_64/qt) host=$arch-w64-mingw32 ;;
wasm32/gmp) host=wasm32-emscripten ;;
*) usage ;;
esac
jobs=$(nproc)
mkdir -p "$cache"

# Runs a long build step with its output in LOG, saying what it builds, how long it took on
# this project's 2-core machines, and every minute that it is still at it (with the number of
# files compiled so far).
long_step() {
  local what=$1 expected=$2 log=$3 pid started=$SECONDS status=0
  shift 3
  echo "building $what (about $expected on this project's 2-core machines); log: $log" >&2
  "$@" >"$log" 2>&1 &
  pid=$!
  while ! wait_a_minute "$pid"; do
    echo "  ... $what: $(((SECONDS - started) / 60)) min, $(grep -c -e ' -c ' "$log" || true) files compiled" >&2
  done
  wait "$pid" || status=$?
  if [ "$status" != 0 ]; then
    tail -n 40 "$log" >&2
    echo "building $what failed (log: $log)" >&2
    exit 1
  fi
  echo "built $what in $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s" >&2
}
# Whether the process ended within a minute.
wait_a_minute() {
  local _
  for _ in $(seq 60); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 1
  done
  return 1
}
# Takes the lock of one build; says so when another run holds it, and waits, saying every
# minute that it still waits.
# A build started at low priority (the test command's background builds) that a run now waits
# for gets the waiting run's priority.
lock_build() {
  local name=$1 started=$SECONDS holder group
  exec {build_lock}>"$cache/.lock-$name"
  if ! flock -n "$build_lock"; then
    echo "waiting for $name, which another run is building (its log: $cache/build/$name/)" >&2
    holder=$(cat "$cache/.lock-$name.pid" 2>/dev/null) || true
    if [ -n "$holder" ] && group=$(ps -o pgid= -p "$holder" 2>/dev/null); then
      renice -n "$(nice)" -g $group >/dev/null 2>&1 || true
    fi
    until flock -w 60 "$build_lock"; do
      echo "  ... still waiting for $name: $(((SECONDS - started) / 60)) min" >&2
    done
  fi
  echo $$ >"$cache/.lock-$name.pid"
}

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
  version=$(tools/debsource.sh version gmp)
  prefix=$cache/gmp-${version//[:+~]/_}-$host
  if [ ! -f "$prefix/.done" ]; then
    lock_build "$(basename "$prefix")"
  fi
  if [ ! -f "$prefix/.done" ]; then
    work=$cache/build/$(basename "$prefix")
    rm -rf "$work" "$prefix"
    mkdir -p "$work/build"
    tools/debsource.sh unpack gmp "$version" "$work/src"
    # Debian's patches take the documentation out of the build files; regenerate them as its
    # own build does.
    (cd "$work/src" && autoreconf -fi >"$work/autoreconf.log" 2>&1) || { tail -n 30 "$work/autoreconf.log" >&2; exit 1; }
    if [ "$arch" = wasm32 ]; then
      # No CPU GMP knows: its portable C code, which WebAssembly runs as it is.
      configure=(emconfigure "$work/src/configure" --host=none --disable-assembly)
      make=(emmake make)
      expected="3 to 10 min"
    else
      configure=("$work/src/configure" --host=$host)
      make=(make)
      expected="1 to 6 min"
    fi
    build_gmp() {
      cd "$work/build"
      "${configure[@]}" --prefix="$prefix" --enable-cxx --disable-shared --enable-static \
        CFLAGS=-O2 CXXFLAGS=-O2 && "${make[@]}" -j "$jobs" && "${make[@]}" -j "$jobs" install
    }
    long_step "GMP $version for $host" "$expected" "$work/build.log" build_gmp
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
  # code is optimised for size (-Os): the executable is a third smaller (16 MB become 11); the
  # program's own code keeps its build's flags. The window is made of labels, one-line and
  # multi-line text boxes, buttons, a check box, a scroll bar, frames, a menu bar and message
  # boxes in the Fusion style: the item views and models' widgets, the dialogs it never opens,
  # tool bars, docks, tabs, spin boxes, date editors, the style-sheet and Vista styles, the
  # system tray, undo, state machines and the image formats it never reads are left out.
  options=(-opensource -confirm-license -release -optimize-size -static -static-runtime -xplatform win32-g++
    -device-option CROSS_COMPILE=$host- -nomake examples -nomake tests -no-opengl -no-dbus -no-icu
    -no-openssl -no-sql-sqlite -no-feature-sql -no-feature-network -no-feature-xml
    -no-feature-printer -no-feature-concurrent -qt-zlib -qt-libpng -no-libjpeg -qt-pcre
    -qt-harfbuzz -no-freetype -no-feature-vulkan -no-feature-tabletevent -no-feature-pdf
    -no-feature-textodfwriter -no-feature-graphicsview -no-feature-mdiarea
    -no-feature-calendarwidget -no-feature-colordialog -no-feature-fontdialog -no-feature-wizard
    -no-feature-direct2d
    -no-feature-itemviews -no-feature-combobox -no-feature-completer -no-feature-fscompleter
    -no-feature-filesystemmodel -no-feature-dirmodel -no-feature-filedialog -no-feature-inputdialog
    -no-feature-progressdialog -no-feature-errormessage -no-feature-textbrowser
    -no-feature-syntaxhighlighter -no-feature-dockwidget -no-feature-toolbar -no-feature-toolbox
    -no-feature-tabwidget -no-feature-tabbar -no-feature-splitter -no-feature-spinbox
    -no-feature-datetimeedit -no-feature-fontcombobox -no-feature-keysequenceedit
    -no-feature-commandlinkbutton -no-feature-lcdnumber -no-feature-dial -no-feature-splashscreen
    -no-feature-undocommand -no-feature-undostack -no-feature-undogroup -no-feature-undoview
    -no-feature-columnview -no-feature-datawidgetmapper -no-feature-treewidget
    -no-feature-listwidget -no-feature-tablewidget -no-feature-style-windowsvista
    -no-feature-style-stylesheet -no-feature-systemtrayicon -no-feature-sessionmanager
    -no-feature-movie -no-feature-gif -no-feature-ico -no-feature-textmarkdownreader
    -no-feature-textmarkdownwriter -no-feature-tuiotouch -no-feature-mimetype
    -no-feature-sharedmemory -no-feature-systemsemaphore -no-feature-statemachine)
  version=$(tools/debsource.sh version qtbase-opensource-src)
  # Another configuration is another Qt: its own folder.
  config=$(printf '%s\n' "${options[@]}" | sha1sum | cut -c1-8)
  prefix=$cache/qtbase-${version//[:+~]/_}-$host-static-$config
  if [ "$only_cached" = --cached ] && [ ! -f "$prefix/.done" ]; then
    exit 1
  fi
  # A finished one is used at once, also while another configuration is being built.
  if [ ! -f "$prefix/.done" ]; then
    lock_build "$(basename "$prefix")"
  fi
  if [ ! -f "$prefix/.done" ]; then
    work=$cache/build/$(basename "$prefix")
    # Always from a fresh tree: configuring an old one again makes qmake rewrite qconfig.h and
    # everything is compiled twice.
    rm -rf "$work" "$prefix"
    tools/debsource.sh unpack qtbase-opensource-src "$version" "$work/src"
    mkdir -p "$work/build"
    build_qt() {
      cd "$work/build"
      # configure builds qmake with a plain make: MAKEFLAGS lets it use every core.
      MAKEFLAGS=-j$jobs "$work/src/configure" -prefix "$prefix" "${options[@]}" &&
        make -j "$jobs" && make -j "$jobs" install
    }
    long_step "Qt $version for $host" "12 to 25 min" "$work/build.log" build_qt
    touch "$prefix/.done"
    rm -rf "$work"
  fi
  echo "$prefix"
  ;;
esac
