#!/usr/bin/env bash
# The real program on a virtual X display, driven with real X input events (XTEST).
#
#   tests/e2e/e2e.sh [--screenshot FILE] [path/to/quillmark]
#
# 1. Keyboard only: Tab from the Preview button walks the tab order; the values typed land in the
#    first and second entry boxes, the name in the third; Space on the Preview button (reached
#    again by wrapping round) previews, Space on the Save button saves under that name.
# 2. Mouse and keyboard: click each box, type, click "预览", type a name, click "保存". The file
#    is the 574,710-byte BMP of the picture area exactly as the window shows it, with the typed
#    values drawn in the two overlay labels.
# 3. With a window manager (openbox, when installed): minimising and restoring keep the picture
#    and give the focus back to the box that had it; the desktop's maximise button changes
#    nothing; the desktop's close button ends the program.
# 4. Esc ends the program with exit code 0.
#
# --screenshot FILE keeps a picture of the window (with the desktop's frame when a window
# manager runs) after the second stamping. E2E_KEEP=DIR keeps a copy of the work folder (logs,
# screenshots, the saved files) there.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
keep_shot=
if [ "${1:-}" = --screenshot ]; then keep_shot=$2; shift 2; fi
bin=${1:-$root/build/bin/quillmark}
[ -x "$bin" ] || { echo "e2e.sh: $bin is not built (make build)" >&2; exit 2; }
for tool in Xvfb xdotool xmodmap xwininfo xprop convert compare import; do
  command -v "$tool" >/dev/null || { echo "e2e.sh: $tool is missing (make deps)" >&2; exit 2; }
done
source "$root/tests/e2e/session.sh"

work=$(mktemp -d)
QUILL_XVFB_PID=
QM_PID=
cleanup() {
  [ -z "${QM_PID:-}" ] || kill "$QM_PID" 2>/dev/null || true
  qm_stop_wm
  [ -z "$QUILL_XVFB_PID" ] || "$root/tools/xvfb.sh" stop "$QUILL_XVFB_PID"
  if [ -n "${E2E_KEEP:-}" ]; then cp -r "$work" "$E2E_KEEP"; fi; rm -rf "$work"
}
trap cleanup EXIT
passed=0 failed=0 skipped=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); echo "ok: $what"; else failed=$((failed + 1)); echo "FAIL: $what"; fi
}
skip() { skipped=$((skipped + 1)); echo "skipped: $1"; }
finish() {
  local summary="$passed passed, $failed failed"
  [ $skipped = 0 ] || summary+=", $skipped skipped"
  echo "$summary"
  [ $failed = 0 ]
  exit
}

# --- Pictures ------------------------------------------------------------------------------------
# The default GUI font is drawn from its bitmap strike, without smoothing, so a text is exactly the
# pixels of its colour. glyphs IMAGE GEOMETRY COLOUR OUT keeps those of the crop as black on white,
# cut to their bounding box; two places show the same text exactly when their glyphs are equal.
glyphs() { convert "$1" -crop "$2" +repage -fill white +opaque "$3" -fill black -opaque "$3" -trim +repage "$4"; }
# Equal in size and in every pixel, and not blank (a blank crop trims to a single pixel).
same_glyphs() {
  [ "$(identify -format %w "$1")" -gt 8 ] && [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]
}
differ() { ! same_glyphs "$1" "$2"; }
same_pixels() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }

GREEN='rgb(196,254,167)'  # the overlay labels' text colour
BLACK='rgb(0,0,0)'        # the entry boxes' text colour
LABEL1=88x24+150+104      # the first label, down to where the second one's text begins
LABEL2=96x24+144+128      # the second label, below the first one's text
EDIT1=76x16+386+98        # inside the sunken edges of the entry boxes
EDIT2=76x16+386+130
PICTURE=328x584+0+0

