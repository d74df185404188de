# Sourced by the game benchmarks: starts the game with its click report switched on and
# times clicks on it. Each timed click waits for the program's own report of the time from
# the button's release to the end of the paint that showed the result.
#
#   game_start FOLDER [VAR=VALUE...]   start FOLDER/brevant there; sets game and window
#   timed_click NAME X Y               click, wait for the report, add it to samples_NAME
#   plain_click X Y [SECONDS]          click without timing it
#   game_stop                          end the game (its resident memory is left in game_rss)
#   median / percentile P              of the numbers on standard input

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
percentile() { sort -n | awk -v p="$1" '{ v[NR] = $1 } END { i = int((NR - 1) * p / 100 + 0.5) + 1; print v[i] }'; }

game_log=$(mktemp)
# The display's own clean-up (display.sh) still runs at the end.
trap 'rm -f "$game_log"; ! declare -F display_cleanup >/dev/null || display_cleanup' EXIT

game_start() {
  local folder=$1
  shift
  : >"$game_log"
  # Appending, so that the report lines of each click land one after the other.
  (cd "$folder" && exec env BREVANT_REPORT_CLICK_PAINT=1 "$@" ./brevant >>"$game_log" 2>/dev/null) &
  game=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Brevant Pack Number 2$' | head -1)
  sleep 0.3
}

plain_click() {
  local reports
  reports=$(grep -c '^click-painted' "$game_log" || true)
  xdotool mousemove --window "$window" "$1" "$2" click 1
  sleep "${3:-0.15}"
  # Whatever the click painted is not counted against the next one.
  wait_reports $((reports + 1)) 5 >/dev/null || true
}

# Waits until the log holds COUNT reports (at most SECONDS); prints the last one in ms.
wait_reports() {
  local count=$1 limit=$2 waited=0
  while [ "$(grep -c '^click-painted' "$game_log" || true)" -lt "$count" ]; do
    sleep 0.02
    waited=$((waited + 20))
    [ $waited -lt $((limit * 1000)) ] || return 1
  done
  awk '/^click-painted/ { last = $2 } END { print last / 1e6 }' "$game_log"
}

timed_click() {
  local name=$1 reports value
  reports=$(grep -c '^click-painted' "$game_log" || true)
  xdotool mousemove --window "$window" "$2" "$3" click 1
  if ! value=$(wait_reports $((reports + 1)) 60); then
    echo "no report of the $name click" >&2
    return 1
  fi
  eval "samples_$name+=(\"$value\")"
  sleep 0.1
}

game_stop() {
  game_rss=$(awk '/^VmRSS/ { print $2 / 1024 }' "/proc/$game/status")
  kill "$game"
  wait "$game" 2>/dev/null || true
}

# Prints the median (and the 90th percentile) of the samples of NAME.
report_clicks() {
  local name=$1 label=$2
  local -n values="samples_$name"
  printf '%-34s median %8.1f ms   90th percentile %8.1f ms   (%d clicks)\n' "$label" \
    "$(printf '%s\n' "${values[@]}" | median)" "$(printf '%s\n' "${values[@]}" | percentile 90)" "${#values[@]}"
}
