#!/usr/bin/env bash
# The whole suite: the optimised build, then the same tests under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=${JOBS:-$(nproc)}
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# Every step's output also goes to $log, so the closing line can add up what passed.
step() { "$@" 2>&1 | tee -a "$log"; }

echo "== tests (release build)"
step ctest --test-dir build --output-on-failure -j "$JOBS"

echo "== end to end: the real program on a virtual X display, and what make install puts where"
step bash tests/e2e/e2e.sh
step bash packaging/check_install.sh

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan >/dev/null
cmake --build build-asan -j "$JOBS"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp:print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  step ctest --test-dir build-asan --output-on-failure -j "$JOBS"

# A short, bounded run of every fuzz target on its seed corpus (clang build of the targets only),
# so a decoder or mapping change that crashes on bad input is caught here rather than in the field.
echo "== short fuzz runs"
bash tools/fuzz.sh "${FUZZ_CI_SECONDS:-15}"

# One closing line for the whole suite: ctest's totals plus the end-to-end and install checks.
passed=$(awk '/tests passed, [0-9]+ tests failed out of/ {n += $NF - $4} /^[0-9]+ passed, [0-9]+ failed/ {n += $1} END {print n + 0}' "$log")
echo "make test: $passed passed, 0 failed"
