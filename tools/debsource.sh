#!/usr/bin/env bash
# Debian's own archive, as this machine's apt is set up for it, and the source packages the
# cross-builds are made from.
#   debsource.sh archive [CODENAME]           the archive apt takes its release from (one-line
#                                             and deb822 sources alike): its address on the
#                                             first line, on the second the keyring its entry
#                                             names (empty when apt's trusted keys apply)
#   debsource.sh version PACKAGE              the newest version of that source package
#   debsource.sh unpack PACKAGE VERSION DIR   its source, Debian's patches applied, in DIR
#   debsource.sh orig PACKAGE VERSION         the path of its upstream tarball
# The sources come through an apt configuration of their own in the cache (tools/wincross.sh
# cache) with a deb-src line for that archive, so the machine's own lists stay as they are; the
# scripts follow whatever mirror a machine is set up with.
set -euo pipefail
tools=$(dirname "$0")

archive() {
  local codename=${1:-$(. /etc/os-release && echo "$VERSION_CODENAME")} uri bare keyring
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
}

[ "${1:-}" != archive ] || { archive "${2:-}"; exit 0; }

cache=$("$tools/wincross.sh" cache)
apt_dir=$cache/apt
src=$cache/src
apt_opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o "Dir::State::Lists=$apt_dir/lists" -o Debug::NoDropPrivs=true)
newest() {
  apt-cache "${apt_opts[@]}" showsrc "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -V | tail -n1
}
# The deb-src line and its index, fetched once; two builds may start side by side.
sources_for() {
  mkdir -p "$apt_dir/lists/partial"
  exec {lock}>"$apt_dir/.lock"
  flock "$lock"
  if [ ! -f "$apt_dir/sources.list" ] || [ -z "$(newest "$1")" ]; then
    local where
    where=$(archive)
    local uri keyring
    uri=$(sed -n 1p <<<"$where")
    keyring=$(sed -n 2p <<<"$where")
    echo "deb-src ${keyring:+[signed-by=$keyring] }$uri $(. /etc/os-release && echo "$VERSION_CODENAME") main" \
      >"$apt_dir/sources.list"
    apt-get "${apt_opts[@]}" update -qq >&2
  fi
  flock -u "$lock"
}
download() {
  local package=$1 version=$2
  mkdir -p "$src"
  [ -f "$src/${package}_${version#*:}.dsc" ] ||
    (cd "$src" && apt-get "${apt_opts[@]}" source --download-only -qq "$package=$version" 2>&1 |
      grep -v '^W: Download is performed unsandboxed' >&2 || true)
  [ -f "$src/${package}_${version#*:}.dsc" ] || { echo "could not download the source of $package $version" >&2; exit 1; }
}

case ${1:-} in
version)
  sources_for "$2"
  newest "$2"
  ;;
unpack)
  package=$2 version=$3 into=$4
  [ -d "$into" ] && exit 0
  sources_for "$package"
  download "$package" "$version"
  mkdir -p "$(dirname "$into")"
  # apt has checked the files against the signed index; the keyring dpkg-source would check the
  # signature of the .dsc with is no build dependency, so its warning about it is dropped.
  dpkg-source -x "$src/${package}_${version#*:}.dsc" "$into" >/dev/null 2>&1 ||
    dpkg-source -x "$src/${package}_${version#*:}.dsc" "$into"
  ;;
orig)
  package=$2 version=$3
  sources_for "$package"
  download "$package" "$version"
  upstream=${version#*:}
  ls "$src/${package}_${upstream%-*}".orig.tar.*
  ;;
*)
  echo "usage: $0 archive [CODENAME] | version PACKAGE | unpack PACKAGE VERSION DIR | orig PACKAGE VERSION" >&2
  exit 2
  ;;
esac
