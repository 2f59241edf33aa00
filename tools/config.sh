# What the tools name once, sourced by them: the project's version, and how each Windows
# architecture is called by the tools that meet it.
#   project_version              the version in CMakeLists.txt's project() line
#   arch_names i686|x86_64       sets bits (32, 64), host (the MinGW-w64 target), msi_arch (x86,
#                                x64), pe_format (objdump's name), deb_arch (Debian's, for a
#                                root of its packages) and wine_loader (the loader that starts
#                                its programs: Debian's wine script takes the 32-bit one
#                                whenever wine32 is installed)

tripart_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

project_version() {
  sed -n 's/^project(tripart VERSION \([0-9.]*\).*/\1/p' "$tripart_top/CMakeLists.txt"
}

arch_names() {
  host=$1-w64-mingw32
  case $1 in
  i686) bits=32 msi_arch=x86 pe_format=pei-i386 deb_arch=i386 wine_loader=wine ;;
  x86_64) bits=64 msi_arch=x64 pe_format=pei-x86-64 deb_arch=amd64 wine_loader=/usr/lib/wine/wine64 ;;
  *) echo "no such architecture: $1 (i686 or x86_64)" >&2; return 2 ;;
  esac
}
