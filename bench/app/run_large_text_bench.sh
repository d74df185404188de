#!/usr/bin/env bash
# Times the real game on a quiz table whose questions and answers are each about 1 MB of rich
# text (accented Latin and CJK): the category click, Score me! and Next, each from the
# button's release to the end of the paint that shows the result. The table is built for the
# benchmark in the build folder (bench-large-text/); the game finds it through its own
# engine configuration there. Medians over RUNS games (default 5) of two questions each.
# SHAPE=one makes each text a single paragraph instead of paragraphs of a few hundred
# characters. Without a display it runs under Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=${1:-5}
shape=${SHAPE:-paragraphs}
cmake --build "$build" --target brevant quizpack >/dev/null
bin=$build/bin
work=$build/bench-large-text
mkdir -p "$work/data"
python3 "$root/bench/app/make_large_quiz.py" "$work/large.quiz" 3 $((1 << 20)) "$shape"
"$bin/quizpack" build --output "$work/data/vezedezavuza.db" --password pelmut "$work/large.quiz" >/dev/null
printf '[DATABASES\\vozaza\\DB INFO]\nTYPE=STANDARD\nPATH=%s\nDEFAULT DRIVER=PARADOX\n' "$work/data" \
  >"$work/dbengine.cfg"
. "$root/bench/app/display.sh"
. "$root/bench/app/clicks.sh"

samples_category=() samples_score=() samples_next=()
for ((run = 0; run < runs; run++)); do
  game_start "$bin" DBENGINE_CONFIG="$work/dbengine.cfg"
  timed_click category 157 378 # ET
  for ((q = 0; q < 2; q++)); do
    plain_click 24 216 # answer A
    timed_click score 154 250
    timed_click next 154 286
  done
  game_stop
done
echo "questions and answers of $(stat -c %s "$work/data/vezedezavuza.db") bytes of table, shape $shape"
report_clicks category "category click to question painted"
report_clicks score "Score me! to answer painted"
report_clicks next "Next to question painted"
