#!/usr/bin/env bash
# Builds everything and runs every test (unit, widget, end-to-end under Xvfb).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
build=${BUILD_DIR:-$root/build}
cd "$build"
ctest --output-on-failure -j "${BREVANT_TEST_JOBS:-2}" "$@"
