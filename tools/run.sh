#!/usr/bin/env bash
# `make run`: starts Quillmark on the desktop. Where there is no desktop (no DISPLAY, or one that
# does not answer), it shows what the program does instead: one whole stamping on a private
# virtual display, typed and clicked with real input events, and tells where the saved file and a
# screenshot of the window are.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/bin/quillmark
[ -x "$bin" ] || { echo "run.sh: $bin is not built (make build)" >&2; exit 2; }

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$bin"
fi

if [ -z "${DISPLAY:-}" ]; then
  echo "No display (DISPLAY is not set)."
else
  echo "The display $DISPLAY does not answer."
fi
echo "Starting a virtual display and showing one stamping session on it instead."

source "$root/tests/e2e/session.sh"
QUILL_XVFB_PID=
QM_PID=
log=$(mktemp)
cleanup() {
  [ -z "${QM_PID:-}" ] || kill "$QM_PID" 2>/dev/null || true
  qm_stop_wm
  [ -z "$QUILL_XVFB_PID" ] || "$root/tools/xvfb.sh" stop "$QUILL_XVFB_PID"
  rm -f "$log"
}
trap cleanup EXIT

eval "$("$root/tools/xvfb.sh" start)"
qm_start_wm
start_program "$bin" "$log"
echo "Quillmark is on $DISPLAY (its window appeared after $QM_START_MS ms)."

name=${QUILLMARK_RUN_NAME:-quillmark-demo}
echo "Typing 39.904211 and 116.407395, clicking 预览, typing the name \"$name\", clicking 保存 ..."
stamp 39.904211 116.407395 "$name"
shot=$root/build/quillmark-window.png
frame_shot "$shot"
stop_program
[ "$QM_EXIT" = 0 ] || { echo "run.sh: Esc did not end the program cleanly ($QM_EXIT)" >&2; exit 1; }

echo "Saved file:  $(qm_desktop_dir)/$name.jpg (a 24-bit BMP of the picture, 574,710 bytes)"
echo "Screenshot:  $shot"
echo "Esc closed the program (exit code 0)."
