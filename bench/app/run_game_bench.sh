#!/usr/bin/env bash
# Times the real game: start to the first paint of the main window (the quiz table open),
# beside a bare Qt window; a category click to its question painted; and the resident
# memory after a whole category of ten questions. Medians over RUNS runs (default 10).
# Without a display it runs under Xvfb. SKIP_STARTUP=1 leaves out the start-up timing.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=${1:-10}
cmake --build "$build" --target brevant bare_qt_window startup_bench >/dev/null
bin=$build/bin
. "$root/bench/app/display.sh"

[ -n "${SKIP_STARTUP:-}" ] || "$bin/startup_bench" "$bin/brevant" "$bin/bare_qt_window" "$runs"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep "${4:-0.15}"; }

clicks=() rss=()
log=$(mktemp)
for ((run = 0; run < runs; run++)); do
  (cd "$bin" && BREVANT_REPORT_CLICK_PAINT=1 exec ./brevant >"$log" 2>/dev/null) &
  game=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Brevant Pack Number 2$' | head -1)
  sleep 0.3
  : >"$log"
  click "$window" 157 378 0.5 # ET
  clicks+=("$(awk '/^click-painted/ { print $2 / 1e6; exit }' "$log")")
  for ((q = 0; q < 10; q++)); do
    click "$window" 24 216          # answer A
    click "$window" 154 250 0.25    # Score me!
    [ $q -lt 9 ] && click "$window" 154 286 0.25 # Next
  done
  rss+=("$(awk '/^VmRSS/ { print $2 / 1024 }' "/proc/$game/status")")
  kill "$game"
  wait "$game" 2>/dev/null || true
done
rm -f "$log"
printf 'category click to question painted, median of %d runs: %8.1f ms\n' "$runs" \
  "$(printf '%s\n' "${clicks[@]}" | median)"
printf 'resident memory after a whole category, median:       %8.1f MiB\n' \
  "$(printf '%s\n' "${rss[@]}" | median)"
