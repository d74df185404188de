#!/usr/bin/env bash
# Checks that every tracked C++ source is formatted as .clang-format says. Prints the files that
# are off (fix them with clang-format -i) and exits non-zero when there is any.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.cc' '*.h' '*.hpp')
if [ ${#files[@]} -eq 0 ]; then
  echo "check-format: no tracked C++ sources found (not a git checkout?)" >&2
  exit 1
fi

# One run over all files; each misplaced piece is reported as FILE:LINE:COL: error: ...
report=$(clang-format --dry-run -Werror "${files[@]}" 2>&1) && status=0 || status=$?
if [ "$status" -ne 0 ]; then
  off=$(printf '%s\n' "$report" | sed -n 's/^\([^: ]*\):[0-9]*:[0-9]*: error: .*/\1/p' | sort -u)
  if [ -z "$off" ]; then
    printf '%s\n' "$report" >&2  # clang-format failed for another reason: show what it said
  else
    printf 'not formatted: %s\n' $off >&2
  fi
  echo "check-format: C++ sources are off; run: clang-format -i FILE..." >&2
  exit 1
fi
echo "check-format: ${#files[@]} files formatted"
