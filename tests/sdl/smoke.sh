#!/usr/bin/env bash
# End-to-end check of the SDL driver on a virtual X display: real X input through xdotool must come
# out as the right virtual-key codes, typed characters and screen coordinates, and the screen must
# show the client part of the test picture (never the layer's own frame), at the right scale.
#
#   tests/sdl/smoke.sh [path/to/sdl_driver_smoke]
#
# Two runs: a 24-bit screen at scale 1, and a 16-bit screen at scale 2 (QUILL_SCALE), which also
# takes the pixel-format conversion path. Prints the start-up time and peak memory of each run.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bin=${1:-$root/build/bin/sdl_driver_smoke}
[ -x "$bin" ] || { echo "smoke.sh: $bin is not built (cmake --build build --target sdl_driver_smoke)" >&2; exit 2; }
for tool in Xvfb xdotool convert /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "smoke.sh: $tool is missing" >&2; exit 2; }
done

work=$(mktemp -d)
failures=0
QUILL_XVFB_PID=
cleanup() {
  [ -z "$QUILL_XVFB_PID" ] || "$root/tools/xvfb.sh" stop "$QUILL_XVFB_PID"
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The colour of one screen pixel of the screenshot, as RRGGBB.
pixel() { convert "$work/shot.png" -crop "1x1+$1+$2" -depth 8 txt:- | sed -n 2p | grep -o '#[0-9A-F]\{6\}' | tr -d '#'; }

expect_line() {  # expect_line PATTERN DESCRIPTION: the log holds a line matching PATTERN
  grep -qE "$1" "$work/log" || fail "$2 (no line matching '$1')"
}

run() {  # run SCALE SCREEN
  local scale=$1
  echo "== scale $scale on a ${2} screen"
  eval "$(XVFB_SCREEN=$2 "$root/tools/xvfb.sh" start)"
  rm -f "$work/log"
  local launched
  launched=$(date +%s%N)
  QUILL_SCALE=$scale /usr/bin/time -v -o "$work/time" "$bin" 20 >"$work/log" 2>"$work/err" &
  local timer=$!

  local tries=0
  until grep -q '^READY' "$work/log"; do
    tries=$((tries + 1))
    if [ $tries -gt 200 ] || ! kill -0 $timer 2>/dev/null; then
      cat "$work/log" "$work/err"; fail "the smoke program did not get ready"
      kill $timer 2>/dev/null || true
      "$root/tools/xvfb.sh" stop "$QUILL_XVFB_PID"; QUILL_XVFB_PID=
      return
    fi
    sleep 0.05
  done
  local pid client_x client_y wid
  pid=$(awk '/^READY/ {print $2}' "$work/log")
  read -r client_x client_y < <(awk '/^CLIENT/ {print $2, $3}' "$work/log")
  wid=$(xdotool search --sync --name 'Quillmark smoke' | head -n1)

  # The desktop window covers the client area only, enlarged by the scale factor.
  local geometry
  geometry=$(xdotool getwindowgeometry --shell "$wid")
  local WIDTH HEIGHT X Y
  eval "$(echo "$geometry" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  [ "$WIDTH" = $((478 * scale)) ] && [ "$HEIGHT" = $((584 * scale)) ] ||
    fail "window is ${WIDTH}x${HEIGHT}, expected $((478 * scale))x$((584 * scale))"
  [ "$X" = $((client_x * scale)) ] && [ "$Y" = $((client_y * scale)) ] ||
    fail "window at $X,$Y, expected the client origin $((client_x * scale)),$((client_y * scale))"

  xdotool windowfocus --sync "$wid"
  xdotool mousemove --window "$wid" $((30 * scale)) $((40 * scale))
  sleep 0.1
  xdotool type --delay 40 "1.5"
  xdotool key Tab
  # A click on client point (100, 200); a second quick one makes a double click.
  xdotool mousemove --window "$wid" $((100 * scale)) $((200 * scale)) click 1
  xdotool click --repeat 2 --delay 80 3
  # One press of each kind of key the program can meet, in a row (Num Lock is off on Xvfb, so
  # the keypad's 1 is End).
  xdotool key --delay 20 a shift+b Control_L Alt_L Left Up Right Down Home End Prior Next \
    Insert Delete BackSpace Return space F1 F12 minus comma period semicolon slash bracketleft \
    apostrophe grave backslash equal KP_Add KP_End Menu 0 9 z
  # Taking the desktop window's size away and giving it back loses SDL's pixels: the driver must
  # ask for a whole frame again (the smoke program presents everything on Expose).
  xdotool windowsize --sync "$wid" $((300 * scale)) $((300 * scale))
  sleep 0.1
  xdotool windowsize --sync "$wid" "$WIDTH" "$HEIGHT"
  sleep 0.2
  xdotool key Escape
  sleep 0.3
  import -window root "$work/shot.png"
  kill -TERM "$pid"   # must come out as a close request, not end the program by itself
  local status=0
  wait $timer || status=$?
  [ $status = 0 ] || fail "the smoke program ended with $status (no close request seen?)"

  # Input: virtual-key codes, one Text event per typed character, screen coordinates.
  local sx=$((client_x + 100)) sy=$((client_y + 200))
  tr '\n' ' ' <"$work/log" | grep -qE \
    'KeyDown vk=0x31 .*Text U\+0031 .*KeyDown vk=0xBE .*Text U\+002E .*KeyDown vk=0x35 .*Text U\+0035 .*KeyDown vk=0x09 .*MouseDown button=0 .*KeyDown vk=0x1B' ||
    fail "typed keys, texts, Tab, click and Escape are not all there in order"
  expect_line "^EVENT Activate window=main" "focusing the window activates it"
  expect_line "^EVENT Expose window=main" "a resized desktop window asks for a whole frame"
  local keys want_keys
  keys=$(awk '/^EVENT KeyDown/ {sub("vk=", "", $3); printf "%s ", $3}' "$work/log")
  want_keys="0x41 0x10 0x42 0x11 0x12 0x25 0x26 0x27 0x28 0x24 0x23 0x21 0x22 0x2D 0x2E 0x08 0x0D 0x20 \
0x70 0x7B 0xBD 0xBC 0xBE 0xBA 0xBF 0xDB 0xDE 0xC0 0xDC 0xBB 0x6B 0x23 0x5D 0x30 0x39 0x5A "
  [[ "$keys" == *"$want_keys"* ]] || fail "key codes: got '$keys', expected to contain '$want_keys'"
  expect_line "^EVENT MouseDown button=0 clicks=1 screen=$sx,$sy window=main" "left click at client 100,200 = screen $sx,$sy"
  expect_line "^EVENT MouseUp button=0 clicks=1 screen=$sx,$sy" "left button release"
  expect_line "^EVENT MouseDown button=1 clicks=2 screen=$sx,$sy" "second right click is a double click"
  expect_line "^EVENT CloseRequest window=main" "SIGTERM becomes a close request"
  expect_line "^CLIPBOARD ok" "clipboard round trip"
  expect_line "SCALE $scale$" "driver reports scale $scale"
  if grep -qE '^EVENT (Text U\+0009|Text U\+001B|KeyDown vk=0x00)' "$work/log"; then
    fail "Tab or Escape produced a Text event, or a key without a code"
  fi

  # Screen: quarters of the client picture, the partly presented cyan square, the checkerboard
  # cells with sharp (nearest-neighbour) edges, and no magenta frame anywhere on the window.
  local checks=(
    "0 0 FF0000 client corner shows the picture, not the frame"
    "50 100 FF0000 top-left quarter"
    "400 100 00FF00 top-right quarter"
    "50 500 0000FF bottom-left quarter"
    "400 500 FFFFFF bottom-right quarter"
    "20 20 00FFFF square presented through a dirty rectangle"
    "477 583 FFFFFF last client pixel"
  )
  for c in "${checks[@]}"; do
    read -r cx cy want what <<<"$c"
    local got
    got=$(pixel $((X + cx * scale + scale - 1)) $((Y + cy * scale + scale - 1)))
    [ "$got" = "$want" ] || fail "$what: pixel $cx,$cy is $got, expected $want"
  done
  # Checkerboard at client (200, 260), cells of 8: the last screen pixel of the first cell is
  # yellow and the very next one black.
  local edge=$((X + (200 + 8) * scale))
  [ "$(pixel $((edge - 1)) $((Y + 262 * scale)))" = FFFF00 ] && [ "$(pixel $edge $((Y + 262 * scale)))" = 000000 ] ||
    fail "checkerboard edge is not sharp at scale $scale"
  # (grep reads to the end here: -q would close the pipe early and pipefail would hide the match.)
  local magenta
  magenta=$(convert "$work/shot.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" -depth 8 txt:- | grep -c '#FF00FF' || true)
  [ "$magenta" = 0 ] || fail "$magenta magenta frame pixels reached the screen"

  local first_ns rss
  first_ns=$(awk '/^FIRST_FRAME_NS/ {print $2}' "$work/log")
  rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time")
  echo "start to first frame: $(((first_ns - launched) / 1000000)) ms" \
    "($(awk '/^FIRST_FRAME_NS/ {print $4}' "$work/log") ms of it in main), peak RSS: $((rss / 1024)) MiB ($rss KiB)"
  "$root/tools/xvfb.sh" stop "$QUILL_XVFB_PID"
  QUILL_XVFB_PID=
}

run 1 1280x1024x24
run 2 2048x1536x16

if [ $failures -gt 0 ]; then
  echo "smoke.sh: $failures check(s) failed; log:"; cat "$work/log"
  exit 1
fi
echo "smoke.sh: all checks passed"
