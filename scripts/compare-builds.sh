#!/usr/bin/env bash
# Runs two tarnwick builds over the same captures and compares what they
# wrote: every XML document and Report.txt byte for byte, logTiming.csv with
# its time column left out (times differ from run to run), and the console
# with the times and the stack's source line numbers left out.
#
#   bash scripts/compare-builds.sh OLD_TARNWICK NEW_TARNWICK [CAPTURE_DIR ...]
#
# Without capture folders it uses samples/, samples/hostile/ and, when it is
# there, ../shared/captures/. Exits 0 when every output agrees, 1 otherwise.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -ge 2 ] || { echo "usage: $0 OLD_TARNWICK NEW_TARNWICK [CAPTURE_DIR ...]" >&2; exit 2; }
old=$(realpath "$1"); new=$(realpath "$2"); shift 2
dirs=("$@")
if [ ${#dirs[@]} -eq 0 ]; then
  dirs=("$root/samples" "$root/samples/hostile")
  [ -d "$root/../shared/captures" ] && dirs+=("$root/../shared/captures")
fi

work=$(mktemp -d)
[ -n "${KEEP_WORK:-}" ] || trap 'rm -rf "$work"' EXIT
status=0

# The console without what legitimately changes between builds.
normalise_console() {
  sed -E -e 's/(in file: [a-z_]+)\([0-9]+\)/\1(N)/' -e 's/[0-9]+ seconds/N seconds/' -e 's/(Application started ).*/\1N/' -e 's/(Last updated: ).*/\1N/' \
         -e 's/(time|Time)([^0-9]*)[0-9.]+/\1\2N/g' "$1"
}

for dir in "${dirs[@]}"; do
  name=$(basename "$dir")
  for side in old new; do
    mkdir -p "$work/$name/$side"
    find "$dir" -maxdepth 1 -name '*.pcap' -exec cp {} "$work/$name/$side/" \;
    exe=$old; [ "$side" = new ] && exe=$new
    (cd "$work/$name/$side" && "$exe" > console.out 2>&1 || true)
    if [ -f "$work/$name/$side/logTiming.csv" ]; then
      cut -d, -f1 "$work/$name/$side/logTiming.csv" > "$work/$name/$side/logTiming.packets"
      rm "$work/$name/$side/logTiming.csv"
    fi
    normalise_console "$work/$name/$side/console.out" > "$work/$name/$side/console.norm"
    rm "$work/$name/$side/console.out"
  done
  # Report.txt carries the run's times the same way the console does.
  for side in old new; do
    normalise_console "$work/$name/$side/Report.txt" > "$work/$name/$side/Report.norm" && rm "$work/$name/$side/Report.txt"
  done
  files=$(find "$work/$name/old" -type f -not -name '*.pcap' | wc -l)
  if diff -r -q "$work/$name/old" "$work/$name/new" > "$work/$name.diff"; then
    echo "same: $dir ($files outputs)"
  else
    echo "DIFFERENT: $dir"
    head -n 20 "$work/$name.diff"
    diff -r "$work/$name/old" "$work/$name/new" | head -n 20 || true
    status=1
  fi
done
exit $status
