#!/usr/bin/env python3
"""Reads a GoogleTest XML report (--gtest_output=xml:FILE): prints each failed case on a line of
its own, then "PASSED FAILED" as the last line. Exits 1 when the report is missing, unreadable
or holds no case at all, since a program that ended early may have written nothing."""
import sys
import xml.etree.ElementTree as ET

try:
    root = ET.parse(sys.argv[1]).getroot()
except (OSError, ET.ParseError, IndexError) as error:
    print(f"no readable test report: {error}")
    sys.exit(1)
passed = failed = 0
for case in root.iter("testcase"):
    if case.get("status") == "notrun" or case.find("skipped") is not None:
        continue
    if case.find("failure") is not None or case.find("error") is not None:
        failed += 1
        print(f"failed: {case.get('classname')}.{case.get('name')}")
    else:
        passed += 1
if passed + failed == 0:
    print("the test report holds no case that ran")
    sys.exit(1)
print(passed, failed)
