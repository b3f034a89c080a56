# Drives the real program on an X display with real input events (XTEST, through xdotool).
# Sourced by tests/e2e/e2e.sh and tools/run.sh. Needs DISPLAY, xdotool, xmodmap, xwininfo, xprop
# and ImageMagick. Every step waits for a condition with a deadline (QM_TIMEOUT seconds, default 30)
# instead of sleeping for a fixed time, so a loaded machine makes it slower, not flaky.
#
#   qm_start_wm                 starts openbox when it is installed (and QM_WM is not "none") and
#                               waits until it manages the screen; sets QM_WM_PID (empty without)
#   qm_stop_wm                  stops it again
#   start_program BIN LOG       starts Quillmark, waits until its window is on the screen and has
#                               the keyboard focus; sets QM_PID, QM_WIN, QM_START_MS
#   stamp LONGITUDE LATITUDE NAME
#                               one stamping by mouse and keyboard: click each box, select all,
#                               type; click Preview; type the name; click Save; waits for the file
#   window_shot FILE            the window's client area as PNG
#   frame_shot FILE             the window with the desktop's frame (the client area without one)
#   stop_program                presses Esc and waits for the process to end; sets QM_EXIT
#   qm_desktop_dir              where "C:\Users\Administrator\Desktop" is on this machine

QM_TIMEOUT=${QM_TIMEOUT:-30}

# Client coordinates of the controls used, at their middles.
QM_EDIT1=(424 106)
QM_EDIT2=(424 138)
QM_PREVIEW=(424 196)
QM_NAME=(424 252)
QM_SAVE=(424 320)

qm_now_ms() { echo $(($(date +%s%N) / 1000000)); }

# qm_wait CMD...: runs CMD until it succeeds; false after QM_TIMEOUT seconds.
qm_wait() {
  local deadline=$(($(qm_now_ms) + QM_TIMEOUT * 1000))
  until "$@"; do
    [ "$(qm_now_ms)" -lt $deadline ] || return 1
    sleep 0.05
  done
}

qm_desktop_dir() {
  echo "${QUILLMARK_DRIVE_C:-${XDG_DATA_HOME:-$HOME/.local/share}/quillmark/drive_c}/Users/Administrator/Desktop"
}

# --- The window manager --------------------------------------------------------------------------

QM_WM_PID=
# (Matches are made on captured output: grep -q in a pipe could cut its writer short, and
# pipefail would take that for a failure.)
qm_wm_running() { [[ "$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null)" == *"window id"* ]]; }

qm_start_wm() {
  QM_WM_PID=
  [ "${QM_WM:-}" != none ] && command -v openbox >/dev/null || return 0
  openbox --sm-disable >/dev/null 2>&1 </dev/null &
  QM_WM_PID=$!
  qm_wait qm_wm_running || { echo "the window manager did not start"; return 1; }
}

qm_stop_wm() {
  [ -n "$QM_WM_PID" ] || return 0
  kill "$QM_WM_PID" 2>/dev/null || true
  wait "$QM_WM_PID" 2>/dev/null || true
  QM_WM_PID=
}

# --- The program ---------------------------------------------------------------------------------

qm_find_window() {
  # By process as well as by title: the window of a program that has just ended may linger.
  QM_WIN=$(xdotool search --all --pid "$QM_PID" --name '^Quillmark$' 2>/dev/null | head -n1 || true)
  [ -n "$QM_WIN" ] || ! kill -0 "$QM_PID" 2>/dev/null
}
qm_viewable() { [[ "$(xwininfo -id "$QM_WIN" 2>/dev/null)" == *"Map State: IsViewable"* ]]; }
qm_focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$QM_WIN" ]; }

# A window manager gives the new window the focus itself; without one, the test asks the server.
qm_focus() {
  if [ -z "$QM_WM_PID" ]; then
    xdotool windowfocus "$QM_WIN" 2>/dev/null || true
  else
    xdotool windowactivate "$QM_WIN" 2>/dev/null || true
  fi
  qm_focused
}