# shot_glyphs PREFIX: a screenshot of the window and the glyphs of both entry boxes.
shot_glyphs() {
  window_shot "$work/$1.png"
  glyphs "$work/$1.png" $EDIT1 $BLACK "$work/$1-edit1.png"
  glyphs "$work/$1.png" $EDIT2 $BLACK "$work/$1-edit2.png"
}
# file_glyphs BMP PREFIX: the saved picture as PNG and the glyphs of both labels in it.
file_glyphs() {
  convert "bmp:$1" "$work/$2.png"
  glyphs "$work/$2.png" $LABEL1 "$GREEN" "$work/$2-label1.png"
  glyphs "$work/$2.png" $LABEL2 "$GREEN" "$work/$2-label2.png"
}
# The screen has settled when the glyphs in the entry boxes are those stamped into the file.
boxes_show() {  # boxes_show SHOT FILE_PREFIX
  shot_glyphs "$1" &&
    same_glyphs "$work/$1-edit1.png" "$work/$2-label1.png" &&
    same_glyphs "$work/$1-edit2.png" "$work/$2-label2.png"
}
is_bmp() { [ "$(head -c 2 "$1")" = BM ]; }
size_is() { [ "$(stat -c %s "$1" 2>/dev/null)" = "$2" ]; }

# --- Start ---------------------------------------------------------------------------------------
began=$(qm_now_ms)
eval "$("$root/tools/xvfb.sh" start)"
export QUILLMARK_DRIVE_C=$work/drive
qm_start_wm
if [ -n "$QM_WM_PID" ]; then echo "== on $DISPLAY with the openbox window manager"; else echo "== on $DISPLAY without a window manager"; fi
desk=$(qm_desktop_dir)

start_program "$bin" "$work/log" || { failed=$((failed + 1)); finish; }
echo "window on the screen $QM_START_MS ms after the start"
# Docks and task bars match the running window to its menu entry by the window's class.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$root/packaging/quillmark.desktop")
has_class() { [[ "$(xprop -id "$QM_WIN" WM_CLASS)" == *"\"$wm_class\""* ]]; }
check "the window's class is the one the menu entry names" has_class
# The boxes' starting texts, "35.123456" and "115.123456", drawn by the program itself.
texts_drawn() { shot_glyphs start && [ "$(identify -format %w "$work/start-edit1.png")" -gt 8 ] &&
  [ "$(identify -format %w "$work/start-edit2.png")" -gt 8 ]; }
check "the window shows the boxes' texts" qm_wait texts_drawn

# --- 1. Keyboard only ----------------------------------------------------------------------------
# Tab order: Preview, box 1, box 2, Save, name box, radio 1, radio 2, and round to Preview. Box 2
# gets the text box 1 started with, so its glyphs are known beforehand.
keys Tab ctrl+a; type_text 31.230416
keys Tab ctrl+a; type_text 35.123456
keys Tab Tab ctrl+a; type_text '坐标e2e'
keys Tab Tab Tab space  # the radio boxes, then Preview again: Space previews
keys Tab Tab Tab space  # box 1, box 2, Save: Space saves
keyboard_file="$desk/坐标e2e.jpg"
check "Tab order and Space: the file is saved under the name typed in the third box" \
  qm_wait size_is "$keyboard_file" 574710
if [ -f "$keyboard_file" ]; then
  file_glyphs "$keyboard_file" kbd
  check "the second box's value is drawn in the second label" same_glyphs "$work/kbd-label2.png" "$work/start-edit1.png"
  check "the first box's value is drawn in the first label, and it is the new one" \
    eval 'qm_wait boxes_show kbd-shot kbd && differ "$work/kbd-label1.png" "$work/start-edit1.png"'
fi
check "only that one file is saved" test "$(ls "$desk" | wc -l)" = 1

# --- 2. Mouse and keyboard ------------------------------------------------------------------------
stamp_began=$(qm_now_ms)
check "a stamping by mouse saves the file" stamp 39.904211 116.407395 天安门
echo "stamping by mouse: $(($(qm_now_ms) - stamp_began)) ms"
saved=$desk/天安门.jpg
check "it is 574,710 bytes" size_is "$saved" 574710
check "it is a BMP" is_bmp "$saved"
if [ -f "$saved" ]; then
  file_glyphs "$saved" saved
  check "the typed values are drawn where the labels are" qm_wait boxes_show shot saved
  check "they are the new values" differ "$work/saved-label1.png" "$work/kbd-label1.png"
  convert "$work/shot.png" -crop $PICTURE +repage "$work/shot-picture.png"
  check "the saved image equals the window's picture area on the screen" same_pixels "$work/saved.png" "$work/shot-picture.png"
