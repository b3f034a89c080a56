#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time (seconds, default 60).
# New findings land in build-fuzz/findings/<target>/; the committed seed corpora are only read.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-60}
cmake --preset fuzz >/dev/null
cmake --build build-fuzz -j "${JOBS:-$(nproc)}"
for bin in build-fuzz/bin/*_fuzz; do
  name=$(basename "$bin")
  corpus=fuzz/corpus/${name%_fuzz}
  work=build-fuzz/work/$name
  mkdir -p "$work" build-fuzz/findings/$name
  echo "== $name for ${SECONDS_EACH}s"
  ASAN_OPTIONS=detect_leaks=1 "$bin" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix=build-fuzz/findings/$name/ -print_final_stats=1 "$work" "$corpus" 2>&1 | tail -n 12
done
