#!/usr/bin/env bash
# Builds the game and starts it. Without a display it runs the game under Xvfb, saves a
# screenshot of the main window to build/screenshots/main-window.png, says where it is
# and stops the game again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
build=${BUILD_DIR:-$root/build}
game=$build/bin/brevant

if [ -n "${DISPLAY:-}" ]; then
  cd "$build/bin"
  exec "$game"
fi

shots=$build/screenshots
shot=$shots/main-window.png
mkdir -p "$shots"
work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it to the pipe.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
read -r -t 20 number <"$work/display" || { echo "Xvfb did not start:" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$number"
unset QT_QPA_PLATFORM

(cd "$build/bin" && exec "$game") 2>"$work/game.log" &
game_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name "^Brevant Pack Number 2$" | head -n 1) || {
  echo "The main window did not appear:" >&2
  cat "$work/game.log" >&2
  exit 1
}
sleep 1  # let it finish painting
import -window "$window" "$shot"
echo "The game ran without a display; a screenshot of its main window is at:"
echo "  $shot"