fi
if [ -n "$keep_shot" ]; then
  mkdir -p "$(dirname "$keep_shot")"
  frame_shot "$keep_shot" && echo "screenshot: $keep_shot"
fi

# --- 3. The desktop's own buttons ----------------------------------------------------------------
iconic() { [[ "$(xprop -id "$QM_WIN" WM_STATE 2>/dev/null)" == *"window state: Iconic"* ]]; }
geometry() { xwininfo -id "$QM_WIN" | awk '/Absolute upper-left|Width:|Height:/ {printf "%s ", $NF} END {print ""}'; }
if [ -n "$QM_WM_PID" ]; then
  click_at "${QM_NAME[@]}"
  keys End
  window_shot "$work/before.png"
  convert "$work/before.png" -crop $PICTURE +repage "$work/before-picture.png"
  xdotool windowminimize "$QM_WIN"
  check "the window minimises" qm_wait iconic
  xdotool windowactivate "$QM_WIN" 2>/dev/null || true
  check "and comes back with the focus" qm_wait qm_focused
  picture_back() {
    window_shot "$work/restored.png" && convert "$work/restored.png" -crop $PICTURE +repage "$work/restored-picture.png" &&
      same_pixels "$work/restored-picture.png" "$work/before-picture.png"
  }
  check "showing the same picture again" qm_wait picture_back
  keys 2 Return  # Enter clicks nothing: the name box keeps the focus
  click_at "${QM_SAVE[@]}"
  check "the focus went back to the name box it was in" qm_wait size_is "$desk/天安门2.jpg" 574710

  # The window cannot be maximised: the desktop's maximise button (left of the close button)
  # leaves it as it is. Both buttons are measured from the frame's top-right corner.
  read -r cx cy cw ch < <(geometry)
  before=$(geometry)
  xdotool mousemove --sync $((cx + cw - 26)) $((cy - 10)) click 1
  window_shot "$work/after-maximise.png"  # a round trip to the server, and time for a reaction
  check "the desktop's maximise button changes nothing" test "$(geometry)" = "$before"
fi

# --- 4. Closing ----------------------------------------------------------------------------------
# exited_cleanly LOG: the program ended with exit code 0; otherwise shows how it ended.
exited_cleanly() {
  [ "$QM_EXIT" = 0 ] && return
  echo "  the program ended with $QM_EXIT; its output:"; sed 's/^/  | /' "$1"
  return 1
}
stop_program
check "Esc ends the program with exit code 0" exited_cleanly "$work/log"

if [ -n "$QM_WM_PID" ]; then
  start_program "$bin" "$work/log2"
  read -r cx cy cw ch < <(geometry)
  xdotool mousemove --sync $((cx + cw - 10)) $((cy - 10)) click 1
  qm_wait_exit
  check "the desktop's close button ends the program with exit code 0" exited_cleanly "$work/log2"
else
  skip "minimise, maximise and close buttons need a window manager (openbox)"
fi
# --- 5. No display ---------------------------------------------------------------------------------
# Without a desktop the window cannot be built: the program says so on standard error and ends
# with exit code -1 (255), instead of running somewhere nobody can see it.
no_display_fails() {
  local code=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 "$bin" >"$work/nodisplay.log" 2>&1 || code=$?
  [ "$code" = 255 ] && grep -q '载入启动窗口失败' "$work/nodisplay.log" && return
  echo "  exit code $code; output:"; sed 's/^/  | /' "$work/nodisplay.log"
  return 1
}
check "without a display the program ends with its fatal error and exit code 255" no_display_fails

echo "whole run: $(($(qm_now_ms) - began)) ms"
finish
