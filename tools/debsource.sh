#!/usr/bin/env bash
# Prints the Debian archive this machine's apt takes its release from, as apt itself reads the
# sources (one-line and deb822 files alike): its address on the first line and, on the second,
# the keyring its entry names (empty when the entry names none and apt's trusted keys apply).
# The scripts that fetch Debian's sources or make a root of another architecture follow it, so
# that they use whatever mirror a machine is set up with.
#   tools/debsource.sh [CODENAME]     (default: this machine's release)
set -euo pipefail
codename=${1:-$(. /etc/os-release && echo "$VERSION_CODENAME")}
uri=$(apt-get indextargets --format '$(REPO_URI)' "Release: $codename" "Target-Of: deb" | head -n1)
if [ -z "$uri" ]; then
  echo "apt has no index of $codename: run apt-get update, or add the release to the sources" >&2
  exit 1
fi
bare=${uri%/}
keyring=$(
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    grep -E "^deb .*signed-by=[^] ]+.*[ ]$bare/? " | sed -E 's/.*signed-by=([^] ]+).*/\1/' | head -n1
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    # A stanza is the lines up to an empty one.
    awk -v uri="$bare" 'BEGIN { RS = ""; FS = "\n" }
      { hit = 0; key = ""
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^URIs:/ && (index($i " ", " " uri " ") || index($i " ", " " uri "/ "))) hit = 1
          if ($i ~ /^Signed-By: *\//) { key = $i; sub(/^Signed-By: */, "", key) }
        }
        if (hit && key != "") print key }' "$file"
  done | head -n1
)
echo "$uri"
echo "$keyring"
