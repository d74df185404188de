#!/usr/bin/env bash
# Configures and builds the project. BUILD_DIR (default build) picks the tree;
# BREVANT_SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-debian.sh"
build=${BUILD_DIR:-$root/build}
sanitize=OFF
[ "${BREVANT_SANITIZE:-0}" = 1 ] && sanitize=ON
cmake -S "$root" -B "$build" -G Ninja -DBREVANT_SANITIZE=$sanitize ${BREVANT_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j "${BREVANT_JOBS:-$(nproc)}"
