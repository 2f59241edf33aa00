#!/usr/bin/env bash
# Builds everything and runs every test, stage by stage: the run command's packages, a release
# build, the same tests under AddressSanitizer and UndefinedBehaviorSanitizer, short runs of the
# fuzz targets, the suite against Qt 5.15, the library as 32-bit x86 Linux code, the library
# and the program as 32-bit and 64-bit Windows code under Wine, and the web page in Chromium.
#
# Ends with one line per stage (tools/stages.sh): passed (with its number of tests), FAILED, or
# not run with the reason, and the time it took; exits non-zero when any stage failed. A stage
# is "not run" only where the machine lacks an ability (tools/probe.sh) or a package could not
# be installed (tools/deps.sh); it still builds all it can, so that broken code is caught there
# too.
#   TRIPART_STAGES="release qt5 ..."   only these stages (default: all, in the order below)
#   TRIPART_NO_EXEC32=1                count the machine as one that cannot run 32-bit code
#   TRIPART_WINE_SHOTS=DIR             leave screenshots of the Windows programs there
# The cross-builds the chosen stages need (GMP and Qt for Windows, GMP for WebAssembly) start at
# once, at the lowest priority, beside the native stages; a stage that needs one waits only for
# that one (tools/wincross.sh), and their progress is in $log_dir/cross.log.
set -uo pipefail
cd "$(dirname "$0")/.."
source tools/stages.sh
source tools/config.sh
log_dir=build-logs
mkdir -p "$log_dir"
tools/deps.sh test 2>&1 | tee "$log_dir/deps.log"
[ "${PIPESTATUS[0]}" = 0 ] || { echo "the packages every stage needs could not be installed" >&2; exit 1; }
jobs=$(nproc)
cache=$(tools/wincross.sh cache)

# One Wine prefix and server per architecture for all the library's tests: a server per test,
# starting while the last shuts down, drops the connection now and then, and services a test
# started would hold on to its output.
# The architecture's prefix and loader (Debian's wine script takes the 32-bit loader whenever
# wine32 is installed). The prefix is this checkout's own, in its build folder: a prefix in the
# machine's cache is shared by every checkout, and the scripts that end a test session stop
# the prefix's server (wineserver -k), with any program of another run still using it.
wine_env() {
  arch_names "$1"
  export WINEPREFIX=$PWD/build-win-$1/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINE=$wine_loader
  [ "$1" = i686 ] || export WINELOADER=$wine_loader
}
# Makes this architecture's Wine ready to start (WINE, WINEPREFIX, and the server first in
# PATH) and notes which Wine it is; or returns 1 with the reason where cannot_run finds it.
# The machine's own Wine where it installs; else the one of a root of Debian's packages for the
# architecture (tools/wineroot.sh), which TRIPART_WINE_ROOT=1 asks for in any case.
wine_ready() {
  local arch=$1 why
  arch_names "$arch"
  if [ "$arch" = i686 ] && ! can exec32; then
    echo "$(cat "$stage_dir/cannot"); 32-bit Wine does not run under qemu-i386-static either (it stops at its first signal: \"segv_handler Got unexpected trap -1\")" >"$stage_dir/cannot"
    return 1
  fi
  if [ -z "${TRIPART_WINE_ROOT:-}" ]; then
    if have_packages "wine$bits" && can "wine$bits"; then
      wine_env "$arch"
      [ "$arch" = x86_64 ] || stage_note "Wine of this machine"
      return 0
    fi
    why=$(cat "$stage_dir/cannot")
  else
    why="TRIPART_WINE_ROOT is set"
  fi
  have_packages wineroot || return 1
  if ! TRIPART_ROOT_ARCH=$deb_arch \
    tools/wineroot.sh bin "$stage_dir/root-bin" >"$stage_dir/root.log" 2>&1; then
    echo "$why; and no root with Wine could be made: $(grep -m1 -E '^(E|W):|rror' "$stage_dir/root.log" || tail -n1 "$stage_dir/root.log")" >"$stage_dir/cannot"
    return 1
  fi
  wine_env "$arch"
  export PATH=$stage_dir/root-bin:$PATH WINE=$stage_dir/root-bin/wine WINEPREFIX=$PWD/build-win-$arch/wine-root
  "$WINE" --version >/dev/null 2>&1 || { echo "$why; the root's Wine does not start" >"$stage_dir/cannot"; return 1; }
  stage_note "Wine of the root $(tail -n1 "$stage_dir/root.log") (this machine's: $why)"
}
wine_for() {
  mkdir -p "$WINEPREFIX"
  wineserver -p
  "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null
  trap 'wineserver -k 2>/dev/null || true' EXIT
}
# A build configuration (CMakePresets.json), with what only this machine knows on top.
configure() {
  local preset=$1 dir
  shift
  dir=$(cmake --preset "$preset" "$@" | sed -n 's/^-- Build files have been written to: //p')
  cmake --build "$dir" -j "$jobs"
}

