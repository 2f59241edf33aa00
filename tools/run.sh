#!/usr/bin/env bash
# Builds the program and starts it; installs only what that needs.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRIPART_UI=ON -DTRIPART_TESTS=OFF -DTRIPART_BENCH=OFF >/dev/null
cmake --build build --target tripart
exec build/ui/tripart "$@"
