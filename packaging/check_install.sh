#!/usr/bin/env bash
# Installs the build into a temporary staging folder (DESTDIR) under a prefix and checks that a
# Linux desktop would find everything: the program on the prefix's bin, the menu entry that starts
# it by that name, and the icon the entry names in the hicolor theme.
#
#   packaging/check_install.sh [BUILD_DIR] [PREFIX]     (defaults: build, /usr/local)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
prefix=${2:-/usr/local}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

DESTDIR=$stage cmake --install "$build" --prefix "$prefix" >/dev/null
top=$stage$prefix
passed=0 failed=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); echo "ok: $what"; else failed=$((failed + 1)); echo "FAIL: $what"; fi
}
entry=$top/share/applications/quillmark.desktop
icon=$top/share/icons/hicolor/48x48/apps/quillmark.png
key() { sed -n "s/^$1=//p" "$entry"; }

check "the program is $prefix/bin/quillmark and executable" test -x "$top/bin/quillmark"
check "the menu entry is in share/applications" test -f "$entry"
check "it is an application entry that starts quillmark without a terminal" \
  test "$(head -n1 "$entry")/$(key Type)/$(key Exec)/$(key Terminal)" = "[Desktop Entry]/Application/quillmark/false"
check "its icon is a 48 x 48 PNG in the hicolor theme under the name it gives" \
  test "$(key Icon)/$(identify -format '%m %wx%h' "$icon" 2>/dev/null)" = "quillmark/PNG 48x48"
check "nothing else is installed" test "$(find "$stage" -type f | wc -l)" = 3
echo "$passed passed, $failed failed"
[ $failed = 0 ]
