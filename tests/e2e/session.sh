# Drives one stamping session of the real program on an X display with real input events.
# Sourced by tests/e2e/e2e.sh and tools/run.sh. Needs DISPLAY, xdotool and ImageMagick.
#
#   start_program BIN LOG       starts Quillmark, waits for its window; sets QM_PID and QM_WIN
#   stamp LONGITUDE LATITUDE NAME
#                               types the two values (Tab from the first button), clicks Preview,
#                               types the file name, clicks Save
#   screenshot FILE             the program's window as PNG
#   stop_program                presses Esc and waits; sets QM_EXIT

# Client coordinates of the controls used (the window's client area is the desktop window).
QM_PREVIEW=(424 196)
QM_SAVE=(424 320)
QM_NAME=(424 252)

start_program() {
  local bin=$1 log=$2
  "$bin" >"$log" 2>&1 &
  QM_PID=$!
  QM_WIN=
  for _ in $(seq 1 200); do
    QM_WIN=$(xdotool search --name '^Quillmark$' 2>/dev/null | head -n1 || true)
    [ -n "$QM_WIN" ] && break
    kill -0 "$QM_PID" 2>/dev/null || break
    sleep 0.05
  done
  [ -n "$QM_WIN" ] || { echo "the program's window did not appear"; cat "$log"; return 1; }
  xdotool windowfocus --sync "$QM_WIN" 2>/dev/null || xdotool windowfocus "$QM_WIN"
  sleep 0.3
}

click_at() { xdotool mousemove --window "$QM_WIN" "$1" "$2" click 1; sleep 0.15; }
keys() { xdotool key --window "$QM_WIN" --delay 30 "$@"; sleep 0.1; }
type_text() { xdotool type --window "$QM_WIN" --delay 30 "$1"; sleep 0.1; }

stamp() {
  # The focus starts on the Preview button; Tab goes to the longitude box, then to the latitude box.
  keys Tab ctrl+a
  type_text "$1"
  keys Tab ctrl+a
  type_text "$2"
  click_at "${QM_PREVIEW[@]}"
  click_at "${QM_NAME[@]}"
  keys ctrl+a
  type_text "$3"
  click_at "${QM_SAVE[@]}"
  sleep 0.3
}

screenshot() { import -window "$QM_WIN" "$1"; }

stop_program() {
  keys Escape
  QM_EXIT=
  for _ in $(seq 1 100); do
    kill -0 "$QM_PID" 2>/dev/null || break
    sleep 0.05
  done
  if kill -0 "$QM_PID" 2>/dev/null; then
    kill "$QM_PID"
    QM_EXIT=timeout
  else
    wait "$QM_PID" && QM_EXIT=0 || QM_EXIT=$?
  fi
}