stage_packages() {
  tools/runcheck.sh
  counted 1
}
stage_release() {
  configure release
  run_ctest --test-dir build
}
stage_sanitizers() {
  configure sanitizers
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 run_ctest --test-dir build-asan
}
stage_fuzz() {
  tools/fuzz.sh "${TRIPART_FUZZ_SECONDS:-30}"
  counted 3
}
stage_qt5() {
  need_packages qt5
  configure qt5
  run_ctest --test-dir build-qt5
}
stage_linux_i686() {
  need_packages i686
  # A processor without 32-bit execution runs the same programs under Debian's user-mode QEMU.
  local emulator= why=
  if ! can exec32; then
    why=$(cat "$stage_dir/cannot")
    ! have_packages qemu || emulator=/usr/bin/qemu-i386-static
  fi
  configure linux-i686 -DTRIPART_I686_EMULATOR="$emulator"
  file -L build-i686/tests/calc_tests | grep -q '32-bit' || { echo "calc_tests is not 32-bit code"; exit 1; }
  if [ -n "$why" ]; then
    [ -n "$emulator" ] || cannot_run
    stage_note "under qemu-i386-static: $why"
  fi
  run_ctest --test-dir build-i686
}
# The library's tests as Windows executables.
windows_library() {
  local arch=$1 dir=build-win-$1 gmp
  arch_names "$arch"
  need_packages "mingw$bits"
  gmp=$(tools/wincross.sh "$arch" gmp | tail -n1)
  configure "win-$arch" -DTRIPART_WIN_GMP="$gmp"
  "$host-objdump" -f "$dir/tests/calc_tests.exe" | grep -q "$pe_format" ||
    { echo "calc_tests.exe is not $arch Windows code"; exit 1; }
  wine_ready "$arch" || cannot_run
  wine_for
  # One Wine process for all the cases, each case counted from the program's own report.
  local report=$PWD/$dir/tests/calc_tests.xml
  rm -f "$report"
  "$WINE" "$dir/tests/calc_tests.exe" --gtest_output="xml:Z:${report//\//\\}" </dev/null || true
  counted_gtest_xml "$report"
}
stage_win32_library() { windows_library i686; }
stage_win64_library() { windows_library x86_64; }
# The program as a Windows executable: its resources as Windows reads them, then used under
# Wine as a person would at 100 % and 150 %, the window suites and the installer package. Its
# Qt is built when it is not in the cache and the stage can run; where the architecture's
# programs cannot run, a Qt already in the cache still builds the program and checks what can
# be checked without running it.
windows_program() {
  local arch=$1 dir=build-win-$1 dpi runs=1
  arch_names "$arch"
  need_packages "mingw$bits"
  wine_ready "$arch" || runs=
  if [ -z "$runs" ] && ! tools/wincross.sh "$arch" qt --cached >/dev/null; then
    not_run "$(cat "$stage_dir/cannot"); so no Qt for $bits-bit Windows is built (tools/wincross.sh $arch qt)"
  fi
  tools/windows.sh "$arch"
  tests/windows/resources_test.py "$dir/stage/tripart.exe" "$arch" .
  counted 1
  [ -n "$runs" ] || cannot_run
  for dpi in 96 144; do
    TRIPART_WINE_DPI=$dpi tools/xsession.sh tests/windows/wine_test.sh "$dir/ui/tripart.exe" "$dir/tests/winprobe.exe" \
      build/tests/reporttexts "${TRIPART_WINE_SHOTS:+$TRIPART_WINE_SHOTS/win$bits-$dpi.png}"
    counted 1
  done
  CTEST_PREFIX=tools/xsession.sh run_ctest --test-dir "$dir" -L window -j 1
  # The installer package, in a Wine prefix of its own as on a machine that never had it.
  msi_prefix=$(mktemp -d)
  trap 'rm -rf "$msi_prefix"' EXIT
  WINEPREFIX=$msi_prefix tools/xsession.sh tests/windows/msi_test.sh "dist/tripart-$(project_version)-win$bits.msi" \
    packaging/tripart.wxs "$dir/stage" "$msi_arch"
  counted 1
}
stage_win32_program() { windows_program i686; }
stage_win64_program() { windows_program x86_64; }

