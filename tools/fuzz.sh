#!/usr/bin/env bash
# Builds the fuzz targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer included)
# and runs each on its seed corpus for the given number of seconds (30 unless told).
#   tools/fuzz.sh          short runs, as CI does
#   tools/fuzz.sh 3600     an hour per target
# A finding stops the run; its input lands in build-fuzz/findings/. Add it to the target's
# seed corpus in fuzz/corpus/ once it is fixed, so that every later run replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
tools/deps.sh group native
cmake --preset fuzz >/dev/null
cmake --build build-fuzz -j "$(nproc)"

mkdir -p build-fuzz/findings
for target in starttext formula run; do
  work=build-fuzz/corpus/$target
  mkdir -p "$work"
  echo "fuzz_$target: $seconds s"
  build-fuzz/fuzz/fuzz_$target -max_total_time="$seconds" -rss_limit_mb=1024 -malloc_limit_mb=256 \
    -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$target-" "$work" "fuzz/corpus/$target" \
    >"build-fuzz/fuzz_$target.log" 2>&1 || { tail -n 40 "build-fuzz/fuzz_$target.log"; exit 1; }
  grep -E '^stat::number_of_executed_units|^Done' "build-fuzz/fuzz_$target.log"
done
