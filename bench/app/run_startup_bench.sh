#!/usr/bin/env bash
# Builds the game and the bare Qt window, then times both from start to first paint
# (median of RUNS runs, default 11). Without a display it runs them under Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=${1:-11}
. "$root/bench/app/startup_programs.sh"
"$bin/startup_bench" "$bin/brevant" "$bin/bare_qt_window" "$runs"
