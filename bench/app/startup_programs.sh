# Sourced by the start-up and game benchmarks once root and build are set: builds the game, the
# bare Qt window and the start-up timer, sets bin to their folder and makes sure of a display.
cmake --build "$build" --target brevant bare_qt_window startup_bench >/dev/null
bin=$build/bin
. "$root/bench/app/display.sh"
