#!/usr/bin/env bash
# Builds the web edition, dist/tripart.html: the library and the window's design compiled to
# WebAssembly by Debian's emscripten against GMP built for it (tools/wincross.sh wasm32 gmp),
# and the page around them, in one file that opens from a disk without a server or a network.
#   tools/web.sh
# The page's icon is the desktop's, drawn by the program's own code in a native build
# (build-web/native), which the web stage's tests use as well.
set -euo pipefail
cd "$(dirname "$0")/.."
# Debian's emscripten finds the Node.js modules it needs (acorn) only in Debian's folder.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
native=build-web/native
wasm=build-web/wasm
jobs=$(nproc)

gmp=$(tools/wincross.sh wasm32 gmp | tail -n1)

cmake --preset web-native >/dev/null
cmake --build "$native" -j "$jobs" --target tripart_icons

mkdir -p "$wasm"
shell=$wasm/shell.html
icons=
for size in 16 32; do
  icons+="<link rel=\"icon\" sizes=\"${size}x$size\" href=\"data:image/png;base64,$(base64 -w0 "$native/ui/icons/tripart-$size.png")\">"
done
sed "s|<!-- icons -->|$icons|" web/shell.html >"$shell.new"
# Left as it is when nothing changed, so that the page is not linked again for nothing.
if cmp -s "$shell.new" "$shell"; then rm "$shell.new"; else mv "$shell.new" "$shell"; fi

cmake --preset web -DTRIPART_WASM_GMP="$gmp" -DTRIPART_PAGE_SHELL="$PWD/$shell" >/dev/null
cmake --build "$wasm" -j "$jobs" --target tripart_page
mkdir -p dist
cp "$wasm/web/tripart.html" dist/tripart.html
echo "dist/tripart.html: $(stat -c %s dist/tripart.html) bytes"
