#!/usr/bin/env bash
# Builds Zeko and runs the whole test suite: the formatting check, a release
# build with its tests (among them the install and the Debian package), then
# the same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
# Warnings are errors throughout.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/deps.sh" test
jobs="$(nproc)"

echo "== Formatting"
mapfile -t sources < <(cd "$root" && find engine platform settings game gui packaging tests \
    -name '*.h' -o -name '*.cpp' 2>/dev/null | sort)
(cd "$root" && clang-format --dry-run --Werror "${sources[@]}")

echo "== Release build and tests"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZEKO_WERROR=ON \
    -DZEKO_BUILD_TESTS=ON
cmake --build "$root/build" -j "$jobs"
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

echo "== Sanitizer build and tests"
cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZEKO_WERROR=ON -DZEKO_SANITIZE=ON -DZEKO_BUILD_TESTS=ON
cmake --build "$root/build-sanitize" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$jobs"
