#!/usr/bin/env bash
# Runs tarnwick under valgrind on every capture of samples/hostile, one run
# per capture, then once over the whole folder (with the two sample captures),
# and fails when valgrind reports any memory error or any leak (definite,
# indirect or possible). Uses an uninstrumented RelWithDebInfo build in
# build/release. Not part of the test command (the sanitizer build covers
# the same runs there); takes a minute or two.
#
#   scripts/valgrind-hostile.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
command -v valgrind >/dev/null || { echo "valgrind is not installed (apt-get install valgrind)" >&2; exit 2; }
cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/release" -j2 --target tarnwick >/dev/null
tarnwick="$root/build/release/tarnwick"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# Runs tarnwick with "$@" in the current directory under valgrind; prints
# one summary line for `label`.
check() {
  local label=$1; shift
  local log="$work/valgrind.log"
  local status=0
  valgrind --quiet --error-exitcode=99 --leak-check=full --show-leak-kinds=definite,indirect,possible \
    --errors-for-leak-kinds=definite,indirect,possible --track-origins=yes --log-file="$log" \
    "$tarnwick" "$@" >"$work/console.txt" 2>&1 || status=$?
  if [ "$status" -eq 0 ] && [ ! -s "$log" ]; then
    printf 'clean    %s\n' "$label"
  else
    printf 'FAILED   %s (exit %s)\n' "$label" "$status"
    cat "$log"
    failed=1
  fi
}

for capture in "$root"/samples/hostile/*; do
  name=$(basename "$capture")
  run="$work/run-$name"
  mkdir -p "$run"
  cp "$capture" "$run/"
  (cd "$run" && check "$name" "$name")
  rm -rf "$run"
done

all="$work/all"
mkdir -p "$all"
cp "$root"/samples/hostile/* "$root"/samples/*.pcap "$all/"
(cd "$all" && check "the whole folder in one run")

if [ "$failed" -ne 0 ]; then
  echo "valgrind found errors or leaks" >&2
  exit 1
fi
echo "valgrind: no error and no leak in $(ls "$root"/samples/hostile | wc -l) hostile captures and the folder run"
