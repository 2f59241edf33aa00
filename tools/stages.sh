# Runs the stages of a test command and sums them up; sourced by tools/test.sh.
#
# A stage is a shell function stage_NAME. It runs in a subshell under `set -e`, its output shown
# and kept in $log_dir/NAME.log. It ends "not run" only through need_packages (a package that
# could not be installed) or cannot_run (an ability the machine lacks, after `can` said so), and
# adds its tests to the count through `counted` or run_ctest.
#
# run_stages NAME... prints one line per stage, passed (with its number of tests), FAILED, or
# not run with the reason, and the time it took; then the total as "tests: N passed, N failed".
# It returns 1 when any stage failed. Call it on its own, not in a condition (`if`, `||`): there
# the shell ignores `set -e`, also in the stages.

not_run() {
  echo "$*" >"$stage_dir/not_run"
  exit 77
}
# Whether the packages of these groups (tools/deps.sh) are there; if not, the reason goes where
# cannot_run finds it. A group that could not be installed at the start ($log_dir/deps.log) is
# not tried again.
have_packages() {
  local group why
  for group in "$@"; do
    if ! why=$(grep -s -m1 "^cannot install for $group: " "$log_dir/deps.log"); then
      why=$(tools/deps.sh group "$group" 2>&1 >/dev/null) && continue
      why=$(grep -m1 '^cannot install for ' <<<"$why") || why="cannot install for $group"
    fi
    echo "packages that could not be installed for ${why#cannot install for }" >"$stage_dir/cannot"
    return 1
  done
}
# The packages of these groups, or "not run".
need_packages() {
  have_packages "$@" || cannot_run
}
# Whether the machine can do it (tools/probe.sh); cannot_run then ends the stage with the reason.
can() {
  tools/probe.sh "$1" >"$stage_dir/cannot"
}
cannot_run() {
  not_run "$(cat "$stage_dir/cannot")"
}
counted() {
  echo "$1 ${2:-0}" >>"$stage_dir/counts"
}
# How the stage ran, where it had a choice (QEMU or the machine's own processor, say): the
# summary line gives it after the count.
stage_note() {
  echo "$*" >"$stage_dir/note"
}
# The per-case results of a GoogleTest program that wrote them with --gtest_output=xml:FILE
# (tools/gtestreport.py); the failed cases are named. No report, or none with a case in it, is
# one failure.
counted_gtest_xml() {
  local report counts
  if ! report=$(tools/gtestreport.py "$1"); then
    echo "$report"
    counted 0 1
    return 1
  fi
  counts=$(tail -n1 <<<"$report")
  sed '$d' <<<"$report"
  counted $counts
  [ "${counts#* }" = 0 ]
}
# ctest, with its closing line read for the counts; CTEST_PREFIX is a command to run it with.
run_ctest() {
  local out=$stage_dir/ctest.$RANDOM status=0 line
  ${CTEST_PREFIX:-} ctest --output-on-failure -j "$(nproc)" "$@" 2>&1 | tee "$out" || status=$?
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$out" | tail -n1) || true
  if [ -n "$line" ]; then
    local total failed
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
    failed=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    counted $((total - failed)) "$failed"
  fi
  if grep -q 'No tests were found' "$out"; then
    echo "ctest found no tests"
    return 1
  fi
  return "$status"
}

run_stages() {
  local stage status took tests failures result start any_failed=0 passed_tests=0 failed_tests=0
  local summary=()
  mkdir -p "$log_dir"
  for stage in "$@"; do
    declare -F "stage_$stage" >/dev/null || { echo "no stage $stage" >&2; return 2; }
    stage_dir=$(mktemp -d)
    echo "== $stage"
    start=$SECONDS
    (
      set -e
      "stage_$stage"
    ) 2>&1 | tee "$log_dir/$stage.log"
    status=${PIPESTATUS[0]}
    took=$((SECONDS - start))
    tests=0
    failures=0
    if [ -f "$stage_dir/counts" ]; then
      read -r tests failures < <(awk '{p += $1; f += $2} END {print p, f}' "$stage_dir/counts")
    fi
    if [ "$status" = 0 ]; then
      result="passed ($tests tests)"
      [ ! -s "$stage_dir/note" ] || result="$result, $(cat "$stage_dir/note")"
    elif [ "$status" = 77 ] && [ -f "$stage_dir/not_run" ]; then
      result="not run: $(cat "$stage_dir/not_run")"
      [ "$tests" = 0 ] || result="$result; $tests tests passed before that"
    else
      result="FAILED (exit status $status; log: $log_dir/$stage.log)"
      any_failed=1
      # A stage that failed before its tests counts as one failed test.
      [ "$failures" -gt 0 ] || failures=1
    fi
    passed_tests=$((passed_tests + tests))
    failed_tests=$((failed_tests + failures))
    summary+=("$(printf '%-15s %5d s  %s' "$stage" "$took" "$result")")
    rm -rf "$stage_dir"
  done
  echo
  echo "== Summary"
  printf '%s\n' "${summary[@]}"
  echo "tests: $passed_tests passed, $failed_tests failed"
  return "$any_failed"
}
