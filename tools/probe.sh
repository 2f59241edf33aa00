#!/usr/bin/env bash
# Tells whether this machine can do one thing the tests need; exits 0 when it can, and otherwise
# prints the reason on one line and exits 1:
#   tools/probe.sh exec32    run 32-bit x86 Linux code (a tiny -m32 program, built and started)
#   tools/probe.sh wine32    run 32-bit Windows programs (32-bit code and Debian's wine32)
#   tools/probe.sh wine64    run 64-bit Windows programs (Debian's wine64)
# TRIPART_NO_EXEC32=1 makes exec32 and wine32 answer "cannot", so that the stages' paths for a
# machine without 32-bit execution are checked on a machine that has it.
set -euo pipefail

exec32() {
  if [ -n "${TRIPART_NO_EXEC32:-}" ]; then
    echo "TRIPART_NO_EXEC32 is set: the machine counts as one that cannot execute 32-bit x86 code"
    return 1
  fi
  local work out
  work=$(mktemp -d)
  printf 'int main(void) { return sizeof(void*) == 4 ? 0 : 1; }\n' >"$work/p.c"
  if ! gcc -m32 "$work/p.c" -o "$work/p" 2>"$work/err"; then
    echo "cannot build 32-bit x86 code: $(head -n1 "$work/err")"
    rm -rf "$work"
    return 1
  fi
  if ! out=$("$work/p" 2>&1); then
    echo "this machine cannot execute 32-bit x86 code (${out##*: })"
    rm -rf "$work"
    return 1
  fi
  rm -rf "$work"
}

loader() {
  local loader=$1 package=$2 out
  [ -x "$loader" ] || { echo "$package is not installed"; return 1; }
  out=$("$loader" --version 2>&1) || { echo "$loader does not start: $(head -n1 <<<"$out")"; return 1; }
}

case ${1:-} in
exec32) exec32 ;;
wine32) exec32 && loader /usr/lib/wine/wine wine32 ;;
wine64) loader /usr/lib/wine/wine64 wine64 ;;
*) echo "usage: $0 exec32|wine32|wine64" >&2; exit 2 ;;
esac
