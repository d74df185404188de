#!/usr/bin/env bash
# Builds every libFuzzer target in one fuzz build folder (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for its share of a total time.
#
#   scripts/fuzz.sh [TOTAL_SECONDS] [TARGET...]
#
# TOTAL_SECONDS defaults to BREVANT_FUZZ_SECONDS, else 120; without TARGETs all five run. FUZZ_BUILD_DIR
# picks the build folder (default build-fuzz at the top of the tree). Each target works on a copy of its
# seeds in the build folder (fuzz-corpus/TARGET), so that what a run finds never changes the tree; a
# crash, a hang or a failed check leaves its input in fuzz-findings/TARGET and ends the script with an
# error.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
total=${1:-${BREVANT_FUZZ_SECONDS:-120}}
shift || true
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}

all=(sql_parser_fuzz rtf_reader_fuzz layout_reader_fuzz quiz_source_fuzz help_file_fuzz)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all[@]}")

# The seeds of each target: its corpus in the tree and the files of the tree that it reads.
seeds() {
  case "$1" in
    sql_parser_fuzz) echo "$root"/engine/fuzz/corpus/* ;;
    rtf_reader_fuzz) echo "$root"/richtext/rtf/fuzz/corpus/* "$root"/tests/richtext/samples/*.rtf ;;
    layout_reader_fuzz)
      echo "$root"/core/layout/fuzz/corpus/* "$root"/app/layouts/*.layout "$root"/data/dialogs/layouts/*.layout \
        "$root"/tests/*/layouts/*.layout ;;
    quiz_source_fuzz) echo "$root"/tools/quizpack/fuzz/corpus/* "$root"/quiz/*.quiz ;;
    help_file_fuzz) echo "$root"/platform/help/fuzz/corpus/* "$root"/quiz/help/*.hlp ;;
    *)
      echo "fuzz.sh: unknown target $1 (known: ${all[*]})" >&2
      return 1
      ;;
  esac
}
options() {
  case "$1" in
    sql_parser_fuzz) echo "-max_len=4096" ;;
    rtf_reader_fuzz) echo "-max_len=65536 -dict=$root/richtext/rtf/fuzz/rtf.dict" ;;
    *) echo "-max_len=65536" ;;
  esac
}
for t in "${targets[@]}"; do seeds "$t" >/dev/null; done

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DBREVANT_FUZZ=ON -DBREVANT_SANITIZE=ON -DBREVANT_TESTS=OFF -DBREVANT_BENCH=OFF >/dev/null
cmake --build "$build" -j "${BREVANT_JOBS:-2}" --target "${targets[@]}"

share=$((total / ${#targets[@]}))
[ "$share" -lt 1 ] && share=1
for t in "${targets[@]}"; do
  corpus="$build/fuzz-corpus/$t"
  findings="$build/fuzz-findings/$t"
  mkdir -p "$corpus" "$findings"
  # shellcheck disable=SC2046
  cp -n $(seeds "$t") "$corpus"/ 2>/dev/null || true
  echo "== $t: ${share}s"
  # shellcheck disable=SC2046
  "$build/bin/$t" "$corpus" $(options "$t") -max_total_time="$share" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/" -print_final_stats=1
done
