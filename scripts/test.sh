#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the unit and
# whole-program tests, the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short session of every fuzz target.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

echo "== Release build and tests"
cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/release" -j2
ctest --test-dir "$root/build/release" --output-on-failure -j2

echo "== Sanitizer build and tests"
cmake -S "$root" -B "$root/build/sanitize" -DCMAKE_BUILD_TYPE=Sanitize >/dev/null
cmake --build "$root/build/sanitize" -j2
ctest --test-dir "$root/build/sanitize" --output-on-failure -j2

if [ -x "$root/scripts/fuzz.sh" ]; then
  echo "== Short fuzz sessions"
  "$root/scripts/fuzz.sh" short
fi
