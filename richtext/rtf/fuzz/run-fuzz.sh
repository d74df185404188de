#!/usr/bin/env bash
# Builds the RTF reader's libFuzzer target with clang (and AddressSanitizer and UndefinedBehaviorSanitizer)
# in its own build folder, then fuzzes for a bounded time.
#
#   richtext/rtf/fuzz/run-fuzz.sh [seconds]      (default 60)
#
# FUZZ_BUILD_DIR picks the build folder (default build-fuzz at the top of the tree). New inputs go to a
# working corpus inside it, seeded from the corpus and the test samples; a crash, a hang or a failed
# check leaves its input there too and ends the script with an error.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
here="$root/richtext/rtf/fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBREVANT_FUZZ=ON -DBREVANT_SANITIZE=ON -DBREVANT_TESTS=OFF -DBREVANT_BENCH=OFF >/dev/null
cmake --build "$build" -j "${BREVANT_JOBS:-2}" --target rtf_reader_fuzz

corpus="$build/rtf-fuzz-corpus"
mkdir -p "$corpus" "$build/rtf-fuzz-findings"
cp -n "$here"/corpus/* "$root"/tests/richtext/samples/*.rtf "$corpus"/ 2>/dev/null || true

cd "$build/rtf-fuzz-findings"
"$build/bin/rtf_reader_fuzz" "$corpus" -dict="$here/rtf.dict" -max_total_time="$seconds" -timeout=10 \
  -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1
