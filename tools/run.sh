#!/usr/bin/env bash
# Builds the program and starts it; installs only what that needs.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh run
cmake --preset runonly >/dev/null
cmake --build build-runonly --target tripart
exec build-runonly/ui/tripart "$@"
