#!/usr/bin/env bash
# Builds the SQL parser's libFuzzer target with clang in its own build folder and runs it for a bounded
# time. Usage: engine/fuzz/run-fuzz.sh [SECONDS] (default 60). FUZZ_BUILD_DIR picks the build folder.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DBREVANT_FUZZ=ON -DBREVANT_TESTS=OFF -DBREVANT_BENCH=OFF >/dev/null
cmake --build "$build" --target sql_parser_fuzz -j "${BREVANT_JOBS:-2}"

# Work on a copy of the seed corpus so that findings of this run do not change the tree.
corpus="$build/sql-fuzz-corpus"
mkdir -p "$corpus" "$build/sql-fuzz-findings"
cp -n "$root/engine/fuzz/corpus/"* "$corpus/"
"$build/bin/sql_parser_fuzz" -max_total_time="$seconds" -timeout=10 -max_len=4096 \
  -artifact_prefix="$build/sql-fuzz-findings/" "$corpus"
