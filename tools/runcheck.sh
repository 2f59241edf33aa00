#!/usr/bin/env bash
# Checks that the run command's packages are enough to build the program: its list is a strict
# subset of the test command's, and a build of the program alone uses no file (compiler,
# header, CMake package, library) that comes from outside those packages and what they depend
# on. Passes or says what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
fail() { echo "FAIL: $*" >&2; exit 1; }

mapfile -t run < <(tools/deps.sh list run)
mapfile -t test < <(tools/deps.sh list test)
for p in "${run[@]}"; do
  [[ " ${test[*]} " == *" $p "* ]] || fail "$p is installed for running but not for testing"
done
[ "${#test[@]}" -gt "${#run[@]}" ] || fail "the run list is not smaller than the test list"

dir=build-runonly
cmake --preset runonly >/dev/null
cmake --build $dir --target tripart >/dev/null

# Every file the build used: headers, the libraries the program loads, the CMake package files
# and the tools.
used=$(mktemp)
trap 'rm -f "$used"' EXIT
{
  ninja -C $dir -t deps | sed -n 's/^    //p'
  ldd $dir/ui/tripart | sed -n 's/.*=> \(\/[^ ]*\).*/\1/p'
  for d in $(sed -n 's/^[A-Za-z0-9_]*_DIR:[A-Z]*=\(\/.*\)/\1/p' $dir/CMakeCache.txt); do
    ls "$d"/*onfig.cmake 2>/dev/null || true
  done
  for tool in "$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' $dir/CMakeCache.txt)" cmake ninja pkg-config; do
    command -v "$tool"
  done
} | grep -v "^$PWD/" | xargs -r realpath -s | sort -u >"$used"

# Their packages. dpkg knows a file by the path it was shipped under; with /lib a link to
# /usr/lib, a file found under one may be shipped under the other.
owners=$(mktemp)
trap 'rm -f "$used" "$owners"' EXIT
while read -r path; do
  for candidate in "$path" "${path/#\/usr\/lib\//\/lib\/}" "${path/#\/lib\//\/usr\/lib\/}" \
    "$(realpath "$path")"; do
    if owner=$(dpkg -S "$candidate" 2>/dev/null); then
      echo "${owner%%: *}" | tr ', ' '\n\n' | sed 's/:.*//' | grep . >>"$owners"
      continue 2
    fi
  done
  fail "the program's build uses $path, which no package installed"
done < <(xargs -r dpkg -S <"$used" 2>&1 >/dev/null | sed -n 's/^dpkg-query: no path found matching pattern //p')
xargs -r dpkg -S <"$used" 2>/dev/null | sed 's/: .*//' | tr ', ' '\n\n' | sed 's/:.*//' | grep . >>"$owners" || true

closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
  --no-replaces --no-enhances "${run[@]}" 2>/dev/null | grep -v '^ ' | grep -v '^<' | sed 's/:.*//' | sort -u)
outside=$(comm -23 <(sort -u "$owners") <(echo "$closure") | tr '\n' ' ')
[ -z "$outside" ] || fail "the program's build uses packages the run command does not install: $outside"
echo "run packages: ${#run[@]} of ${#test[@]}; the program builds from them alone ($(wc -l <"$used") files checked)"
