#!/usr/bin/env bash
# Builds Verbaria optimised (-O2, as users run it) with warnings as errors and with AddressSanitizer
# and UndefinedBehaviorSanitizer, then runs the whole test suite: the whole-program tests and a
# short monkey run drive the real executable on a virtual display (tests/program/); last, the Debian
# packages are built and checked with lintian. This is what CI runs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
# The sources are formatted as .clang-format says; a difference fails the build before it starts.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
else
    find . -path ./build\* -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror
fi
cmake --preset ci-sanitize
cmake --build --preset ci-sanitize --parallel "$(nproc)"
# Every link points down the house, and the standard C++ cores link no Qt.
python3 scripts/link-table.py build-ci --check >/dev/null
# The tests of windows run offscreen; the whole-program tests start their own X server and set
# QT_QPA_PLATFORM=xcb for the editor they start.
export QT_QPA_PLATFORM=offscreen
# Leak suppressions belong to LeakSanitizer only: AddressSanitizer refuses "leak:" lines.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
ctest --test-dir build-ci --output-on-failure --no-tests=error --parallel "$(nproc)" --timeout 900

# Every reader of outside input under libFuzzer for a minute each; a crash fails the build and its
# input is kept in fuzz/findings/.
fuzz/run.sh "${VERBARIA_FUZZ_SECONDS:-60}"

# The Debian packages as a distribution builds them (a Release build of their own in build-pkg/,
# kept between runs), checked by lintian: an error or a warning fails CI.
scripts/package.sh
