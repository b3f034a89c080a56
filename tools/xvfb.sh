#!/usr/bin/env bash
# A private virtual X display for end-to-end tests and measurements.
#
#   eval "$(tools/xvfb.sh start)"    starts Xvfb on a free display number and prints the
#                                    `export DISPLAY=... QUILL_XVFB_PID=...` lines to evaluate
#   tools/xvfb.sh stop [PID]         stops it (default: $QUILL_XVFB_PID)
#   tools/xvfb.sh run CMD [ARG...]   starts one, runs CMD with DISPLAY set, stops it again and
#                                    returns CMD's exit status
#
# XVFB_SCREEN chooses the screen (default 1280x1024x24). The server needs no xauth cookie: it
# listens only on its local socket and lets every local client in, which is all a test needs.
set -euo pipefail

screen=${XVFB_SCREEN:-1280x1024x24}

start() {
  command -v Xvfb >/dev/null || { echo "xvfb.sh: Xvfb is not installed" >&2; return 1; }
  local numfile
  numfile=$(mktemp)
  # -displayfd lets the server pick a free display number itself and report it once it is ready
  # to take clients, so there is neither a race for a number nor a guess at start-up time.
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -ac -noreset 3>"$numfile" >/dev/null 2>&1 </dev/null &
  local pid=$!
  local tries=0
  while [ ! -s "$numfile" ]; do
    if ! kill -0 "$pid" 2>/dev/null || [ $tries -ge 200 ]; then
      rm -f "$numfile"
      kill "$pid" 2>/dev/null || true
      echo "xvfb.sh: Xvfb did not start" >&2
      return 1
    fi
    sleep 0.05
    tries=$((tries + 1))
  done
  local num
  num=$(head -n1 "$numfile" | tr -dc '0-9')
  rm -f "$numfile"
  echo "export DISPLAY=:$num QUILL_XVFB_PID=$pid"
}

stop() {
  local pid=${1:-${QUILL_XVFB_PID:-}}
  [ -n "$pid" ] || { echo "xvfb.sh: no server to stop" >&2; return 1; }
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.05
  done
  kill -9 "$pid" 2>/dev/null || true
}

case "${1:-}" in
  start) start ;;
  stop) shift; stop "$@" ;;
  run)
    shift
    [ $# -gt 0 ] || { echo "usage: xvfb.sh run CMD [ARG...]" >&2; exit 2; }
    eval "$(start)"
    status=0
    "$@" || status=$?
    stop "$QUILL_XVFB_PID"
    exit $status
    ;;
  *) echo "usage: xvfb.sh start | stop [PID] | run CMD [ARG...]" >&2; exit 2 ;;
esac