start_program() {
  local bin=$1 log=$2 launched
  launched=$(qm_now_ms)
  "$bin" >"$log" 2>&1 &
  QM_PID=$!
  QM_WIN=
  qm_wait qm_find_window && [ -n "$QM_WIN" ] || { echo "the program's window did not appear"; cat "$log"; return 1; }
  qm_wait qm_viewable || { echo "the program's window was never shown"; cat "$log"; return 1; }
  QM_START_MS=$(($(qm_now_ms) - launched))
  qm_wait qm_focus || { echo "the program's window did not get the keyboard focus"; return 1; }
}

# Input goes through XTEST, as from a real keyboard and mouse, to the focused window and the
# window under the pointer. The server keeps the order, so no step needs to wait for the last.
click_at() { xdotool mousemove --sync --window "$QM_WIN" "$1" "$2" click 1; }
keys() { xdotool key --delay 20 "$@"; }
type_text() {
  qm_map_keys "$1"
  LC_ALL=C.UTF-8 xdotool type --delay 20 "$1"
}

# A character that no key produces gets a spare key code of its own, for the rest of the session.
# xdotool would map one just for the key press and take it back at once; a busy program reads
# the press only after that and gets no character at all.
declare -A QM_MAPPED_KEYS=()
qm_map_keys() {
  local LC_ALL=C.UTF-8 text=$1 ch i keycode keysym
  for ((i = 0; i < ${#text}; i++)); do
    ch=${text:i:1}
    [[ $ch == [[:ascii:]] || -n ${QM_MAPPED_KEYS[$ch]:-} ]] && continue
    # (awk reads to the end: leaving early would kill xmodmap with SIGPIPE, and pipefail with it.)
    keycode=$(xmodmap -pke | awk '$1 == "keycode" && NF == 3 && !found {print $2; found = 1}')
    [ -n "$keycode" ] || { echo "no spare key code left for $ch" >&2; return 1; }
    printf -v keysym 'U%04X' "'$ch"
    xmodmap -e "keycode $keycode = $keysym $keysym"
    QM_MAPPED_KEYS[$ch]=$keycode
  done
}

# qm_saved NAME MARKER: the file NAME.jpg is on the desktop, whole, and newer than MARKER.
qm_saved() {
  local file
  file="$(qm_desktop_dir)/$1.jpg"
  [ -f "$file" ] && [ "$file" -nt "$2" ] && [ "$(stat -c %s "$file")" = 574710 ]
}

stamp() {
  local marker
  marker=$(mktemp)
  # A file saved earlier under the same name must look older than the one about to be written.
  touch -d '-1 second' "$marker"
  click_at "${QM_EDIT1[@]}"
  keys ctrl+a
  type_text "$1"
  click_at "${QM_EDIT2[@]}"
  keys ctrl+a
  type_text "$2"
  click_at "${QM_PREVIEW[@]}"
  click_at "${QM_NAME[@]}"
  keys ctrl+a
  type_text "$3"
  click_at "${QM_SAVE[@]}"
  local status=0
  qm_wait qm_saved "$3" "$marker" || { echo "the program saved no file $(qm_desktop_dir)/$3.jpg"; status=1; }
  rm -f "$marker"
  return $status
}

window_shot() { import -window "$QM_WIN" "$1"; }

# The window manager puts our window into a frame window of its own: the parent, short of the root.
qm_frame() {
  local frame
  frame=$(xwininfo -children -id "$QM_WIN" | awk '/Parent window id/ {print $4}')
  if [ -z "$QM_WM_PID" ] || [ "$(xwininfo -root | awk '/Window id/ {print $4}')" = "$frame" ]; then
    echo "$QM_WIN"
  else
    echo "$frame"
  fi
}
frame_shot() { import -window "$(qm_frame)" "$1"; }

qm_ended() { ! kill -0 "$QM_PID" 2>/dev/null; }

# qm_wait_exit: waits for the program to end; sets QM_EXIT (its exit status, or "timeout").
qm_wait_exit() {
  if qm_wait qm_ended; then
    QM_EXIT=0
    wait "$QM_PID" || QM_EXIT=$?
  else
    kill "$QM_PID" 2>/dev/null || true
    wait "$QM_PID" 2>/dev/null || true
    QM_EXIT=timeout
  fi
  QM_PID=
}

stop_program() {
  keys Escape
  qm_wait_exit
}
