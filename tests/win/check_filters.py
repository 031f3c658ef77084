#!/usr/bin/env python3
"""Fails when a pattern of a rerun's test filter selects no test, as when a
suite it names has been renamed: the rerun would silently test less.

Usage: check_filters.py WINE_RUN WIN_TESTS_EXE FILTER [FILTER ...]
"""
import fnmatch
import subprocess
import sys


def listed_tests(run, program):
    """The full names GoogleTest matches a filter against."""
    out = subprocess.run([run, program, "--gtest_list_tests"], check=True,
                         capture_output=True, text=True).stdout
    names, suite = [], ""
    for line in out.splitlines():
        if not line.strip():
            continue
        if not line.startswith(" "):
            suite = line.split("#")[0].strip()
        else:
            names.append(suite + line.split("#")[0].strip())
    return names


def main():
    run, program, filters = sys.argv[1], sys.argv[2], sys.argv[3:]
    names = listed_tests(run, program)
    unmatched = [pattern for text in filters for pattern in text.split(":")
                 if not any(fnmatch.fnmatchcase(name, pattern) for name in names)]
    for pattern in unmatched:
        print(f"the filter pattern {pattern!r} selects no test")
    print(f"{len(names)} tests listed; {len(unmatched)} patterns select none")
    return 1 if unmatched or not names else 0


if __name__ == "__main__":
    sys.exit(main())
