#!/usr/bin/env bash
# Speed and memory: the program's pieces in one process, one whole stamping against ImageMagick's
# convert, and the real window's start on a private virtual display. Prints one table of medians.
#
#   tools/bench.sh [--runs N] [--reps N] [--markdown FILE]
#
# Expects the release build in build/ (`make bench` makes it first).
set -euo pipefail
cd "$(dirname "$0")/.."

for bin in quill_bench quillmark_stamp_once quill_spawn_timed quillmark; do
  [ -x "build/bin/$bin" ] || { echo "bench.sh: build/bin/$bin is missing; run 'make bench'" >&2; exit 1; }
done
command -v convert >/dev/null || { echo "bench.sh: ImageMagick's convert is not installed" >&2; exit 1; }

eval "$(tools/xvfb.sh start)"
trap 'tools/xvfb.sh stop "$QUILL_XVFB_PID"' EXIT

echo "Command: tools/bench.sh $*" >&2
python3 bench/report.py build "$@"
