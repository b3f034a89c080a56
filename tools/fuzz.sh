#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (only those, not the program) and runs each for a bounded
# time: tools/fuzz.sh [seconds each, default $FUZZ_SECONDS or 60] [target ...].
# New inputs land in build-fuzz/work/<target>/ and findings in build-fuzz/findings/<target>/; the
# committed seed corpora in fuzz/corpus/ are only read. Exits non-zero when any target found a fault.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-${FUZZ_SECONDS:-60}}
shift || true
JOBS=${JOBS:-$(nproc)}

cmake --preset fuzz >/dev/null
cmake --build build-fuzz -j "$JOBS" --target fuzz_targets

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for bin in build-fuzz/bin/*_fuzz; do targets+=("$(basename "$bin")"); done
fi

failed=()
for name in "${targets[@]}"; do
  bin=build-fuzz/bin/$name
  corpus=fuzz/corpus/${name%_fuzz}
  work=build-fuzz/work/$name
  findings=build-fuzz/findings/$name
  mkdir -p "$work" "$findings"
  echo "== $name for ${SECONDS_EACH}s"
  status=0
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp:print_suppressions=0 \
    "$bin" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$findings/" -print_final_stats=1 "$work" "$corpus" >"$work.log" 2>&1 || status=$?
  grep -E '^stat::number_of_executed_units|^Done |^#[0-9]+ +DONE' "$work.log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$work.log"
    failed+=("$name")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs in build-fuzz/findings/)"
  exit 1
fi
echo "fuzzing: no findings"
