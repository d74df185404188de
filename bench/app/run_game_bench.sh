#!/usr/bin/env bash
# Times the real game: start to the first paint of the main window (the quiz table open),
# beside a bare Qt window; then, in RUNS games of a whole category each, every click from
# the button's release to the end of the paint that shows its result: the category, Hint me!,
# Score me!, Next and About; and the resident memory after the game. Medians over all the
# clicks of all runs (RUNS defaults to 10). Without a display it runs under Xvfb.
# SKIP_STARTUP=1 leaves out the start-up timing.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=${1:-10}
. "$root/bench/app/startup_programs.sh"
. "$root/bench/app/clicks.sh"

[ -n "${SKIP_STARTUP:-}" ] || "$bin/startup_bench" "$bin/brevant" "$bin/bare_qt_window" "$runs"

samples_category=() samples_hint=() samples_score=() samples_next=() samples_about=() rss=()
for ((run = 0; run < runs; run++)); do
  game_start "$bin"
  timed_click category 157 378 # ET
  for ((q = 0; q < 10; q++)); do
    timed_click hint 154 210
    plain_click 24 216 # answer A
    timed_click score 154 250
    [ $q -lt 9 ] && timed_click next 154 286
  done
  timed_click about 460 378
  xdotool key --window "$(xdotool search --sync --onlyvisible --name '^About Brevant$' | head -1)" Return
  sleep 0.3
  game_stop
  rss+=("$game_rss")
done
report_clicks category "category click to question painted"
report_clicks hint "Hint me! to hint painted"
report_clicks score "Score me! to answer painted"
report_clicks next "Next to question painted"
report_clicks about "About to its box painted"
printf 'resident memory after a whole category, median:       %8.1f MiB\n' \
  "$(printf '%s\n' "${rss[@]}" | median)"
