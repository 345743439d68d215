#!/usr/bin/env bash
# The dependency script for someone without root and without sudo: it names
# the packages of the set asked for in the apt-get line to run, and fails;
# an unknown set is refused with its usage.
set -euo pipefail
deps=$1
fake="$(mktemp -d)"
trap 'rm -rf "$fake"' EXIT
# A system where nothing is installed, seen by an ordinary user; no sudo and
# no apt-get on the path.
printf '#!/bin/sh\nexit 1\n' >"$fake/dpkg-query"
printf '#!/bin/sh\necho 1000\n' >"$fake/id"
chmod +x "$fake/dpkg-query" "$fake/id"
ln -s "$(command -v grep)" "$fake/grep"

status=0
PATH="$fake" /bin/bash "$deps" build >/dev/null 2>"$fake/build.err" || status=$?
((status == 1)) || { echo "FAIL: exit status $status, not 1" >&2; exit 1; }
grep -q 'apt-get install --no-install-recommends g++ cmake ninja-build qt6-base-dev' \
    "$fake/build.err" || { echo "FAIL: no install line:" >&2; cat "$fake/build.err" >&2; exit 1; }
if grep -q 'libgtest-dev' "$fake/build.err"; then
    echo "FAIL: the build set asks for test packages" >&2
    exit 1
fi
PATH="$fake" /bin/bash "$deps" test >/dev/null 2>"$fake/test.err" || true
grep -q 'apt-get install .*dpkg-dev.*libgtest-dev.*appstream' "$fake/test.err" ||
    { echo "FAIL: the test set lacks the test packages:" >&2; cat "$fake/test.err" >&2; exit 1; }

status=0
/bin/bash "$deps" everything >/dev/null 2>"$fake/usage.err" || status=$?
((status == 2)) && grep -q '^usage:' "$fake/usage.err" ||
    { echo "FAIL: an unknown set was not refused with its usage" >&2; exit 1; }
echo "deps.sh: all checks passed"
