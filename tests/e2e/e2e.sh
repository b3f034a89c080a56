#!/usr/bin/env bash
# The real program on a virtual X display, driven with real X input events: type two values,
# Preview, a file name, Save; the saved file must be the 24-bit BMP of the picture area with the
# typed values on it, exactly as the window shows it; Esc must end the program with exit code 0.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bin=${1:-$root/build/bin/quillmark}
source "$root/tests/e2e/session.sh"

work=$(mktemp -d)
QUILL_XVFB_PID=
cleanup() {
  [ -z "${QM_PID:-}" ] || kill "$QM_PID" 2>/dev/null || true
  [ -z "$QUILL_XVFB_PID" ] || "$root/tools/xvfb.sh" stop "$QUILL_XVFB_PID"
  rm -rf "$work"
}
trap cleanup EXIT
passed=0 failed=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); echo "ok: $what"; else failed=$((failed + 1)); echo "FAIL: $what"; fi
}

eval "$("$root/tools/xvfb.sh" start)"
export QUILLMARK_DRIVE_C=$work/drive
start_program "$bin" "$work/log"
stamp 39.904211 116.407395 e2e-shot
screenshot "$work/window.png"

saved=$work/drive/Users/Administrator/Desktop/e2e-shot.jpg
check "the file is saved on the desktop" test -f "$saved"
check "it is 574,710 bytes" test "$(stat -c %s "$saved" 2>/dev/null)" = 574710
check "it is a BMP" test "$(head -c 2 "$saved" 2>/dev/null)" = BM
if [ -f "$saved" ]; then
  convert "bmp:$saved" "$work/saved.png"
  # The saved image is the picture box as the window shows it: compare with the screenshot.
  convert "$work/window.png" -crop 328x584+0+0 +repage "$work/screen-part.png"
  diff_pixels=$(compare -metric AE "$work/saved.png" "$work/screen-part.png" null: 2>&1 || true)
  check "the saved image equals the window's picture area on the screen" test "$diff_pixels" = 0
  # The typed values stand in light green where the two labels are.
  green() { convert "$work/saved.png" -crop "$1" +repage -fill black +opaque 'rgb(196,254,167)' -format '%[fx:mean>0?1:0]' info:; }
  check "the longitude is drawn in the first label" test "$(green 88x28+150+104)" = 1
  check "the latitude is drawn in the second label" test "$(green 96x20+144+132)" = 1
fi

stop_program
check "Esc ends the program with exit code 0" test "$QM_EXIT" = 0
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
