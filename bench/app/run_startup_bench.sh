#!/usr/bin/env bash
# Builds the game and the bare Qt window, then times both from start to first paint
# (median of RUNS runs, default 11). Without a display it runs them under Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=${1:-11}
cmake --build "$build" --target brevant bare_qt_window startup_bench >/dev/null
bin=$build/bin
if [ -z "${DISPLAY:-}" ]; then
  work=$(mktemp -d)
  mkfifo "$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
  read -r -t 20 number <"$work/display"
  export DISPLAY=":$number"
fi
unset QT_QPA_PLATFORM
"$bin/startup_bench" "$bin/brevant" "$bin/bare_qt_window" "$runs"
