# Sourced by the benchmark scripts: without a display, starts a private Xvfb for the rest of
# the script (stopped when it ends) and exports its DISPLAY. Qt then draws on it.
if [ -z "${DISPLAY:-}" ]; then
  display_work=$(mktemp -d)
  mkfifo "$display_work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_work/display" 2>/dev/null &
  display_xvfb=$!
  display_cleanup() { kill "$display_xvfb" 2>/dev/null || true; rm -rf "$display_work"; }
  trap display_cleanup EXIT
  read -r -t 20 display_number <"$display_work/display"
  export DISPLAY=":$display_number"
fi
unset QT_QPA_PLATFORM
