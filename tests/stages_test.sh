#!/usr/bin/env bash
# The test command's stage runner and probe: a stage that passes is counted with its tests, one
# that fails makes the run fail, and one whose packages cannot be installed or whose machine
# lacks an ability says so as "not run", with the reason, and fails nothing.
#   stages_test.sh <source directory>
set -euo pipefail
cd "$1"
fail() { echo "FAIL: $*" >&2; exit 1; }

log_dir=$(mktemp -d)
trap 'rm -rf "$log_dir"' EXIT
source tools/stages.sh

stage_passes() { counted 2; counted 3; }
stage_breaks() { counted 1; false; echo "not reached"; }
stage_lacks_packages() { need_packages qt5; counted 5; }
stage_lacks_exec32() { can exec32 || cannot_run; counted 5; }
stage_emulated() { counted 4; stage_note "under an emulator"; }
# A test program's own report of its cases, one of three failed; and one that wrote none.
stage_reports() {
  cat >"$log_dir/cases.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<testsuites tests="3" failures="1" name="AllTests">
  <testsuite name="Formula" tests="3" failures="1">
    <testcase name="Small" status="run" result="completed" classname="Formula" />
    <testcase name="Rows/large" value_param="12" status="run" result="completed" classname="Starts/Formula">
      <failure message="off by one" type=""><![CDATA[off by one]]></failure>
    </testcase>
    <testcase name="Zero" status="run" result="completed" classname="Formula" />
  </testsuite>
</testsuites>
XML
  counted_gtest_xml "$log_dir/cases.xml"
}
stage_reports_nothing() { counted_gtest_xml "$log_dir/missing.xml"; }

# State: the probe answers "cannot" when told to, whatever the machine.
TRIPART_NO_EXEC32=1 tools/probe.sh exec32 >/dev/null && fail "the probe ignores TRIPART_NO_EXEC32"
TRIPART_NO_EXEC32=1 tools/probe.sh wine32 >/dev/null && fail "the 32-bit Wine probe ignores TRIPART_NO_EXEC32"

# Action: every kind of stage, apt failing for one group and 32-bit code counted unrunnable.
# (Not in a condition: there the shell would ignore the stages' `set -e`.)
set +e
TRIPART_APT_FAIL=qt5 TRIPART_NO_EXEC32=1 run_stages passes lacks_packages lacks_exec32 >"$log_dir/out" 2>&1
status=$?
set -e
# Expected: no failure; the reasons name the package group and the ability.
[ "$status" = 0 ] || { cat "$log_dir/out"; fail "a run without failures exited $status"; }
summary=$(sed -n '/^== Summary$/,$p' "$log_dir/out")
grep -Eq '^passes +[0-9]+ s  passed \(5 tests\)$' <<<"$summary" || fail "no pass with 5 tests: $summary"
grep -Eq '^lacks_packages +[0-9]+ s  not run: packages that could not be installed for qt5: qtbase5-dev.*TRIPART_APT_FAIL' <<<"$summary" ||
  fail "no reason for the packages: $summary"
grep -Eq '^lacks_exec32 +[0-9]+ s  not run: TRIPART_NO_EXEC32 is set' <<<"$summary" || fail "no reason for 32-bit code: $summary"
grep -qx 'tests: 5 passed, 0 failed' <<<"$summary" || fail "wrong total: $summary"

# Action: one stage fails between two that pass.
set +e
run_stages passes breaks passes >"$log_dir/out" 2>&1
status=$?
set -e
# Expected: the run fails, the stage is named FAILED, nothing after its failure ran.
[ "$status" = 1 ] || fail "a run with a failed stage exited $status"
summary=$(sed -n '/^== Summary$/,$p' "$log_dir/out")
grep -Eq '^breaks +[0-9]+ s  FAILED ' <<<"$summary" || fail "the failure is not named: $summary"
grep -q 'not reached' "$log_dir/out" && fail "the stage went on after a failing command"
grep -qx 'tests: 11 passed, 1 failed' <<<"$summary" || fail "wrong total: $summary"
# Action: a stage that says how it ran; a program's report with a failed case; no report.
set +e
run_stages emulated reports reports_nothing >"$log_dir/out" 2>&1
status=$?
set -e
# Expected: the note in the summary; every case counted, the failed one named; a missing
# report is a failure, never a pass with no tests.
[ "$status" = 1 ] || fail "a run with failed cases exited $status"
summary=$(sed -n '/^== Summary$/,$p' "$log_dir/out")
grep -Eq '^emulated +[0-9]+ s  passed \(4 tests\), under an emulator$' <<<"$summary" || fail "no note: $summary"
grep -q '^failed: Starts/Formula.Rows/large$' "$log_dir/out" || fail "the failed case is not named"
grep -Eq '^reports_nothing +[0-9]+ s  FAILED ' <<<"$summary" || fail "a missing report passed: $summary"
grep -qx 'tests: 6 passed, 2 failed' <<<"$summary" || fail "wrong total: $summary"
echo "stage runner: passed, failed and not-run stages summed up as they happened"
