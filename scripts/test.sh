#!/usr/bin/env bash
# Builds Zeko and runs the whole test suite: the formatting check, a release
# build with its tests (among them the install and the Debian package), then
# the same tests under AddressSanitizer and UndefinedBehaviorSanitizer, then the
# game file fuzzer (clang's libFuzzer, with both sanitizers) for a minute.
# Warnings are errors throughout.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/deps.sh" test
jobs="$(nproc)"

echo "== Formatting"
mapfile -t sources < <(cd "$root" && find engine platform settings game archive gui zekotool packaging tests \
    -name '*.h' -o -name '*.cpp' 2>/dev/null | sort)
(cd "$root" && clang-format --dry-run --Werror "${sources[@]}")

# A test that hangs on a fault fails after five minutes instead of holding
# up the run.
echo "== Release build and tests"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZEKO_WERROR=ON \
    -DZEKO_BUILD_TESTS=ON
cmake --build "$root/build" -j "$jobs"
ctest --test-dir "$root/build" --output-on-failure --timeout 300 -j "$jobs"

echo "== Sanitizer build and tests"
cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZEKO_WERROR=ON -DZEKO_SANITIZE=ON -DZEKO_BUILD_TESTS=ON
cmake --build "$root/build-sanitize" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$root/build-sanitize" --output-on-failure --timeout 300 -j "$jobs"

echo "== Game file fuzzer"
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEKO_WERROR=ON -DZEKO_SANITIZE=ON -DZEKO_FUZZ=ON \
    -DZEKO_BUILD_TESTS=OFF
cmake --build "$root/build-fuzz" -j "$jobs" --target game_file_fuzzer zeko32
# New inputs go to a scratch folder; the corpus in the repository stays as it is.
# Any crash, sanitizer finding, leak or slow input ends it with an error and
# leaves the input in build-fuzz/.
found="$(mktemp -d)"
trap 'rm -rf "$found"' EXIT
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$root/build-fuzz/bin/game_file_fuzzer" -max_total_time=60 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$root/build-fuzz/" "$found" "$root/tests/fuzz/corpus"