# The web page: built, then used in Debian's Chromium, headless, opened from its file.
stage_web() {
  need_packages web
  tools/web.sh
  cmake --build build-web/native -j "$jobs" --target reporttexts designtable
  local out=$stage_dir/web.out status=0
  /usr/bin/python3 tests/web/page_test.py build-web/native 2>&1 | tee "$out" || status=$?
  # unittest's closing lines: "Ran N tests", then "OK" or "FAILED (failures=F, errors=E)".
  counted $(awk '/^Ran [0-9]+ test/ {ran = $2} /^FAILED \(/ {n = split($0, f, /[^0-9]+/);
    for (i = 1; i <= n; i++) failed += f[i]} END {print ran - failed, failed + 0}' "$out")
  return "$status"
}

all_stages=(packages release sanitizers fuzz qt5 linux_i686 win32_library win32_program
  win64_library win64_program web)
read -r -a stages <<<"${TRIPART_STAGES:-${all_stages[*]}}"

# What the chosen stages will cross-build, the longest first; the 32-bit Qt only where its
# programs can run (elsewhere its stage builds the program only with a Qt already cached).
cross=()
for stage in "${stages[@]}"; do
  case $stage in
  win64_program) cross+=("x86_64 qt" "x86_64 gmp") ;;
  win32_program) ! tools/probe.sh exec32 >/dev/null || cross+=("i686 qt" "i686 gmp") ;;
  esac
done
for stage in "${stages[@]}"; do
  case $stage in
  win64_library) cross+=("x86_64 gmp") ;;
  win32_library) cross+=("i686 gmp") ;;
  web) cross+=("wasm32 gmp") ;;
  esac
done
mapfile -t cross < <(printf '%s\n' "${cross[@]}" | awk 'NF && !seen[$0]++')
if [ "${#cross[@]}" -gt 0 ]; then
  # A process group of their own, so that they end with this command, however it ends.
  set -m
  (
    for item in "${cross[@]}"; do
      # A failure here is the stage's to report: it tries the build again itself.
      nice -n 19 tools/wincross.sh $item || true
    done
  ) >"$log_dir/cross.log" 2>&1 </dev/null &
  cross_pid=$!
  set +m
  echo "cross-builds started in the background, at the lowest priority: $(printf '%s, ' "${cross[@]}" | sed 's/, $//') (progress: $log_dir/cross.log)"
  trap 'kill -- -"$cross_pid" 2>/dev/null || true' EXIT
fi
run_stages "${stages[@]}"
