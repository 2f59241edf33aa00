#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRIPART_UI=ON >/dev/null
cmake --build build --target tripart
exec build/ui/tripart "$@"
